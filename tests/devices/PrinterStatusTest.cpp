#include "ByteText.h"

#include "devices/PrinterStatus.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

using test::Hex;

struct StatusCase {
    const char* bytes;  // seven bytes, hex
    TStarStatus status;
    const char* message;  // printer 1
};

TEST(PrinterStatusTest, SevenBytesGiveTheFirstCauseInOrder)
{
    const StatusCase cases[] = {
        {"0F 00 00 00 00 00 00", TStarStatus::OnLine, ""},
        // Everything else set, but byte 3 says on line: printed.
        {"0F 00 20 68 40 08 00", TStarStatus::OnLine, ""},
        {"0F 00 28 00 00 00 00", TStarStatus::CoverOpen, "프린터(COM1) 덮개가 열려 있습니다."},
        {"0F 00 28 68 40 08 00", TStarStatus::CoverOpen, "프린터(COM1) 덮개가 열려 있습니다."},
        {"0F 00 08 08 00 00 00", TStarStatus::CutterError, "프린터(COM1) 커터에 문제가 있습니다."},
        {"0F 00 08 20 00 00 00", TStarStatus::Unrecoverable,
         "프린터(COM1)에 심각한 문제가 있습니다.\r전원을 껐다 다시 켜십시오."},
        {"0F 00 08 40 00 00 00", TStarStatus::HeadTooHot,
         "프린터(COM1) 헤드 온도가 높습니다.\r전원을 끄고 10분 후 다시 시도하십시오."},
        {"0F 00 08 00 40 00 00", TStarStatus::BufferFull, "프린터(COM1) 버퍼가 꽉 찼습니다.\r잠시 후 다시 시도하십시오."},
        {"0F 00 08 00 00 08 00", TStarStatus::PaperOut, "프린터(COM1) 용지가 없거나 잘못 끼워져 있습니다."},
        {"0F 00 08 00 00 00 00", TStarStatus::OffLine, "프린터(COM1)가 Off Line 상태입니다."},
    };
    for (const StatusCase& c : cases) {
        const TStarStatus status = EvaluateStarStatus(Hex(c.bytes));
        EXPECT_EQ(status, c.status) << c.bytes;
        EXPECT_EQ(StarStatusMessage(status, 1), c.message) << c.bytes;
    }
    EXPECT_EQ(StarStatusMessage(TStarStatus::OffLine, 2), "프린터(COM2)가 Off Line 상태입니다.");
}

TEST(PrinterStatusTest, AnswerIsTakenWhenComplete)
{
    struct Case {
        const char* received;
        const char* taken;  // nullptr: wait for more
    };
    const Case cases[] = {
        {"", nullptr},
        {"0F 00 08", nullptr},                              // first part of a split answer
        {"0F 00 08 00 00 08 00", "0F 00 08 00 00 08 00"},   // both parts together
        {"00 0F 00 00 00 00 00 00", "0F 00 00 00 00 00 00"}, // a stray byte in front
        // The newer 9-byte answer: its status bytes are its first seven, and it
        // is complete only with all nine (a cut to the last seven would read
        // byte 5 as the on-line flag).
        {"23 86 08 00 00 08 00 00", nullptr},
        {"23 86 08 00 00 08 00 00 00", "23 86 08 00 00 08 00"},
        // Seven bytes without a header still make an answer: the last seven.
        {"AA 00 00 00 00 00 00 00", "00 00 00 00 00 00 00"},
    };
    for (const Case& c : cases) {
        const auto taken = TakeStarStatusReply(Hex(c.received));
        if (c.taken == nullptr) {
            EXPECT_FALSE(taken.has_value()) << c.received;
        } else {
            ASSERT_TRUE(taken.has_value()) << c.received;
            EXPECT_EQ(test::ToHex(*taken), c.taken);
        }
    }
    EXPECT_EQ(EvaluateStarStatus(*TakeStarStatusReply(Hex("23 86 08 00 00 08 00 00 00"))), TStarStatus::PaperOut);
}

TEST(PrinterStatusTest, TicketPrinterStatusBytes)
{
    struct Case {
        unsigned char byte;
        TPrinterType type;
        const char* message;  // nullptr: nothing
        bool jam;
    };
    const Case cases[] = {
        {24, TPrinterType::ptBoca, "프린터(COM1) 용지가 걸렸습니다.", true},
        {3, TPrinterType::ptBoca, "프린터(COM1) 용지가 걸렸습니다.", false},
        {252, TPrinterType::ptFlotec, "프린터(COM1) 용지가 걸렸습니다.", false},
        {21, TPrinterType::ptFlotec, "프린터(COM1)에 자료를 전송할 수 없습니다.", true},
        {21, TPrinterType::ptBoca, "프린터(COM1)에 자료를 전송할 수 없습니다.", false},
        {12, TPrinterType::ptBoca, "프린터(COM1) 용지가 없거나 잘못 끼워져 있습니다.", false},
        {19, TPrinterType::ptBoca, "프린터(COM1)가 Off Line 상태입니다.", false},
        {29, TPrinterType::ptFlotec, "프린터(COM1) 커터에 문제가 있습니다.", false},
        {17, TPrinterType::ptBoca, nullptr, false},   // ready: read by the ticket driver
        {24, TPrinterType::ptTSP600, nullptr, false}, // only ticket printers speak this way
    };
    for (const Case& c : cases) {
        const auto event = InterpretTicketPrinterStatus(c.byte, c.type);
        if (c.message == nullptr) {
            EXPECT_FALSE(event.has_value()) << int(c.byte);
            continue;
        }
        ASSERT_TRUE(event.has_value()) << int(c.byte);
        EXPECT_EQ(event->message, c.message);
        EXPECT_EQ(event->jam, c.jam) << int(c.byte);
    }
}

}  // namespace
}  // namespace pos
