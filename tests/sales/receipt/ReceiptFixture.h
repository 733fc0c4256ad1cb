#pragma once
// A terminal of the ski house restaurant, bill 0012 of 5 January 2024 at
// 14:30, cashier 홍길동, with the store the receipts read (the own outlet and
// the tender list), and helpers for bill lines and their stored rows.

#include "core/Codec.h"
#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "sales/CommandBar.h"
#include "sales/SaleList.h"
#include "sales/receipt/BillHeader.h"
#include "sales/receipt/ReceiptFormat.h"
#include "sales/receipt/SaleReceipt.h"
#include "store/MasterStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pos::test {

inline constexpr TPrinters kTSP600{TPrinterType::ptTSP600, TPrinterType::ptNone};
inline constexpr TPrinters kTSP800{TPrinterType::ptTSP800, TPrinterType::ptNone};

// The taxable row split of one line: net a tenth below the sale, rounded to
// the won, VAT the rest (what the recording stores for an ordinary line).
inline TRowAmounts TaxableRows(Currency aSale)
{
    const Currency net = RoundNumber(aSale / Currency::fromRaw(11000), 1);
    return {aSale, aSale, net, aSale - net, 0, 0, 0};
}
inline TRowAmounts TaxFreeRows(Currency aSale) { return {aSale, aSale, aSale, 0, 0, 0, 0}; }

// No line of a print text is wider than the 42 columns of the paper once the
// tags are taken out; text in double width counts twice.
inline void ExpectReceiptWidth(const std::string& aText)
{
    for (const std::string& line : SplitLines(aText)) {
        int width = 0, factor = 1;
        for (std::size_t i = 0; i < line.size();) {
            if (line[i] == '{' && i + 2 < line.size() && line[i + 2] == '}') {
                const char tag = line[i + 1];
                if (tag == 'X' || tag == 'Z') factor = 2;
                if (tag == 'S') factor = 1;
                i += 3;
                continue;
            }
            const CharStep step = NextChar(line, i);
            width += step.width * factor;
            i += step.utf8Len;
        }
        EXPECT_LE(width, kReceiptWidth) << "'" << line << "'";
    }
}

class ReceiptFixture : public ::testing::Test {
protected:
    ReceiptFixture() : store(context, dialogs, noServer)
    {
        context.gsToday = context.gsSaleDate = "20240105";
        context.gsMasterUpjangCode = context.gsUpjangCode = "3101";
        context.gsMasterUpjangName = "스키하우스";
        context.gsMasterPosNo = context.gsPosNo = "01";
        context.gsBillNo = "0012";
        context.gsCashierName = "홍길동";
        TUpjangData outlet;
        outlet.UpjangCode = "3101";
        outlet.PosNo = "01";
        outlet.UpjangName = "스키하우스";
        outlet.UpjangType = context.gsUpjangTypeFnB;
        store.glUpjangData.push_back(outlet);
        store.AddPayData("현금", context.giPayCash);
        store.AddPayData("신용카드", context.giPayCard);
        store.AddPayData("객실후불", context.giPayRoom);
    }

    TUpjangData& outlet() { return store.glUpjangData.front(); }

    void startReturnBill()
    {
        context.giSaleGubun = 2;
        context.giSign = -1;
    }

    std::string header() { return BillHeaderLine(context, "143015", IsTableOutlet(context, store)); }

    TSaleReceipt receipt(TPrinters aPrinters, bool aCancelled = false)
    {
        return TSaleReceipt(context, store, aPrinters, commands, aCancelled, header());
    }

    static TSaleList Line(const std::string& aName, std::int64_t aCount, std::int64_t aUnit,
                          const std::string& aTaxCode = "1")
    {
        TSaleList line;
        line.MenuName = aName;
        line.SaleCount = Currency(aCount);
        line.SaleUnitAmt = Currency(aUnit);
        line.SaleAmt = Currency(aCount * aUnit);
        line.TaxCalcuCode = aTaxCode;
        return line;
    }

    TTerminalContext context;
    ScriptedDialogService dialogs;
    TNoMasterServer noServer;
    TMasterStore store;
    TCommandBar commands;
};

}  // namespace pos::test
