#include "login/ui/Login.h"

#include "login/ui/TfrmAdminCheck.h"
#include "login/ui/TfrmLogin.h"

#include <memory>

namespace pos {

bool Login(const TScreenEnv& aEnv, TLoginModel& aModel, bool aCanClose, QWidget* aParent)
{
    if (!aModel.Begin(aCanClose)) return false;
    {
        auto screen = std::make_unique<TfrmLogin>(aEnv, aModel, aParent);
        screen->exec();
    }
    // The typed outlet and POS number are written once the screen is gone.
    aModel.Finish();
    return aModel.Result() == TLoginResult::SignedOn;
}

bool AdminCheck(const TScreenEnv& aEnv, TAdminCheckModel& aModel, QWidget* aParent)
{
    auto screen = std::make_unique<TfrmAdminCheck>(aEnv, aModel, aParent);
    screen->exec();
    return aModel.Result() == TLoginResult::SignedOn;
}

}  // namespace pos
