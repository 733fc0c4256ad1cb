#pragma once
// "Open Code 가격": the price of an open-price item, an event price or a
// unit-price correction, typed on the keypad. At the hotel restaurants two
// mode buttons say whether the typed price is net or already includes
// service charge and VAT. The arithmetic is OpenPrice.h.

// Qt's headers come first: moc reads the standard headers after them
// without tripping over the library's C++20 parts.
#include "core/ui/TfrmGetBox.h"

#include "core/Currency.h"
#include "sales/OpenPrice.h"

#include <cstdint>
#include <string>

class QLabel;
class QLineEdit;

namespace pos {

struct TTerminalContext;

class TfrmOpenPrice : public TfrmGetBox {
    Q_OBJECT
public:
    TfrmOpenPrice(const TScreenEnv& aEnv, const TTerminalContext& aContext, QWidget* aParent = nullptr);

    // Shows the menu, puts trunc(aPrice) in the edit and the comment (when
    // not empty) in the notice.
    void Prepare(const std::string& aMenuName, const std::string& aTaxCalcuCode, Currency aPrice,
                 const std::string& aComment);

    Currency Price() const;           // the edit's value
    Currency SalePrice() const { return salePrice_; }  // after OK: the unit price for the bill
    std::int64_t liCorrectAmt = 0;
    std::string lsTaxCalcuCode;
    bool NetMode() const { return netMode_; }
    void SetNetMode(bool aNet);

    // Enter: confirms a price of 0 or more.
    void Confirm();
    // A quick-discount button: the price less aPercent, then confirmed.
    void ApplyDiscount(int aPercent);

    QLabel* lblOpenMenu = nullptr;
    QLineEdit* edtOpenPrice = nullptr;
    QLabel* lblComment = nullptr;
    QLabel* lblSalePrice = nullptr;
    TZoPosButton* btnDC10 = nullptr;
    TZoPosButton* btnDC20 = nullptr;
    TZoPosButton* btnDC30 = nullptr;
    TZoPosButton* btnPriceNoVAT = nullptr;
    TZoPosButton* btnPriceVAT = nullptr;

protected:
    bool eventFilter(QObject* aWatched, QEvent* aEvent) override;

private:
    void setPrice(Currency aPrice);
    void priceEdited();
    void showSalePrice();
    TOpenPriceRules rules() const;

    const TTerminalContext& context_;
    bool netMode_ = true;
    Currency salePrice_;
};

// The launcher: the sale price entered, or -1 on cancel (aCorrectAmt 0).
Currency GetOpenCodePrice(const TScreenEnv& aEnv, const TTerminalContext& aContext, const std::string& aMenuName,
                          const std::string& aTaxCalcuCode, Currency aPrice, std::int64_t& aCorrectAmt,
                          const std::string& aComment, QWidget* aParent = nullptr);

}  // namespace pos
