// The off-line queues without a server: building and reading lines, adding
// records, saving and loading the queue files.

#include "TempDir.h"
#include "core/Codec.h"
#include "core/FileIO.h"
#include "core/ScriptedDialogService.h"
#include "db/DayLog.h"
#include "sync/OffLineQueue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace pos::test {
namespace {

// A payment record of bill aBill: 21 values, the queuing time marker and the address last.
std::vector<std::string> payValues(const std::string& aBill, const std::string& aAmt, const std::string& aSeq = "1")
{
    std::vector<std::string> v = {"20240105", "3101", "01", aBill, "Y", "110", aSeq, aAmt};
    v.resize(17);
    v.push_back(aAmt);
    v.push_back("1001");
    v.push_back("{-}");
    v.push_back("10.0.0.7");
    return v;
}

std::vector<std::string> saleValues(const std::string& aBill, int aSeq, const std::string& aRemark)
{
    std::vector<std::string> v(52, "0");
    v[0] = "20240105", v[1] = "3101", v[2] = "01", v[3] = aBill, v[4] = std::to_string(aSeq), v[5] = "Y";
    v[6] = "31010001", v[47] = aRemark, v[49] = "1001", v[50] = "{-}", v[51] = "10.0.0.7";
    return v;
}

// A card approval (24 values) and a cash receipt (16 values) as payment
// recording queues them; aTrack goes where an older terminal put the swipe.
const char* const kTrack = ";9410123456789012=28121010000012345678?";
std::vector<std::string> cardValues(const std::string& aBill, const std::string& aTrack)
{
    return {"20240105", "3101", "01", aBill, "Y", "1", "Y", "19000", "9410123456789012", "2812", "00", "30012345", "",
            "01", "한빛카드", "", "", "1234567", "20240105", "Y", aTrack, "1001", "{-}", "10.0.0.7"};
}
std::vector<std::string> cashValues(const std::string& aBill, const std::string& aIdentity, const std::string& aTrack)
{
    return {"20240105", "3101", "01", aBill, "Y", "1", "Y", "Y", aIdentity, aTrack, "7000", "123456789", "20240105",
            "1001", "{-}", "10.0.0.7"};
}

std::filesystem::perms permsOf(const std::filesystem::path& aPath)
{
    return std::filesystem::status(aPath).permissions() & std::filesystem::perms::all;
}
constexpr auto kOwnerOnly = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;

class OffLineQueueTest : public ::testing::Test {
protected:
    OffLineQueueTest()
    {
        ctx.gsFolder = dir.path().string() + "/";
        ctx.gsToday = "20240105";
        store.Now = [this] { return now; };
    }

    std::string file(const std::string& aName) const { return ReadWholeFile(dir / aName).value_or("<none>"); }
    std::string log() const { return FromCp949(ReadWholeFile(DayLogPath(ctx)).value_or("")); }

    TempDir dir;
    TTerminalContext ctx;
    ScriptedDialogService dialogs;
    TOffLineStore store{ctx, dialogs};
    std::string now = "20240105093000";
};

TEST_F(OffLineQueueTest, LinesQuoteEveryValueStampTheTimeAndReadBack)
{
    const std::string line = BuildOffLineLine({"a", "", "{-}", "잔액 5,000", "x\ty\r\nz\\"}, "20240105093000");
    EXPECT_EQ(FromCp949(line), "'a'\t''\t'20240105093000'\t'잔액 5,000'\t'x\\ty\\r\\nz\\\\'\t");
    const TOffLineLine back = ParseOffLineLine(line, 5);
    ASSERT_TRUE(back.Sound()) << back.Problem;
    EXPECT_EQ(back.Values, (std::vector<std::string>{"a", "", "20240105093000", "잔액 5,000", "x\ty\r\nz\\"}));
}

TEST_F(OffLineQueueTest, DamagedLinesAreNamedNotRead)
{
    struct Case {
        const char* line;
        int fields;
        const char* problem;
    };
    const Case cases[] = {
        {"'a'\t'b'\t", 3, "2 values, expected 3"},
        {"'a'\t'b'\t'c'\t", 2, "3 values, expected 2"},
        {"'a'\t'b'\t'c", 3, "does not end with a TAB"},
        {"'a'\tb\t", 2, "value 1 is not quoted"},
        {"'a'\t'\x81'\t", 2, "value 1 is not valid CP949"},
    };
    for (const Case& c : cases) {
        const TOffLineLine parsed = ParseOffLineLine(c.line, c.fields);
        EXPECT_FALSE(parsed.Sound()) << c.line;
        EXPECT_NE(parsed.Problem.find(c.problem), std::string::npos) << parsed.Problem;
        EXPECT_TRUE(parsed.Values.empty());
    }
}

TEST_F(OffLineQueueTest, EveryQueueTheRecordingWritesExistsAndOtherNamesAreRefused)
{
    EXPECT_TRUE(store.AddOffLineData("Sale", saleValues("0001", 1, "Off Line")));
    EXPECT_TRUE(store.AddOffLineData("SaleCancel", saleValues("0002", 1, "")));
    EXPECT_TRUE(store.AddOffLineData("Pay", payValues("0001", "15000")));
    std::vector<std::string> card(24, "");
    card[0] = "20240105", card[3] = "0001", card[5] = "1", card[22] = "{-}";
    EXPECT_TRUE(store.AddOffLineData("Card", card));
    std::vector<std::string> cash(16, "");
    cash[0] = "20240105", cash[3] = "0001", cash[5] = "1", cash[14] = "{-}";
    EXPECT_TRUE(store.AddOffLineData("Cash", cash));
    EXPECT_EQ(store.Lines(TOffLineQueue::Cash).size(), 1u);

    EXPECT_FALSE(store.AddOffLineData("Receipt", payValues("0001", "1")));
    EXPECT_FALSE(store.AddOffLineData("sale", saleValues("0003", 1, "")));
    EXPECT_FALSE(store.AddOffLineData("Pay", {"20240105", "3101"}));  // too few values
    EXPECT_NE(log().find("IZC002-AddOffLineData-Receipt"), std::string::npos);
    EXPECT_NE(log().find("2 values, expected 21"), std::string::npos);
    EXPECT_EQ(store.Lines(TOffLineQueue::Sale).size(), 1u);
    EXPECT_EQ(store.Lines(TOffLineQueue::Pay).size(), 1u);
}

TEST_F(OffLineQueueTest, TheSameRecordAgainIsKeptOnceADifferentOneUnderItsKeyIsAConflict)
{
    ASSERT_TRUE(store.AddOffLineData("Sale", saleValues("0001", 1, "Off Line")));
    now = "20240105094500";  // queued again later: the same record
    EXPECT_TRUE(store.AddOffLineData("Sale", saleValues("0001", 1, "Off Line")));
    EXPECT_EQ(store.Lines(TOffLineQueue::Sale).size(), 1u);
    EXPECT_NE(FromCp949(store.Lines(TOffLineQueue::Sale)[0]).find("'20240105093000'"), std::string::npos);

    // Same first seven values, different remark: not dropped behind the first.
    EXPECT_FALSE(store.AddOffLineData("Sale", saleValues("0001", 1, "다른 전표")));
    EXPECT_NE(log().find("a different record is already queued under the same key"), std::string::npos);
    EXPECT_EQ(store.Lines(TOffLineQueue::Sale).size(), 1u);

    // A payment's eighth value (the amount) is part of its key.
    EXPECT_TRUE(store.AddOffLineData("Pay", payValues("0001", "15000")));
    EXPECT_TRUE(store.AddOffLineData("Pay", payValues("0001", "-2000")));
    EXPECT_EQ(store.Lines(TOffLineQueue::Pay).size(), 2u);
}

TEST_F(OffLineQueueTest, SavingReplacesFilesWholeAndRemovesEmptyQueues)
{
    ASSERT_TRUE(store.AddOffLineData("Pay", payValues("0001", "15000")));
    ASSERT_TRUE(store.AddOffLineData("Pay", payValues("0002", "8000")));
    ASSERT_TRUE(store.SaveOffLineData());
    EXPECT_EQ(file("Pay"), store.Lines(TOffLineQueue::Pay)[0] + "\r\n" + store.Lines(TOffLineQueue::Pay)[1] + "\r\n");
    EXPECT_EQ(file("Sale"), "<none>");

    const std::vector<std::string> queued = store.Lines(TOffLineQueue::Pay);
    store.Forget(TOffLineQueue::Pay, queued);
    ASSERT_TRUE(store.SaveOffLineData());
    EXPECT_FALSE(std::filesystem::exists(dir / "Pay"));
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

TEST_F(OffLineQueueTest, AFailedWriteKeepsTheGoodFile)
{
    ASSERT_TRUE(store.AddOffLineData("Pay", payValues("0001", "15000")));
    ASSERT_TRUE(store.SaveOffLineData());
    const std::string good = file("Pay");
    ASSERT_TRUE(store.AddOffLineData("Pay", payValues("0002", "8000")));
    // The temporary file cannot be created: a folder stands in its place.
    std::filesystem::create_directory(dir / ("Pay.tmp." + std::to_string(::getpid())));

    EXPECT_FALSE(store.SaveOffLineData());
    EXPECT_EQ(file("Pay"), good);
    ASSERT_NE(dialogs.last(), nullptr);
    EXPECT_EQ(dialogs.last()->text.rfind("Off Line 자료를 저장하지 못했습니다.\r전산팀에 문의하십시오.\r", 0), 0u);
    EXPECT_TRUE(dialogs.last()->beep);
    EXPECT_NE(log().find("IZC002-SaveOffLineData-1"), std::string::npos);
    EXPECT_EQ(store.Lines(TOffLineQueue::Pay).size(), 2u);  // memory keeps both for the next save
}

TEST_F(OffLineQueueTest, LoadingKeepsEveryLineReportsDamageAndClearsLeftovers)
{
    const std::string good = BuildOffLineLine(payValues("0001", "15000"), now);
    const std::string shortLine = "'20240105'\t'3101'\t";
    ASSERT_TRUE(WriteFileAtomically(dir / "Pay", good + "\r\n" + shortLine + "\r\n\r\n"));
    ASSERT_TRUE(WriteFileAtomically(dir / "Sale.tmp.4242", "half a line"));
    ASSERT_TRUE(WriteFileAtomically(dir / "Sale.tmp", "old leftover"));

    ASSERT_TRUE(store.LoadOffLineData());
    EXPECT_EQ(store.Lines(TOffLineQueue::Pay), (std::vector<std::string>{good, shortLine}));
    EXPECT_NE(log().find("Pay line 2: 2 values, expected 21"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "Sale.tmp.4242"));
    EXPECT_FALSE(std::filesystem::exists(dir / "Sale.tmp"));

    // Saving writes the damaged line back: it leaves only through the upload's aside file.
    ASSERT_TRUE(store.SaveOffLineData());
    EXPECT_EQ(file("Pay"), good + "\r\n" + shortLine + "\r\n");
}

TEST_F(OffLineQueueTest, AQueueFileNotYetLoadedIsNotWrittenOver)
{
    // Records queued before the start-up load (or without it) join the
    // file's records instead of replacing them.
    const std::string earlier = BuildOffLineLine(payValues("0001", "15000"), now);
    ASSERT_TRUE(WriteFileAtomically(dir / "Pay", earlier + "\r\n"));
    ASSERT_TRUE(store.AddOffLineData("Pay", payValues("0002", "8000")));
    EXPECT_TRUE(store.AddOffLineData("Pay", payValues("0001", "15000")));  // already in the file
    ASSERT_TRUE(store.SaveOffLineData());
    const auto lines = SplitQueueFile(file("Pay"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], earlier);
}

TEST_F(OffLineQueueTest, AsideFileCollectsLinesOnce)
{
    ASSERT_TRUE(store.KeepAside(TOffLineQueue::Sale, {"a\t", "b\t"}));
    ASSERT_TRUE(store.KeepAside(TOffLineQueue::Sale, {"b\t", "c\t"}));
    EXPECT_EQ(file("Sale.bad"), "a\t\r\nb\t\r\nc\t\r\n");
}

TEST_F(OffLineQueueTest, AnAsideFileThatCannotBeReadIsNotWrittenOver)
{
    // A path that is there but gives no bytes (here a link to a folder; on a
    // terminal, a file the program may not read or a bad sector) may hold
    // lines set aside before: the new ones are refused instead of replacing it.
    std::filesystem::create_directory(dir / "elsewhere");
    std::filesystem::create_directory_symlink(dir / "elsewhere", dir / "Sale.bad");
    std::string error;
    EXPECT_FALSE(store.KeepAside(TOffLineQueue::Sale, {"a\t"}, &error));
    EXPECT_NE(error.find("Sale.bad"), std::string::npos) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "Sale.bad"));
}

TEST_F(OffLineQueueTest, TrackDataIsNeverQueued)
{
    ASSERT_TRUE(store.AddOffLineData("Card", cardValues("0001", kTrack)));
    ASSERT_TRUE(store.AddOffLineData("Cash", cashValues("0001", "9410123456789012", kTrack)));
    // The same record queued again, without the track this time, is the same record.
    EXPECT_TRUE(store.AddOffLineData("Card", cardValues("0001", "")));
    ASSERT_EQ(store.Lines(TOffLineQueue::Card).size(), 1u);

    const TOffLineLine card = ParseOffLineLine(store.Lines(TOffLineQueue::Card)[0], 24);
    ASSERT_TRUE(card.Sound()) << card.Problem;
    EXPECT_EQ(card.Values[20], "");
    EXPECT_EQ(card.Values[8], "9410123456789012");  // what a cancellation needs stays
    EXPECT_EQ(card.Values[9], "2812");
    const TOffLineLine cash = ParseOffLineLine(store.Lines(TOffLineQueue::Cash)[0], 16);
    ASSERT_TRUE(cash.Sound()) << cash.Problem;
    EXPECT_EQ(cash.Values[9], "");
    EXPECT_EQ(cash.Values[8], "9410123456789012");

    ASSERT_TRUE(store.SaveOffLineData());
    for (const char* name : {"Card", "Cash"}) EXPECT_EQ(file(name).find("=2812"), std::string::npos) << name;
}

// Queue and aside files written by an older terminal: their track data is
// blanked and the files written again, before anything else reads them.
TEST_F(OffLineQueueTest, TrackDataAnOlderTerminalQueuedIsBlankedWhenLoaded)
{
    const std::string plain = BuildOffLineLine(cardValues("0001", ""), now);
    const std::string swiped = BuildOffLineLine(cardValues("0002", kTrack), now);
    std::vector<std::string> shifted = cardValues("0003", kTrack);
    shifted.erase(shifted.begin() + 5);  // damaged: every later value one place early
    const std::string damaged = BuildOffLineLine(shifted, now);
    ASSERT_TRUE(WriteFileAtomically(dir / "Card", JoinQueueFile({plain, swiped, damaged})));
    ASSERT_TRUE(WriteFileAtomically(dir / "Card.bad", JoinQueueFile({BuildOffLineLine(cardValues("0009", kTrack), now)})));
    const std::string typed = BuildOffLineLine(cashValues("0004", "01012345678", "01012345678"), now);
    ASSERT_TRUE(WriteFileAtomically(dir / "Cash", JoinQueueFile({typed})));
    const std::string pay = BuildOffLineLine(payValues("0001", "15000"), now);
    ASSERT_TRUE(WriteFileAtomically(dir / "Pay", JoinQueueFile({pay})));

    ASSERT_TRUE(store.LoadOffLineData());
    const std::string swipedNow = BuildOffLineLine(cardValues("0002", ""), now);
    shifted[19] = "";
    const std::string damagedNow = BuildOffLineLine(shifted, now);
    EXPECT_EQ(store.Lines(TOffLineQueue::Card), (std::vector<std::string>{plain, swipedNow, damagedNow}));
    EXPECT_EQ(SplitQueueFile(file("Card")), store.Lines(TOffLineQueue::Card));
    EXPECT_EQ(file("Card.bad"), JoinQueueFile({BuildOffLineLine(cardValues("0009", ""), now)}));
    // The identity as typed stays as the receipt's number; the copy where a
    // swipe would have been goes.
    EXPECT_EQ(store.Lines(TOffLineQueue::Cash), (std::vector<std::string>{BuildOffLineLine(cashValues("0004", "01012345678", ""), now)}));
    EXPECT_EQ(store.Lines(TOffLineQueue::Pay), (std::vector<std::string>{pay}));

    const std::string text = log();
    EXPECT_NE(text.find("Card: card track data blanked in 2 lines; the file was written again"), std::string::npos)
        << text;
    EXPECT_NE(text.find("Card.bad: card track data blanked in 1 line;"), std::string::npos) << text;
    EXPECT_NE(text.find("Cash: card track data blanked in 1 line;"), std::string::npos) << text;
    EXPECT_EQ(text.find("=2812"), std::string::npos) << text;
    EXPECT_EQ(text.find("9410123456789012"), std::string::npos) << text;
    for (const char* name : {"Card", "Card.bad", "Cash", "Pay"}) EXPECT_EQ(permsOf(dir / name), kOwnerOnly) << name;

    // Nothing is left to blank at the next start.
    ASSERT_TRUE(WriteFileAtomically(DayLogPath(ctx), ""));
    ASSERT_TRUE(store.LoadOffLineData());
    EXPECT_EQ(log().find("blanked"), std::string::npos) << log();
}

TEST_F(OffLineQueueTest, QueueAndAsideFilesAreReadableByTheOwnerOnly)
{
    ASSERT_TRUE(store.AddOffLineData("Pay", payValues("0001", "15000")));
    ASSERT_TRUE(store.SaveOffLineData());
    EXPECT_EQ(permsOf(dir / "Pay"), kOwnerOnly);
    ASSERT_TRUE(store.KeepAside(TOffLineQueue::Pay, {"a\t"}));
    EXPECT_EQ(permsOf(dir / "Pay.bad"), kOwnerOnly);
}

}  // namespace
}  // namespace pos::test
