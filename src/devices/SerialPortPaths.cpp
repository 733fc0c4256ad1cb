#include "devices/SerialPortPaths.h"

#include "core/IniFile.h"
#include "core/TextHelpers.h"

namespace pos {

std::string TSerialPortPaths::path(std::int64_t aComNo) const
{
    if (auto it = ports.find(aComNo); it != ports.end()) return it->second;
    std::string out = Replace(pattern, "{n-1}", std::to_string(aComNo - 1));
    return Replace(out, "{n}", std::to_string(aComNo));
}

TSerialPortPaths ReadSerialPortPaths(const IniFile& aPosIni)
{
    TSerialPortPaths paths;
    paths.pattern = aPosIni.readString("SerialPorts", "Pattern", paths.pattern);
    for (const std::string& key : aPosIni.keys("SerialPorts")) {
        if (key.size() < 4 || !EqualsNoCase(key.substr(0, 3), "COM")) continue;
        const std::int64_t no = StringToInteger(key.substr(3));
        const std::string value = aPosIni.readString("SerialPorts", key);
        if (no > 0 && !value.empty()) paths.ports[no] = value;
    }
    return paths;
}

std::int64_t EffectivePortNo(std::int64_t aConfigured, std::int64_t aDefault)
{
    return aConfigured > 0 ? aConfigured : aDefault;
}

std::int32_t EffectiveBaudRate(std::int64_t aConfigured)
{
    static constexpr std::int64_t kRates[] = {1200, 2400, 4800, 9600, 14400, 19200, 38400,
                                              56000, 57600, 115200, 128000, 256000};
    for (std::int64_t r : kRates)
        if (r == aConfigured) return static_cast<std::int32_t>(r);
    return 9600;
}

}  // namespace pos
