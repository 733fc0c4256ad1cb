#pragma once
// A card server on loopback for tests and the demo: it speaks the dedicated
// line's protocol (one 123-character request ended by CR LF, one
// 213-character answer, one request per connection), plays a card company
// that approves and cancels, and can be told how to answer each request,
// broken answers included.
//
// The request is decoded here on its own, from the line's layout, and not
// with the terminal's message code, so a fault in the terminal's layout shows
// up as a wrong decode.
//
// The card company: an approval ("D1") is approved with a new approval
// number; a cancellation ("D2") must name an approval of the same card and
// amount that is still standing ("7003" when there is none, "8433" when it
// was cancelled already). The ledger keeps every approval and cancellation
// it made, so a test can tell what each card was charged in the end. A
// broken answer (cut short, too long, the wrong kind, none at all, the
// connection closed) is still processed by the card company: that is the
// case the terminal must not take for a refusal.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace pos::sim {

// One request as the line's layout reads (positions counted from 1 in the
// comments, as the layout is written down).
struct TDecodedRequest {
    bool WellFormed = false;
    std::string Problem;      // why it is not
    std::string Kind;         // 31-32 "D1" approval, "D2" cancellation
    std::string UpjangCode;   // 3-6
    std::string PosNo;        // 7-14
    std::int64_t BillNo = 0;  // 15-18
    std::int64_t SeqNo = 0;   // 19-22
    bool KeyIn = false;       // 33 "@"
    std::string CardNo;       // keyed in: 34-62; swiped: the track up to "="
    std::string Expiry;       // keyed in: 63-70; swiped: the 4 bytes after "="
    std::string Track;        // swiped: 34-70
    std::int64_t HalbuMonth = 0;  // 71-72
    std::int64_t Amount = 0;      // 73-80
    std::string OrgAgreeNo;       // 81-88
    std::string TerminalID;       // 89-98
    std::string SaleDate;         // 99-104 YYMMDD
    std::string Head;             // 1-30, echoed in the answer
};

// aLine without its CR LF.
TDecodedRequest DecodeRequest(std::string_view aLine);

enum class TReplyKind {
    Approve,    // the card company decides (approves a D1, checks a D2)
    Refuse,     // refused with Code and Message
    Split,      // as Approve, the answer in Pieces writes
    Short,      // as Approve, the answer one byte short (212)
    Long,       // as Approve, one byte too many (214)
    WrongKind,  // as Approve, answered "D2" to "D1" and "D1" to "D2"
    Silent,     // processed, never answered (the connection stays open)
    Close,      // processed, the connection closed without an answer
};

struct TReply {
    TReplyKind Kind = TReplyKind::Approve;
    std::string Code, Message;  // Refuse
    int Pieces = 3;             // Split
    int DelayMs = 0;            // wait before answering
};

// "approve", "refuse CODE MESSAGE...", "split N", "short", "long",
// "wrong-kind", "silent", "close", each optionally preceded by "delay MS".
std::optional<TReply> ParseReply(std::string_view aText);

struct TLedgerLine {
    std::string Action;   // "APPROVE" or "CANCEL"
    std::string AgreeNo;  // the approval (or cancellation) number given
    std::string OrgAgreeNo;
    std::string CardNo;   // whole in memory; masked in the ledger file
    std::int64_t Amount = 0;
    std::int64_t HalbuMonth = 0;
    std::string TerminalID;
    bool Cancelled = false;  // an approval that a later cancellation undid
};

class TCardServerSim {
public:
    // With aLedgerFile, every ledger line is also appended there (card
    // numbers masked), one TAB-separated line each.
    explicit TCardServerSim(std::filesystem::path aLedgerFile = {});
    ~TCardServerSim();
    TCardServerSim(const TCardServerSim&) = delete;
    TCardServerSim& operator=(const TCardServerSim&) = delete;

    // Listens on 127.0.0.1; aPort 0 takes a free port.
    bool Listen(std::uint16_t aPort = 0, std::string* aError = nullptr);
    std::uint16_t Port() const { return port_; }
    void Stop();

    // Answers for the next requests, in order; then the default.
    void Queue(TReply aReply);
    void SetDefault(TReply aReply);

    int Requests() const;
    std::vector<TDecodedRequest> Received() const;
    std::vector<TLedgerLine> Ledger() const;
    // Won the card stands charged with: its standing approvals.
    std::int64_t Charged(std::string_view aCardNo) const;
    // Waits until aCount requests have been read (false after aGuard).
    bool WaitForRequests(int aCount, std::chrono::milliseconds aGuard = std::chrono::seconds(20)) const;

private:
    void serve();
    void handle(int aFd);
    std::string process(const TDecodedRequest& aRequest, std::string& aAgreeNo);
    void record(const TLedgerLine& aLine);

    std::filesystem::path ledgerFile_;
    int listenFd_ = -1;
    int wakeFd_[2] = {-1, -1};
    std::uint16_t port_ = 0;
    std::thread thread_;

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::deque<TReply> queue_;
    TReply default_;
    std::vector<TDecodedRequest> received_;
    std::vector<TLedgerLine> ledger_;
    std::int64_t nextAgreeNo_;
};

}  // namespace pos::sim
