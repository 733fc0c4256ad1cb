#include "devices/LineTickets.h"

#include "core/DateHelpers.h"
#include "core/TextHelpers.h"
#include "devices/TicketCoupons.h"

namespace pos {
namespace {

using enum TTicketType;

// Centred for double-width print over the 42 columns.
std::string centred(const std::string& aText) { return StringCenterAlign(aText, 42, true); }
std::string big(const std::string& aText) { return "{Z}" + aText + "{S}"; }
std::string wide(const std::string& aText) { return "{X}" + aText + "{S}"; }

class TLines {
public:
    TLines& operator<<(const std::string& aLine)
    {
        text_ += aLine + "\r";
        return *this;
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// The single-ticket fields as the line printers show them.
TTicketData prepared(const TTicketData& aJob, const TTicketEnv& aEnv)
{
    TTicketData t = aJob;
    PrepareSingleTicket(t);
    t.Str(15) = "인원 " + (t.Str(15).empty() ? std::string("1") : t.Str(15)) + "명";
    t.Str(10) = t.Str(10) == "Y" ? "회원" : "";
    if (aEnv.testMode) t.Str(1) = "SAMPLE";
    return t;
}

std::string monthDay(const TTicketData& t) { return MonthOf(t.Str(3)) + "." + DayOf(t.Str(3)); }
std::string personsAndAmount(const TTicketData& t) { return RPad(t.Str(15), 11) + LPad(t.Str(6), 11); }
std::string memberLine(const TTicketData& t) { return t.Str(11) + " " + t.Str(12); }

// The validity line in triple size: month and day, and the last day.
std::string validityLine(const TTicketData& t)
{
    const std::string text = t.Str(14).empty() ? "    " + monthDay(t) : "   " + monthDay(t) + t.Str(14);
    return " {3}" + text + "{S}";
}

void rentalFillIns(TLines& aOut)
{
    aOut << "";
    for (const char* label : {"   신 장 (키) :", "   발  크  기 :", "   폴  크  기 :", "   신분증번호 :"})
        aOut << std::string("{Y}") + label;
    aOut << "";
}

// The stub below the ticket, in double width.
void stub(TLines& aOut, const TTicketData& t)
{
    aOut << wide(centred(t.Str(1))) << wide(centred(monthDay(t) + t.Str(14))) << wide(centred(t.Str(10) + t.Str(2)))
         << wide(centred(t.Str(4))) << wide(personsAndAmount(t)) << memberLine(t) << t.Bill;
}

std::string singleTicket(const TTicketData& t, bool aFillIns)
{
    TLines out;
    out << big(centred(t.Str(1))) << validityLine(t) << big(centred(t.Str(10) + t.Str(2))) << big(centred(t.Str(4)));
    if (aFillIns) rentalFillIns(out);
    out << big(personsAndAmount(t)) << memberLine(t) << t.Bill << "";
    stub(out, t);
    return out.text();
}

std::string couponTicket(const TTicketData& t, int aCouponLines)
{
    TLines out;
    out << big(centred(t.Str(4))) << validityLine(t);
    for (int i = 0; i < aCouponLines; ++i) out << wide(t.Str(21 + i));
    out << wide(personsAndAmount(t)) << memberLine(t) << t.Bill << "";
    stub(out, t);
    return out.text();
}

// A package of two tickets: activities on the first, the rest (or the meal)
// on the second, which shows no amount.
std::vector<std::string> bundleTickets(const TTicketData& t, const TTicketEnv& aEnv)
{
    TTicketData first = t;
    FillCouponLines(first, TCouponTable::BundleFirst, aEnv.firstOutletName);
    TTicketData second = t;
    second.Str(6) = " ";
    FillCouponLines(second, TCouponTable::BundleSecond, aEnv.firstOutletName);
    return {couponTicket(first, 6), couponTicket(second, 5)};
}

std::string listPage(const TTicketData& aPage, const TTicketEnv& aEnv, int aPrinterNo)
{
    TTicketData p = aPage;
    std::string& title = p.Str(1);
    if (title.find("신용카드") != std::string::npos) {
        const char* kind = title.find("취소") != std::string::npos ? "취소" : "승인";
        const char* copy = title.find("(회사용)") != std::string::npos ? "(회사용)" : "(고객용)";
        title = big(std::string("신용카드 ") + kind + "전표") + copy;
    } else if (title.find("마감") != std::string::npos) {
        title = big(centred(TrimCopy(title)));
    }
    if (aEnv.testMode) title += "\r" + big(centred("SAMPLE"));
    if (aPrinterNo == 2 && p.Str(2).find("식별번호") != std::string::npos) p.Str(3) = wide(centred(TrimCopy(p.Str(3))));

    // Pages are 20 lines on a terminal whose printer 1 is a TSP700; a page
    // made for another printer 1 keeps its further lines.
    int last = 20;
    for (int i = 21; i <= 25; ++i)
        if (!p.Str(i).empty()) last = i;
    TLines out;
    for (int i = 1; i <= last; ++i) out << p.Str(i);
    return out.text();
}

std::string printer2Tsp600Ticket(const TTicketData& t, const TTicketEnv& aEnv)
{
    std::string title = t.Str(1);
    if (aEnv.testMode) title += " [SAMPLE]";
    if (t.TicketType == ttRental && aEnv.preSale) title += " (예매)";
    TLines out;
    out << big(centred(title)) << big(centred(DateToString(t.Str(3), '.') + t.Str(14)))
        << big(centred(t.Str(2) + (t.Str(10).empty() ? "" : " (회원)"))) << big(centred(t.Str(4)));
    if (t.TicketType == ttRental) rentalFillIns(out);
    out << wide(personsAndAmount(t));
    if (!t.Str(11).empty()) out << memberLine(t);
    if (!t.Str(5).empty()) out << t.Str(5);
    out << t.Bill;
    return out.text();
}

}  // namespace

bool LineTicketCutsAtOnce(int aPrinterNo, TPrinterType aModel)
{
    return aPrinterNo == 2 && aModel == TPrinterType::ptTSP600;
}

std::vector<std::string> LineTicketTexts(int aPrinterNo, TPrinterType aModel, const TTicketData& aJob,
                                         const TTicketEnv& aEnv)
{
    if (RouteTicket(aPrinterNo, aModel, aJob.TicketType) != TTicketRoute::Print) return {};
    if (aJob.TicketType == ttList) return {listPage(aJob, aEnv, aPrinterNo)};
    const TTicketData t = prepared(aJob, aEnv);
    if (aPrinterNo == 2 && aModel == TPrinterType::ptTSP600) {
        TTicketData plain = t;
        plain.Str(1) = aJob.Str(1);  // this printer marks a test ticket after the title
        return {printer2Tsp600Ticket(plain, aEnv)};
    }
    if (aPrinterNo == 2) return {singleTicket(t, t.TicketType == ttRental)};
    switch (t.TicketType) {
    case ttBig3: {
        TTicketData coupon = t;
        FillCouponLines(coupon, TCouponTable::Coupon, aEnv.firstOutletName);
        return {couponTicket(coupon, 5)};
    }
    case ttEvent: return bundleTickets(t, aEnv);
    default: return {singleTicket(t, false)};
    }
}

}  // namespace pos
