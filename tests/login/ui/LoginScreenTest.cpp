// The login screen driven through its widgets: what the cashier types and
// touches reaches the model, and the model's state (texts, focus, panels,
// buttons, footer message, result) reaches the widgets. The rules themselves
// are the model's and are tested with it.

#include "LoginTerminal.h"
#include "QtApp.h"
#include "controls/ZoPosButton.h"
#include "controls/ZoRoundRect.h"
#include "core/ui/TQtDialogService.h"
#include "core/ui/TfrmKeyFrame.h"
#include "core/ui/TfrmMsgBox.h"
#include "login/ui/Login.h"
#include "login/ui/TfrmLogin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <functional>

namespace pos::test {
namespace {

class LoginScreenTest : public AppFirst, public LoginTerminal {
protected:
    // The screen of the start-up login (or of a change of cashier), shown
    // and active.
    TfrmLogin& open(bool canClose = false)
    {
        EXPECT_TRUE(model->Begin(canClose));
        screen = std::make_unique<TfrmLogin>(env, *model);
        EXPECT_TRUE(ShowActive(*screen));
        return *screen;
    }

    // A new model for a new screen; the old screen goes first, as it holds the model.
    void fresh()
    {
        screen.reset();
        model = makeModel();
    }

    QWidget* focused() const { return QApplication::focusWidget(); }
    QString footer() const { return screen->lblFooterMessage->text(); }

    // Types into the field that has the focus and presses Enter there.
    void typeEnter(QLineEdit* edit, const QString& text)
    {
        ASSERT_EQ(focused(), edit) << edit->objectName().toStdString();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    // Touches a field and types over its whole text.
    void touchAndType(QLineEdit* edit, const QString& text)
    {
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void signOn(const QString& cashier, const QString& password)
    {
        typeEnter(screen->edtCashier, cashier);
        typeEnter(screen->edtPassword, password);
    }
    bool closedWith(QDialog::DialogCode code) const { return !screen->isVisible() && screen->result() == code; }

    TScreenEnv env;
    std::unique_ptr<TfrmLogin> screen;
};

TEST_F(LoginScreenTest, KeypadSignOnFillsTheContextAndEndsTheScreenWithOk)
{
    TfrmLogin& s = open();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("Login"));
    EXPECT_EQ(s.edtUpjangCode->text(), QStringLiteral("3101"));
    EXPECT_TRUE(s.edtUpjangCode->isReadOnly());
    EXPECT_EQ(s.edtUpjangCode->focusPolicy(), Qt::NoFocus);  // read-only fields are no Tab stops
    EXPECT_EQ(s.lblUpjangName->text(), QStringLiteral("솔바람 한식당"));
    EXPECT_EQ(s.edtSaleDate->text(), QStringLiteral("2024-01-05"));
    EXPECT_EQ(focused(), s.edtCashier);
    EXPECT_FALSE(s.btnPasswordChange->isEnabled());
    EXPECT_FALSE(s.panPasswordChange->isVisible());
    EXPECT_FALSE(s.panConfig->isVisible());

    for (const char* key : {"1", "0", "0", "1", "Enter"})
        QTest::mouseClick(s.fraKeyPad->KeyByCaption(QString::fromUtf8(key)), Qt::LeftButton);
    EXPECT_EQ(s.lblCashierName->text(), QStringLiteral("김하늘"));
    EXPECT_TRUE(s.btnPasswordChange->isEnabled());
    ASSERT_EQ(focused(), s.edtPassword);
    EXPECT_EQ(s.edtPassword->echoMode(), QLineEdit::Password);

    QTest::keyClicks(s.edtPassword, QString::fromUtf8(kPasswordOf1001));
    EXPECT_EQ(model->Text(TLoginField::Password), kPasswordOf1001);
    QTest::mouseClick(s.fraKeyPad->KeyByCaption(QStringLiteral("Enter")), Qt::LeftButton);

    EXPECT_TRUE(closedWith(QDialog::Accepted));
    EXPECT_EQ(model->Result(), TLoginResult::SignedOn);
    EXPECT_EQ(ctx.gsCashierName, "김하늘");
    EXPECT_EQ(ctx.gsSaleDate, "20240105");
    EXPECT_TRUE(s.edtPassword->text().isEmpty());  // the typed password is not kept
    EXPECT_EQ(count("SELECT count(*) FROM cashier_event WHERE emp_no = '1001'"), 1);
}

TEST_F(LoginScreenTest, OffLineSignOnWorksFromTheCashierFileWithoutPasswordChange)
{
    ASSERT_TRUE(store.WriteMirrorRows(TMirrorKind::Cashier, serverCashiers()));
    ctx.gbOffLine = true;
    store.glCashierData.clear();
    ASSERT_TRUE(store.ReadCashierData(true));
    model = makeModel();
    TfrmLogin& s = open();
    typeEnter(s.edtCashier, QStringLiteral("1001"));
    EXPECT_EQ(s.lblCashierName->text(), QStringLiteral("김하늘"));
    EXPECT_FALSE(s.btnPasswordChange->isEnabled());
    typeEnter(s.edtPassword, QString::fromUtf8(kPasswordOf1001));
    EXPECT_TRUE(closedWith(QDialog::Accepted));
    EXPECT_EQ(ctx.gsCashier, "1001");
    EXPECT_EQ(count("SELECT count(*) FROM cashier_event"), 0);
}

TEST_F(LoginScreenTest, WrongPasswordsShowInTheFooterSelectTheEntryAndLockOut)
{
    TfrmLogin& s = open();
    typeEnter(s.edtCashier, QStringLiteral("1001"));
    for (int i = 1; i < TLoginGuard::kMaxWrongEntries; ++i) {
        typeEnter(s.edtPassword, QStringLiteral("guess%1").arg(i));  // types over the selected entry
        EXPECT_EQ(footer(), QStringLiteral("비밀번호를(을) 잘못 입력하셨습니다.")) << i;
        EXPECT_EQ(s.edtPassword->text(), QStringLiteral("guess%1").arg(i));
        EXPECT_EQ(s.edtPassword->selectedText(), s.edtPassword->text()) << i;
    }
    EXPECT_TRUE(dialogs.shown.empty());
    typeEnter(s.edtPassword, QStringLiteral("guess5"));
    EXPECT_EQ(lastShown(), TLoginGuard::LockedNowMessage());

    typeEnter(s.edtPassword, QString::fromUtf8(kPasswordOf1001));
    EXPECT_EQ(lastShown(), TLoginGuard::StillLockedMessage(TLoginGuard::kLockSeconds));
    EXPECT_TRUE(s.isVisible());
    EXPECT_EQ(model->Result(), TLoginResult::Open);
}

TEST_F(LoginScreenTest, ForcedPasswordChangeHoldsThePanelUntilANewPasswordIsStored)
{
    struct Case {
        const char* cashier;
        const char* message;
    };
    for (const Case c : {Case{"3001", kMsgPasswordExpired}, Case{"2001", kMsgFirstUse}}) {
        SCOPED_TRACE(c.cashier);
        dialogs.clear();
        fresh();
        TfrmLogin& s = open();
        typeEnter(s.edtCashier, QString::fromUtf8(c.cashier));
        EXPECT_EQ(lastShown(), c.message);
        EXPECT_TRUE(s.panPasswordChange->isVisible());
        EXPECT_FALSE(s.edtCashier->isEnabled());
        EXPECT_FALSE(s.edtPassword->isEnabled());
        EXPECT_FALSE(s.btnConfig->isEnabled());
        EXPECT_EQ(focused(), s.edtPasswordOld);

        // Neither Esc nor the button closes the panel.
        QTest::keyClick(s.edtPasswordOld, Qt::Key_Escape);
        EXPECT_EQ(lastShown(), kMsgMustChange);
        QTest::mouseClick(s.btnPasswordChange, Qt::LeftButton);
        EXPECT_TRUE(s.panPasswordChange->isVisible());
        EXPECT_TRUE(s.isVisible());
    }

    // The first-use cashier stores a new password and signs on with it.
    TfrmLogin& s = *screen;
    typeEnter(s.edtPasswordOld, QStringLiteral("2001"));
    typeEnter(s.edtPasswordNew, QStringLiteral("fresh2001"));
    typeEnter(s.edtPasswordConfirm, QStringLiteral("fresh2001"));
    EXPECT_FALSE(s.panPasswordChange->isVisible());
    EXPECT_TRUE(s.edtCashier->isEnabled());
    EXPECT_EQ(focused(), s.edtCashier);
    EXPECT_TRUE(s.edtPasswordNew->text().isEmpty());
    EXPECT_TRUE(VerifyPassword("fresh2001", db.query("SELECT password FROM cashier WHERE emp_no = '2001'")));

    typeEnter(s.edtCashier, QString());
    typeEnter(s.edtPassword, QStringLiteral("fresh2001"));
    EXPECT_TRUE(closedWith(QDialog::Accepted));
}

TEST_F(LoginScreenTest, RealMessageBoxesInTheMiddleOfAnActionLeaveTheFocusWithTheModel)
{
    // The boxes take the focus away and give it back to the field that had
    // it; that is no touch of the cashier and must not reach the model.
    TQtDialogService boxes(env);
    boxes.beep = [] {};
    std::vector<QString> seen;
    boxes.beforeShow = [&seen](TfrmMsgBox& box) {
        seen.push_back(box.lblNotice->text());
        QTimer::singleShot(0, &box, [&box] {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
            box.accept();
        });
    };
    model = std::make_unique<TLoginModel>(ctx, boxes, store, *data, devices, guard, program);
    model->Clock = [this] { return clock; };
    TfrmLogin& s = open();
    // The window manager gives the screen back its activation once a box is gone.
    const auto backFromTheBox = [&s] {
        s.activateWindow();
        return QTest::qWaitForWindowActive(&s);
    };
    typeEnter(s.edtCashier, QStringLiteral("2001"));
    ASSERT_TRUE(backFromTheBox());
    EXPECT_EQ(seen, std::vector<QString>{MsgBoxText(kMsgFirstUse)});
    EXPECT_TRUE(s.panPasswordChange->isVisible());
    EXPECT_EQ(focused(), s.edtPasswordOld);
    EXPECT_EQ(model->Focused(), TLoginField::PasswordOld);

    QTest::keyClick(s.edtPasswordOld, Qt::Key_Escape);
    ASSERT_TRUE(backFromTheBox());
    EXPECT_EQ(seen.back(), MsgBoxText(kMsgMustChange));
    EXPECT_EQ(focused(), s.edtPasswordOld);
    EXPECT_EQ(model->Focused(), TLoginField::PasswordOld);
    EXPECT_TRUE(s.isVisible());
}

TEST_F(LoginScreenTest, RefusedNewPasswordIsShownAndTheNewFieldSelectedAgain)
{
    struct Case {
        const char* password;
        const char* message;
    };
    const Case cases[] = {
        {"abcd", "비밀번호는 5~20자리로 입력하셔야 합니다."},
        {"ab111cd", "같은 글자를 4번 이상 반복 입력할 수 없습니다."},
        {"1001", "비밀번호와 사용자번호는 서로 달라야 합니다."},
        {"sky1001", "기존 비밀번호와 다르게 입력하셔야 합니다."},
    };
    const std::string before = db.query("SELECT password FROM cashier WHERE emp_no = '1001'");
    TfrmLogin& s = open();
    typeEnter(s.edtCashier, QStringLiteral("1001"));
    QTest::mouseClick(s.btnPasswordChange, Qt::LeftButton);
    ASSERT_TRUE(s.panPasswordChange->isVisible());
    typeEnter(s.edtPasswordOld, QString::fromUtf8(kPasswordOf1001));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.password);
        dialogs.clear();
        typeEnter(s.edtPasswordNew, QString::fromUtf8(c.password));
        typeEnter(s.edtPasswordConfirm, QString::fromUtf8(c.password));
        EXPECT_EQ(lastShown(), c.message);
        EXPECT_EQ(focused(), s.edtPasswordNew);
        EXPECT_EQ(s.edtPasswordNew->selectedText(), s.edtPasswordNew->text());
        EXPECT_TRUE(s.edtPasswordConfirm->text().isEmpty());
    }
    EXPECT_EQ(db.query("SELECT password FROM cashier WHERE emp_no = '1001'"), before);

    // New and confirmation differ: the footer says so and the confirmation is selected.
    typeEnter(s.edtPasswordNew, QStringLiteral("fresh1001"));
    typeEnter(s.edtPasswordConfirm, QStringLiteral("fresh1002"));
    EXPECT_EQ(footer(), QStringLiteral("신규비밀번호와 비밀번호확인이 서로 다릅니다."));
    EXPECT_EQ(focused(), s.edtPasswordConfirm);

    // Not under a pressing change, Esc closes the panel.
    QTest::keyClick(s.edtPasswordConfirm, Qt::Key_Escape);
    EXPECT_FALSE(s.panPasswordChange->isVisible());
    EXPECT_EQ(focused(), s.edtCashier);
    EXPECT_TRUE(s.isVisible());
}

TEST_F(LoginScreenTest, ClosedDayOrPosRefusesTheSignOnAndTheScreenStays)
{
    for (const char* close : {"INSERT INTO day_close (sale_date, upjang_code) VALUES ('20240105', '3101')",
                              "INSERT INTO pos_close (sale_date, upjang_code, pos_no) VALUES ('20240105', '3101', '01')"}) {
        SCOPED_TRACE(close);
        db.query("DELETE FROM day_close; DELETE FROM pos_close");
        db.query(close);
        dialogs.clear();
        fresh();
        TfrmLogin& s = open();
        signOn(QStringLiteral("1001"), QString::fromUtf8(kPasswordOf1001));
        EXPECT_EQ(lastShown(), "2024-01-05일은 판매가 마감되었습니다.");
        EXPECT_TRUE(s.isVisible());
        EXPECT_EQ(model->Result(), TLoginResult::Open);
    }
    EXPECT_EQ(count("SELECT count(*) FROM cashier_event"), 0);
}

TEST_F(LoginScreenTest, SaleDateFollowsTheBusinessHoursAndARefusedDateKeepsTheFocus)
{
    struct Case {
        const char* open;
        const char* close;
        const char* now;
        const char* date;  // as shown
        bool editable;
    };
    const Case cases[] = {
        {"060000", "230000", "20240105055959", "2024-01-04", false},
        {"060000", "230000", "20240105060001", "2024-01-05", false},
        {"060000", "230000", "20240105230001", "2024-01-06", false},
        {"220000", "", "20240105223000", "2024-01-06", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.now);
        setHours(c.open, c.close);
        clock = c.now;
        fresh();
        TfrmLogin& s = open();
        EXPECT_EQ(s.edtSaleDate->text(), QString::fromUtf8(c.date));
        EXPECT_EQ(s.edtSaleDate->isReadOnly(), !c.editable);
        EXPECT_EQ(s.edtSaleDate->focusPolicy(), c.editable ? Qt::StrongFocus : Qt::NoFocus);
    }

    // The editable date: a date outside yesterday..tomorrow is refused when
    // the field is left, and the focus comes back to it.
    TfrmLogin& s = *screen;
    touchAndType(s.edtSaleDate, QStringLiteral("20240110"));
    EXPECT_EQ(model->Text(TLoginField::SaleDate), "20240110");
    QTest::mouseClick(s.edtCashier, Qt::LeftButton);
    EXPECT_EQ(focused(), s.edtSaleDate);
    EXPECT_EQ(footer(), QStringLiteral("판매일자를(을) 잘못 입력하셨습니다."));
    touchAndType(s.edtSaleDate, QStringLiteral("20240105"));
    QTest::mouseClick(s.edtCashier, Qt::LeftButton);
    EXPECT_EQ(focused(), s.edtCashier);
    signOn(QStringLiteral("1001"), QString::fromUtf8(kPasswordOf1001));
    EXPECT_TRUE(closedWith(QDialog::Accepted));
    EXPECT_EQ(ctx.gsSaleDate, "20240105");
}

TEST_F(LoginScreenTest, SetUpPanelOfAManagerWritesPosIniAndRestartsTheDevices)
{
    TfrmLogin& s = open();
    typeEnter(s.edtCashier, QStringLiteral("9001"));
    EXPECT_FALSE(s.btnConfig->isEnabled());
    QTest::keyClicks(s.edtPassword, QString::fromUtf8(kPasswordOf9001));
    ASSERT_TRUE(s.btnConfig->isEnabled());
    QTest::mouseClick(s.btnConfig, Qt::LeftButton);
    ASSERT_TRUE(s.panConfig->isVisible());
    EXPECT_FALSE(s.edtCashier->isEnabled());
    EXPECT_FALSE(s.btnPasswordChange->isEnabled());
    EXPECT_EQ(focused(), s.edtUpjang);
    EXPECT_EQ(s.edtUpjang->text(), QStringLiteral("3101"));
    EXPECT_EQ(s.cbbPrinter1->currentText(), QStringLiteral("없음"));

    // Printer 1 and the sign pad on one port: refused, the panel stays.
    s.cbbPrinter1->setCurrentText(QStringLiteral("TSP700"));
    touchAndType(s.edtPrinter1Port, QStringLiteral("5"));
    s.cbbSignPad->setCurrentText(QStringLiteral("COM"));
    touchAndType(s.edtSignPadPort, QStringLiteral("5"));
    QTest::mouseClick(s.btnConfig, Qt::LeftButton);
    EXPECT_EQ(lastShown(), kMsgPortClash);
    EXPECT_TRUE(s.panConfig->isVisible());
    EXPECT_EQ(restarts, 0);

    touchAndType(s.edtSignPadPort, QStringLiteral("6"));
    touchAndType(s.edtPos, QStringLiteral("02"));
    QTest::mouseClick(s.ckbDisplay, Qt::LeftButton);
    EXPECT_TRUE(model->SetupChoices().Display);
    QTest::mouseClick(s.btnConfig, Qt::LeftButton);
    EXPECT_FALSE(s.panConfig->isVisible());
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(s.edtPosNo->text(), QStringLiteral("02"));
    EXPECT_TRUE(s.edtCashier->isEnabled());
    EXPECT_EQ(focused(), s.edtCashier);

    const IniFile written = IniFile::load(dir / "POS.ini");
    EXPECT_EQ(written.readString("POS", "PosNo"), "02");
    EXPECT_EQ(written.readString("Printer1", "Type"), "TSP700");
    EXPECT_EQ(written.readInteger("Printer1", "Port", 0), 5);
    EXPECT_EQ(written.readString("SignPad", "Type"), "COM");
    EXPECT_EQ(written.readInteger("SignPad", "Port", 0), 6);
    EXPECT_EQ(written.readString("LineDisplay", "Type"), "Crossbow");
}

// ------------------------------------------------------------ the launcher

// Runs aDrive on the login screen once the launcher has shown it.
void whenShown(std::function<void(TfrmLogin&)> aDrive)
{
    QTimer::singleShot(0, [drive = std::move(aDrive)]() mutable {
        auto* shown = qobject_cast<TfrmLogin*>(QApplication::activeModalWidget());
        if (shown == nullptr) return whenShown(std::move(drive));
        EXPECT_TRUE(QTest::qWaitForWindowActive(shown));
        drive(*shown);
    });
}

TEST_F(LoginScreenTest, LauncherSignsOnAndWritesATypedIdentityToPosIni)
{
    ctx.gsMasterUpjangCode.clear();
    ctx.gsMasterPosNo.clear();
    model = makeModel();
    whenShown([](TfrmLogin& s) {
        EXPECT_EQ(QApplication::focusWidget(), s.edtUpjangCode);
        QTest::keyClicks(s.edtUpjangCode, QStringLiteral("31a01"));  // the letter is refused
        EXPECT_EQ(s.edtUpjangCode->text(), QStringLiteral("3101"));
        QTest::keyClick(s.edtUpjangCode, Qt::Key_Return);
        EXPECT_EQ(s.lblUpjangName->text(), QStringLiteral("솔바람 한식당"));
        QTest::keyClicks(s.edtPosNo, QStringLiteral("1"));
        QTest::keyClick(s.edtPosNo, Qt::Key_Return);
        EXPECT_EQ(s.edtPosNo->text(), QStringLiteral("01"));
        EXPECT_EQ(QApplication::focusWidget(), s.edtCashier);  // the read-only date is passed over
        QTest::keyClicks(s.edtCashier, QStringLiteral("1001"));
        QTest::keyClick(s.edtCashier, Qt::Key_Return);
        QTest::keyClicks(s.edtPassword, QString::fromUtf8(kPasswordOf1001));
        QTest::keyClick(s.edtPassword, Qt::Key_Return);
    });
    EXPECT_TRUE(Login(TScreenEnv{}, *model, false));
    const IniFile written = IniFile::load(dir / "POS.ini");
    EXPECT_EQ(written.readString("POS", "UpjangCode"), "3101");
    EXPECT_EQ(written.readString("POS", "PosNo"), "01");
}

TEST_F(LoginScreenTest, LauncherEndsWithoutALoginOnlyWhereTheScreenMayClose)
{
    // A change of cashier with the shift still open never shows the screen.
    db.query("INSERT INTO cashier_signon (sale_date, upjang_code, pos_no, emp_no) VALUES ('20240105', '3101', '01', '1001')");
    ctx.gsToday = "20240105";
    ctx.gsCashier = "1001";
    ctx.gsCashierName = "김하늘";
    EXPECT_FALSE(Login(TScreenEnv{}, *model, true));
    EXPECT_EQ(lastShown(), "김하늘님 마감을 먼저 하고 Login을 하십시오.");

    // With the shift closed the change of cashier may be abandoned (the close button).
    db.query("UPDATE cashier_signon SET closed_at = now()");
    model = makeModel();
    whenShown([](TfrmLogin& s) { QTest::mouseClick(s.btnClose, Qt::LeftButton); });
    EXPECT_FALSE(Login(TScreenEnv{}, *model, true));
    EXPECT_EQ(model->Result(), TLoginResult::Cancelled);
    EXPECT_EQ(shutdowns, 0);

    // At start-up, Esc and the close button ask for the shut-down; refused, the screen stays.
    model = makeModel();
    TfrmLogin& s = open();
    QTest::keyClick(s.edtCashier, Qt::Key_Escape);
    QTest::mouseClick(s.btnClose, Qt::LeftButton);
    EXPECT_EQ(shutdowns, 2);
    EXPECT_TRUE(s.isVisible());
}

}  // namespace
}  // namespace pos::test
