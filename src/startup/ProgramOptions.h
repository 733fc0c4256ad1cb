#pragma once
// The program's command line:
//
//   resortpos [options] [database user]
//
//   --folder DIR      the program folder (ini files, catalogue, mirror and
//                     queue files, "Log"); by default the executable's folder
//   --instance NAME   the name of the one-terminal lock (default "ORVO_I"),
//                     so a test terminal does not meet the demo's
//   --exit-at login   ends the program where the login screen would show,
//                     after saying how long the start took; for measuring
//                     the start-up and for smoke tests (message boxes then
//                     answer themselves: nobody is at the screen)
//
// The database user is the first plain argument, as the terminal has always
// taken it (it also names the test-database check's common code).

#include <optional>
#include <string>
#include <vector>

namespace pos {

enum class TExitAt { Never, Login };

struct TProgramOptions {
    std::string folder;  // empty: the executable's folder
    std::string instanceName = "ORVO_I";
    std::string dbUser;
    TExitAt exitAt = TExitAt::Never;
    bool help = false;
};

inline constexpr const char* kProgramUsage =
    "usage: resortpos [--folder DIR] [--instance NAME] [--exit-at login] [database user]\n";

// The options of aArgs (without the program name); nullopt with aError for a
// command line that cannot be understood.
std::optional<TProgramOptions> ParseProgramOptions(const std::vector<std::string>& aArgs, std::string& aError);

}  // namespace pos
