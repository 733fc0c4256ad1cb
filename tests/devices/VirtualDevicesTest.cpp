// The virtual devices' decoders and the receipt drawing.

#include "BocaDecoder.h"
#include "ByteText.h"
#include "PageDecoder.h"
#include "PrinterDecoders.h"
#include "ReceiptImage.h"
#include "SlipDecoders.h"

#include "core/Codec.h"
#include "core/TextHelpers.h"
#include "devices/CustomerDisplay.h"
#include "devices/EasyCheckFrame.h"
#include "devices/PrintMarkup.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace pos {
namespace {

using virt::TPrintDocument;

// Feeds a decoder one byte at a time: every command and every Korean
// character is then cut between two reads somewhere.
std::vector<TPrintDocument> decodeBytewise(virt::TPrinterDecoder& aDecoder, std::string_view aBytes)
{
    std::vector<TPrintDocument> docs;
    aDecoder.onDocument = [&](TPrintDocument d) { docs.push_back(std::move(d)); };
    for (char c : aBytes) aDecoder.feed(std::string_view(&c, 1));
    return docs;
}

std::string starWire(const std::string& aText)
{
    std::string out;
    for (const TWireBlock& b : SplitIntoBlocks(ComposeStarJob(aText, true, "", ""))) out += b.bytes;
    return out;
}

TEST(VirtualPrinterTest, StarBytesReadBackAsTheMarkup)
{
    struct Case {
        const char* text;
        const char* readable;
    };
    const Case cases[] = {
        {"{C}{Z}영수증{S}\r", "{C}{Z}영수증{S}\n<LOGO 1><CUT partial>\n"},
        {"{B}굵게{N} 보통\r{U}밑줄{N}{I}반전{N}\r", "{B}굵게{N} 보통\n{U}밑줄{N}{I}반전{N}\n<LOGO 1><CUT partial>\n"},
        {"{R}{X}가{Y}나{3}다{S}\r{L}끝", "{R}{X}가{Y}나{3}다{S}\n{L}끝<LOGO 1><CUT partial>\n"},
        {"{Q} 모르는 태그\r", "{Q} 모르는 태그\n<LOGO 1><CUT partial>\n"},
    };
    for (const Case& c : cases) {
        virt::TStarDecoder decoder;
        const auto docs = decodeBytewise(decoder, starWire(c.text));
        ASSERT_EQ(docs.size(), 1u) << c.text;
        EXPECT_EQ(docs[0].readable, c.readable);
        EXPECT_EQ(docs[0].cut, "partial");
    }
}

TEST(VirtualPrinterTest, StarAttributesReachTheDocument)
{
    virt::TStarDecoder decoder;
    int requests = 0, kicks = 0;
    decoder.onStatusRequest = [&] { ++requests; };
    decoder.onDrawerKick = [&] { ++kicks; };
    const auto docs = decodeBytewise(
        decoder, std::string(star::kStatusRequest) + starWire("{C}{Z}영수증{S}\r{B}합계{N} 9\r{R}{I}끝{N}\r") + "\x1c");
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(kicks, 1);
    ASSERT_EQ(docs.size(), 1u);
    const auto& lines = docs[0].lines;
    ASSERT_EQ(lines.size(), 4u);  // three lines and the logo
    EXPECT_EQ(lines[0].align, virt::TAlign::Center);
    ASSERT_EQ(lines[0].runs.size(), 1u);
    EXPECT_EQ(lines[0].runs[0].text, "영수증");
    EXPECT_EQ(lines[0].runs[0].attrs.width, 2);
    EXPECT_EQ(lines[0].runs[0].attrs.height, 2);
    ASSERT_EQ(lines[1].runs.size(), 2u);
    EXPECT_TRUE(lines[1].runs[0].attrs.bold);
    EXPECT_FALSE(lines[1].runs[1].attrs.bold);
    EXPECT_EQ(lines[1].align, virt::TAlign::Center);  // alignment stays until changed
    EXPECT_EQ(lines[2].align, virt::TAlign::Right);
    EXPECT_TRUE(lines[2].runs[0].attrs.highlight);
    EXPECT_EQ(lines[3].logo, 1);
}

// The readable text names the tags by the printers' own commands: a byte
// that belongs to no tag shows as what it does, never as a near tag.
TEST(VirtualPrinterTest, StarCommandsThatAreNoTagReadAsWhatTheyDo)
{
    virt::TStarDecoder decoder;
    const auto docs = decodeBytewise(decoder, test::Hex("1B 69 31 30") + "A\n" + test::Hex("1B 69 30 32") + "B\n" +
                                                  test::Hex("1B 1D 61 33") + "C\n" + test::Hex("1B 64 33"));
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(docs[0].readable, "{Y}A\n<size 3x1>B\n<align>C\n<CUT feed and partial>\n");
    EXPECT_EQ(docs[0].cut, "feed and partial");
}

// Bytes written by hand from the printers' command descriptions, not by the
// terminal's encoder: each tag's command reads back as the tag, the fixed
// commands as what they do, and a wrong byte reads visibly wrong.
TEST(VirtualPrinterTest, HandWrittenStarCommandsReadBack)
{
    struct Case {
        const char* hex;
        const char* readable;
    };
    const Case cases[] = {
        {"1B 40 1B 46 1B 35 1B 2D 30 41 0A", "{N}A\n"},
        {"1B 40 1B 45 41 0A", "{B}A\n"},
        {"1B 40 1B 34 41 0A", "{I}A\n"},
        {"1B 40 1B 2D 31 41 0A", "{U}A\n"},
        {"1B 40 1B 1D 61 30 41 0A", "{L}A\n"},
        {"1B 40 1B 1D 61 31 41 0A", "{C}A\n"},
        {"1B 40 1B 1D 61 32 41 0A", "{R}A\n"},
        {"1B 40 1B 69 30 30 41 0A", "{S}A\n"},
        {"1B 40 1B 69 30 31 41 0A", "{X}A\n"},
        {"1B 40 1B 69 31 30 41 0A", "{Y}A\n"},
        {"1B 40 1B 69 31 31 41 0A", "{Z}A\n"},
        {"1B 40 1B 69 32 32 41 0A", "{3}A\n"},
        // "주문" in CP949, the stored logo, a cut at once.
        {"1B 40 C1 D6 B9 AE 0A 1B 1C 70 01 30 1B 64 31", "주문\n<LOGO 1><CUT partial>\n"},
        {"1B 40 41 0A 1B 64 33", "A\n<CUT feed and partial>\n"},
        // Wrong bytes: double width with its digits swapped is double
        // height; "{N}" without its last byte takes the text as its
        // parameter; a size digit that no tag uses.
        {"1B 40 1B 69 31 30 41 0A", "{Y}A\n"},
        {"1B 40 1B 46 1B 35 1B 2D 41 42 0A", "<bold off><highlight off><underline on>B\n"},
        {"1B 40 1B 69 30 33 41 0A", "<size 4x1>A\n"},
    };
    for (const Case& c : cases) {
        virt::TStarDecoder decoder;
        std::string bytes = test::Hex(c.hex);
        if (bytes.find(test::Hex("1B 64")) == std::string::npos) bytes += test::Hex("1B 64 31");
        const auto docs = decodeBytewise(decoder, bytes);
        ASSERT_EQ(docs.size(), 1u) << c.hex;
        std::string readable = docs[0].readable;
        if (std::string_view(c.readable).find("<CUT") == std::string_view::npos) {
            const std::size_t cut = readable.rfind("<CUT partial>\n");
            ASSERT_NE(cut, std::string::npos) << c.hex;
            readable.erase(cut);
        }
        EXPECT_EQ(readable, c.readable) << c.hex;
    }

    virt::TStarDecoder decoder;
    int requests = 0, kicks = 0;
    decoder.onStatusRequest = [&] { ++requests; };
    decoder.onDrawerKick = [&] { ++kicks; };
    decodeBytewise(decoder, test::Hex("1B 06 01 1C"));
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(kicks, 1);
}

TEST(VirtualPrinterTest, HandWrittenKitchenCommandsReadBack)
{
    struct Case {
        const char* hex;
        const char* readable;
    };
    const Case cases[] = {
        // Initialise, the four sizes, the CR LF of every line, feed 0 and the
        // partial cut.
        {"1B 40 1D 21 10 C1 D6 B9 AE 1D 21 00 0D 0A 1D 21 01 41 1D 21 11 42 0D 0A 1B 4A 00 1D 56 01",
         "{X}주문{S}\n{Y}A{Z}B\n<FEED 0><CUT partial>\n"},
        // Tags the kitchen printer does not know print as they are.
        {"1B 40 7B 42 7D 41 0D 0A 1D 56 01", "{B}A\n<CUT partial>\n"},
        // Wrong bytes: the Star size command means nothing here; width and
        // height swapped read as the other size.
        {"1B 40 1B 69 30 31 41 0D 0A 1D 56 01", "<1B 69>01A\n<CUT partial>\n"},
        {"1B 40 1D 21 01 41 0D 0A 1D 56 01", "{Y}A\n<CUT partial>\n"},
    };
    for (const Case& c : cases) {
        virt::TEscPosDecoder decoder;
        const auto docs = decodeBytewise(decoder, test::Hex(c.hex));
        ASSERT_EQ(docs.size(), 1u) << c.hex;
        EXPECT_EQ(docs[0].readable, c.readable) << c.hex;
    }
}

TEST(VirtualPrinterTest, KitchenSlipReadsBack)
{
    virt::TEscPosDecoder decoder;
    const auto docs = decodeBytewise(decoder, ComposeSrp350Job("{B}김치{X}2{S}\r", true));
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(docs[0].readable, "{B}김치{X}2{S}\n\n\n\n{Z}       SAMPLE{S}\n<FEED 0><CUT partial>\n");
    EXPECT_EQ(docs[0].lines[0].runs[1].attrs.width, 2);
}

TEST(VirtualDeviceTest, DisplayAndCardSlipDecoders)
{
    virt::TDisplayDecoder display;
    const TDisplayWrites w = LineDisplayBytes("김치찌개 8,000", "");
    for (char c : std::string(kDisplayClear) + w.line1 + w.line2) display.feed(std::string_view(&c, 1));
    EXPECT_EQ(display.line1(), "김치찌개 8,000");
    EXPECT_EQ(display.line2(), "     Orvo Resort");
    EXPECT_EQ(display.readable(),
              "+--------------------+\n|김치찌개 8,000      |\n|     Orvo Resort    |\n+--------------------+\n");

    virt::TEasyCheckDecoder slip;
    std::vector<std::string> texts;
    slip.onFrame = [&](const std::string&, const std::string& aText) { texts.push_back(aText); };
    const std::string frame =
        BuildEasyCheckFrame({1, true, 5000, "1234567812345678", "2712", 0, "A1", "신한", "비씨", "M1", "20240105"},
                            {"3001", "05", "", "", "", "", "", "", "", ""});
    slip.feed("junk" + frame.substr(0, 10));
    slip.feed(frame.substr(10));
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].substr(0, 13), "3001 05 0001\n");
    EXPECT_NE(texts[0].find("신용구매"), std::string::npos);
}

// A TSP800 page written out by hand, fed one byte at a time.
TEST(VirtualPrinterTest, PageModeDecodesFieldsRulesAndTheCut)
{
    const std::string end("\n\0", 2);
    const std::string bytes = std::string("\x1b\x06\x01") + "\x1b" "C" + end + "\x1b" "D1980" + end +
                              "\x1b" "PC30;0200,0010,2,2,3,00,02" + end + "\x1b" "PC01;0140,0485,1,1,3,03,02" + end +
                              "\x1b" "PC02;0140,0540,1,1,3,00,02" + end + "\x1b" "RC30;" + ToCp949("솔바람") + end +
                              "\x1b" "RC01;" + ToCp949("첫 줄") + end + "\x1b" "L03;0140,0605,0880,0605,0,6" + end +
                              "\x1b" "Q?" + end + "\x1b" "B" + end + "\x1b" "I" + end + "\x1b" "C" + end +
                              "\x1b" "B@" + end;
    virt::TStarPageDecoder decoder;
    int requests = 0;
    std::vector<virt::TPagePrint> pages;
    decoder.onStatusRequest = [&] { ++requests; };
    decoder.onPage = [&](virt::TPagePrint p) { pages.push_back(std::move(p)); };
    for (char c : bytes) decoder.feed(std::string_view(&c, 1));

    EXPECT_EQ(requests, 1);
    ASSERT_EQ(pages.size(), 2u);
    const virt::TPagePrint& p = pages[0];
    EXPECT_EQ(p.length, 1980);
    EXPECT_TRUE(p.cut);
    EXPECT_EQ(p.fields.at(30).text, "솔바람");
    EXPECT_EQ(p.fields.at(30).width, 2);
    EXPECT_EQ(p.fields.at(1).rotation, 270);
    EXPECT_EQ(p.fields.at(1).y, 485);
    EXPECT_FALSE(p.fields.at(2).filled);
    EXPECT_EQ(p.rules.at(3).kind, 6);
    EXPECT_EQ(p.rules.at(3).x2, 880);
    EXPECT_EQ(p.readable(), "<PAGE 1980 dots>\n"
                            "0200,0010 [30] 2x2  솔바람\n"
                            "0140,0485 [01] 1x1 rot 270  첫 줄\n"
                            "0140,0605 [03] rule to 0880,0605  ==========\n"
                            "<unknown <1B 51 3F>>\n"
                            "<CUT>\n");
    EXPECT_EQ(p.text(), "솔바람\n첫 줄\n");
    EXPECT_FALSE(pages[1].cut);
    EXPECT_TRUE(pages[1].fields.empty());
}

// A Boca ticket written out by hand, in two pieces that cut a tag and a
// Korean character in half.
TEST(VirtualPrinterTest, BocaLanguageDecodesFieldsAndBarCode)
{
    const std::string bytes = "<S1><dpl><CB><RL><RC510,145><HW5,4><F1>2006/2007<NR><RC10,100><HW3,4><SF1>" +
                              ToCp949("눈썰매") + "<RL><RC750,670><HW1,1><SF1><NL7><X2>*2006110533 01*<ZZ><q><CB><p>";
    virt::TBocaDecoder decoder;
    int requests = 0, starts = 0;
    std::vector<virt::TBocaTicket> tickets;
    decoder.onStatusRequest = [&] { ++requests; };
    decoder.onStart = [&] { ++starts; };
    decoder.onTicket = [&](virt::TBocaTicket t) { tickets.push_back(std::move(t)); };
    const std::size_t cut = bytes.find(ToCp949("썰")) + 1;
    decoder.feed(bytes.substr(0, 6));
    decoder.feed(bytes.substr(6, cut - 6));
    decoder.feed(bytes.substr(cut));

    EXPECT_EQ(requests, 1);
    EXPECT_EQ(starts, 1);
    ASSERT_EQ(tickets.size(), 2u);
    const virt::TBocaTicket& t = tickets[0];
    ASSERT_EQ(t.fields.size(), 3u);
    EXPECT_EQ(t.fields[0].rotation, 270);
    EXPECT_EQ(t.fields[0].font, 1);
    EXPECT_EQ(t.fields[0].height, 5);
    EXPECT_EQ(t.fields[0].width, 4);
    EXPECT_EQ(t.fields[1].text, "눈썰매");
    EXPECT_TRUE(t.fields[1].storedFont);
    EXPECT_TRUE(t.fields[2].barcode);
    EXPECT_EQ(t.fields[2].text, "*2006110533 01*");
    EXPECT_FALSE(t.cut);
    EXPECT_EQ(t.readable(), "270 deg r0510 c0145 F1     5x4  2006/2007\n"
                            "  0 deg r0010 c0100 stored 3x4  눈썰매\n"
                            "270 deg r0750 c0670 stored 1x1  [bar code <NL7><X2>] *2006110533 01*\n"
                            "<unknown tag <ZZ>>\n"
                            "<PRINT, NO CUT>\n");
    EXPECT_TRUE(tickets[1].cut);
    EXPECT_TRUE(tickets[1].fields.empty());
}

// A sample Korean receipt, drawn: the picture a person looks at.
TEST(ReceiptImageTest, SampleKoreanReceipt)
{
    auto row = [](const std::string& aName, const std::string& aQty, const std::string& aAmount) {
        return RPad(aName, 22) + LPad(aQty, 6) + LPad(aAmount, 14) + "\r";
    };
    const std::string rule(42, '-');
    std::string text = "{C}{Z}오르보 리조트{S}\r";
    text += "{C}스키하우스 한식당\r";
    text += "{L}사업자번호 123-45-67890   대표 김대표\r";
    text += "강원도 홍천군 서면 한치골길 262\r" + rule + "\r";
    text += "{B}영 수 증{N}" + LPad("2024-01-05 12:34", 34) + "\r";
    text += "POS 05  영수증번호 0012    담당 홍길동\r" + rule + "\r";
    text += row("상품명", "수량", "금액") + rule + "\r";
    text += row("김치찌개", "2", "16,000") + row("돈까스(대)", "1", "12,000") + row("생맥주 500cc", "3", "15,000");
    text += rule + "\r";
    text += "{X}합계" + LPad("43,000", 17) + "{S}\r";
    text += "받은금액" + LPad("50,000", 34) + "\r";
    text += "거스름돈" + LPad("7,000", 34) + "\r";
    text += "{I} 신용카드 승인 {N}" + LPad("A123456", 26) + "\r";
    text += "{U}카드번호 1234-5678-****-5678{N}\r";
    text += "{C}{Y}감사합니다{S}\r{R}또 오세요!\r";
    ASSERT_EQ(Cp949Width(row("김치찌개", "2", "16,000")) - 1, kReceiptColumns);

    virt::TStarDecoder decoder;
    const auto docs = decodeBytewise(decoder, starWire(text));
    ASSERT_EQ(docs.size(), 1u);
    const QImage image = virt::RenderReceipt(docs[0]);
    virt::TRenderOptions o;
    EXPECT_EQ(image.width(), o.columns * o.cellWidth + 2 * o.margin);

    // The white-on-black line is black behind its text, and text is drawn.
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 100;
    EXPECT_GT(dark, 2000);

    QDir().mkpath(POS_ARTIFACT_DIR);
    const QString png = QDir(POS_ARTIFACT_DIR).filePath("receipt-sample.png");
    EXPECT_TRUE(image.save(png));
    QFile readable(QDir(POS_ARTIFACT_DIR).filePath("receipt-sample.txt"));
    ASSERT_TRUE(readable.open(QIODevice::WriteOnly | QIODevice::Truncate));
    readable.write(docs[0].readable.c_str());
}

}  // namespace
}  // namespace pos
