#pragma once
// What a sale-screen command sees of the screen: the bill (with the command
// buttons' state), the status displays it may refresh, and the screen
// itself to enable or close. The sale screen implements it; a test gives
// a fake.

#include <string>

namespace pos {

class TSaleBill;

class TSaleView {
public:
    virtual ~TSaleView() = default;
    virtual TSaleBill& Bill() = 0;
    // The bill number, the bill kind (sale, return) and the cashier and
    // business-date displays.
    virtual void ShowBillNo() = 0;
    virtual void ShowSaleGubun() = 0;
    virtual void ShowCashier() = 0;
    // The guest counts (or held-bill count) under the status line.
    virtual void ShowWaitCount() = 0;
    // The first menu-group button pressed, when it shows a group.
    virtual void PressFirstMenuGroup() = 0;
    // The outlet, menu-group and menu buttons built again from the master
    // lists (after they were downloaded again).
    virtual void ReloadMenus() = 0;
    // Everything painted again from the bill and the command buttons.
    virtual void Refresh() = 0;
    // The message line under the bill (empty hides it).
    virtual void ShowMessage(const std::string& aText, bool aAlert, int aSeconds) = 0;
    virtual void SetEnabled(bool aEnabled) = 0;
    // Ends the sale screen (the program then ends).
    virtual void CloseScreen() = 0;
};

}  // namespace pos
