// The sales-by-menu detail after a close report: its sections written out
// from their formats, which sections a close prints, and its printers.

#include "CloseFixture.h"

namespace pos::test {
namespace {

using enum TPrinterType;

std::string OutletName(const std::string& aCode)
{
    return aCode == "3101" ? "스키하우스" : aCode == "3102" ? "스카이라운지" : "?" + aCode;
}

TMenuDetail BusyDetail()
{
    TMenuDetail d;
    d.sales = {{"3101", "우동", 12, 96000}, {"3101", "김치볶음밥", 3, 24000}, {"3102", "생맥주", 20, 100000}};
    d.compSales = {{"3102", "생맥주", 2, 0}};
    d.guests = {{"주간", "점심", 30, 2, 450000}, {"주간", "오후", 10, 0, 120000}, {"야간", "저녁", 25, 5, 700000}};
    d.voids = {{"3101", "우동", -8000}, {"3101", "김치볶음밥  곱빼기", -9000}, {"3102", "생맥주", -5000}};
    return d;
}

const std::vector<std::string> kSales{
    kDouble,
    "메뉴별 판매 집계",
    kSingle,
    "스키하우스",
    "  우동           :     12        96,000",
    "  김치볶음밥     :      3        24,000",
    "스카이라운지",
    "  생맥주         :     20       100,000",
};
// Each list names its own outlets, from its first row on.
const std::vector<std::string> kComp{
    kDouble,
    "메뉴별 COMP 집계",
    kSingle,
    "스카이라운지",
    "  생맥주         :      2             0",
};
const std::vector<std::string> kGuests{
    kDouble,
    "유형별/시간별 집계 (내/외국인      금액)",
    kSingle,
    "주간",
    "  점심           :  30/  2      450,000",
    "  오후           :  10/  0      120,000",
    "야간",
    "  저녁           :  25/  5      700,000",
};
// The item text keeps 17 columns: 빼 fits, 기 would not.
const std::vector<std::string> kVoids{
    kDouble,
    "VOID 내역 (영업장             VOID 금액)",
    kSingle,
    "  3101 : 우동                    -8,000",
    "       : 김치볶음밥  곱빼        -9,000",
    "  3102 : 생맥주                  -5,000",
};

std::vector<std::string> Joined(std::initializer_list<const std::vector<std::string>*> aParts)
{
    std::vector<std::string> lines;
    for (const auto* part : aParts) lines.insert(lines.end(), part->begin(), part->end());
    lines.push_back(kDouble);
    return lines;
}

TEST(MenuDetailTest, PosCloseAtAFoodAndBeverageTerminal)
{
    ExpectLines(MenuDetailLines(BusyDetail(), true, true, OutletName), Joined({&kSales, &kComp, &kGuests, &kVoids}));
}

// Guests only for a POS close at a food-and-beverage terminal, voids only
// for a POS close; a list without rows prints no section.
TEST(MenuDetailTest, SectionsOfEachClose)
{
    const TMenuDetail busy = BusyDetail();
    EXPECT_EQ(MenuDetailLines(busy, true, false, OutletName), Joined({&kSales, &kComp, &kVoids}));
    EXPECT_EQ(MenuDetailLines(busy, false, true, OutletName), Joined({&kSales, &kComp}));
    EXPECT_EQ(MenuDetailLines(busy, false, false, OutletName), Joined({&kSales, &kComp}));

    TMenuDetail quiet = busy;
    quiet.compSales.clear();
    quiet.guests.clear();
    quiet.voids.clear();
    EXPECT_EQ(MenuDetailLines(quiet, true, true, OutletName), Joined({&kSales}));
    // Nothing sold: the detail still has its heading and closing rule.
    EXPECT_EQ(MenuDetailLines(TMenuDetail{}, true, true, OutletName),
              (std::vector<std::string>{kDouble, "메뉴별 판매 집계", kSingle, kDouble}));
}

TEST(MenuDetailTest, PrintersThatAreOffered)
{
    struct Case {
        TPrinters printers;
        bool offered;
        std::vector<std::string> steps;
    };
    const Case cases[] = {
        {{ptTSP600, ptNone}, true, {"R1"}},
        {{ptTSP600, ptTSP600}, true, {"R1"}},
        {{ptTSP600, ptTSP700}, true, {"R1", "T", "P"}},
        {{ptTSP700, ptNone}, true, {"T", "P"}},
        {{ptTSP700, ptTSP600}, true, {"T", "P", "R2"}},
        {{ptTSP700, ptTSP700}, true, {"T", "P"}},
        {{ptTSP800, ptTSP700}, true, {"T", "P", "T", "P"}},
        {{ptNone, ptTSP600}, true, {"R2"}},
        {{ptNone, ptTSP700}, true, {"T", "P"}},
        {{ptBoca, ptTSP600}, true, {"R2"}},
        {{ptBoca, ptNone}, false, {}},
        {{ptFlotec, ptSRP350}, false, {}},
        {{ptNone, ptNone}, false, {}},
    };
    for (const Case& c : cases) {
        const auto where = ::testing::Message() << static_cast<int>(c.printers.printer1) << "/"
                                                << static_cast<int>(c.printers.printer2);
        EXPECT_EQ(OffersMenuDetail(c.printers), c.offered) << where;
        EXPECT_EQ(Steps(PlanMenuDetail(c.printers, SkiHouseHeader(), BusyDetail(), 3, false, true, OutletName, "hdr")),
                  c.steps)
            << where;
    }
}

// Under the report's title and header, as text or as a ticket with the
// bill header.
TEST(MenuDetailTest, TitleAndHeaderInFront)
{
    std::vector<std::string> lines{"                [POS 마감]", kSlipHeader, "마감차수:  12회"};
    const std::vector<std::string> detail = Joined({&kSales, &kComp, &kGuests, &kVoids});
    lines.insert(lines.end(), detail.begin(), detail.end());

    const TPrintPlan plan =
        PlanMenuDetail({ptTSP600, ptTSP700}, SkiHouseHeader(), BusyDetail(), 12, true, true, OutletName, "hdr");
    ASSERT_EQ(Steps(plan), (std::vector<std::string>{"R1", "T", "P"}));
    EXPECT_EQ(plan[0].text, "{X}   스키하우스 마감{S}\r" + JoinLines(lines));
    EXPECT_EQ(plan[1].header, "hdr");
    lines.insert(lines.begin(), "             스키하우스 마감");
    ExpectLines(plan[1].lines, lines);
}

}  // namespace
}  // namespace pos::test
