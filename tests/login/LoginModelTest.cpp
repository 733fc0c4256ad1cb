// The login and the manager check against a real server: a fresh database
// with the terminal's cashiers (their passwords hashed by the server), the
// shipped catalogue, a program folder of its own, scripted dialogs and a
// clock the test sets.

#include "LoginTerminal.h"
#include "core/Codec.h"
#include "core/FileIO.h"
#include "core/IniFile.h"
#include "core/ScriptedDialogService.h"
#include "db/DayLog.h"
#include "db/DbPassword.h"
#include "db/DbQuery.h"
#include "login/LoginModel.h"
#include "login/Password.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace pos::test {
namespace {

using F = TLoginField;

class LoginTest : public LoginTerminal {
protected:
    std::string serverHash(const std::string& cashier)
    {
        return db.query("SELECT password FROM cashier WHERE emp_no = '" + cashier + "'");
    }

    // The start-up login up to the Enter in the password field.
    void typeCashier(const std::string& cashier, bool canClose = false)
    {
        ASSERT_TRUE(model->Begin(canClose));
        model->Show();
        model->Change(F::Cashier, cashier);
        model->Enter(F::Cashier);  // the look-up runs when the focus moves on
    }
    void signOn(const std::string& cashier, const std::string& password)
    {
        typeCashier(cashier);
        model->Change(F::Password, password);
        model->Enter(F::Password);
    }
    void changePassword(const std::string& old, const std::string& next, const std::string& confirm)
    {
        model->Change(F::PasswordOld, old);
        model->Change(F::PasswordNew, next);
        model->Change(F::PasswordConfirm, confirm);
        model->Enter(F::PasswordConfirm);
    }
};

TEST_F(LoginTest, OnLineSignOnFillsTheContextAndRecordsTheShiftOnce)
{
    signOn("1001", kPasswordOf1001);
    ASSERT_EQ(model->Result(), TLoginResult::SignedOn) << testing::PrintToString(shown());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(ctx.gsCashier, "1001");
    EXPECT_EQ(ctx.gsCashierName, "김하늘");
    EXPECT_EQ(ctx.gsSaleDate, "20240105");
    EXPECT_EQ(ctx.gsToday, "20240105");
    EXPECT_EQ(ctx.gsMasterUpjangName, "솔바람 한식당");
    EXPECT_EQ(ctx.gsUpjangCode, "3101");
    EXPECT_EQ(ctx.gsPosNo, "01");
    EXPECT_FALSE(ctx.gbSki);
    EXPECT_EQ(model->Text(F::Password), "");  // the typed password is not kept
    EXPECT_EQ(db.query("SELECT last_login_date FROM cashier WHERE emp_no = '1001'"), "20240105");
    EXPECT_EQ(db.query("SELECT ip FROM cashier_signon WHERE sale_date = '20240105' AND upjang_code = '3101' "
                       "AND pos_no = '01' AND emp_no = '1001'"),
              "10.0.0.7");

    model = makeModel();  // the same cashier again: one shift, two sign-on entries
    signOn("1001", kPasswordOf1001);
    EXPECT_EQ(model->Result(), TLoginResult::SignedOn);
    EXPECT_EQ(count("SELECT count(*) FROM cashier_signon"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM cashier_event WHERE event_kind = 'L' AND emp_no = '1001'"), 2);
}

TEST_F(LoginTest, EmployeeCardGivesTheCashierNumberAndSkiOutletSetsTheFlag)
{
    ctx.gsMasterUpjangCode = "5001";
    model = makeModel();
    typeCashier("1012345601");  // employee card: number body + issue count
    EXPECT_EQ(model->Text(F::Cashier), "1012345600");
    EXPECT_EQ(model->CashierName(), "카드직원");
    EXPECT_EQ(model->Focused(), F::Password);
    model->Change(F::Password, "card5600");
    model->Enter(F::Password);
    ASSERT_EQ(model->Result(), TLoginResult::SignedOn);
    EXPECT_TRUE(ctx.gbSki);
}

TEST_F(LoginTest, OffLineSignOnChecksTheHashInTheCashierFile)
{
    // The download writes the server's rows; the file holds the hashes only.
    ASSERT_TRUE(store.WriteMirrorRows(TMirrorKind::Cashier, serverCashiers()));
    const std::string file = FromCp949(ReadWholeFile(dir / "Cashier.dat").value_or(""));
    EXPECT_NE(file.find(serverHash("1001")), std::string::npos);
    EXPECT_EQ(file.find(kPasswordOf1001), std::string::npos);

    ctx.gbOffLine = true;
    store.glCashierData.clear();
    ASSERT_TRUE(store.ReadCashierData(true));
    model = makeModel();
    signOn("1001", "sky1002");
    EXPECT_EQ(model->Result(), TLoginResult::Open);
    EXPECT_EQ(model->LastMessage().Text, "비밀번호를(을) 잘못 입력하셨습니다.");
    EXPECT_FALSE(model->PasswordChangeEnabled());  // no change off line

    model = makeModel();
    signOn("3001", "old3001");  // an expired cycle is not enforced off line
    EXPECT_EQ(model->Result(), TLoginResult::SignedOn) << testing::PrintToString(shown());
    EXPECT_EQ(count("SELECT count(*) FROM cashier_event"), 0);  // no sign-on record off line
}

TEST_F(LoginTest, FivewrongPasswordsLockTheCashierOutForAWhile)
{
    typeCashier("1001");
    for (int i = 1; i < TLoginGuard::kMaxWrongEntries; ++i) {
        model->Change(F::Password, "guess" + std::to_string(i));
        model->Enter(F::Password);
        EXPECT_EQ(model->LastMessage().Text, "비밀번호를(을) 잘못 입력하셨습니다.");
        EXPECT_TRUE(model->SelectAll());
    }
    EXPECT_TRUE(dialogs.shown.empty());
    model->Change(F::Password, "guess5");
    model->Enter(F::Password);
    EXPECT_EQ(lastShown(), TLoginGuard::LockedNowMessage());

    // Locked: even the right password opens nothing, on this screen, on the
    // next one and in the manager check.
    model->Change(F::Password, kPasswordOf1001);
    model->Enter(F::Password);
    EXPECT_EQ(model->Result(), TLoginResult::Open);
    EXPECT_EQ(lastShown(), TLoginGuard::StillLockedMessage(TLoginGuard::kLockSeconds));
    model = makeModel();
    signOn("1001", kPasswordOf1001);
    EXPECT_EQ(model->Result(), TLoginResult::Open);
    EXPECT_EQ(count("SELECT count(*) FROM cashier_event"), 0);

    // Another cashier is not affected; after five minutes the lock is gone.
    model = makeModel();
    signOn("9001", kPasswordOf9001);
    EXPECT_EQ(model->Result(), TLoginResult::SignedOn);
    clock = "20240105120501";
    model = makeModel();
    signOn("1001", kPasswordOf1001);
    EXPECT_EQ(model->Result(), TLoginResult::SignedOn);
}

TEST_F(LoginTest, FirstUsePasswordForcesAChangeThatReachesServerMemoryAndFile)
{
    ASSERT_TRUE(store.SaveMirrorFile(TMirrorKind::Cashier));
    typeCashier("2001");
    EXPECT_EQ(lastShown(), kMsgFirstUse);
    EXPECT_EQ(model->Panel(), TLoginPanel::PasswordChange);
    EXPECT_TRUE(model->PassMustChange());
    EXPECT_EQ(model->Focused(), F::PasswordOld);
    EXPECT_FALSE(model->Enabled(F::Password));
    EXPECT_FALSE(model->ConfigEnabled());

    // The panel stays until the change is made.
    EXPECT_FALSE(model->Escape());
    EXPECT_EQ(lastShown(), kMsgMustChange);
    EXPECT_EQ(model->Panel(), TLoginPanel::PasswordChange);

    // The old password must be right, whether Enter was pressed in its field or not.
    model->Change(F::PasswordOld, "2002");
    model->Enter(F::PasswordOld);
    EXPECT_EQ(model->LastMessage().Text, "기존비밀번호를(을) 잘못 입력하셨습니다.");
    changePassword("2002", "fresh2001", "fresh2001");
    EXPECT_EQ(model->Focused(), F::PasswordOld);
    EXPECT_TRUE(VerifyPassword("2001", serverHash("2001")));

    changePassword("2001", "fresh2001", "fresh2002");
    EXPECT_EQ(model->LastMessage().Text, "신규비밀번호와 비밀번호확인이 서로 다릅니다.");
    EXPECT_EQ(model->Focused(), F::PasswordConfirm);

    changePassword("2001", "fresh2001", "fresh2001");
    EXPECT_EQ(model->Panel(), TLoginPanel::None);
    EXPECT_FALSE(model->PassMustChange());
    EXPECT_EQ(model->Focused(), F::Cashier);
    EXPECT_EQ(model->Text(F::PasswordNew), "");

    const std::string hash = serverHash("2001");
    EXPECT_TRUE(VerifyPassword("fresh2001", hash));
    EXPECT_FALSE(VerifyPassword("2001", hash));
    EXPECT_EQ(db.query("SELECT remain_day FROM cashier WHERE emp_no = '2001'"), "90");
    EXPECT_EQ(db.query("SELECT ip FROM cashier_password_change WHERE emp_no = '2001'"), "10.0.0.7");
    EXPECT_EQ(store.glCashierData[2].Password, hash);
    // The cashier file is rewritten: off line the old password opens nothing.
    TNoMasterServer offlineServer;
    TMasterStore offline(ctx, dialogs, offlineServer);
    InstallCashierPasswordHooks(offline);
    ASSERT_TRUE(offline.LoadMirrorFile(TMirrorKind::Cashier));
    ASSERT_EQ(offline.glCashierData[2].CashierNo, "2001");
    EXPECT_EQ(offline.glCashierData[2].Password, hash);

    model->Change(F::Password, "fresh2001");
    model->Enter(F::Password);
    EXPECT_EQ(model->Result(), TLoginResult::SignedOn);
}

TEST_F(LoginTest, EachNewPasswordRuleIsRefusedAndChangesNothing)
{
    struct Case {
        std::string password;
        std::string message;
    };
    const Case cases[] = {
        {"abcd", "비밀번호는 5~20자리로 입력하셔야 합니다."},
        {"ab111cd", "같은 글자를 4번 이상 반복 입력할 수 없습니다."},
        {"1001", "비밀번호와 사용자번호는 서로 달라야 합니다."},
        {kPasswordOf1001, "기존 비밀번호와 다르게 입력하셔야 합니다."},
    };
    const std::string before = serverHash("1001");
    typeCashier("1001");
    ASSERT_TRUE(model->PasswordChangeEnabled());
    model->PasswordChangeClick();
    ASSERT_EQ(model->Panel(), TLoginPanel::PasswordChange);
    for (const Case& c : cases) {
        dialogs.clear();
        changePassword(kPasswordOf1001, c.password, c.password);
        EXPECT_EQ(lastShown(), c.message) << c.password;
        EXPECT_EQ(model->Focused(), F::PasswordNew);
        EXPECT_TRUE(model->SelectAll());
        EXPECT_EQ(model->Text(F::PasswordConfirm), "");
    }
    EXPECT_EQ(serverHash("1001"), before);
    EXPECT_EQ(count("SELECT count(*) FROM cashier_password_change"), 0);
    // The edits take at most 20 bytes (a longer password is refused by the rule itself).
    model->Change(F::PasswordNew, "abcdefghij0123456789xyz");
    EXPECT_EQ(model->Text(F::PasswordNew), "abcdefghij0123456789");
    // Not under a pressing change: the panel closes again.
    model->PasswordChangeClick();
    EXPECT_EQ(model->Panel(), TLoginPanel::None);
    EXPECT_TRUE(model->Enabled(F::Cashier));
}

TEST_F(LoginTest, ExpiredPasswordIsForcedOnLineAndAChangeIsRefusedOffLine)
{
    typeCashier("3001");
    EXPECT_EQ(lastShown(), kMsgPasswordExpired);
    EXPECT_TRUE(model->PassMustChange());

    // Off line a first-use cashier is forced into the panel, cannot change
    // and cannot sign on; leaving the panel gives the terminal back.
    ctx.gbOffLine = true;
    model = makeModel();
    dialogs.clear();
    typeCashier("2001");
    EXPECT_EQ(lastShown(), kMsgFirstUse);
    changePassword("2001", "fresh2001", "fresh2001");
    EXPECT_EQ(lastShown(), "비밀번호 변경는(은) Off Line 상태에서 할 수 없습니다.");
    EXPECT_EQ(model->Panel(), TLoginPanel::PasswordChange);
    model->Escape();
    EXPECT_EQ(model->Panel(), TLoginPanel::None);
    EXPECT_EQ(model->Text(F::Cashier), "");
    EXPECT_EQ(model->CashierName(), "");
    EXPECT_TRUE(VerifyPassword("2001", serverHash("2001")));
}

TEST_F(LoginTest, ClosedDayOrPosRefusesTheSignOn)
{
    for (const char* close : {"INSERT INTO day_close (sale_date, upjang_code) VALUES ('20240105', '3101')",
                              "INSERT INTO pos_close (sale_date, upjang_code, pos_no) VALUES ('20240105', '3101', '01')"}) {
        db.query("DELETE FROM day_close; DELETE FROM pos_close");
        db.query(close);
        dialogs.clear();
        model = makeModel();
        signOn("1001", kPasswordOf1001);
        EXPECT_EQ(model->Result(), TLoginResult::Open) << close;
        EXPECT_EQ(lastShown(), "2024-01-05일은 판매가 마감되었습니다.") << close;
    }
    EXPECT_EQ(count("SELECT count(*) FROM cashier_event"), 0);
    EXPECT_EQ(ctx.gsCashier, "");
}

// A closing check that fails on line refuses the sign-on, saying that the
// check could not be made, not that the day is closed. One that loses the
// connection leaves the terminal off line, where the sign-on goes on.
TEST_F(LoginTest, ClosingCheckThatCannotBeMadeRefusesTheSignOnAsUnchecked)
{
    for (const char* table : {"day_close", "pos_close"}) {
        db.query(std::string("ALTER TABLE ") + table + " RENAME TO " + table + "_away");
        dialogs.clear();
        model = makeModel();
        signOn("1001", kPasswordOf1001);
        EXPECT_EQ(model->Result(), TLoginResult::Open) << table;
        EXPECT_EQ(shown(), std::vector<std::string>{"마감 여부를 확인할 수 없습니다.\r전산팀에 문의하십시오."}) << table;
        EXPECT_FALSE(ctx.gbOffLine) << table;
        db.query(std::string("ALTER TABLE ") + table + "_away RENAME TO " + table);
    }
    EXPECT_NE(log().find("IZD000-CheckClosed-1]\r\n[42P01]"), std::string::npos) << log();
    EXPECT_NE(log().find("IZD000-CheckClosed-2]\r\n[42P01]"), std::string::npos) << log();
    EXPECT_EQ(count("SELECT count(*) FROM cashier_event"), 0);
    EXPECT_EQ(ctx.gsCashier, "");

    dialogs.clear();
    model = makeModel();
    db.query("SELECT pg_terminate_backend(" + std::to_string(data->BackendPID()) + ", 5000)");
    signOn("1001", kPasswordOf1001);
    EXPECT_TRUE(ctx.gbOffLine);
    EXPECT_EQ(model->Result(), TLoginResult::SignedOn) << testing::PrintToString(shown());
    EXPECT_EQ(ctx.gsCashier, "1001");
}

TEST_F(LoginTest, SaleDateFollowsBusinessHoursAndOnlyARealDateInTheWindowIsTaken)
{
    struct Case {
        const char* now;
        const char* date;
        bool editable;
    };
    for (const Case c : {Case{"20240105050000", "20240104", false}, Case{"20240105120000", "20240105", false},
                         Case{"20240105233000", "20240106", false}}) {
        clock = c.now;
        model = makeModel();
        model->Begin(false);
        model->Show();
        EXPECT_EQ(model->Text(F::SaleDate), c.date) << c.now;
        EXPECT_EQ(model->Editable(F::SaleDate), c.editable) << c.now;
    }

    setHours("220000", "");
    clock = "20240105223000";
    model = makeModel();
    typeCashier("1001");
    EXPECT_EQ(model->Text(F::SaleDate), "20240106");
    ASSERT_TRUE(model->Editable(F::SaleDate));
    for (const char* bad : {"20240230", "2024010", "20240103", "20240107"}) {
        model->SetFocus(F::SaleDate);
        model->Change(F::SaleDate, bad);
        model->SetFocus(F::Cashier);  // leaving it
        EXPECT_EQ(model->Focused(), F::SaleDate) << bad;
        EXPECT_EQ(model->LastMessage().Text, "판매일자를(을) 잘못 입력하셨습니다.") << bad;
        model->Change(F::Password, kPasswordOf1001);
        model->Enter(F::Password);
        EXPECT_EQ(model->Result(), TLoginResult::Open) << bad;
    }
    model->Change(F::SaleDate, "20240105");
    model->SetFocus(F::Password);
    EXPECT_EQ(model->Focused(), F::Password);
    model->Change(F::Password, kPasswordOf1001);
    model->Enter(F::Password);
    ASSERT_EQ(model->Result(), TLoginResult::SignedOn);
    EXPECT_EQ(ctx.gsSaleDate, "20240105");
}

TEST_F(LoginTest, ManagerCheckConfirmsOnlyAManagerWithTheRightPassword)
{
    struct Case {
        const char* cashier;
        const char* password;
        bool ok;
        const char* box;  // message box, "" for none
    };
    const Case cases[] = {
        {"9001", kPasswordOf9001, true, ""},
        {"9001", kPasswordOf1001, false, ""},
        {"1001", kPasswordOf1001, false, kMsgAdminOnly},
        {"7777", "whatever", false, ""},
    };
    for (const Case& c : cases) {
        dialogs.clear();
        TAdminCheckModel check(ctx, dialogs, store, guard);
        check.Clock = [this] { return clock; };
        check.Show();
        check.Change(TAdminField::Cashier, c.cashier);
        check.Enter(TAdminField::Cashier);
        EXPECT_EQ(check.Focused(), TAdminField::Password);
        check.Change(TAdminField::Password, c.password);
        check.Enter(TAdminField::Password);
        EXPECT_EQ(check.Result() == TLoginResult::SignedOn, c.ok) << c.cashier;
        EXPECT_EQ(lastShown(), c.box) << c.cashier;
        if (!c.ok) {
            EXPECT_EQ(check.LastMessage().Text, "비밀번호를(을) 잘못 입력하셨습니다.") << c.cashier;
            EXPECT_EQ(check.Focused(), TAdminField::Password);
            EXPECT_TRUE(check.SelectAll());
        }
    }
    TAdminCheckModel empty(ctx, dialogs, store, guard);
    empty.Show();
    empty.Enter(TAdminField::Password);
    EXPECT_EQ(empty.Focused(), TAdminField::Cashier);
    EXPECT_EQ(empty.Result(), TLoginResult::Open);
}

TEST_F(LoginTest, SetUpIsOfferedToAManagerAtStartUpAndWritesPosIni)
{
    // never to a cashier, never on a change of cashier
    typeCashier("1001");
    model->Change(F::Password, kPasswordOf1001);
    EXPECT_FALSE(model->ConfigEnabled());
    db.query("INSERT INTO cashier_signon (sale_date, upjang_code, pos_no, emp_no, closed_at) "
             "VALUES ('20240105', '3101', '01', '1001', now())");
    ctx.gsToday = "20240105";
    ctx.gsCashier = "1001";
    model = makeModel();
    typeCashier("9001", true);
    model->Change(F::Password, kPasswordOf9001);
    EXPECT_FALSE(model->ConfigEnabled());

    model = makeModel();
    typeCashier("9001");
    model->Change(F::Password, "wrong");
    ASSERT_TRUE(model->ConfigEnabled());
    model->ConfigClick();  // the button opens only with the right password
    EXPECT_EQ(model->Panel(), TLoginPanel::None);
    EXPECT_EQ(model->LastMessage().Text, "비밀번호를(을) 잘못 입력하셨습니다.");
    model->Change(F::Password, kPasswordOf9001);
    model->ConfigClick();
    ASSERT_EQ(model->Panel(), TLoginPanel::Config);
    EXPECT_FALSE(model->PasswordChangeEnabled());
    EXPECT_FALSE(model->Enabled(F::Cashier));
    EXPECT_EQ(model->Focused(), F::SetupUpjang);
    EXPECT_EQ(model->Text(F::SetupUpjang), "3101");
    EXPECT_EQ(model->SetupChoices().Printer1, "없음");
    EXPECT_EQ(model->SetupChoices().SignPad, "없음");

    // A port clash is refused: nothing is saved and the panel stays.
    model->SetupChoices().Printer1 = "TSP700";
    model->Change(F::Printer1Port, "5");
    model->SetupChoices().SignPad = "COM";
    model->Change(F::SignPadPort, "5");
    model->ConfigClick();
    EXPECT_EQ(lastShown(), kMsgPortClash);
    EXPECT_EQ(model->Panel(), TLoginPanel::Config);
    EXPECT_FALSE(std::filesystem::exists(dir / "POS.ini"));
    EXPECT_EQ(restarts, 0);
    model->Change(F::Printer1Rate, "fast");
    model->Change(F::SignPadPort, "6");
    model->ConfigClick();
    EXPECT_EQ(model->LastMessage().Text, "BaudRate를(을) 잘못 입력하셨습니다.");
    EXPECT_EQ(model->Focused(), F::Printer1Rate);

    model->Change(F::Printer1Rate, "19200");
    model->SetupChoices().Display = true;
    model->Change(F::SetupUpjang, "5001");
    model->Change(F::SetupPos, "02");
    model->ConfigClick();
    ASSERT_EQ(model->Panel(), TLoginPanel::None) << lastShown();
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(ctx.gsMasterUpjangCode, "5001");
    EXPECT_EQ(ctx.gsMasterPosNo, "02");
    EXPECT_EQ(model->Text(F::UpjangCode), "5001");
    EXPECT_EQ(model->UpjangName(), "리프트 매표소");
    EXPECT_EQ(model->Focused(), F::Cashier);
    EXPECT_TRUE(model->PasswordChangeEnabled());

    const IniFile written = IniFile::load(dir / "POS.ini");
    EXPECT_EQ(written.readString("POS", "UpjangCode"), "5001");
    EXPECT_EQ(written.readString("POS", "PosNo"), "02");
    EXPECT_EQ(written.readString("Printer1", "Type"), "TSP700");
    EXPECT_EQ(written.readInteger("Printer1", "Port", 0), 5);
    EXPECT_EQ(written.readInteger("Printer1", "Rate", 0), 19200);
    EXPECT_EQ(written.readString("LineDisplay", "Type"), "Crossbow");
    EXPECT_EQ(written.readString("SignPad", "Type"), "COM");
    EXPECT_EQ(written.readInteger("SignPad", "Port", 0), 6);
    EXPECT_EQ(written.readString("DEVICE", "Printer1"), "N");
    TTerminalContext reread;
    TDeviceConfig again;
    ReadIniDevice(written, reread, again);
    EXPECT_EQ(again.printer1.type, TPrinterType::ptTSP700);
    EXPECT_EQ(reread.giSignPadPort, 6);
    EXPECT_FALSE(reread.gbSignPadType);
    EXPECT_TRUE(again.lineDisplay.enabled);
}

TEST_F(LoginTest, TerminalWithoutIdentityTakesTypedValuesIntoPosIni)
{
    IniFile pos;
    pos.writeString("CONFIG", "TicketMargin", "3");
    ASSERT_TRUE(pos.save(dir / "POS.ini"));
    ctx.gsMasterUpjangCode.clear();
    ctx.gsMasterPosNo.clear();
    model = makeModel();
    ASSERT_TRUE(model->Begin(false));
    model->Show();
    EXPECT_TRUE(model->Editable(F::UpjangCode));
    EXPECT_TRUE(model->Editable(F::PosNo));
    EXPECT_EQ(model->Focused(), F::UpjangCode);

    model->Change(F::UpjangCode, "31a");  // a numeric field takes digits only
    EXPECT_EQ(model->Text(F::UpjangCode), "");
    model->Change(F::UpjangCode, "3101");
    model->Enter(F::UpjangCode);
    EXPECT_EQ(model->UpjangName(), "솔바람 한식당");
    EXPECT_EQ(model->Focused(), F::PosNo);
    model->Change(F::PosNo, "1");
    model->Enter(F::PosNo);
    EXPECT_EQ(model->Focused(), F::Cashier);  // the read-only date is skipped
    model->Change(F::Cashier, "1001");
    model->Enter(F::Cashier);
    model->Change(F::Password, kPasswordOf1001);
    model->Enter(F::Password);
    ASSERT_EQ(model->Result(), TLoginResult::SignedOn);
    EXPECT_EQ(ctx.gsMasterPosNo, "01");
    model->Finish();
    const IniFile written = IniFile::load(dir / "POS.ini");
    EXPECT_EQ(written.readString("POS", "UpjangCode"), "3101");
    EXPECT_EQ(written.readString("POS", "PosNo"), "01");
    EXPECT_EQ(written.readString("CONFIG", "TicketMargin"), "3");
}

TEST_F(LoginTest, ChangeOfCashierNeedsTheShiftClosedAndStartUpLoginOffersShutdown)
{
    db.query("INSERT INTO cashier_signon (sale_date, upjang_code, pos_no, emp_no) "
             "VALUES ('20240105', '3101', '01', '1001')");
    ctx.gsToday = "20240105";
    ctx.gsCashier = "1001";
    ctx.gsCashierName = "김하늘";
    EXPECT_FALSE(model->Begin(true));
    EXPECT_EQ(lastShown(), "김하늘님 마감을 먼저 하고 Login을 하십시오.");
    EXPECT_EQ(model->Result(), TLoginResult::Cancelled);

    db.query("UPDATE cashier_signon SET closed_at = now()");
    model = makeModel();
    EXPECT_TRUE(model->Begin(true));
    model->Show();
    EXPECT_TRUE(model->Escape());  // a change of cashier may be abandoned
    EXPECT_EQ(model->Result(), TLoginResult::Cancelled);
    EXPECT_EQ(shutdowns, 0);

    model = makeModel();
    ASSERT_TRUE(model->Begin(false));
    model->Show();
    EXPECT_FALSE(model->Escape());  // the start-up login asks for the shut-down instead
    EXPECT_EQ(shutdowns, 1);
    EXPECT_EQ(model->Result(), TLoginResult::Open);
}

TEST_F(LoginTest, NoPasswordReachesTheLogTheFilesOrTheServersRecords)
{
    // Everything that writes: wrong passwords, a lock-out, a password
    // change, sign-ons (one of them failing to be recorded), the cashier file.
    ASSERT_TRUE(store.WriteMirrorRows(TMirrorKind::Cashier, serverCashiers()));
    typeCashier("1001");
    for (const char* guess : {"guess-one", "guess-two"}) {
        model->Change(F::Password, guess);
        model->Enter(F::Password);
    }
    model->PasswordChangeClick();
    changePassword(kPasswordOf1001, "new-secret-1", "new-secret-1");
    ASSERT_EQ(model->Panel(), TLoginPanel::None) << lastShown();
    model->Change(F::Password, "new-secret-1");
    model->Enter(F::Password);
    ASSERT_EQ(model->Result(), TLoginResult::SignedOn);

    db.query("ALTER TABLE cashier_event RENAME TO cashier_event_gone");  // the record fails ...
    model = makeModel();
    signOn("9001", kPasswordOf9001);
    EXPECT_EQ(model->Result(), TLoginResult::SignedOn);  // ... and the sign-on stands
    db.query("ALTER TABLE cashier_event_gone RENAME TO cashier_event");
    const std::string dayLog = log();
    EXPECT_NE(dayLog.find("IAH010-SaveLoginInfo-4"), std::string::npos) << dayLog;

    std::string everything = dayLog;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
        if (entry.is_regular_file()) everything += FromCp949(ReadWholeFile(entry.path()).value_or(""));
    for (const char* table : {"cashier_signon", "cashier_event", "cashier_password_change", "cashier"})
        everything += db.query(std::string("SELECT coalesce(string_agg(t::text, '|'), '') FROM ") + table + " t");
    for (const std::string& password : {std::string(kPasswordOf1001), std::string(kPasswordOf9001),
                                       std::string("new-secret-1"), std::string("guess-one")}) {
        EXPECT_EQ(everything.find(password), std::string::npos) << password;
        EXPECT_EQ(everything.find(EncryptPassword(password, kCashierFileKey)), std::string::npos) << password;
    }
    for (const char* cashier : {"1001", "9001", "2001", "3001"}) EXPECT_TRUE(IsPasswordHash(serverHash(cashier)));
}

TEST_F(LoginTest, ServerHashesAClearPasswordAndAManagerResetForcesTheChange)
{
    // A manager resets the cashier to the cashier number on the server.
    db.query("UPDATE cashier SET password = emp_no WHERE emp_no = '1001'");
    const std::string hash = serverHash("1001");
    EXPECT_EQ(hash.rfind("$2a$", 0), 0u) << hash;
    store.FillFromServerRows(TMirrorKind::Cashier, serverCashiers());
    typeCashier("1001");
    EXPECT_EQ(lastShown(), kMsgFirstUse);
    EXPECT_TRUE(model->PassMustChange());
    // A hash the terminal sends is kept as it is.
    const std::string mine = HashPassword("mine-1001");
    db.query("UPDATE cashier SET password = '" + mine + "' WHERE emp_no = '1001'");
    EXPECT_EQ(serverHash("1001"), mine);
}

}  // namespace
}  // namespace pos::test
