#pragma once
// The slips of a settled payment: the two copies of a card slip and the
// signature slips of the tenders the guest signs for (room, locker, group
// and credit charges). Lines without line ends.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pos {

struct TPayCardList;
struct TPayRoomList;
struct TPayLockerList;
struct TPayEventList;
struct TPayCreditList;

enum class TSlipCopy { Company, Customer };  // "(회사용)" / "(고객용)"

struct TCardSlipStyle {
    bool approval = true;     // "승인" on a sale, "취소" on a return
    bool ticketForm = false;  // the title as a plain centred line, for a list ticket
    bool noVat = false;       // the bill carries no VAT: the amount without its VAT share
};

// One copy of a card slip. Both copies print the card number masked; the
// company copy adds the expiry and, unless the guest signed on the pad, the
// signature block.
std::vector<std::string> CardSlipLines(const TPayCardList& aLine, TSlipCopy aCopy, const TCardSlipStyle& aStyle,
                                       const std::string& aHeader, const std::string& aOutletName);

// A signature slip of any fields (label, value).
using TSlipField = std::pair<std::string_view, std::string>;
std::vector<std::string> SignatureSlipLines(std::string_view aTenderName, const std::vector<TSlipField>& aFields);

// Signature slips: the tender's name as a title, its fields in double width,
// the signature rule, five empty lines and the double rule.
std::vector<std::string> RoomSignatureSlip(const TPayRoomList& aLine, std::string_view aTenderName);
std::vector<std::string> LockerSignatureSlip(const TPayLockerList& aLine, std::string_view aTenderName);
std::vector<std::string> EventSignatureSlip(const TPayEventList& aLine, std::string_view aTenderName);
std::vector<std::string> CreditSignatureSlip(const TPayCreditList& aLine, std::string_view aTenderName);

// The lines a page-mode ticket printer leaves out of a signature slip (the
// empty lines and the closing rule): it prints the slip under the receipt.
inline constexpr std::size_t kSignatureSlipTail = 6;

}  // namespace pos
