// A reprinted receipt and its card slip as the receipt printer gets them:
// composed, turned into Star jobs, read back by the virtual printer and
// drawn, for a person to look at.

#include "ReprintFixture.h"

#include "PrinterDecoders.h"
#include "ReceiptImage.h"

#include "core/TextHelpers.h"
#include "devices/PrintMarkup.h"
#include "sales/reprint/ReprintLayout.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace pos::test {
namespace {

TEST(ReprintPictureTest, TheReprintAndItsCardSlipReadBackAndAreDrawn)
{
    TTerminalContext ctx;
    SkiHouseTerminal(ctx);
    const TReprintBill bill = SkiHouseBill(ctx);
    const TReprintPrint print = ComposeReprint(ctx, {TPrinterType::ptTSP600, TPrinterType::ptNone}, bill,
                                               {"20240105", "01", 12, true, false, true});
    ASSERT_EQ(print.plan.size(), 3u);  // the receipt, the card slip's company and customer copy

    // Each job as the printer receives it, in pieces, decoded on its own.
    std::vector<virt::TPrintDocument> docs;
    for (const std::size_t job : {0u, 1u}) {
        std::string wire;
        for (const TWireBlock& block : SplitIntoBlocks(ComposeStarJob(print.plan[job].text, true, "", "")))
            wire += block.bytes;
        virt::TStarDecoder decoder;
        decoder.onDocument = [&](virt::TPrintDocument d) { docs.push_back(std::move(d)); };
        for (std::size_t at = 0; at < wire.size(); at += 11) decoder.feed(std::string_view(wire).substr(at, 11));
    }
    ASSERT_EQ(docs.size(), 2u);
    for (const std::size_t job : {0u, 1u})
        EXPECT_EQ(docs[job].readable, Replace(print.plan[job].text, "\r", "\n") + "<LOGO 1><CUT partial>\n");

    QDir().mkpath(POS_ARTIFACT_DIR);
    const char* const names[] = {"reprint-receipt", "reprint-card-slip"};
    for (const std::size_t job : {0u, 1u}) {
        const QImage image = virt::RenderReceipt(docs[job]);
        EXPECT_GE(image.height(), static_cast<int>(docs[job].lines.size()) * virt::TRenderOptions{}.lineHeight);
        const QDir dir(POS_ARTIFACT_DIR);
        EXPECT_TRUE(image.save(dir.filePath(QString::fromLatin1(names[job]) + ".png")));
        QFile readable(dir.filePath(QString::fromLatin1(names[job]) + ".txt"));
        ASSERT_TRUE(readable.open(QIODevice::WriteOnly | QIODevice::Truncate));
        readable.write(docs[job].readable.c_str());
    }
}

}  // namespace
}  // namespace pos::test
