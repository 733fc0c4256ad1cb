#pragma once
// The only way the terminal talks to the cashier: the three message boxes and
// the screen launchers. Logic calls this interface; the program installs the
// real dialogs, tests install ScriptedDialogService. A launcher whose screen
// does not exist yet answers as a cancelled screen would.

#include "core/Currency.h"

#include <string>

namespace pos {

enum class TCloseMode { cmIpgumOpen, cmIpgumClose, cmClose, cmPosClose };

class DialogService {
public:
    virtual ~DialogService() = default;

    // Message boxes. aShowSecond > 0 closes the box by itself after
    // aShowSecond + 1 seconds. "\r" in a message breaks the line.
    virtual void MsgBox(const std::string& aMsg, int aShowSecond = 0) = 0;
    virtual void ErrBox(const std::string& aMsg, bool aBeep = false, int aShowSecond = 0) = 0;
    virtual bool AskBox(const std::string& aMsg) = 0;

    // Screen launchers.
    virtual bool Login(bool /*aCanClose*/) { return false; }
    virtual bool CheckAdmin() { return false; }
    virtual void DownloadData(bool /*aDownOnOffLine*/, bool /*aSaveSamFile*/, bool /*aHideForm*/) {}
    virtual void CloseInput(TCloseMode /*aMode*/, bool /*aShowForm*/, const std::string& /*aDate*/) {}
    // Entered sale price, or -1 on cancel (aCorrectAmt then 0).
    virtual Currency GetOpenCodePrice(const std::string& /*aMenuName*/, const std::string& /*aTaxCalcuCode*/,
                                      Currency /*aPrice*/, std::int64_t& aCorrectAmt, const std::string& /*aComment*/)
    {
        aCorrectAmt = 0;
        return Currency(-1);
    }
    virtual void OrderRestore(std::int64_t /*aTableNo*/) {}
    virtual bool OrderSplit(std::int64_t /*aTableNo1*/, std::int64_t /*aTableNo2*/) { return false; }
    virtual bool GetRoomList(std::string& /*aRoomNo*/) { return false; }
    virtual bool GetGolfList(std::string& /*aLockerNo*/, std::string& /*aMemberNo*/, bool /*aMustCome*/) { return false; }
    virtual bool ShowWaitList() { return false; }
    virtual bool ShowOrderTable() { return false; }
    virtual bool ShowSkiSchool() { return false; }
    virtual std::string GetPreSaleDate() { return {}; }
    // Asks the bill's Korean and foreign guest counts (into the terminal
    // context); true when they were taken.
    virtual bool GetGuestCount(bool /*aMustInput*/) { return false; }
    virtual bool GetRemarks(const std::string& /*aCaption*/, std::string& /*aRemarks*/, int /*aMustInputSize*/,
                            bool /*aDefMsg*/)
    {
        return false;
    }
    virtual bool ExecVoid(const std::string& /*aPosNo*/, const std::string& /*aBillNo*/) { return false; }
    virtual bool PayModify() { return false; }
};

}  // namespace pos
