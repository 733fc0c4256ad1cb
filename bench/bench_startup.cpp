// The whole program's start, off line: from the process starting to the
// point where the login screen would show ("--exit-at login"), in a program
// folder holding the shipped catalogue and mirror files of 40 outlets,
// 100,000 goods and 20,000 menus, with the server unreachable. Each run is a
// fresh process, measured from outside (wall time), offscreen.

#include "LargeMasterData.h"
#include "core/FileIO.h"
#include "core/IniFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace pos {
namespace {

namespace fs = std::filesystem;

struct Folder {
    fs::path path = fs::temp_directory_path() / fs::path("pos-bench-startup-").concat(std::to_string(::getpid()));
    Folder()
    {
        fs::create_directories(path);
        const auto catalogue = ReadWholeFile(fs::path(POS_SOURCE_DIR) / "db" / "POSSQL.ini");
        if (!catalogue || !WriteFileAtomically(path / "POSSQL.ini", *catalogue)) std::abort();
        IniFile posIp;  // nothing listens on port 1: the connection is refused at once
        posIp.writeString("MAIN", "ServerDB", "pos");
        posIp.writeString("MAIN", "Host", "127.0.0.1");
        posIp.writeInteger("MAIN", "Port", 1);
        IniFile pos;
        pos.writeString("POS", "UpjangCode", bench::outletCode(0));
        pos.writeString("POS", "PosNo", "01");
        if (!posIp.save(path / "POSIP.ini") || !pos.save(path / "POS.ini")) std::abort();
        TMirrorRows goods, menus;
        bench::MakeGoodsAndMenuRows(goods, menus);
        WriteMirrorFile(path, TMirrorKind::Upjang, bench::MakeOutletRows());
        WriteMirrorFile(path, TMirrorKind::Goods, goods);
        WriteMirrorFile(path, TMirrorKind::Menu, menus);
        WriteMirrorFile(path, TMirrorKind::Calendar, {{"20240105", "2", "1", "7731"}});
        WriteMirrorFile(path, TMirrorKind::Cashier, {{"1001", "김하늘", "x", "20240101", "90", "N"}});
    }
    ~Folder() { fs::remove_all(path); }
};

void BM_StartToLoginOffLine(benchmark::State& state)
{
    static Folder folder;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string dir = folder.path.string();
    const std::string instance = bench::numbered("bench-startup", ::getpid());
    const char* argv[] = {POS_RESORTPOS_PATH, "--folder", dir.c_str(), "--instance", instance.c_str(),
                          "--exit-at", "login", "pos", nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], &quiet, nullptr, const_cast<char**>(argv), environ) != 0) {
            state.SkipWithError("resortpos does not start");
            break;
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("resortpos did not end cleanly");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&quiet);
}
BENCHMARK(BM_StartToLoginOffLine)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

}  // namespace
}  // namespace pos
