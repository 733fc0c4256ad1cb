#include "sales/ui/TfrmSale.h"

#include "controls/ZoPosButton.h"
#include "core/TerminalContext.h"
#include "db/DataModule.h"
#include "devices/TicketProgress.h"
#include "store/MasterStore.h"
#include "sales/SaleStatus.h"
#include "sales/ui/TfrmOpenPrice.h"
#include "sales/ui/TfrmSaleFrame.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace pos {

namespace {

// Layout of the 800 x 600 screen, in pixels.
constexpr int kTierLeft = 384;
constexpr int kTierButton = 75;
constexpr int kTierHeight = 45;
constexpr int kUpjangTop = 67;
constexpr int kGroupTop = 114;
constexpr int kMenuTop = 161;
constexpr int kMenuRows = 5;
constexpr int kPagerLeft = kTierLeft + 5 * kTierButton;  // 759
constexpr int kPagerWidth = 796 - kPagerLeft;
constexpr int kListLeft = 0;
constexpr int kListTop = 96;
constexpr int kListWidth = 383;
constexpr int kListHeight = 30 + 26 * 10 + 4;
constexpr int kBottomTop = 392;
constexpr int kCommandRows = 3;
constexpr int kCommandColumns = 5;
constexpr int kCommandWidth = 82;
constexpr int kCommandHeight = 58;

constexpr TColor kMenuFace = 0xF0FBFF;       // cream menu buttons
constexpr TColor kSubGroupFace = 0xE1FFFF;   // light yellow: sub-group buttons
constexpr TColor kCommandFace = 0xFFE0C0;    // light blue commands
constexpr TColor kPayFace = 0x80FF80;        // green settlement

void setColors(QLabel* aLabel, TColor aText, TColor aBack)
{
    QPalette pal = aLabel->palette();
    pal.setColor(QPalette::WindowText, ZoColor(aText));
    pal.setColor(QPalette::Window, ZoColor(aBack));
    aLabel->setPalette(pal);
}

QLabel* panelLabel(QWidget* aParent, QRect aRect, int aPoint, Qt::Alignment aAlign, TColor aText = clBlack,
                   TColor aBack = clWhite)
{
    auto* label = new QLabel(aParent);
    label->setGeometry(aRect);
    label->setFont(ZoFont(aPoint, true));
    label->setAlignment(aAlign | Qt::AlignVCenter);
    label->setAutoFillBackground(true);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setContentsMargins(4, 0, 4, 0);
    setColors(label, aText, aBack);
    return label;
}

QLabel* captionLabel(QWidget* aParent, const char* aText, QRect aRect)
{
    auto* label = new QLabel(QString::fromUtf8(aText), aParent);
    label->setGeometry(aRect);
    label->setFont(ZoFont(10, true));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(pal);
    return label;
}

QLineEdit* entryEdit(QWidget* aParent, QRect aRect, Qt::Alignment aAlign)
{
    auto* edit = new QLineEdit(aParent);
    edit->setGeometry(aRect);
    edit->setFont(ZoFont(12, true));
    edit->setAlignment(aAlign | Qt::AlignVCenter);
    return edit;
}

TZoPosButton* tierButton(QWidget* aParent, QRect aRect, int aNumber, TColor aFace, int aPoint)
{
    auto* button = new TZoPosButton(aParent);
    button->setGeometry(aRect);
    button->SetNumber(aNumber);
    button->SetColor(TZoPosButtonColor::Face, aFace);
    button->SetCaptionStyle(aPoint, true, clBlack, clWhite, true);
    button->setEnabled(false);
    return button;
}

// The largest point size, from aPoint down to 7, at which every word of a
// caption fits the button's width (the button breaks lines at blanks).
int fittingPointSize(const QString& aCaption, int aWidth, int aPoint)
{
    const QStringList words = aCaption.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int point = aPoint; point > 7; --point) {
        const QFontMetrics metrics(ZoFont(point, true));
        bool fits = true;
        for (const QString& word : words) fits = fits && metrics.horizontalAdvance(word) <= aWidth - 10;
        if (fits) return point;
    }
    return 7;
}

QString amountText(Currency aAmount) { return QString::fromStdString(FormatThousands(aAmount)); }

Currency fieldAmount(const QLineEdit* aEdit)
{
    QString digits = aEdit->text();
    digits.remove(QLatin1Char(','));
    return Currency::fromText(digits.trimmed().toStdString());
}

}  // namespace

// The bill's outside world as the screen sees it: the screen's own displays
// and buttons here, everything else passed on to the program's services.
class TfrmSale::Hooks : public TSaleHooks, public TEntryHooks {
public:
    explicit Hooks(TfrmSale& aScreen) : screen_(aScreen), services_(aScreen.deps_.services) {}

    void ExecDC(TSaleLines& aLines) override { services_.ExecDC(aLines); }
    void RecreateSaleList(TSaleLines& aLines) override { services_.RecreateSaleList(aLines); }
    bool ClearDCModule() override { return services_.ClearDCModule(); }
    void ShowLineDisplay(const std::string& a1, const std::string& a2) override { services_.ShowLineDisplay(a1, a2); }
    void ClearPrintLists() override { services_.ClearPrintLists(); }
    void EndPreSale() override { services_.EndPreSale(); }
    void GetMaxBillNo() override { services_.GetMaxBillNo(); }
    void OpenSkiSchool() override { services_.OpenSkiSchool(); }
    bool GetGuestCount(bool aMustInput) override { return services_.GetGuestCount(aMustInput); }
    void ShowSaleGubun() override { screen_.ShowSaleGubun(); }
    void ShowWaitCount() override { screen_.ShowWaitCount(); }
    void ShowBillNo() override { screen_.ShowBillNo(); }
    void PressFirstMenuButtons() override { screen_.nav_.PressFirstButtons(); }

    // Card swipes in the code field lead to the discount and payment commands.
    void MemberCardRead() override { screen_.RunCommand(TSaleCommand::DC); }
    void CreditCardRead() override { screen_.RunCommand(TSaleCommand::Pay); }
    bool AddSkiSaleList(std::int64_t aCorrectAmt, std::optional<Currency> aOpenPrice) override
    {
        return services_.AddSkiSaleList(aCorrectAmt, aOpenPrice);
    }
    bool SkiPackageScreen() override { return services_.SkiPackageScreen(); }

private:
    TfrmSale& screen_;
    TSaleServices& services_;
};

namespace {

TInheritOptions saleOptions()
{
    TInheritOptions o;
    o.caption = QStringLiteral("판매");
    o.noClose = true;
    return o;
}

TOpenPriceFunction openPriceOf(TSaleServices& aServices)
{
    return [&aServices](const std::string& aName, const std::string& aTax, Currency aPrice, std::int64_t& aCorrect,
                        const std::string& aComment) {
        return aServices.GetOpenCodePrice(aName, aTax, aPrice, aCorrect, aComment);
    };
}

}  // namespace

TfrmSale::TfrmSale(TSaleScreenDeps& aDeps, QWidget* aParent)
    : TfrmInherit(aDeps.env, saleOptions(), aParent),
      deps_(aDeps),
      hooks_(std::make_unique<Hooks>(*this)),
      cardRules_(aDeps.context, aDeps.store, aDeps.dialogs),
      bill_(aDeps.context, aDeps.store, aDeps.dialogs, *hooks_),
      nav_(aDeps.context, aDeps.store, aDeps.context.gbSki ? 4 : 5, MenuButtonCount(aDeps.printer1)),
      entry_(aDeps.context, aDeps.store, bill_, nav_, aDeps.dialogs, *hooks_, openPriceOf(aDeps.services),
             aDeps.cardNumber ? aDeps.cardNumber
                              : TCardNumberFunction([this](const std::string& aText, std::int64_t& aCount) {
                                    return cardRules_.GetCardNumber(aText, aCount);
                                }))
{
    nav_.daesoVisible = deps_.context.gbSki;
    nav_.Now = [] { return TerminalNow().time().toString(QStringLiteral("HHmm")).toStdString(); };
    nav_.Changed = [this] { paintTiers(); };
    nav_.UpjangChanged = [this] { ShowUpjang(); };

    buildStatus();
    const bool shop = deps_.store.GetUpjangData(0, UpjangItem::UpjangType).asText() == deps_.context.gsUpjangTypeSuper;
    fraList = new TfrmSaleFrame(bill_.Lines(), shop, kListWidth, this);
    fraList->setGeometry(kListLeft, kListTop, kListWidth, kListHeight);
    connect(fraList, &TfrmSaleFrame::currentMoved, this, [this] {
        bill_.StartSale();
        Refresh();
    });
    buildEntry();
    buildTiers();
    buildCommands();
    applyOutletFlags();

    // The on-line state comes from the data module; it reaches the screen as
    // a queued signal so that a change in the middle of a statement is shown
    // after it, never inside it.
    connect(this, &TfrmSale::onLineChanged, this, [this] { ShowOffLine(); }, Qt::QueuedConnection);
    onLineObserver_ = deps_.data.ConnectOnLineChanged([this](bool aOffLine) { emit onLineChanged(aOffLine); });
    ticketObserver_ = deps_.ticketPrinting.Observe([this](bool aShowing) { emit enableRequested(!aShowing); });
    connect(this, &TfrmSale::enableRequested, this, &TfrmSale::WMEnable);
    connect(this, &TfrmSale::addBillNoRequested, this, &TfrmSale::WMAddBillNo);

    if (tmrTimer != nullptr)
        connect(tmrTimer, &QTimer::timeout, this, [this] { SaleTick(TerminalNow()); });

    ShowOffLine();
    bill_.ClearBill();
    deps_.context.giWaitNo = 0;
    deps_.context.gbPDAOrderPrinted = false;
    nav_.ReadUpjangList();
    const QDateTime now = TerminalNow();
    menuRefresh_.Filled(TenMinuteSlot(now.date().toJulianDay(), now.time().hour(), now.time().minute()));
    Refresh();
}

TfrmSale::~TfrmSale()
{
    deps_.data.DisconnectOnLineChanged(onLineObserver_);
    deps_.ticketPrinting.Forget(ticketObserver_);
}

// ---------------------------------------------------------------- building

void TfrmSale::buildStatus()
{
    const Qt::Alignment center = Qt::AlignHCenter;
    lblSaleGubun = panelLabel(this, QRect(2, 66, 58, 28), 12, center);
    lblBillNo = panelLabel(this, QRect(62, 66, 64, 28), 13, center);
    lblWaitCount = panelLabel(this, QRect(128, 66, 108, 28), 9, center);
    lblOffLine = panelLabel(this, QRect(238, 66, 72, 28), 10, center);
    lblLocker = panelLabel(this, QRect(312, 66, 70, 28), 8, Qt::AlignLeft);
    lblVersion = new QLabel(this);
    lblVersion->setGeometry(600, 44, 140, 16);
    lblVersion->setFont(ZoFont(8));
    lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblVersion->setText(QString::fromStdString(deps_.version));
    lblMsg = panelLabel(this, QRect(20, 300, 344, 70), 12, center, 0xFF0000, 0xE1FFFF);
    lblMsg->setWordWrap(true);
    lblMsg->hide();
    lblMsg->installEventFilter(this);
}

void TfrmSale::buildEntry()
{
    int top = kBottomTop;
    lblMenuName = panelLabel(this, QRect(2, top, 380, 32), 13, Qt::AlignLeft);
    top += 36;
    auto* codeCaption = captionLabel(this, "메뉴코드", QRect(4, top, 66, 30));
    edtMenuCode = entryEdit(this, QRect(72, top, 150, 30), Qt::AlignLeft);
    codeCaption->setBuddy(edtMenuCode);
    auto* countCaption = captionLabel(this, "수량", QRect(234, top, 40, 30));
    edtSaleCount = entryEdit(this, QRect(276, top, 106, 30), Qt::AlignRight);
    countCaption->setBuddy(edtSaleCount);
    top += 36;

    // Totals in two columns.
    const int rowHeight = 33;
    const int valueWidth = 116;
    const struct {
        const char* caption;
        int column, row;
    } places[] = {{"합　　계", 0, 0}, {"할인금액", 0, 1}, {"받을금액", 0, 2}, {"받은금액", 1, 0}, {"거스름돈", 1, 1}};
    std::vector<QRect> valueRects;
    for (const auto& p : places) {
        const int left = 4 + p.column * 190;
        const int y = top + p.row * rowHeight;
        captionLabel(this, p.caption, QRect(left, y, 66, rowHeight - 3));
        valueRects.push_back(QRect(left + 66, y, valueWidth, rowHeight - 3));
    }
    lblTotalAmt = panelLabel(this, valueRects[0], 12, Qt::AlignRight);
    lblDCAmt = panelLabel(this, valueRects[1], 12, Qt::AlignRight);
    lblSumAmt = panelLabel(this, valueRects[2], 14, Qt::AlignRight, 0x0000C0, 0xE1FFFF);
    edtGetAmt = entryEdit(this, valueRects[3], Qt::AlignRight);
    lblChangeAmt = panelLabel(this, valueRects[4], 12, Qt::AlignRight, 0xC00000, clWhite);

    for (QLineEdit* field : {edtMenuCode, edtSaleCount, edtGetAmt}) field->installEventFilter(this);
    connect(edtMenuCode, &QLineEdit::textEdited, this, [this] { bill_.entry.menuSelect = false; });
    connect(edtGetAmt, &QLineEdit::textEdited, this, [this] {
        bill_.SetTendered(fieldAmount(edtGetAmt));
        lblChangeAmt->setText(amountText(bill_.Totals().change));
    });
}

void TfrmSale::buildTiers()
{
    for (int i = 0; i < nav_.MaxUpjang(); ++i) {
        auto* b = tierButton(this, QRect(kTierLeft + kTierButton * i, kUpjangTop, kTierButton, kTierHeight), i + 1,
                             0xC0FFC0, 9);
        b->SetGroupIndex(10);
        connect(b, &TZoPosButton::clicked, this, [this, i] {
            bill_.StartSale();
            // A new outlet starts a new entry: a code typed (or refused)
            // for the one before does not stay in the field.
            bill_.entry.menuCode.clear();
            edtMenuCode->clear();
            bill_.screen.focus = TSaleScreenState::Focus::Code;
            nav_.PressUpjang(i);
            Refresh();
        });
        btnUpjang.push_back(b);
    }
    btnUpjangNext = tierButton(this, QRect(kPagerLeft, kUpjangTop, kPagerWidth, kTierHeight), 0, kCommandFace, 12);
    btnUpjangNext->SetCaption(QStringLiteral("▶"));
    connect(btnUpjangNext, &TZoPosButton::clicked, this, [this] {
        bill_.StartSale();
        nav_.UpjangNextPage();
        Refresh();
    });
    // The adult/child toggle sits 2 pixels left of the outlet page button
    // where the fifth outlet button would be (ski outlets have four).
    btnDaeso = tierButton(this, QRect(kPagerLeft - 2 - (kTierButton - 2), kUpjangTop, kTierButton - 2, kTierHeight), 0,
                          0xFFFFC0, 11);
    btnDaeso->SetAllowAllUp(true);
    btnDaeso->setVisible(nav_.daesoVisible);
    btnDaeso->setEnabled(true);
    connect(btnDaeso, &TZoPosButton::clicked, this, [this] {
        bill_.StartSale();
        nav_.ToggleDaeso();
        bill_.screen.daesoDown = nav_.daesoDown;
        Refresh();
    });

    for (int i = 0; i < TSaleNavigator::kMenuGroupButtons; ++i) {
        auto* b = tierButton(this, QRect(kTierLeft + kTierButton * i, kGroupTop, kTierButton, kTierHeight), i + 1,
                             0xC0E0FF, 9);
        b->SetGroupIndex(20);
        connect(b, &TZoPosButton::clicked, this, [this, i] {
            bill_.StartSale();
            nav_.PressMenuGroup(i);
            Refresh();
        });
        btnMenuGroup.push_back(b);
    }
    btnMenuGroupNext = tierButton(this, QRect(kPagerLeft, kGroupTop, kPagerWidth, kTierHeight), 0, kCommandFace, 12);
    btnMenuGroupNext->SetCaption(QStringLiteral("▶"));
    connect(btnMenuGroupNext, &TZoPosButton::clicked, this, [this] {
        bill_.StartSale();
        nav_.MenuGroupNextPage();
        Refresh();
    });

    const int menuHeight = kMenuRows * kTierHeight;
    panMenu1 = new QWidget(this);
    panMenu1->setGeometry(kTierLeft, kMenuTop, 796 - kTierLeft, menuHeight);
    const bool large = nav_.MaxMenu() <= 10;
    const int columns = large ? 2 : 5;
    const int width = large ? 187 : kTierButton;
    for (int i = 0; i < nav_.MaxMenu(); ++i) {
        const QRect r((i % columns) * width, (i / columns) * kTierHeight, width, kTierHeight);
        auto* b = tierButton(panMenu1, r, i + 1, kMenuFace, large ? 11 : 9);
        connect(b, &TZoPosButton::clicked, this, [this, i] { menuTap(i); });
        btnMenu.push_back(b);
    }
    const int pagerLeft = columns * width;
    btnMenuUp = tierButton(panMenu1, QRect(pagerLeft, 0, panMenu1->width() - pagerLeft, menuHeight / 2), 0,
                           kCommandFace, 12);
    btnMenuUp->SetCaption(QStringLiteral("▲"));
    btnMenuDown = tierButton(panMenu1, QRect(pagerLeft, menuHeight / 2, panMenu1->width() - pagerLeft,
                                             menuHeight - menuHeight / 2),
                             0, kCommandFace, 12);
    btnMenuDown->SetCaption(QStringLiteral("▼"));
    connect(btnMenuUp, &TZoPosButton::clicked, this, [this] {
        bill_.StartSale();
        nav_.MenuUp();
        Refresh();
    });
    connect(btnMenuDown, &TZoPosButton::clicked, this, [this] {
        bill_.StartSale();
        nav_.MenuDown();
        Refresh();
    });

    panMenu2 = new QWidget(this);
    panMenu2->setGeometry(panMenu1->geometry());
    panMenu2->hide();
}

TZoPosButton* TfrmSale::command(QWidget* aParent, QRect aRect, TSaleCommand aCommand)
{
    auto* b = new TZoPosButton(aParent);
    b->setGeometry(aRect);
    b->SetColor(TZoPosButtonColor::Face, kCommandFace);
    b->SetCaptionStyle(10, true, clBlack, clWhite, true);
    // Whether a button is down is the command bar's to say, in both
    // directions.
    b->SetAllowAllUp(true);
    connect(b, &TZoPosButton::clicked, this, [this, aCommand] { RunCommand(aCommand); });
    commandButtons_[static_cast<std::size_t>(aCommand)] = b;
    return b;
}

void TfrmSale::buildCommands()
{
    using C = TSaleCommand;
    const auto cell = [](int aColumn, int aRow, int aRows = 1) {
        return QRect(kTierLeft + aColumn * kCommandWidth, kBottomTop + aRow * kCommandHeight, kCommandWidth - 2,
                     aRows * kCommandHeight - 2);
    };
    btnOrderTable = command(this, cell(0, 0), C::OrderTable);
    btnBillCancel = command(this, cell(1, 0), C::BillCancel);
    btnReturn = command(this, cell(2, 0), C::Return);
    btnVoid = command(this, cell(3, 0), C::Void);
    btnPayCash = command(this, cell(4, 0), C::PayCash);
    btnDC = command(this, cell(0, 1), C::DC);
    btnLocker = command(this, cell(1, 1), C::Locker);
    btnEvent = command(this, cell(2, 1), C::Event);
    btnPreSale = command(this, cell(3, 1), C::PreSale);
    btnGuestCount = command(this, cell(0, 2), C::GuestCount);
    btnGroupPrint = command(this, cell(1, 2), C::GroupPrint);
    btnPay = command(this, cell(4, 1, 2), C::Pay);
    btnPay->SetColor(TZoPosButtonColor::Face, kPayFace);
    btnPay->SetCaptionStyle(14, true, clBlack, clWhite, true);

    btnDelete = new TZoPosButton(this);
    btnDelete->setGeometry(cell(2, 2));
    btnDelete->SetCaption(QStringLiteral("목록삭제"));
    btnDelete->SetColor(TZoPosButtonColor::Face, 0xC0C0FF);
    btnDelete->SetCaptionStyle(10, true, clBlack, clWhite, true);
    connect(btnDelete, &TZoPosButton::clicked, this, [this] { deleteLine(); });

    // The panel switch is the screen's own: it changes what is shown, not
    // the bill.
    btnMenuToggle = new TZoPosButton(this);
    btnMenuToggle->setGeometry(cell(3, 2));
    btnMenuToggle->SetColor(TZoPosButtonColor::Face, 0xC0FFFF);
    btnMenuToggle->SetCaptionStyle(11, true, clBlack, clWhite, true);
    btnMenuToggle->SetAllowAllUp(true);
    commandButtons_[static_cast<std::size_t>(C::MenuToggle)] = btnMenuToggle;
    connect(btnMenuToggle, &TZoPosButton::clicked, this, [this] { toggleMenuPanel(); });

    // The second panel, in place of the menu buttons.
    const int w = panMenu2->width() / 4;
    const int h = panMenu2->height() / 3;
    const auto slot = [w, h](int aIndex) { return QRect((aIndex % 4) * w, (aIndex / 4) * h, w - 2, h - 2); };
    btnPayModify = command(panMenu2, slot(0), C::PayModify);
    btnReprint = command(panMenu2, slot(1), C::Reprint);
    btnDCList = command(panMenu2, slot(2), C::DCList);
    btnDownload = command(panMenu2, slot(3), C::Download);
    btnIpgumOpen = command(panMenu2, slot(4), C::IpgumOpen);
    btnIpgumClose = command(panMenu2, slot(5), C::IpgumClose);
    btnCashClose = command(panMenu2, slot(6), C::Close);
    btnPOSClose = command(panMenu2, slot(7), C::POSClose);
    btnLogin = command(panMenu2, slot(8), C::Login);
    btnOnLine = command(panMenu2, slot(9), C::OnLine);
    btnShutdown = command(panMenu2, slot(10), C::Shutdown);
}

// The command buttons as the own outlet sets them up.
void TfrmSale::applyOutletFlags()
{
    TTerminalContext& c = deps_.context;
    TMasterStore& store = deps_.store;
    bill_.screen.commands = TCommandBar::FromOutlet(c, store);
    lblWaitCount->setVisible(bill_.screen.commands.waitCountShown);
    // At the golf course the guest-count button is the caddy toggle, and
    // the bill asks no guest count.
    if (c.gsMasterUpjangCode.rfind("20", 0) == 0 && !store.glUpjangData.empty())
        store.SetUpjangData(0, UpjangItem::GuestCountYN, "N");
}

// ---------------------------------------------------------------- painting

void TfrmSale::paintTier(const TButtonTier& aTier, const std::vector<TZoPosButton*>& aButtons, bool aExclusive)
{
    // Only what differs is touched (each setter repaints its button): a
    // press or a page of one tier leaves the others' buttons as they are,
    // and measuring a caption's point size is the costly part.
    for (int i = 0; i < static_cast<int>(aButtons.size()); ++i) {
        TZoPosButton* b = aButtons[static_cast<std::size_t>(i)];
        const TButtonEntry& e = aTier.Entry(i);
        const QString caption = QString::fromStdString(e.caption);
        const QString code = QString::fromStdString(e.code);
        if (b->Caption().captions.size() != 1 || b->CurrentCaption() != caption || b->CurrentCode() != code) {
            b->Clear();
            b->Add(caption, code);
            const int basePoint = b->width() > 100 ? 11 : 9;
            b->SetCaptionStyle(fittingPointSize(caption, b->width(), basePoint), true, clBlack, clWhite, true);
        }
        b->setEnabled(aTier.Enabled(i));
        const bool down = aTier.DownButton() == i;
        if (aExclusive && b->Down() != down) b->SetDown(down);
    }
}

void TfrmSale::paintTiers()
{
    paintTier(nav_.upjang, btnUpjang, true);
    paintTier(nav_.group, btnMenuGroup, true);
    paintTier(nav_.menu, btnMenu, false);
    const TColor menuFace = nav_.lbMenuSubGroup ? kSubGroupFace : kMenuFace;
    for (TZoPosButton* b : btnMenu) b->SetColor(TZoPosButtonColor::Face, menuFace);
    btnUpjangNext->setEnabled(nav_.upjangNextEnabled);
    btnMenuGroupNext->setEnabled(nav_.groupNextEnabled);
    btnMenuUp->setEnabled(nav_.menuUpEnabled);
    btnMenuDown->setEnabled(nav_.menuDownEnabled);
}

void TfrmSale::syncDaeso()
{
    // Clearing the bill puts the adult/child mode back to adult; the menus
    // must follow.
    if (nav_.daesoDown && !bill_.screen.daesoDown) {
        nav_.ResetDaeso();
        nav_.ReadMenuList();
    }
    btnDaeso->SetCaption(QString::fromStdString(nav_.DaesoCaption()));
    btnDaeso->SetDown(nav_.daesoDown);
}

void TfrmSale::Refresh()
{
    syncDaeso();
    const TSaleEntry& e = bill_.entry;
    if (edtMenuCode->text().toStdString() != e.menuCode) edtMenuCode->setText(QString::fromStdString(e.menuCode));
    edtSaleCount->setText(QString::number(e.saleCount.truncWon()));
    lblMenuName->setText(QString::fromStdString(bill_.screen.menuNameText));
    setColors(lblMenuName, bill_.screen.menuNameRed ? 0x0000FF : clBlack, clWhite);

    const TBillTotals& t = bill_.Totals();
    lblTotalAmt->setText(amountText(t.total));
    lblDCAmt->setText(amountText(t.discount));
    lblSumAmt->setText(amountText(t.due));
    if (fieldAmount(edtGetAmt) != t.tendered || edtGetAmt->text().isEmpty()) edtGetAmt->setText(amountText(t.tendered));
    lblChangeAmt->setText(amountText(t.change));

    paintCommands();
    ShowLockerNo();
    applyFocus();
}

// Each button shows its command's state; only what differs is set (each
// setter repaints its button).
void TfrmSale::paintCommands()
{
    const TCommandBar& bar = bill_.screen.commands;
    for (std::size_t i = 0; i < kSaleCommandCount; ++i) {
        TZoPosButton* b = commandButtons_[i];
        if (b == nullptr) continue;
        const auto command = static_cast<TSaleCommand>(i);
        const QString caption = QString::fromStdString(bar.Caption(command, deps_.context.gbOffLine));
        if (b->CurrentCaption() != caption) b->SetCaption(caption);
        if (b->isEnabled() != bar[command].enabled) b->setEnabled(bar[command].enabled);
        if (b->Down() != bar[command].down) b->SetDown(bar[command].down);
    }
    const bool second = bar.menuPanel == 2;
    if (panMenu2->isVisible() != second) {
        panMenu2->setVisible(second);
        panMenu1->setVisible(!second);
    }
}

void TfrmSale::applyFocus()
{
    if (!bill_.screen.showing || !bill_.screen.enabled) return;
    QLineEdit* field = edtMenuCode;
    if (bill_.screen.focus == TSaleScreenState::Focus::Count) field = edtSaleCount;
    if (bill_.screen.focus == TSaleScreenState::Focus::Tendered) field = edtGetAmt;
    field->setFocus();
    if (bill_.screen.focusTextSelected) field->selectAll();
    bill_.screen.focusTextSelected = false;
}

// ---------------------------------------------------------------- status

void TfrmSale::ShowBillNo()
{
    const TStatusText s = BillNoText(deps_.context, bill_.screen.commands.orderTableMode == TOrderTableMode::Table);
    lblBillNo->setText(QString::fromStdString(s.text));
    setColors(lblBillNo, s.color, clWhite);
}

void TfrmSale::ShowSaleGubun()
{
    const TStatusText s = SaleGubunText(deps_.context.giSaleGubun);
    lblSaleGubun->setText(QString::fromStdString(s.text));
    setColors(lblSaleGubun, s.color, s.background);
}

void TfrmSale::ShowWaitCount()
{
    const TCommandBar& bar = bill_.screen.commands;
    const bool counts = bar[TSaleCommand::GuestCount].enabled && bar.guestCountMode == TGuestCountMode::GuestCount;
    QString text = QString::fromStdString(WaitCountText(counts, deps_.context.giKoreanCount,
                                                        deps_.context.giForeignCount, deps_.store.glWaitData.size()));
    // The two counts go one above the other.
    text.replace(QStringLiteral("\r\r"), QStringLiteral("\n"));
    lblWaitCount->setText(text);
}

void TfrmSale::PressFirstMenuGroup()
{
    if (nav_.group.Buttons() > 0 && !nav_.group.Entry(0).Blank()) nav_.PressMenuGroup(0);
}

void TfrmSale::ShowOffLine()
{
    const bool offLine = deps_.context.gbOffLine;
    const TStatusText s = OffLineText(offLine);
    lblOffLine->setText(QString::fromStdString(s.text));
    setColors(lblOffLine, s.color, s.background);
    paintCommands();
}

void TfrmSale::ShowCashier()
{
    TfrmInherit::ShowCashier();
    ShowDate();
}

void TfrmSale::ReloadMenus()
{
    nav_.ReadUpjangList();
    paintTiers();
}

void TfrmSale::ShowMessage(const std::string& aText, bool aAlert, int aSeconds) { ShowMsg(aText, aAlert, aSeconds); }

void TfrmSale::ShowLockerNo()
{
    const std::string text = LockerText(deps_.context);
    lblLocker->setText(QString::fromStdString(text));
    lblLocker->setVisible(!text.empty());
}

void TfrmSale::ShowMessageLabel(const QString& aText)
{
    lblMsg->setText(aText);
    lblMsg->setVisible(!aText.isEmpty());
    lblMsg->raise();
}

// ---------------------------------------------------------------- timer and messages

bool TfrmSale::blockedByDialog() const
{
    QWidget* modal = QApplication::activeModalWidget();
    return busy_ || (modal != nullptr && modal != this);
}

void TfrmSale::SaleTick(const QDateTime& aNow)
{
    // Display windows are whole ten minutes: refill whenever the slot the
    // menus were filled in has passed, not only at second 0 of the tenth
    // minute, so a late tick never skips a refresh.
    const std::int64_t slot = TenMinuteSlot(aNow.date().toJulianDay(), aNow.time().hour(), aNow.time().minute());
    if (!deps_.context.gbVessa && menuRefresh_.Due(slot) && !blockedByDialog()) {
        nav_.Now = [aNow] { return aNow.time().toString(QStringLiteral("HHmm")).toStdString(); };
        nav_.ReadMenuList();
        nav_.Now = [] { return TerminalNow().time().toString(QStringLiteral("HHmm")).toStdString(); };
        menuRefresh_.Filled(slot);
    }
    blink();
    showVersion();
}

void TfrmSale::showVersion()
{
    // A style sheet re-polishes the label: it is set when the state changes,
    // not on every tick.
    const bool old = deps_.context.gbOldVersion;
    if (versionShown_ && *versionShown_ == old) return;
    versionShown_ = old;
    lblVersion->setText(old ? QStringLiteral("OLD Version") : QString::fromStdString(deps_.version));
    lblVersion->setStyleSheet(old ? QStringLiteral("color: blue") : QStringLiteral("color: gray"));
}

void TfrmSale::blink()
{
    blinkPhase_ = !blinkPhase_;
    if (bill_.screen.menuNameRed) setColors(lblMenuName, blinkPhase_ ? 0xFF0000 : 0x0000FF, clWhite);
    if (deps_.context.gbPreSale && lblFooterDate != nullptr) {
        QPalette pal = lblFooterDate->palette();
        pal.setColor(QPalette::WindowText, ZoColor(blinkPhase_ ? 0xFF00FF : 0x00FFFF));
        lblFooterDate->setPalette(pal);
    }
    if (lblMsg->isVisible()) setColors(lblMsg, blinkPhase_ ? 0xFF0000 : 0x008000, 0xE1FFFF);
}

void TfrmSale::WMEnable(bool aEnable)
{
    setEnabled(aEnable);
    bill_.screen.enabled = aEnable;
    if (aEnable && bill_.screen.showing) edtMenuCode->setFocus();
}

void TfrmSale::WMAddBillNo()
{
    hooks_->GetMaxBillNo();
    ShowBillNo();
}

// ---------------------------------------------------------------- entry

void TfrmSale::pullEntry()
{
    bill_.entry.menuCode = edtMenuCode->text().trimmed().toStdString();
    bill_.entry.saleCount = fieldAmount(edtSaleCount);
}

void TfrmSale::applyOutcome(const TEntryOutcome& aOutcome)
{
    Refresh();
    switch (aOutcome.kind) {
    case TEntryOutcome::ToTendered:
        edtGetAmt->setFocus();
        break;
    case TEntryOutcome::AskCount:
        edtSaleCount->setFocus();
        edtSaleCount->selectAll();
        break;
    case TEntryOutcome::WrongCode:
        edtMenuCode->setFocus();
        edtMenuCode->selectAll();
        break;
    default: break;
    }
    if (!aOutcome.notice.empty()) ShowMsg(aOutcome.notice, aOutcome.alert, 10);
}

void TfrmSale::codeEnter()
{
    pullEntry();
    applyOutcome(entry_.CodeEnter());
}

void TfrmSale::countEnter()
{
    pullEntry();
    applyOutcome(entry_.CountEnter());
}

void TfrmSale::menuTap(int aButton)
{
    applyOutcome(entry_.MenuTap(aButton));
}

void TfrmSale::deleteLine()
{
    bill_.DeleteCurrentLine();
    Refresh();
}

void TfrmSale::toggleMenuPanel()
{
    bill_.StartSale();
    TCommandBar& bar = bill_.screen.commands;
    bar.menuPanel = bar.menuPanel == 2 ? 1 : 2;
    bar[TSaleCommand::MenuToggle].down = bar.menuPanel == 2;
    Refresh();
}

void TfrmSale::RunCommand(TSaleCommand aCommand)
{
    if (!bill_.screen.commands[aCommand].enabled) return;
    bill_.StartSale();
    deps_.commands.Run(aCommand, *this);
    Refresh();
}

bool TfrmSale::handleKey(QLineEdit* aField, QKeyEvent* aKey)
{
    // Every key of the entry fields first closes a finished bill, before the
    // key itself is typed.
    if (bill_.IsFinished()) {
        bill_.StartSale();
        Refresh();
    }
    switch (aKey->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const bool up = aKey->key() == Qt::Key_Up;
        if ((up ? fraList->btnUp : fraList->btnDown)->isEnabled()) {
            if (up) bill_.Lines().UpList();
            else bill_.Lines().DownList();
            Refresh();
        }
        return true;
    }
    case Qt::Key_PageUp:
        nav_.SelectNextUpjang();
        Refresh();
        return true;
    case Qt::Key_PageDown:
        nav_.SelectNextMenuGroup();
        Refresh();
        return true;
    case Qt::Key_Escape:
        if (aField == edtMenuCode) {
            edtMenuCode->clear();
        } else if (aField == edtSaleCount) {
            edtSaleCount->setText(QStringLiteral("1"));
            edtSaleCount->selectAll();
        } else {
            bill_.SetTendered(Currency());
            edtGetAmt->setText(amountText(Currency()));
            lblChangeAmt->setText(amountText(bill_.Totals().change));
            edtMenuCode->setFocus();
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (aField == edtMenuCode)
            codeEnter();
        else if (aField == edtSaleCount)
            countEnter();
        else if (btnPay->isEnabled())
            RunCommand(TSaleCommand::Pay);
        return true;
    default: return false;
    }
}

bool TfrmSale::eventFilter(QObject* aWatched, QEvent* aEvent)
{
    if (aWatched == lblMsg && aEvent->type() == QEvent::MouseButtonRelease) {
        lblMsg->hide();
        return true;
    }
    auto* field = qobject_cast<QLineEdit*>(aWatched);
    const bool entryField = field == edtMenuCode || field == edtSaleCount || field == edtGetAmt;
    if (entryField && aEvent->type() == QEvent::KeyPress && handleKey(field, static_cast<QKeyEvent*>(aEvent)))
        return true;
    if (entryField && aEvent->type() == QEvent::FocusIn) {
        if (field == edtMenuCode) {
            bill_.CodeEntered();
            edtSaleCount->setText(QString::number(bill_.entry.saleCount.truncWon()));
            lblMenuName->setText(QString::fromStdString(bill_.screen.menuNameText));
        } else if (field == edtGetAmt) {
            bill_.TenderedEntered();
            edtGetAmt->setText(amountText(bill_.Totals().tendered));
            lblChangeAmt->setText(amountText(bill_.Totals().change));
            QTimer::singleShot(0, edtGetAmt, [this] { edtGetAmt->selectAll(); });
        } else {
            QTimer::singleShot(0, edtSaleCount, [this] { edtSaleCount->selectAll(); });
        }
    }
    return TfrmInherit::eventFilter(aWatched, aEvent);
}

// ---------------------------------------------------------------- life

void TfrmSale::showEvent(QShowEvent* aEvent)
{
    TfrmInherit::showEvent(aEvent);
    bill_.screen.showing = true;
    edtMenuCode->setFocus();
    TTerminalContext& c = deps_.context;
    if (deps_.data.CheckClosed(c.gsSaleDate, c.gsMasterUpjangCode, c.gsMasterPosNo, true)) {
        bill_.screen.commands.loginRequired = true;
        QTimer::singleShot(0, this, [this] { RunCommand(TSaleCommand::Login); });
    } else if (!tableScreenOpened_ && bill_.screen.commands.orderTableMode == TOrderTableMode::Table) {
        // A table-service outlet starts on its tables: the order-table
        // command opens the table screen once the sale screen is up.
        tableScreenOpened_ = true;
        QTimer::singleShot(0, this, [this] { RunCommand(TSaleCommand::OrderTable); });
    }
}

void TfrmSale::hideEvent(QHideEvent* aEvent)
{
    bill_.screen.showing = false;
    TfrmInherit::hideEvent(aEvent);
}

void TfrmSale::reject()
{
    // Esc never closes the sale screen; only the shutdown command does.
    if (closing_) TfrmInherit::reject();
}

void TfrmSale::CloseScreen()
{
    closing_ = true;
    reject();
}

void RunSaleScreen(TSaleScreenDeps& aDeps)
{
    auto* screen = new TfrmSale(aDeps);
    screen->exec();
    delete screen;
}

}  // namespace pos
