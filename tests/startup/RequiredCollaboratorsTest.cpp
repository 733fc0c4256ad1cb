// A piece that cannot work without a collaborator cannot be made without
// it: these are compile-time facts, checked when the tests are built.

#include "db/DataModule.h"
#include "devices/Devices.h"
#include "devices/TicketMasterData.h"
#include "devices/TicketPrinters.h"
#include "devices/TicketProgress.h"
#include "login/LoginModel.h"
#include "sales/SaleBill.h"
#include "sales/SaleServices.h"
#include "sales/ui/TfrmSale.h"
#include "startup/TerminalStartup.h"
#include "store/MasterStore.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace pos {
namespace {

// The data module needs its off-line policy.
static_assert(!std::is_constructible_v<TfrmData, TTerminalContext&, const TSqlCatalogue&, DialogService&>);
static_assert(std::is_constructible_v<TfrmData, TTerminalContext&, const TSqlCatalogue&, DialogService&,
                                      TOffLinePolicy&>);
// The store needs the server behind its on-line reads.
static_assert(!std::is_constructible_v<TMasterStore, TTerminalContext&, DialogService&>);
// The devices need their dialogs, outlet print information, beeper and ticket driver.
static_assert(!std::is_constructible_v<TDevices, TDeviceConfig, TSerialPortPaths, const TTerminalContext&,
                                       DialogService&>);
static_assert(!std::is_default_constructible_v<TDeviceServices>);
// The ticket list needs its journal; the ticket printers the progress they report to.
static_assert(!std::is_constructible_v<TTicketJobList, const TTicketKinds&, const TTerminalContext&, TPrinterType>);
static_assert(!std::is_constructible_v<TTicketPrinters, TDevicePort&, TDevicePort&, TTicketJobList&,
                                       const TTicketMasterData&, const TTerminalContext&, const TDeviceConfig&,
                                       DialogService&>);
// The login needs the program around it; the start-up its steps and policy.
static_assert(!std::is_constructible_v<TLoginModel, TTerminalContext&, DialogService&, TMasterStore&, TfrmData&,
                                       TDeviceConfig&, TLoginGuard&>);
static_assert(!std::is_constructible_v<TTerminalStartup, TTerminalContext&, DialogService&>);
// The sale screen needs its data module, services and commands.
static_assert(!std::is_constructible_v<TSaleScreenDeps, TScreenEnv, TTerminalContext&, DialogService&,
                                       TMasterStore&>);
// Every collaborator interface is abstract: there is no do-nothing default
// to fall back on.
static_assert(std::is_abstract_v<TOffLinePolicy>);
static_assert(std::is_abstract_v<TMasterServer>);
static_assert(std::is_abstract_v<TOutletPrintSource>);
static_assert(std::is_abstract_v<TBeeper>);
static_assert(std::is_abstract_v<TTicketKinds>);
static_assert(std::is_abstract_v<TTicketMasterData>);
static_assert(std::is_abstract_v<TTicketJobStore>);
static_assert(std::is_abstract_v<TTicketProgress>);
static_assert(std::is_abstract_v<TSaleHooks>);
static_assert(std::is_abstract_v<TSaleServices>);
static_assert(std::is_abstract_v<TStartupSteps>);
static_assert(std::is_abstract_v<TLoginProgram>);

TEST(RequiredCollaborators, AreCheckedWhenTheTestsAreBuilt) { SUCCEED(); }

}  // namespace
}  // namespace pos
