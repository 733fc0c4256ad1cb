#pragma once
// A tender list of the payment screen: the list frame showing one tender
// kind's lines of the payment model, with that kind's columns, a footer with
// count and sum, and the model's current line. Touches and the page buttons
// go to the screen (which hands them to the model as cashier actions).

#include "core/ui/TfrmListFrame.h"
#include "payment/PayTenders.h"

#include <functional>

namespace pos {

class TPayModel;

class TfrmPayFrame : public TfrmListFrame {
    Q_OBJECT
public:
    TfrmPayFrame(const TPayModel& aModel, TPayKind aKind, const QRect& aGeometry, QWidget* aParent = nullptr);

    TPayKind Kind() const { return kind_; }
    int GetCount() const override;
    Variant GetDataItem(int aItem, int aIndex = -1) const override;

    // Repaints from the model: its lines and current line, kept visible.
    void Redraw();

signals:
    void rowTouched(int aRecord);
    void upPressed();
    void downPressed();

protected:
    void resizeEvent(QResizeEvent* aEvent) override;

private:
    void routeTouches();

    const TPayModel& model_;
    TPayKind kind_;
    int first_ = 0;
};

}  // namespace pos
