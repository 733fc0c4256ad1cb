#pragma once
// A bill list with the discount engine over a small store: two outlets, the
// guest-type and rounding codes, and helpers that add bill lines, accepted
// members and menu prices, recompute, and read the rows back compactly.

#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "discounts/DiscountEngine.h"
#include "sales/SaleLines.h"
#include "store/MasterStore.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace pos::test {

// One bill row as the tests compare it.
struct Row {
    std::string menu;
    std::int64_t count = 0;
    std::int64_t rate = 0;
    std::int64_t amount = 0;    // SaleAmt in won
    std::int64_t discount = 0;  // DCAmt in won
    std::string member;         // AcceptMemberNo
    std::int64_t old = 0;       // OldSaleCount
    bool operator==(const Row&) const = default;
};

inline void PrintTo(const Row& r, std::ostream* os)
{
    *os << "{" << r.menu << " x" << r.count << " " << r.rate << "% amt " << r.amount << " dc " << r.discount
        << " member '" << r.member << "' old " << r.old << "}";
}

// What a bill line is made of, beyond code, quantity and price:
// LineOptions().upjang("3102").daeso("2").
struct LineOptions {
    std::string upjang_ = "3101";
    std::string dcCalcuCode_;
    std::string menuGubun_ = "31";
    std::string daeso_ = "1";
    bool dcYN_ = true;
    bool modify_ = false;
    std::int64_t oldSaleCount_ = 0;

    LineOptions& upjang(std::string v) { upjang_ = std::move(v); return *this; }
    LineOptions& dcCalcuCode(std::string v) { dcCalcuCode_ = std::move(v); return *this; }
    LineOptions& menuGubun(std::string v) { menuGubun_ = std::move(v); return *this; }
    LineOptions& daeso(std::string v) { daeso_ = std::move(v); return *this; }
    LineOptions& notDiscountable() { dcYN_ = false; return *this; }
    LineOptions& closed() { modify_ = true; return *this; }
    LineOptions& oldSaleCount(std::int64_t v) { oldSaleCount_ = v; return *this; }
};

class DiscountFixture {
public:
    DiscountFixture()
    {
        context.gsSaleDate = "20261209";
        context.gsUpjangCode = context.gsMasterUpjangCode = "3101";
        context.gsPosNo = context.gsMasterPosNo = "01";
        for (const char* code : {"3101", "3102"}) {
            const int row = store.AddUpjangData();
            store.SetUpjangData(row, UpjangItem::UpjangCode, code);
            store.SetUpjangData(row, UpjangItem::PosNo, "01");
        }
        addCommon(context.gsCommonGuestType, "010", "우대");
        addCommon(context.gsCommonDCCalcuCode, "110", "십원 반올림", "10");
        addCommon(context.gsCommonDCCalcuCode, "2100", "백원 올림", "100");
        addCommon(context.gsCommonDCCalcuCode, "3100", "백원 버림", "100");
        addCommon(context.gsCommonDCCalcuCode, "25000", "오천원 올림", "5000");
    }

    void addCommon(const std::string& head, const std::string& code, const std::string& name,
                   const std::string& item1 = {})
    {
        const int row = store.AddCommonData();
        store.SetCommonData(row, CommonItem::Head, head);
        store.SetCommonData(row, CommonItem::Code, code);
        store.SetCommonData(row, CommonItem::CodeName, name);
        store.SetCommonData(row, CommonItem::Item1, item1);
    }

    // Appends a bill line of aCount units (signed) at aPrice, next in entry order.
    TSaleList& addLine(const std::string& code, std::int64_t count, std::int64_t price, const LineOptions& o = {})
    {
        TSaleList line;
        line.MenuCode = code;
        line.MenuName = "메뉴 " + code;
        line.SaleCount = Currency(count);
        line.SaleUnitAmt = Currency(price);
        line.SaleAmt = Currency(count * price);
        line.UpjangCode = o.upjang_;
        line.PosNo = "01";
        line.SaleGubun = context.giSaleGubun;
        line.SeasonCode = "1";
        line.BusinessGubun = "1";
        line.DCYN = o.dcYN_;
        line.DCCalcuCode = o.dcCalcuCode_;
        line.MenuGubunCode = o.menuGubun_;
        line.DaesoCode = o.daeso_;
        line.ModifyYN = o.modify_;
        line.OldSaleCount = o.oldSaleCount_;
        line.Order = lines.MaxOrder() + 1;
        EXPECT_TRUE(lines.AddDataList(line));
        return lines.Line(lines.GetCount() - 1);
    }

    // An accepted member at aRate (a negative rate is a fixed price) with
    // its once-only, daily and yearly counts.
    TDCMemberData& addMember(const std::string& acceptNo, std::int64_t rate, std::int64_t once = -1,
                             std::int64_t daily = -1, std::int64_t yearly = -1, const std::string& upjang = "3101")
    {
        TDCMemberData m;
        m.MultiUpjangCode = upjang;
        m.AcceptMemberNo = m.MemberNo = acceptNo;
        m.Seq = 1;
        m.MemberName = "회원 " + acceptNo;
        m.GuestType = "010";
        m.DaesoGubun = context.gsDaesoCodeAll;
        m.DCRate = rate;
        m.OnceUseCount = once;
        m.DailyUseCount = daily;
        m.YearlyUseCount = yearly;
        m.DCYN = true;
        store.glDCMemberData.push_back(m);
        return store.glDCMemberData.back();
    }

    // A menu price for a member.
    TDCMenuData& addMenu(const std::string& acceptNo, const std::string& menuCode, std::int64_t price,
                         std::int64_t once = -1, std::int64_t daily = -1, const std::string& upjang = "3101")
    {
        TDCMenuData m;
        m.MultiUpjangCode = upjang;
        m.AcceptMemberNo = m.MemberNo = acceptNo;
        m.Seq = 1;
        m.MenuCode = menuCode;
        m.SeasonCode = "1";
        m.BusinessGubun = "1";
        m.MemberName = "회원 " + acceptNo;
        m.GuestType = "010";
        m.DaesoGubun = context.gsDaesoCodeAll;
        m.DCAmt = Currency(price);
        m.OnceUseCount = once;
        m.DailyUseCount = daily;
        store.glDCMenuData.push_back(m);
        return store.glDCMenuData.back();
    }

    void startReturnBill()
    {
        context.giSaleGubun = 2;
        context.giSign = -1;
    }

    // What CalcSaleList asks of the engine.
    bool recompute()
    {
        const bool discounted = engine.ExecDC(lines);
        engine.RecreateSaleList(lines);
        return discounted;
    }

    std::vector<Row> rows() const
    {
        std::vector<Row> out;
        for (int i = 0; i < lines.GetCount(); ++i) {
            const TSaleList& l = lines.Line(i);
            EXPECT_TRUE(l.SaleAmt.isWhole() && l.DCAmt.isWhole()) << "row " << i << " holds a fraction of a won";
            out.push_back(Row{l.MenuCode, l.SaleCount.truncWon(), l.DCRate, l.SaleAmt.truncWon(), l.DCAmt.truncWon(),
                              l.AcceptMemberNo, l.OldSaleCount});
        }
        return out;
    }

    // Amount due and discount as the bill's totals take them.
    Currency due() const
    {
        Currency sum;
        for (int i = 0; i < lines.GetCount(); ++i) sum += lines.Line(i).SaleAmt;
        return sum;
    }
    Currency discount() const
    {
        Currency sum;
        for (int i = 0; i < lines.GetCount(); ++i) sum += lines.Line(i).DCAmt;
        return sum;
    }

    TTerminalContext context;
    ScriptedDialogService dialogs;
    TNoMasterServer noServer;
    TMasterStore store{context, dialogs, noServer};
    TSaleLines lines{context, store};
    TDiscountEngine engine{context, store};
};

}  // namespace pos::test
