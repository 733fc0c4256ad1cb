#include "store/MasterStore.h"

#include "core/Codec.h"
#include "core/FileIO.h"
#include "core/ScriptedDialogService.h"
#include "store/MasterFields.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <random>

namespace pos {
namespace {

std::string reversed(const std::string& s) { return std::string(s.rbegin(), s.rend()); }

// A server whose answers each test scripts; unscripted it is no server.
class FakeMasterServer final : public TMasterServer {
public:
    bool ConnectDB() override { return ConnectDBFn ? ConnectDBFn() : false; }
    std::optional<TMirrorRows> ReadRows(TMasterRead aRead) override
    {
        return ReadRowsFn ? ReadRowsFn(aRead) : std::nullopt;
    }
    std::optional<std::string> UpjangName(const std::string& aCode) override
    {
        return UpjangNameFn ? UpjangNameFn(aCode) : std::nullopt;
    }
    std::function<bool()> ConnectDBFn;
    std::function<std::optional<TMirrorRows>(TMasterRead)> ReadRowsFn;
    std::function<std::optional<std::string>(const std::string&)> UpjangNameFn;
};

class MasterStoreTest : public ::testing::Test {
protected:
    MasterStoreTest() : store(ctx, dialogs, server)
    {
        ctx.gsFolder = dir.path().string() + "/";
        ctx.gsSaleDate = "20240105";
        ctx.gsUpjangCode = "3010";
    }

    void write(const std::string& aName, const std::string& aBytes)
    {
        ASSERT_TRUE(WriteFileAtomically(dir / aName, aBytes));
    }
    std::string read(const std::string& aName) { return ReadWholeFile(dir / aName).value_or("<missing>"); }

    int addOutlet(const std::string& aCode, const std::string& aPosNo, bool aSeason, bool aBusiness)
    {
        const int i = store.AddUpjangData();
        store.SetUpjangData(i, UpjangItem::UpjangCode, aCode);
        store.SetUpjangData(i, UpjangItem::PosNo, aPosNo);
        store.SetUpjangData(i, UpjangItem::SeasonCodeYN, aSeason ? "Y" : "N");
        store.SetUpjangData(i, UpjangItem::BusinessGubunYN, aBusiness ? "Y" : "N");
        return i;
    }
    int addGoods(const std::string& aUpjang, const std::string& aMenu, const std::string& aSeason,
                 const std::string& aKind, const std::string& aPrice = "1000")
    {
        const int i = store.AddGoodsData();
        store.SetGoodsData(i, GoodsItem::UpjangCode, aUpjang);
        store.SetGoodsData(i, GoodsItem::MenuCode, aMenu);
        store.SetGoodsData(i, GoodsItem::SeasonCode, aSeason);
        store.SetGoodsData(i, GoodsItem::BusinessGubun, aKind);
        store.SetGoodsData(i, GoodsItem::SaleUnitAmt, aPrice);
        return i;
    }
    void addCalendar(const std::string& aDate, const std::string& aSeason, const std::string& aKind,
                     const std::string& aSecret = "")
    {
        const int i = store.AddCalendarData();
        store.SetCalendarData(i, CalendarItem::Date, aDate);
        store.SetCalendarData(i, CalendarItem::SeasonCode, aSeason);
        store.SetCalendarData(i, CalendarItem::BusinessGubun, aKind);
        store.SetCalendarData(i, CalendarItem::SecretCode, aSecret);
    }

    test::TempDir dir;
    TTerminalContext ctx;
    ScriptedDialogService dialogs;
    FakeMasterServer server;
    TMasterStore store;
};

// ---- records and conversions -----------------------------------------------------

TEST_F(MasterStoreTest, FreshRecordsCarryTheDefaults)
{
    ctx.gsDaesoCodeAll = "Q";
    store.AddUpjangData();
    store.AddGoodsData();
    store.AddMenuData();
    store.AddDCData();
    store.AddEtcDCData();
    EXPECT_EQ(store.GetUpjangData(0, UpjangItem::SpecialMemberSaleYN), Variant(true));
    EXPECT_EQ(store.GetUpjangData(0, UpjangItem::OffLineYN), Variant(false));
    EXPECT_EQ(store.GetGoodsData(0, GoodsItem::TaxYN), Variant(true));
    EXPECT_EQ(store.GetGoodsData(0, GoodsItem::SaleUnitAmt), Variant(Currency(0)));
    EXPECT_EQ(store.GetMenuData(0, MenuItem::DaesoCode), Variant("Q"));
    EXPECT_EQ(store.GetDCData(0, DCItem::DCRate), Variant(std::int64_t{0}));
    EXPECT_EQ(store.GetDCData(0, DCItem::OnceUseQty), Variant(std::int64_t{-1}));
    EXPECT_EQ(store.GetDCData(0, DCItem::DailyUseQty), Variant(std::int64_t{-1}));
    EXPECT_EQ(store.GetEtcDCData(0, EtcDCItem::OnceUseQty), Variant(std::int64_t{-1}));
    EXPECT_EQ(store.GetEtcDCData(0, EtcDCItem::GenderCode), Variant(""));
    EXPECT_TRUE(store.GetGoodsData(1, 0).isEmpty());   // no such row
    EXPECT_TRUE(store.GetGoodsData(0, 28).isEmpty());  // no such item
}

TEST_F(MasterStoreTest, SetConvertsTextLikeTheParser)
{
    const int g = store.AddGoodsData();
    store.SetGoodsData(g, GoodsItem::TaxYN, "N");
    store.SetGoodsData(g, GoodsItem::DCYN, "Y");
    store.SetGoodsData(g, GoodsItem::SaleUnitAmt, "12000.5");
    EXPECT_EQ(store.GetGoodsData(g, GoodsItem::TaxYN), Variant(false));
    EXPECT_EQ(store.GetGoodsData(g, GoodsItem::DCYN), Variant(true));
    EXPECT_EQ(store.GetGoodsData(g, GoodsItem::SaleUnitAmt), Variant(Currency::fromRaw(120005000)));
    store.SetGoodsData(g, GoodsItem::SaleUnitAmt, "abc");
    EXPECT_EQ(store.GetGoodsData(g, GoodsItem::SaleUnitAmt).asAmount(), Currency(0));
    store.SetGoodsData(g, GoodsItem::DCYN, "y");  // only "Y" is true
    EXPECT_EQ(store.GetGoodsData(g, GoodsItem::DCYN), Variant(false));

    const int m = store.AddMenuData();
    store.SetMenuData(m, MenuItem::MenuNo, "12");
    store.SetMenuData(m, MenuItem::SeriesTicket, "Y");
    EXPECT_EQ(store.GetMenuData(m, MenuItem::SeriesTicket), Variant(false));
    store.SetMenuData(m, MenuItem::SeriesTicket, "2");
    EXPECT_EQ(store.GetMenuData(m, MenuItem::SeriesTicket), Variant(true));
    EXPECT_EQ(store.GetMenuData(m, MenuItem::MenuNo), Variant(std::int64_t{12}));

    const int e = store.AddEtcDCData();
    store.SetEtcDCData(e, EtcDCItem::MemberAddNoIDNoYN, "");
    store.SetEtcDCData(e, EtcDCItem::QtyAcceptYN, "");
    store.SetEtcDCData(e, EtcDCItem::GenderCode, "");
    EXPECT_EQ(store.GetEtcDCData(e, EtcDCItem::MemberAddNoIDNoYN), Variant("N"));
    EXPECT_EQ(store.GetEtcDCData(e, EtcDCItem::QtyAcceptYN), Variant("N"));
    EXPECT_EQ(store.GetEtcDCData(e, EtcDCItem::GenderCode), Variant("Z"));

    // Common codes and calendar rows read as text.
    store.AddCommonData();
    store.SetCommonData(0, CommonItem::Item15, "x");
    EXPECT_EQ(store.GetCommonData(0, CommonItem::Item15), Variant("x"));
    EXPECT_EQ(store.GetCommonData(3, 0), Variant(""));
}

// ---- mirror files written and read back byte for byte -------------------------------

struct KindCase {
    TMirrorKind kind;
    TMirrorRows rows;
};

std::vector<KindCase> canonicalRows()
{
    std::vector<std::string> upjang(31, "N");
    upjang[0] = "3010", upjang[1] = "01", upjang[2] = "한식당", upjang[3] = "Hansik\tA", upjang[4] = "30";
    upjang[5] = "F1", upjang[6] = "2", upjang[22] = "TID", upjang[23] = "감사합니다 \\ 또 오세요", upjang[24] = "";
    upjang[28] = "Y", upjang[30] = "Y";
    std::vector<std::string> goods = {"3010", "M001", "1", "2", "김치찌개", "Kimchi 'stew'", "31", "Y", "1", "9000.5",
                                      "00", "Z", "0000", "2359", "Y", "01", "N", "Y", "06", "", "S1", "", "", "", "",
                                      "T1", "", ""};
    std::vector<std::string> common = {"I0001", "01", "식음"};
    common.resize(18);
    common[17] = "last";
    return {
        {TMirrorKind::Cashier, {{"1001", "홍길동", "secret", "20240105", "30", "Y"}, {"1002", "Kim", "", "", "0", "N"}}},
        {TMirrorKind::Common, {common}},
        {TMirrorKind::Upjang, {upjang}},
        {TMirrorKind::Goods, {goods, goods}},
        {TMirrorKind::MenuGroup, {{"3010", "01", "식사"}}},
        {TMirrorKind::MenuSub, {{"3010", "01", "02", "비빔밥\r\n2"}}},
        {TMirrorKind::Menu,
         {{"3010", "01", "7", "M001", "1", "1", "비빔밥", "12000", "0900", "2100", "2", "Z", "A", "", ""},
          {"3010", "01", "8", "M002", "1", "1", "Tea", "-500.25", "", "", "1", "1", "", "", ""}}},
        {TMirrorKind::Pay, {{"110", "현금"}, {"120", "신용카드"}}},
        {TMirrorKind::Calendar, {{"20240105", "2", "1", "7731"}}},
        {TMirrorKind::DC, {{"100", "3010", "1", "1", "20", "-1", "3"}}},
        {TMirrorKind::EtcDC,
         {{"3010", "M01", "회원", "No", "6", "N", "Y", "F", "13", "010", "15", "-1", "-1", "0", "01", "5"}}},
        {TMirrorKind::Company, {{"리조트", "홍길동", "Hong", "강원도", "Gangwon", "033-1", "033-2", "123-45-67890"}}},
    };
}

TEST_F(MasterStoreTest, EveryMirrorFileIsReadBackAndRewrittenByteForByte)
{
    store.ScramblePassword = reversed;
    store.UnscramblePassword = reversed;
    for (const KindCase& c : canonicalRows()) {
        SCOPED_TRACE(std::string(MirrorFileName(c.kind)));
        ASSERT_TRUE(store.WriteMirrorRows(c.kind, c.rows));
        const std::string original = read(std::string(MirrorFileName(c.kind)));
        ASSERT_TRUE(store.LoadMirrorFile(c.kind));
        EXPECT_EQ(store.ListAsServerRows(c.kind), c.rows);  // every item read back whole
        ASSERT_TRUE(store.SaveMirrorFile(c.kind));
        EXPECT_EQ(read(std::string(MirrorFileName(c.kind))), original);
        // The same rows filled from the server give the same records.
        store.FillFromServerRows(c.kind, c.rows);
        EXPECT_EQ(store.ListAsServerRows(c.kind), c.rows);
    }
    EXPECT_TRUE(store.MirrorProblems.empty());
    EXPECT_EQ(ctx.gsSaupName, "리조트");
    EXPECT_EQ(ctx.gsSaupNo, "123-45-67890");
}

TEST_F(MasterStoreTest, CashierPasswordIsScrambledInTheFileAndClearInMemory)
{
    store.ScramblePassword = reversed;
    store.UnscramblePassword = reversed;
    ASSERT_TRUE(store.WriteMirrorRows(TMirrorKind::Cashier, {{"1001", "Kim", "abc1", "20240105", "30", "Y"}}));
    EXPECT_EQ(read("Cashier.dat"), "'1001'\t'Kim'\t'1cba'\t'20240105'\t30\t'Y'\t\r\n");
    ctx.gbOffLine = true;
    ASSERT_TRUE(store.ReadCashierData(true));
    ASSERT_EQ(store.glCashierData.size(), 1u);
    EXPECT_EQ(store.glCashierData[0].Password, "abc1");
    EXPECT_EQ(store.GetCashierData(0, CashierItem::RemainDay), Variant(std::int64_t{30}));
    EXPECT_EQ(store.GetCashierData(0, CashierItem::AdminYN), Variant(true));
    // A password change rewrites the file from memory, scrambled again.
    store.SetCashierData(0, CashierItem::Password, "new9");
    ASSERT_TRUE(store.SaveMirrorFile(TMirrorKind::Cashier));
    EXPECT_EQ(read("Cashier.dat"), "'1001'\t'Kim'\t'9wen'\t'20240105'\t30\t'Y'\t\r\n");
}

TEST_F(MasterStoreTest, MissingTrailingTabLeavesTheLastItemAtItsDefault)
{
    std::string line;
    for (int i = 0; i < 30; ++i) line += "'" + std::string(i == 0 ? "3010" : "Y") + "'\t";
    write("Upjang.dat", line + "'N'\r\n" + line + "'N'\t\r\n");
    ctx.gbOffLine = true;
    ASSERT_TRUE(store.ReadUpjangData(true));
    ASSERT_EQ(store.glUpjangData.size(), 2u);
    EXPECT_TRUE(store.glUpjangData[0].SpecialMemberSaleYN);  // 'N' without TAB was not read
    EXPECT_TRUE(store.glUpjangData[0].BusinessGubunYN);
    EXPECT_FALSE(store.glUpjangData[1].SpecialMemberSaleYN);
    ASSERT_EQ(store.MirrorProblems.size(), 2u);  // 30 fields of 31, and text after the last TAB
    EXPECT_EQ(store.MirrorProblems[0].Line, 1);
}

TEST_F(MasterStoreTest, QuotedEmptyTextIsStoredEmptyAndBlankKeepsTheDefault)
{
    write("Menu.dat", "'3010'\t'01'\t1\t'M1'\t'1'\t'1'\t'A'\t100\t''\t''\t''\t''\t\r\n"
                      "'3010'\t'01'\t2\t'M2'\t'1'\t'1'\t'B'\t100\t''\t''\t''\t \t\r\n");
    ASSERT_TRUE(store.LoadMirrorFile(TMirrorKind::Menu));
    ASSERT_EQ(store.glMenuData.size(), 2u);
    EXPECT_EQ(store.glMenuData[0].DaesoCode, "");   // '' is set: empty
    EXPECT_EQ(store.glMenuData[1].DaesoCode, "Z");  // blank: default gsDaesoCodeAll
    EXPECT_EQ(store.glMenuData[0].DispTimeFrom, "");
}

TEST_F(MasterStoreTest, SeriesTicketTwoOnLineAndOffLine)
{
    const TMirrorRows rows = {{"3010", "01", "1", "M1", "1", "1", "Lift", "50000", "", "", "2", "1", "", "", ""},
                              {"3010", "01", "2", "M2", "1", "1", "Lift", "50000", "", "", "Y", "1", "", "", ""}};
    store.FillFromServerRows(TMirrorKind::Menu, rows);  // on line: from the server's columns
    EXPECT_EQ(store.GetMenuData(0, MenuItem::SeriesTicket), Variant(true));
    EXPECT_EQ(store.GetMenuData(1, MenuItem::SeriesTicket), Variant(false));
    ASSERT_TRUE(store.WriteMirrorRows(TMirrorKind::Menu, rows));
    EXPECT_NE(read("Menu.dat").find("\t'2'\t"), std::string::npos);
    store.glMenuData.clear();
    ASSERT_TRUE(store.LoadMirrorFile(TMirrorKind::Menu));  // off line: from the file
    EXPECT_EQ(store.GetMenuData(0, MenuItem::SeriesTicket), Variant(true));
    EXPECT_EQ(store.GetMenuData(1, MenuItem::SeriesTicket), Variant(false));
    EXPECT_EQ(store.GetMenuData(0, MenuItem::SaleUnitAmt), Variant(Currency(50000)));
}

TEST_F(MasterStoreTest, DamagedLinesAreReportedToTheLogHookAndStillLoaded)
{
    std::vector<std::string> logged;
    store.LogProblem = [&](const TMirrorProblem& p) { logged.push_back(FormatMirrorProblem(p)); };
    write("MenuGroup.dat", "'3010'\t'01'\t'\xBD\xC4\xBB\xE7'\t\r\n'3010'\t'02'\t'\xBD'\t\r\n'3010'\t'03'\t\r\n");
    ASSERT_TRUE(store.LoadMirrorFile(TMirrorKind::MenuGroup));
    ASSERT_EQ(store.glMenuGroupData.size(), 3u);
    EXPECT_EQ(store.glMenuGroupData[0].MenuGroupName, "식사");
    EXPECT_EQ(store.glMenuGroupData[1].MenuGroupName, "\xEF\xBF\xBD");  // U+FFFD
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[0], "MenuGroup.dat line 2: field 2 is not valid CP949 (kept with U+FFFD)");
    EXPECT_EQ(logged[1], "MenuGroup.dat line 3: 2 fields, expected 3 (missing items keep their defaults)");
    EXPECT_EQ(store.MirrorProblems.size(), 2u);
}

TEST_F(MasterStoreTest, ReloadReusesRecordsAndPutsAbsentItemsBackToDefaults)
{
    write("Menu.dat", "'3010'\t'01'\t1\t'M1'\t'1'\t'1'\t'A long menu name over SSO'\t100\t''\t''\t'2'\t'X'\t\r\n"
                      "'3010'\t'01'\t2\t'M2'\t'1'\t'1'\t'B'\t200\t''\t''\t'2'\t'X'\t\r\n");
    ASSERT_TRUE(store.LoadMirrorFile(TMirrorKind::Menu));
    ASSERT_EQ(store.glMenuData.size(), 2u);
    EXPECT_TRUE(store.glMenuData[0].SeriesTicket);
    write("Menu.dat", "'3011'\t'02'\t \t'M9'\t\r\n");
    ASSERT_TRUE(store.LoadMirrorFile(TMirrorKind::Menu));
    ASSERT_EQ(store.glMenuData.size(), 1u);
    const TMenuData& m = store.glMenuData[0];
    EXPECT_EQ(m.UpjangCode, "3011");
    EXPECT_EQ(m.MenuNo, 0);
    EXPECT_EQ(m.MenuCode, "M9");
    EXPECT_EQ(m.MenuName, "");
    EXPECT_EQ(m.SaleUnitAmt, Currency(0));
    EXPECT_FALSE(m.SeriesTicket);
    EXPECT_EQ(m.DaesoCode, "Z");
    std::remove((dir / "Menu.dat").c_str());
    EXPECT_FALSE(store.LoadMirrorFile(TMirrorKind::Menu));
    EXPECT_TRUE(store.glMenuData.empty());
}

TEST_F(MasterStoreTest, MissingFileLeavesTheListEmpty)
{
    store.AddGoodsData();
    EXPECT_FALSE(store.LoadMirrorFile(TMirrorKind::Goods));
    EXPECT_TRUE(store.glGoodsData.empty());
    EXPECT_FALSE(store.LoadMirrorFile(TMirrorKind::Company));
    EXPECT_FALSE(store.LoadMirrorFile(TMirrorKind::Pay));
}

// ---- reads off line and on line ------------------------------------------------------

TEST_F(MasterStoreTest, OffLineReadsNeedTheFlagAndTheFile)
{
    ctx.gbOffLine = true;
    store.AddCashierData();
    EXPECT_FALSE(store.ReadCashierData(true));  // no file
    EXPECT_TRUE(store.glCashierData.empty());
    ASSERT_TRUE(store.WriteMirrorRows(TMirrorKind::Cashier, {{"1", "A", "p", "", "0", "N"}}));
    EXPECT_FALSE(store.ReadCashierData(false));  // file, but no off-line download
    EXPECT_TRUE(store.glCashierData.empty());
    EXPECT_TRUE(store.ReadCashierData(true));
    EXPECT_EQ(store.glCashierData.size(), 1u);
}

TEST_F(MasterStoreTest, OffLineCommonCodesKeepOnlyTheOutletGroupHead)
{
    std::vector<std::string> sod = {"I0001", "F1", "식음"}, card = {"Z0021", "01", "BC"}, sod2 = {"I0001", "F2", "Ski"};
    sod.resize(18), card.resize(18), sod2.resize(18);
    ASSERT_TRUE(store.WriteMirrorRows(TMirrorKind::Common, {sod, card, sod2}));
    ctx.gbOffLine = true;
    ASSERT_TRUE(store.ReadCommonData(true));
    ASSERT_EQ(store.glCommonData.size(), 2u);
    EXPECT_EQ(store.GetCommonData("I0001", "F2", CommonItem::CodeName), "Ski");
    EXPECT_EQ(store.GetCommonData(ctx.gsCommonCardCompany, "01", CommonItem::CodeName), "");  // card tables empty
    // The whole file is loaded by the download's off-line step.
    ASSERT_TRUE(store.LoadMirrorFile(TMirrorKind::Common));
    EXPECT_EQ(store.glCommonData.size(), 3u);
    EXPECT_EQ(store.GetCommonData(ctx.gsCommonCardCompany, "01", CommonItem::CodeName), "BC");
}

TEST_F(MasterStoreTest, OnLineReadsGoThroughTheServer)
{
    store.AddCashierData();
    EXPECT_FALSE(store.ReadCashierData(true));  // on line, the server does not answer
    EXPECT_TRUE(store.glCashierData.empty());

    int connects = 0;
    std::vector<TMasterRead> asked;
    server.ConnectDBFn = [&] { ++connects; return true; };
    server.ReadRowsFn = [&](TMasterRead r) -> std::optional<TMirrorRows> {
        asked.push_back(r);
        switch (r) {
        case TMasterRead::Cashier: return TMirrorRows{{"1001", "Kim", "pw", "20240101", "12", "Y"}};
        case TMasterRead::Upjang: return TMirrorRows{{"3010", "01", "한식당", "30", "F1"}};
        case TMasterRead::Common: return std::nullopt;  // statement failed
        default: return TMirrorRows{};
        }
    };
    EXPECT_TRUE(store.ReadCashierData(false));
    EXPECT_EQ(store.glCashierData[0].Password, "pw");
    EXPECT_EQ(store.glCashierData[0].RemainDay, 12);
    EXPECT_TRUE(store.ReadUpjangData(false));
    EXPECT_EQ(store.GetUpjangData("3010", UpjangItem::UpjangType), Variant("30"));
    EXPECT_FALSE(store.ReadCommonData(false));
    EXPECT_EQ(connects, 3);
    EXPECT_EQ(asked, (std::vector<TMasterRead>{TMasterRead::Cashier, TMasterRead::Upjang, TMasterRead::Common}));

    // ConnectDB that finds the server gone switches to the file branch.
    server.ConnectDBFn = [&] { ctx.gbOffLine = true; return false; };
    ASSERT_TRUE(store.WriteMirrorRows(TMirrorKind::Cashier, {{"2", "B", "q", "", "0", "N"}}));
    EXPECT_TRUE(store.ReadCashierData(true));
    EXPECT_EQ(store.glCashierData[0].CashierNo, "2");
}

// Fault 2: the on-line outlet read delivers type and group in columns 3 and 4.
TEST_F(MasterStoreTest, ReadUpjangRowMapsTypeAndGroupToTheirItems)
{
    const TUpjangData u = MapReadUpjangRow({"5001", "03", "리프트", "50", "SKI"});
    EXPECT_EQ(u.UpjangCode, "5001");
    EXPECT_EQ(u.PosNo, "03");
    EXPECT_EQ(u.UpjangName, "리프트");
    EXPECT_EQ(u.UpjangEngName, "");  // not column 3
    EXPECT_EQ(u.UpjangType, "50");
    EXPECT_EQ(u.SodGubunCode, "SKI");
    EXPECT_EQ(u.FirstFormCode, "");
    EXPECT_TRUE(u.SpecialMemberSaleYN);  // other items at their defaults
    EXPECT_FALSE(u.OffLineYN);
    const TUpjangData shortRow = MapReadUpjangRow({"5001"});
    EXPECT_EQ(shortRow.UpjangCode, "5001");
    EXPECT_EQ(shortRow.UpjangType, "");
    // The type drives the ski test of the download (first outlet's UpjangType).
    server.ReadRowsFn = [](TMasterRead) -> std::optional<TMirrorRows> {
        return TMirrorRows{{"5001", "03", "Lift", "50", "SKI"}};
    };
    ASSERT_TRUE(store.ReadUpjangData(false));
    EXPECT_EQ(store.GetUpjangData(0, UpjangItem::UpjangType).asText(), ctx.gsUpjangTypeSki);
}

TEST_F(MasterStoreTest, UpjangLookupsByCodeAndRow)
{
    addOutlet("3010", "01", false, false);
    store.SetUpjangData(0, UpjangItem::UpjangName, "First");
    addOutlet("3010", "02", false, false);
    store.SetUpjangData(1, UpjangItem::UpjangName, "Second");
    EXPECT_EQ(store.GetUpjangData("3010", UpjangItem::PosNo), Variant("01"));
    EXPECT_EQ(store.GetUpjangData(0, UpjangItem::UpjangName), Variant("First"));
    EXPECT_TRUE(store.GetUpjangData("9999", UpjangItem::PosNo).isEmpty());
    EXPECT_EQ(store.GetUpjangName("3010"), "First");
    EXPECT_EQ(store.GetUpjangName("9999"), "");
    server.UpjangNameFn = [](const std::string& c) -> std::optional<std::string> { return "srv" + c; };
    EXPECT_EQ(store.GetUpjangName("9999"), "srv9999");
    ctx.gbOffLine = true;
    EXPECT_EQ(store.GetUpjangName("9999"), "");
}

TEST_F(MasterStoreTest, CommonAndPartnerDiscountLookupsTakeTheFirstMatch)
{
    for (const char* name : {"one", "two"}) {
        const int i = store.AddCommonData();
        store.SetCommonData(i, CommonItem::Head, "Z0021");
        store.SetCommonData(i, CommonItem::Code, "01");
        store.SetCommonData(i, CommonItem::CodeName, name);
        const int e = store.AddEtcDCData();
        store.SetEtcDCData(e, EtcDCItem::MemberNo, "M1");
        store.SetEtcDCData(e, EtcDCItem::MemberName, name);
    }
    EXPECT_EQ(store.GetCommonData("Z0021", "01", CommonItem::CodeName), "one");
    EXPECT_EQ(store.GetCommonData("Z0021", "02", CommonItem::CodeName), "");
    EXPECT_EQ(store.GetEtcDCData("M1", EtcDCItem::MemberName), Variant("one"));
    EXPECT_EQ(store.GetEtcDCData("M1", EtcDCItem::DCRate), Variant(std::int64_t{0}));
    EXPECT_EQ(store.GetEtcDCData("M9", EtcDCItem::DCRate), Variant(""));
}

// ---- calendar, goods and their tie-breaks ---------------------------------------------

TEST_F(MasterStoreTest, SeasonAndBusinessDayFollowTheOutletFlagsAndTheCalendar)
{
    addOutlet("3010", "01", true, true);
    addOutlet("3020", "01", false, false);
    addCalendar("20240105", "2", "3", "7731");
    addCalendar("20240105", "9", "9", "0000");  // a second row for the date: the first wins
    EXPECT_EQ(store.GetSeasonCode("20240105", "3010"), "2");
    EXPECT_EQ(store.GetBusinessGubun("20240105", "3010"), "3");
    EXPECT_EQ(store.GetSeasonCode("", ""), "2");     // gsSaleDate, gsUpjangCode
    EXPECT_EQ(store.GetSeasonCode("2024", "3010"), "2");  // not 8 bytes: gsSaleDate
    EXPECT_EQ(store.GetSeasonCode("20240105", "3020"), "1");  // flag false
    EXPECT_EQ(store.GetSeasonCode("20240106", "3010"), "1");  // no calendar row
    EXPECT_EQ(store.GetBusinessGubun("20240106", "3010"), "1");
    EXPECT_EQ(store.GetSeasonCode("20240105", "0000"), "1");  // unknown outlet
    EXPECT_EQ(store.GetSecretCode(""), "7731");
    EXPECT_EQ(store.GetSecretCode("20240106"), "");
}

TEST_F(MasterStoreTest, LaterGoodsRowWinsWhenTheOutletIgnoresSeasons)
{
    addOutlet("3010", "01", false, false);
    addGoods("3010", "M1", "1", "1", "1000");
    addGoods("3010", "M1", "2", "1", "2000");
    EXPECT_EQ(store.GetGoodsDataIndex("3010", "M1"), 1);
    EXPECT_EQ(store.GetGoodsDataIndex("3010", "M2"), -1);
    EXPECT_EQ(store.GetGoodsDataIndex("3020", "M1"), -1);
}

TEST_F(MasterStoreTest, SeasonOutletWithoutCalendarRowUsesSeasonOne)
{
    addOutlet("3010", "01", true, false);
    addGoods("3010", "M1", "1", "1", "1000");
    addGoods("3010", "M1", "2", "1", "2000");
    addGoods("3010", "M1", "1", "2", "3000");  // business day ignored: passes, later row
    EXPECT_EQ(store.GetGoodsDataIndex("3010", "M1"), 2);
    addCalendar("20240105", "2", "1");
    EXPECT_EQ(store.GetGoodsDataIndex("3010", "M1"), 1);
    store.SetUpjangData(0, UpjangItem::BusinessGubunYN, "Y");
    EXPECT_EQ(store.GetGoodsDataIndex("3010", "M1"), 1);
    store.SetCalendarData(0, CalendarItem::SeasonCode, "1");
    EXPECT_EQ(store.GetGoodsDataIndex("3010", "M1"), 0);  // season 1, day 1: row 2 (day 2) fails
}

TEST_F(MasterStoreTest, UnknownGoodsAreTaxedAtPriceZero)
{
    EXPECT_EQ(store.GetGoodsData("3010", "NONE", "1", "1", GoodsItem::TaxYN), Variant(true));
    EXPECT_EQ(store.GetGoodsData("3010", "NONE", "1", "1", GoodsItem::SaleUnitAmt), Variant(Currency(0)));
    for (int item : {GoodsItem::DCYN, GoodsItem::OpenCodeYN, GoodsItem::KitchenPrtYN})
        EXPECT_EQ(store.GetGoodsData("3010", "NONE", "1", "1", item), Variant(false));
    EXPECT_EQ(store.GetGoodsData("3010", "NONE", "1", "1", GoodsItem::MenuName), Variant(""));
    EXPECT_EQ(store.GetGoodsData("NONE", GoodsItem::SaleUnitAmt).asAmount(), Currency(0));
}

TEST_F(MasterStoreTest, GoodsByKeysTakeTheFirstMatchAndTheShortForms)
{
    addGoods("3010", "M1", "1", "1", "1000");
    addGoods("3010", "M1", "1", "1", "1100");  // duplicate keys: the first wins
    addGoods("3010", "M1", "2", "1", "2000");
    addGoods("3020", "M1", "2", "1", "3000");
    EXPECT_EQ(store.GetGoodsData("3010", "M1", "1", "1", GoodsItem::SaleUnitAmt), Variant(Currency(1000)));
    EXPECT_EQ(store.GetGoodsData("M1", "2", "1", GoodsItem::SaleUnitAmt), Variant(Currency(2000)));  // gsUpjangCode
    addCalendar("20991231", "2", "1");  // the first calendar row decides, whatever its date
    EXPECT_EQ(store.GetGoodsData("M1", GoodsItem::SaleUnitAmt), Variant(Currency(2000)));
    ctx.gsUpjangCode = "3020";
    EXPECT_EQ(store.GetGoodsData("M1", GoodsItem::SaleUnitAmt), Variant(Currency(3000)));
}

// Fault 3: the any-outlet form tests each row against its own outlet.
TEST_F(MasterStoreTest, AnyOutletGoodsIndexDoesNotDependOnRowOrder)
{
    // Outlet A sells by season (season 2 today), outlet B does not.
    auto setUp = [&](bool aBFirst) {
        store.glUpjangData.clear();
        store.glGoodsData.clear();
        store.glCalendarData.clear();
        store.InvalidateIndexes();
        addOutlet("A", "01", true, false);
        addOutlet("B", "02", false, false);
        addCalendar("20240105", "2", "1");
        ctx.gsUpjangCode = "A";
        if (aBFirst) {
            addGoods("B", "M", "1", "1");  // valid: B ignores seasons
            addGoods("A", "M", "1", "1");  // not valid: A is in season 2
        } else {
            addGoods("A", "M", "1", "1");
            addGoods("B", "M", "1", "1");
        }
    };
    // The old scan, for comparison: flags of whatever aUpjangCode holds.
    auto oldScan = [&](const std::string& aMenu, std::string& aUpjang, std::string& aPos) {
        int result = -1;
        const std::string season = store.GetSeasonCode(ctx.gsSaleDate, "");
        for (std::size_t i = 0; i < store.glGoodsData.size(); ++i) {
            const TGoodsData& g = store.glGoodsData[i];
            if (g.MenuCode != aMenu) continue;
            if (store.GetUpjangData(aUpjang, UpjangItem::SeasonCodeYN).asFlag() && g.SeasonCode != season) continue;
            aUpjang = g.UpjangCode;
            aPos = store.GetUpjangData(g.UpjangCode, UpjangItem::PosNo).asText();
            result = static_cast<int>(i);
        }
        return result;
    };
    for (bool bFirst : {true, false}) {
        SCOPED_TRACE(bFirst ? "B row first" : "A row first");
        setUp(bFirst);
        std::string upjang, pos;
        const int row = store.GetGoodsDataIndex("M", upjang, pos);
        EXPECT_EQ(row, bFirst ? 0 : 1);
        EXPECT_EQ(upjang, "B");
        EXPECT_EQ(pos, "02");
        // Consistent with the first form for each outlet.
        EXPECT_EQ(store.GetGoodsDataIndex("B", "M"), row);
        EXPECT_EQ(store.GetGoodsDataIndex("A", "M"), -1);
        // The old scan picked A's row, which is not valid for A today.
        std::string oldUpjang, oldPos;
        EXPECT_EQ(store.glGoodsData[static_cast<std::size_t>(oldScan("M", oldUpjang, oldPos))].UpjangCode, "A");
    }
    std::string upjang = "keep", pos = "keep";
    EXPECT_EQ(store.GetGoodsDataIndex("NONE", upjang, pos), -1);
    EXPECT_EQ(upjang, "keep");
    EXPECT_EQ(pos, "keep");
}

// The indexed look-ups against plain scans written from the look-up rules, on
// random data with many duplicate keys, with changes between the queries.
TEST_F(MasterStoreTest, SeasonOfAnotherOutletIsTheCalendarsNotTheSellingOutlets)
{
    // The terminal sells at 3010, which ignores seasons; 3020 keeps its goods
    // per season. Its winter goods must be found for 3020 on a winter day.
    addOutlet("3010", "01", false, false);
    addOutlet("3020", "02", true, false);
    addCalendar("20240105", "2", "1");
    addGoods("3020", "M1", "1", "1", "1000");
    addGoods("3020", "M1", "2", "1", "2000");
    addGoods("3020", "M1", "1", "1", "1500");
    EXPECT_EQ(store.GetGoodsDataIndex("3020", "M1"), 1);
    std::string upjang, posNo;
    EXPECT_EQ(store.GetGoodsDataIndex("M1", upjang, posNo), 1);
    EXPECT_EQ(upjang, "3020");
    EXPECT_EQ(posNo, "02");
}

class Reference {
public:
    Reference(const TMasterStore& s, const TTerminalContext& c) : s_(s), c_(c) {}
    const TUpjangData* upjang(const std::string& code) const
    {
        for (const auto& u : s_.glUpjangData)
            if (u.UpjangCode == code) return &u;
        return nullptr;
    }
    // The calendar's season (business-day kind) of the business date; a row is
    // held to it only when its own outlet's flag is set (passes).
    std::string season(bool aBusiness) const
    {
        for (const auto& d : s_.glCalendarData)
            if (d.Date == c_.gsSaleDate) return aBusiness ? d.BusinessGubun : d.SeasonCode;
        return "1";
    }
    bool passes(const TGoodsData& g, const std::string& outlet) const
    {
        const TUpjangData* u = upjang(outlet);
        const bool sf = u && u->SeasonCodeYN, bf = u && u->BusinessGubunYN;
        return (!sf || g.SeasonCode == season(false)) && (!bf || g.BusinessGubun == season(true));
    }
    int index(const std::string& up, const std::string& menu) const
    {
        int r = -1;
        for (std::size_t i = 0; i < s_.glGoodsData.size(); ++i) {
            const auto& g = s_.glGoodsData[i];
            if (g.UpjangCode == up && g.MenuCode == menu && passes(g, up)) r = static_cast<int>(i);
        }
        return r;
    }
    int anyOutlet(const std::string& menu, std::string& up, std::string& pos) const
    {
        int r = -1;
        for (std::size_t i = 0; i < s_.glGoodsData.size(); ++i) {
            const auto& g = s_.glGoodsData[i];
            if (g.MenuCode == menu && passes(g, g.UpjangCode)) {
                r = static_cast<int>(i);
                up = g.UpjangCode;
                const TUpjangData* u = upjang(g.UpjangCode);
                pos = u ? u->PosNo : "";
            }
        }
        return r;
    }
    std::string price(const std::string& up, const std::string& menu, const std::string& se, const std::string& bg) const
    {
        for (const auto& g : s_.glGoodsData)
            if (g.UpjangCode == up && g.MenuCode == menu && g.SeasonCode == se && g.BusinessGubun == bg)
                return g.SaleUnitAmt.toText();
        return "0";
    }

private:
    const TMasterStore& s_;
    const TTerminalContext& c_;
};

TEST_F(MasterStoreTest, IndexedLookupsMatchAPlainScanOnRandomData)
{
    std::mt19937 rng(20240105);
    auto pick = [&](std::initializer_list<const char*> l) { return std::string(l.begin()[rng() % l.size()]); };
    const Reference ref(store, ctx);
    auto code = [&] { return pick({"A", "B", "C", "D", "X"}); };
    auto menu = [&] { return pick({"M0", "M1", "M2", "M3", "M4", "M5"}); };
    auto season = [&] { return pick({"1", "2", "3"}); };
    auto kind = [&] { return pick({"1", "2"}); };
    auto date = [&] { return pick({"20240101", "20240102", "20240103"}); };

    for (int round = 0; round < 60; ++round) {
        store.glUpjangData.clear();
        store.glGoodsData.clear();
        store.glCalendarData.clear();
        store.InvalidateIndexes();
        for (int i = 0; i < 6; ++i) addOutlet(code(), std::to_string(i), rng() % 2, rng() % 2);
        for (int i = 0; i < 3; ++i) addCalendar(date(), season(), kind());
        for (int i = 0; i < 80; ++i) addGoods(code(), menu(), season(), kind(), std::to_string(i));
        for (int q = 0; q < 80; ++q) {
            ctx.gsUpjangCode = code();
            ctx.gsSaleDate = pick({"20240101", "20240102", "20240103", "20240104"});
            const std::string up = code(), m = menu(), se = season(), bg = kind();
            ASSERT_EQ(store.GetGoodsDataIndex(up, m), ref.index(up, m)) << round << "/" << q;
            std::string u1 = "?", p1 = "?", u2 = "?", p2 = "?";
            ASSERT_EQ(store.GetGoodsDataIndex(m, u1, p1), ref.anyOutlet(m, u2, p2));
            ASSERT_EQ(u1, u2);
            ASSERT_EQ(p1, p2);
            ASSERT_EQ(store.GetGoodsData(up, m, se, bg, GoodsItem::SaleUnitAmt).asText(), ref.price(up, m, se, bg));
            const TUpjangData* u = ref.upjang(up);
            ASSERT_EQ(store.GetUpjangData(up, UpjangItem::PosNo), u ? Variant(u->PosNo) : Variant());
            // Changes through the store between queries keep the indexes right.
            switch (rng() % 4) {
            case 0: addGoods(code(), menu(), season(), kind(), "7"); break;
            case 1: store.SetGoodsData(static_cast<int>(rng() % store.glGoodsData.size()), GoodsItem::MenuCode, menu()); break;
            case 2: store.SetUpjangData(static_cast<int>(rng() % store.glUpjangData.size()), UpjangItem::UpjangCode, code()); break;
            case 3:
                // A direct edit of a key field, followed by the documented call.
                store.glGoodsData[rng() % store.glGoodsData.size()].SeasonCode = season();
                store.InvalidateIndexes();
                break;
            }
        }
        // Direct erase: noticed without a call (the size changed).
        store.glGoodsData.erase(store.glGoodsData.begin());
        for (int q = 0; q < 10; ++q) {
            const std::string up = code(), m = menu();
            ASSERT_EQ(store.GetGoodsDataIndex(up, m), ref.index(up, m));
        }
    }
}

// ---- member discounts ------------------------------------------------------------------

TEST_F(MasterStoreTest, MemberDiscountsClearPerTheRuleAndReadOnLine)
{
    std::vector<std::string> master(18), other(18);
    master[1] = "M100", master[17] = "Y";
    other[1] = "X200", other[17] = "N";
    store.AddDCMemberData(master);
    store.AddDCMemberData(other);
    store.AddDCMemberData(other);
    EXPECT_EQ(store.GetDCMemberData(0, DCMemberItem::MasterMemberYN), Variant(true));
    ctx.gbOffLine = true;
    EXPECT_FALSE(store.ReadDCMemberData(false));
    ASSERT_EQ(store.glDCMemberData.size(), 1u);  // the master-member row stays
    EXPECT_EQ(store.glDCMemberData[0].AcceptMemberNo, "M100");
    EXPECT_FALSE(store.ReadDCMemberData(true));
    EXPECT_TRUE(store.glDCMemberData.empty());

    ctx.gbOffLine = false;
    ctx.giSign = -1;
    ctx.gsMasterMemberNo = "M1";
    server.ReadRowsFn = [](TMasterRead r) -> std::optional<TMirrorRows> {
        if (r == TMasterRead::DCMember)
            return TMirrorRows{{"3010", "M100", "3", "m", "", "", "Kim", "13", "010", "1", "20", "1", "2", "3", "rem", "Y"},
                               {"3010", "X200", "4", "m", "", "", "Lee", "13", "010", "1", "20", "1", "0", "3", "", "N"}};
        if (r == TMasterRead::DCMenu)
            return TMirrorRows{{"3010", "M100", "1", "MENU", "1", "1", "m", "", "", "Kim", "13", "010", "1", "500", "1", "2", "Y"}};
        return std::nullopt;
    };
    EXPECT_TRUE(store.ReadDCMemberData(true));
    ASSERT_EQ(store.glDCMemberData.size(), 2u);
    const TDCMemberData& d = store.glDCMemberData[0];
    EXPECT_EQ(d.Seq, 3);
    EXPECT_EQ(d.DCRate, 20);  // a return bill does not sign the rate
    EXPECT_EQ(d.YearlyUseCount, 3);
    EXPECT_EQ(d.Remark, "rem");
    EXPECT_TRUE(d.KeyInYN);
    EXPECT_TRUE(d.DCYN);
    EXPECT_TRUE(d.MasterMemberYN);
    EXPECT_FALSE(store.glDCMemberData[1].DCYN);  // daily count 0
    EXPECT_FALSE(store.glDCMemberData[1].MasterMemberYN);
    // An empty master member number marks no row (Pos('', s) = 0).
    ctx.gsMasterMemberNo.clear();
    EXPECT_FALSE(MapReadDCMemberRow({"3010", "M100"}, ctx).MasterMemberYN);

    EXPECT_TRUE(store.ReadDCMenuData());
    EXPECT_TRUE(store.ReadDCMenuData());  // read again: replaced, not doubled
    ASSERT_EQ(store.glDCMenuData.size(), 1u);
    store.AddDCMenuData(std::vector<std::string>(DCMenuItem::Count));
    EXPECT_EQ(store.GetDCMenuData(0, DCMenuItem::DCAmt), Variant(Currency(500)));
    EXPECT_EQ(store.GetDCMenuData(0, DCMenuItem::KeyInYN), Variant(true));
    store.DeleteDCMenuData(0);
    store.DeleteDCMenuData(5);  // out of range: nothing
    EXPECT_EQ(store.glDCMenuData.size(), 1u);
    store.DeleteDCMemberData(1);
    EXPECT_EQ(store.glDCMemberData.size(), 1u);
    ctx.gbOffLine = true;
    EXPECT_FALSE(store.ReadDCMenuData());
    EXPECT_TRUE(store.glDCMenuData.empty());
}

// ---- held and table bills -------------------------------------------------------------

std::vector<std::string> waitValues(int n)
{
    return {std::to_string(n), "1200", "15000", "list", "footer", "0", "2", "1", "L01", "Y"};
}

TEST_F(MasterStoreTest, TheTwentySixthHeldBillIsRefused)
{
    for (int n = 1; n <= 25; ++n) ASSERT_TRUE(store.AddWaitData(waitValues(n)));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(store.AddWaitData(waitValues(26)));
    EXPECT_EQ(store.glWaitData.size(), 25u);
    ASSERT_NE(dialogs.last(), nullptr);
    EXPECT_EQ(dialogs.last()->kind, ScriptedDialogService::Kind::Err);
    EXPECT_TRUE(dialogs.last()->beep);
    EXPECT_EQ(dialogs.last()->text,
              "최대 대기 건수(25건)를 넘어서 더 이상 대기를 할 수 없습니다.\r현재 전표를 취소한 후 대기를 하십시오.");
    // Values 0-8 are taken; OrderYN stays false.
    EXPECT_EQ(store.GetWaitData(0, WaitItem::Amt), Variant(Currency(15000)));
    EXPECT_EQ(store.GetWaitData(0, WaitItem::LockerNo), Variant("L01"));
    EXPECT_EQ(store.GetWaitData(0, WaitItem::OrderYN), Variant(false));
}

TEST_F(MasterStoreTest, DeletingHeldBillTwoOfFourRenumbersWithLinesAndDiscounts)
{
    for (int n = 1; n <= 4; ++n) {
        store.AddWaitData(waitValues(n));
        for (int line = 0; line < 2; ++line)
            store.AddWaitListData({std::to_string(n), "3010", "01", "M" + std::to_string(n), "1", "1", "1", "N", "1000", "0", "N"});
        std::vector<std::string> member(19), menu(18);
        member[0] = menu[0] = std::to_string(n);
        member[2] = menu[2] = "A" + std::to_string(n);
        store.AddWaitDCMemberData(member);
        store.AddWaitDCMenuData(menu);
    }
    store.DeleteWaitData(2);
    ASSERT_EQ(store.glWaitData.size(), 3u);
    std::vector<std::int64_t> waitNos;
    for (const auto& w : store.glWaitData) waitNos.push_back(w.WaitNo);
    EXPECT_EQ(waitNos, (std::vector<std::int64_t>{1, 2, 3}));
    ASSERT_EQ(store.glWaitListData.size(), 6u);
    EXPECT_EQ(store.GetWaitListData(2, WaitListItem::WaitNo), Variant(std::int64_t{2}));
    EXPECT_EQ(store.GetWaitListData(2, WaitListItem::MenuCode), Variant("M3"));
    EXPECT_EQ(store.GetWaitListData(5, WaitListItem::WaitNo), Variant(std::int64_t{3}));
    EXPECT_EQ(store.GetWaitListData(5, WaitListItem::MenuCode), Variant("M4"));
    ASSERT_EQ(store.glWaitDCMemberData.size(), 3u);
    EXPECT_EQ(store.glWaitDCMemberData[1].WaitNo, 2);
    EXPECT_EQ(store.glWaitDCMemberData[1].AcceptMemberNo, "A3");
    ASSERT_EQ(store.glWaitDCMenuData.size(), 3u);
    EXPECT_EQ(store.GetWaitDCMenuData(2, WaitDCMenuItem::WaitNo), Variant(std::int64_t{3}));
    EXPECT_EQ(store.GetWaitDCMenuData(2, WaitDCMenuItem::AcceptMemberNo), Variant("A4"));
    store.ClearWaitData();
    EXPECT_TRUE(store.glWaitData.empty() && store.glWaitListData.empty() && store.glWaitDCMemberData.empty() &&
                store.glWaitDCMenuData.empty());
}

TEST_F(MasterStoreTest, TableBillsTakeAllTenItems)
{
    store.AddTableData(waitValues(7));
    EXPECT_EQ(store.GetTableData(0, WaitItem::WaitNo), Variant(std::int64_t{7}));
    EXPECT_EQ(store.GetTableData(0, WaitItem::OrderYN), Variant(true));
    store.ClearTableData();
    EXPECT_TRUE(store.glTableData.empty());
}

// ---- tenders and company header ---------------------------------------------------------

TEST_F(MasterStoreTest, TendersAndCompanyHeader)
{
    write("Pay.dat", "'\xC7\xF6\xB1\xDD'\t110\t\r\n'Card'\t120\t\r\n");
    ASSERT_TRUE(store.LoadMirrorFile(TMirrorKind::Pay));
    ASSERT_EQ(store.glPayData.size(), 2u);
    EXPECT_EQ(store.glPayData[0].Name, "현금");
    EXPECT_EQ(store.GetPayData(1), 120);
    EXPECT_EQ(store.GetPayData(2), -1);
    store.AddPayData("Room", 130);
    EXPECT_EQ(store.GetPayData(2), 130);

    ctx.gsSaupName = "Resort", ctx.gsTel = "033";
    ASSERT_TRUE(store.SaveMirrorFile(TMirrorKind::Company));
    EXPECT_EQ(read("Company.dat"), "'Resort'\t''\t''\t''\t''\t'033'\t''\t''\t\r\n");
    ctx.gsSaupName.clear();
    ASSERT_TRUE(store.LoadMirrorFile(TMirrorKind::Company));
    EXPECT_EQ(ctx.gsSaupName, "Resort");
}

}  // namespace
}  // namespace pos
