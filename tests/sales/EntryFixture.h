#pragma once
// The small resort of SaleFixture with menu groups and menu buttons, the
// navigator over them and item entry with scripted open prices and card
// numbers.

#include "SaleFixture.h"
#include "sales/ItemEntry.h"
#include "sales/SaleNavigator.h"

#include <deque>
#include <map>

namespace pos::test {

struct RecordingEntryHooks : TEntryHooks {
    int memberCards = 0, creditCards = 0;
    bool skiPackageOk = true;
    void MemberCardRead() override { ++memberCards; }
    void CreditCardRead() override { ++creditCards; }
    bool AddSkiSaleList(std::int64_t, std::optional<Currency>) override { return false; }
    bool SkiPackageScreen() override { return skiPackageOk; }
};

// The open-price screen, answered from a script; none left cancels.
struct ScriptedOpenPrices {
    struct OpenPrice {
        Currency price;  // -1 cancels
        std::int64_t correctAmt;
    };
    std::deque<OpenPrice> prices;
    Currency Ask(std::int64_t& aCorrectAmt)
    {
        if (prices.empty()) {
            aCorrectAmt = 0;
            return Currency(-1);
        }
        const OpenPrice p = prices.front();
        prices.pop_front();
        aCorrectAmt = p.price < Currency(0) ? 0 : p.correctAmt;
        return p.price;
    }
};

class EntryFixture : public SaleFixture {
protected:
    EntryFixture()
        : navigator(context, store, 5, 25),
          entry(context, store, bill, navigator, dialogs, entryHooks,
                [this](const std::string&, const std::string&, Currency, std::int64_t& c, const std::string&) {
                    ++openPriceAsked;
                    return openPrices.Ask(c);
                },
                [this](const std::string& text, std::int64_t& count) {
                    count = 0;
                    const auto found = cardNumbers.find(text);
                    return found == cardNumbers.end() ? text : found->second;
                })
    {
        navigator.Now = [this] { return now; };
        addGroup("3101", "10", "식사");
        addGroup("3101", "20", "음료");
        addGroup("3102", "10", "주류");
        addMenu("3101", "10", "1001", "김치찌개");
        addMenu("3101", "10", "1002", "비빔밥");
        addMenu("3101", "20", "1003", "식혜");
        addMenu("3102", "10", "2001", "생맥주");
        addGoods("3101", "1003", "식혜", "4000");
    }

    void addGroup(const std::string& upjang, const std::string& no, const std::string& name)
    {
        const int row = store.AddMenuGroupData();
        store.SetMenuGroupData(row, 0, upjang);
        store.SetMenuGroupData(row, 1, no);
        store.SetMenuGroupData(row, 2, name);
    }

    int addMenu(const std::string& upjang, const std::string& group, const std::string& code, const std::string& name,
                const std::string& from = "0000", const std::string& to = "2359")
    {
        const int row = store.AddMenuData();
        store.SetMenuData(row, 0, upjang);
        store.SetMenuData(row, 1, group);
        store.SetMenuData(row, 3, code);
        store.SetMenuData(row, 4, "1");
        store.SetMenuData(row, 5, "1");
        store.SetMenuData(row, 6, name);
        store.SetMenuData(row, 8, from);
        store.SetMenuData(row, 9, to);
        return row;
    }

    void setOpenPrice(const std::string& code)
    {
        for (auto& g : store.glGoodsData)
            if (g.MenuCode == code) g.OpenCodeYN = true;
    }

    // Types text into the code field and presses Enter.
    TEntryOutcome typeCode(const std::string& text)
    {
        bill.entry.menuCode = text;
        bill.entry.menuSelect = false;
        return entry.CodeEnter();
    }

    // Confirms quantity q in the quantity field.
    TEntryOutcome confirmCount(int q = 1)
    {
        bill.entry.saleCount = Currency(q);
        return entry.CountEnter();
    }

    std::string now = "1200";
    std::map<std::string, std::string> cardNumbers;
    int openPriceAsked = 0;
    ScriptedOpenPrices openPrices;
    RecordingEntryHooks entryHooks;
    TSaleNavigator navigator;
    TItemEntry entry;
};

}  // namespace pos::test
