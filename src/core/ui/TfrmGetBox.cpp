#include "core/ui/TfrmGetBox.h"

#include "core/ui/TfrmKeyFrame.h"

namespace pos {

namespace {

TInheritOptions getBoxOptions(TInheritOptions aOptions)
{
    aOptions.noUpjang = true;
    aOptions.noCashier = true;
    aOptions.noDate = true;
    return aOptions;
}

}  // namespace

TfrmGetBox::TfrmGetBox(const TScreenEnv& aEnv, TInheritOptions aOptions, QWidget* aParent)
    : TfrmInherit(aEnv, getBoxOptions(std::move(aOptions)), aParent)
{
    fraKeyPad = new TfrmKeyFrame(this);
    fraKeyPad->move(width() - fraKeyPad->width() - 14, 62 + 14);
}

}  // namespace pos
