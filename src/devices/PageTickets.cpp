#include "devices/PageTickets.h"

#include "core/Codec.h"
#include "core/TextHelpers.h"

#include <cstdio>

namespace pos {
namespace {

constexpr int kLineX = 140;       // left edge of the bill text and the lines
constexpr int kRuleEndX = 880;    // right end of a rule
constexpr int kLinesTop = 420;    // bill text, below the header
constexpr int kLineStep = 55;     // dots from line to line
constexpr int kHeaderField = 30, kCompanyField = 31, kSampleField = 32;

std::string command(const std::string& aBody) { return "\x1b" + aBody + std::string("\n\0", 2); }

std::string defineField(int aNo, int aX, int aY, int aMagnification, int aFont)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "PC%02d;%04d,%04d,%d,%d,%d,00,02", aNo, aX, aY, aMagnification, aMagnification,
                  aFont);
    return command(buf);
}

std::string fillField(int aNo, const std::string& aUtf8)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "RC%02d;", aNo);
    return command(buf + ToCp949(aUtf8));
}

std::string rule(int aNo, int aY, char aKind)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "L%02d;%04d,%04d,%04d,%04d,0,%c", aNo, kLineX, aY, kRuleEndX, aY, aKind);
    return command(buf);
}

bool isCardSlip(const TTicketData& aPage) { return aPage.Str(1).find("신용카드") != std::string::npos; }

}  // namespace

int Tsp800TopOffset(const TTicketData& aPage, const TTicketEnv& aEnv, bool aFirst)
{
    const int top = static_cast<int>(aEnv.tsp800TopMargin) * 10 + 10;
    const bool atTop = aFirst || isCardSlip(aPage) || aPage.Str(2) == kReceiptItemHeader;
    return atTop ? top : top + 130;
}

std::string Tsp800PageBytes(const TTicketData& aPage, const TTicketEnv& aEnv, bool aEnglish, bool aFirst, bool aLast)
{
    const int m = Tsp800TopOffset(aPage, aEnv, aFirst);
    const auto lineY = [m](int aNo) { return m + kLinesTop + kLineStep * aNo; };

    std::string out = command("C") + command("D1980");
    out += defineField(kHeaderField, 200, m, 2, 3);
    out += defineField(kCompanyField, 770, m + 230, 1, 3);
    for (int i = 0; i <= 25; ++i) out += defineField(i, kLineX, lineY(i), 1, 3);

    const std::string outlet = aEnglish ? aEnv.firstOutletEngName : aEnv.masterUpjangName;
    out += fillField(0, aPage.Bill);
    out += fillField(kHeaderField, StringCenterAlign(outlet, 20, false));
    out += fillField(kCompanyField, aEnglish ? aEnv.ceoEngName : aEnv.ceoName);
    for (int i = 1; i <= 25; ++i) {
        const std::string& line = aPage.Str(i);
        if (line == std::string(42, '=')) out += rule(i, lineY(i) + 10, '6');
        else if (line == std::string(42, '-')) out += rule(i, lineY(i) + 10, '2');
        else out += fillField(i, line);
    }
    if (aEnv.testMode) out += defineField(kSampleField, 350, m + 1000, 4, 3) + fillField(kSampleField, "SAMPLE");

    out += command(aLast || isCardSlip(aPage) ? "B" : "B@");
    out += command("I");
    return out;
}

}  // namespace pos
