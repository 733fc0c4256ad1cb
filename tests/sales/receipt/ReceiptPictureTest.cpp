// A whole receipt as the receipt printer gets it: composed, turned into the
// Star job's bytes, read back by the virtual printer and drawn. The decoder
// knows the printer's commands, not our composition, so reading back the
// exact markup shows that the text survives the codec and the tags.

#include "ReceiptFixture.h"

#include "PrinterDecoders.h"
#include "ReceiptImage.h"

#include "core/TextHelpers.h"
#include "devices/PrintMarkup.h"
#include "payment/PayLines.h"
#include "sales/receipt/PayReceipt.h"
#include "sales/receipt/PrintPlan.h"

#include <QDir>
#include <QFile>

namespace pos::test {
namespace {

using ReceiptPictureTest = ReceiptFixture;

TEST_F(ReceiptPictureTest, CardAndCashReceiptBillReadsBackAndIsDrawn)
{
    TSaleReceipt sale = receipt(kTSP600);
    sale.AddLine(Line("김치찌개", 2, 8000), {8000, 16000, 14545, 1455, 0, 0, 0});
    sale.AddLine(Line("생수", 1, 1000, context.gsTaxGubunDutyfree), TaxFreeRows(1000));
    TPayReceipt pay(context, store, kTSP600, header(), 17000, 0);
    TPayCardList card;
    card.CardNo = "9410123456785678";
    card.Amt = 12000;
    TPayCashList cash;
    cash.CardName = "휴대폰 : 010-1234-****";
    cash.AgreeNo = "87654321";
    cash.AgreeAmt = cash.Amt = 5000;
    pay.AddCard(card);
    pay.AddCash(cash);
    const TPrintPlan plan = PlanSettledBill({kTSP600, 0, sale.Finish(0, 17000), pay.Finish(), false});
    ASSERT_FALSE(plan.empty());
    const std::string text = plan[0].text;

    std::string wire;
    for (const TWireBlock& block : SplitIntoBlocks(ComposeStarJob(text, true, "", ""))) wire += block.bytes;
    virt::TStarDecoder decoder;
    std::vector<virt::TPrintDocument> docs;
    decoder.onDocument = [&](virt::TPrintDocument d) { docs.push_back(std::move(d)); };
    for (std::size_t at = 0; at < wire.size(); at += 7) decoder.feed(std::string_view(wire).substr(at, 7));
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(docs[0].readable, Replace(text, "\r", "\n") + "<LOGO 1><CUT partial>\n");

    // The title and the totals print in double width.
    ASSERT_FALSE(docs[0].lines.empty());
    ASSERT_FALSE(docs[0].lines[0].runs.empty());
    EXPECT_EQ(docs[0].lines[0].runs[0].attrs.width, 2);

    const QImage image = virt::RenderReceipt(docs[0]);
    EXPECT_GE(image.height(), static_cast<int>(docs[0].lines.size()) * virt::TRenderOptions{}.lineHeight);
    QDir().mkpath(POS_ARTIFACT_DIR);
    EXPECT_TRUE(image.save(QDir(POS_ARTIFACT_DIR).filePath("receipt-settled-bill.png")));
    QFile readable(QDir(POS_ARTIFACT_DIR).filePath("receipt-settled-bill.txt"));
    ASSERT_TRUE(readable.open(QIODevice::WriteOnly | QIODevice::Truncate));
    readable.write(docs[0].readable.c_str());
}

}  // namespace
}  // namespace pos::test
