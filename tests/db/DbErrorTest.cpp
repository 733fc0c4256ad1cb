#include "core/ScriptedDialogService.h"
#include "db/DataModule.h"
#include "db/DbError.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

TEST(DbErrorTest, ClassesFollowSqlStateAndConnectionStatus)
{
    struct Case {
        const char* state;
        bool dead;
        TDbErrorKind kind;
    };
    const Case cases[] = {
        {"08006", false, TDbErrorKind::ConnectionLost},
        {"08000", false, TDbErrorKind::ConnectionLost},
        {"57P01", false, TDbErrorKind::ConnectionLost},
        {"57P03", false, TDbErrorKind::ConnectionLost},
        {"", true, TDbErrorKind::ConnectionLost},
        {"25P03", true, TDbErrorKind::ConnectionLost},
        {"53300", false, TDbErrorKind::TooManyConnections},
        {"28P01", false, TDbErrorKind::AuthenticationFailed},
        {"28000", false, TDbErrorKind::AuthenticationFailed},
        {"25P01", false, TDbErrorKind::TransactionLost},
        {"42P01", false, TDbErrorKind::Other},
        {"57014", false, TDbErrorKind::Other},
        {"", false, TDbErrorKind::Other},
    };
    for (const Case& c : cases) EXPECT_EQ(ClassifySqlState(c.state, c.dead), c.kind) << c.state << " " << c.dead;
}

TEST(DbErrorTest, OnlyALostTransactionIsReportedAsFatal)
{
    ScriptedDialogService dialogs;
    EXPECT_FALSE(CheckTransactionError({TDbErrorKind::Other, "k", "42P01", "no user transaction"}, dialogs));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(CheckTransactionError({TDbErrorKind::TransactionLost, "k", "", "gone"}, dialogs));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "데이터 베이스에 치명적인 문제가 발생했습니다.\r현재 작업을 취소하고 시스템을 껏다 켜십시오.");
    EXPECT_TRUE(dialogs.shown[0].beep);
}

TEST(DbErrorTest, TheLogLineMasksACardOrResidentNumberTheServerQuoted)
{
    TDbError error;
    error.kind = TDbErrorKind::Other;
    error.sqlState = "22P02";
    error.message = "invalid input syntax for type bigint: \"9410-1234-5678-9012\"";
    EXPECT_EQ(LogText(error), "[22P02] invalid input syntax for type bigint: \"9410-12**-****-9012\"");
    error.sqlState.clear();
    error.message = "resident 8506151234562 refused for bill 0012";
    EXPECT_EQ(LogText(error), "resident 8506151****** refused for bill 0012");
}

TEST(DbErrorTest, VersionsCompareNumerically)
{
    struct Case {
        const char* left;
        const char* right;
        int sign;
    };
    const Case cases[] = {
        {"2.0.9.7", "2.0.10.3", -1},
        {"2.0.10.3", "2.0.9.7", 1},
        {"10.0.0.0", "9.9.9.9", 1},
        {"1.2.3.4", "1.2.3.4", 0},
        {"1.2", "1.2.0.0", 0},
        {"1.2.3.x", "1.2.3.0", 0},
        {"0.1.0.0", "", 1},
    };
    for (const Case& c : cases) {
        const int result = CompareVersions(c.left, c.right);
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.left << " vs " << c.right;
    }
}

}  // namespace
}  // namespace pos
