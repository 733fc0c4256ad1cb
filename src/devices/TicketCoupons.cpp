#include "devices/TicketCoupons.h"

#include <array>
#include <map>
#include <optional>

namespace pos {
namespace {

// One row: Str21 onwards; an empty optional leaves that line as it is.
using TCouponRow = std::array<std::optional<std::string>, 6>;
using TCouponRows = std::map<std::string, TCouponRow>;

const TCouponRow kMealVoucher = {" 본권은 지급한 당일에", " 한하여 사용이 가능함.", " 환불 등은 계약사항에",
                                 " 의거하여 진행됩니다.", " [지정업장 사용 가능]", std::nullopt};
const TCouponRow kAmusement = {"  [ ] 물썰매", "  [ ] 바이킹", "  [ ] 미니골프", "  [ ] 후룸라이드", "  [ ] 회전목마",
                               std::nullopt};
const TCouponRow kGondolaRides = {"  [ ] 관광곤도라", "  [ ] 바이킹", "  [ ] 미니골프", "  [ ] 후룸라이드",
                                  "  [ ] 회전목마", std::nullopt};
const TCouponRow kGondolaAllRides = {"  [ ] 관광곤도라", "  [ ] 후룸라이드", "  [ ] 미니골프",
                                     "  [ ] 회전목마",   "  [ ] 바이킹",     "  [ ] 물썰매"};
const TCouponRow kMealOnly = {"        ", "        ", "  식사 이용권  ", "        ", "        ", std::nullopt};
// Rows whose first line stays the outlet name.
const TCouponRow kGondolaSummit = {std::nullopt, "  [ ] 관광곤도라", "  [ ] 정상 레스토랑 식사",
                                   "  [ ] 정상 레스토랑 음료", "", std::nullopt};
const TCouponRow kGondolaBikeGolf = {std::nullopt, "  [ ] 관광곤도라", "  [ ] 산악자전거", "  [ ] 골프연습장", "",
                                     std::nullopt};
const TCouponRow kTennisGolf = {std::nullopt, "[ ] 테니스", "[ ] 골프연습장", "", "", std::nullopt};
const TCouponRow kSnackGondola = {std::nullopt, "[ ] 스낵 코너", "[ ] 관광곤도라", "", "", std::nullopt};
const TCouponRow kBikeTennis = {std::nullopt, "[ ] 산악자전거", "[ ] 테니스", "", "", std::nullopt};
const TCouponRow kDinnerBeer = {std::nullopt, "  [ ] 석식", "  [ ] 생맥주", "", "", std::nullopt};

const TCouponRows& couponRows()
{
    static const TCouponRows rows = {
        {"50300005", kMealVoucher},     {"50300006", kMealVoucher},     {"50990213", kMealVoucher},
        {"50300007", kAmusement},       {"50300008", kAmusement},       {"50300266", kGondolaSummit},
        {"50300267", kGondolaSummit},   {"50300268", kGondolaBikeGolf}, {"50300269", kGondolaBikeGolf},
        {"50300274", kTennisGolf},      {"50300275", kTennisGolf},      {"50300276", kSnackGondola},
        {"50300277", kSnackGondola},    {"50300278", kBikeTennis},      {"50300279", kBikeTennis},
        {"50300485", kDinnerBeer},      {"50300486", kDinnerBeer},      {"50300487", kDinnerBeer},
        {"50300488", kDinnerBeer},      {"50300489", kDinnerBeer},      {"50300490", kDinnerBeer},
    };
    return rows;
}

const TCouponRows& bundleFirstRows()
{
    static const TCouponRows rows = {
        {"50300270", kGondolaAllRides}, {"50300271", kGondolaAllRides}, {"50300005", kGondolaRides},
        {"50300006", kGondolaRides},    {"50300266", kGondolaSummit},   {"50300267", kGondolaSummit},
        {"50300268", kGondolaBikeGolf}, {"50300269", kGondolaBikeGolf},
    };
    return rows;
}

const TCouponRows& bundleSecondRows()
{
    static const TCouponRows rows = [] {
        TCouponRows r = bundleFirstRows();
        r["50300270"] = kMealOnly;
        r["50300271"] = kMealOnly;
        return r;
    }();
    return rows;
}

}  // namespace

void FillCouponLines(TTicketData& aJob, TCouponTable aTable, const std::string& aOutletName)
{
    const TCouponRows& rows = aTable == TCouponTable::Coupon        ? couponRows()
                              : aTable == TCouponTable::BundleFirst ? bundleFirstRows()
                                                                    : bundleSecondRows();
    const std::size_t lines = aTable == TCouponTable::BundleFirst ? 6 : 5;
    aJob.Str(21) = aOutletName;
    const auto row = rows.find(aJob.Str(7));
    if (row == rows.end()) return;
    for (std::size_t i = 0; i < lines; ++i)
        if (row->second[i]) aJob.Str(21 + static_cast<int>(i)) = *row->second[i];
}

}  // namespace pos
