#include "core/CodeTable.h"

#include "core/IniFile.h"

namespace pos {

void TCodeTable::ReadIniData(const IniFile& aIni)
{
#define POS_CODE_TEXT_READ(key, def) gs##key = aIni.readString("DEFAULT", #key, gs##key);
#define POS_CODE_INT_READ(key, def) gi##key = aIni.readInteger("DEFAULT", #key, gi##key);
    POS_CODE_TABLE(POS_CODE_TEXT_READ, POS_CODE_INT_READ)
#undef POS_CODE_TEXT_READ
#undef POS_CODE_INT_READ
}

void TCodeTable::ReadIniData(const std::filesystem::path& aPosDataIni) { ReadIniData(IniFile::load(aPosDataIni)); }

}  // namespace pos
