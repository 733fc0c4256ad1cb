#pragma once
// A terminal of the restaurant "3101" (two goods, cash and room charge
// offered) settling bills against the real server of scripts/db and the
// real off-line queue, with a scripted payment screen and the bill printer
// the test chooses.

#include "SaleFixture.h"
#include "ServerTerminal.h"

#include "lookups/Lookups.h"
#include "sales/SaleBill.h"
#include "sales/SaleView.h"
#include "sales/recording/BillNumbers.h"
#include "sales/recording/PayRecording.h"
#include "sales/recording/Settlement.h"
#include "sync/OffLineQueue.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pos::test {

struct View final : TSaleView {
    explicit View(TSaleBill& aBill) : bill(aBill) {}
    TSaleBill& Bill() override { return bill; }
    void ShowBillNo() override {}
    void ShowSaleGubun() override {}
    void ShowCashier() override {}
    void ShowWaitCount() override {}
    void PressFirstMenuGroup() override {}
    void ReloadMenus() override {}
    void Refresh() override {}
    void ShowMessage(const std::string& aText, bool, int) override { messages.push_back(aText); }
    void SetEnabled(bool) override {}
    void CloseScreen() override {}
    TSaleBill& bill;
    std::vector<std::string> messages;
};

// The cashier at the payment screen: enters the scripted tender lines; the
// lines cover the bill, so the recording runs and the screen closes when it
// stored the payment. aBeforeClose runs after the recording (a cable pulled
// there, say).
struct PayScreen final : TPaymentScreen {
    bool OffersTenders() override { return true; }
    bool Run(TPayRecorder& aRecorder, Currency aDue, TPayShown& aShown) override
    {
        TPayLines lines = tenders;
        lines.due = aDue;
        lines.change = lines.received - aDue;
        const TPaySaveResult saved = aRecorder.SavePayData(lines);
        refused = saved.selectKind;
        if (!saved.saved) return false;
        if (afterSave) afterSave();
        aShown = {lines.received, lines.change, lines.cash.empty() ? Currency() : lines.cash.front().Amt};
        return true;
    }
    void BillStored(const TPayLines& aLines) override { stored.push_back(aLines.received); }
    void BillNotStored(const TPayLines& aLines) override
    {
        notStored.push_back(aLines.received);
        if (whenNotStored) whenNotStored();
    }
    void cash(Currency aAmount)
    {
        TPayCashList line;
        line.ManYNName = "현금";
        line.Amt = line.AgreeAmt = aAmount;
        line.AgreeDate = "20261209";
        tenders.cash.push_back(line);
        tenders.received += aAmount;
    }
    void card(Currency aAmount, const std::string& aCardNo, const std::string& aAgreeNo)
    {
        TPayCardList line;
        line.CardNo = aCardNo;
        line.VaildThru = "29/12";
        line.HalbuMonth = "0개월";
        line.AgreeNo = aAgreeNo;
        line.Amt = aAmount;
        line.AgreeDate = "20261209";
        line.KeyIn = true;
        tenders.card.push_back(line);
        tenders.received += aAmount;
    }
    TPayLines tenders;
    std::function<void()> afterSave;
    std::int64_t refused = 0;
    std::vector<Currency> stored;  // what the payments of the stored bills received
    std::vector<Currency> notStored;  // the same of the bills that failed after the payment
    std::function<void()> whenNotStored;
};

struct Printer final : TBillPrinter {
    void PrintBill(const TStoredBill& aBill, bool aDrawer) override
    {
        printed.push_back(aBill.sale.total);
        drawer.push_back(aDrawer);
    }
    std::vector<Currency> printed;
    std::vector<bool> drawer;
};

class SettlementFixture : public ServerTerminal {
protected:
    SettlementFixture()
    {
        ctx.gsToday = ctx.gsSaleDate = "20261209";
        ctx.gsMasterUpjangCode = ctx.gsUpjangCode = "3101";
        ctx.gsMasterUpjangName = "한식당";
        ctx.gsMasterPosNo = ctx.gsPosNo = "01";
        ctx.gsCashier = "1001";
        ctx.gsIP = "10.0.0.7";
        const int u = store.AddUpjangData();
        store.SetUpjangData(u, UpjangItem::UpjangCode, "3101");
        store.SetUpjangData(u, UpjangItem::PosNo, "01");
        store.SetUpjangData(u, UpjangItem::UpjangType, "30");
        store.SetUpjangData(u, UpjangItem::OffLineYN, "Y");
        addGoods("1001", "김치찌개", "9000");
        addGoods("1002", "비빔밥", "11000");
        payScreen.tenders.offeredKinds = {ctx.giPayCash, ctx.giPayRoom};
        numbers.Load();
    }

    void addGoods(const std::string& aCode, const std::string& aName, const std::string& aPrice)
    {
        const int g = store.AddGoodsData();
        store.SetGoodsData(g, GoodsItem::UpjangCode, "3101");
        store.SetGoodsData(g, GoodsItem::MenuCode, aCode);
        store.SetGoodsData(g, GoodsItem::MenuName, aName);
        store.SetGoodsData(g, GoodsItem::SeasonCode, "1");
        store.SetGoodsData(g, GoodsItem::BusinessGubun, "1");
        store.SetGoodsData(g, GoodsItem::SaleUnitAmt, aPrice);
    }
    void ringUp(const std::string& aCode, int aCount = 1)
    {
        bill.entry.menuCode = aCode;
        bill.entry.saleCount = Currency(aCount);
        ASSERT_NE(bill.AddSaleList(0, std::nullopt), TAddResult::UnknownCode);
    }
    TSettlement::TOutcome settle() { return settlement->Pay(view); }

    // What the server holds of bill aBillNo: sale rows, and payment rows' sum.
    int saleRows(const char* aBillNo) const
    {
        return count(std::string("SELECT count(*) FROM sale WHERE bill_no = '") + aBillNo + "'");
    }
    std::string paid(const char* aBillNo) const
    {
        return db.query(std::string("SELECT coalesce(sum(amt), 0)::bigint FROM pay WHERE bill_no = '") + aBillNo + "'");
    }
    int lines() const { return bill.Lines().GetCount(); }
    int queued(TOffLineQueue aQueue) const { return static_cast<int>(queues.Lines(aQueue).size()); }

    TNoMasterServer noServer;
    TMasterStore store{ctx, dialogs, noServer};
    RecordingHooks hooks{ctx};
    TSaleBill bill{ctx, store, dialogs, hooks};
    View view{bill};
    PayScreen payScreen;
    Printer printer;
    TOffLineStore queues{ctx, dialogs};
    TBillNumbers numbers{ctx, dialogs};
    TLookups lookups{*data, store};
    std::unique_ptr<TSettlement> settlement = std::make_unique<TSettlement>(
        ctx, store, *data, queues, numbers, lookups, dialogs, payScreen, printer);
};

}  // namespace pos::test
