// "준비금", "중간입금", "마감" and "POS마감" as plain classes: a real bill, a
// fake view of the screen, a launcher that records what it was asked to
// open, and the data module against the real server of scripts/db.

#include "NoOpSale.h"
#include "SaleFixture.h"
#include "ServerTerminal.h"

#include "sales/SaleBill.h"
#include "sales/SaleView.h"
#include "sales/commands/CloseCommands.h"
#include "store/MasterStore.h"
#include "sync/MasterServer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace pos::test {
namespace {

struct RecordingLauncher final : TCloseLauncher, TQueueUploader {
    struct Call {
        TCloseMode mode;
        bool shown;
        std::string date;
        bool operator==(const Call&) const = default;
    };
    void CloseInput(TCloseMode aMode, bool aShowForm, const std::string& aDate) override
    {
        calls.push_back({aMode, aShowForm, aDate});
        if (whenClosing) whenClosing();
    }
    std::optional<std::string> CloseDate() override { return date; }
    bool UploadData(bool) override
    {
        ++uploads;
        return true;
    }
    std::vector<Call> calls;
    std::function<void()> whenClosing;
    std::optional<std::string> date;
    int uploads = 0;
};

struct CountingLogin final : TSaleCommandHandler {
    void Execute(TSaleView&) override { ++runs; }
    int runs = 0;
};

class CloseCommands : public ServerTerminal {
protected:
    CloseCommands()
    {
        ctx.gsSaleDate = ctx.gsToday = "20261209";
        ctx.gsMasterUpjangCode = ctx.gsUpjangCode = "3101";
        ctx.gsMasterPosNo = ctx.gsPosNo = "01";
        const int u = store.AddUpjangData();
        store.SetUpjangData(u, UpjangItem::UpjangCode, "3101");
        store.SetUpjangData(u, UpjangItem::CloseYN, "Y");
        EXPECT_TRUE(data->ConnectDB(true, false));
    }

    void closeDay() { db.query("INSERT INTO day_close (sale_date, upjang_code) VALUES ('20261209', '3101')"); }

    TNoMasterServer noServer;
    TMasterStore store{ctx, dialogs, noServer};
    RecordingHooks hooks{ctx};
    TSaleBill bill{ctx, store, dialogs, hooks};
    NoSaleView view{bill};
    RecordingLauncher launcher;
    CountingLogin login;
};

TEST_F(CloseCommands, FloatAndDepositOpenTheCloseScreenOrSwitchTheBillAtHotelRestaurants)
{
    TIpgumCommand(launcher, TSaleCommand::IpgumOpen).Execute(view);
    TIpgumCommand(launcher, TSaleCommand::IpgumClose).Execute(view);
    EXPECT_EQ(launcher.calls, (std::vector<RecordingLauncher::Call>{{TCloseMode::cmIpgumOpen, true, ""},
                                                                     {TCloseMode::cmIpgumClose, true, ""}}));

    launcher.calls.clear();
    TCommandBar& bar = bill.screen.commands;
    bar.ipgumMode = TIpgumMode::NoSvcNoVat;
    TIpgumCommand(launcher, TSaleCommand::IpgumOpen).Execute(view);
    EXPECT_TRUE(bar.NoSvcDown());
    EXPECT_FALSE(bar.NoVatDown());
    TIpgumCommand(launcher, TSaleCommand::IpgumOpen).Execute(view);
    EXPECT_FALSE(bar.NoSvcDown());
    EXPECT_TRUE(launcher.calls.empty());
}

TEST_F(CloseCommands, TheCashierCloseUploadsFirstAndAClosedDayAsksForALogin)
{
    TCashierCloseCommand(*data, store, launcher, launcher, login).Execute(view);
    EXPECT_EQ(launcher.uploads, 1);
    EXPECT_EQ(launcher.calls, (std::vector<RecordingLauncher::Call>{{TCloseMode::cmClose, true, ""}}));
    EXPECT_EQ(login.runs, 0);

    closeDay();
    launcher.calls.clear();
    TCashierCloseCommand(*data, store, launcher, launcher, login).Execute(view);
    EXPECT_TRUE(launcher.calls.empty());
    EXPECT_TRUE(bill.screen.commands.loginRequired);
    EXPECT_EQ(login.runs, 1);
}

TEST_F(CloseCommands, ThePosCloseWaitsForEveryCashierOfTheSaleDate)
{
    db.query("INSERT INTO cashier (emp_no, emp_name, password) VALUES ('1001', '김하늘', 'x')");
    db.query("INSERT INTO cashier_signon (sale_date, upjang_code, pos_no, emp_no) "
             "VALUES ('20261209', '3101', '01', '1001')");
    TPosCloseCommand command(*data, store, dialogs, launcher, launcher, login);

    launcher.date = std::nullopt;  // the date dialog cancelled
    command.Execute(view);
    EXPECT_TRUE(launcher.calls.empty());
    EXPECT_TRUE(dialogs.shown.empty());

    launcher.date = "20261209";
    command.Execute(view);
    EXPECT_TRUE(launcher.calls.empty());
    ASSERT_NE(dialogs.last(), nullptr);
    EXPECT_EQ(dialogs.last()->text, std::string("김하늘(1001)") + kNotClosedBeforePosClose);

    // An earlier date prints that day's close again; nobody's shift matters.
    launcher.date = "20261208";
    command.Execute(view);
    EXPECT_EQ(launcher.calls, (std::vector<RecordingLauncher::Call>{{TCloseMode::cmPosClose, true, "20261208"}}));
    EXPECT_EQ(login.runs, 0);

    // The close of the sale date ends selling until a login.
    db.query("UPDATE cashier_signon SET closed_at = now()");
    launcher.calls.clear();
    launcher.date = "20261209";
    launcher.whenClosing = [this] { closeDay(); };
    command.Execute(view);
    EXPECT_EQ(launcher.calls.size(), 1u);
    EXPECT_EQ(login.runs, 1);
    EXPECT_TRUE(bill.screen.commands.loginRequired);
    EXPECT_EQ(launcher.uploads, 4);
}

}  // namespace
}  // namespace pos::test
