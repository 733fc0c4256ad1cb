#pragma once
// The approval driver as the terminal sees it: ApprovalCard and ApprovalCash
// with their inputs and results as C++ values (ApprovalDriverApi.h is the C
// interface the library exports). The real driver is a shared library loaded
// at run time; when it cannot be loaded, TMissingApprovalDriver takes its
// place and answers every request as not processed, with the reason.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace pos {

struct TDriverCardRequest {
    bool Live = true;
    bool Approve = true;
    std::string Today;
    std::string UpjangCode, PosNo;
    std::int64_t BillNo = 0;
    std::string CardData;  // track 2, or keyed in: number "=" expiry "yymm"
    bool KeyIn = false;
    std::int64_t Amount = 0;
    std::int64_t HalbuMonth = 0;
    std::string SaleDate;
    std::string OrgAgreeNo;
    std::string TerminalID;
    bool SignPadType = false;
    std::int64_t SignPadPort = 0;
};

struct TDriverCardResult {
    bool Approved = false;
    std::string AgreeDate, AgreeNo, CompCode, CompName, IssueCode, IssueName;
    std::int64_t AgreeAmt = 0;
    std::string JoinNo, ErrCode, Message;
};

struct TDriverCashRequest {
    bool Live = true;
    bool Approve = true;
    std::string SaleDate;
    std::string UpjangCode, PosNo;
    std::int64_t BillNo = 0;
    bool Individual = true;
    std::string Identity;
    std::int64_t Amount = 0;
    std::string TerminalID;
};

struct TDriverCashResult {
    bool Approved = false;
    std::string AgreeDate, AgreeNo, ErrCode, Message;
};

class TApprovalDriver {
public:
    virtual ~TApprovalDriver() = default;
    virtual TDriverCardResult ApprovalCard(const TDriverCardRequest& aRequest) = 0;
    virtual TDriverCashResult ApprovalCash(const TDriverCashRequest& aRequest) = 0;
};

// Stands in for a driver that could not be loaded: every request comes back
// false with an empty code (not processed) and aReason as its message, so
// card approvals go over the dedicated line.
class TMissingApprovalDriver : public TApprovalDriver {
public:
    explicit TMissingApprovalDriver(std::string aReason) : reason_(std::move(aReason)) {}
    TDriverCardResult ApprovalCard(const TDriverCardRequest&) override;
    TDriverCashResult ApprovalCash(const TDriverCashRequest&) override;

private:
    std::string reason_;
};

struct TDriverLoad {
    std::unique_ptr<TApprovalDriver> Driver;  // the loaded driver, or the stand-in
    bool Loaded = false;
    std::string Message;  // why it is not loaded, for the cashier
    std::string Detail;   // the loader's own words, for the day log
};

inline constexpr const char* kApprovalDriverMissing = "카드 승인 모듈(%s)을 읽을 수 없습니다.\r전산팀에 문의하십시오.";
inline constexpr const char* kApprovalDriverNoSymbol =
    "카드 승인 모듈(%s)에 %s 기능이 없습니다.\r전산팀에 문의하십시오.";

// Loads the library at aPath and looks up both functions. When either step
// fails, Driver is a TMissingApprovalDriver and Message says what is wrong.
TDriverLoad LoadApprovalDriver(const std::filesystem::path& aPath);

}  // namespace pos
