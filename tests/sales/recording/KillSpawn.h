#pragma once
// Starting a kill harness as a child process with its standard output in a
// file, for the kill tests to kill and start again, and reading what it
// reported there ("S <bill> <due>" per stored bill, "DONE" at the end).

#include <gtest/gtest.h>

#include "core/FileIO.h"

#include <fcntl.h>
#include <cstdint>
#include <filesystem>
#include <map>
#include <spawn.h>
#include <sstream>
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

}  // namespace pos::test
