// The upload of the off-line queues against a real PostgreSQL server: each
// test gets a fresh database from the migrated template and a terminal
// folder of its own.

#include "ServerTerminal.h"
#include "sync/Upload.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

namespace pos::test {
namespace {

const char* const kCardNo = "9410123456789012";

std::vector<std::string> saleValues(const std::string& aBill, int aSeq, const std::string& aAmt,
                                    const std::string& aDate = "20240105")
{
    std::vector<std::string> v(52, "0");
    v[0] = aDate, v[1] = "3101", v[2] = "01", v[3] = aBill, v[4] = std::to_string(aSeq), v[5] = "Y";
    v[6] = "31010001", v[7] = "1", v[8] = "1", v[9] = "Y", v[10] = "1", v[11] = aAmt, v[12] = "1", v[15] = aAmt;
    for (int i : {29, 31, 32, 33, 34, 35, 38, 39, 41, 42, 43, 44, 45, 46, 48}) v[static_cast<std::size_t>(i)] = "";
    v[36] = "N", v[37] = "N", v[47] = "Off Line", v[49] = "1001", v[50] = "{-}", v[51] = "10.0.0.7";
    return v;
}

std::vector<std::string> payValues(const std::string& aBill, const std::string& aAmt)
{
    std::vector<std::string> v = {"20240105", "3101", "01", aBill, "Y", "120", "1", aAmt, "", kCardNo + std::string("=2812")};
    v.resize(17);
    v.push_back("Off Line");
    v.push_back("1001");
    v.push_back("{-}");
    v.push_back("10.0.0.7");
    return v;
}

std::vector<std::string> cardValues(const std::string& aBill, const std::string& aAmt)
{
    return {"20240105", "3101", "01", aBill, "Y", "1", "Y", aAmt, kCardNo, "2812", "00", "30012345", "", "01",
            "한빛카드", "", "", "1234567", "20240105", "Y", "", "1001", "{-}", "10.0.0.7"};
}

std::vector<std::string> cashValues(const std::string& aBill, const std::string& aAmt)
{
    return {"20240105", "3101", "01", aBill, "Y", "1", "Y", "N", "01012345678", "", aAmt, "123456789", "20240105",
            "1001", "{-}", "10.0.0.7"};
}

class UploadServerTest : public ServerTerminal {
protected:
    UploadServerTest()
    {
        ctx.gsToday = "20240105";
        ctx.gsMasterUpjangCode = "3101";
        ctx.gsMasterPosNo = "01";
        store.Now = [] { return std::string("20240105093000"); };
        EXPECT_TRUE(store.LoadOffLineData());
    }

    std::string file(const std::string& aName) const { return ReadWholeFile(dir / aName).value_or("<none>"); }
    std::vector<std::string> fileLines(const std::string& aName) const
    {
        return SplitQueueFile(ReadWholeFile(dir / aName).value_or(""));
    }

    TOffLineStore store{ctx, dialogs};
};

TEST_F(UploadServerTest, EveryQueueGoesUpInOneRunAndOnlyOnce)
{
    ASSERT_TRUE(store.AddOffLineData("Sale", saleValues("0001", 1, "15000")));
    ASSERT_TRUE(store.AddOffLineData("Sale", saleValues("0001", 2, "4000")));
    ASSERT_TRUE(store.AddOffLineData("Pay", payValues("0001", "19000")));
    ASSERT_TRUE(store.AddOffLineData("Card", cardValues("0001", "19000")));
    ASSERT_TRUE(store.AddOffLineData("Cash", cashValues("0002", "7000")));
    ASSERT_TRUE(store.AddOffLineData("SaleCancel", saleValues("0003", 1, "9000")));
    ASSERT_TRUE(store.SaveOffLineData());

    ASSERT_TRUE(UploadData(*data, store, false));
    EXPECT_EQ(shown(), std::vector<std::string>{"미전송 자료를 모두 서버로 전송했습니다."});
    EXPECT_EQ(count("SELECT count(*) FROM sale WHERE bill_no = '0001'"), 2);
    EXPECT_EQ(db.query("SELECT sale_amt::int || '/' || offline_at || '/' || remarks FROM sale WHERE bill_seq = 2"),
              "4000/20240105093000/Off Line");
    EXPECT_EQ(count("SELECT count(*) FROM pay"), 1);
    EXPECT_EQ(db.query("SELECT card_no || ' ' || company_name FROM card_approval"), std::string(kCardNo) + " 한빛카드");
    EXPECT_EQ(count("SELECT count(*) FROM cash_receipt"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM sale_cancel"), 1);
    for (const char* name : {"Sale", "Pay", "Card", "Cash", "SaleCancel"}) {
        EXPECT_TRUE(fileLines(name).empty()) << name;
        EXPECT_TRUE(store.Lines(FindOffLineQueue(name)->Queue).empty()) << name;
    }

    // Saving again does not bring the sent lines back; a second run has nothing.
    ASSERT_TRUE(store.SaveOffLineData());
    dialogs.clear();
    ASSERT_TRUE(UploadData(*data, store, true));
    EXPECT_EQ(shown(), std::vector<std::string>{"전송할 자료가 없습니다."});
    dialogs.clear();
    ASSERT_TRUE(UploadData(*data, store, false));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(log().find(kCardNo), std::string::npos);
}

TEST_F(UploadServerTest, ALineTheServerRefusesStaysAloneInItsFile)
{
    // A middle line with a date the server refuses (check constraint),
    // replayed in batches and line by line.
    for (int batch : {256, 2, 1}) {
        SCOPED_TRACE(batch);
        db.query("DELETE FROM sale");
        const std::string bad = BuildOffLineLine(saleValues("0002", 1, "5000", "2024-1-5"), "20240105093000");
        std::vector<std::string> lines = {BuildOffLineLine(saleValues("0001", 1, "15000"), "20240105093000"), bad,
                                          BuildOffLineLine(saleValues("0003", 1, "7000"), "20240105093000")};
        ASSERT_TRUE(WriteFileAtomically(dir / "Sale", JoinQueueFile(lines)));
        dialogs.clear();

        TOffLineUpload upload(*data, store);
        upload.BatchSize = batch;
        EXPECT_EQ(upload.UploadOffLineData("Sale"), 2);
        EXPECT_EQ(fileLines("Sale"), std::vector<std::string>{bad});
        EXPECT_EQ(db.query("SELECT string_agg(bill_no, ',' ORDER BY bill_no) FROM sale"), "0001,0003");
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_NE(dialogs.shown[0].text.find("yyyymmdd"), std::string::npos) << dialogs.shown[0].text;
        EXPECT_TRUE(dialogs.shown[0].beep);
    }
    EXPECT_NE(log().find("Sale line 2: [23514]"), std::string::npos) << log();
}

TEST_F(UploadServerTest, ResentLinesAreSkippedAndADifferentRecordUnderTheKeyIsSetAside)
{
    const std::string first = BuildOffLineLine(saleValues("0001", 1, "15000"), "20240105093000");
    const std::string second = BuildOffLineLine(saleValues("0001", 2, "4000"), "20240105093000");
    ASSERT_TRUE(WriteFileAtomically(dir / "Sale", JoinQueueFile({first, second})));
    ASSERT_TRUE(UploadData(*data, store, false));

    // As after a crash between the commit and the file rewrite: the same
    // lines again, plus another bill reusing the number of the first.
    const std::string other = BuildOffLineLine(saleValues("0001", 1, "99000"), "20240105101500");
    const std::string fresh = BuildOffLineLine(saleValues("0002", 1, "3000"), "20240105101500");
    ASSERT_TRUE(WriteFileAtomically(dir / "Sale", JoinQueueFile({first, other, second, fresh})));
    dialogs.clear();
    TOffLineUpload upload(*data, store);
    ASSERT_TRUE(upload.UploadData(false));

    const TUploadQueueReport& sale = upload.Report().Queues.at(0);
    EXPECT_EQ(sale.Sent, 1);
    EXPECT_EQ(sale.Duplicates, 2);
    EXPECT_EQ(sale.Conflicts, 1);
    EXPECT_TRUE(fileLines("Sale").empty());
    EXPECT_EQ(fileLines("Sale.bad"), std::vector<std::string>{other});
    EXPECT_EQ(db.query("SELECT sale_amt::int FROM sale WHERE bill_no = '0001' AND bill_seq = 1"), "15000");
    EXPECT_EQ(count("SELECT count(*) FROM sale"), 3);
    EXPECT_NE(log().find("Sale line 2: the server holds a different record under the same key"), std::string::npos);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("1건"), std::string::npos) << dialogs.shown[0].text;
}

TEST_F(UploadServerTest, DamagedLinesAreSetAsideNeverSentWithShiftedValues)
{
    const std::string good = BuildOffLineLine(payValues("0001", "15000"), "20240105093000");
    std::vector<std::string> fewer = payValues("0002", "8000");
    fewer.erase(fewer.begin() + 9);  // one value missing: every later one would shift
    const std::string shortLine = BuildOffLineLine(fewer, "20240105093000");
    const std::string cut = good.substr(0, good.size() / 2);
    ASSERT_TRUE(WriteFileAtomically(dir / "Pay", JoinQueueFile({shortLine, good, cut})));

    ASSERT_TRUE(UploadData(*data, store, false));
    EXPECT_EQ(count("SELECT count(*) FROM pay"), 1);
    EXPECT_EQ(fileLines("Pay.bad"), (std::vector<std::string>{shortLine, cut}));
    EXPECT_TRUE(fileLines("Pay").empty());
    EXPECT_NE(log().find("Pay line 1: 20 values, expected 21; set aside in Pay.bad"), std::string::npos) << log();
    EXPECT_NE(log().find("Pay line 3: the line does not end with a TAB"), std::string::npos) << log();
    EXPECT_EQ(log().find(kCardNo), std::string::npos);
}

TEST_F(UploadServerTest, ACommitTheServerRefusesLeavesEveryFileAsItWas)
{
    // A deferred check fails at COMMIT, after every line went through.
    db.query("CREATE FUNCTION refuse_commit() RETURNS trigger LANGUAGE plpgsql AS $$ "
             "BEGIN RAISE EXCEPTION 'closing in progress'; END $$");
    db.query("CREATE CONSTRAINT TRIGGER refuse_commit AFTER INSERT ON pay DEFERRABLE INITIALLY DEFERRED "
             "FOR EACH ROW EXECUTE FUNCTION refuse_commit()");
    ASSERT_TRUE(store.AddOffLineData("Sale", saleValues("0001", 1, "15000")));
    ASSERT_TRUE(store.AddOffLineData("Pay", payValues("0001", "15000")));
    ASSERT_TRUE(store.SaveOffLineData());
    const std::string saleBefore = file("Sale"), payBefore = file("Pay");

    EXPECT_FALSE(UploadData(*data, store, false));
    EXPECT_EQ(file("Sale"), saleBefore);
    EXPECT_EQ(file("Pay"), payBefore);
    EXPECT_EQ(store.Lines(TOffLineQueue::Sale).size(), 1u);
    EXPECT_EQ(count("SELECT count(*) FROM sale"), 0);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown[0].text.rfind("미전송 자료를 서버로 전송하지 못했습니다.\r", 0), 0u);
    EXPECT_NE(log().find("IZC000-UploadData"), std::string::npos);
    EXPECT_FALSE(data->InTransaction());

    db.query("DROP TRIGGER refuse_commit ON pay");
    dialogs.clear();
    ASSERT_TRUE(UploadData(*data, store, false));
    EXPECT_EQ(count("SELECT count(*) FROM sale") + count("SELECT count(*) FROM pay"), 2);
}

TEST_F(UploadServerTest, ALostConnectionGoesOffLineAndKeepsTheQueue)
{
    ASSERT_TRUE(store.AddOffLineData("Sale", saleValues("0001", 1, "15000")));
    ASSERT_TRUE(store.SaveOffLineData());
    const std::string before = file("Sale");
    ASSERT_TRUE(data->ConnectDB(false, false));
    const int pid = data->BackendPID();
    db.query("SELECT pg_terminate_backend(" + std::to_string(pid) + ")");
    for (int i = 0; i < 200 && db.query("SELECT count(*) FROM pg_stat_activity WHERE pid = " + std::to_string(pid)) != "0"; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));

    EXPECT_FALSE(UploadData(*data, store, false));
    EXPECT_TRUE(ctx.gbOffLine);
    EXPECT_EQ(file("Sale"), before);
    EXPECT_EQ(count("SELECT count(*) FROM sale"), 0);

    // Off line the run does not touch the server at all.
    dialogs.clear();
    EXPECT_FALSE(UploadData(*data, store, true));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(UploadServerTest, AnUnknownQueueOrAMissingFileSendsNothing)
{
    EXPECT_EQ(UploadOffLineData(*data, store, "Receipt"), 0);
    EXPECT_EQ(UploadOffLineData(*data, store, "Card"), 0);
    EXPECT_TRUE(dialogs.shown.empty());
}

// A server message may quote the value it refused: a card number reaches
// neither the log nor the cashier in full, however it is written.
TEST_F(UploadServerTest, ARefusedValueIsQuotedMaskedInTheLogAndTheMessage)
{
    for (const char* number : {kCardNo, "9410-1234-5678-9012", "9410 1234 5678 9012"}) {
        SCOPED_TRACE(number);
        std::vector<std::string> values = cardValues("0001", "19000");
        values[5] = number;  // the card sequence, an integer on the server
        ASSERT_TRUE(WriteFileAtomically(dir / "Card", JoinQueueFile({BuildOffLineLine(values, "20240105093000")})));
        dialogs.clear();

        ASSERT_TRUE(UploadData(*data, store, false));
        EXPECT_EQ(fileLines("Card").size(), 1u);  // refused: stays queued
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_NE(shown()[0].find("9410"), std::string::npos) << shown()[0];
        EXPECT_EQ(shown()[0].find(number), std::string::npos) << shown()[0];
        EXPECT_EQ(shown()[0].find("5678"), std::string::npos) << shown()[0];
        EXPECT_NE(log().find("Card line 1: [22"), std::string::npos) << log();  // the value refused
        EXPECT_EQ(log().find(number), std::string::npos) << log();
        EXPECT_EQ(log().find("5678"), std::string::npos) << log();
    }
}

// Lines an older terminal queued with the swipe in them: the upload sends
// what a stored approval keeps, and what stays queued keeps no track.
TEST_F(UploadServerTest, TrackDataInAnOlderQueueFileIsNeitherSentNorKept)
{
    EXPECT_EQ(count("SELECT count(*) FROM information_schema.columns WHERE column_name = 'track_two'"), 0);
    const char* const track = ";9410123456789012=28121010000012345678?";
    std::vector<std::string> card = cardValues("0001", "19000");
    card[20] = track;
    std::vector<std::string> refused = cardValues("0002", "5000");
    refused[20] = track;
    refused[5] = "x";  // the card sequence, an integer on the server
    std::vector<std::string> cash = cashValues("0001", "7000");
    cash[8] = kCardNo;
    cash[9] = track;
    const std::string cardLine = BuildOffLineLine(card, "20240105093000");
    ASSERT_TRUE(WriteFileAtomically(dir / "Card", JoinQueueFile({cardLine, BuildOffLineLine(refused, "20240105093000")})));
    ASSERT_TRUE(WriteFileAtomically(dir / "Cash", JoinQueueFile({BuildOffLineLine(cash, "20240105093000")})));

    ASSERT_TRUE(UploadData(*data, store, false));
    EXPECT_EQ(db.query("SELECT card_no || '=' || valid_thru FROM card_approval"), std::string(kCardNo) + "=2812");
    EXPECT_EQ(db.query("SELECT card_no FROM cash_receipt"), kCardNo);
    EXPECT_EQ(fileLines("Cash").size(), 0u);
    const auto stays = fileLines("Card");
    ASSERT_EQ(stays.size(), 1u);  // the refused line, blanked
    EXPECT_EQ(stays[0].find("=2812"), std::string::npos) << stays[0];
    EXPECT_EQ(log().find("=2812"), std::string::npos) << log();

    // Sent again with its track (a run whose file rewrite was lost): the
    // stored row is the same record, the track is no part of it.
    dialogs.clear();
    ASSERT_TRUE(WriteFileAtomically(dir / "Card", JoinQueueFile({cardLine})));
    ASSERT_TRUE(UploadData(*data, store, false));
    EXPECT_EQ(fileLines("Card").size(), 0u);
    EXPECT_FALSE(std::filesystem::exists(dir / "Card.bad"));
    EXPECT_EQ(count("SELECT count(*) FROM card_approval"), 1);
}

}  // namespace
}  // namespace pos::test
