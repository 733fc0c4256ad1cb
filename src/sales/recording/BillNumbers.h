#pragma once
// The terminal's bill numbers: "POSBill.ini" in the program folder keeps,
// under the own outlet's section, the next bill number of each date (a
// missing date starts at 1), and the server says which number it expects
// next. The number of a bill is taken for good before its rows are
// committed or queued: a bill that then fails leaves a gap, never a second
// bill under the same number.

#include <cstdint>
#include <filesystem>
#include <string>

namespace pos {

struct TTerminalContext;
class DialogService;
class TfrmData;

inline constexpr const char* kBillNoFile = "POSBill.ini";
inline constexpr const char* kMsgBillNoNotSaved =
    "전표 번호를 저장하지 못했습니다.\r전산팀에 문의하십시오.";

// "0000".
std::string FormatBillNo(std::int64_t aBillNo);

class TBillNumbers {
public:
    TBillNumbers(TTerminalContext& aContext, DialogService& aDialogs) : ctx_(aContext), dialogs_(aDialogs) {}

    // GetMaxBillNo: giBillNo and gsBillNo from the file (key gsToday during
    // a pre-sale, else gsSaleDate); during a pre-sale also gsPreBillNo from
    // the key gsSaleDate.
    void Load();
    // The next number stored under a date.
    std::int64_t NextOf(const std::string& aDate) const;
    // SaveBillNo: the number after the current bill becomes the next one
    // (both numbers during a pre-sale). False (after its message) when the
    // file cannot be written; the bill must then not be stored.
    bool TakeCurrent();
    // CheckMaxBillNo: while the server expects a higher number than the
    // current one, the current number is taken and the next loaded. A
    // failing statement leaves the number as it is. False only when the
    // file cannot be written.
    bool CatchUpWithServer(TfrmData& aData);
    // A duplicate bill number met at the server: the current number is
    // taken, the next one loaded.
    bool Advance();

    std::filesystem::path Path() const;

private:
    bool store(const std::string& aDate, std::int64_t aNext);

    TTerminalContext& ctx_;
    DialogService& dialogs_;
};

}  // namespace pos
