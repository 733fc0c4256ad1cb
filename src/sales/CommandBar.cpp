#include "sales/CommandBar.h"

#include "core/TerminalContext.h"
#include "sales/SaleStatus.h"
#include "store/MasterStore.h"

namespace pos {

TCommandBar TCommandBar::FromOutlet(const TTerminalContext& aContext, const TMasterStore& aStore)
{
    using C = TSaleCommand;
    TCommandBar bar;
    const TUpjangData own = aStore.glUpjangData.empty() ? TUpjangData() : aStore.glUpjangData.front();
    bar[C::BillCancel].enabled = own.CancelYN;
    bar[C::Return].enabled = own.ReturnYN;
    bar[C::Void].enabled = own.VoidYN;
    bar[C::Pay].enabled = !aStore.glPayData.empty();
    bool cash = false;
    for (int i = 0; i < static_cast<int>(aStore.glPayData.size()); ++i) cash |= aStore.GetPayData(i) == aContext.giPayCash;
    bar[C::PayCash].enabled = cash;
    bar.lockerMode = aContext.gsMasterUpjangCode.rfind("2", 0) == 0 ? TLockerMode::Locker : TLockerMode::GroupList;

    const bool tableOutlet = own.FirstFormCode == aContext.gsFormOrderTable;
    if (tableOutlet) {
        bar.orderTableMode = TOrderTableMode::Table;
    } else if (own.FirstFormCode == aContext.gsFormSkiSchool) {
        bar.orderTableMode = TOrderTableMode::SkiSchool;
    } else {
        bar.orderTableMode = TOrderTableMode::Wait;
        bar[C::OrderTable].enabled = own.WaitYN;
        bar.waitCountShown = own.WaitYN;
    }
    bar[C::DCList].enabled = bar[C::DC].enabled;

    if (own.UpjangType == aContext.gsUpjangTypeFnB) bar.preSaleMode = TPreSaleMode::Room;
    else bar[C::PreSale].enabled = own.PreSaleYN;

    if (tableOutlet) {
        bar.groupPrintMode = TGroupPrintMode::UnitPrice;
    } else {
        bar[C::GroupPrint].enabled = own.TicketPrtYN;
        bar[C::GroupPrint].down = own.GroupTicketYN;
    }

    bar[C::GuestCount].enabled = own.GuestCountYN;
    if (aContext.gsMasterUpjangCode.rfind("20", 0) == 0) {
        bar[C::GuestCount].enabled = true;
        bar.guestCountMode = TGuestCountMode::Caddy;
    }
    if (bar[C::GuestCount].enabled) bar.waitCountShown = true;

    if (aContext.gbVessa) {
        bar.ipgumMode = TIpgumMode::NoSvcNoVat;
    } else {
        bar[C::IpgumOpen].enabled = own.CloseYN;
        bar[C::IpgumClose].enabled = own.CloseYN;
    }
    return bar;
}

std::string TCommandBar::Caption(TSaleCommand aCommand, bool aOffLine) const
{
    using C = TSaleCommand;
    switch (aCommand) {
    case C::Pay: return "결제";
    case C::PayCash: return "현금결제";
    case C::OrderTable:
        return orderTableMode == TOrderTableMode::Table      ? "테이블"
               : orderTableMode == TOrderTableMode::SkiSchool ? "고객등록"
                                                              : "대기";
    case C::BillCancel: return "전표취소";
    case C::Return: return "부분(void)";
    case C::Void: return "VOID";
    case C::DC: return "우대할인";
    case C::Locker: return lockerMode == TLockerMode::Locker ? "락카" : "단체조회";
    case C::Event: return "연회조회";
    case C::PreSale: return preSaleMode == TPreSaleMode::Room ? "객실" : "예약판매";
    case C::GuestCount: return guestCountMode == TGuestCountMode::Caddy ? "캐디" : "객수조정";
    case C::GroupPrint:
        if (groupPrintMode == TGroupPrintMode::UnitPrice) return "단가조정";
        return (*this)[C::GroupPrint].down ? "통합발권" : "낱장발권";
    case C::MenuToggle: return "메뉴";
    case C::PayModify: return "결제조정";
    case C::Reprint: return "재발행";
    case C::DCList: return "우대내역";
    case C::Download: return "자료다운";
    case C::IpgumOpen: return ipgumMode == TIpgumMode::NoSvcNoVat ? "No SVC" : "준비금";
    case C::IpgumClose: return ipgumMode == TIpgumMode::NoSvcNoVat ? "No VAT" : "중간입금";
    case C::Close: return "마감";
    case C::POSClose: return "POS마감";
    case C::Login: return "Login";
    case C::OnLine: return OnLineCommandCaption(aOffLine);
    case C::Shutdown: return "종료";
    }
    return {};
}

}  // namespace pos
