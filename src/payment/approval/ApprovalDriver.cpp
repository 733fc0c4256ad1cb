#include "payment/approval/ApprovalDriver.h"

#include "payment/approval/ApprovalDriverApi.h"

#include <dlfcn.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <limits>

namespace pos {
namespace {

// One output buffer of the C interface.
struct OutText {
    std::array<char, POS_APPROVAL_TEXT_CAPACITY> bytes{};
    char* data() { return bytes.data(); }
    static constexpr std::int32_t capacity() { return POS_APPROVAL_TEXT_CAPACITY; }
    // A driver that forgets the NUL still cannot make us read past the end.
    std::string text() const { return std::string(bytes.data(), ::strnlen(bytes.data(), bytes.size())); }
};

bool fitsInt32(std::int64_t aValue)
{
    return aValue >= std::numeric_limits<std::int32_t>::min() && aValue <= std::numeric_limits<std::int32_t>::max();
}

std::int32_t i32(std::int64_t aValue) { return static_cast<std::int32_t>(aValue); }

std::string format(const char* aPattern, const std::string& a, const char* b = "")
{
    char text[1024];
    std::snprintf(text, sizeof text, aPattern, a.c_str(), b);
    return text;
}

// A value the interface cannot carry (an integer beyond 32 bits, a text
// beyond 255 bytes) is refused before the call.
constexpr const char* kTooLargeCode = "SIZE";
constexpr const char* kTooLarge = "승인 요청 값이 너무 큽니다.";

template <typename... Texts>
bool fitTexts(const Texts&... aTexts)
{
    return ((aTexts.size() < POS_APPROVAL_TEXT_CAPACITY) && ...);
}

class TLoadedApprovalDriver : public TApprovalDriver {
public:
    TLoadedApprovalDriver(void* aHandle, PosApprovalCardFn aCard, PosApprovalCashFn aCash)
        : handle_(aHandle), card_(aCard), cash_(aCash)
    {
    }
    ~TLoadedApprovalDriver() override { ::dlclose(handle_); }
    TLoadedApprovalDriver(const TLoadedApprovalDriver&) = delete;
    TLoadedApprovalDriver& operator=(const TLoadedApprovalDriver&) = delete;

    TDriverCardResult ApprovalCard(const TDriverCardRequest& r) override
    {
        TDriverCardResult result;
        if (!fitsInt32(r.BillNo) || !fitsInt32(r.Amount) || !fitsInt32(r.HalbuMonth) || !fitsInt32(r.SignPadPort) ||
            !fitTexts(r.Today, r.UpjangCode, r.PosNo, r.CardData, r.SaleDate, r.OrgAgreeNo, r.TerminalID)) {
            result.ErrCode = kTooLargeCode;
            result.Message = kTooLarge;
            return result;
        }
        OutText agreeDate, agreeNo, compCode, compName, issueCode, issueName, joinNo, errCode, message;
        std::int32_t agreeAmt = 0;
        result.Approved =
            card_(r.Live, r.Approve, r.Today.c_str(), r.UpjangCode.c_str(), r.PosNo.c_str(), i32(r.BillNo), 1,
                  r.CardData.c_str(), r.KeyIn, i32(r.Amount), i32(r.HalbuMonth), r.SaleDate.c_str(),
                  r.OrgAgreeNo.c_str(), r.TerminalID.c_str(), r.SignPadType, i32(r.SignPadPort), 0, agreeDate.data(),
                  OutText::capacity(), agreeNo.data(), OutText::capacity(), compCode.data(), OutText::capacity(),
                  compName.data(), OutText::capacity(), issueCode.data(), OutText::capacity(), issueName.data(),
                  OutText::capacity(), &agreeAmt, joinNo.data(), OutText::capacity(), errCode.data(),
                  OutText::capacity(), message.data(), OutText::capacity()) != 0;
        result.AgreeDate = agreeDate.text();
        result.AgreeNo = agreeNo.text();
        result.CompCode = compCode.text();
        result.CompName = compName.text();
        result.IssueCode = issueCode.text();
        result.IssueName = issueName.text();
        result.AgreeAmt = agreeAmt;
        result.JoinNo = joinNo.text();
        result.ErrCode = errCode.text();
        result.Message = message.text();
        return result;
    }

    TDriverCashResult ApprovalCash(const TDriverCashRequest& r) override
    {
        TDriverCashResult result;
        if (!fitsInt32(r.BillNo) || !fitsInt32(r.Amount) ||
            !fitTexts(r.SaleDate, r.UpjangCode, r.PosNo, r.Identity, r.TerminalID)) {
            result.ErrCode = kTooLargeCode;
            result.Message = kTooLarge;
            return result;
        }
        OutText agreeDate, agreeNo, errCode, message;
        result.Approved = cash_(r.Live, r.Approve, r.SaleDate.c_str(), r.UpjangCode.c_str(), r.PosNo.c_str(),
                                i32(r.BillNo), 1, r.Individual, r.Identity.c_str(), i32(r.Amount), 0,
                                r.TerminalID.c_str(), agreeDate.data(), OutText::capacity(), agreeNo.data(),
                                OutText::capacity(), errCode.data(), OutText::capacity(), message.data(),
                                OutText::capacity()) != 0;
        result.AgreeDate = agreeDate.text();
        result.AgreeNo = agreeNo.text();
        result.ErrCode = errCode.text();
        result.Message = message.text();
        return result;
    }

private:
    void* handle_;
    PosApprovalCardFn card_;
    PosApprovalCashFn cash_;
};

}  // namespace

TDriverCardResult TMissingApprovalDriver::ApprovalCard(const TDriverCardRequest&)
{
    TDriverCardResult result;
    result.Message = reason_;
    return result;
}

TDriverCashResult TMissingApprovalDriver::ApprovalCash(const TDriverCashRequest&)
{
    TDriverCashResult result;
    result.Message = reason_;
    return result;
}

TDriverLoad LoadApprovalDriver(const std::filesystem::path& aPath)
{
    TDriverLoad load;
    const auto missing = [&](std::string aMessage) {
        const char* detail = ::dlerror();
        load.Message = std::move(aMessage);
        load.Detail = detail ? detail : "";
        load.Driver = std::make_unique<TMissingApprovalDriver>(load.Message);
        return std::move(load);
    };
    ::dlerror();
    // A path without a folder would make dlopen search the library path: the
    // driver is always the file named in the configuration.
    const std::filesystem::path path = aPath.has_parent_path() ? aPath : std::filesystem::path(".") / aPath;
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return missing(format(kApprovalDriverMissing, aPath.string()));

    auto* card = reinterpret_cast<PosApprovalCardFn>(::dlsym(handle, "ApprovalCard"));
    auto* cash = reinterpret_cast<PosApprovalCashFn>(::dlsym(handle, "ApprovalCash"));
    if (!card || !cash) {
        TDriverLoad result = missing(format(kApprovalDriverNoSymbol, aPath.string(), card ? "ApprovalCash" : "ApprovalCard"));
        ::dlclose(handle);
        return result;
    }
    load.Driver = std::make_unique<TLoadedApprovalDriver>(handle, card, cash);
    load.Loaded = true;
    return load;
}

}  // namespace pos
