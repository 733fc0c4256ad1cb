// The cashier's day on the server: the float, deposit and close statements,
// the figures of the close report and the day-end procedure, run by the
// data module against a real PostgreSQL server. The figures are checked
// against a small day whose every number is counted by hand below.

#include "ServerTerminal.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"
#include "db/SqlParams.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace pos::test {
namespace {

using Texts = std::vector<std::string>;

const char* const kDate = "20240105";
const char* const kDayBefore = "20240104000000";  // the POS close's period: the whole date
const char* const kStartOfDate = "20240105000000";
const char* const kSecondShift = "20240105120000";  // C01 closed at noon

// The day of POS 3101-01 (the restaurant), which also sells the bar's
// drinks under the bar's POS 11. C01 works two shifts and closed the first
// at 12:00; C02 one shift; PRESALE's bill was sold ahead, on 2 January.
const char* const kDay = R"sql(
INSERT INTO upjang (upjang_code, upjang_name) VALUES ('3101', '한식당'), ('3102', '라운지 바');
INSERT INTO upjang_pos (upjang_code, pos_no) VALUES ('3101', '01'), ('3101', '02'), ('3102', '01'), ('3102', '11');
INSERT INTO pos_sale_upjang (upjang_code, pos_no, sale_upjang_code, sale_pos_no) VALUES ('3101', '01', '3102', '11');
INSERT INTO goods (upjang_code, menu_code, menu_name) VALUES
 ('3101', '10000001', '김치찌개'), ('3101', '10000003', '불고기'), ('3101', '10000004', '코스요리'),
 ('3102', '20000001', '생맥주');
INSERT INTO common_code (head, code, code_name) VALUES ('Z0006', '200', '투숙객');

INSERT INTO sale (sale_date, upjang_code, pos_no, bill_no, bill_seq, sale_yn, menu_code, season_code, business_gubun,
                  unit_amt, sale_qty, sale_amt, net_amt, vat_amt, excise_amt, edu_tax_amt, village_amt, sports_amt,
                  assoc_amt, korean_qty, foreign_qty, guest_type, correct_yn, emp_no, offline_at, created_at) VALUES
 -- 0001 a sale over both outlets to hotel guests (the bar's goods of season 2, which has no name of its own)
 ('20240105', '3101', '01', '0001', 1, 'Y', '10000001', '1', '1', 5000,  2,  10000, 9091,  909, 1, 2, 3, 4, 5, 2, 0, '200', 'N', 'C01', NULL, '2024-01-05 10:00+09'),
 ('20240105', '3102', '11', '0001', 2, 'Y', '20000001', '2', '1', 3000,  1,   3000, 2727,  273, 0, 0, 0, 0, 0, 0, 0, '200', 'N', 'C01', NULL, '2024-01-05 10:00+09'),
 -- 0002 a return
 ('20240105', '3101', '01', '0002', 1, 'Y', '10000001', '1', '1', 5000, -1,  -5000, -4545, -455, 0, 0, 0, 0, 0, 0, 0, NULL, 'N', 'C01', NULL, '2024-01-05 10:10+09'),
 -- 0003 COMP: sold at 0
 ('20240105', '3101', '01', '0003', 1, 'Y', '10000001', '1', '1', 5000,  1,      0,     0,    0, 0, 0, 0, 0, 0, 0, 0, NULL, 'N', 'C01', NULL, '2024-01-05 10:20+09'),
 -- 0004 voided, over both outlets
 ('20240105', '3101', '01', '0004', 1, '*', '10000003', '1', '1', 8000,  1,   8000, 7273,  727, 100, 0, 0, 0, 0, 0, 0, NULL, 'N', 'C01', NULL, '2024-01-05 10:30+09'),
 ('20240105', '3102', '11', '0004', 2, '*', '20000001', '1', '1', 3000,  1,   3000, 2727,  273, 0, 0, 0, 0, 0, 0, 0, NULL, 'N', 'C01', NULL, '2024-01-05 10:30+09'),
 -- 0005 3 rung up and changed to 1: the line now 1, the closed 2 and the correction taking them back
 ('20240105', '3101', '01', '0005', 1, 'Y', '10000001', '1', '1', 5000,  1,   5000,     0,    0, 0, 0, 0, 0, 0, 0, 0, NULL, 'N', 'C01', NULL, '2024-01-05 10:40+09'),
 ('20240105', '3101', '01', '0005', 2, 'Y', '10000001', '1', '1', 5000, -2, -10000,     0,    0, 0, 0, 0, 0, 0, 0, 0, NULL, 'Y', 'C01', NULL, '2024-01-05 10:40+09'),
 ('20240105', '3101', '01', '0005', 3, 'Y', '10000001', '1', '1', 5000,  2,  10000,     0,    0, 0, 0, 0, 0, 0, 0, 0, NULL, 'N', 'C01', NULL, '2024-01-05 10:40+09'),
 -- 0007 a pre-sale's link row: in no figure
 ('20240105', '3101', '01', '0007', 0, 'Y', '00000000', '1', '1',    0,  0,      0,     0,    0, 0, 0, 0, 0, 0, 0, 0, NULL, 'N', 'C01', NULL, '2024-01-05 11:10+09'),
 -- 0008 C02 sells drinks only, rung up off line at 09:30 and uploaded at 11:00
 ('20240105', '3102', '11', '0008', 1, 'Y', '20000001', '1', '1', 3000,  2,   6000,     0,    0, 0, 0, 0, 0, 0, 2, 1, '',   'N', 'C02', '20240105093000', '2024-01-05 11:00+09'),
 -- 0011 a COMP return, 0012 a COMP voided
 ('20240105', '3101', '01', '0011', 1, 'Y', '10000003', '1', '1', 8000, -1,      0,     0,    0, 0, 0, 0, 0, 0, 0, 0, NULL, 'N', 'C02', NULL, '2024-01-05 11:30+09'),
 ('20240105', '3101', '01', '0012', 1, '*', '10000001', '1', '1', 5000,  1,      0,     0,    0, 0, 0, 0, 0, 0, 0, 0, NULL, 'N', 'C02', NULL, '2024-01-05 11:40+09'),
 -- 0009 the pre-sale, recorded three days ahead
 ('20240105', '3101', '01', '0009', 1, 'Y', '10000004', '1', '1', 20000, 1,  20000,     0,    0, 0, 0, 0, 0, 0, 0, 0, NULL, 'N', 'PRESALE', NULL, '2024-01-02 15:00+09'),
 -- 0010 C01's second shift
 ('20240105', '3101', '01', '0010', 1, 'Y', '10000001', '1', '1', 5000,  1,   5000,     0,    0, 0, 0, 0, 0, 0, 1, 0, NULL, 'N', 'C01', NULL, '2024-01-05 13:00+09'),
 -- another terminal's, another day's
 ('20240105', '3101', '02', '0001', 1, 'Y', '10000001', '1', '1', 5000,  1,   5000,     0,    0, 0, 0, 0, 0, 0, 0, 0, NULL, 'N', 'C03', NULL, '2024-01-05 10:00+09'),
 ('20240104', '3101', '01', '0001', 1, 'Y', '10000001', '1', '1', 5000,  1,   5000,     0,    0, 0, 0, 0, 0, 0, 0, 0, NULL, 'N', 'C01', NULL, '2024-01-04 10:00+09');

-- 0006 cancelled before it was settled
INSERT INTO sale_cancel (sale_date, upjang_code, pos_no, bill_no, bill_seq, sale_yn, menu_code, unit_amt, sale_qty,
                         sale_amt, emp_no, created_at) VALUES
 ('20240105', '3101', '01', '0006', 1, 'Y', '10000001', 5000, 1, 5000, 'C01', '2024-01-05 10:50+09'),
 ('20240105', '3101', '01', '0006', 2, 'Y', '10000003', 8000, 1, 8000, 'C01', '2024-01-05 10:50+09');

INSERT INTO pay (sale_date, upjang_code, pos_no, bill_no, pay_yn, pay_code, pay_seq, amt, emp_no, created_at) VALUES
 ('20240105', '3101', '01', '0001', 'Y', '110', 1,  20000, 'C01', '2024-01-05 10:00+09'),
 ('20240105', '3101', '01', '0001', 'Y', '110', 0,  -7000, 'C01', '2024-01-05 10:00+09'),  -- change
 ('20240105', '3102', '11', '0001', 'Y', '000', 1,   3000, 'C01', '2024-01-05 10:00+09'),  -- the bar's share
 ('20240105', '3101', '01', '0001', 'Y', '000', 1,  -3000, 'C01', '2024-01-05 10:00+09'),
 ('20240105', '3101', '01', '0002', 'Y', '120', 1,  -5000, 'C01', '2024-01-05 10:10+09'),
 ('20240105', '3101', '01', '0004', 'Y', '110', 1,  11000, 'C01', '2024-01-05 10:30+09'),
 ('20240105', '3101', '01', '0004', '*', '110', 1, -11000, 'C01', '2024-01-05 10:35+09'),  -- the void's reversal
 ('20240105', '3101', '01', '0005', 'Y', '130', 1,   5000, 'C01', '2024-01-05 10:40+09'),
 ('20240105', '3101', '01', '0008', 'Y', '160', 1,   4000, 'C02', '2024-01-05 11:00+09'),
 ('20240105', '3101', '01', '0008', 'Y', '430', 1,   2000, 'C02', '2024-01-05 11:00+09'),  -- credit from a prepaid balance
 ('20240105', '3101', '01', '0009', 'Y', '001', 1,  20000, 'PRESALE', '2024-01-02 15:00+09'),
 ('20240105', '3101', '01', '0010', 'Y', '110', 1,   5000, 'C01', '2024-01-05 13:00+09'),
 ('20240105', '3101', '01', '0010', 'N', '110', 1,    999, 'C01', '2024-01-05 13:00+09'),  -- neither settled nor voided
 ('20240105', '3101', '02', '0001', 'Y', '110', 1,   5000, 'C03', '2024-01-05 10:00+09');

INSERT INTO cash_float (sale_date, upjang_code, pos_no, emp_no, amount, created_at) VALUES
 ('20240105', '3101', '01', 'C01', 100000, '2024-01-05 09:00+09'),
 ('20240105', '3101', '01', 'C01',  -5000, '2024-01-05 09:05+09'),
 ('20240105', '3101', '01', 'C02',  50000, '2024-01-05 10:00+09'),
 ('20240105', '3101', '01', 'C01',  30000, '2024-01-05 12:30+09'),
 ('20240105', '3101', '02', 'C03',  70000, '2024-01-05 09:00+09');
INSERT INTO cash_deposit (sale_date, upjang_code, pos_no, emp_no, amount, created_at) VALUES
 ('20240105', '3101', '01', 'C01', 50000, '2024-01-05 11:00+09'),
 ('20240105', '3101', '01', 'C01', 20000, '2024-01-05 14:00+09');

INSERT INTO cashier_signon (sale_date, upjang_code, pos_no, emp_no, signed_on_at, closed_at) VALUES
 ('20240105', '3101', '01', 'C01', '2024-01-05 08:55+09', '2024-01-05 12:00+09'),
 ('20240105', '3101', '01', 'C02', '2024-01-05 09:55+09', NULL);
INSERT INTO cashier_close (sale_date, upjang_code, pos_no, emp_no, close_no, closed_at) VALUES
 ('20240105', '3101', '01', 'C01', 1, '2024-01-05 12:00+09');
INSERT INTO close_counter (sale_date, upjang_code, kind, last_no) VALUES ('20240105', '3101', 'cashier', 1);
)sql";

// A terminal of the restaurant 3101, POS 01, on 5 January 2024.
class CloseTest : public ServerTerminal {
protected:
    CloseTest()
    {
        ctx.gsToday = ctx.gsSaleDate = kDate;
        ctx.gsMasterUpjangCode = "3101";
        ctx.gsMasterPosNo = "01";
        ctx.gsCashier = "C01";
        ctx.gsIP = "10.0.0.7";
        EXPECT_TRUE(data->ConnectDB(true, false));
    }

    // The terminal's P0 .. P2 (date, outlet, POS), then aFurther.
    static Texts own(const Texts& aFurther)
    {
        Texts params{kDate, "3101", "01"};
        params.insert(params.end(), aFurther.begin(), aFurther.end());
        return params;
    }

    // The rows a statement gives through the data module, each as its
    // columns joined by "|" (a NULL reads as nothing). The number of columns
    // is the statement's own, as the server describes it.
    Texts rows(const std::string& aKey, const Texts& aParams)
    {
        TDbQuery query(*data);
        query.SetSQL(aKey);
        for (std::size_t i = 0; i < aParams.size(); ++i) query.SetParam(static_cast<int>(i), aParams[i]);
        if (!query.Open()) {
            ADD_FAILURE() << aKey << ": " << LogText(query.Error());
            return {"<failed>"};
        }
        const int columns = columnCount(aKey);
        Texts out;
        for (; !query.Eof(); query.Next()) {
            std::string row;
            for (int c = 0; c < columns; ++c) row += (c ? "|" : "") + query.AsString(c);
            out.push_back(row);
        }
        return out;
    }
    std::string value(const std::string& aKey, const Texts& aParams)
    {
        const Texts found = rows(aKey, aParams);
        return found.empty() ? "<no row>" : found.front().substr(0, found.front().find('|'));
    }
    bool exec(const std::string& aKey, const Texts& aParams)
    {
        TDbQuery query(*data);
        query.SetSQL(aKey);
        for (std::size_t i = 0; i < aParams.size(); ++i) query.SetParam(static_cast<int>(i), aParams[i]);
        const bool done = query.ExecSQL();
        EXPECT_TRUE(done) << aKey << ": " << LogText(query.Error());
        return done;
    }

    // The first column of every row of aSql, read behind the terminal's back.
    Texts column(const std::string& aSql) const
    {
        PgConnHandle conn = db.connect();
        PgResultHandle result(PQexec(conn.get(), aSql.c_str()));
        if (PQresultStatus(result.get()) != PGRES_TUPLES_OK) throw std::runtime_error(aSql + ": " + PQerrorMessage(conn.get()));
        Texts out;
        for (int r = 0; r < PQntuples(result.get()); ++r) out.push_back(PQgetvalue(result.get(), r, 0));
        return out;
    }

    // The day-end of an outlet, as the POS close calls it.
    bool dayEnd(const std::string& aUpjangCode)
    {
        TDbStoredProc& proc = data->dbpProcClose;
        proc.ClearParams();
        proc.SetParam("ASALE_DATE", kDate);
        proc.SetParam("AUPJANG_CODE", aUpjangCode);
        proc.SetParam("AU_EMP_NO", "C01");
        proc.SetParam("AU_IP", "10.0.0.7");
        proc.SetParam("AEDITSTATUS", "2");
        if (!proc.ExecProc()) return false;
        EXPECT_EQ(proc.Output("AERROR_MSG"), "");
        return true;
    }

private:
    int columnCount(const std::string& aKey) const
    {
        PgConnHandle conn = db.connect();
        const TBoundSql bound = RewriteParameters(catalogue.GetSQL(aKey));
        PgResultHandle prepared(PQprepare(conn.get(), "", bound.text.c_str(), 0, nullptr));
        PgResultHandle described(PQdescribePrepared(conn.get(), ""));
        return PQnfields(described.get());
    }
};

class CloseDayTest : public CloseTest {
protected:
    CloseDayTest() { db.query(kDay); }
};

// ---------------------------------------------------------------------------
// The figures

struct Reading {
    const char* key;
    Texts further;  // P3, P4
    Texts rows;
    const char* why;
};

TEST_F(CloseDayTest, EveryFigureIsTheHandCountedOne)
{
    const Reading readings[] = {
        // float count, amount, deposit count, amount, floats recorded, deposits recorded
        {"IEB010-ReadCloseData-1", {""}, {"4|175000|2|70000|4|2"}, "every cashier of this POS (not POS 02's float)"},
        {"IEB010-ReadCloseData-1", {"C01"}, {"1|30000|1|20000|1|1"}, "C01 since the noon close only"},
        {"IEB010-ReadCloseData-1", {"C03"}, {"0|0|0|0|0|0"}, "C03 works at POS 02"},
        {"IEB010-ReadCloseData-6", {"C01"}, {std::string(kSecondShift) + "000000"},
         "the latest close starts the period, to the microsecond"},
        {"IEB010-ReadCloseData-6", {"C02"}, {""}, "one row, NULL, before a first close"},

        // sales, returns, voids (bills) and corrections (rows): count and amount each, then the sales
        // total and net, VAT, excise, education, rural, sports, association
        {"IEB010-ReadCloseData-2", {"", kDayBefore},
         {"6|49000|2|-5000|2|11000|1|-10000|44000|7273|727|1|2|3|4|5"},
         "the POS close: one count per bill over both outlets, the link row and voided rows in no sum"},
        {"IEB010-ReadCloseData-2", {"C01", kStartOfDate},
         {"4|23000|1|-5000|1|11000|1|-10000|18000|7273|727|1|2|3|4|5"}, "C01's whole day"},
        {"IEB010-ReadCloseData-2", {"C01", kSecondShift}, {"1|5000|0|0|0|0|0|0|5000|0|0|0|0|0|0|0"},
         "C01's second shift"},
        {"IEB010-ReadCloseData-2", {"C02", kStartOfDate}, {"1|6000|1|0|1|0|0|0|6000|0|0|0|0|0|0|0"},
         "the off-line bill counts when it reached the server"},
        {"IEB010-ReadCloseData-2", {"PRESALE", kDayBefore}, {"1|20000|0|0|0|0|0|0|20000|0|0|0|0|0|0|0"},
         "a period from before the date covers rows recorded days ahead"},

        // COMP sales, returns, voids, corrections
        {"IEB010-ReadCloseData-3", {"", kDayBefore}, {"1|1|1|0"}, "COMP bills"},
        {"IEB010-ReadCloseData-3", {"C01", kSecondShift}, {"0|0|0|0"}, "none in C01's second shift"},

        // cancelled bills: count, amount
        {"IEB010-ReadCloseData-4", {"", kDayBefore}, {"1|13000"}, "one bill of two rows"},
        {"IEB010-ReadCloseData-4", {"C01", kSecondShift}, {"0|0"}, "cancelled in the first shift"},

        // per tender: code, count, amount
        {"IEB010-ReadCloseData-5", {"", kDayBefore},
         {"0|1|-3000", "1|1|20000", "110|2|18000", "120|1|-5000", "130|1|5000", "160|1|4000", "170|1|2000"},
         "change in the amount not the count, a void takes back its tender, prepaid credit is credit"},
        {"IEB010-ReadCloseData-5", {"C01", kSecondShift}, {"110|1|5000"}, "C01's second shift"},

        // outlet, goods, quantity, amount
        {"IEB010-PrintCloseData-1", {"", kDayBefore},
         {"3101|김치찌개|3|15000", "3101|코스요리|1|20000", "3102|생맥주|3|9000"}, "after voids, COMP apart"},
        {"IEB010-PrintCloseData-1", {"C01", kSecondShift}, {"3101|김치찌개|1|5000"}, "C01's second shift"},
        {"IEB010-PrintCloseData-2", {"", kDayBefore}, {"3101|김치찌개|1|0", "3101|불고기|-1|0"}, "COMP only"},

        // guest type, hour, domestic, foreign, amount
        {"IEB010-PrintCloseData-3", {""},
         {"일반|09:00~10:00|2|1|6000", "일반|10:00~11:00|0|0|0", "일반|11:00~12:00|0|0|0", "일반|13:00~14:00|1|0|5000",
          "일반|15:00~16:00|0|0|20000", "투숙객|10:00~11:00|2|0|13000"},
         "an off-line bill at the hour it was rung up"},

        // outlet, bill and goods, amount
        {"IEB010-PrintCloseData-4", {""}, {"3101|0004 불고기|8000", "3101|0012 김치찌개|0", "3102|0004 생맥주|3000"},
         "every voided row"},
        {"IEB010-PrintCloseData-4", {"C02"}, {"3101|0012 김치찌개|0"}, "C02's"},
    };
    for (const Reading& r : readings) {
        SCOPED_TRACE(std::string(r.key) + " " + ::testing::PrintToString(r.further) + ": " + r.why);
        EXPECT_EQ(rows(r.key, own(r.further)), r.rows);
    }
}

TEST_F(CloseDayTest, ACloseStartsTheCashiersNextPeriodFromNothing)
{
    EXPECT_EQ(rows("IEB010-ReadCloseData-1", own({"C02"})), Texts{"1|50000|0|0|1|0"});

    TDbWork close(*data);
    ASSERT_TRUE(close.Active());
    ASSERT_TRUE(exec("IEB010-SaveCloseData-1", own({"C02", "6000", "6000", "10.0.0.7"})));
    EXPECT_EQ(value("IEB010-SaveCloseData-2", own({"C02"})), "2") << "after C01's close of the morning";
    ASSERT_TRUE(close.Commit());

    const std::string closedAt = db.query(
        "SELECT to_char(closed_at AT TIME ZONE 'Asia/Seoul', 'YYYYMMDDHH24MISSUS') FROM cashier_close WHERE emp_no = 'C02'");
    EXPECT_EQ(value("IEB010-ReadCloseData-6", own({"C02"})), closedAt);
    EXPECT_EQ(db.query("SELECT count(*) FROM cashier_close c JOIN cashier_signon s USING (sale_date, upjang_code, pos_no, "
                       "emp_no) WHERE c.emp_no = 'C02' AND s.closed_at = c.closed_at AND c.cash_sale_amt = 6000 AND "
                       "c.sale_total_amt = 6000 AND c.ip = '10.0.0.7'"),
              "1")
        << "the close is recorded and ends the shift";

    EXPECT_EQ(rows("IEB010-ReadCloseData-1", own({"C02"})), Texts{"0|0|0|0|0|0"});
    EXPECT_EQ(rows("IEB010-ReadCloseData-2", own({"C02", closedAt})), Texts{"0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0"});
    EXPECT_EQ(rows("IEB010-ReadCloseData-5", own({"C02", closedAt})), Texts{});

    ASSERT_TRUE(exec("IEB010-SaveOpenData", own({"C02", "20000", "10.0.0.7"})));
    ASSERT_TRUE(exec("IEB010-SaveIpgumData", own({"C02", "35000", "10.0.0.7"})));
    EXPECT_EQ(rows("IEB010-ReadCloseData-1", own({"C02"})), Texts{"1|20000|1|35000|1|1"}) << "the new shift's";
    EXPECT_EQ(rows("IEB010-ReadCloseData-1", own({""})), Texts{"5|195000|3|105000|5|3"}) << "the POS keeps all";
}

TEST_F(CloseDayTest, PreSaleCashierIsClosedFirstOnlyWhileRowsAreUncovered)
{
    EXPECT_EQ(value("IEB010-SavePosCloseData-5", own({"PRESALE"})), "Y");
    EXPECT_EQ(value("IEB010-SavePosCloseData-5", own({"C03"})), "") << "no rows at this POS";
    EXPECT_EQ(value("IEB010-SavePosCloseData-6", own({"PRESALE"})), "") << "no sign-on yet";

    TDbWork close(*data);
    ASSERT_TRUE(close.Active());
    ASSERT_TRUE(exec("IAH010-SaveLoginInfo-3", own({"PRESALE", "10.0.0.7"})));
    ASSERT_TRUE(exec("IEB010-SaveCloseData-1", own({"PRESALE", "0", "20000", "10.0.0.7"})));
    ASSERT_TRUE(close.Commit());

    EXPECT_NE(value("IEB010-SavePosCloseData-6", own({"PRESALE"})), "");
    EXPECT_EQ(value("IEB010-SavePosCloseData-5", own({"PRESALE"})), "") << "the close covers the rows";
    EXPECT_EQ(value("IEB010-SavePosCloseData-5", own({"C01"})), "Y") << "C01's second shift is not closed";
}

// ---------------------------------------------------------------------------
// Close numbers

TEST_F(CloseTest, CashierClosesTakeTheOutletsNextNumber)
{
    struct Close {
        const char* upjang;
        const char* pos;
        const char* cashier;
        const char* number;
    };
    const Close closes[] = {
        {"3101", "01", "C01", "1"}, {"3101", "01", "C02", "2"},
        {"3101", "02", "C03", "3"},  // another POS of the outlet counts on
        {"3101", "01", "C01", "4"},  // a second close of the day
        {"3102", "01", "C04", "1"},  // another outlet counts by itself
    };
    for (const Close& c : closes) {
        SCOPED_TRACE(std::string(c.upjang) + "-" + c.pos + " " + c.cashier);
        TDbWork close(*data);
        ASSERT_TRUE(close.Active());
        ASSERT_TRUE(exec("IEB010-SaveCloseData-1", {kDate, c.upjang, c.pos, c.cashier, "1000", "1000", "10.0.0.7"}));
        EXPECT_EQ(value("IEB010-SaveCloseData-2", {kDate, c.upjang, c.pos, c.cashier}), c.number);
        ASSERT_TRUE(close.Commit());
    }
    EXPECT_EQ(value("IEB010-SaveCloseData-2", own({"C09"})), "") << "one row, NULL, without a close";
}

TEST_F(CloseTest, TwoTerminalsClosingAtOnceNeverShareANumber)
{
    // POS 02 of the outlet is another terminal with a connection of its own.
    PgConnHandle other = db.tryConnectAsTerminal(db.sslMode());
    ASSERT_EQ(PQstatus(other.get()), CONNECTION_OK) << PQerrorMessage(other.get());
    const int otherPid = PQbackendPID(other.get());
    const TBoundSql save = RewriteParameters(catalogue.GetSQL("IEB010-SaveCloseData-1"));
    const TBoundSql number = RewriteParameters(catalogue.GetSQL("IEB010-SaveCloseData-2"));
    const Texts params{kDate, "3101", "02", "C02", "2000", "2000", "10.0.0.8"};
    const auto run = [&](const TBoundSql& aSql) {
        std::vector<const char*> values;
        for (int index : aSql.parameters) values.push_back(params[static_cast<std::size_t>(index)].c_str());
        PgResultHandle result(PQexecParams(other.get(), aSql.text.c_str(), static_cast<int>(values.size()), nullptr,
                                           values.data(), nullptr, nullptr, 0));
        const ExecStatusType status = PQresultStatus(result.get());
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) throw std::runtime_error(PQerrorMessage(other.get()));
        return status == PGRES_TUPLES_OK ? std::string(PQgetvalue(result.get(), 0, 0)) : std::string();
    };

    // This terminal's close takes the counter and holds it until it commits.
    TDbWork mine(*data);
    ASSERT_TRUE(mine.Active());
    ASSERT_TRUE(exec("IEB010-SaveCloseData-1", own({"C01", "1000", "1000", "10.0.0.7"})));

    std::string otherNumber, otherError;
    std::thread closing([&] {
        try {
            PgTestDatabase::run(other.get(), "BEGIN");
            run(save);
            otherNumber = run(number);
            PgTestDatabase::run(other.get(), "COMMIT");
        } catch (const std::exception& e) {
            otherError = e.what();
        }
    });
    // The other close waits for the counter (or, were it not held, would
    // already have taken its number).
    bool waited = false;
    for (int i = 0; i < 500 && !waited; ++i) {
        waited = db.query("SELECT wait_event_type FROM pg_stat_activity WHERE pid = " + std::to_string(otherPid)) == "Lock";
        if (!waited) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const std::string myNumber = value("IEB010-SaveCloseData-2", own({"C01"}));
    const bool committed = mine.Commit();
    closing.join();

    EXPECT_TRUE(waited);
    EXPECT_TRUE(committed);
    EXPECT_EQ(otherError, "");
    EXPECT_EQ(myNumber, "1");
    EXPECT_EQ(otherNumber, "2");
}

TEST_F(CloseTest, PosCloseIsRecordedOnceAndNumberedAgainWhenRepeated)
{
    EXPECT_EQ(value("IEB010-SavePosCloseData-1", own({})), "0");
    EXPECT_EQ(value("IEB010-SavePosCloseData-4", own({})), "");
    ASSERT_TRUE(exec("IEB010-SavePosCloseData-2", own({"C01", "10.0.0.7"})));
    EXPECT_EQ(value("IEB010-SavePosCloseData-1", own({})), "1");
    EXPECT_EQ(value("IEB010-SavePosCloseData-4", own({})), "1");

    ASSERT_TRUE(exec("IEB010-SavePosCloseData-2", {kDate, "3101", "02", "C03", "10.0.0.8"}));
    EXPECT_EQ(value("IEB010-SavePosCloseData-4", {kDate, "3101", "02"}), "2") << "the outlet's next";

    ASSERT_TRUE(exec("IEB010-SavePosCloseData-3", own({"C02", "10.0.0.9"})));
    EXPECT_EQ(value("IEB010-SavePosCloseData-4", own({})), "3");
    EXPECT_EQ(db.query("SELECT string_agg(pos_no || ' ' || emp_no || ' ' || ip, ', ' ORDER BY pos_no) FROM pos_close"),
              "01 C02 10.0.0.9, 02 C03 10.0.0.8");

    TDbWork close(*data);
    ASSERT_TRUE(exec("IEB010-SaveCloseData-1", own({"C01", "0", "0", "10.0.0.7"})));
    EXPECT_EQ(value("IEB010-SaveCloseData-2", own({"C01"})), "1") << "cashier closes count apart";
    EXPECT_TRUE(close.Commit());
}

// ---------------------------------------------------------------------------
// Day-end

TEST_F(CloseDayTest, DayEndRebuildsTheSummaryAndClosesTheDayOnceEveryPosIsClosed)
{
    const auto dayClosed = [&](const char* aUpjang) {
        return count(std::string("SELECT count(*) FROM day_close WHERE sale_date = '20240105' AND upjang_code = '") +
                     aUpjang + "'") == 1;
    };
    struct Step {
        Texts posCloses;  // outlet, POS
        bool restaurantClosed, barClosed;
        const char* why;
    };
    const Step steps[] = {
        {{}, false, false, "nothing closed"},
        {{"3101', '02", "3102', '01"}, false, false,
         "the restaurant waits for POS 01, the bar for its POS 11, which POS 3101-01 sells under"},
        {{"3101', '01"}, true, true, "POS 3101-01 closes the restaurant's last POS and the bar's POS 11"},
    };
    int runs = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.why);
        for (const std::string& pos : s.posCloses)
            db.query("INSERT INTO pos_close (sale_date, upjang_code, pos_no) VALUES ('20240105', '" + pos + "')");
        EXPECT_TRUE(dayEnd("3101")) << LogText(data->dbpProcClose.Error());
        EXPECT_TRUE(dayEnd("3102")) << LogText(data->dbpProcClose.Error());
        ++runs;
        EXPECT_EQ(dayClosed("3101"), s.restaurantClosed);
        EXPECT_EQ(dayClosed("3102"), s.barClosed);
    }

    // bills: sales, returns, voids (count, amount); sales total, net, VAT; tenders: cash, card, room,
    // locker, group, gift, credit, other
    const std::string summary =
        "SELECT string_agg(concat_ws('|', upjang_code, sale_count, amount_text(sale_amt), return_count, "
        "amount_text(return_amt), void_count, amount_text(void_amt), amount_text(sale_total_amt), amount_text(net_amt), "
        "amount_text(vat_amt), amount_text(cash_amt), amount_text(card_amt), amount_text(room_amt), "
        "amount_text(locker_amt), amount_text(event_amt), amount_text(gift_card_amt), amount_text(credit_amt), "
        "amount_text(other_pay_amt)), ', ' ORDER BY upjang_code) FROM day_sale_summary";
    const std::string expected =
        "3101|6|45000|2|-5000|2|8000|40000|4546|454|23000|-5000|5000|0|0|4000|2000|17000, "
        "3102|2|9000|0|0|1|3000|9000|2727|273|0|0|0|0|0|0|0|3000";
    EXPECT_EQ(db.query(summary), expected) << "every POS of the outlet; the transfers and the pre-sale as other";

    EXPECT_TRUE(dayEnd("3101"));
    EXPECT_TRUE(dayEnd("3102"));
    ++runs;
    EXPECT_EQ(db.query(summary), expected) << "a second run rebuilds the same";
    EXPECT_EQ(count("SELECT count(*) FROM day_close"), 2);
    EXPECT_EQ(db.query("SELECT string_agg(upjang_code || ' ' || run_count || ' ' || emp_no, ', ' ORDER BY upjang_code) "
                       "FROM day_end"),
              "3101 " + std::to_string(runs) + " C01, 3102 " + std::to_string(runs) + " C01");

    EXPECT_FALSE(dayEnd("9999"));
    EXPECT_NE(data->dbpProcClose.Error().message.find("no outlet \"9999\""), std::string::npos)
        << LogText(data->dbpProcClose.Error());
    EXPECT_FALSE(ctx.gbOffLine);
}

TEST_F(CloseTest, TheDemoResortsDayClosesWhenAllItsTerminalsHaveClosed)
{
    LoadDemoMasterData(db);
    // A terminal is a POS that no other terminal sells under.
    const Texts terminals = column(
        "SELECT p.upjang_code || '|' || p.pos_no FROM upjang_pos p WHERE NOT EXISTS (SELECT FROM pos_sale_upjang s "
        "WHERE s.sale_upjang_code = p.upjang_code AND s.sale_pos_no = p.pos_no) ORDER BY 1");
    ASSERT_FALSE(terminals.empty());
    for (const std::string& terminal : terminals) {
        const std::string upjang = terminal.substr(0, terminal.find('|')), pos = terminal.substr(terminal.find('|') + 1);
        SCOPED_TRACE(terminal);
        ASSERT_TRUE(exec("IEB010-SavePosCloseData-2", {kDate, upjang, pos, "9001", "10.0.0.7"}));
        for (const std::string& outlet : column("SELECT upjang_code FROM pos_upjangs('" + upjang + "', '" + pos + "')"))
            EXPECT_TRUE(dayEnd(outlet)) << outlet << ": " << LogText(data->dbpProcClose.Error());
    }
    EXPECT_EQ(column("SELECT upjang_code FROM upjang EXCEPT SELECT upjang_code FROM day_close"), Texts{})
        << "outlets whose day stays open";
}

// ---------------------------------------------------------------------------
// Day log

TEST_F(CloseTest, LogUploadReplacesOnlyThisTerminalsLogOfTheDay)
{
    db.query("INSERT INTO terminal_log (sale_date, upjang_code, pos_no, entry_no, body) VALUES "
             "('20240105', '3101', '02', 1, 'POS 02'), ('20240104', '3101', '01', 1, 'the day before')");
    struct Entry {
        const char* time;
        const char* proc;
        const char* text;
    };
    const auto upload = [&](const std::vector<Entry>& aEntries) {
        TDbWork work(*data);
        ASSERT_TRUE(work.Active());
        ASSERT_TRUE(exec("IEB010-SaveErrorLog-1", own({})));
        int n = 0;
        for (const Entry& e : aEntries)
            ASSERT_TRUE(exec("IEB010-SaveErrorLog-2", own({std::to_string(++n), e.time, e.proc, e.text})));
        ASSERT_TRUE(work.Commit());
    };
    const std::string mine =
        "SELECT string_agg(concat_ws('|', entry_no, log_time, proc, body), ', ' ORDER BY entry_no) FROM terminal_log "
        "WHERE sale_date = '20240105' AND upjang_code = '3101' AND pos_no = '01'";

    upload({{"09:00:01.1", "TfrmSale", "첫 줄\r\n둘째 줄"}, {"09:05:00.0", "IZD000-ConnectDB", "연결 실패"}});
    EXPECT_EQ(db.query(mine), "1|09:00:01.1|TfrmSale|첫 줄\r\n둘째 줄, 2|09:05:00.0|IZD000-ConnectDB|연결 실패");
    upload({{"10:00:00.0", "TfrmClose", "마감"}});
    EXPECT_EQ(db.query(mine), "1|10:00:00.0|TfrmClose|마감");
    EXPECT_EQ(count("SELECT count(*) FROM terminal_log"), 3) << "other terminals' and days' logs stay";
}

}  // namespace
}  // namespace pos::test
