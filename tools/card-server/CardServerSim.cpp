#include "CardServerSim.h"

#include "core/Codec.h"
#include "core/DateHelpers.h"
#include "core/FileIO.h"
#include "core/IdentityNumbers.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <sstream>

namespace pos::sim {
namespace {

constexpr std::size_t kRequestBytes = 123;
constexpr std::size_t kAnswerBytes = 213;

// A piece of the request: 1-based first position and width, as the layout
// gives them.
std::string_view at(std::string_view aLine, std::size_t aFrom, std::size_t aWidth)
{
    return aLine.substr(aFrom - 1, aWidth);
}

std::string trimmed(std::string_view aText)
{
    const auto first = aText.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(aText.substr(first, aText.find_last_not_of(' ') - first + 1));
}

bool digitsOnly(std::string_view aText)
{
    return !aText.empty() && std::all_of(aText.begin(), aText.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::int64_t number(std::string_view aText) { return digitsOnly(aText) ? std::stoll(std::string(aText)) : -1; }

// aValue placed in aWidth bytes, left-aligned, blank-padded (CP949 bytes).
std::string cell(std::string_view aUtf8, std::size_t aWidth)
{
    std::string bytes = ToCp949(aUtf8);
    bytes.resize(aWidth, ' ');
    return bytes;
}

std::string zeros(std::int64_t aValue, int aWidth)
{
    char text[32];
    std::snprintf(text, sizeof text, "%0*lld", aWidth, static_cast<long long>(aValue));
    return text;
}

struct Company {
    const char* code;
    const char* name;
};

Company companyOf(std::string_view aCardNo)
{
    if (aCardNo.starts_with("4")) return {"016", "비씨카드"};
    if (aCardNo.starts_with("5")) return {"026", "삼성카드"};
    if (aCardNo.starts_with("3")) return {"029", "현대카드"};
    return {"999", "기타카드"};
}

bool waitReadable(int aFd, int aWakeFd, int aMs)
{
    pollfd p[2] = {{aFd, POLLIN, 0}, {aWakeFd, POLLIN, 0}};
    while (true) {
        const int n = ::poll(p, 2, aMs);
        if (n < 0 && errno == EINTR) continue;
        return n > 0 && (p[0].revents & (POLLIN | POLLHUP | POLLERR)) && !(p[1].revents & POLLIN);
    }
}

// Sleeps aMs unless the server is being stopped; false when it is.
bool pause(int aWakeFd, int aMs)
{
    pollfd p{aWakeFd, POLLIN, 0};
    return ::poll(&p, 1, aMs) == 0;
}

void sendAll(int aFd, std::string_view aBytes)
{
    while (!aBytes.empty()) {
        const ssize_t n = ::send(aFd, aBytes.data(), aBytes.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        aBytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

std::string today6()
{
    return GetSysDate().substr(2, 6);
}

}  // namespace

TDecodedRequest DecodeRequest(std::string_view aLine)
{
    TDecodedRequest r;
    if (aLine.size() != kRequestBytes) {
        r.Problem = "length " + std::to_string(aLine.size()) + ", not 123";
        return r;
    }
    r.Head = std::string(at(aLine, 1, 30));
    r.UpjangCode = trimmed(at(aLine, 3, 4));
    r.PosNo = trimmed(at(aLine, 7, 8));
    r.BillNo = number(at(aLine, 15, 4));
    r.SeqNo = number(at(aLine, 19, 4));
    r.Kind = std::string(at(aLine, 31, 2));
    const std::string_view keyIn = at(aLine, 33, 1);
    r.KeyIn = keyIn == "@";
    if (r.KeyIn) {
        r.CardNo = trimmed(at(aLine, 34, 29));
        r.Expiry = trimmed(at(aLine, 63, 8));
    } else {
        r.Track = trimmed(at(aLine, 34, 37));
        const std::size_t equals = r.Track.find('=');
        r.CardNo = r.Track.substr(0, equals);
        if (equals != std::string::npos) r.Expiry = r.Track.substr(equals + 1, 4);
    }
    r.HalbuMonth = number(at(aLine, 71, 2));
    r.Amount = number(at(aLine, 73, 8));
    r.OrgAgreeNo = trimmed(at(aLine, 81, 8));
    r.TerminalID = trimmed(at(aLine, 89, 10));
    r.SaleDate = std::string(at(aLine, 99, 6));

    if (r.Kind != "D1" && r.Kind != "D2") r.Problem = "kind \"" + r.Kind + "\"";
    else if (keyIn != "@" && keyIn != "A") r.Problem = "key-in mark \"" + std::string(keyIn) + "\"";
    else if (!digitsOnly(r.CardNo) || r.CardNo.size() < 13) r.Problem = "card number";
    else if (r.Expiry.size() != 4 || !digitsOnly(r.Expiry)) r.Problem = "expiry";
    else if (r.Amount <= 0) r.Problem = "amount";
    else if (r.HalbuMonth < 0) r.Problem = "instalment";
    else if (r.BillNo < 0 || r.SeqNo < 0) r.Problem = "bill number";
    else if (r.Kind == "D1" && !r.OrgAgreeNo.empty()) r.Problem = "original approval number on an approval";
    else if (r.Kind == "D2" && r.OrgAgreeNo.empty()) r.Problem = "no original approval number on a cancellation";
    else if (!digitsOnly(r.SaleDate)) r.Problem = "sale date";
    r.WellFormed = r.Problem.empty();
    return r;
}

std::optional<TReply> ParseReply(std::string_view aText)
{
    std::istringstream in{std::string(aText)};
    std::string word;
    TReply reply;
    if (!(in >> word)) return std::nullopt;
    if (word == "delay") {
        if (!(in >> reply.DelayMs) || reply.DelayMs < 0 || !(in >> word)) return std::nullopt;
    }
    if (word == "approve") reply.Kind = TReplyKind::Approve;
    else if (word == "short") reply.Kind = TReplyKind::Short;
    else if (word == "long") reply.Kind = TReplyKind::Long;
    else if (word == "wrong-kind") reply.Kind = TReplyKind::WrongKind;
    else if (word == "silent") reply.Kind = TReplyKind::Silent;
    else if (word == "close") reply.Kind = TReplyKind::Close;
    else if (word == "split") {
        reply.Kind = TReplyKind::Split;
        if (!(in >> reply.Pieces) || reply.Pieces < 2) return std::nullopt;
    } else if (word == "refuse") {
        reply.Kind = TReplyKind::Refuse;
        if (!(in >> reply.Code) || reply.Code.size() != 4) return std::nullopt;
        std::getline(in >> std::ws, reply.Message);
    } else {
        return std::nullopt;
    }
    return reply;
}

TCardServerSim::TCardServerSim(std::filesystem::path aLedgerFile)
    : ledgerFile_(std::move(aLedgerFile)),
      // Approval numbers differ from one run to the next, as a card
      // company's would.
      nextAgreeNo_(static_cast<std::int64_t>(std::time(nullptr) % 100000) * 100 + 1)
{
}

TCardServerSim::~TCardServerSim() { Stop(); }

bool TCardServerSim::Listen(std::uint16_t aPort, std::string* aError)
{
    const auto fail = [&](const char* aWhat) {
        if (aError) *aError = std::string(aWhat) + ": " + std::strerror(errno);
        Stop();
        return false;
    };
    if (::pipe2(wakeFd_, O_CLOEXEC) != 0) return fail("pipe");
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) return fail("socket");
    const int yes = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(aPort);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return fail("bind");
    if (::listen(listenFd_, 8) != 0) return fail("listen");
    socklen_t len = sizeof address;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &len);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
    return true;
}

void TCardServerSim::Stop()
{
    if (wakeFd_[1] >= 0) {
        const char c = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeFd_[1], &c, 1);
    }
    if (thread_.joinable()) thread_.join();
    for (int* fd : {&listenFd_, &wakeFd_[0], &wakeFd_[1]}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
}

void TCardServerSim::Queue(TReply aReply)
{
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(aReply));
}

void TCardServerSim::SetDefault(TReply aReply)
{
    std::lock_guard lock(mutex_);
    default_ = std::move(aReply);
}

int TCardServerSim::Requests() const
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(received_.size());
}

std::vector<TDecodedRequest> TCardServerSim::Received() const
{
    std::lock_guard lock(mutex_);
    return received_;
}

std::vector<TLedgerLine> TCardServerSim::Ledger() const
{
    std::lock_guard lock(mutex_);
    return ledger_;
}

std::int64_t TCardServerSim::Charged(std::string_view aCardNo) const
{
    std::lock_guard lock(mutex_);
    std::int64_t won = 0;
    for (const TLedgerLine& l : ledger_)
        if (l.Action == "APPROVE" && !l.Cancelled && l.CardNo == aCardNo) won += l.Amount;
    return won;
}

bool TCardServerSim::WaitForRequests(int aCount, std::chrono::milliseconds aGuard) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, aGuard, [&] { return static_cast<int>(received_.size()) >= aCount; });
}

void TCardServerSim::serve()
{
    while (true) {
        pollfd p[2] = {{listenFd_, POLLIN, 0}, {wakeFd_[0], POLLIN, 0}};
        if (::poll(p, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (p[1].revents & POLLIN) return;
        if (!(p[0].revents & POLLIN)) continue;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        handle(fd);
        ::close(fd);
    }
}

void TCardServerSim::record(const TLedgerLine& aLine)
{
    ledger_.push_back(aLine);
    if (ledgerFile_.empty()) return;
    const std::string line = GetSysTimeStamp() + "\t" + aLine.Action + "\t" + aLine.AgreeNo + "\t" + aLine.OrgAgreeNo +
                             "\t" + MaskForLog(aLine.CardNo) + "\t" + std::to_string(aLine.Amount) + "\t" +
                             std::to_string(aLine.HalbuMonth) + "\t" + aLine.TerminalID + "\n";
    AppendToFile(ledgerFile_, line);
}

// The card company's answer to a well-formed request (under the lock):
// code, message and the ledger. aKind is the answer's kind.
std::string TCardServerSim::process(const TDecodedRequest& r, std::string& aAgreeNo)
{
    if (r.Kind == "D1") {
        aAgreeNo = zeros(nextAgreeNo_++ % 100000000, 8);
        record({"APPROVE", aAgreeNo, {}, r.CardNo, r.Amount, r.HalbuMonth, r.TerminalID, false});
        return "0000정상승인";
    }
    const auto original = std::find_if(ledger_.begin(), ledger_.end(), [&](const TLedgerLine& l) {
        return l.Action == "APPROVE" && l.AgreeNo == r.OrgAgreeNo && l.CardNo == r.CardNo && l.Amount == r.Amount;
    });
    if (original == ledger_.end()) return "7003원거래가 없습니다.";
    if (original->Cancelled) return "8433이미 취소된 전표입니다.";
    original->Cancelled = true;
    aAgreeNo = zeros(nextAgreeNo_++ % 100000000, 8);
    record({"CANCEL", aAgreeNo, r.OrgAgreeNo, r.CardNo, r.Amount, r.HalbuMonth, r.TerminalID, false});
    return "0000정상취소";
}

void TCardServerSim::handle(int aFd)
{
    // The request: everything up to CR LF.
    std::string bytes;
    char buf[512];
    while (bytes.find("\r\n") == std::string::npos && bytes.size() < 4096) {
        if (!waitReadable(aFd, wakeFd_[0], 5000)) break;
        const ssize_t n = ::recv(aFd, buf, sizeof buf, 0);
        if (n <= 0) break;
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    const std::size_t end = bytes.find("\r\n");
    TDecodedRequest request = DecodeRequest(std::string_view(bytes).substr(0, end));
    if (end == std::string::npos && request.WellFormed) {
        request.WellFormed = false;
        request.Problem = "no CR LF";
    }

    TReply reply;
    std::string answer;
    {
        std::lock_guard lock(mutex_);
        received_.push_back(request);
        if (!queue_.empty()) {
            reply = queue_.front();
            queue_.pop_front();
        } else {
            reply = default_;
        }
        std::string agreeNo;
        std::string result;
        if (!request.WellFormed) result = "9001전문 형식 오류";
        else if (reply.Kind == TReplyKind::Refuse) result = reply.Code + reply.Message;
        else result = process(request, agreeNo);
        const std::string code = result.substr(0, 4), message = result.substr(4);
        const bool approved = code == "0000";
        const Company company = companyOf(request.CardNo);
        std::string kind = request.Kind == "D2" ? "D2" : "D1";
        if (reply.Kind == TReplyKind::WrongKind) kind = kind == "D1" ? "D2" : "D1";
        answer = cell(request.Head, 30) + kind + code + cell(approved ? company.code : "", 3) +
                 cell(approved ? company.name : "", 14) + cell(approved ? company.name : "", 14) +
                 cell(approved ? today6() : "", 6) + cell("", 7) + cell(agreeNo, 8) +
                 zeros(approved ? request.Amount : 0, 8) + cell(message, 64) + cell(approved ? "7012345678" : "", 15);
        answer.resize(kAnswerBytes, ' ');
    }
    changed_.notify_all();

    if (reply.DelayMs > 0 && !pause(wakeFd_[0], reply.DelayMs)) return;
    switch (reply.Kind) {
    case TReplyKind::Approve:
    case TReplyKind::Refuse:
    case TReplyKind::WrongKind: sendAll(aFd, answer); break;
    case TReplyKind::Short: sendAll(aFd, std::string_view(answer).substr(0, kAnswerBytes - 1)); break;
    case TReplyKind::Long: sendAll(aFd, answer + "X"); break;
    case TReplyKind::Split: {
        const std::size_t piece = (answer.size() + reply.Pieces - 1) / static_cast<std::size_t>(reply.Pieces);
        for (std::size_t from = 0; from < answer.size(); from += piece) {
            sendAll(aFd, std::string_view(answer).substr(from, piece));
            if (!pause(wakeFd_[0], 30)) return;
        }
        break;
    }
    case TReplyKind::Silent:
        // Until the terminal gives up and closes, or the server stops.
        while (waitReadable(aFd, wakeFd_[0], -1) && ::recv(aFd, buf, sizeof buf, 0) > 0) {
        }
        break;
    case TReplyKind::Close: break;
    }
}

}  // namespace pos::sim
