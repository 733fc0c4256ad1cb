#pragma once
// The reprint screen "영수증 재발행": sale date, POS number and bill number,
// the "Void빌" and "영문빌" toggles (English only at the hotel outlets).
// Enter moves from field to field and reprints from the bill number; Esc
// closes; "현금영수증 추후발행" issues a cash receipt for the bill typed. A
// thin screen over TReprintModel.

#include "core/ui/TfrmGetBox.h"

class QLineEdit;

namespace pos {

class TReprintModel;
class TZoPosButton;

class TfrmReprint : public TfrmGetBox {
    Q_OBJECT
public:
    TfrmReprint(const TScreenEnv& aEnv, TReprintModel& aModel, QWidget* aParent = nullptr);

    // Shows what the model holds: fields, toggles, focus and message.
    void ShowModel();

    QLineEdit* edtSaleDate = nullptr;
    QLineEdit* edtPosNo = nullptr;
    QLineEdit* edtBillNo = nullptr;
    TZoPosButton* btnVoidBill = nullptr;
    TZoPosButton* btnPrintEng = nullptr;
    TZoPosButton* btnCashReceipt = nullptr;

    static constexpr int kWidth = 560;
    static constexpr int kHeight = 410;

private:
    void readFields();
    void enter();
    void leaveSaleDate();
    void cashReceipt();
    // Runs a model step that may close the screen.
    void step(bool (TReprintModel::*aStep)());
    QLineEdit* field(int aIndex) const;

    TReprintModel& model_;
    bool busy_ = false;
};

// The reprint screen shown until it closes; true when a receipt was reprinted.
bool ShowReprint(const TScreenEnv& aEnv, TReprintModel& aModel, QWidget* aParent);

}  // namespace pos
