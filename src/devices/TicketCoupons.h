#pragma once
// The coupon lines of package tickets: the activities and meals a package
// holds, printed as check boxes on the ticket, by the package's menu code.
// These are the resort's own data; a code that is not listed, or a row that
// leaves a line out, prints that line as the caller gave it.

#include "devices/TicketJobs.h"

#include <string>

namespace pos {

enum class TCouponTable {
    Coupon,        // a coupon ticket: five lines, Str21-Str25
    BundleFirst,   // the first ticket of a two-ticket package: six lines, Str21-Str26
    BundleSecond,  // its second ticket: five lines, Str21-Str25
};

// Presets Str21 to the outlet name, then sets the lines the table's row for
// the job's menu code (Str7) gives.
void FillCouponLines(TTicketData& aJob, TCouponTable aTable, const std::string& aOutletName);

}  // namespace pos
