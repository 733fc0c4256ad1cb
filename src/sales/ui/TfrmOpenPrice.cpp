#include "sales/ui/TfrmOpenPrice.h"

#include "controls/ZoPosButton.h"
#include "core/TerminalContext.h"
#include "core/ui/TfrmKeyFrame.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace pos {

namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 400;
constexpr int kModeRows = 2 * 44;  // the hotel restaurants' price-mode buttons
constexpr int kLeft = 20;
constexpr int kCaptionWidth = 80;
constexpr int kFieldLeft = kLeft + kCaptionWidth + 6;
constexpr int kFieldWidth = 220;
constexpr int kRowHeight = 34;

const char* const kDefaultComment = "판매 금액을 입력하십시오.";

TInheritOptions openPriceOptions(bool aPriceModes)
{
    TInheritOptions o;
    o.caption = QStringLiteral("Open Code 가격");
    o.width = kWidth;
    o.height = kHeight + (aPriceModes ? kModeRows : 0);
    return o;
}

QLabel* caption(QWidget* aParent, const char* aText, int aTop)
{
    auto* label = new QLabel(QString::fromUtf8(aText), aParent);
    label->setGeometry(kLeft, aTop, kCaptionWidth, kRowHeight - 4);
    label->setFont(ZoFont(11, true));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(pal);
    return label;
}

QLabel* valueLabel(QWidget* aParent, int aTop, Qt::Alignment aAlign)
{
    auto* label = new QLabel(aParent);
    label->setGeometry(kFieldLeft, aTop, kFieldWidth, kRowHeight - 4);
    label->setFont(ZoFont(12, true));
    label->setAlignment(aAlign | Qt::AlignVCenter);
    label->setAutoFillBackground(true);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, ZoColor(0xF0FBFF));
    pal.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(pal);
    label->setContentsMargins(6, 0, 6, 0);
    return label;
}

TZoPosButton* commandButton(QWidget* aParent, const char* aCaption, QRect aRect)
{
    auto* button = new TZoPosButton(aParent);
    button->setGeometry(aRect);
    button->SetCaption(QString::fromUtf8(aCaption));
    button->SetCaptionStyle(10, true, clBlack, clWhite, true);
    return button;
}

}  // namespace

TfrmOpenPrice::TfrmOpenPrice(const TScreenEnv& aEnv, const TTerminalContext& aContext, QWidget* aParent)
    : TfrmGetBox(aEnv, openPriceOptions(aContext.gbVessa), aParent), context_(aContext)
{
    int top = 80;
    caption(this, "오픈메뉴", top);
    lblOpenMenu = valueLabel(this, top, Qt::AlignLeft);
    top += kRowHeight + 4;
    auto* priceCaption = caption(this, "오픈가격", top);
    edtOpenPrice = new QLineEdit(this);
    edtOpenPrice->setGeometry(kFieldLeft, top, kFieldWidth, kRowHeight - 2);
    edtOpenPrice->setFont(ZoFont(14, true));
    edtOpenPrice->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    priceCaption->setBuddy(edtOpenPrice);
    top += kRowHeight + 4;
    caption(this, "판매가격", top);
    lblSalePrice = valueLabel(this, top, Qt::AlignRight);
    top += kRowHeight + 4;
    lblComment = new QLabel(QString::fromUtf8(kDefaultComment), this);
    lblComment->setGeometry(kLeft, top, kFieldLeft + kFieldWidth - kLeft, kRowHeight - 4);
    lblComment->setFont(ZoFont(10, true));
    QPalette pal = lblComment->palette();
    pal.setColor(QPalette::WindowText, ZoColor(0x00FFFF));
    lblComment->setPalette(pal);

    // The price modes only mean something where service charge and VAT are
    // added to net prices; they take the full width below the keypad.
    const int modeTop = kHeight - 30 - 60 - 10;
    const int modeWidth = kWidth - 2 * kLeft;
    btnPriceNoVAT = commandButton(this, "NET 가격                            (10,000원 입력시 12,100원으로 판매)",
                                  QRect(kLeft, modeTop, modeWidth, 40));
    btnPriceVAT = commandButton(this, "Including (NET + SVC + VAT) 가격   (10,000원 입력시 10,000원으로 판매)",
                                QRect(kLeft, modeTop + 44, modeWidth, 40));
    for (TZoPosButton* mode : {btnPriceNoVAT, btnPriceVAT}) {
        mode->SetCaptionStyle(10, true, clBlack, clWhite, true);
        mode->SetColor(TZoPosButtonColor::Face, 0xF0FBFF);
        mode->SetColor(TZoPosButtonColor::FaceDown, 0x80FF80);  // the chosen mode in green
        mode->SetGroupIndex(30);
        mode->setVisible(aContext.gbVessa);
    }
    connect(btnPriceNoVAT, &TZoPosButton::clicked, this, [this] { SetNetMode(true); });
    connect(btnPriceVAT, &TZoPosButton::clicked, this, [this] { SetNetMode(false); });

    const int dcTop = height() - 30 - 60;
    const int dcWidth = (kWidth - 2 * kLeft - 2 * 8) / 3;
    btnDC10 = commandButton(this, "10%할인 적용", QRect(kLeft, dcTop, dcWidth, 52));
    btnDC20 = commandButton(this, "15%할인 적용", QRect(kLeft + dcWidth + 8, dcTop, dcWidth, 52));
    btnDC30 = commandButton(this, "20%할인 적용", QRect(kLeft + 2 * (dcWidth + 8), dcTop, dcWidth, 52));
    connect(btnDC10, &TZoPosButton::clicked, this, [this] { ApplyDiscount(10); });
    connect(btnDC20, &TZoPosButton::clicked, this, [this] { ApplyDiscount(15); });
    connect(btnDC30, &TZoPosButton::clicked, this, [this] { ApplyDiscount(20); });

    connect(edtOpenPrice, &QLineEdit::textEdited, this, [this] { priceEdited(); });
    edtOpenPrice->installEventFilter(this);
    SetNetMode(true);
}

TOpenPriceRules TfrmOpenPrice::rules() const
{
    TOpenPriceRules r;
    r.vessa = context_.gbVessa;
    r.taxCalcuCode = lsTaxCalcuCode;
    r.dutyFreeCode = context_.gsTaxGubunDutyfree;
    r.serviceChargeCode = context_.gsTaxGubunDutyTip;
    return r;
}

void TfrmOpenPrice::Prepare(const std::string& aMenuName, const std::string& aTaxCalcuCode, Currency aPrice,
                            const std::string& aComment)
{
    lblOpenMenu->setText(QString::fromStdString(aMenuName));
    lsTaxCalcuCode = aTaxCalcuCode;
    liCorrectAmt = 0;
    setPrice(Currency(aPrice.truncWon()));
    if (!aComment.empty()) lblComment->setText(QString::fromStdString(aComment));
    edtOpenPrice->setFocus();
    edtOpenPrice->selectAll();
}

Currency TfrmOpenPrice::Price() const
{
    QString digits = edtOpenPrice->text();
    digits.remove(QLatin1Char(','));
    return Currency::fromText(digits.toStdString());
}

void TfrmOpenPrice::setPrice(Currency aPrice)
{
    edtOpenPrice->setText(QString::fromStdString(FormatThousands(aPrice)));
    showSalePrice();
}

void TfrmOpenPrice::priceEdited()
{
    // Keep only digits and show them with thousands separators.
    QString digits;
    for (QChar c : edtOpenPrice->text())
        if (c.isDigit()) digits += c;
    const int fromEnd = edtOpenPrice->text().length() - edtOpenPrice->cursorPosition();
    setPrice(Currency::fromText(digits.left(12).toStdString()));
    edtOpenPrice->setCursorPosition(std::max(0, static_cast<int>(edtOpenPrice->text().length()) - fromEnd));
}

void TfrmOpenPrice::showSalePrice()
{
    lblSalePrice->setText(QString::fromStdString(FormatThousands(OpenSalePrice(Price(), netMode_, rules()))));
}

void TfrmOpenPrice::SetNetMode(bool aNet)
{
    netMode_ = aNet;
    btnPriceNoVAT->SetDown(aNet);
    btnPriceVAT->SetDown(!aNet);
    showSalePrice();
}

void TfrmOpenPrice::Confirm()
{
    const Currency price = Price();
    if (price < Currency()) return;
    const TOpenPriceResult result = ConfirmOpenPrice(price, netMode_, rules());
    setPrice(result.editPrice);
    liCorrectAmt = result.correctAmt;
    salePrice_ = result.salePrice;
    accept();
}

void TfrmOpenPrice::ApplyDiscount(int aPercent)
{
    setPrice(DiscountedOpenPrice(Price(), aPercent));
    Confirm();
}

bool TfrmOpenPrice::eventFilter(QObject* aWatched, QEvent* aEvent)
{
    if (aWatched == edtOpenPrice && aEvent->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(aEvent)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Confirm();
            return true;
        }
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return TfrmGetBox::eventFilter(aWatched, aEvent);
}

Currency GetOpenCodePrice(const TScreenEnv& aEnv, const TTerminalContext& aContext, const std::string& aMenuName,
                          const std::string& aTaxCalcuCode, Currency aPrice, std::int64_t& aCorrectAmt,
                          const std::string& aComment, QWidget* aParent)
{
    auto* form = new TfrmOpenPrice(aEnv, aContext, aParent);
    form->Prepare(aMenuName, aTaxCalcuCode, aPrice, aComment);
    const bool ok = form->exec() == QDialog::Accepted;
    const Currency price = ok ? form->SalePrice() : Currency(-1);
    aCorrectAmt = ok ? form->liCorrectAmt : 0;
    delete form;
    return price;
}

}  // namespace pos
