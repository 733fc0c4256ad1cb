#pragma once
// Start-up and end of the terminal. The order of the steps is the terminal's
// contract with the resort: configuration and catalogue first, then the
// connection and the server's clock, the outlets, cashiers and common codes,
// the devices, the login, the master-data download, the test-database check,
// the upload of the off-line queue and finally the sale screen. Screens and
// devices are reached through the steps interface, so the sequence runs (and
// is tested) without a window.

#include "core/DialogService.h"
#include "core/TerminalConfig.h"
#include "core/TerminalContext.h"
#include "db/Catalogue.h"
#include "db/DataModule.h"
#include "db/OffLinePolicy.h"
#include "store/MasterStore.h"
#include "sync/MasterServer.h"
#include "devices/SerialPortPaths.h"

#include <filesystem>
#include <optional>
#include <string>

namespace pos {

inline constexpr const char* kMsgNoServerSettings = "서버 설정이 되어있지 않습니다.\r전산팀에 문의하십시오.";
inline constexpr const char* kMsgNoUpjang = "미등록 영업장이거나, 멀티영업장 등록이 되지 않았습니다.";
inline constexpr const char* kMsgTestDatabase =
    "테스트 환경에 접속되어 있어 판매한 자료가 정상적으로 저장되지 않습니다.\r전산팀에 문의하십시오.";
inline constexpr const char* kMsgNoCatalogue = "POSSQL.ini 파일을 읽을 수 없습니다.\r전산팀에 문의하십시오.";

// What the sequence asks of the screens, the devices and the other areas.
class TStartupSteps {
public:
    virtual ~TStartupSteps() = default;
    virtual void LoadQueues() = 0;                          // the off-line queues from their files
    virtual void DeviceInit() = 0;
    virtual bool Login() = 0;                               // the login screen; false ends the program
    virtual void DownloadData() = 0;                        // the master data, on line or from the mirror files
    virtual bool UploadData(bool aShowNoData) = 0;          // the off-line queue
    virtual void RunSaleScreen() = 0;
    virtual void ClearDCModule() = 0;                       // the server's discount work area of this terminal
    virtual bool RunPowerOff(const std::string& aCommand) = 0;  // runs the configured power-off command
};

class TTerminalStartup {
public:
    // aPolicy decides for the data module when the connection is lost.
    TTerminalStartup(TTerminalContext& aContext, DialogService& aDialogs, TOffLinePolicy& aPolicy,
                     TStartupSteps& aSteps);

    // The steps before the splash window shows: the program folder and its
    // "Log", the catalogue, "POS.ini", "POSIP.ini", "POSData.ini", the data
    // module and its connection, the server's clock, the address. False when
    // the program must end (after its message).
    bool Create(const std::filesystem::path& aFolder, const std::string& aDbUser);
    // The steps behind the splash window, up to the sale screen. False when
    // the program must end before the sale screen (after its message).
    bool Activate();
    // Signs the cashier off and decides how the program ends; runs the
    // power-off command when the terminal powers off.
    TShutdownAction Shutdown(bool aAskShutdown);

    // Takes the server's date and time ("IZC000-GetSysTime") as the
    // terminal's clock; the clock stays as it is when the server does not
    // answer.
    void FollowServerClock();
    // True when the database user names the test database in the common
    // codes: the sale data would not be kept.
    bool IsTestDatabase() const;
    // Reads the devices and their ports from "POS.ini" again (after the
    // set-up panel saved it).
    void ReloadDevices();
    // Whether the terminal's outlet may sell off line: its OffLineYN from
    // the whole outlet record, which the store holds after the download or
    // an off-line start; before the download (the on-line read at start-up
    // brings five items only) from the record the last download left in
    // "Upjang.dat". nullopt when neither knows the outlet.
    std::optional<bool> OutletSellsOffLine() const;
    // The same record's outlet name (empty when neither knows the outlet).
    std::string OutletName() const;

    TSqlCatalogue catalogue;
    TDeviceConfig devices;
    TSerialPortPaths serialPorts;  // where COM n lives on this computer
    TfrmData data;                 // made with the terminal; its credentials and connection in Create
    TDbMasterServer masterServer;  // the store's on-line reads, over the data module
    TMasterStore store;
    std::string powerOffCommand;  // "PowerOffCommand" of section "CONFIG" of "POS.ini"; empty: none

private:
    void signOff();
    // The terminal's own outlet in the outlet list, or in "Upjang.dat"
    // before the download (see OutletSellsOffLine).
    std::optional<TUpjangData> ownOutletRecord() const;

    TTerminalContext& context_;
    DialogService& dialogs_;
    TStartupSteps& steps_;
    std::string dbUser_;
};

}  // namespace pos
