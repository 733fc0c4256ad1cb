#include "EntryFixture.h"

#include "cards/IdentityRules.h"

namespace pos::test {
namespace {

TEST(CodeShape, LengthsDecideHowATextIsRead)
{
    const struct {
        const char* text;
        TCodeKind kind;
    } cases[] = {
        {"", TCodeKind::Empty},          {"7", TCodeKind::Code},
        {"12", TCodeKind::Code},         {"213", TCodeKind::Code},
        {"1001", TCodeKind::Code},       {"31010001", TCodeKind::Code},
        {"12345", TCodeKind::CardSwipe}, {"1234567890", TCodeKind::CardSwipe},
        {"9999999999999", TCodeKind::Code},  // 13 characters without the scale prefix: a bar code
        {"2112345012345", TCodeKind::Scale}, {"94120012345678901234", TCodeKind::CardSwipe},
    };
    for (const auto& c : cases) EXPECT_EQ(ClassifyCode(c.text, "21"), c.kind) << c.text;
}

TEST(ScaleCode, ArticleAndPriceComeFromTheLabel)
{
    // Prefix 21, article 12345, price 01234, check digit.
    const std::string label = BarCode("211234501234");
    const auto scale = ParseScaleCode(label, "21");
    ASSERT_TRUE(scale.has_value());
    EXPECT_EQ(scale->articleCode, BarCode("2112345000000"));
    EXPECT_EQ(scale->articleCode.substr(0, 12), "211234500000");
    EXPECT_EQ(scale->price, Currency(1230));  // 1,234 rounded to 10 won

    // A misread label (wrong check digit) and letters are not scale codes.
    std::string misread = label;
    misread.back() = misread.back() == '9' ? '0' : static_cast<char>(misread.back() + 1);
    EXPECT_FALSE(ParseScaleCode(misread, "21").has_value());
    EXPECT_FALSE(ParseScaleCode("21123450123A", "21").has_value());
    EXPECT_FALSE(ParseScaleCode(BarCode("221234501234"), "21").has_value());
}

TEST(CardSwipe, RoutesByTheNumberTheCardRulesRead)
{
    EXPECT_EQ(RouteCardSwipe("track", "1234567890", false), TCardRoute::MemberCard);
    EXPECT_EQ(RouteCardSwipe("track", "1234567890", true), TCardRoute::MemberCardSki);
    EXPECT_EQ(RouteCardSwipe("track", "94121234567890", false), TCardRoute::CreditCard);
    EXPECT_EQ(RouteCardSwipe("track", "9412123456789012", true), TCardRoute::CreditCard);
    EXPECT_EQ(RouteCardSwipe("track", "", false), TCardRoute::Ignore);  // refused (expired) card
    EXPECT_EQ(RouteCardSwipe("12345", "12345", false), TCardRoute::Ignore);  // nothing read
    EXPECT_EQ(RouteCardSwipe("track", "123456", false), TCardRoute::Ignore);
}

using ItemEntry = EntryFixture;

TEST_F(ItemEntry, TypedCodeAsksTheQuantityThenAdds)
{
    navigator.ReadUpjangList();
    EXPECT_EQ(typeCode("1002").kind, TEntryOutcome::AskCount);
    EXPECT_EQ(bill.screen.menuNameText, "비빔밥");
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(confirmCount(2).kind, TEntryOutcome::Added);
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(line(0).SaleCount, Currency(2));
    EXPECT_EQ(bill.Totals().due, Currency(22000));
    EXPECT_EQ(openPriceAsked, 0);
}

TEST_F(ItemEntry, UnknownCodeIsReportedAndAddsNothing)
{
    const TEntryOutcome o = typeCode("9999");
    EXPECT_EQ(o.kind, TEntryOutcome::WrongCode);
    EXPECT_EQ(o.notice, "메뉴코드를(을) 잘못 입력하셨습니다.");
    EXPECT_TRUE(o.alert);
    EXPECT_EQ(bill.entry.menuCode, "9999");  // kept for correction
    EXPECT_EQ(count(), 0);
}

TEST_F(ItemEntry, EmptyCodeMovesToTheTenderedAmountOnlyWithLines)
{
    EXPECT_EQ(typeCode("").kind, TEntryOutcome::Nothing);
    typeCode("1001");
    confirmCount();
    EXPECT_EQ(typeCode("").kind, TEntryOutcome::ToTendered);
    bill.EndSale();
    EXPECT_EQ(typeCode("").kind, TEntryOutcome::Nothing);
}

TEST_F(ItemEntry, ScaleLabelSellsTheArticleAtItsPrice)
{
    addGoods("3101", BarCode("2112345000000"), "국산 삼겹살", "0");
    EXPECT_EQ(typeCode(BarCode("211234501234")).kind, TEntryOutcome::AskCount);
    EXPECT_EQ(bill.screen.menuNameText, "국산 삼겹살");
    confirmCount();
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(line(0).SaleUnitAmt, Currency(1230));
}

TEST_F(ItemEntry, NumberShortcutsPickButtons)
{
    addUpjang("3103", "03", "카페", "30");
    addGroup("3102", "20", "안주");
    addMenu("3102", "20", "2002", "감자튀김");
    addGoods("3102", "2002", "감자튀김", "8000");
    navigator.ReadUpjangList();

    // "2": menu button 2 of the first outlet and group.
    EXPECT_EQ(typeCode("2").kind, TEntryOutcome::AskCount);
    EXPECT_EQ(bill.entry.menuCode, "1002");

    // "221": outlet 2, group 2, menu 1.
    EXPECT_EQ(typeCode("221").kind, TEntryOutcome::AskCount);
    EXPECT_EQ(bill.entry.menuCode, "2002");
    EXPECT_EQ(context.gsUpjangCode, "3102");
    EXPECT_EQ(context.gsPosNo, "02");
    EXPECT_EQ(navigator.group.DownButton(), 1);

    // A shortcut to a missing button is looked up as typed (and so fails);
    // the outlet already pressed stays pressed.
    EXPECT_EQ(typeCode("1909").kind, TEntryOutcome::WrongCode);
    EXPECT_EQ(bill.entry.menuCode, "1909");
    EXPECT_EQ(context.gsUpjangCode, "3101");
    EXPECT_EQ(typeCode("30").kind, TEntryOutcome::WrongCode);
}

TEST_F(ItemEntry, CardSwipesGoToTheirCommandsAndAreCleared)
{
    cardNumbers["M-TRACK-123"] = "1234567890";
    cardNumbers["C-TRACK-456"] = "9412123456789012";
    cardNumbers["EXPIRED-789"] = "";

    EXPECT_EQ(typeCode("M-TRACK-123").kind, TEntryOutcome::CardDone);
    EXPECT_EQ(entryHooks.memberCards, 1);
    EXPECT_EQ(context.gsTempMemberNo, "1234567890");
    EXPECT_EQ(bill.entry.menuCode, "");

    EXPECT_EQ(typeCode("C-TRACK-456").kind, TEntryOutcome::CardDone);
    EXPECT_EQ(entryHooks.creditCards, 1);
    EXPECT_EQ(context.gsTempMemberNo, "C-TRACK-456");

    context.gsTempMemberNo.clear();
    const TEntryOutcome expired = typeCode("EXPIRED-789");
    EXPECT_EQ(expired.kind, TEntryOutcome::CardDone);
    EXPECT_TRUE(expired.notice.empty());
    EXPECT_EQ(context.gsTempMemberNo, "");

    context.gbSki = true;
    const TEntryOutcome ski = typeCode("M-TRACK-123");
    EXPECT_EQ(ski.notice, kSkiMemberCardNotice);
    EXPECT_EQ(entryHooks.memberCards, 1);
    EXPECT_EQ(count(), 0);
}

// Open prices: a typed code is priced like a menu tap (the typed path used
// the selected line's price, which is unset for a typed code, and so sold
// at the master price), and a cancelled dialog sells nothing.
TEST_F(ItemEntry, TypedOpenPriceCodeAsksThePrice)
{
    setOpenPrice("1001");
    navigator.ReadUpjangList();
    openPrices.prices.push_back({Currency(6500), 0});
    typeCode("1001");
    EXPECT_EQ(confirmCount(2).kind, TEntryOutcome::Added);
    EXPECT_EQ(openPriceAsked, 1);
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(line(0).SaleUnitAmt, Currency(6500));
    EXPECT_EQ(line(0).SaleAmt, Currency(13000));

    // The same from a menu button.
    openPrices.prices.push_back({Currency(7000), 0});
    EXPECT_EQ(entry.MenuTap(0).kind, TEntryOutcome::AskCount);
    confirmCount();
    EXPECT_EQ(openPriceAsked, 2);
    ASSERT_EQ(count(), 2);
    EXPECT_EQ(line(1).SaleUnitAmt, Currency(7000));
}

TEST_F(ItemEntry, EventModeAndUnitPriceToggleAskThePriceOfATypedCode)
{
    context.gbEventMode = true;
    openPrices.prices.push_back({Currency(8000), 0});
    typeCode("1001");
    confirmCount();
    EXPECT_EQ(line(0).SaleUnitAmt, Currency(8000));

    context.gbEventMode = false;
    bill.screen.commands.groupPrintMode = TGroupPrintMode::UnitPrice;
    bill.screen.commands[TSaleCommand::GroupPrint].down = true;
    openPrices.prices.push_back({Currency(10000), 12});
    typeCode("1002");
    confirmCount();
    ASSERT_EQ(count(), 2);
    EXPECT_EQ(line(1).SaleUnitAmt, Currency(10000));
    EXPECT_EQ(line(1).CorrectAmt, 12);
    EXPECT_FALSE(bill.screen.commands[TSaleCommand::GroupPrint].down);  // applies to one item
}

TEST_F(ItemEntry, CancelledOpenPriceSellsNothing)
{
    setOpenPrice("1001");
    navigator.ReadUpjangList();
    for (const bool direct : {false, true}) {
        store.glUpjangData.front().DirectSelectYN = direct;
        openPrices.prices.push_back({Currency(-1), 0});
        const TEntryOutcome tapped = entry.MenuTap(0);
        const TEntryOutcome o = direct ? tapped : confirmCount();
        EXPECT_EQ(o.kind, TEntryOutcome::Cancelled) << direct;
        EXPECT_EQ(count(), 0) << direct;
        EXPECT_EQ(bill.entry.menuCode, "") << direct;
        EXPECT_EQ(bill.screen.menuNameText, "") << direct;
    }
    // Typed, too.
    openPrices.prices.push_back({Currency(-1), 0});
    store.glUpjangData.front().DirectSelectYN = false;
    typeCode("1001");
    EXPECT_EQ(confirmCount().kind, TEntryOutcome::Cancelled);
    EXPECT_EQ(count(), 0);
}

TEST_F(ItemEntry, RecountingAnOpenPriceLineKeepsItsPrice)
{
    setOpenPrice("1001");
    openPrices.prices.push_back({Currency(6500), 0});
    typeCode("1001");
    confirmCount();
    bill.Lines().TouchRow(0);
    ASSERT_TRUE(bill.entry.modifyMode);
    EXPECT_EQ(confirmCount(3).kind, TEntryOutcome::Added);
    EXPECT_EQ(openPriceAsked, 1);
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(line(0).SaleCount, Currency(3));
    EXPECT_EQ(line(0).SaleAmt, Currency(19500));
}

TEST_F(ItemEntry, DirectSelectionAddsAtOnceAndReportsUnknownCodes)
{
    store.glUpjangData.front().DirectSelectYN = true;
    navigator.ReadUpjangList();
    EXPECT_EQ(entry.MenuTap(1).kind, TEntryOutcome::Added);
    EXPECT_EQ(typeCode("1002").kind, TEntryOutcome::Added);
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(line(0).SaleCount, Currency(2));
    EXPECT_EQ(typeCode("9999").kind, TEntryOutcome::WrongCode);
    EXPECT_EQ(bill.entry.menuCode, "9999");
}

TEST_F(ItemEntry, MenuTapStartsAFreshEntryWhileALineIsSelected)
{
    navigator.ReadUpjangList();
    typeCode("1001");
    confirmCount(1);
    typeCode("1002");
    confirmCount(2);
    bill.Lines().TouchRow(0);  // 김치찌개 selected: modify mode
    ASSERT_TRUE(bill.entry.modifyMode);
    entry.MenuTap(1);  // 비빔밥
    confirmCount(1);
    // Merged into 비빔밥 (2 + 1), not re-counted to 1.
    ASSERT_EQ(count(), 2);
    EXPECT_EQ(line(1).MenuCode, "1002");
    EXPECT_EQ(line(1).SaleCount, Currency(3));
}

TEST_F(ItemEntry, SkiPackageOutletIsSoldApart)
{
    addUpjang(context.gsUpjangSkiPackage, "01", "스키패키지", "50");
    addGroup(context.gsUpjangSkiPackage, "10", "패키지");
    addMenu(context.gsUpjangSkiPackage, "10", "9901", "1박2일 패키지");
    addGoods(context.gsUpjangSkiPackage, "9901", "1박2일 패키지", "150000");
    navigator.ReadUpjangList();
    typeCode("1001");
    confirmCount();
    navigator.PressUpjang(2);
    ASSERT_EQ(context.gsUpjangCode, context.gsUpjangSkiPackage);
    context.gsUpjangName = "스키패키지";
    EXPECT_EQ(entry.MenuTap(0).kind, TEntryOutcome::Refused);
    ASSERT_NE(dialogs.last(), nullptr);
    EXPECT_EQ(dialogs.last()->text, "스키패키지 매출은 다른 영업장 매출과 별도로 처리해야 합니다.");
    EXPECT_TRUE(dialogs.last()->beep);

    bill.ClearBill();
    entryHooks.skiPackageOk = false;
    EXPECT_EQ(entry.MenuTap(0).kind, TEntryOutcome::Refused);  // the package screen was cancelled
    entryHooks.skiPackageOk = true;
    EXPECT_EQ(entry.MenuTap(0).kind, TEntryOutcome::AskCount);
}

}  // namespace
}  // namespace pos::test
