// Program entry. The start-up sequence (configuration, connection, login,
// sale screen) is built on top of the area libraries; until it lands the
// program only reports its version.
#include "core/Environment.h"

#include <cstdio>

int main()
{
    std::printf("Resort POS terminal %s: the start-up sequence is not built yet.\n", pos::GetVersion().c_str());
    return 0;
}
