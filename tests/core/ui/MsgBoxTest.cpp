#include "QtApp.h"
#include "controls/ZoPosButton.h"
#include "core/ui/TQtDialogService.h"
#include "core/ui/TfrmMsgBox.h"

#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace pos {
namespace {

enum class Box { Msg, Err, Ask };

std::unique_ptr<TfrmMsgBox> makeBox(Box aBox, const std::string& aMsg = "내용", int aShowSecond = 0)
{
    const TScreenEnv env;
    switch (aBox) {
    case Box::Msg: return std::make_unique<TfrmMsgBox>(env, aMsg, aShowSecond);
    case Box::Err: return std::make_unique<TfrmErrBox>(env, aMsg, aShowSecond);
    case Box::Ask: return std::make_unique<TfrmAskBox>(env, aMsg);
    }
    return nullptr;
}

struct KeyCase {
    const char* name;
    Box box;
    Qt::Key key;
    bool closes;
    int result;
};

class MsgBoxKeyTest : public ::testing::TestWithParam<KeyCase> {
protected:
    void SetUp() override { test::App(); }
};

TEST_P(MsgBoxKeyTest, KeyClosesOrNot)
{
    const KeyCase& c = GetParam();
    auto box = makeBox(c.box);
    box->setResult(-1);
    box->show();
    QTest::keyClick(box.get(), c.key);
    EXPECT_EQ(!box->isVisible(), c.closes);
    if (c.closes) {
        EXPECT_EQ(box->result(), c.result);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MsgBoxKeyTest,
    ::testing::Values(KeyCase{"MsgEnter", Box::Msg, Qt::Key_Return, true, QDialog::Accepted},
                      KeyCase{"MsgKeypadEnter", Box::Msg, Qt::Key_Enter, true, QDialog::Accepted},
                      KeyCase{"MsgEsc", Box::Msg, Qt::Key_Escape, true, QDialog::Rejected},
                      KeyCase{"MsgOtherKey", Box::Msg, Qt::Key_A, false, 0},
                      KeyCase{"ErrIgnoresEnter", Box::Err, Qt::Key_Return, false, 0},
                      KeyCase{"ErrEsc", Box::Err, Qt::Key_Escape, true, QDialog::Rejected},
                      KeyCase{"AskEnterIsYes", Box::Ask, Qt::Key_Return, true, QDialog::Accepted},
                      KeyCase{"AskEscIsNo", Box::Ask, Qt::Key_Escape, true, QDialog::Rejected}),
    [](const auto& info) { return std::string(info.param.name); });

struct LookCase {
    const char* name;
    Box box;
    const char* caption;
    const char* cancel;
    const char* yes;
};

class MsgBoxLookTest : public ::testing::TestWithParam<LookCase> {
protected:
    void SetUp() override { test::App(); }
};

TEST_P(MsgBoxLookTest, CaptionsButtonsAndPicture)
{
    const LookCase& c = GetParam();
    auto box = makeBox(c.box, "첫 줄\r둘째 줄");
    EXPECT_EQ(box->windowTitle(), QString::fromUtf8(c.caption));
    EXPECT_EQ(box->btnCancel->CurrentCaption(), QString::fromUtf8(c.cancel));
    if (c.yes != nullptr) {
        ASSERT_NE(box->btnYes, nullptr);
        EXPECT_EQ(box->btnYes->CurrentCaption(), QString::fromUtf8(c.yes));
    } else {
        EXPECT_EQ(box->btnYes, nullptr);
    }
    EXPECT_EQ(box->lblNotice->text(), QStringLiteral("첫 줄\n둘째 줄"));
    EXPECT_FALSE(box->imgBack->pixmap().isNull()) << "background picture from the image library";
    EXPECT_EQ(box->lblTitle, nullptr) << "no title bar, footer or close button on a box";
    EXPECT_EQ(box->panFooter, nullptr);
    EXPECT_EQ(box->btnClose, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, MsgBoxLookTest,
                         ::testing::Values(LookCase{"Msg", Box::Msg, "알림", "확인\r(Enter)", nullptr},
                                           LookCase{"Err", Box::Err, "에러", "닫기\r(Esc)", nullptr},
                                           LookCase{"Ask", Box::Ask, "질문", "아니요\r(Esc)", "예\r(Enter)"}),
                         [](const auto& info) { return std::string(info.param.name); });

class DialogServiceTest : public ::testing::Test {
protected:
    void SetUp() override { test::App(); }

    // Answers the box about to be shown by a key, from inside its event loop.
    static void answerWith(TfrmMsgBox& aBox, Qt::Key aKey)
    {
        QTimer::singleShot(0, &aBox, [&aBox, aKey] { QTest::keyClick(&aBox, aKey); });
    }
};

TEST_F(DialogServiceTest, AskBoxAnswers)
{
    TQtDialogService service{TScreenEnv{}};
    service.beforeShow = [](TfrmMsgBox& aBox) { answerWith(aBox, Qt::Key_Return); };
    EXPECT_TRUE(service.AskBox("거래를 취소하시겠습니까?"));
    service.beforeShow = [](TfrmMsgBox& aBox) { answerWith(aBox, Qt::Key_Escape); };
    EXPECT_FALSE(service.AskBox("거래를 취소하시겠습니까?"));
}

TEST_F(DialogServiceTest, ErrBoxBeepsOnceAndWaitsForEsc)
{
    TQtDialogService service{TScreenEnv{}};
    int beeps = 0;
    service.beep = [&] { ++beeps; };
    std::vector<bool> visibleAfterEnter;
    service.beforeShow = [&](TfrmMsgBox& aBox) {
        EXPECT_EQ(beeps, 1) << "the sound plays before the box appears";
        QTimer::singleShot(0, &aBox, [&] {
            QTest::keyClick(&aBox, Qt::Key_Return);
            visibleAfterEnter.push_back(aBox.isVisible());
            QTest::keyClick(&aBox, Qt::Key_Escape);
        });
    };
    service.ErrBox("서버에 연결할 수 없습니다.", true);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(visibleAfterEnter, std::vector<bool>{true});

    service.beforeShow = [](TfrmMsgBox& aBox) { answerWith(aBox, Qt::Key_Escape); };
    service.ErrBox("조용한 에러", false);
    EXPECT_EQ(beeps, 1);
}

TEST_F(DialogServiceTest, SelfClosingBoxClosesByItsTimer)
{
    // The one-second timer shortened: the count, not the clock, is checked.
    for (Box kind : {Box::Msg, Box::Err}) {
        auto box = makeBox(kind, "자동으로 닫힙니다.", 2);
        box->tmrTimer->setInterval(5);
        bool safetyFired = false;
        QTimer safety;
        safety.setSingleShot(true);
        QObject::connect(&safety, &QTimer::timeout, box.get(), [&] {
            safetyFired = true;
            box->reject();
        });
        safety.start(10000);
        box->exec();
        EXPECT_FALSE(safetyFired);
        EXPECT_EQ(box->TimerTicks(), 2) << "closed on the tick after the count reached 2";
    }

    auto still = makeBox(Box::Msg, "그대로", 0);
    still->show();
    EXPECT_FALSE(still->tmrTimer->isActive());
}

}  // namespace
}  // namespace pos
