#pragma once
// The cash receipt screen "현금영수증" of the reprint screen: the amount
// (read-only), "개인" or "사업자", the identity number; Enter asks the
// approval and stores the receipt, Esc closes. A thin screen over
// TCashReceiptModel.

#include "core/ui/TfrmGetBox.h"

class QLabel;
class QLineEdit;

namespace pos {

class TCashReceiptModel;
class TZoPosButton;

class TfrmCashReceipt : public TfrmGetBox {
    Q_OBJECT
public:
    TfrmCashReceipt(const TScreenEnv& aEnv, TCashReceiptModel& aModel, QWidget* aParent = nullptr);

    void ShowModel();
    // The waiting panel while the approval runs, the screen disabled.
    void ShowExecute(bool aShow);

    QLineEdit* edtPayCashAmt = nullptr;
    QLineEdit* edtPayCashNo = nullptr;
    TZoPosButton* btnPayCashMan = nullptr;
    TZoPosButton* btnPayCashComp = nullptr;
    QLabel* panPayCashExecute = nullptr;

    static constexpr int kWidth = 560;
    static constexpr int kHeight = 360;

private:
    void enter();

    TCashReceiptModel& model_;
    bool busy_ = false;
};

// Shown until it closes; true when a receipt was approved and stored.
bool ShowCashReceipt(const TScreenEnv& aEnv, TCashReceiptModel& aModel, QWidget* aParent);

}  // namespace pos
