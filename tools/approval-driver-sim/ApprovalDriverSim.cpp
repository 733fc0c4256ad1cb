// The approval driver simulator: a shared library with the approval
// driver's two functions (src/payment/approval/ApprovalDriverApi.h) that
// answers as a script says, for tests and the demo.
//
// POS_APPROVAL_SIM_SCRIPT names the script: one answer a line, taken in
// order by the calls it applies to ('#' starts a comment):
//   [card|cash|any] [delay MS] approve
//   [card|cash|any] [delay MS] refuse CODE MESSAGE...
//   [card|cash|any] [delay MS] fail [MESSAGE...]       could not process: false, empty code
//   [card|cash|any] [delay MS] uncertain               sent, no answer: false, "READ"
// Without a kind the line applies to any call. When the script has no line
// left for a call (or there is none), the call is approved. A script whose
// content changes starts again from its first line.
//
// POS_APPROVAL_SIM_LOG names a file that gets one TAB-separated line per
// call: kind ("CARD"/"CASH"), "APPROVE"/"CANCEL", the masked card or
// identity number, amount, instalment, original approval number, terminal
// ID, bill number, and the answer (code, or "0000" and the approval number).
//
// Like a card company, it remembers what it approved: a cancellation must
// name a standing approval of the same card and amount ("7003" when there is
// none, "8433" when it was cancelled already); a cash receipt cancellation
// must match a standing receipt of the same identity and amount.

#include "payment/approval/ApprovalDriverApi.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Answer {
    enum Kind { Approve, Refuse, Fail, Uncertain } kind = Approve;
    std::string code, message;
    int delayMs = 0;
};

struct Line {
    std::string appliesTo;  // "card", "cash" or "any"
    Answer answer;
};

struct Standing {
    std::string kind, number, agreeNo;
    std::int64_t amount;
    bool cancelled;
};

std::mutex gMutex;
std::string gScriptText;
std::vector<Line> gLines;
std::vector<bool> gUsed;
std::vector<Standing> gStanding;
std::int64_t gNextAgreeNo = static_cast<std::int64_t>(std::time(nullptr) % 100000) * 100 + 1;

std::optional<Line> parseLine(std::string text)
{
    const std::size_t hash = text.find('#');
    if (hash != std::string::npos) text.resize(hash);
    std::istringstream in(text);
    std::string word;
    if (!(in >> word)) return std::nullopt;
    Line line{"any", {}};
    if (word == "card" || word == "cash" || word == "any") {
        line.appliesTo = word;
        if (!(in >> word)) return std::nullopt;
    }
    if (word == "delay") {
        if (!(in >> line.answer.delayMs) || !(in >> word)) return std::nullopt;
    }
    if (word == "approve") {
        line.answer.kind = Answer::Approve;
    } else if (word == "refuse") {
        line.answer.kind = Answer::Refuse;
        if (!(in >> line.answer.code)) return std::nullopt;
        std::getline(in >> std::ws, line.answer.message);
    } else if (word == "fail") {
        line.answer.kind = Answer::Fail;
        std::getline(in >> std::ws, line.answer.message);
    } else if (word == "uncertain") {
        line.answer.kind = Answer::Uncertain;
        line.answer.code = POS_APPROVAL_UNCERTAIN_CODE;
        line.answer.message = "승인 응답이 없습니다.";
    } else {
        return std::nullopt;
    }
    return line;
}

// The next script answer for a call of aKind (under the lock).
Answer nextAnswer(const std::string& aKind)
{
    const char* path = std::getenv("POS_APPROVAL_SIM_SCRIPT");
    std::string text;
    if (path) {
        std::ifstream in(path, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (text != gScriptText) {
        gScriptText = text;
        gLines.clear();
        std::istringstream lines(text);
        for (std::string l; std::getline(lines, l);) {
            if (!l.empty() && l.back() == '\r') l.pop_back();
            if (auto parsed = parseLine(l)) gLines.push_back(*parsed);
        }
        gUsed.assign(gLines.size(), false);
    }
    for (std::size_t i = 0; i < gLines.size(); ++i) {
        if (gUsed[i] || (gLines[i].appliesTo != "any" && gLines[i].appliesTo != aKind)) continue;
        gUsed[i] = true;
        return gLines[i].answer;
    }
    return Answer{};
}

void put(char* aBuffer, int32_t aCapacity, const std::string& aText)
{
    if (!aBuffer || aCapacity <= 0) return;
    std::size_t n = std::min<std::size_t>(aText.size(), static_cast<std::size_t>(aCapacity - 1));
    while (n > 0 && n < aText.size() && (static_cast<unsigned char>(aText[n]) & 0xC0) == 0x80) --n;  // whole characters
    aText.copy(aBuffer, n);
    aBuffer[n] = '\0';
}

std::string numberOf(std::string aData)
{
    if (aData.size() > 2 && aData.front() == ';' && aData.back() == '?') aData = aData.substr(1, aData.size() - 2);
    return aData.substr(0, aData.find('='));
}

std::string masked(const std::string& aNumber)
{
    std::string out = aNumber;
    const std::size_t n = out.size();
    for (std::size_t i = 0; i < n; ++i)
        if (n >= 13 ? (i >= 6 && i + 4 < n) : (n >= 8 && i + 4 < n)) out[i] = '*';
    return out;
}

std::string today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y%m%d", &local);
    return text;
}

void log(const std::string& aLine)
{
    const char* path = std::getenv("POS_APPROVAL_SIM_LOG");
    if (!path) return;
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) return;
    const std::string line = aLine + "\n";
    [[maybe_unused]] const ssize_t n = ::write(fd, line.data(), line.size());
    ::close(fd);
}

std::string newAgreeNo()
{
    char text[16];
    std::snprintf(text, sizeof text, "%08lld", static_cast<long long>(gNextAgreeNo++ % 100000000));
    return text;
}

struct Outcome {
    bool approved = false;
    std::string code, message, agreeNo;
};

// What the card company makes of a request the script lets through.
Outcome decide(const std::string& aKind, bool aApprove, const std::string& aNumber, std::int64_t aAmount,
               const std::string& aOrgAgreeNo)
{
    if (aApprove) {
        const std::string agreeNo = newAgreeNo();
        gStanding.push_back({aKind, aNumber, agreeNo, aAmount, false});
        return {true, "", "정상승인", agreeNo};
    }
    const auto original = std::find_if(gStanding.rbegin(), gStanding.rend(), [&](const Standing& s) {
        return s.kind == aKind && s.number == aNumber && s.amount == aAmount &&
               (aKind == "cash" || s.agreeNo == aOrgAgreeNo) && (aKind == "card" || !s.cancelled);
    });
    if (original == gStanding.rend()) return {false, "7003", "원거래가 없습니다.", ""};
    if (original->cancelled) return {false, "8433", "이미 취소된 전표입니다.", ""};
    original->cancelled = true;
    return {true, "", "정상취소", newAgreeNo()};
}

// The script's answer and, when it lets the request through, the card
// company's; sleeps the scripted delay outside the lock.
Outcome answer(const std::string& aKind, bool aApprove, const std::string& aNumber, std::int64_t aAmount,
               const std::string& aOrgAgreeNo)
{
    Answer scripted;
    {
        std::lock_guard lock(gMutex);
        scripted = nextAnswer(aKind);
    }
    if (scripted.delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(scripted.delayMs));
    std::lock_guard lock(gMutex);
    switch (scripted.kind) {
    case Answer::Refuse: return {false, scripted.code, scripted.message, ""};
    case Answer::Fail: return {false, "", scripted.message.empty() ? "승인 모듈이 요청을 처리하지 못했습니다." : scripted.message, ""};
    case Answer::Uncertain: {
        // The card company got it and approved; the answer was lost.
        decide(aKind, aApprove, aNumber, aAmount, aOrgAgreeNo);
        return {false, scripted.code, scripted.message, ""};
    }
    case Answer::Approve: break;
    }
    return decide(aKind, aApprove, aNumber, aAmount, aOrgAgreeNo);
}

const char* companyCode(const std::string& aNumber)
{
    return aNumber.starts_with("4") ? "016" : aNumber.starts_with("5") ? "026" : "029";
}

const char* companyName(const std::string& aNumber)
{
    return aNumber.starts_with("4") ? "비씨카드" : aNumber.starts_with("5") ? "삼성카드" : "현대카드";
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int32_t ApprovalCard(
    int32_t, int32_t aApprove, const char*, const char*, const char*, int32_t aBillNo, int32_t, const char* aCardData,
    int32_t, int32_t aAmount, int32_t aHalbuMonth, const char*, const char* aOrgAgreeNo, const char* aTerminalID,
    int32_t, int32_t, int32_t, char* aAgreeDate, int32_t aAgreeDateCapacity, char* aAgreeNo, int32_t aAgreeNoCapacity,
    char* aCompCode, int32_t aCompCodeCapacity, char* aCompName, int32_t aCompNameCapacity, char* aIssueCode,
    int32_t aIssueCodeCapacity, char* aIssueName, int32_t aIssueNameCapacity, int32_t* aAgreeAmt, char* aJoinNo,
    int32_t aJoinNoCapacity, char* aErrCode, int32_t aErrCodeCapacity, char* aMessage, int32_t aMessageCapacity)
{
    const std::string number = numberOf(aCardData ? aCardData : "");
    const std::string orgAgreeNo = aOrgAgreeNo ? aOrgAgreeNo : "";
    const Outcome o = answer("card", aApprove != 0, number, aAmount, orgAgreeNo);
    put(aErrCode, aErrCodeCapacity, o.code);
    put(aMessage, aMessageCapacity, o.message);
    if (o.approved) {
        put(aAgreeDate, aAgreeDateCapacity, today());
        put(aAgreeNo, aAgreeNoCapacity, o.agreeNo);
        put(aCompCode, aCompCodeCapacity, companyCode(number));
        put(aCompName, aCompNameCapacity, companyName(number));
        put(aIssueCode, aIssueCodeCapacity, companyCode(number));
        put(aIssueName, aIssueNameCapacity, companyName(number));
        put(aJoinNo, aJoinNoCapacity, "7012345678");
        if (aAgreeAmt) *aAgreeAmt = aAmount;
    }
    log("CARD\t" + std::string(aApprove ? "APPROVE" : "CANCEL") + "\t" + masked(number) + "\t" +
        std::to_string(aAmount) + "\t" + std::to_string(aHalbuMonth) + "\t" + orgAgreeNo + "\t" +
        (aTerminalID ? aTerminalID : "") + "\t" + std::to_string(aBillNo) + "\t" +
        (o.approved ? "0000 " + o.agreeNo : o.code));
    return o.approved ? 1 : 0;
}

extern "C" __attribute__((visibility("default"))) int32_t ApprovalCash(
    int32_t, int32_t aApprove, const char*, const char*, const char*, int32_t aBillNo, int32_t, int32_t,
    const char* aIdentity, int32_t aAmount, int32_t, const char* aTerminalID, char* aAgreeDate,
    int32_t aAgreeDateCapacity, char* aAgreeNo, int32_t aAgreeNoCapacity, char* aErrCode, int32_t aErrCodeCapacity,
    char* aMessage, int32_t aMessageCapacity)
{
    const std::string number = numberOf(aIdentity ? aIdentity : "");
    const Outcome o = answer("cash", aApprove != 0, number, aAmount, "");
    put(aErrCode, aErrCodeCapacity, o.code);
    put(aMessage, aMessageCapacity, o.message);
    if (o.approved) {
        put(aAgreeDate, aAgreeDateCapacity, today());
        put(aAgreeNo, aAgreeNoCapacity, o.agreeNo);
    }
    log("CASH\t" + std::string(aApprove ? "APPROVE" : "CANCEL") + "\t" + masked(number) + "\t" +
        std::to_string(aAmount) + "\t0\t\t" + (aTerminalID ? aTerminalID : "") + "\t" + std::to_string(aBillNo) +
        "\t" + (o.approved ? "0000 " + o.agreeNo : o.code));
    return o.approved ? 1 : 0;
}
