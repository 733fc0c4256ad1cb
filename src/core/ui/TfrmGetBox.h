#pragma once
// The input dialogs (manager check, open price, guest count, bill choice, ...):
// a base screen with the on-screen keypad, the title, the close button and the
// footer message, without outlet, cashier and date.

#include "core/ui/TfrmInherit.h"

namespace pos {

class TfrmKeyFrame;

class TfrmGetBox : public TfrmInherit {
    Q_OBJECT
public:
    TfrmGetBox(const TScreenEnv& aEnv, TInheritOptions aOptions, QWidget* aParent = nullptr);

    // Placed at the right, below the title bar; a dialog moves it where its
    // layout wants it.
    TfrmKeyFrame* fraKeyPad = nullptr;
};

}  // namespace pos
