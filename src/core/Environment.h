#pragma once
// What the terminal asks of the computer it runs on.

#include <string>

namespace pos {

// First IPv4 address of the computer's host name as "%d.%d.%d.%d"; empty when
// the name does not resolve.
std::string GetIP();

// Program version as "major.minor.release.build".
std::string GetVersion();

}  // namespace pos
