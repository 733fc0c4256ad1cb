#include "startup/TerminalStartup.h"

#include "core/DateHelpers.h"
#include "core/Environment.h"
#include "core/IniFile.h"
#include "core/TextHelpers.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"
#include "sync/MasterServer.h"
#include "login/Password.h"

#include <cstdlib>

namespace pos {

TTerminalStartup::TTerminalStartup(TTerminalContext& aContext, DialogService& aDialogs, TOffLinePolicy& aPolicy,
                                   TStartupSteps& aSteps)
    : data(aContext, catalogue, aDialogs, aPolicy),
      masterServer(data),
      store(aContext, aDialogs, masterServer),
      context_(aContext),
      dialogs_(aDialogs),
      steps_(aSteps)
{
    // Only a password hash reaches "Cashier.dat" or comes back from it.
    InstallCashierPasswordHooks(store);
}

bool TTerminalStartup::Create(const std::filesystem::path& aFolder, const std::string& aDbUser)
{
    dbUser_ = aDbUser;
    context_.gsFolder = aFolder.string();
    if (context_.gsFolder.empty() || context_.gsFolder.back() != '/') context_.gsFolder += '/';
    std::error_code ec;
    std::filesystem::create_directories(aFolder / "Log", ec);

    if (!catalogue.ReadSQLList(aFolder / "POSSQL.ini")) {
        dialogs_.ErrBox(kMsgNoCatalogue, true);
        return false;
    }
    const IniFile posIni = IniFile::load(aFolder / "POS.ini");
    ReadIniConfig(posIni, context_, devices);
    ReadIniIP(IniFile::load(aFolder / "POSIP.ini"), context_, devices);
    ReadIniDevice(posIni, context_, devices);
    serialPorts = ReadSerialPortPaths(posIni);
    context_.ReadIniData(aFolder / "POSData.ini");
    powerOffCommand = posIni.readString("CONFIG", "PowerOffCommand");
    if (!HasServerSettings(context_)) {
        dialogs_.ErrBox(kMsgNoServerSettings, true);
        return false;
    }

    if (!data.DataModuleCreate(aDbUser)) return false;
    data.ConnectDB(true, true);
    FollowServerClock();
    context_.gsIP = GetIP();
    steps_.LoadQueues();
    return true;
}

void TTerminalStartup::FollowServerClock()
{
    if (!data.ConnectDB(false, false)) return;
    TDbQuery& qry = data.qryQuery;
    qry.SetSQL("IZC000-GetSysTime");
    if (!qry.Open()) {
        data.ReadFailed(qry.Error());
        return;
    }
    const std::string stamp = qry.Eof() ? std::string() : qry.AsString(0);
    qry.Close();
    if (const auto offset = ClockOffsetTo(stamp)) SetClockOffset(*offset);
}

void TTerminalStartup::ReloadDevices()
{
    const IniFile posIni = IniFile::load(std::filesystem::path(context_.gsFolder) / "POS.ini");
    ReadIniDevice(posIni, context_, devices);
    serialPorts = ReadSerialPortPaths(posIni);
}

std::optional<TUpjangData> TTerminalStartup::ownOutletRecord() const
{
    const auto ownOutlet = [this](const std::vector<TUpjangData>& aList) -> std::optional<TUpjangData> {
        for (const TUpjangData& u : aList)
            if (u.UpjangCode == context_.gsMasterUpjangCode) return u;
        if (aList.empty()) return std::nullopt;
        return aList.front();
    };
    if (store.UpjangRecordsComplete()) return ownOutlet(store.glUpjangData);
    // Read on its own: the store's list stays as the start-up read it.
    TNoMasterServer noServer;
    TMasterStore mirror(context_, dialogs_, noServer);
    if (!mirror.LoadMirrorFile(TMirrorKind::Upjang)) return std::nullopt;
    return ownOutlet(mirror.glUpjangData);
}

std::optional<bool> TTerminalStartup::OutletSellsOffLine() const
{
    const std::optional<TUpjangData> own = ownOutletRecord();
    return own ? std::optional<bool>(own->OffLineYN) : std::nullopt;
}

std::string TTerminalStartup::OutletName() const
{
    const std::optional<TUpjangData> own = ownOutletRecord();
    return own ? own->UpjangName : std::string();
}

bool TTerminalStartup::IsTestDatabase() const
{
    return store.GetCommonData(context_.gsCommonDBUser, UpperAscii(dbUser_), 3) == "T";
}

bool TTerminalStartup::Activate()
{
    store.ReadUpjangData(true);
    if (store.glUpjangData.empty()) {
        dialogs_.ErrBox(kMsgNoUpjang, true);
        return false;
    }
    store.ReadCashierData(true);
    store.ReadCommonData(true);
    context_.gsSaleDate = GetSysDate(0);
    steps_.DeviceInit();
    if (!steps_.Login()) return false;
    steps_.DownloadData();
    // The test-database check comes before the upload: queued sales of the
    // real resort must never be sent into a test database (and so leave the
    // queue); they wait for the real server.
    context_.gbTestMode = IsTestDatabase();
    if (context_.gbTestMode)
        dialogs_.ErrBox(kMsgTestDatabase, true);
    else
        steps_.UploadData(false);
    steps_.RunSaleScreen();
    return true;
}

void TTerminalStartup::signOff()
{
    if (!data.ConnectDB(false, false)) return;
    if (context_.gsToday.empty() || context_.gsMasterUpjangCode.empty() || context_.gsMasterPosNo.empty() ||
        context_.gsCashier.empty())
        return;
    TDbWork transaction(data);
    if (!transaction.Active()) return;  // already reported by the data module
    TDbQuery& qry = data.qryQuery;
    qry.SetSQL("IAH010-SaveLoginInfo-4");
    qry.SetParam(0, context_.gsToday);
    qry.SetParam(1, context_.gsMasterUpjangCode);
    qry.SetParam(2, context_.gsMasterPosNo);
    qry.SetParam(3, context_.gsCashier);
    qry.SetParam(4, std::string("E"));
    qry.SetParam(5, std::string("0"));
    qry.SetParam(6, context_.gsIP);
    if (!qry.ExecSQL()) {
        transaction.Fail(qry.Error());
        return;
    }
    transaction.Commit();  // a failure is logged there; the shut-down goes on
}

TShutdownAction TTerminalStartup::Shutdown(bool aAskShutdown)
{
    steps_.ClearDCModule();
    signOff();
    const TShutdownAction action =
        DecideShutdown(context_, aAskShutdown, [this](const char* aText) { return dialogs_.AskBox(aText); });
    if (action == TShutdownAction::PowerOff && !powerOffCommand.empty()) steps_.RunPowerOff(powerOffCommand);
    return action;
}

}  // namespace pos
