#include "sales/receipt/ReceiptFormat.h"

#include "cards/CardRules.h"
#include "core/TextHelpers.h"

#include <algorithm>

namespace pos {

std::string Rule(char aChar) { return std::string(kReceiptWidth, aChar); }

std::string LeftIn(std::string_view aText, int aWidth) { return RPad(aText, aWidth); }
std::string RightIn(std::string_view aText, int aWidth) { return LPad(aText, aWidth); }
std::string Cut(std::string_view aText, int aWidth) { return CopyStr(aText, 1, aWidth); }

std::string Amount(Currency aValue) { return FormatThousands(aValue); }

Currency BillSigned(Currency aAmount, std::int64_t aSign) { return aSign < 0 ? -aAmount.abs() : aAmount.abs(); }

std::string ItemLine(std::string_view aSymbol, std::string_view aName, Currency aCount, Currency aUnit)
{
    return LeftIn(aSymbol, 1) + LeftIn(Cut(aName, 14), 17) + RightIn(std::to_string(aCount.truncWon()), 4) +
           RightIn(Amount(aUnit), 10) + RightIn(Amount(aCount * aUnit), 10);
}

std::string TitleLine(std::string_view aTitle)
{
    const std::string centred = StringCenterAlign(Cut(aTitle, 21), kReceiptWidth, true);
    return "{X}" + Cut(centred + std::string(20, ' '), 19) + "{S}";
}

std::string LabelLine(std::string_view aLabel, std::string_view aValue)
{
    return std::string(aLabel) + " :" + RightIn(aValue, 22);
}

std::string EnglishLabelLine(std::string_view aLabel, std::string_view aValue)
{
    return LeftIn(aLabel, 19) + ":" + RightIn(aValue, 22);
}

std::string EnlargedTotalLine(std::string_view aCaption, Currency aAmount)
{
    return "{X}" + RightIn(aCaption, 8) + " : " + RightIn(Amount(aAmount), 10) + "{S}";
}

std::string TicketTotalLine(std::string_view aCaption, Currency aAmount)
{
    return RightIn(aCaption, 16) + "  :  " + RightIn(Amount(aAmount), 21);
}

std::string TenderLine(std::string_view aName, std::string_view aDetail, Currency aAmount)
{
    return LeftIn(Cut(aName, 10), 10) + LeftIn(Cut(aDetail, 22), 22) + RightIn(Amount(aAmount), 10);
}

std::string SignatureRule() { return Cut("--- 고객서명 " + std::string(kReceiptWidth, '-'), kReceiptWidth); }

std::string MaskedCardNo(std::string_view aCardNo)
{
    const std::string grouped = CardToString(aCardNo, false);
    const auto digits = static_cast<std::size_t>(std::count_if(grouped.begin(), grouped.end(), [](char c) {
        return c >= '0' && c <= '9';
    }));
    // The issuer prefix and the last four identify a card to its holder and
    // to the card company; nothing more is printed.
    const std::size_t keepHead = digits >= 13 ? 6 : 0;
    const std::size_t keepTail = digits >= 8 ? 4 : 0;
    std::string out;
    std::size_t index = 0;
    for (char c : grouped) {
        if (c < '0' || c > '9') {
            out += c;
            continue;
        }
        out += (index < keepHead || index + keepTail >= digits) ? c : '*';
        ++index;
    }
    return out;
}

std::vector<std::string> SplitLines(std::string_view aText)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < aText.size()) {
        const std::size_t end = aText.find(kLineEnd, start);
        if (end == std::string_view::npos) {
            lines.emplace_back(aText.substr(start));
            break;
        }
        lines.emplace_back(aText.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& aLines)
{
    std::string out;
    for (const std::string& line : aLines) out += line + kLineEnd;
    return out;
}

}  // namespace pos
