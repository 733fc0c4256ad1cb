#pragma once
// "준비금", "중간입금", "마감" and "POS마감": the cashier's float, interim
// deposit and close, and the POS close, each through the close screen. At
// the hotel restaurants the first two buttons are the "No SVC" and "No VAT"
// switches of the bill instead. After a close that ends the day or the POS,
// a login is required before anything more is sold.

#include "closing/CloseFigures.h"
#include "sales/commands/SaleCommand.h"

#include <optional>
#include <string>

namespace pos {

class DialogService;
class TMasterStore;
class TfrmData;

inline constexpr const char* kNotClosedBeforePosClose =
    "님 마감이 되지 않았습니다.\r모든 사용자 마감을 먼저하고 POS마감을 하십시오.";

// The close screens.
class TCloseLauncher {
public:
    virtual ~TCloseLauncher() = default;
    // The close screen in aMode for aDate (empty: the sale date); the POS
    // close runs at once without showing it.
    virtual void CloseInput(TCloseMode aMode, bool aShowForm, const std::string& aDate) = 0;
    // The close-date dialog: the date, or nullopt when cancelled.
    virtual std::optional<std::string> CloseDate() = 0;
};

// The upload of the off-line queues (its messages are its own).
class TQueueUploader {
public:
    virtual ~TQueueUploader() = default;
    virtual bool UploadData(bool aShowNoData) = 0;
};

class TIpgumCommand final : public TSaleCommandHandler {
public:
    // aCommand is TSaleCommand::IpgumOpen (float) or IpgumClose (deposit).
    TIpgumCommand(TCloseLauncher& aLauncher, TSaleCommand aCommand) : launcher_(aLauncher), command_(aCommand) {}
    void Execute(TSaleView& aView) override;

private:
    TCloseLauncher& launcher_;
    TSaleCommand command_;
};

// The cashier close; aLogin is the login command.
class TCashierCloseCommand final : public TSaleCommandHandler {
public:
    TCashierCloseCommand(TfrmData& aData, const TMasterStore& aStore, TCloseLauncher& aLauncher,
                         TQueueUploader& aUploader, TSaleCommandHandler& aLogin)
        : data_(aData), store_(aStore), launcher_(aLauncher), uploader_(aUploader), login_(aLogin)
    {
    }
    void Execute(TSaleView& aView) override;

private:
    TfrmData& data_;
    const TMasterStore& store_;
    TCloseLauncher& launcher_;
    TQueueUploader& uploader_;
    TSaleCommandHandler& login_;
};

class TPosCloseCommand final : public TSaleCommandHandler {
public:
    TPosCloseCommand(TfrmData& aData, const TMasterStore& aStore, DialogService& aDialogs, TCloseLauncher& aLauncher,
                     TQueueUploader& aUploader, TSaleCommandHandler& aLogin)
        : data_(aData), store_(aStore), dialogs_(aDialogs), launcher_(aLauncher), uploader_(aUploader), login_(aLogin)
    {
    }
    void Execute(TSaleView& aView) override;

private:
    TfrmData& data_;
    const TMasterStore& store_;
    DialogService& dialogs_;
    TCloseLauncher& launcher_;
    TQueueUploader& uploader_;
    TSaleCommandHandler& login_;
};

}  // namespace pos
