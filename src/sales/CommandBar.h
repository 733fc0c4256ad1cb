#pragma once
// The sale screen's command buttons as a plain model: for every command
// whether it is enabled and held down, and for the buttons that serve two
// purposes which one they serve here. Built from the own outlet's flags; the
// commands change it and the screen paints it. Captions are derived from the
// state, never compared as text.

#include <array>
#include <cstddef>
#include <string>

namespace pos {

struct TTerminalContext;
class TMasterStore;

// The command buttons of the screen besides the menus.
enum class TSaleCommand {
    Pay, PayCash, OrderTable, BillCancel, Return, Void, DC, Locker, Event, PreSale, GuestCount, GroupPrint,
    MenuToggle, PayModify, Reprint, DCList, Download, IpgumOpen, IpgumClose, Close, POSClose, Login, OnLine,
    Shutdown,
};
inline constexpr std::size_t kSaleCommandCount = static_cast<std::size_t>(TSaleCommand::Shutdown) + 1;

// What the two-purpose buttons do at this outlet.
enum class TOrderTableMode { Wait, Table, SkiSchool };      // "대기" / "테이블" / "고객등록"
enum class TLockerMode { GroupList, Locker };               // "단체조회" / "락카" (golf)
enum class TPreSaleMode { PreSale, Room };                  // "예약판매" / "객실" (food and beverage)
enum class TGuestCountMode { GuestCount, Caddy };           // "객수조정" / "캐디" (golf course)
enum class TGroupPrintMode { Tickets, UnitPrice };          // ticket mode / "단가조정" (table outlets)
enum class TIpgumMode { FloatAndDeposit, NoSvcNoVat };      // "준비금"+"중간입금" / "No SVC"+"No VAT"

struct TCommandState {
    bool enabled = true;
    bool down = false;
};

class TCommandBar {
public:
    // Every command enabled and up, every button in its first purpose.
    TCommandBar() = default;
    // The buttons as the own outlet (the first of the list) sets them up.
    static TCommandBar FromOutlet(const TTerminalContext& aContext, const TMasterStore& aStore);

    TCommandState& operator[](TSaleCommand aCommand) { return states_[index(aCommand)]; }
    const TCommandState& operator[](TSaleCommand aCommand) const { return states_[index(aCommand)]; }

    // The caption the button shows now.
    std::string Caption(TSaleCommand aCommand, bool aOffLine) const;

    // A toggle button's press: down becomes up and up becomes down.
    void Toggle(TSaleCommand aCommand) { (*this)[aCommand].down = !(*this)[aCommand].down; }

    // The caddy toggle: lines entered while it is down are caddy lines.
    bool CaddyMode() const { return guestCountMode == TGuestCountMode::Caddy && (*this)[TSaleCommand::GuestCount].down; }
    // The unit-price correction of the next code entered (table outlets).
    bool UnitPriceDown() const
    {
        return groupPrintMode == TGroupPrintMode::UnitPrice && (*this)[TSaleCommand::GroupPrint].down;
    }
    // One ticket for a whole line ("통합발권") rather than one per unit.
    bool GroupTicketDown() const
    {
        return groupPrintMode == TGroupPrintMode::Tickets && (*this)[TSaleCommand::GroupPrint].down;
    }
    // The hotel restaurants' "No SVC" and "No VAT" switches of the bill.
    bool NoSvcDown() const { return ipgumMode == TIpgumMode::NoSvcNoVat && (*this)[TSaleCommand::IpgumOpen].down; }
    bool NoVatDown() const { return ipgumMode == TIpgumMode::NoSvcNoVat && (*this)[TSaleCommand::IpgumClose].down; }

    TOrderTableMode orderTableMode = TOrderTableMode::Wait;
    TLockerMode lockerMode = TLockerMode::GroupList;
    TPreSaleMode preSaleMode = TPreSaleMode::PreSale;
    TGuestCountMode guestCountMode = TGuestCountMode::GuestCount;
    TGroupPrintMode groupPrintMode = TGroupPrintMode::Tickets;
    TIpgumMode ipgumMode = TIpgumMode::FloatAndDeposit;
    bool waitCountShown = false;  // the held-bill / guest-count label under the status line
    int menuPanel = 1;            // 1: the menu buttons, 2: the second command panel
    bool loginRequired = false;   // a closed day or POS: nothing is sold before a login

private:
    static std::size_t index(TSaleCommand aCommand) { return static_cast<std::size_t>(aCommand); }
    std::array<TCommandState, kSaleCommandCount> states_{};
};

}  // namespace pos
