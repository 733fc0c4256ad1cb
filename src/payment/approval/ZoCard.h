#pragma once
// TZoCard: the terminal's own client of the card server over the dedicated
// line. One fixed-width request, one fixed-width answer, one connection per
// request (CardMessage.h holds the layout, CardServerLink.h the line).
//
// Execute blocks until the server answers or a time-out ends the wait (at
// most the read time-out of 30 seconds after the request went out); run it
// on a worker (ApprovalRunner.h), never on the GUI thread. One TZoCard serves
// one screen and is used by one thread at a time.
//
// Repeat rule: the same card and amount again within 10 seconds of the last
// request
//   - with no answer kept from that request: refused with "TIME", nothing sent;
//   - when the request is the very same and its kept answer is an approval:
//     that approval is given again, nothing sent (a second press of Enter);
//   - otherwise the request is sent.
// The kept answer belongs to one request: it is dropped when a new request is
// sent and kept only when that request is answered properly, so an answer can
// never be handed back for another card, amount or request.
//
// Outcomes: approved ("0000"), refused (the server's code, or the client's
// own "TIME", "CONN", "WRIT", "AMNT": nothing reached the card company), or
// uncertain: the request went out but no proper answer came back ("READ",
// "DATA"), so the card company may have approved it. An uncertain request is
// never a plain refusal: the caller must not simply try another way.

#include "payment/approval/ApprovalClock.h"
#include "payment/approval/CardMessage.h"
#include "payment/approval/CardServerLink.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace pos {

enum class TCardOutcome { Approved, Refused, Uncertain };

struct TCardServerAnswer {
    TCardOutcome Outcome = TCardOutcome::Refused;
    std::string ErrCode;  // "0000" when approved
    std::string Note;     // the server's message (card numbers masked), or the client's own (whole, not cut to the field)
    bool Sent = false;    // the request went out on the line
};

// The client's own codes and messages.
inline constexpr const char* kCardTimeCode = "TIME";
inline constexpr const char* kCardTimeNote = "같은 카드로 10초 이내에 재승인을 할 수 없습니다.";
inline constexpr const char* kCardConnCode = "CONN";
inline constexpr const char* kCardConnNote = "신용카드 서버(%s:%d)와 연결할 수 없습니다.";
inline constexpr const char* kCardWritCode = "WRIT";
inline constexpr const char* kCardWritNote = "신용카드 서버(%s:%d)에 전문을 보내지 못했습니다.";
inline constexpr const char* kCardReadCode = "READ";
inline constexpr const char* kCardReadNote = "신용카드 승인 시간이 초과되었습니다.";
inline constexpr const char* kCardAmountCode = "AMNT";
inline constexpr const char* kCardAmountNote = "승인 금액이 올바르지 않습니다.";

// The largest amount the line's eight digits can carry.
inline constexpr std::int64_t kCardMaxAmount = 99'999'999;
inline constexpr std::chrono::seconds kCardRepeatWindow{10};

class TZoCard {
public:
    TZoCard(TCardServerLink& aLink, const TApprovalClock& aClock);

    void SetHost(std::string aHost) { host_ = std::move(aHost); }
    void SetPort(std::int64_t aPort) { port_ = aPort; }
    const std::string& Host() const { return host_; }
    std::int64_t Port() const { return port_; }

    TCardServerAnswer Execute(const TCardServerRequest& aRequest);

    // The last request and its answer (the response properties: CompCode,
    // CompName, BalgupsaCode, BalgupsaName, AgreeNo, AgreeAmt, AgreeDate,
    // KamaengNo; ErrCode and Note).
    const TCardRequestText& Request() const { return request_; }
    const TCardResponseText& Response() const { return response_; }

private:
    TCardServerAnswer fail(const char* aCode, std::string aNote, TCardOutcome aOutcome, bool aSent);
    std::string serverNote(const char* aFormat) const;
    bool repeatsLastCard() const;

    TCardServerLink& link_;
    const TApprovalClock& clock_;
    std::string host_;
    std::int64_t port_ = 0;

    TCardRequestText request_;
    TCardResponseText response_;

    // What the repeat rule remembers of the last request that was sent.
    TApprovalClock::time_point lastTime_;
    std::string lastTrack2_;
    std::int64_t lastSaleAmt_ = 0;
    std::string lastSendData_;  // the request the kept answer belongs to
    std::string lastGetData_;   // its answer; empty when it had none
};

}  // namespace pos
