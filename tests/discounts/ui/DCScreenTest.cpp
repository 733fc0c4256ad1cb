// The member discount screen through its widgets, offscreen: what the card
// reader types into the member number reaches the model, the model's rows
// and entries are what the screen shows, and a touch on a discount button
// opens the additional number.

#include "QtApp.h"

#include "controls/ZoPosButton.h"
#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "core/ui/TfrmListFrame.h"
#include "db/Catalogue.h"
#include "db/DataModule.h"
#include "db/OffLinePolicy.h"
#include "discounts/dc/DCModel.h"
#include "discounts/ui/TfrmDC.h"
#include "lookups/Lookups.h"
#include "store/MasterStore.h"

#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace pos::test {
namespace {

struct NoRemarks final : TDCLaunchers {
    bool GetRemarks(const std::string&, std::string&, int, bool) override { return false; }
};

class DCScreenTest : public ::testing::Test, public AppFirst {
protected:
    DCScreenTest()
    {
        ctx.gsMasterUpjangCode = ctx.gsUpjangCode = "3001";
        ctx.gsMasterPosNo = ctx.gsPosNo = "01";
        ctx.gsSaleDate = "20240105";
        ctx.gsFolder = ::testing::TempDir();
        ctx.gbOffLine = true;
        TUpjangData outlet;
        outlet.UpjangCode = "3001";
        outlet.UpjangName = "라운지 레스토랑";
        outlet.PosNo = "01";
        outlet.UpjangType = "30";
        store.glUpjangData.push_back(outlet);
        store.glDCData.push_back({"010", "3001", "", "", 10, -1, 3});
        TEtcDCData scheme;
        scheme.MultiUpjangCode = "3001";
        scheme.MemberNo = "8800201";
        scheme.MemberName = "강원도민 할인";
        scheme.MemberAddNoTitle = "주민등록번호";
        scheme.MemberAddNoLength = 13;
        scheme.MemberAddNoIDNoYN = "Y";
        store.glEtcDCData.push_back(scheme);
    }

    TTerminalContext ctx;
    ScriptedDialogService dialogs;
    TSqlCatalogue catalogue;
    TSellsOffLinePolicy offLinePolicy;
    TfrmData data{ctx, catalogue, dialogs, offLinePolicy};
    TNoMasterServer storeServer;
    TMasterStore store{ctx, dialogs, storeServer};
    TLookups lookups{data, store};
    NoRemarks launchers;
    std::vector<std::string> keyInData;
    TDCModel model{ctx, store, dialogs, data, lookups, launchers, keyInData};
    TfrmDC screen{TScreenEnv{&ctx, {}, {}}, model};
};

TEST_F(DCScreenTest, ACardReadIntoTheMemberNumberReachesTheModel)
{
    ASSERT_TRUE(ShowActive(screen));
    EXPECT_EQ(screen.focusWidget(), screen.edtMemberNo);
    EXPECT_FALSE(screen.edtMemberAddNo->isEnabled());

    QTest::keyClicks(screen.edtMemberNo, QStringLiteral("1012345700000102029123100").left(24));
    QTest::keyClick(screen.edtMemberNo, Qt::Key_Return);
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(model.State().rows.size(), 1u);
    EXPECT_TRUE(screen.edtMemberNo->text().isEmpty());
    EXPECT_TRUE(screen.btnDCDelete->isEnabled());

    // A touch on the scheme's button opens its additional number.
    QTest::mouseClick(screen.btnDC[0], Qt::LeftButton);
    EXPECT_EQ(screen.edtMemberNo->text(), QStringLiteral("8800201"));
    EXPECT_TRUE(screen.edtMemberAddNo->isEnabled());
    EXPECT_EQ(screen.focusWidget(), screen.edtMemberAddNo);
    EXPECT_EQ(screen.lblMemberAddNo->text(), QStringLiteral("주민등록번호"));
    EXPECT_EQ(screen.lblComment->text(), QStringLiteral("주민등록번호 13자리를 입력하십시오."));

    // The cashier going back to the member number starts a new entry.
    QTest::mouseClick(screen.edtMemberNo, Qt::LeftButton);
    EXPECT_TRUE(screen.edtMemberNo->text().isEmpty());
    EXPECT_FALSE(screen.edtMemberAddNo->isEnabled());

    // Escape closes the screen.
    QTest::keyClick(screen.edtMemberNo, Qt::Key_Escape);
    EXPECT_FALSE(screen.isVisible());
}

}  // namespace
}  // namespace pos::test
