#include "startup/ProgramOptions.h"

namespace pos {

std::optional<TProgramOptions> ParseProgramOptions(const std::vector<std::string>& aArgs, std::string& aError)
{
    TProgramOptions options;
    bool userSeen = false;
    for (std::size_t i = 0; i < aArgs.size(); ++i) {
        const std::string& arg = aArgs[i];
        const bool takesValue = arg == "--folder" || arg == "--instance" || arg == "--exit-at";
        if (takesValue && i + 1 >= aArgs.size()) {
            aError = arg + " needs a value";
            return std::nullopt;
        }
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--folder") {
            options.folder = aArgs[++i];
        } else if (arg == "--instance") {
            options.instanceName = aArgs[++i];
            if (options.instanceName.empty()) {
                aError = "--instance needs a name";
                return std::nullopt;
            }
        } else if (arg == "--exit-at") {
            const std::string& step = aArgs[++i];
            if (step == "login") {
                options.exitAt = TExitAt::Login;
            } else {
                aError = "--exit-at takes login, not " + step;
                return std::nullopt;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            aError = "unknown option " + arg;
            return std::nullopt;
        } else if (!userSeen) {
            options.dbUser = arg;
            userSeen = true;
        } else {
            aError = "more than one database user: " + options.dbUser + ", " + arg;
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace pos
