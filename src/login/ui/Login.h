#pragma once
// The launchers of the login and the manager check: each makes its screen,
// runs it modally and frees it. The models (and the lock-out they share)
// belong to the caller and outlive the screens.

#include "core/ui/ScreenEnv.h"
#include "login/LoginModel.h"

class QWidget;

namespace pos {

// The login (aCanClose: a change of cashier from a working screen, which the
// cashier may abandon). False without showing the screen when the current
// cashier has not closed the shift. True when a cashier signed on; the
// terminal context then holds the shift, and a typed outlet code or POS
// number has gone to "POS.ini".
bool Login(const TScreenEnv& aEnv, TLoginModel& aModel, bool aCanClose, QWidget* aParent = nullptr);

// The manager check (CheckAdmin): true exactly when a manager confirmed.
bool AdminCheck(const TScreenEnv& aEnv, TAdminCheckModel& aModel, QWidget* aParent = nullptr);

}  // namespace pos
