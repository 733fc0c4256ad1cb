// The look-ups, the room-charge transfer and the discount work area against
// a real PostgreSQL server: every test gets a fresh database from the
// migrated template, a small fixture of its own and a terminal wired to it
// (program folder, shipped catalogue, scripted dialogs).

#include "ServerTerminal.h"
#include "db/DbWork.h"
#include "lookups/Lookups.h"
#include "store/MasterStore.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace pos::test {
namespace {

using Texts = std::vector<std::string>;

const char* const kTestStatements =
    "[TEST-AddDayClose]\r\n"
    "INSERT INTO day_close (sale_date, upjang_code) VALUES (:P0, :P1)\r\n";

const char* const kMsgTransferFailed = "객실 후불 이체처리를 하지 못했습니다.";
const char* const kMsgDCFailed = "우대할인 정보를 불러오지 못했습니다.\r전산팀에 문의하십시오.";
const char* const kMsgCantSale = "현재 회원에게는 판매를 할 수 없습니다.\r사무실에 문의하십시오.";
const char* const kMsgSportsStopped = "스포츠시설 카드사용이 중지된 회원 입니다.\r [회원팀]에 안내하십시오.";
const char* const kMsgOverdue = "연체회원에게는 판매할 수 없습니다.\r회원팀에 문의하십시오.";

class LookupServerTest : public ServerTerminal {
protected:
    LookupServerTest() : ServerTerminal(kTestStatements)
    {
        ctx.gsToday = ctx.gsSaleDate = "20240105";
        ctx.gsMasterUpjangCode = ctx.gsUpjangCode = "3001";
        ctx.gsMasterUpjangName = "라운지 레스토랑";
        ctx.gsMasterPosNo = ctx.gsPosNo = "01";
        ctx.gsCashier = "C01";
        ctx.gsIP = "10.20.30.41";
        setFirstOutlet("3001", false);
        lookups = std::make_unique<TLookups>(*data, store);
    }

    void setFirstOutlet(const std::string& aUpjangCode, bool aSpecialMemberSaleYN)
    {
        store.glUpjangData.clear();
        TUpjangData outlet;
        outlet.UpjangCode = aUpjangCode;
        outlet.PosNo = "01";
        outlet.OffLineYN = true;
        outlet.SpecialMemberSaleYN = aSpecialMemberSaleYN;
        store.glUpjangData.push_back(outlet);
    }

    void sql(const std::string& aSql) { db.query(aSql); }
    std::string value(const std::string& aSql) { return db.query(aSql); }

    // A row of the bill being written, in the terminal's transaction.
    bool addBillRow()
    {
        TDbQuery query(*data);
        query.SetSQL("TEST-AddDayClose");
        query.SetParam(0, "20240105");
        query.SetParam(1, "3001");
        return query.ExecSQL();
    }

    // Ends the data module's session behind its back: its next statement
    // finds the connection gone.
    void dropConnection()
    {
        ASSERT_TRUE(data->ConnectDB(true, false));
        sql("SELECT pg_terminate_backend(" + std::to_string(data->BackendPID()) + ", 5000)");
    }

    // Two hotels; the restaurant 3001 charges the guests of 2001 only.
    void addHotel()
    {
        sql("INSERT INTO common_code (head, code, code_name) VALUES ('Z0006', '010', '기명 회원')");
        sql("INSERT INTO hotel_room (hotel_upjang_code, room_no) VALUES ('2001', '01203'), ('2001', '01204'), "
            "('2001', '00808'), ('2001', '01205'), ('2001', '01206'), ('2001', '01901'), ('2002', '01207')");
        sql("INSERT INTO hotel_charge_upjang VALUES ('3001', '2001', 0)");
    }
    // A stay of hotel 2001 (or aHotel); aCheckIn / aCheckOut "NULL" when none.
    void addStay(const std::string& aRsv, const std::string& aRoom, const std::string& aCheckIn,
                 const std::string& aCheckOut, const std::string& aPostYN = "Y", const std::string& aHotel = "2001")
    {
        sql("INSERT INTO hotel_stay (hotel_upjang_code, rsv_no, manage_no, room_no, arrival_date, departure_date, "
            "check_in_date, check_out_date, member_no, member_name, come_name, guest_type, post_charge_yn) VALUES ('" +
            aHotel + "', '" + aRsv + "', 1, '" + aRoom + "', '20240104', '20240107', " + aCheckIn + ", " + aCheckOut +
            ", '1012345600', '한서윤', '한서윤 외 1명', '010', '" + aPostYN + "')");
    }

    TNoMasterServer storeServer;
    TMasterStore store{ctx, dialogs, storeServer};
    std::unique_ptr<TLookups> lookups;
};

// ---------------------------------------------------------------------------
// Hotel rooms

TEST_F(LookupServerTest, RoomIsChargedOnlyWhileItsGuestStaysAndTheFolioTakesCharges)
{
    addHotel();
    addStay("R0001", "01203", "'20240104'", "NULL");
    addStay("R0002", "01204", "NULL", "NULL");          // not arrived yet
    addStay("R0003", "00808", "'20240104'", "'20240105'");  // left this morning
    addStay("R0004", "01205", "'20240104'", "NULL", "N");   // folio closed to charges
    addStay("R0005", "01207", "'20240104'", "NULL", "Y", "2002");  // a hotel 3001 does not charge

    TRoomInfo room;
    ASSERT_TRUE(lookups->GetRoomInfo("01203", room)) << ::testing::PrintToString(shown());
    EXPECT_EQ(room.MemberNo, "1012345600");
    EXPECT_EQ(room.MemberName, "한서윤");
    EXPECT_EQ(room.ComeName, "한서윤 외 1명");
    EXPECT_EQ(room.CheckInDate, "2024-01-04");
    EXPECT_EQ(room.CheckOutDate, "2024-01-07");
    EXPECT_EQ(room.UpjangCode, "2001");
    EXPECT_EQ(room.RsvNo, "R0001");
    EXPECT_EQ(room.ManageNo, 1);
    EXPECT_EQ(room.GuestTypeName, "기명 회원");
    EXPECT_TRUE(shown().empty());

    const struct {
        const char* room;
        const char* message;
    } refused[] = {
        {"01204", "01204번 객실에는 투숙객이 없습니다."},
        {"00808", "00808번 객실 고객은 이미 퇴실했습니다."},
        {"01205", "01205번 객실로는 객실후불을 할 수 없습니다. 프런트에 문의하십시오."},
        {"01206", "01206번 객실에는 투숙객이 없습니다."},
        {"01207", "01207번 객실에는 투숙객이 없습니다."},
    };
    for (const auto& c : refused) {
        dialogs.clear();
        EXPECT_FALSE(lookups->GetRoomInfo(c.room, room)) << c.room;
        EXPECT_EQ(shown(), Texts{c.message});
    }
    EXPECT_FALSE(ctx.gbOffLine);
}

TEST_F(LookupServerTest, RoomByMemberIsTheRoomTheMemberStaysInToday)
{
    addHotel();
    addStay("R0003", "00808", "'20240104'", "'20240105'");
    addStay("R0001", "01203", "'20240104'", "NULL");
    EXPECT_EQ(lookups->GetRoomMemberInfo("1012345600"), "01203");
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(lookups->GetRoomMemberInfo("1099999900"), "");
    EXPECT_EQ(shown(), Texts{"1099999900번 우대번호로 입실한 자료가 없습니다."});
}

// ---------------------------------------------------------------------------
// Room-charge transfer

class RoomTransferTest : public LookupServerTest {
protected:
    RoomTransferTest()
    {
        addHotel();
        addStay("R0001", "01203", "'20240104'", "NULL");  // pays through the group's master folio
        addStay("M0001", "01901", "'20240104'", "NULL");  // the group's master folio
        addStay("R0002", "01204", "'20240104'", "NULL");  // pays its own charges
        sql("INSERT INTO hotel_folio_route (hotel_upjang_code, rsv_no, manage_no, to_hotel_upjang_code, to_rsv_no, "
            "to_manage_no) VALUES ('2001', 'R0001', 1, '2001', 'M0001', 1), ('2001', 'R0002', 1, '2001', 'R0002', 1)");
        // Only the bar's charges of R0003 go to the master folio.
        addStay("R0003", "01205", "'20240104'", "NULL");
        sql("INSERT INTO hotel_folio_route VALUES ('2001', 'R0003', 1, '3002', '2001', 'M0001', 1)");
        for (const char* rsv : {"R0001", "R0002", "R0003"}) addCharge(rsv, 1, "45000");
    }
    void addCharge(const std::string& aRsv, int aSeq, const std::string& aAmount)
    {
        sql("INSERT INTO room_charge (hotel_upjang_code, rsv_no, manage_no, task_date, seq, raise_upjang_code, pos_no, "
            "bill_no, amount) VALUES ('2001', '" + aRsv + "', 1, '20240105', " + std::to_string(aSeq) +
            ", '3001', '01', '0007', " + aAmount + ")");
    }
    std::string masterCharges() { return value("SELECT string_agg(seq || ':' || trim_scale(amount), ',' ORDER BY seq) "
                                               "FROM room_charge WHERE rsv_no = 'M0001'"); }
    std::string transfers() { return value("SELECT count(*) FROM room_charge_transfer"); }
};

TEST_F(RoomTransferTest, ChargeMovesToThePayingFolioOnce)
{
    EXPECT_TRUE(lookups->CallRoomModule("20240105", "2001", "R0001", 1, 1));
    EXPECT_EQ(masterCharges(), "1:45000");
    EXPECT_EQ(value("SELECT to_rsv_no || '/' || to_seq || '/' || raise_upjang_code || '/' || emp_no || '/' || ip "
                    "FROM room_charge_transfer WHERE from_rsv_no = 'R0001'"),
              "M0001/1/3001/C01/10.20.30.41");
    EXPECT_TRUE(shown().empty());
    EXPECT_FALSE(data->InTransaction());

    // The procedure refuses the second move; the refusal is a failure.
    EXPECT_FALSE(lookups->CallRoomModule("20240105", "2001", "R0001", 1, 1));
    EXPECT_EQ(shown(), Texts{kMsgTransferFailed});
    EXPECT_EQ(masterCharges(), "1:45000");
    EXPECT_NE(log().find("PR_DCI030_02]\r\n이미 이체된 객실 후불 내역입니다."), std::string::npos) << log();
}

TEST_F(RoomTransferTest, NothingMovesWithoutAnotherPayingFolio)
{
    // No route, a route to the folio itself, a route for another outlet only.
    addStay("R0009", "01206", "'20240104'", "NULL");
    addCharge("R0009", 1, "12000");
    for (const char* rsv : {"R0009", "R0002", "R0003"})
        EXPECT_TRUE(lookups->CallRoomModule("20240105", "2001", rsv, 1, 1)) << rsv;
    EXPECT_EQ(transfers(), "0");
    EXPECT_TRUE(shown().empty());
}

TEST_F(RoomTransferTest, ProcedureRefusesWithoutWriting)
{
    TDbStoredProc& proc = data->dbpProcRoom;
    ASSERT_TRUE(data->ConnectDB(true, false));
    const auto call = [&](const std::string& aFromRsv, const std::string& aSeq, const std::string& aToRsv) {
        proc.ClearParams();
        for (const char* date : {"ATASK_DATE", "AFROM_TASK_DATE"}) proc.SetParam(date, "20240105");
        proc.SetParam("AFROM_UPJANG", "2001");
        proc.SetParam("AFROM_RSV", aFromRsv);
        proc.SetParam("AFROM_MANAGE", "1");
        proc.SetParam("AFROM_SEQ", aSeq);
        proc.SetParam("ATO_UPJANG", "2001");
        proc.SetParam("ATO_RSV", aToRsv);
        proc.SetParam("ATO_MANAGE", "1");
        EXPECT_TRUE(proc.ExecProc()) << LogText(proc.Error());
        return proc.Output("AERROR_MSG");
    };
    addStay("R0008", "01206", "'20240103'", "'20240105'");
    const struct {
        const char *from, *seq, *to, *message;
    } cases[] = {
        {"R0001", "2", "M0001", "이체할 객실 후불 내역이 없습니다."},
        {"R0001", "1", "R0001", "같은 객실로는 객실 후불을 이체할 수 없습니다."},
        {"R0001", "1", "X0000", "객실 후불을 이체받을 객실이 없습니다."},
        {"R0001", "1", "R0008", "객실 후불을 이체받을 객실 고객은 이미 퇴실했습니다."},
        {"R0001", "x", "M0001", "이체할 객실 후불 내역이 올바르게 지정되지 않았습니다."},
        {"R0001", "", "M0001", "이체할 객실 후불 내역이 올바르게 지정되지 않았습니다."},
    };
    for (const auto& c : cases) EXPECT_EQ(call(c.from, c.seq, c.to), c.message) << c.from << "/" << c.seq << "/" << c.to;
    EXPECT_EQ(transfers(), "0");
    EXPECT_EQ(value("SELECT count(*) FROM room_charge"), "3");

    sql("UPDATE hotel_stay SET post_charge_yn = 'N' WHERE rsv_no = 'M0001'");
    EXPECT_EQ(call("R0001", "1", "M0001"), "객실 후불을 이체받을 수 없는 객실입니다.");
    sql("UPDATE hotel_stay SET post_charge_yn = 'Y' WHERE rsv_no = 'M0001'");
    EXPECT_EQ(call("R0001", "1", "M0001"), "");
    addCharge("R0003", 2, "-45000");
    EXPECT_EQ(call("R0003", "2", "M0001"), "");
    EXPECT_EQ(masterCharges(), "1:45000,2:-45000");
}

// The bill that writes the room charge owns the transaction: the transfer
// goes with its commit or rollback, and a failed transfer leaves the bill
// intact.
TEST_F(RoomTransferTest, TransferInsideTheBillNeverDecidesForTheBill)
{
    ASSERT_TRUE(data->ConnectDB(true, false));
    {
        TDbWork bill(*data);
        ASSERT_TRUE(addBillRow());
        EXPECT_TRUE(lookups->CallRoomModule("20240105", "2001", "R0001", 1, 1));
        EXPECT_TRUE(data->InTransaction());
        EXPECT_EQ(transfers(), "0");  // not committed by the transfer
    }  // the bill is given up
    EXPECT_EQ(transfers(), "0");
    EXPECT_EQ(value("SELECT count(*) FROM day_close"), "0");

    sql("ALTER TABLE room_charge_transfer ADD CONSTRAINT no_transfers_today CHECK (trans_reason = 'closed')");
    {
        TDbWork bill(*data);
        ASSERT_TRUE(addBillRow());
        EXPECT_FALSE(lookups->CallRoomModule("20240105", "2001", "R0001", 1, 1));
        EXPECT_EQ(shown(), Texts{kMsgTransferFailed});
        EXPECT_TRUE(bill.Commit()) << LogText(bill.Error());
    }
    EXPECT_EQ(value("SELECT count(*) FROM day_close"), "1");
    EXPECT_EQ(masterCharges(), "");
    EXPECT_NE(log().find("PR_DCI030_02]\r\n[23514]"), std::string::npos) << log();
    EXPECT_FALSE(ctx.gbOffLine);
}

// ---------------------------------------------------------------------------
// Golf lockers

TEST_F(LookupServerTest, LockerFindsTheOpenRoundAndRefusesSettledOnes)
{
    sql("INSERT INTO golf_locker_visit (sale_date, locker_no, seq, member_no, come_name, come_time, settled_yn) VALUES "
        "('20240105', '0412', 1, '', '도민재', '06:40', 'Y'), "
        "('20240105', '0412', 2, '1012345600', '한서윤', '09:05', 'N'), "
        "('20240105', '0413', 1, '', '문가온', '07:10', 'Y'), "
        "('20240105', '0414', 1, '', '서이준', '07:30', 'N'), "
        "('20240104', '0415', 1, '', '윤채아', '08:00', 'N')");
    // The front desk is settling 0414's round, and (too late) 0413's.
    sql("INSERT INTO golf_front_settlement (sale_date, locker_no, seq, emp_no) VALUES "
        "('20240105', '0414', 1, 'G07'), ('20240105', '0413', 1, 'G07')");

    TLockerInfo locker;
    ASSERT_TRUE(lookups->GetLockerInfo("0412", locker)) << ::testing::PrintToString(shown());
    EXPECT_EQ(locker.LockerSeq, 2);
    EXPECT_EQ(locker.MemberNo, "1012345600");
    EXPECT_EQ(locker.ComeName, "한서윤");
    EXPECT_EQ(locker.ComeTime, "09:05");
    EXPECT_NE(locker.PassTime.find("시간 "), std::string::npos);
    EXPECT_EQ(locker.PassTime.substr(locker.PassTime.size() - 3), "분");

    const struct {
        const char* locker;
        std::int64_t seq;
        const char* message;
    } refused[] = {
        {"0412", 1, "0412번 락카는 이미 정산이 끝났습니다."},
        {"0413", 0, "0413번 락카는 이미 정산이 끝났습니다."},
        {"0414", 0, "0414번 락카는 현재 정산 중입니다.\r골프프런트에 문의하십시오."},
        {"0415", 0, "0415번 락카로 내장한 고객이 없습니다."},
    };
    for (const auto& c : refused) {
        dialogs.clear();
        TLockerInfo asked;
        asked.LockerSeq = c.seq;
        EXPECT_FALSE(lookups->GetLockerInfo(c.locker, asked)) << c.locker;
        EXPECT_EQ(shown(), Texts{c.message});
    }
}

// ---------------------------------------------------------------------------
// Group contracts and house credit

TEST_F(LookupServerTest, GroupContractIsValidOnlyWithinItsTerm)
{
    sql("INSERT INTO member_code VALUES ('41', '연회', 'Y')");
    sql("INSERT INTO group_contract (event_no, event_name, member_no, member_name, remark, member_code, guest_type, "
        "contract_from, contract_to) VALUES "
        "('4124010500', '새봄전자 신년 워크숍', '4124010500', '새봄전자', '석식 포함', '41', '410', '20240105', "
        "'20240107'), ('4123120100', '송년회', '4123120100', '바람길여행', '', '41', '410', '20231201', '20240104')");

    std::string eventNo = "4124010500";
    TEventInfo info;
    ASSERT_TRUE(lookups->GetEventInfo(eventNo, info));
    EXPECT_EQ(info.EventName, "새봄전자 신년 워크숍");
    EXPECT_EQ(info.MemberNo, "4124010500");
    EXPECT_EQ(info.MemberName, "새봄전자");
    EXPECT_EQ(info.Remark, "석식 포함");
    EXPECT_EQ(info.MemberCode, "41");
    EXPECT_EQ(info.MemberCodeName, "연회");
    EXPECT_EQ(info.GuestType, "410");

    eventNo = "4123120100";
    EXPECT_FALSE(lookups->GetEventInfo(eventNo, info));
    EXPECT_EQ(shown(), Texts{" 고객은 단체후불을 할 수 없는 고객이거나 계약기간이 만료되었습니다. 판촉팀에 문의하십시오."});

    dialogs.clear();
    eventNo = "12345";
    EXPECT_FALSE(lookups->GetEventInfo(eventNo, info));
    EXPECT_EQ(eventNo, "");
    EXPECT_EQ(shown(), Texts{"우대번호 형식이 맞지 않습니다."});
}

TEST_F(LookupServerTest, HouseCreditShowsThePrepaidBalanceLeft)
{
    sql("INSERT INTO credit_customer (member_no, cust_no, cust_name, remark, prepay_amt, prepay_only_yn, "
        "contract_from, contract_to) VALUES ('0012345678', 'CR-0031', '청솔건설', '현장 식대', 500000, 'Y', "
        "'20240101', '20241231'), ('0012340000', 'CR-0007', '구름산업', '', 0, 'N', '20230101', '20231231')");
    sql("INSERT INTO credit_prepay_use (sale_date, member_no, seq, sale_yn, amount) VALUES "
        "('20240103', '0012345678', 1, 'Y', 120000), ('20240104', '0012345678', 1, 'N', -20000)");

    std::string number = "12345678";  // typed: eight digits become the ten of the preferential number
    TCreditInfo credit;
    ASSERT_TRUE(lookups->GetCreditInfo(number, credit));
    EXPECT_EQ(number, "0012345678");
    EXPECT_EQ(credit.CustNo, "CR-0031");
    EXPECT_EQ(credit.CustName, "청솔건설");
    EXPECT_EQ(credit.Remark, "현장 식대");
    EXPECT_EQ(credit.PrepayAmt, Currency(500000));
    EXPECT_EQ(credit.RemainAmt, Currency(400000));
    EXPECT_FALSE(credit.JustDo);

    number = "0012340000";
    EXPECT_FALSE(lookups->GetCreditInfo(number, credit));
    EXPECT_EQ(shown(), Texts{"0012340000 고객은 외상을 할 수 없는 고객이거나 계약기간이 만료되었습니다."});
}

// ---------------------------------------------------------------------------
// Members

class MemberTest : public LookupServerTest {
protected:
    MemberTest()
    {
        sql("INSERT INTO member_code VALUES ('11', '정회원', 'Y'), ('13', '임원', 'Y'), ('21', '직원', 'N')");
        sql("INSERT INTO member (member_no, member_name, card_issue_count, id_no, member_code, guest_type, valid_from, "
            "valid_to, cancel_date) VALUES "
            "('1012345600', '한서윤', 2, '8506152000003', '11', '010', '20200101', '20240105', NULL), "
            "('1012345700', '한도윤', 0, '1101054000001', '11', '010', '20200101', '20291231', NULL), "
            "('1023456700', '강하람', 1, '7902111000005', '11', '010', '20240106', '20291231', NULL), "
            "('1034567800', '오지석', 1, '', '11', '010', '20200101', '20291231', '20231130'), "
            "('1045678900', '임세아', 1, '', '13', '013', '20200101', '20291231', NULL), "
            "('1056789000', '백도현', 1, '', '21', '100', '20200101', '20291231', NULL)");
    }
};

TEST_F(MemberTest, MemberInfoChecksCancellationAndValidity)
{
    TMemberInfo member;
    ASSERT_TRUE(lookups->GetMemberInfo("1012345600", member));  // valid to the sale date itself
    EXPECT_EQ(member.MemberNo, "1012345600");
    EXPECT_EQ(member.IDNo, "8506152000003");
    EXPECT_EQ(member.MemberName, "한서윤");
    EXPECT_EQ(member.MemberCode, "11");
    EXPECT_EQ(member.MemberCodeName, "정회원");
    EXPECT_EQ(member.GuestType, "010");
    EXPECT_EQ(member.DaesoCode, ctx.gsDaesoCodeAdult);
    ASSERT_TRUE(lookups->GetMemberInfo("1012345700", member));  // 13 today
    EXPECT_EQ(member.DaesoCode, ctx.gsDaesoCodeChild);
    EXPECT_TRUE(shown().empty());

    const struct {
        const char *member, *message;
    } refused[] = {
        {"1023456700", "사용 유효기간이 지난 우대번호입니다."},  // valid from tomorrow
        {"1034567800", "해약된 우대번호입니다."},
        {"1099999900", "통합 고객 정보를 조회할 수 없습니다."},
    };
    for (const auto& c : refused) {
        dialogs.clear();
        EXPECT_FALSE(lookups->GetMemberInfo(c.member, member)) << c.member;
        EXPECT_EQ(shown(), Texts{c.message});
    }
}

TEST_F(MemberTest, BlackListStopsAtTheLiftAndOverdueFeesEverywhere)
{
    sql("INSERT INTO member_black_list (member_no, black_kind, reason) VALUES ('1012345600', 'L', ''), "
        "('1012345700', 'Y', '분실 신고'), ('1023456700', 'F', ''), ('1034567800', 'Y', '')");
    sql("INSERT INTO member_black_list (member_no, black_kind, valid_to) VALUES ('1045678900', 'Y', '20240104')");
    sql("INSERT INTO member_overdue (member_no, overdue_from, amount) VALUES ('1034567800', '20231201', 300000), "
        "('1056789000', '20231201', 150000)");
    sql("INSERT INTO member_overdue (member_no, overdue_from, amount, cleared_date) "
        "VALUES ('1012345600', '20231101', 90000, '20231215')");

    const char* const special = "특별회원 입니다.\r\r본인 확인 후 판매하십시오.";
    const char* const stopped = kMsgSportsStopped;
    const char* const lift = "리프트 발권이 제한된 회원입니다.\r 본인 확인 후 판매하십시오.";
    const char* const overdue = kMsgOverdue;
    const struct {
        const char* outlet;
        bool special;
        const char* member;
        bool refused, cantSale;
        Texts messages;
    } cases[] = {
        {"5001", false, "1012345600", false, false, {special}},
        {"5001", false, "1012345700", true, true, {stopped}},
        {"5001", false, "1023456700", false, true, {lift}},
        {"5001", false, "1034567800", true, true, {stopped}},  // the first refusal ends the check
        {"5001", false, "1045678900", false, false, {}},       // restriction expired
        {"5001", true, "1012345700", false, false, {}},        // the lift sells to them unchecked
        {"5001", true, "1056789000", true, true, {overdue}},
        {"3001", false, "1012345700", false, false, {}},       // card restrictions are the lift's
        {"3001", false, "1056789000", true, true, {overdue}},
        {"3001", false, "1012345600", false, false, {}},       // overdue fees cleared
    };
    for (const auto& c : cases) {
        setFirstOutlet(c.outlet, c.special);
        dialogs.clear();
        ctx.gbCantSale = false;
        EXPECT_EQ(lookups->GetBlackListInfo(c.member), c.refused) << c.outlet << " " << c.member;
        EXPECT_EQ(ctx.gbCantSale, c.cantSale) << c.outlet << " " << c.member;
        EXPECT_EQ(shown(), c.messages) << c.outlet << " " << c.member;
    }
}

TEST_F(MemberTest, DiscountLimitByMemberCodeAndOutlet)
{
    sql("INSERT INTO dc_limit VALUES ('3001', '13')");
    EXPECT_TRUE(lookups->GetDCLimit("1045678900", "3001"));
    EXPECT_EQ(shown(), Texts{"현재 영업장에서 할인을 할 수 없는 고객입니다."});
    dialogs.clear();
    EXPECT_FALSE(lookups->GetDCLimit("1045678900", "3002"));
    EXPECT_FALSE(lookups->GetDCLimit("1012345600", "3001"));
    EXPECT_TRUE(shown().empty());
}

// A restriction check that cannot be made on line must not let the member
// through as unrestricted; one that took the terminal off line answers as
// off line does.
TEST_F(MemberTest, FailedRestrictionChecksRefuseOnLine)
{
    setFirstOutlet("5001", false);
    sql("ALTER TABLE member_black_list RENAME TO member_black_list_old");
    sql("ALTER TABLE dc_limit RENAME TO dc_limit_old");
    sql("ALTER TABLE member RENAME COLUMN card_issue_count TO card_count_old");
    const TMemberCardCountSource cardCount = MakeMemberCardCountSource(*data);

    EXPECT_TRUE(lookups->GetBlackListInfo("1012345600"));
    EXPECT_FALSE(ctx.gbCantSale);  // the bill itself goes on
    EXPECT_TRUE(lookups->GetDCLimit("1012345600", "3001"));
    EXPECT_EQ(cardCount("1012345600").State, TCardCountState::Failed);
    EXPECT_EQ(shown(), (Texts{"회원 제한 여부를 확인할 수 없습니다.\r전산팀에 문의하십시오.",
                              "할인 제한 여부를 확인할 수 없습니다.\r전산팀에 문의하십시오."}));
    for (const char* key : {"IZD000-GetBlackListInfo-1]\r\n[42P01]", "IZD000-GetDCLimit]\r\n[42P01]",
                            "IZC000-GetMemberCardCount]\r\n[42703]"})
        EXPECT_NE(log().find(key), std::string::npos) << key << "\n" << log();
    EXPECT_FALSE(ctx.gbOffLine);

    dialogs.clear();
    dropConnection();
    EXPECT_FALSE(lookups->GetBlackListInfo("1012345600"));
    EXPECT_TRUE(ctx.gbOffLine);
    EXPECT_FALSE(lookups->GetDCLimit("1012345600", "3001"));
    EXPECT_TRUE(shown().empty());

    ctx.gbOffLine = false;
    dropConnection();
    EXPECT_EQ(cardCount("1012345600").State, TCardCountState::OffLine);
    EXPECT_TRUE(ctx.gbOffLine);
}

TEST_F(MemberTest, MemberCardCountComesFromTheServer)
{
    TCardRules rules(ctx, store, dialogs);
    rules.MemberCardCount = MakeMemberCardCountSource(*data);

    const TCardCountAnswer answer = rules.MemberCardCount("1012345600");
    EXPECT_EQ(answer.State, TCardCountState::Answered);
    EXPECT_EQ(answer.CurrentCount, 2);
    const TCardCountAnswer unknown = rules.MemberCardCount("1099999900");
    EXPECT_EQ(unknown.State, TCardCountState::Answered);
    EXPECT_EQ(unknown.CurrentCount, 0);

    EXPECT_TRUE(rules.GetMemberCardCount("1012345600", 2));
    EXPECT_FALSE(rules.GetMemberCardCount("1012345600", 1));
    EXPECT_EQ(shown().size(), 1u);

    ctx.gbOffLine = true;
    EXPECT_EQ(rules.MemberCardCount("1012345600").State, TCardCountState::OffLine);
}

// ---------------------------------------------------------------------------
// Off line

TEST_F(LookupServerTest, OffLineEveryLookupRefusesWithItsMessageOrSilently)
{
    ctx.gbOffLine = true;
    const char* const room = "객실후불는(은) Off Line 상태에서 할 수 없습니다.";
    const char* const credit = "외상는(은) Off Line 상태에서 할 수 없습니다.";
    TRoomInfo roomInfo;
    TLockerInfo lockerInfo;
    TEventInfo eventInfo;
    TCreditInfo creditInfo;
    TMemberInfo memberInfo;
    std::string eventNo = "4124010500", creditNo = "0012345678";
    const struct {
        const char* name;
        std::function<bool()> call;
        Texts messages;
    } cases[] = {
        {"GetRoomInfo", [&] { return lookups->GetRoomInfo("01203", roomInfo); }, {room}},
        {"GetRoomMemberInfo", [&] { return !lookups->GetRoomMemberInfo("1012345600").empty(); }, {room}},
        {"GetLockerInfo", [&] { return lookups->GetLockerInfo("0412", lockerInfo); },
         {"락카후불는(은) Off Line 상태에서 할 수 없습니다."}},
        {"GetEventInfo", [&] { return lookups->GetEventInfo(eventNo, eventInfo); }, {credit}},
        {"GetCreditInfo", [&] { return lookups->GetCreditInfo(creditNo, creditInfo); }, {credit}},
        {"CallDCModule", [&] { return lookups->CallDCModule("1012345600", false, true); }, {kMsgDCFailed}},
        {"GetMemberInfo", [&] { return lookups->GetMemberInfo("1012345600", memberInfo); }, {}},
        {"CallRoomModule", [&] { return lookups->CallRoomModule("20240105", "2001", "R0001", 1, 1); }, {}},
        {"GetBlackListInfo", [&] { return lookups->GetBlackListInfo("1012345600"); }, {}},
        {"GetDCLimit", [&] { return lookups->GetDCLimit("1012345600", "3001"); }, {}},
        {"ClearDCModule", [&] { return lookups->ClearDCModule(); }, {}},
    };
    for (const auto& c : cases) {
        dialogs.clear();
        EXPECT_FALSE(c.call()) << c.name;
        EXPECT_EQ(shown(), c.messages) << c.name;
    }
    EXPECT_FALSE(data->Connected());
    EXPECT_TRUE(lookups->CallDCModule("1012345600", false, false));  // nothing to call
}

// Each terminal records what it sells for another outlet under a POS number
// of its own there: the sale keys (date, outlet, POS, bill number) of two
// terminals, each counting its own bills, never meet.
TEST_F(LookupServerTest, TwoTerminalsNeverSellForAnOutletUnderOnePosNumber)
{
    LoadDemoMasterData(db);
    EXPECT_EQ(value("SELECT count(*) FROM (SELECT FROM pos_sale_upjang GROUP BY sale_upjang_code, sale_pos_no "
                    "HAVING count(*) > 1) shared"),
              "0");
    // The ticket office's second window sells rental tickets under its own number.
    EXPECT_EQ(value("SELECT string_agg(sale_pos_no, ',' ORDER BY pos_no) FROM pos_sale_upjang "
                    "WHERE upjang_code = '5001' AND sale_upjang_code = '5003'"),
              "11,12");

    try {
        sql("INSERT INTO pos_sale_upjang (upjang_code, pos_no, sale_upjang_code, sale_pos_no) "
            "VALUES ('5001', '02', '5004', '11')");
        ADD_FAILURE() << "the second window took the ticket office's number at the ski school";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("pos_sale_upjang_sale_pos_once"), std::string::npos) << e.what();
    }
    EXPECT_EQ(value("SELECT count(*) FROM pos_sale_upjang WHERE sale_upjang_code = '5004'"), "1");
}

// ---------------------------------------------------------------------------
// The discount work area

class DCModuleTest : public MemberTest {
protected:
    DCModuleTest()
    {
        sql("INSERT INTO upjang (upjang_code, upjang_name) VALUES ('3001', '라운지 레스토랑'), ('3002', '로비 라운지'), "
            "('3003', '중식당')");
        // 3001/01 also sells for 3003; 3002 has a POS of the same number but
        // is none of its outlets.
        sql("INSERT INTO upjang_pos (upjang_code, pos_no, sort_order) VALUES ('3001', '01', 0), ('3002', '01', 1), "
            "('3003', '02', 0), ('3003', '11', 1)");
        sql("INSERT INTO pos_sale_upjang (upjang_code, pos_no, sale_upjang_code, sale_pos_no) "
            "VALUES ('3001', '01', '3003', '11')");
        sql("INSERT INTO member_dc_rate (guest_type, upjang_code, daeso_gubun, dc_rate, daily_use_count, remark) "
            "VALUES ('010', '3001', 'Z', 10, 4, ''), ('010', '3002', 'Z', 20, -1, '[음료무료]'), "
            "('010', '3003', 'Z', 30, -1, ''), ('100', '3001', 'Z', 50, 1, '')");
        sql("INSERT INTO member_dc_menu (guest_type, upjang_code, menu_code, dc_amt, daily_use_count) "
            "VALUES ('010', '3001', 'A100', 8000, 2)");
    }
    std::string memberWork()
    {
        return value("SELECT string_agg(concat_ws('/', upjang_code, pos_no, multi_upjang_code, accept_member_no, seq, "
                     "dc_rate, daily_use_count, remark, keyin_yn), ',' ORDER BY pos_no, multi_upjang_code, "
                     "accept_member_no) FROM dc_member_work");
    }
    std::string menuWork()
    {
        return value("SELECT string_agg(concat_ws('/', multi_upjang_code, accept_member_no, menu_code, "
                     "trim_scale(dc_amt), daily_use_count), ',') FROM dc_menu_work");
    }
};

TEST_F(DCModuleTest, MemberIsRegisteredForTheOutletsOfThisPos)
{
    ASSERT_TRUE(lookups->CallDCModule("1012345600", false, true)) << ::testing::PrintToString(shown());
    EXPECT_EQ(memberWork(), "3001/01/3001/1012345600/1/10/4//N,3001/01/3003/1012345600/1/30/-1//N");
    EXPECT_EQ(menuWork(), "3001/1012345600/A100/8000/2");
    EXPECT_TRUE(shown().empty());
    EXPECT_FALSE(data->InTransaction());

    // Registered again (typed this time): replaced, not doubled.
    ASSERT_TRUE(lookups->CallDCModule("1012345600", true, true));
    EXPECT_EQ(memberWork(), "3001/01/3001/1012345600/1/10/4//Y,3001/01/3003/1012345600/1/30/-1//Y");

    // The rows are read back by the store's statements.
    TDbQuery read(*data);
    read.SetSQL("IZC002-ReadDCMemberData");
    read.SetParam(0, "3001");
    read.SetParam(1, "01");
    ASSERT_TRUE(read.Open());
    EXPECT_EQ(read.RecordCount(), 2);
    EXPECT_EQ(read.AsString(5), "8506152000003");
}

// The limits are the resort's, shared by every terminal: a registration
// hands out what the stored bills of the day left. Returns give uses back;
// voided rows, corrections, undiscounted rows, other days, other outlets and
// goods with a menu price of their own use nothing of the rate.
TEST_F(DCModuleTest, RegistrationHandsOutTheUsesTheStoredBillsLeft)
{
    sql("INSERT INTO sale (sale_date, upjang_code, pos_no, bill_no, bill_seq, sale_yn, menu_code, sale_qty, dc_amt, "
        "member_no, correct_yn) VALUES "
        "('20240105', '3001', '02', '0001', 1, 'Y', 'B200', 3, 3000, '1012345600', 'N'),"  // another POS: 3 used
        "('20240105', '3001', '02', '0002', 1, 'Y', 'B200', -1, -1000, '1012345600', 'N'),"  // a return: 1 back
        "('20240105', '3001', '02', '0003', 1, '*', 'B200', 5, 5000, '1012345600', 'N'),"  // voided
        "('20240105', '3001', '02', '0004', 1, 'Y', 'B200', 1, 900, '1012345600', 'Y'),"  // a correction
        "('20240105', '3001', '02', '0005', 1, 'Y', 'B200', 4, 0, '1012345600', 'N'),"  // no discount
        "('20240104', '3001', '02', '0001', 1, 'Y', 'B200', 4, 4000, '1012345600', 'N'),"  // yesterday
        "('20240105', '3003', '11', '0001', 1, 'Y', 'B200', 2, 2000, '1012345600', 'N'),"  // unlimited there
        "('20240105', '3001', '02', '0006', 1, 'Y', 'A100', 1, 2000, '1012345600', 'N')");  // its menu price
    ASSERT_TRUE(lookups->CallDCModule("1012345600", false, true)) << ::testing::PrintToString(shown());
    EXPECT_EQ(memberWork(), "3001/01/3001/1012345600/1/10/2//N,3001/01/3003/1012345600/1/30/-1//N");
    EXPECT_EQ(menuWork(), "3001/1012345600/A100/8000/1");

    // Used up: the registration hands out 0, never less.
    sql("INSERT INTO sale (sale_date, upjang_code, pos_no, bill_no, bill_seq, sale_yn, menu_code, sale_qty, dc_amt, "
        "member_no, correct_yn) VALUES "
        "('20240105', '3001', '02', '0007', 1, 'Y', 'B200', 5, 5000, '1012345600', 'N'),"
        "('20240105', '3001', '02', '0007', 2, 'Y', 'A100', 2, 4000, '1012345600', 'N')");
    ASSERT_TRUE(lookups->CallDCModule("1012345600", false, true));
    EXPECT_EQ(memberWork(), "3001/01/3001/1012345600/1/10/0//N,3001/01/3003/1012345600/1/30/-1//N");
    EXPECT_EQ(menuWork(), "3001/1012345600/A100/8000/0");
}

TEST_F(DCModuleTest, ProcedureRemarksAndRefusals)
{
    sql("INSERT INTO member_overdue (member_no, overdue_from) VALUES ('1045678900', '20231201')");
    const struct {
        const char* member;
        bool keyIn;
        std::int64_t saleGubun;
        bool result, cantSale;
        Texts messages;
        bool registered;
    } cases[] = {
        {"1099999900", false, 0, true, false, {"등록되지 않은 우대번호입니다."}, false},
        {"1034567800", false, 0, true, false, {"해약된 우대번호입니다."}, false},
        {"1023456700", false, 0, true, false, {"사용 유효기간이 지난 우대번호입니다."}, false},
        {"1056789000", true, 0, true, false, {"키보드로 입력할 수 없는 우대번호입니다."}, false},
        {"1056789000", false, 0, true, false, {}, true},  // the employee card itself
        {"1045678900", false, 0, false, true, {kMsgOverdue, kMsgCantSale}, false},
        {"1045678900", false, 2, true, false, {"현재 영업장에서 적용할 우대할인이 없습니다."}, false},  // a return
    };
    for (const auto& c : cases) {
        sql("DELETE FROM dc_member_work");
        dialogs.clear();
        ctx.giSaleGubun = c.saleGubun;
        ctx.gbCantSale = true;
        EXPECT_EQ(lookups->CallDCModule(c.member, c.keyIn, true), c.result) << c.member;
        EXPECT_EQ(ctx.gbCantSale, c.cantSale) << c.member;
        EXPECT_EQ(shown(), c.messages) << c.member;
        EXPECT_EQ(value("SELECT count(*) FROM dc_member_work") != "0", c.registered) << c.member;
    }
}

// The black list's card restrictions are the lift's: a member whose sports
// facilities are stopped is refused at a POS of the lift outlet itself, and
// not there either when the lift sells to special members unchecked. Overdue
// fees refuse a member at every outlet.
TEST_F(DCModuleTest, StoppedMembersAreRefusedAtTheLiftOnlyAndOverdueOnesEverywhere)
{
    sql("INSERT INTO upjang (upjang_code, upjang_name) VALUES ('5001', '리프트 매표소'), ('5004', '스키 스쿨')");
    sql("INSERT INTO upjang_pos (upjang_code, pos_no) VALUES ('5001', '01'), ('5001', '21'), ('5004', '01')");
    sql("INSERT INTO pos_sale_upjang (upjang_code, pos_no, sale_upjang_code, sale_pos_no) "
        "VALUES ('5004', '01', '5001', '21')");  // the school's desk also sells lift tickets
    sql("INSERT INTO member_dc_rate (guest_type, upjang_code, daeso_gubun, dc_rate) VALUES ('010', '5001', 'Z', 15), "
        "('010', '5004', 'Z', 25), ('100', '5001', 'Z', 40)");
    sql("INSERT INTO member_black_list (member_no, black_kind, reason) VALUES ('1012345700', 'Y', '분실 신고')");
    sql("INSERT INTO member_overdue (member_no, overdue_from) VALUES ('1056789000', '20231201')");

    const Texts stopped{kMsgSportsStopped, kMsgCantSale}, overdue{kMsgOverdue, kMsgCantSale};
    const struct {
        const char *outlet, *pos;
        bool specialMemberSale;
        const char* member;
        std::int64_t saleGubun;
        bool result;
        Texts messages;
    } cases[] = {
        {"5001", "01", false, "1012345700", 0, false, stopped},
        {"5001", "01", true, "1012345700", 0, true, {}},   // the lift sells to them unchecked
        {"5001", "01", false, "1012345700", 2, true, {}},  // a return gives money back
        {"5004", "01", false, "1012345700", 0, true, {}},  // selling for the lift is not the lift
        {"3001", "01", false, "1012345700", 0, true, {}},
        {"5001", "01", true, "1056789000", 0, false, overdue},
        {"3001", "01", false, "1056789000", 0, false, overdue},
    };
    for (const auto& c : cases) {
        const std::string where = std::string(c.outlet) + "/" + c.pos + " " + c.member;
        sql("DELETE FROM dc_member_work");
        sql(std::string("UPDATE upjang SET special_member_sale_yn = '") + (c.specialMemberSale ? "Y" : "N") + "'");
        ctx.gsMasterUpjangCode = c.outlet;
        ctx.gsMasterPosNo = c.pos;
        ctx.giSaleGubun = c.saleGubun;
        ctx.gbCantSale = false;
        dialogs.clear();
        EXPECT_EQ(lookups->CallDCModule(c.member, false, true), c.result) << where;
        EXPECT_EQ(ctx.gbCantSale, !c.result) << where;
        EXPECT_EQ(shown(), c.messages) << where;
        EXPECT_EQ(value("SELECT count(*) FROM dc_member_work") != "0", c.result) << where;
    }
}

TEST_F(DCModuleTest, FailedProcedureIsReportedAndLoggedWithoutTheNumber)
{
    ctx.gsMasterPosNo = "";
    EXPECT_FALSE(lookups->CallDCModule("1012345600", false, true));
    EXPECT_EQ(shown(), Texts{kMsgDCFailed});
    EXPECT_NE(log().find("PR_IAI010_01]\r\n[22023]"), std::string::npos) << log();

    // Whatever a server message carries, a card or resident number reaches
    // the log masked.
    ctx.gsMasterPosNo = "01";
    sql("CREATE OR REPLACE FUNCTION PR_IAI010_01(ASALE_DATE text, AUPJANG_CODE text, APOS_NO text, AMEMBER_NO text, "
        "ASALE_YN text, AKEYIN_YN text, OUT AREMARKS text, OUT ACAN_SALE_YN text) LANGUAGE plpgsql AS $$ BEGIN "
        "RAISE EXCEPTION 'no member % (resident %)', AMEMBER_NO, '8506152000003'; END $$");
    EXPECT_FALSE(lookups->CallDCModule("9410123412341234", false, true));
    EXPECT_NE(log().find("no member 941012******1234 (resident 8506152******)"), std::string::npos) << log();
    EXPECT_EQ(log().find("9410123412341234"), std::string::npos);
    EXPECT_EQ(log().find("8506152000003"), std::string::npos);
    EXPECT_FALSE(ctx.gbOffLine);
}

TEST_F(DCModuleTest, ClearingEmptiesOnlyThisPos)
{
    ASSERT_TRUE(lookups->CallDCModule("1012345600", false, true));
    ctx.gsMasterUpjangCode = "3003";
    ctx.gsMasterPosNo = "02";
    ASSERT_TRUE(lookups->CallDCModule("1012345600", false, true));
    ctx.gsMasterUpjangCode = "3001";
    ctx.gsMasterPosNo = "01";

    EXPECT_TRUE(lookups->ClearDCModule());
    EXPECT_EQ(memberWork(), "3003/02/3003/1012345600/1/30/-1//N");
    EXPECT_EQ(menuWork(), "");
    EXPECT_FALSE(data->InTransaction());
}

// Cleared while a bill's transaction is open, the work area goes with that
// bill: it is neither committed early nor does a failure abort the bill.
TEST_F(DCModuleTest, ClearingInsideTheBillNeverDecidesForTheBill)
{
    ASSERT_TRUE(lookups->CallDCModule("1012345600", false, true));
    const std::string registered = memberWork();
    {
        TDbWork bill(*data);
        ASSERT_TRUE(addBillRow());
        EXPECT_TRUE(lookups->ClearDCModule());
        EXPECT_TRUE(data->InTransaction());
        EXPECT_EQ(value("SELECT count(*) FROM day_close"), "0");  // the bill's row is not committed
        EXPECT_EQ(memberWork(), registered);
    }  // the bill is given up, and the clearing with it
    EXPECT_EQ(memberWork(), registered);
    EXPECT_EQ(value("SELECT count(*) FROM day_close"), "0");

    sql("ALTER TABLE dc_menu_work RENAME TO dc_menu_work_old");
    {
        TDbWork bill(*data);
        ASSERT_TRUE(addBillRow());
        EXPECT_FALSE(lookups->ClearDCModule());
        EXPECT_TRUE(bill.Commit()) << LogText(bill.Error());
    }
    EXPECT_EQ(value("SELECT count(*) FROM day_close"), "1");
    EXPECT_EQ(memberWork(), registered);  // the first delete went back with the savepoint
    EXPECT_NE(log().find("IZD000-ClearDCModule-2]\r\n[42P01]"), std::string::npos) << log();

    // On its own it rolls back its own transaction.
    EXPECT_FALSE(lookups->ClearDCModule());
    EXPECT_FALSE(data->InTransaction());
    EXPECT_EQ(memberWork(), registered);
    EXPECT_TRUE(shown().empty());
    EXPECT_FALSE(ctx.gbOffLine);
}

}  // namespace
}  // namespace pos::test
