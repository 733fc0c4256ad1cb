#include "sales/printing/ItemTickets.h"

#include "core/Currency.h"
#include "core/IdentityNumbers.h"
#include "core/TerminalContext.h"
#include "core/TextHelpers.h"
#include "sales/SaleList.h"
#include "sales/recording/Settlement.h"
#include "store/MasterStore.h"

#include <cstdio>

namespace pos {
namespace {

std::string seq4(int aSeq)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d", aSeq);
    return buf;
}

std::string won(Currency aAmount) { return FormatThousands(Currency(aAmount.truncWon())) + "원"; }

// One line's tickets, each unit alike.
class TLineTickets {
public:
    TLineTickets(const TTerminalContext& aContext, const TMasterStore& aStore, const std::string& aHeader,
                 bool aMerge, std::vector<TItemTicket>& aOut)
        : ctx_(aContext), store_(aStore), header_(aHeader), merge_(aMerge), out_(aOut)
    {
    }

    void Add(const TStoredLine& aStored)
    {
        const TSaleList& line = *aStored.line;
        const std::int64_t units = line.SaleCount.abs().truncWon();
        const std::vector<std::string> values = valuesOf(aStored);
        if (isComponentLine(line) && !aStored.components.empty()) {
            const bool camp = line.UpjangCode == ctx_.gsUpjangSkiCamp;
            for (const TStoredComponent& component : aStored.components) {
                std::vector<std::string> ticket = values;
                ticket[1] = store_.GetUpjangName(component.upjangCode);
                ticket[6] = camp ? won(component.unitAmt) : "0원";
                ticket[7] = component.menuCode;
                for (std::int64_t i = 0; i < units; ++i) push(ctx_.gsTicketTypeLift, ticket);
            }
            return;
        }
        for (std::int64_t i = 0; i < units; ++i) push(line.TicketType, values);
    }

private:
    bool isComponentLine(const TSaleList& aLine) const
    {
        return ctx_.gbSki && (aLine.UpjangCode == ctx_.gsUpjangSkiPackage || aLine.UpjangCode == ctx_.gsUpjangSkiCamp);
    }

    bool skiTicketOutlet() const
    {
        return ctx_.gbSki && !store_.glUpjangData.empty() && store_.glUpjangData.front().TicketPrtYN;
    }

    std::vector<std::string> valuesOf(const TStoredLine& aStored) const
    {
        const TSaleList& line = *aStored.line;
        const std::string& rowGuest = aStored.guestType;
        const bool employee = rowGuest == ctx_.gsGuestTypeEmpContract || rowGuest == ctx_.gsGuestTypeEmpAlways;
        const std::string guest = employee ? ctx_.gsGuestTypeEmp : rowGuest;
        const std::string date = ctx_.gbPreSale ? ctx_.gsSaleDate : ctx_.gsToday;
        const Currency unitSale = Currency(aStored.sale.truncWon() / line.SaleCount.abs().truncWon());
        const std::string& addNo = aStored.memberAddNo;
        return {
            CopyStr(header_, 1, 29) + "-" + seq4(merge_ ? 0 : aStored.seq + 1),
            store_.GetUpjangName(line.UpjangCode),
            store_.GetCommonData(ctx_.gsCommonTicketKind, line.TicketKind, 2),
            date,
            line.MenuName,
            store_.GetCommonData(ctx_.gsCommonGuestType, guest, 2),
            won(unitSale),
            line.MenuCode,
            std::to_string(line.DCRate) + "%",
            line.GuestType,
            store_.GetCommonData(ctx_.gsCommonGuestType, guest, 7),
            addNo.empty() ? aStored.acceptMemberNo : TicketMemberNo(addNo),
            line.MemberName,
            skiTicketOutlet() ? store_.GetSecretCode(date) : std::string(),
            store_.GetCommonData(ctx_.gsCommonTicketKind, line.TicketKind, 4),
        };
    }

    void push(const std::string& aKind, const std::vector<std::string>& aValues)
    {
        out_.push_back({aKind, aValues, merge_});
    }

    const TTerminalContext& ctx_;
    const TMasterStore& store_;
    const std::string& header_;
    bool merge_;
    std::vector<TItemTicket>& out_;
};

}  // namespace

bool PrintsItemTickets(const TPrinters& aPrinters)
{
    return aPrinters.Is1(TPrinterType::ptTSP700) || aPrinters.Is1(TPrinterType::ptBoca) ||
           aPrinters.Is1(TPrinterType::ptFlotec) || aPrinters.Is2(TPrinterType::ptTSP600) ||
           aPrinters.Is2(TPrinterType::ptTSP700);
}

std::string TicketMemberNo(const std::string& aNumber)
{
    if (!CheckIDNo(aNumber)) return aNumber;
    return aNumber.substr(0, 7) + "XXXXX" + aNumber.substr(12, 1);
}

std::vector<TItemTicket> ItemTicketsOf(const TTerminalContext& aContext, const TMasterStore& aStore,
                                       TPrinters aPrinters, const TStoredBill& aBill, const std::string& aHeader)
{
    std::vector<TItemTicket> tickets;
    if (aContext.giSaleGubun != 0 || aBill.cancelled || !PrintsItemTickets(aPrinters)) return tickets;
    TLineTickets composer(aContext, aStore, aHeader, aBill.commands.GroupTicketDown(), tickets);
    for (const TStoredLine& stored : aBill.sale.lines)
        if (stored.line != nullptr && stored.line->SaleCount != Currency()) composer.Add(stored);
    return tickets;
}

}  // namespace pos
