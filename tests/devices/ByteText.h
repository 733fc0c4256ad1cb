#pragma once
// Bytes in tests: written as hex ("1B 40") and compared as hex, so a failing
// golden shows where the bytes differ.

#include <cstdio>
#include <string>
#include <string_view>

namespace pos::test {

inline std::string Hex(std::string_view aHex)
{
    std::string out;
    int nibbles = 0, value = 0;
    for (char c : aHex) {
        int v;
        if (c >= '0' && c <= '9') v = c - '0';
        else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
        else continue;
        value = value * 16 + v;
        if (++nibbles == 2) {
            out += static_cast<char>(value);
            nibbles = value = 0;
        }
    }
    return out;
}

inline std::string ToHex(std::string_view aBytes)
{
    std::string out;
    char buf[4];
    for (unsigned char c : aBytes) {
        std::snprintf(buf, sizeof buf, "%02X ", c);
        out += buf;
    }
    if (!out.empty()) out.pop_back();
    return out;
}

}  // namespace pos::test
