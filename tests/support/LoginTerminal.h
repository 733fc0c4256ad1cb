#pragma once
// A terminal for the login and its screens: a terminal wired to a fresh
// database (ServerTerminal.h) holding the cashiers (their passwords hashed by
// the server), two outlets and a clock the test sets. Screen tests put
// AppFirst before it.

#include "ServerTerminal.h"
#include "db/DbQuery.h"
#include "login/LoginModel.h"
#include "login/Password.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace pos::test {

inline const char* const kPasswordOf1001 = "sky1001";
inline const char* const kPasswordOf9001 = "boss9001";

class LoginTerminal : public ServerTerminal {
protected:
    LoginTerminal()
    {
        std::filesystem::create_directories(dir / "Log");
        ctx.gsMasterUpjangCode = "3101";
        ctx.gsMasterPosNo = "01";
        ctx.gsIP = "10.0.0.7";
        EXPECT_TRUE(data->ConnectDB(true, true));

        // Passwords go to the server in clear here, as a manager's tool would
        // send them; the server keeps only their hashes.
        db.query("INSERT INTO cashier (emp_no, emp_name, password, remain_day, admin_yn) VALUES "
                 "('1001', '김하늘', 'sky1001', 60, 'N'), ('9001', '최지훈', 'boss9001', 90, 'Y'), "
                 "('2001', '신입', '2001', 90, 'N'), ('3001', '만료', 'old3001', 0, 'N'), "
                 "('1012345600', '카드직원', 'card5600', 30, 'N')");
        InstallCashierPasswordHooks(store);
        store.FillFromServerRows(TMirrorKind::Cashier, serverCashiers());

        TUpjangData outlet;
        outlet.UpjangCode = "3101";
        outlet.PosNo = "01";
        outlet.UpjangName = "솔바람 한식당";
        outlet.UpjangType = "30";
        outlet.SodGubunCode = "10";
        store.glUpjangData.push_back(outlet);
        outlet.UpjangCode = "5001";
        outlet.UpjangName = "리프트 매표소";
        outlet.UpjangType = "50";
        outlet.SodGubunCode = "20";
        store.glUpjangData.push_back(outlet);
        setHours("060000", "230000");
        model = makeModel();
    }

    std::unique_ptr<TLoginModel> makeModel()
    {
        auto made = std::make_unique<TLoginModel>(ctx, dialogs, store, *data, devices, guard, program);
        made->Clock = [this] { return clock; };
        return made;
    }

    void setHours(const std::string& open, const std::string& close)
    {
        store.glCommonData.clear();
        TCommonData group;
        group.Head = "I0001";
        group.Code = "10";
        group.Item1 = open;
        group.Item2 = close;
        store.glCommonData.push_back(group);
    }

    TMirrorRows serverCashiers()
    {
        TDbQuery query(*data);
        query.SetSQL("IAB030-DownloadCashier");
        EXPECT_TRUE(query.Open());
        TMirrorRows rows;
        for (; !query.Eof(); query.Next()) {
            rows.emplace_back();
            for (int c = 0; c < 6; ++c) rows.back().push_back(query.AsString(c));
        }
        return rows;
    }

    std::string lastShown() const { return dialogs.last() ? dialogs.last()->text : std::string(); }

    TNoMasterServer storeServer;
    TMasterStore store{ctx, dialogs, storeServer};
    TDeviceConfig devices;
    TLoginGuard guard;
    std::string clock = "20240105120000";
    // The program around the login: device restarts and shut-downs counted,
    // the cashier always choosing to stay.
    struct Program final : TLoginProgram {
        void RestartDevices() override { ++restarts; }
        bool Shutdown() override
        {
            ++shutdowns;
            return false;
        }
        int restarts = 0, shutdowns = 0;
    } program;
    int& restarts = program.restarts;
    int& shutdowns = program.shutdowns;
    std::unique_ptr<TLoginModel> model;
};

}  // namespace pos::test
