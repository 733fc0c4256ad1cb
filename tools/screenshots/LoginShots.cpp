// The login screen (with an outlet and a cashier typed, and with the set-up
// panel open) and the manager check, drawn with a demo terminal that needs
// no server: the outlet and the cashiers are in memory.

#include "Shots.h"
#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "db/Catalogue.h"
#include "db/DataModule.h"
#include "login/LoginModel.h"
#include "store/MasterStore.h"
#include "login/Password.h"
#include "login/ui/TfrmAdminCheck.h"
#include "login/ui/TfrmLogin.h"

#include <QApplication>
#include <QDir>

namespace {

using F = pos::TLoginField;

struct TDemoTerminal {
    TDemoTerminal()
    {
        ctx.gsMasterUpjangCode = "3101";
        ctx.gsMasterPosNo = "01";
        ctx.gsFolder = QDir::tempPath().toStdString() + "/";
        pos::TUpjangData outlet;
        outlet.UpjangCode = "3101";
        outlet.PosNo = "01";
        outlet.UpjangName = "솔바람 한식당";
        store.glUpjangData.push_back(outlet);
        store.glCashierData.push_back({"1001", "김하늘", pos::HashPassword("sky1001"), "", 60, false});
        store.glCashierData.push_back({"9001", "최지훈", pos::HashPassword("boss9001"), "", 90, true});
        devices.printer1.typeText = "TSP700";
        devices.printer1.port = 3;
        devices.printer1.rate = 19200;
        model.Clock = [] { return std::string("20240105120000"); };
    }

    pos::TTerminalContext ctx;
    pos::ScriptedDialogService dialogs;
    pos::TSqlCatalogue catalogue;
    pos::TSellsOffLinePolicy offLinePolicy;
    pos::TfrmData data{ctx, catalogue, dialogs, offLinePolicy};
    pos::TNoMasterServer storeServer;
    pos::TMasterStore store{ctx, dialogs, storeServer};
    pos::TDeviceConfig devices;
    pos::TLoginGuard guard;
    // A picture has no devices to restart and no program to end.
    struct Program final : pos::TLoginProgram {
        void RestartDevices() override {}
        bool Shutdown() override { return false; }
    } program;
    pos::TLoginModel model{ctx, dialogs, store, data, devices, guard, program};
};

// The cashier number and the password typed, as the cashier would.
void typeCashier(pos::TLoginModel& aModel, const char* aCashier, const char* aPassword)
{
    aModel.Change(F::Cashier, aCashier);
    aModel.Enter(F::Cashier);
    aModel.Change(F::Password, aPassword);
}

// Shown and active, so that the focused field has its focus colour.
void showActive(QWidget& aScreen)
{
    aScreen.show();
    aScreen.activateWindow();
    QApplication::processEvents();
}

// The screen after the model moved on, once the focus has settled.
template <class TScreen>
void settle(TScreen& aScreen)
{
    aScreen.ShowModel();
    QApplication::processEvents();
}

const shots::TShotRegistrar reg("login", [](const QDir& aDir) {
    bool ok = true;
    pos::TScreenEnv env;
    {
        TDemoTerminal demo;
        demo.model.Begin(false);
        pos::TfrmLogin screen(env, demo.model);
        showActive(screen);
        typeCashier(demo.model, "1001", "sky1001");
        settle(screen);
        ok &= shots::Save(screen, aDir, "login");
    }
    {
        TDemoTerminal demo;
        demo.model.Begin(false);
        pos::TfrmLogin screen(env, demo.model);
        showActive(screen);
        typeCashier(demo.model, "9001", "boss9001");
        demo.model.ConfigClick();
        settle(screen);
        ok &= shots::Save(screen, aDir, "login-setup");
    }
    {
        TDemoTerminal demo;
        demo.model.Begin(false);
        pos::TfrmLogin screen(env, demo.model);
        showActive(screen);
        demo.model.Change(F::Cashier, "1001");
        demo.model.Enter(F::Cashier);
        demo.model.PasswordChangeClick();
        demo.model.Change(F::PasswordOld, "sky1001");
        demo.model.Enter(F::PasswordOld);
        settle(screen);
        ok &= shots::Save(screen, aDir, "login-password");
    }
    {
        TDemoTerminal demo;
        pos::TAdminCheckModel check(demo.ctx, demo.dialogs, demo.store, demo.guard);
        pos::TfrmAdminCheck screen(env, check);
        showActive(screen);
        check.Change(pos::TAdminField::Cashier, "9001");
        check.Enter(pos::TAdminField::Cashier);
        check.Change(pos::TAdminField::Password, "boss");
        settle(screen);
        ok &= shots::Save(screen, aDir, "admincheck");
    }
    return ok;
});

}  // namespace
