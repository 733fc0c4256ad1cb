// The manager check driven through its widgets.

#include "LoginTerminal.h"
#include "QtApp.h"
#include "controls/ZoPosButton.h"
#include "login/ui/Login.h"
#include "login/ui/TfrmAdminCheck.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace pos::test {
namespace {

class AdminCheckScreenTest : public AppFirst, public LoginTerminal {
protected:
    TfrmAdminCheck& open()
    {
        screen.reset();
        check = std::make_unique<TAdminCheckModel>(ctx, dialogs, store, guard);
        check->Clock = [this] { return clock; };
        screen = std::make_unique<TfrmAdminCheck>(TScreenEnv{}, *check);
        EXPECT_TRUE(ShowActive(*screen));
        return *screen;
    }
    void typeEnter(QLineEdit* edit, const QString& text)
    {
        ASSERT_EQ(QApplication::focusWidget(), edit);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    std::unique_ptr<TAdminCheckModel> check;
    std::unique_ptr<TfrmAdminCheck> screen;
};

TEST_F(AdminCheckScreenTest, OnlyAManagerWithTheRightPasswordEndsItWithOk)
{
    struct Case {
        const char* cashier;
        const char* password;
        const char* box;  // message box, "" for none
    };
    const Case refused[] = {
        {"1001", kPasswordOf1001, kMsgAdminOnly},  // right password, no manager
        {"9001", kPasswordOf1001, ""},
        {"7777", "whatever", ""},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.cashier);
        dialogs.clear();
        TfrmAdminCheck& s = open();
        EXPECT_EQ(s.windowTitle(), QStringLiteral("담당자 확인"));
        typeEnter(s.edtCashier, QString::fromUtf8(c.cashier));
        typeEnter(s.edtPassword, QString::fromUtf8(c.password));
        EXPECT_EQ(lastShown(), c.box);
        EXPECT_EQ(s.lblFooterMessage->text(), QStringLiteral("비밀번호를(을) 잘못 입력하셨습니다."));
        EXPECT_EQ(QApplication::focusWidget(), s.edtPassword);
        EXPECT_EQ(s.edtPassword->selectedText(), s.edtPassword->text());
        EXPECT_TRUE(s.isVisible());
    }

    TfrmAdminCheck& s = open();
    typeEnter(s.edtCashier, QStringLiteral("9001"));
    typeEnter(s.edtPassword, QString::fromUtf8(kPasswordOf9001));
    EXPECT_FALSE(s.isVisible());
    EXPECT_EQ(s.result(), QDialog::Accepted);
    EXPECT_TRUE(s.edtPassword->text().isEmpty());
}

TEST_F(AdminCheckScreenTest, EscOrTheCloseButtonEndsItWithoutOk)
{
    TfrmAdminCheck& s = open();
    QTest::keyClick(s.edtCashier, Qt::Key_Escape);
    EXPECT_FALSE(s.isVisible());
    EXPECT_EQ(check->Result(), TLoginResult::Cancelled);

    TfrmAdminCheck& again = open();
    QTest::mouseClick(again.btnClose, Qt::LeftButton);
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(again.result(), QDialog::Rejected);
}

TEST_F(AdminCheckScreenTest, LauncherIsTrueExactlyWhenAManagerConfirmed)
{
    for (const bool manager : {true, false}) {
        SCOPED_TRACE(manager);
        TAdminCheckModel model(ctx, dialogs, store, guard);
        model.Clock = [this] { return clock; };
        QTimer::singleShot(0, [manager] {
            auto* s = qobject_cast<TfrmAdminCheck*>(QApplication::activeModalWidget());
            ASSERT_NE(s, nullptr);
            EXPECT_TRUE(QTest::qWaitForWindowActive(s));
            QTest::keyClicks(s->edtCashier, QStringLiteral("9001"));
            QTest::keyClick(s->edtCashier, Qt::Key_Return);
            if (manager) {
                QTest::keyClicks(s->edtPassword, QString::fromUtf8(kPasswordOf9001));
                QTest::keyClick(s->edtPassword, Qt::Key_Return);
            } else {
                QTest::keyClick(s->edtPassword, Qt::Key_Escape);
            }
        });
        EXPECT_EQ(AdminCheck(TScreenEnv{}, model), manager);
    }
}

}  // namespace
}  // namespace pos::test
