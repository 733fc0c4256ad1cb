#pragma once
// One exchange with the card server: connect, send one request line, read
// the answer, close. One connection carries exactly one request.
//
// The call blocks its thread, bounded by the time-outs below; the payment
// screen runs it on a worker (ApprovalRunner.h), never on the GUI thread.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace pos {

struct TCardServerTimeouts {
    std::chrono::milliseconds connect{5000};
    std::chrono::milliseconds send{5000};
    // From the moment the request has gone out until the whole answer is in:
    // the waiting panel tells the cashier "최대 30초".
    std::chrono::milliseconds read{30000};
    // After a whole answer has arrived: how long further bytes are waited for
    // (an answer longer than the line's is a faulty one). The server closes
    // the connection after its answer, which ends this wait at once.
    std::chrono::milliseconds trailing{300};
};

enum class TCardExchangeStage {
    NotConnected,  // no connection: nothing was sent
    NotSent,       // connected, the request could not be sent whole
    NoAnswer,      // sent, but no whole answer came before the time-out or the end of the connection
    Answered,      // sent, and the server answered (Answer holds every byte it sent)
};

struct TCardExchange {
    TCardExchangeStage Stage = TCardExchangeStage::NotConnected;
    std::string Answer;  // the bytes received, whole or not
};

class TCardServerLink {
public:
    virtual ~TCardServerLink() = default;
    // Sends aRequestLine (the request followed by CR LF) to aHost:aPort and
    // reads the answer of aAnswerLength bytes.
    virtual TCardExchange Exchange(const std::string& aHost, std::int64_t aPort, std::string_view aRequestLine,
                                   std::size_t aAnswerLength) = 0;
};

// The real line: a TCP connection, IPv4 or IPv6, with the time-outs above.
class TTcpCardServerLink : public TCardServerLink {
public:
    explicit TTcpCardServerLink(TCardServerTimeouts aTimeouts = {}) : timeouts_(aTimeouts) {}

    TCardExchange Exchange(const std::string& aHost, std::int64_t aPort, std::string_view aRequestLine,
                           std::size_t aAnswerLength) override;

private:
    TCardServerTimeouts timeouts_;
};

}  // namespace pos
