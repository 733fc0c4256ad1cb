#include "core/IniFile.h"
#include "core/TerminalContext.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

TEST(CodeTableTest, DefaultsAndOverrides)
{
    TTerminalContext ctx;
    EXPECT_EQ(ctx.giPayCash, 110);
    EXPECT_EQ(ctx.gsUpjangTypeSki, "50");
    EXPECT_EQ(ctx.gsUpjangVessaFnB3, "3003");
    EXPECT_EQ(ctx.gsMasterMemberNo, "");
    EXPECT_EQ(ctx.giOrderReadInterval, 5);

    ctx.ReadIniData(IniFile::fromText("[default]\nPayCash=111\nUpjangTypeSki=55\nScaleMenuCode= 22 \n[Other]\nPayCard=1\n"));
    EXPECT_EQ(ctx.giPayCash, 111);
    EXPECT_EQ(ctx.gsUpjangTypeSki, "55");
    EXPECT_EQ(ctx.gsScaleMenuCode, "22");
    EXPECT_EQ(ctx.giPayCard, 120);  // other sections are not the code table
}

TEST(TerminalContextTest, ResetBillLeavesIdentityAndResetClearsAll)
{
    TTerminalContext ctx;
    ctx.gsMasterUpjangCode = "3001";
    ctx.giSign = -1;
    ctx.giSaleGubun = 2;
    ctx.gbEventMode = true;
    ctx.gsEventNo = "E1";
    ctx.giKoreanCount = 3;
    ctx.ResetBill();
    EXPECT_EQ(ctx.giSign, 1);
    EXPECT_EQ(ctx.giSaleGubun, 0);
    EXPECT_FALSE(ctx.gbEventMode);
    EXPECT_EQ(ctx.gsEventNo, "");
    EXPECT_EQ(ctx.giKoreanCount, 0);
    EXPECT_EQ(ctx.gsMasterUpjangCode, "3001");
    EXPECT_TRUE(ctx.IsVessaUpjang("3029"));
    EXPECT_FALSE(ctx.IsVessaUpjang("3006"));
    ctx.giPayCash = 1;
    ctx.Reset();
    EXPECT_EQ(ctx.gsMasterUpjangCode, "");
    EXPECT_EQ(ctx.giPayCash, 110);
}

}  // namespace
}  // namespace pos
