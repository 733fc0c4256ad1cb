#pragma once
// Running a kill harness as a child process, killed with SIGKILL after a
// random moment and started again, and reading what it reported on its
// standard output ("S <bill> <due>" per stored bill, "DONE" at the end).

#include <gtest/gtest.h>

#include "core/FileIO.h"

#include <fcntl.h>
#include <cstdint>
#include <filesystem>
#include <chrono>
#include <functional>
#include <map>
#include <random>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <string>
#include <vector>

extern char** environ;

namespace pos::test {

inline pid_t SpawnHarness(const char* aProgram, const std::vector<std::string>& aArgs,
                          const std::filesystem::path& aOut)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, aOut.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv = {const_cast<char*>(aProgram)};
    for (const std::string& a : aArgs) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, aProgram, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

struct HarnessOutput {
    std::map<std::int64_t, std::int64_t> stored;  // bill -> due
    bool done = false;
};

inline void ReadHarnessOutput(const std::filesystem::path& aOut, HarnessOutput& aOutput)
{
    std::istringstream in(ReadWholeFile(aOut).value_or(""));
    std::string word;
    while (in >> word) {
        std::int64_t bill = 0, due = 0;
        if (word == "S" && in >> bill >> due) aOutput.stored[bill] = due;
        else if (word == "DONE") aOutput.done = true;
    }
}

// Starts the harness (aStart with the file for its output) aKills times,
// killing each run after a wait drawn from aWaitMs, then once more to its
// end, which must be a clean exit; stops early once a run said "DONE".
//
// With aBusy, every other run waits first (up to ten seconds) until aBusy
// says the run has reached the work under test, and is killed within
// aBusyWaitMs of that moment: on a loaded machine a start-up can take longer
// than any random wait, and the kills would otherwise all land in it.
inline HarnessOutput RunKilled(const std::function<pid_t(const std::filesystem::path&)>& aStart,
                               const std::filesystem::path& aDir, int aKills, std::uint32_t aSeed,
                               std::pair<int, int> aWaitMs, const std::function<bool()>& aBusy = {},
                               std::pair<int, int> aBusyWaitMs = {0, 0})
{
    std::mt19937 random(aSeed);
    std::uniform_int_distribution<int> wait(aWaitMs.first, aWaitMs.second);
    std::uniform_int_distribution<int> busyWait(aBusyWaitMs.first, aBusyWaitMs.second);
    HarnessOutput output;
    for (int run = 0; run <= aKills && !output.done; ++run) {
        const std::filesystem::path out = aDir / ("run-" + std::to_string(run) + ".out");
        const pid_t pid = aStart(out);
        int status = 0;
        if (run < aKills) {
            if (aBusy && run % 2 == 1) {
                const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
                while (!aBusy() && std::chrono::steady_clock::now() < giveUp)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                std::this_thread::sleep_for(std::chrono::milliseconds(busyWait(random)));
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(wait(random)));
            }
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
        } else {
            ::waitpid(pid, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
        }
        ReadHarnessOutput(out, output);
    }
    return output;
}

}  // namespace pos::test
