#pragma once
// A fresh folder per test, removed afterwards.

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace pos::test {

class TempDir {
public:
    TempDir()
    {
        const char* base = std::getenv("POS_TEST_TMP");
        std::filesystem::path root = base ? base : std::filesystem::temp_directory_path();
        std::random_device rd;
        path_ = root / ("pos-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace pos::test
