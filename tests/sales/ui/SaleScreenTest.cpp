// The sale screen driven through its widgets, offscreen: taps, typed and
// scanned codes, open prices, re-counting, paging, outlets, the display
// windows and the on-line indicator.

#include "EntryFixture.h"
#include "QtApp.h"
#include "RecordingSaleServices.h"
#include "TestOffLinePolicy.h"

#include "controls/ZoPosButton.h"
#include "controls/ZoPosLabel.h"
#include "cards/IdentityRules.h"
#include "db/Catalogue.h"
#include "db/DataModule.h"
#include "sales/ui/TfrmOpenPrice.h"
#include "devices/TicketProgress.h"
#include "sales/ui/TfrmSale.h"
#include "sales/ui/TfrmSaleFrame.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <memory>

namespace pos::test {
namespace {

// The sale screen's services with the real open-price dialog.
struct ScreenServices : RecordingSaleServices {
    ScreenServices(TScreenEnv& aEnv, TTerminalContext& aContext) : RecordingSaleServices(aContext), env(aEnv) {}
    Currency GetOpenCodePrice(const std::string& aName, const std::string& aTax, Currency aPrice,
                              std::int64_t& aCorrect, const std::string& aComment) override
    {
        return pos::GetOpenCodePrice(env, context, aName, aTax, aPrice, aCorrect, aComment,
                                     QApplication::activeModalWidget());
    }
    TScreenEnv& env;
};

// The resort of EntryFixture (SaleFixture's outlets and goods with its menu
// groups and menus), a cash payment, and the sale screen over it, off line
// (no server is behind this terminal).
class SaleScreen : public AppFirst, public EntryFixture {
protected:
    SaleScreen()
    {
        store.AddPayData("현금", context.giPayCash);
        deps.env.context = &context;
        context.gbOffLine = true;
    }

    // A goods record and a menu button for it; the goods row.
    int addItem(const std::string& upjang, const std::string& group, const std::string& code, const std::string& name,
                const std::string& price, const std::string& from = "0000", const std::string& to = "2359")
    {
        const int goods = addGoods(upjang, code, name, price);
        addMenu(upjang, group, code, name, from, to);
        return goods;
    }

    TfrmSale& open()
    {
        screen = std::make_unique<TfrmSale>(deps);
        EXPECT_TRUE(ShowActive(*screen));
        return *screen;
    }

    void tap(TZoPosButton* aButton) { QTest::mouseClick(aButton, Qt::LeftButton); }
    void type(QLineEdit* aField, const QString& aText)
    {
        aField->setFocus();
        QTest::keyClicks(aField, aText);
        QTest::keyClick(aField, Qt::Key_Return);
    }
    QString cell(int aRow, int aColumn) { return screen->fraList->Row(aRow)->Text(aColumn); }
    QString due() { return screen->lblSumAmt->text(); }
    int lines() { return screen->Bill().Lines().GetCount(); }
    void directSelect() { store.glUpjangData.front().DirectSelectYN = true; }

    TScreenEnv env;  // without a context: the open-price dialogs
    TSqlCatalogue catalogue;
    TestOffLinePolicy offLinePolicy;
    TfrmData data{context, catalogue, dialogs, offLinePolicy};
    ScreenServices services{env, context};
    TSaleCommandSet commands;
    TTicketPrintingModel ticketPrinting;
    TSaleScreenDeps deps{env, context, dialogs, store, data, services, commands, ticketPrinting};
    std::unique_ptr<TfrmSale> screen;
};

TEST_F(SaleScreen, SetUpFillsTheTiersForTheFirstOutlet)
{
    TfrmSale& s = open();
    EXPECT_EQ(s.btnUpjang.size(), 5u);
    EXPECT_EQ(s.btnMenu.size(), 25u);
    EXPECT_EQ(s.btnUpjang[0]->CurrentCaption(), "한식당");
    EXPECT_TRUE(s.btnUpjang[0]->Down());
    EXPECT_FALSE(s.btnUpjang[2]->isEnabled());
    EXPECT_EQ(s.btnMenuGroup[1]->CurrentCaption(), "음료");
    EXPECT_EQ(s.btnMenu[1]->CurrentCaption(), "비빔밥");
    EXPECT_FALSE(s.btnMenu[2]->isEnabled());
    EXPECT_TRUE(s.btnPay->isEnabled());
    EXPECT_FALSE(s.btnDaeso->isVisible());
    EXPECT_EQ(s.lblSaleGubun->text(), "판매");
    EXPECT_EQ(s.lblOffLine->text(), "Off Line");
    EXPECT_EQ(s.btnOnLine->CurrentCaption(), "OnLine");
    EXPECT_TRUE(s.edtMenuCode->hasFocus());
}

TEST_F(SaleScreen, MenuTapAndQuantityRingUpALine)
{
    TfrmSale& s = open();
    tap(s.btnMenu[1]);
    EXPECT_EQ(s.lblMenuName->text(), "비빔밥");
    EXPECT_TRUE(s.edtSaleCount->hasFocus());
    EXPECT_EQ(lines(), 0);
    type(s.edtSaleCount, "2");
    ASSERT_EQ(lines(), 1);
    EXPECT_EQ(cell(0, 1), "비빔밥");
    EXPECT_EQ(cell(0, 2), "2");
    EXPECT_EQ(cell(0, 4), "22,000");
    EXPECT_EQ(due(), "22,000");
    EXPECT_EQ(s.lblTotalAmt->text(), "22,000");
    EXPECT_TRUE(s.edtMenuCode->hasFocus());
    EXPECT_EQ(s.edtSaleCount->text(), "1");
}

// A discounted line is selected in yellow: every cell of it stays readable
// (the discount in blue, the rest in black, never white on yellow).
TEST_F(SaleScreen, ASelectedDiscountedLineStaysReadable)
{
    TfrmSale& s = open();
    tap(s.btnMenu[1]);
    type(s.edtSaleCount, "2");
    ASSERT_EQ(lines(), 1);
    s.Bill().Lines().Line(0).DCRate = 20;
    s.fraList->Redraw();
    const TZoPosLabel& row = *s.fraList->Row(0);
    ASSERT_TRUE(row.Selected());
    for (const TZoPosLabelItem& item : row.Items()) {
        EXPECT_NE(item.colorSelected, row.ColorSelected());
        EXPECT_NE(item.colorSelected, clWhite);
    }
}

TEST_F(SaleScreen, TypedCodeWithEnterAndUnknownCodes)
{
    TfrmSale& s = open();
    type(s.edtMenuCode, "1001");
    EXPECT_EQ(s.lblMenuName->text(), "김치찌개");
    type(s.edtSaleCount, "");
    EXPECT_EQ(due(), "9,000");

    type(s.edtMenuCode, "777");
    EXPECT_EQ(s.FooterMessage().Text(), "메뉴코드를(을) 잘못 입력하셨습니다.");
    EXPECT_EQ(s.edtMenuCode->text(), "777");
    EXPECT_EQ(s.edtMenuCode->selectedText(), "777");
    EXPECT_EQ(lines(), 1);

    // Enter on an empty code moves to the tendered amount, filled with the amount due.
    s.edtMenuCode->clear();
    type(s.edtMenuCode, "");
    EXPECT_TRUE(s.edtGetAmt->hasFocus());
    EXPECT_EQ(s.edtGetAmt->text(), "9,000");
    EXPECT_EQ(s.lblChangeAmt->text(), "0");
}

TEST_F(SaleScreen, ScaleLabelSellsAtItsPrice)
{
    addItem("3101", "20", BarCode("2112345000000"), "국산 삼겹살", "0");
    TfrmSale& s = open();
    type(s.edtMenuCode, QString::fromStdString(BarCode("211234501234")));
    EXPECT_EQ(s.lblMenuName->text(), "국산 삼겹살");
    type(s.edtSaleCount, "");
    ASSERT_EQ(lines(), 1);
    EXPECT_EQ(cell(0, 4), "1,230");
}

// Drives the open-price dialog when it appears: types aPrice and Enter, or
// Esc when aPrice is empty.
void answerOpenPrice(const QString& aPrice, QString* aShownName = nullptr)
{
    QTimer::singleShot(0, [aPrice, aShownName] {
        auto* box = qobject_cast<TfrmOpenPrice*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (aShownName) *aShownName = box->lblOpenMenu->text();
        if (aPrice.isEmpty()) {
            QTest::keyClick(box->edtOpenPrice, Qt::Key_Escape);
            return;
        }
        box->edtOpenPrice->selectAll();
        QTest::keyClicks(box->edtOpenPrice, aPrice);
        QTest::keyClick(box->edtOpenPrice, Qt::Key_Return);
    });
}

TEST_F(SaleScreen, OpenPriceIsAskedForTappedAndTypedCodes)
{
    store.glGoodsData[0].OpenCodeYN = true;  // 김치찌개
    TfrmSale& s = open();
    QString shown;
    tap(s.btnMenu[0]);
    answerOpenPrice("6500", &shown);
    type(s.edtSaleCount, "2");
    EXPECT_EQ(shown, "김치찌개");
    ASSERT_EQ(lines(), 1);
    EXPECT_EQ(s.Bill().Lines().Line(0).SaleUnitAmt, Currency(6500));
    EXPECT_EQ(due(), "13,000");

    // Typed: the price is asked as well (it used to sell at 9,000).
    type(s.edtMenuCode, "1001");
    answerOpenPrice("7000");
    type(s.edtSaleCount, "");
    ASSERT_EQ(lines(), 2);
    EXPECT_EQ(s.Bill().Lines().Line(1).SaleUnitAmt, Currency(7000));
    EXPECT_EQ(due(), "20,000");
}

TEST_F(SaleScreen, CancelledOpenPriceSellsNothing)
{
    store.glGoodsData[0].OpenCodeYN = true;
    TfrmSale& s = open();
    tap(s.btnMenu[0]);
    answerOpenPrice(QString());
    type(s.edtSaleCount, "");
    EXPECT_EQ(lines(), 0);
    EXPECT_EQ(due(), "0");
    EXPECT_EQ(s.lblMenuName->text(), "");
    EXPECT_EQ(s.edtMenuCode->text(), "");
    EXPECT_EQ(s.focusWidget(), s.edtMenuCode);  // focused again once the screen is active

    directSelect();
    answerOpenPrice(QString());
    tap(s.btnMenu[0]);
    EXPECT_EQ(lines(), 0);
}

TEST_F(SaleScreen, MergingAndRecountingFromTheScreen)
{
    directSelect();
    TfrmSale& s = open();
    tap(s.btnMenu[0]);
    tap(s.btnMenu[1]);
    tap(s.btnMenu[0]);
    ASSERT_EQ(lines(), 2);
    EXPECT_EQ(cell(1, 1), "김치찌개");  // merged and moved to the end
    EXPECT_EQ(cell(1, 2), "2");

    QTest::mouseClick(s.fraList->Row(0), Qt::LeftButton);  // 비빔밥 selected
    EXPECT_EQ(s.lblMenuName->text(), "비빔밥");
    EXPECT_TRUE(s.edtSaleCount->hasFocus());
    EXPECT_EQ(s.edtSaleCount->text(), "1");
    s.edtSaleCount->selectAll();
    type(s.edtSaleCount, "4");
    ASSERT_EQ(lines(), 2);
    EXPECT_EQ(cell(1, 1), "비빔밥");
    EXPECT_EQ(cell(1, 2), "4");
    EXPECT_EQ(due(), "62,000");

    // The Up key selects the line above; "목록삭제" deletes it.
    s.edtMenuCode->setFocus();
    QTest::keyClick(s.edtMenuCode, Qt::Key_Up);
    EXPECT_EQ(s.Bill().Lines().CurrentRow(), 0);
    tap(s.btnDelete);
    ASSERT_EQ(lines(), 1);
    EXPECT_EQ(due(), "44,000");
}

TEST_F(SaleScreen, WideViewShowsTheMemberColumns)
{
    TfrmSale& s = open();
    const int normal = s.fraList->width();
    QTest::mouseClick(s.fraList->panTitle, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(s.fraList->Wide());
    EXPECT_EQ(s.fraList->width(), normal + TfrmSaleFrame::kWideExtra);
    QTest::mouseClick(s.fraList->ColumnTitle(1), Qt::LeftButton);
    EXPECT_EQ(s.fraList->width(), normal);
}

TEST_F(SaleScreen, MenuPagesFollowTheButtons)
{
    for (int i = 0; i < 27; ++i)
        addItem("3101", "20", std::to_string(5000 + i), "음료" + std::to_string(i + 1), "3000");
    TfrmSale& s = open();
    tap(s.btnMenuGroup[1]);  // 식혜 + 27 drinks
    EXPECT_FALSE(s.btnMenuUp->isEnabled());
    ASSERT_TRUE(s.btnMenuDown->isEnabled());
    tap(s.btnMenuDown);
    EXPECT_EQ(s.btnMenu[0]->CurrentCaption(), "음료25");
    EXPECT_EQ(s.btnMenu[2]->CurrentCaption(), "음료27");
    EXPECT_FALSE(s.btnMenu[3]->isEnabled());
    EXPECT_FALSE(s.btnMenuDown->isEnabled());
    directSelect();
    tap(s.btnMenu[2]);
    ASSERT_EQ(lines(), 1);
    EXPECT_EQ(cell(0, 1), "음료27");
    tap(s.btnMenuUp);
    EXPECT_EQ(s.btnMenu[0]->CurrentCaption(), "식혜");
}

TEST_F(SaleScreen, OutletButtonsSwitchTheOutletAndItsMenus)
{
    TfrmSale& s = open();
    tap(s.btnUpjang[1]);
    EXPECT_EQ(context.gsUpjangCode, "3102");
    EXPECT_EQ(context.gsPosNo, "02");
    EXPECT_TRUE(s.btnUpjang[1]->Down());
    EXPECT_FALSE(s.btnUpjang[0]->Down());
    EXPECT_EQ(s.btnMenuGroup[0]->CurrentCaption(), "주류");
    EXPECT_FALSE(s.btnMenuGroup[1]->isEnabled());
    EXPECT_EQ(s.btnMenu[0]->CurrentCaption(), "생맥주");
    EXPECT_EQ(s.lblUpjangNameTitle->text(), "바");
    directSelect();
    tap(s.btnMenu[0]);
    ASSERT_EQ(lines(), 1);
    EXPECT_EQ(s.Bill().Lines().Line(0).UpjangCode, "3102");
    EXPECT_EQ(s.Bill().Lines().Line(0).PosNo, "02");

    // PageUp rotates back to the first outlet.
    QTest::keyClick(s.edtMenuCode, Qt::Key_PageUp);
    EXPECT_EQ(context.gsUpjangCode, "3101");
}

TEST_F(SaleScreen, DisplayWindowsTakeEffectAtTheNextTenMinuteSlot)
{
    addItem("3101", "10", "1010", "점심 특선", "12000", "1100", "1400");
    TfrmSale& s = open();
    const QDate day(2020, 1, 6);
    s.SaleTick(QDateTime(day, QTime(10, 59, 58)));
    EXPECT_FALSE(s.btnMenu[2]->isEnabled());
    // The tick of 11:00:00 never came; the next one still refreshes.
    s.SaleTick(QDateTime(day, QTime(11, 0, 2)));
    EXPECT_EQ(s.btnMenu[2]->CurrentCaption(), "점심 특선");
    s.SaleTick(QDateTime(day, QTime(14, 10, 30)));
    EXPECT_FALSE(s.btnMenu[2]->isEnabled());

    // The hotel restaurants keep their menus.
    context.gbVessa = true;
    s.SaleTick(QDateTime(day, QTime(12, 0, 0)));
    EXPECT_FALSE(s.btnMenu[2]->isEnabled());
}

TEST_F(SaleScreen, FinishedBillIsClearedByTheNextKey)
{
    directSelect();
    TfrmSale& s = open();
    tap(s.btnMenu[0]);
    s.Bill().EndSale();
    s.Refresh();
    EXPECT_EQ(s.lblMenuName->text(), "거래 종료");
    EXPECT_TRUE(s.fraList->Row(0)->Checked());
    QTest::mouseClick(s.fraList->Row(0), Qt::LeftButton);
    EXPECT_FALSE(s.Bill().entry.modifyMode);
    s.edtMenuCode->setFocus();
    QTest::keyClicks(s.edtMenuCode, "1002");
    EXPECT_EQ(lines(), 0);
    EXPECT_EQ(s.edtMenuCode->text(), "1002");  // the key that cleared the bill is kept
    QTest::keyClick(s.edtMenuCode, Qt::Key_Return);
    EXPECT_EQ(lines(), 1);
    EXPECT_EQ(due(), "11,000");
}

TEST_F(SaleScreen, ButtonsRunTheirRegisteredCommands)
{
    // Records which command ran, with the bill it saw.
    struct Recorder : TSaleCommandHandler {
        Recorder(std::vector<TSaleCommand>& aRun, TSaleCommand aCommand) : run(aRun), command(aCommand) {}
        void Execute(TSaleView&) override { run.push_back(command); }
        std::vector<TSaleCommand>& run;
        TSaleCommand command;
    };
    std::vector<TSaleCommand> run;
    for (TSaleCommand c : {TSaleCommand::Pay, TSaleCommand::Void, TSaleCommand::Shutdown})
        commands.Register(c, std::make_unique<Recorder>(run, c));
    directSelect();
    TfrmSale& s = open();
    tap(s.btnMenu[0]);
    tap(s.btnVoid);     // disabled: VoidYN is off
    tap(s.btnPay);
    tap(s.btnMenuToggle);
    EXPECT_TRUE(s.panMenu2->isVisible());
    tap(s.btnShutdown);
    tap(s.btnReprint);  // nothing registered: inert
    EXPECT_EQ(run, (std::vector<TSaleCommand>{TSaleCommand::Pay, TSaleCommand::Shutdown}));
    EXPECT_TRUE(s.isVisible());
    EXPECT_EQ(lines(), 1);

    // A card read in the code field goes to the payment command.
    type(s.edtMenuCode, "9410123412341234=2812");
    EXPECT_EQ(run.back(), TSaleCommand::Pay);
    EXPECT_EQ(s.edtMenuCode->text(), "");
}

TEST_F(SaleScreen, ATableOutletStartsOnItsTablesOnce)
{
    struct Counter : TSaleCommandHandler {
        void Execute(TSaleView&) override { ++runs; }
        int runs = 0;
    };
    auto counter = std::make_unique<Counter>();
    Counter& tableCommand = *counter;
    commands.Register(TSaleCommand::OrderTable, std::move(counter));
    store.glUpjangData.front().FirstFormCode = context.gsFormOrderTable;
    TfrmSale& s = open();
    QApplication::processEvents();
    EXPECT_EQ(tableCommand.runs, 1);
    s.hide();
    EXPECT_TRUE(ShowActive(s));
    QApplication::processEvents();
    EXPECT_EQ(tableCommand.runs, 1);  // shown again (after a dialog), it stays on the bill
}

// The panel switch shows the second panel held down and, pressed again, the
// menus with the switch up; every command button follows the command bar
// both ways.
TEST_F(SaleScreen, TogglesComeUpAgain)
{
    TfrmSale& s = open();
    tap(s.btnMenuToggle);
    EXPECT_TRUE(s.panMenu2->isVisible());
    EXPECT_TRUE(s.btnMenuToggle->Down());
    tap(s.btnMenuToggle);
    EXPECT_TRUE(s.panMenu1->isVisible());
    EXPECT_FALSE(s.panMenu2->isVisible());
    EXPECT_FALSE(s.btnMenuToggle->Down());

    s.Bill().screen.commands[TSaleCommand::GroupPrint].down = true;
    s.Refresh();
    EXPECT_TRUE(s.btnGroupPrint->Down());
    s.Bill().screen.commands[TSaleCommand::GroupPrint].down = false;
    s.Refresh();
    EXPECT_FALSE(s.btnGroupPrint->Down());
}

// A code refused for one outlet does not stay in the field when the cashier
// turns to another outlet.
TEST_F(SaleScreen, AnOutletPressStartsAFreshCode)
{
    TfrmSale& s = open();
    type(s.edtMenuCode, "777");
    ASSERT_EQ(s.edtMenuCode->text(), "777");  // refused, kept for correcting
    tap(s.btnUpjang[1]);
    EXPECT_EQ(s.edtMenuCode->text(), "");
    EXPECT_EQ(s.Bill().entry.menuCode, "");
    EXPECT_TRUE(s.edtMenuCode->hasFocus());
}

TEST_F(SaleScreen, EscapeDoesNotCloseTheScreen)
{
    TfrmSale& s = open();
    QTest::keyClick(&s, Qt::Key_Escape);
    EXPECT_TRUE(s.isVisible());
    s.CloseScreen();
    EXPECT_FALSE(s.isVisible());
}

TEST_F(SaleScreen, OpenPriceDialogAtAHotelRestaurant)
{
    context.gbVessa = true;
    TfrmOpenPrice box(env, context);
    box.Prepare("석식 뷔페", "1", Currency(10000), "");
    EXPECT_EQ(box.lblSalePrice->text(), "11,000");  // NET mode shows the gross
    box.SetNetMode(false);
    box.edtOpenPrice->setText("11,000");
    box.Confirm();
    EXPECT_EQ(box.result(), QDialog::Accepted);
    EXPECT_EQ(box.SalePrice(), Currency(10000));
    EXPECT_EQ(box.liCorrectAmt, 0);
    EXPECT_EQ(box.edtOpenPrice->text(), "10,000");
}

TEST_F(SaleScreen, OpenPriceQuickDiscounts)
{
    TfrmOpenPrice box(env, context);
    box.Prepare("메뉴", "1", Currency(20000), "");
    QTest::mouseClick(box.btnDC20, Qt::LeftButton);
    EXPECT_EQ(box.result(), QDialog::Accepted);
    EXPECT_EQ(box.SalePrice(), Currency(17000));
}

// While tickets print the screen takes no input, and it is back, with the
// code field ready, once they are done: also when a second print joined.
TEST_F(SaleScreen, TicketPrintingDisablesTheScreenUntilItEnds)
{
    TfrmSale& s = open();
    ticketPrinting.TicketsStarted(3);
    EXPECT_FALSE(s.isEnabled());
    ticketPrinting.TicketsStarted(1);
    ticketPrinting.TicketsEnded();
    EXPECT_FALSE(s.isEnabled());
    ticketPrinting.TicketsEnded();
    EXPECT_TRUE(s.isEnabled());
    EXPECT_TRUE(s.edtMenuCode->hasFocus());
}

}  // namespace
}  // namespace pos::test
