// Writes the database password, scrambled the way the terminal reads it, as
// "PASS" of section "PROGRAM" of a "ZoUpdate.ini", keeping the file's other
// keys. The password is read from standard input so that it stays out of
// the shell's history and the process list.
//
//   zoupdate-password PATH/ZoUpdate.ini < password.txt
//   echo -n 'secret' | zoupdate-password ZoUpdate.ini

#include "db/DbPassword.h"

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ZoUpdate.ini  (the password comes on standard input)\n", argv[0]);
        return 2;
    }
    std::string password;
    std::getline(std::cin, password);
    if (!password.empty() && password.back() == '\r') password.pop_back();
    if (password.empty()) {
        std::fprintf(stderr, "%s: no password on standard input\n", argv[0]);
        return 2;
    }
    std::string error;
    if (!pos::WriteDBPassword(argv[1], password, &error)) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
        return 1;
    }
    return 0;
}
