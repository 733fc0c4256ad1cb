// The modes of the files the terminal writes: files that hold queued work,
// card data or logs are readable by their owner only, also when they replace
// (or are appended to) a file that an older terminal left readable by all.

#include "TempDir.h"
#include "core/FileIO.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace pos {
namespace {

mode_t modeOf(const std::filesystem::path& aPath)
{
    struct stat st {};
    EXPECT_EQ(::stat(aPath.c_str(), &st), 0) << aPath;
    return st.st_mode & 0777;
}

// The usual umask of a terminal's user, so that the modes below are those a
// terminal gets.
class FileModeTest : public ::testing::Test {
protected:
    FileModeTest() : saved_(::umask(022)) {}
    ~FileModeTest() override { ::umask(saved_); }
    test::TempDir dir;

private:
    mode_t saved_;
};

struct ModeCase {
    const char* name;
    TFileAccess access;
    mode_t expected;
};

class AtomicWriteModeTest : public FileModeTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(AtomicWriteModeTest, NewAndReplacedFilesTakeTheAskedMode)
{
    const ModeCase& c = GetParam();
    const auto fresh = dir / "fresh";
    ASSERT_TRUE(WriteFileAtomically(fresh, "one", c.access));
    EXPECT_EQ(modeOf(fresh), c.expected);

    // An older file readable by all, and a temporary file a crash left with
    // that mode under this process's name: neither lends its mode.
    const auto old = dir / "old";
    ASSERT_TRUE(WriteFileAtomically(old, "before"));
    ASSERT_EQ(::chmod(old.c_str(), 0666), 0);
    auto leftover = old;
    leftover += ".tmp." + std::to_string(::getpid());
    ASSERT_TRUE(WriteFileAtomically(leftover, "half"));
    ASSERT_EQ(::chmod(leftover.c_str(), 0666), 0);

    ASSERT_TRUE(WriteFileAtomically(old, "after", c.access));
    EXPECT_EQ(modeOf(old), c.expected);
    EXPECT_EQ(ReadWholeFile(old), "after");
    EXPECT_FALSE(std::filesystem::exists(leftover));
}

INSTANTIATE_TEST_SUITE_P(Modes, AtomicWriteModeTest,
                         ::testing::Values(ModeCase{"Shared", TFileAccess::Shared, 0644},
                                           ModeCase{"OwnerOnly", TFileAccess::OwnerOnly, 0600}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileModeTest, AnOwnerOnlyAppendMakesAndKeepsTheFilePrivate)
{
    const auto log = dir / "20240105.log";
    ASSERT_TRUE(AppendToFile(log, "first\n", TFileAccess::OwnerOnly));
    EXPECT_EQ(modeOf(log), 0600);

    ASSERT_EQ(::chmod(log.c_str(), 0644), 0);  // a log an older terminal wrote
    ASSERT_TRUE(AppendToFile(log, "second\n", TFileAccess::OwnerOnly));
    EXPECT_EQ(modeOf(log), 0600);
    EXPECT_EQ(ReadWholeFile(log), "first\nsecond\n");

    const auto shared = dir / "shared.txt";
    ASSERT_TRUE(AppendToFile(shared, "x"));
    EXPECT_EQ(modeOf(shared), 0644);
}

TEST_F(FileModeTest, RestrictToOwnerKeepsTheOwnersRights)
{
    const auto file = dir / "Card";
    ASSERT_TRUE(WriteFileAtomically(file, "queued"));
    ASSERT_EQ(::chmod(file.c_str(), 0664), 0);
    EXPECT_TRUE(RestrictToOwner(file));
    EXPECT_EQ(modeOf(file), 0600);
    EXPECT_EQ(ReadWholeFile(file), "queued");
    EXPECT_FALSE(RestrictToOwner(dir / "missing"));
}

}  // namespace
}  // namespace pos
