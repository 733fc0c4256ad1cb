#include "payment/approval/ZoCard.h"

#include "core/IdentityNumbers.h"

#include <cstdio>

namespace pos {

TZoCard::TZoCard(TCardServerLink& aLink, const TApprovalClock& aClock)
    : link_(aLink), clock_(aClock), lastTime_(aClock.Now())
{
}

std::string TZoCard::serverNote(const char* aFormat) const
{
    char text[512];
    std::snprintf(text, sizeof text, aFormat, host_.c_str(), static_cast<int>(port_));
    return text;
}

TCardServerAnswer TZoCard::fail(const char* aCode, std::string aNote, TCardOutcome aOutcome, bool aSent)
{
    response_.SetErrCode(aCode);
    response_.SetNote(aNote);
    return TCardServerAnswer{aOutcome, aCode, std::move(aNote), aSent};
}

bool TZoCard::repeatsLastCard() const
{
    const auto elapsed = clock_.Now() - lastTime_;
    return request_.CardTrack2() == lastTrack2_ && request_.SaleAmt() == lastSaleAmt_ &&
           elapsed >= TApprovalClock::time_point::duration::zero() && elapsed < kCardRepeatWindow;
}

TCardServerAnswer TZoCard::Execute(const TCardServerRequest& aRequest)
{
    request_ = BuildCardRequest(aRequest);
    response_.ClearAll();
    const bool approval = request_.Approval();

    // Eight digits carry the amount: anything else would be sent as another
    // amount.
    if (aRequest.SaleAmt < 1 || aRequest.SaleAmt > kCardMaxAmount)
        return fail(kCardAmountCode, kCardAmountNote, TCardOutcome::Refused, false);

    if (repeatsLastCard()) {
        if (lastGetData_.empty()) return fail(kCardTimeCode, kCardTimeNote, TCardOutcome::Refused, false);
        if (lastSendData_ == request_.Bytes() && response_.Accept(lastGetData_, approval) && response_.Approved())
            return TCardServerAnswer{TCardOutcome::Approved, response_.ErrCode(), MaskNumbersForLog(response_.Note()), false};
        response_.ClearAll();
    }

    lastTime_ = clock_.Now();
    lastTrack2_ = request_.CardTrack2();
    lastSaleAmt_ = request_.SaleAmt();
    lastSendData_ = request_.Bytes();
    lastGetData_.clear();

    const TCardExchange exchange = link_.Exchange(host_, port_, request_.Bytes() + "\r\n", kCardResponseLength);
    switch (exchange.Stage) {
    case TCardExchangeStage::NotConnected:
        return fail(kCardConnCode, serverNote(kCardConnNote), TCardOutcome::Refused, false);
    case TCardExchangeStage::NotSent:
        return fail(kCardWritCode, serverNote(kCardWritNote), TCardOutcome::Refused, false);
    case TCardExchangeStage::NoAnswer:
        return fail(kCardReadCode, kCardReadNote, TCardOutcome::Uncertain, true);
    case TCardExchangeStage::Answered:
        break;
    }
    if (!response_.Accept(exchange.Answer, approval))
        return fail(kCardDataCode, kCardDataNote, TCardOutcome::Uncertain, true);
    lastGetData_ = exchange.Answer;
    const TCardOutcome outcome = response_.Approved() ? TCardOutcome::Approved : TCardOutcome::Refused;
    // The server's message goes to the cashier and the log: a card number
    // it quotes is masked.
    return TCardServerAnswer{outcome, response_.ErrCode(), MaskNumbersForLog(response_.Note()), true};
}

}  // namespace pos
