#pragma once
// Where serial port COM n lives on this computer. The configuration names
// ports by number; a pattern turns a number into a device path ("{n}" is the
// number, "{n-1}" one less, so COM1 is /dev/ttyS0 by default) and a port can
// be given a path of its own (a USB adapter, or a pseudo-terminal in the demo).
//
// In "POS.ini":
//   [SerialPorts]
//   Pattern=/dev/ttyS{n-1}
//   COM1=/dev/pts/5

#include <cstdint>
#include <map>
#include <string>

namespace pos {

class IniFile;

struct TSerialPortPaths {
    std::string pattern = "/dev/ttyS{n-1}";
    std::map<std::int64_t, std::string> ports;

    std::string path(std::int64_t aComNo) const;
};

TSerialPortPaths ReadSerialPortPaths(const IniFile& aPosIni);

// The port number a device uses: the configured one, or the position's
// default when the configuration gives 0 or less.
std::int64_t EffectivePortNo(std::int64_t aConfigured, std::int64_t aDefault);

// The baud rates the terminal accepts; any other configured rate is 9600.
std::int32_t EffectiveBaudRate(std::int64_t aConfigured);

}  // namespace pos
