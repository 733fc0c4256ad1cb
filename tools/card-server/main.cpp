// card-server: the card server of the dedicated line on loopback, for the
// demo and for a person trying the terminal's card approvals.
//
//   card-server [--port PORT] [--ledger FILE] [--script FILE] [--default REPLY] [--env FILE]
//
//   --port     loopback TCP port (default 0: any free port)
//   --ledger   file the approvals and cancellations are appended to (card
//              numbers masked), one TAB-separated line each
//   --script   answers for the requests in order, one REPLY a line ('#'
//              starts a comment); after the last one the default applies
//   --default  the answer when no scripted one is left (default "approve")
//   --env      file to write CARD_SERVER_HOST, CARD_SERVER_PORT and
//              CARD_SERVER_PID into once it listens
//
// REPLY: approve | refuse CODE MESSAGE | split N | short | long | wrong-kind
//        | silent | close, optionally preceded by "delay MS".
//
// Commands on standard input, one a line:
//   next REPLY       the answer for the next request
//   default REPLY    the answer when nothing is queued
//   ledger           prints the ledger
//   charged CARDNO   prints what the card stands charged with
//   quit
// SIGINT and SIGTERM end it too.

#include "CardServerSim.h"

#include "core/FileIO.h"
#include "core/IdentityNumbers.h"

#include <poll.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

volatile std::sig_atomic_t gStop = 0;
void onSignal(int) { gStop = 1; }

bool queueScript(pos::sim::TCardServerSim& aServer, const std::string& aPath)
{
    std::ifstream in(aPath);
    if (!in) {
        std::fprintf(stderr, "card-server: cannot read %s\n", aPath.c_str());
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t hash = line.find('#');
        if (hash != std::string::npos) line.resize(hash);
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        const auto reply = pos::sim::ParseReply(line);
        if (!reply) {
            std::fprintf(stderr, "card-server: %s line %d: not a reply: %s\n", aPath.c_str(), number, line.c_str());
            return false;
        }
        aServer.Queue(*reply);
    }
    return true;
}

void printLedger(const pos::sim::TCardServerSim& aServer)
{
    for (const auto& l : aServer.Ledger())
        std::printf("%s %s %s %s %lld%s\n", l.Action.c_str(), l.AgreeNo.c_str(),
                    l.OrgAgreeNo.empty() ? "-" : l.OrgAgreeNo.c_str(), pos::MaskForLog(l.CardNo).c_str(),
                    static_cast<long long>(l.Amount), l.Cancelled ? " cancelled" : "");
}

void command(pos::sim::TCardServerSim& aServer, const std::string& aLine)
{
    const std::size_t space = aLine.find(' ');
    const std::string verb = aLine.substr(0, space), rest = space == std::string::npos ? "" : aLine.substr(space + 1);
    if (verb == "quit") {
        gStop = 1;
    } else if ((verb == "next" || verb == "default") && pos::sim::ParseReply(rest)) {
        if (verb == "next") aServer.Queue(*pos::sim::ParseReply(rest));
        else aServer.SetDefault(*pos::sim::ParseReply(rest));
        std::printf("%s: %s\n", verb.c_str(), rest.c_str());
    } else if (verb == "ledger") {
        printLedger(aServer);
    } else if (verb == "charged" && !rest.empty()) {
        std::printf("%s %lld\n", pos::MaskForLog(rest).c_str(), static_cast<long long>(aServer.Charged(rest)));
    } else {
        std::printf("commands: next REPLY | default REPLY | ledger | charged CARDNO | quit\n");
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    std::string port = "0", ledger, script, defaultReply = "approve", env;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--port" && hasValue) port = argv[++i];
        else if (arg == "--ledger" && hasValue) ledger = argv[++i];
        else if (arg == "--script" && hasValue) script = argv[++i];
        else if (arg == "--default" && hasValue) defaultReply = argv[++i];
        else if (arg == "--env" && hasValue) env = argv[++i];
        else {
            std::fprintf(stderr, "usage: card-server [--port PORT] [--ledger FILE] [--script FILE] [--default REPLY] [--env FILE]\n");
            return 2;
        }
    }
    const auto reply = pos::sim::ParseReply(defaultReply);
    if (!reply) {
        std::fprintf(stderr, "card-server: not a reply: %s\n", defaultReply.c_str());
        return 2;
    }
    pos::sim::TCardServerSim server(ledger);
    server.SetDefault(*reply);
    if (!script.empty() && !queueScript(server, script)) return 2;
    std::string error;
    if (!server.Listen(static_cast<std::uint16_t>(std::stoi(port)), &error)) {
        std::fprintf(stderr, "card-server: %s\n", error.c_str());
        return 1;
    }
    const std::string vars = "CARD_SERVER_HOST=127.0.0.1\nCARD_SERVER_PORT=" + std::to_string(server.Port()) +
                             "\nCARD_SERVER_PID=" + std::to_string(::getpid()) + "\n";
    if (!env.empty() && !pos::WriteFileAtomically(env, vars, &error)) {
        std::fprintf(stderr, "card-server: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s", vars.c_str());
    std::fflush(stdout);

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    bool input = true;
    std::string pending;
    while (!gStop) {
        pollfd p{STDIN_FILENO, POLLIN, 0};
        if (!input || ::poll(&p, 1, 200) <= 0) {
            if (!input) ::usleep(200 * 1000);
            continue;
        }
        char buf[512];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {  // standard input closed: keep serving
            input = false;
            continue;
        }
        pending.append(buf, static_cast<std::size_t>(n));
        for (std::size_t nl; (nl = pending.find('\n')) != std::string::npos;) {
            std::string line = pending.substr(0, nl);
            pending.erase(0, nl + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) command(server, line);
        }
    }
    server.Stop();
    return 0;
}
