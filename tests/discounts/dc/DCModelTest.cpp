// The member discount screen's model against the real PostgreSQL server of
// scripts/db: members registered through the server's work area, its
// refusals, partner and employee schemes, removal, master numbers, the photo
// and the off-line guest-type discounts.

#include "ServerTerminal.h"

#include "discounts/dc/DCModel.h"
#include "lookups/Lookups.h"
#include "store/MasterStore.h"
#include "sync/MasterServer.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace pos::test {
namespace {

using Texts = std::vector<std::string>;

struct FakeLaunchers final : TDCLaunchers {
    bool GetRemarks(const std::string& aCaption, std::string& aRemarks, int, bool) override
    {
        asked.push_back(aCaption);
        if (!confirm) return false;
        aRemarks = "단골 고객";
        return true;
    }
    bool confirm = true;
    Texts asked;
};

class DCModelTest : public ServerTerminal {
protected:
    DCModelTest()
    {
        ctx.gsToday = ctx.gsSaleDate = "20240105";
        ctx.gsMasterUpjangCode = ctx.gsUpjangCode = "3001";
        ctx.gsMasterPosNo = ctx.gsPosNo = "01";
        ctx.gsMasterMemberNo = "99";
        ctx.giSaleGubun = 0;

        sql("INSERT INTO upjang (upjang_code, upjang_name) VALUES ('3001', '라운지 레스토랑'), ('3003', '중식당')");
        sql("INSERT INTO upjang_pos (upjang_code, pos_no, sort_order) VALUES ('3001', '01', 0), ('3003', '02', 0)");
        sql("INSERT INTO pos_sale_upjang (upjang_code, pos_no, sale_upjang_code, sale_pos_no) "
            "VALUES ('3001', '01', '3003', '11')");
        sql("INSERT INTO member_code VALUES ('11', '정회원', 'Y'), ('13', '임원', 'Y'), ('21', '직원', 'N')");
        sql("INSERT INTO member (member_no, member_name, card_issue_count, id_no, member_code, guest_type) VALUES "
            "('1012345700', '한도윤', 0, '1101054000001', '11', '010'), "
            "('1045678900', '임세아', 1, '', '13', '013'), "
            "('1056789000', '백도현', 1, '', '21', '100')");
        sql("INSERT INTO member_overdue (member_no, overdue_from) VALUES ('1045678900', '20231201')");
        sql("INSERT INTO member_dc_rate (guest_type, upjang_code, daeso_gubun, dc_rate, daily_use_count) "
            "VALUES ('010', '3001', 'Z', 10, 4), ('010', '3003', 'Z', 30, -1)");
        sql("INSERT INTO member_dc_menu (guest_type, upjang_code, menu_code, dc_amt, daily_use_count) "
            "VALUES ('010', '3001', 'A100', 8000, 2)");

        addOutlet("3001", "라운지 레스토랑");
        addOutlet("3003", "중식당");
        addCommon(ctx.gsCommonGuestType, "010", "기명 회원");
        addCommon(ctx.gsCommonGuestType, "001", "제휴");
        EXPECT_TRUE(data->ConnectDB(true, false));
    }

    void sql(const std::string& aSql) { db.query(aSql); }
    std::string value(const std::string& aSql) { return db.query(aSql); }

    void addOutlet(const std::string& aCode, const std::string& aName)
    {
        TUpjangData outlet;
        outlet.UpjangCode = aCode;
        outlet.UpjangName = aName;
        outlet.PosNo = "01";
        outlet.UpjangType = "30";  // a restaurant: typed numbers need no reason
        store.glUpjangData.push_back(outlet);
    }
    void addCommon(const std::string& aHead, const std::string& aCode, const std::string& aName,
                   const std::string& aItem1 = {}, const std::string& aItem2 = {}, const std::string& aItem3 = {},
                   const std::string& aItem4 = {})
    {
        TCommonData row;
        row.Head = aHead;
        row.Code = aCode;
        row.CodeName = aName;
        row.Item1 = aItem1;
        row.Item2 = aItem2;
        row.Item3 = aItem3;
        row.Item4 = aItem4;
        store.glCommonData.push_back(row);
    }
    TEtcDCData& addScheme(const std::string& aUpjang, const std::string& aMemberNo, const std::string& aName)
    {
        TEtcDCData scheme;
        scheme.MultiUpjangCode = aUpjang;
        scheme.MemberNo = aMemberNo;
        scheme.MemberName = aName;
        scheme.MemberCode = "51";
        scheme.GuestType = "001";
        scheme.DCRate = 20;
        scheme.SoDCRate = 20;
        scheme.MemberAddNoIDNoYN = "N";
        scheme.QtyAcceptYN = "N";
        scheme.GenderCode = "Z";
        return store.glEtcDCData.emplace_back(scheme);
    }

    // A fresh screen, as each opening of it is.
    TDCModel& open()
    {
        model = std::make_unique<TDCModel>(ctx, store, dialogs, *data, lookups, launchers, keyInData);
        model->Show();
        return *model;
    }
    void type(TDCField aField, const std::string& aText)
    {
        model->Change(aField, aText);
        model->Enter(aField);
    }
    Texts listed() const
    {
        Texts rows;
        for (const TDCList& r : model->State().rows)
            rows.push_back(r.MemberNo + "/" + r.UpjangName + "/" + std::to_string(r.DCRate) + "/" + r.OnceUseCount +
                           "/" + r.DailyUseCount + "/" + r.YearlyUseCount + (r.DCYN ? "" : "/refused"));
        return rows;
    }
    std::string memberWork()
    {
        return value("SELECT string_agg(concat_ws('/', multi_upjang_code, accept_member_no, seq, member_no, "
                     "member_add_no, daeso_gubun, dc_rate, daily_use_count, keyin_yn), ',' ORDER BY "
                     "multi_upjang_code, accept_member_no, seq) FROM dc_member_work");
    }

    TDbMasterServer storeServer{*data};
    TMasterStore store{ctx, dialogs, storeServer};
    TLookups lookups{*data, store};
    FakeLaunchers launchers;
    std::vector<std::string> keyInData;
    std::unique_ptr<TDCModel> model;
};

// A typed member is registered on the server for this POS; its discounts at
// the outlets the POS sells for are listed, its menu prices reach the bill,
// and the entry is ready for the next number.
TEST_F(DCModelTest, ATypedMemberIsRegisteredAndListed)
{
    open();
    type(TDCField::MemberNo, "1012345700");
    EXPECT_TRUE(shown().empty()) << ::testing::PrintToString(shown());
    EXPECT_EQ(listed(), (Texts{"1012345700/라운지 레스토랑/10/무제한/4/무제한", "1012345700/중식당/30/무제한/무제한/무제한"}));
    EXPECT_EQ(memberWork(), "3001/1012345700/1/1012345700//Z/10/4/Y,3003/1012345700/1/1012345700//Z/30/-1/Y");
    EXPECT_EQ(store.glDCMenuData.size(), 1u);
    EXPECT_EQ(keyInData, Texts{"1012345700"});
    EXPECT_TRUE(model->State().memberNo.empty());
    EXPECT_TRUE(model->State().deleteEnabled);
    EXPECT_FALSE(model->State().closed);
    EXPECT_FALSE(data->InTransaction());

    // Every opening reads the lists again: the menu price is not doubled.
    open();
    type(TDCField::MemberNo, "1012345700");
    EXPECT_EQ(store.glDCMenuData.size(), 1u);
    EXPECT_EQ(store.glDCMemberData.size(), 2u);
    EXPECT_EQ(keyInData, Texts{"1012345700"});

    // Enter on an empty number closes the screen.
    model->Enter(TDCField::MemberNo);
    EXPECT_TRUE(model->State().closed);
}

// The server's refusals reach the cashier in its words; a member who must
// not be sold to closes the screen with the can't-sell flag; nothing of a
// refused member is listed, and the number stays for correction.
TEST_F(DCModelTest, RefusalsAreShownAndNothingIsListed)
{
    const struct {
        const char* number;
        Texts messages;
        bool closed, cantSale;
    } cases[] = {
        {"1099999900", {"등록되지 않은 우대번호입니다."}, false, false},
        {"1045678900",
         {"연체회원에게는 판매할 수 없습니다.\r회원팀에 문의하십시오.", "현재 회원에게는 판매를 할 수 없습니다.\r사무실에 문의하십시오."},
         true, true},
        {"12345", {"우대번호 형식이 맞지 않습니다."}, false, false},  // no member-number length
    };
    for (const auto& c : cases) {
        dialogs.clear();
        ctx.gbCantSale = false;
        open();
        type(TDCField::MemberNo, c.number);
        EXPECT_EQ(shown(), c.messages) << c.number;
        EXPECT_TRUE(listed().empty()) << c.number;
        EXPECT_EQ(model->State().closed, c.closed) << c.number;
        EXPECT_EQ(ctx.gbCantSale, c.cantSale) << c.number;
        EXPECT_EQ(value("SELECT count(*) FROM dc_member_work"), "0") << c.number;
    }
    // The refused member's number stays selected for correction.
    EXPECT_EQ(model->State().memberNo, "12345");
    EXPECT_TRUE(model->State().selectAll);
}

// Removing one discount removes it on the server and in the bill's lists,
// the menu prices of the same member and outlet with it; the other outlet's
// discount stays.
TEST_F(DCModelTest, RemovingADiscountRemovesItEverywhere)
{
    open();
    type(TDCField::MemberNo, "1012345700");
    ASSERT_EQ(listed().size(), 2u);
    model->Select(0);
    model->DeleteSelected();
    EXPECT_TRUE(shown().empty()) << ::testing::PrintToString(shown());
    EXPECT_EQ(listed(), Texts{"1012345700/중식당/30/무제한/무제한/무제한"});
    EXPECT_EQ(memberWork(), "3003/1012345700/1/1012345700//Z/30/-1/Y");
    EXPECT_EQ(value("SELECT count(*) FROM dc_menu_work"), "0");
    ASSERT_EQ(store.glDCMemberData.size(), 1u);
    EXPECT_EQ(store.glDCMemberData[0].MultiUpjangCode, "3003");
    EXPECT_TRUE(store.glDCMenuData.empty());

    // Deleting all empties both sides.
    model->DeleteAll();
    EXPECT_TRUE(listed().empty());
    EXPECT_EQ(value("SELECT count(*) FROM dc_member_work"), "0");
    EXPECT_FALSE(model->State().deleteEnabled);
    EXPECT_FALSE(model->State().clearEnabled);
}

// A failing removal keeps the row and says so.
TEST_F(DCModelTest, AFailedRemovalKeepsTheRow)
{
    open();
    type(TDCField::MemberNo, "1012345700");
    sql("REVOKE DELETE ON dc_member_work FROM PUBLIC");
    sql("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN RAISE EXCEPTION 'no'; END $$");
    sql("CREATE TRIGGER refuse BEFORE DELETE ON dc_member_work FOR EACH ROW EXECUTE FUNCTION refuse()");
    model->Select(0);
    model->DeleteSelected();
    EXPECT_EQ(shown(), Texts{"우대할인 취소 처리를 하지 못했습니다."});
    EXPECT_EQ(listed().size(), 2u);
    EXPECT_EQ(store.glDCMemberData.size(), 2u);
    EXPECT_FALSE(data->InTransaction());
    EXPECT_NE(log().find("IBI010-CallDCDeleteProc-1"), std::string::npos);
}

// A partner scheme taking a quantity: the button opens the additional
// number, the scheme's rows are written for every outlet it is valid at
// (two rows where the child rate differs), pressing it again with the same
// number registers nothing more, and the quantity is the count of the rows
// just registered.
TEST_F(DCModelTest, ASchemeIsRegisteredOnceWithItsQuantity)
{
    TEtcDCData& scheme = addScheme("3001", "8800101", "한빛카드 할인");
    scheme.MemberAddNoTitle = "적용 수량";
    scheme.QtyAcceptYN = "Y";
    scheme.DailyUseQty = 5;
    addScheme("3003", "8800101", "한빛카드 할인").SoDCRate = 10;
    addScheme("3001", "8800201", "도민 할인");

    open();
    EXPECT_EQ(model->State().buttons[0].caption, "한빛카드 할인");
    EXPECT_EQ(model->State().buttons[1].caption, "도민 할인");  // one button per scheme
    EXPECT_FALSE(model->State().buttons[2].enabled);

    model->PressButton(1);
    EXPECT_TRUE(model->State().addNoEnabled);
    EXPECT_EQ(model->State().addNoCaption, "적용 수량");
    EXPECT_EQ(model->State().focus, TDCField::MemberAddNo);
    EXPECT_EQ(model->State().memberNo, "8800101");
    type(TDCField::MemberAddNo, "3");
    EXPECT_TRUE(shown().empty()) << ::testing::PrintToString(shown());
    EXPECT_EQ(memberWork(), "3001/8800101/1/8800101/3/Z/20/5/Y,3003/8800101/1/8800101/3/Z/20/5/Y,"
                            "3003/8800101/2/8800101/3/2/10/5/Y");
    EXPECT_EQ(listed(), (Texts{"8800101/라운지 레스토랑/20/무제한/3/무제한", "8800101/중식당/20/무제한/3/무제한",
                               "8800101/중식당/10/무제한/3/무제한"}));
    EXPECT_EQ(store.glDCMemberData[0].DailyUseCount, 3);
    EXPECT_EQ(store.glDCMemberData[0].MemberName, "한빛카드 할인");

    // Typing the scheme's number is a press of its button.
    type(TDCField::MemberNo, "8800101");
    EXPECT_EQ(model->State().focus, TDCField::MemberAddNo);
    type(TDCField::MemberAddNo, "3");
    EXPECT_EQ(value("SELECT count(*) FROM dc_member_work"), "3");
    EXPECT_EQ(model->PressedSchemes().size(), 2u);
}

// A scheme the server registers with no use left is refused (DCYN false);
// the quantity asked for it, and every later refresh of the list, leave it
// refused, and it is listed in red.
TEST_F(DCModelTest, ARefusedSchemeStaysRefused)
{
    TEtcDCData& scheme = addScheme("3001", "8800501", "소진 할인");
    scheme.MemberAddNoTitle = "적용 수량";
    scheme.QtyAcceptYN = "Y";
    scheme.DailyUseQty = 0;
    open();
    model->PressButton(1);
    type(TDCField::MemberAddNo, "2");
    EXPECT_EQ(listed(), Texts{"8800501/라운지 레스토랑/20/무제한/2/무제한/refused"});
    EXPECT_FALSE(store.glDCMemberData[0].DCYN);
    EXPECT_EQ(DCCellColors(model->State().rows[0], TDCColumn::MemberName).normal, TDCCellColor::Red);

    open();  // reopened: the list is read again
    EXPECT_FALSE(store.glDCMemberData[0].DCYN);
    EXPECT_EQ(listed(), Texts{"8800501/라운지 레스토랑/20/무제한/2/무제한/refused"});
}

// A scheme's uses of the day on stored bills count against its daily
// quantity; a scheme used up today is listed with none left, in red.
TEST_F(DCModelTest, TheDaysUsesCountAgainstASchemesDailyQuantity)
{
    TEtcDCData& scheme = addScheme("3001", "8800301", "솔바람 패밀리");
    scheme.MemberAddNoTitle = "회원번호";
    scheme.MemberAddNoLength = 4;
    scheme.DailyUseQty = 2;
    sql("INSERT INTO sale (sale_date, upjang_code, pos_no, bill_no, bill_seq, sale_yn, menu_code, sale_qty, member_no, "
        "member_add_no) VALUES ('20240105', '3001', '02', '0001', 1, 'Y', 'A100', 2, '8800301', '7777'), "
        "('20240105', '3001', '02', '0002', 1, 'Y', 'A100', 1, '8800301', '1234')");
    open();
    model->PressButton(1);
    type(TDCField::MemberAddNo, "7777");
    EXPECT_EQ(listed(), Texts{"8800301/라운지 레스토랑/20/무제한/0/무제한"});
    const TDCList& row = model->State().rows[0];
    EXPECT_EQ(DCCellColors(row, TDCColumn::Daily).normal, TDCCellColor::Red);
    EXPECT_TRUE(DCCellColors(row, TDCColumn::Daily).selectedFuchsia);
    EXPECT_EQ(DCCellColors(row, TDCColumn::DCRate).normal, TDCCellColor::Black);
    EXPECT_EQ(store.glDCMemberData[0].DailyUseCount, 0);

    // Another member-add number has its own day.
    model->PressButton(1);
    type(TDCField::MemberAddNo, "1234");
    EXPECT_EQ(listed(), (Texts{"8800301/라운지 레스토랑/20/무제한/0/무제한", "8800301/라운지 레스토랑/20/무제한/1/무제한"}));

    // A number of the wrong length is refused and the press forgotten.
    model->PressButton(1);
    type(TDCField::MemberAddNo, "12");
    EXPECT_EQ(shown(), Texts{"회원번호를 정확히 입력하십시오."});
    EXPECT_EQ(model->PressedSchemes().size(), 2u);
    EXPECT_EQ(model->State().focus, TDCField::MemberNo);
    EXPECT_FALSE(model->State().addNoEnabled);
}

// An employee scheme names the employee; an unknown employee number writes
// nothing and leaves no transaction open.
TEST_F(DCModelTest, AnEmployeeSchemeNeedsAKnownEmployee)
{
    TEtcDCData& scheme = addScheme("3001", "8800900", "직원 할인");
    scheme.MemberAddNoTitle = "직원번호";
    scheme.MemberAddNoLength = 10;
    scheme.GuestType = ctx.gsGuestTypeEmp;
    scheme.MemberCode = "21";
    open();
    model->PressButton(1);
    type(TDCField::MemberAddNo, "1099999900");
    EXPECT_EQ(shown(), Texts{"등록되지 않은 직원번호입니다."});
    EXPECT_EQ(value("SELECT count(*) FROM dc_member_work"), "0");
    EXPECT_FALSE(data->InTransaction());
    EXPECT_EQ(model->State().focus, TDCField::MemberAddNo);

    dialogs.clear();
    type(TDCField::MemberAddNo, "567890");  // the short employee number
    EXPECT_TRUE(shown().empty()) << ::testing::PrintToString(shown());
    EXPECT_EQ(value("SELECT member_name || '|' || remark FROM dc_member_work"),
              "직원 할인(백도현)|백도현(1056789000) 직원할인");
}

// A master number asks for its quantity first, then lists rows of the
// terminal's own at every outlet; nothing goes to the server.
TEST_F(DCModelTest, AMasterNumberAsksForItsQuantity)
{
    addCommon(ctx.gsCommonMasterKey, "99000001", "총지배인", "13", "010", "00", "Y");
    open();
    type(TDCField::MemberNo, "9900000115");
    EXPECT_EQ(model->State().addNoCaption, "적용수량");
    EXPECT_TRUE(listed().empty());
    type(TDCField::MemberAddNo, "2");
    EXPECT_EQ(listed(), (Texts{"9900000100/라운지 레스토랑/15/무제한/2/무제한", "9900000100/중식당/15/무제한/2/무제한"}));
    EXPECT_EQ(DCCellText(model->State().rows[0], TDCColumn::MemberNo), "********");
    EXPECT_EQ(value("SELECT count(*) FROM dc_member_work"), "0");

    // Removed in the terminal alone.
    model->Select(0);
    model->DeleteSelected();
    EXPECT_TRUE(shown().empty()) << ::testing::PrintToString(shown());
    EXPECT_EQ(listed().size(), 1u);

    dialogs.clear();
    type(TDCField::MemberNo, "9900000215");
    EXPECT_EQ(shown(), Texts{"등록되지 않은 우대번호입니다."});
}

// The member's photo comes as the server stores it.
TEST_F(DCModelTest, TheMembersPhotoComesFromTheServer)
{
    store.glUpjangData.front().MemberImgYN = true;
    sql("INSERT INTO member_photo VALUES ('1012345700', '\\xffd8ffe000104a46')");
    open();
    type(TDCField::MemberNo, "1012345700");
    EXPECT_EQ(model->State().photo, std::string("\xff\xd8\xff\xe0\x00\x10\x4a\x46", 8));
    // A new number clears it until its own photo comes.
    model->Change(TDCField::MemberNo, "1");
    EXPECT_TRUE(model->State().photo.empty());
}

// Off line a card's guest type gives the local rate table's discounts; a
// typed number cannot be discounted, and rows are removed in the terminal.
TEST_F(DCModelTest, OffLineACardGivesItsGuestTypesDiscounts)
{
    store.glDCData.push_back({"010", "3001", "", "", 10, 1, 3});
    store.glDCData.push_back({"010", "3003", "", "", 0, -1, -1});  // no rate: no row
    open();
    ctx.gbOffLine = true;
    const std::string card = "1012345700" "00" "010" "20291231" "0";
    type(TDCField::MemberNo, card);
    EXPECT_TRUE(shown().empty()) << ::testing::PrintToString(shown());
    ASSERT_EQ(store.glDCMemberData.size(), 1u);
    EXPECT_EQ(store.glDCMemberData[0].MemberName, "Off Line");
    EXPECT_EQ(store.glDCMemberData[0].DailyUseCount, 3);  // the daily quantity, not the once-only one
    EXPECT_EQ(store.glDCMemberData[0].OnceUseCount, 1);
    EXPECT_FALSE(store.glDCMemberData[0].KeyInYN);

    // A number that is no card, and an employee number typed by hand.
    type(TDCField::MemberNo, "12345678");
    type(TDCField::MemberNo, "1012345700");
    EXPECT_EQ(shown(), (Texts{kMsgDCOffLineCard, kMsgDCOffLineEmployee}));
    EXPECT_EQ(store.glDCMemberData.size(), 1u);

    model->Select(0);
    model->DeleteSelected();
    EXPECT_TRUE(store.glDCMemberData.empty());
}

}  // namespace
}  // namespace pos::test
