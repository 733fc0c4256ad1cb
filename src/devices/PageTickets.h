#pragma once
// Document pages on the TSP800 in page mode: every page is a set of fields
// placed on the page (header, company, bill text and up to 25 lines), each
// command ended by LF NUL. Lines of 42 "-" or "=" are drawn as rules.

#include "devices/TicketJobs.h"
#include "devices/TicketRules.h"

#include <string>

namespace pos {

// The item header of a receipt's first page: such a page starts at the top.
inline constexpr const char* kReceiptItemHeader = " 상 품 명         수량      단가      금액";

// The page's bytes. aFirst: the first page of the run; aLast: no page
// follows it in this run; aEnglish: the English outlet and company names.
std::string Tsp800PageBytes(const TTicketData& aPage, const TTicketEnv& aEnv, bool aEnglish, bool aFirst, bool aLast);

// The dots from the page top to the header field.
int Tsp800TopOffset(const TTicketData& aPage, const TTicketEnv& aEnv, bool aFirst);

}  // namespace pos
