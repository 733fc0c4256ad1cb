#include "payment/approval/ApprovalJournal.h"

#include "cards/CardRules.h"
#include "core/Codec.h"
#include "core/FileIO.h"
#include "core/TextHelpers.h"
#include "payment/PayLines.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace pos {
namespace {

constexpr std::size_t kJournalValues = 22;

std::uint32_t crc32(std::string_view aBytes)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : aBytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::string hex8(std::uint32_t aValue)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08x", aValue);
    return text;
}

std::string escape(std::string_view aValue)
{
    std::string out;
    for (char c : aValue) {
        switch (c) {
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\\': out += "\\\\"; break;
        default: out += c;
        }
    }
    return out;
}

std::optional<std::string> unescape(std::string_view aValue)
{
    std::string out;
    for (std::size_t i = 0; i < aValue.size(); ++i) {
        if (aValue[i] != '\\') {
            out += aValue[i];
            continue;
        }
        if (++i == aValue.size()) return std::nullopt;
        switch (aValue[i]) {
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        case '\\': out += '\\'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string_view> split(std::string_view aText, char aSep)
{
    std::vector<std::string_view> parts;
    std::size_t from = 0;
    while (true) {
        const std::size_t at = aText.find(aSep, from);
        parts.push_back(aText.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from));
        if (at == std::string_view::npos) return parts;
        from = at + 1;
    }
}

const char* stateCode(TJournalState aState)
{
    switch (aState) {
    case TJournalState::Pending: return "P";
    case TJournalState::Done: return "D";
    case TJournalState::Uncertain: return "U";
    }
    return "P";
}

std::optional<TJournalState> stateOf(std::string_view aCode)
{
    if (aCode == "P") return TJournalState::Pending;
    if (aCode == "D") return TJournalState::Done;
    if (aCode == "U") return TJournalState::Uncertain;
    return std::nullopt;
}

std::optional<bool> flagOf(std::string_view aText)
{
    if (aText == "Y") return true;
    if (aText == "N") return false;
    return std::nullopt;
}

std::optional<std::int64_t> numberOf(std::string_view aText)
{
    if (aText.empty() || !std::all_of(aText.begin(), aText.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    if (aText.size() > 18) return std::nullopt;
    return StringToInteger(aText);
}

const char* yn(bool aFlag) { return aFlag ? "Y" : "N"; }

// The folder is the owner's only: a failure here is not fatal (the files
// in it are created owner-only).
void ownerOnlyFolder(const std::filesystem::path& aPath)
{
    std::error_code ec;
    std::filesystem::permissions(aPath, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace, ec);
}

std::vector<std::string_view> fileLines(std::string_view aText)
{
    std::vector<std::string_view> lines;
    for (std::string_view line : split(aText, '\n')) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
    }
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

bool sameAmount(std::int64_t aWon, Currency aAmount) { return aAmount.abs() == Currency(aWon); }

}  // namespace

std::string JournalLine(const TJournalEntry& e)
{
    const std::array<std::string, kJournalValues> values = {
        std::to_string(e.Id),
        stateCode(e.State),
        e.Kind == TJournalKind::Card ? "CARD" : "CASH",
        yn(e.Approve),
        e.Channel,
        e.Time,
        e.Bill.SaleDate,
        e.Bill.UpjangCode,
        e.Bill.PosNo,
        std::to_string(e.Bill.BillNo),
        std::to_string(e.Amount),
        std::to_string(e.HalbuMonth),
        e.CardNo,
        e.ValidThru,
        yn(e.KeyIn),
        e.AgreeNo,
        e.OrgAgreeNo,
        e.AgreeDate,
        e.TerminalID,
        yn(e.Individual),
        e.Identity,
        e.Masked,
    };
    std::string line;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) line += '\t';
        line += ToCp949(escape(values[i]));
    }
    return line + '\t' + hex8(crc32(line));
}

std::optional<TJournalEntry> ParseJournalLine(std::string_view aLine)
{
    const std::size_t lastTab = aLine.rfind('\t');
    if (lastTab == std::string_view::npos) return std::nullopt;
    const std::string_view body = aLine.substr(0, lastTab);
    if (aLine.substr(lastTab + 1) != hex8(crc32(body))) return std::nullopt;

    const std::vector<std::string_view> raw = split(body, '\t');
    if (raw.size() != kJournalValues) return std::nullopt;
    std::array<std::string, kJournalValues> v;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const std::optional<std::string> value = unescape(raw[i]);
        bool bad = false;
        if (!value) return std::nullopt;
        v[i] = FromCp949(*value, &bad);
        if (bad) return std::nullopt;
    }

    TJournalEntry e;
    const auto id = numberOf(v[0]), billNo = numberOf(v[9]), amount = numberOf(v[10]), halbu = numberOf(v[11]);
    const auto state = stateOf(v[1]);
    const auto approve = flagOf(v[3]), keyIn = flagOf(v[14]), individual = flagOf(v[19]);
    if (!id || !billNo || !amount || !halbu || !state || !approve || !keyIn || !individual) return std::nullopt;
    if (v[2] != "CARD" && v[2] != "CASH") return std::nullopt;
    e.Id = *id;
    e.State = *state;
    e.Kind = v[2] == "CARD" ? TJournalKind::Card : TJournalKind::Cash;
    e.Approve = *approve;
    e.Channel = v[4];
    e.Time = v[5];
    e.Bill = TBillKey{v[6], v[7], v[8], *billNo};
    e.Amount = *amount;
    e.HalbuMonth = *halbu;
    e.CardNo = v[12];
    e.ValidThru = v[13];
    e.KeyIn = *keyIn;
    e.AgreeNo = v[15];
    e.OrgAgreeNo = v[16];
    e.AgreeDate = v[17];
    e.TerminalID = v[18];
    e.Individual = *individual;
    e.Identity = v[20];
    e.Masked = v[21];
    return e;
}

TApprovalJournal::TApprovalJournal(std::filesystem::path aFolder) : folder_(std::move(aFolder)) {}

std::filesystem::path TApprovalJournal::FilePath() const { return folder_ / kApprovalJournalFile; }
std::filesystem::path TApprovalJournal::AsidePath() const { return folder_ / kApprovalJournalAside; }

bool TApprovalJournal::Open()
{
    std::lock_guard lock(mutex_);
    opened_ = true;
    usable_ = false;
    entries_.clear();
    problems_.clear();

    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    ownerOnlyFolder(folder_);
    const std::filesystem::path path = FilePath();
    if (!std::filesystem::exists(path, ec)) {
        if (ec) {
            problems_.push_back(path.string() + ": " + ec.message());
            return false;
        }
        usable_ = true;
        return true;
    }
    RestrictToOwner(path);  // an older file may have been readable by all
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) {
        problems_.push_back(path.string() + " cannot be read; it is left as it is and not written");
        return false;
    }

    const std::vector<std::string_view> lines = fileLines(*text);
    const bool headerOk = !lines.empty() && lines.front() == kApprovalJournalHeader;
    if (!headerOk && !lines.empty())
        problems_.push_back(path.string() + " does not start with \"" + kApprovalJournalHeader + "\"");
    std::vector<std::string_view> damaged;
    std::vector<std::size_t> damagedAt;
    for (std::size_t i = headerOk ? 1 : 0; i < lines.size(); ++i) {
        std::optional<TJournalEntry> entry = ParseJournalLine(lines[i]);
        const bool duplicate = entry && std::any_of(entries_.begin(), entries_.end(),
                                                    [&](const TJournalEntry& e) { return e.Id == entry->Id; });
        if (entry && !duplicate) {
            entries_.push_back(std::move(*entry));
        } else {
            damaged.push_back(lines[i]);
            damagedAt.push_back(i + 1);
        }
    }
    if (damaged.empty()) {
        usable_ = true;
        return true;
    }

    // Damaged lines go to the aside file first; only once they are safe there
    // is the journal rewritten without them.
    std::string aside;
    for (std::string_view line : damaged) aside.append(line).append("\r\n");
    std::string error;
    if (!AppendToFile(AsidePath(), aside, TFileAccess::OwnerOnly, &error)) {
        problems_.push_back(std::to_string(damaged.size()) + " damaged line(s) in " + path.string() +
                            " could not be set aside (" + error + "); the journal is left as it is and not written");
        return false;
    }
    for (std::size_t at : damagedAt)
        problems_.push_back(path.string() + " line " + std::to_string(at) + " is damaged; set aside in " +
                            AsidePath().filename().string());
    if (!writeLocked(entries_, &error)) {
        problems_.push_back(error);
        return false;
    }
    usable_ = true;
    return true;
}

bool TApprovalJournal::Usable() const
{
    std::lock_guard lock(mutex_);
    return usable_;
}

std::vector<std::string> TApprovalJournal::Problems() const
{
    std::lock_guard lock(mutex_);
    return problems_;
}

std::vector<TJournalEntry> TApprovalJournal::Entries() const
{
    std::lock_guard lock(mutex_);
    return entries_;
}

std::optional<TJournalEntry> TApprovalJournal::Find(std::int64_t aId) const
{
    std::lock_guard lock(mutex_);
    for (const TJournalEntry& e : entries_)
        if (e.Id == aId) return e;
    return std::nullopt;
}

bool TApprovalJournal::refuseWhenUnusable(std::string* aError) const
{
    if (usable_) return false;
    if (aError)
        *aError = opened_ ? FilePath().string() + " is not usable" : FilePath().string() + " was not opened";
    return true;
}

bool TApprovalJournal::writeLocked(const std::vector<TJournalEntry>& aEntries, std::string* aError)
{
    std::string text = std::string(kApprovalJournalHeader) + "\r\n";
    for (const TJournalEntry& e : aEntries) text += JournalLine(e) + "\r\n";
    // The folder is owner-only, so the temporary file is never open to
    // others either; the file itself is made owner-only right after.
    if (!WriteFileAtomically(FilePath(), text, TFileAccess::OwnerOnly, aError)) return false;
    return true;
}

bool TApprovalJournal::Add(TJournalEntry& aEntry, std::string* aError)
{
    std::lock_guard lock(mutex_);
    if (refuseWhenUnusable(aError)) return false;
    std::int64_t next = 1;
    for (const TJournalEntry& e : entries_) next = std::max(next, e.Id + 1);
    std::vector<TJournalEntry> changed = entries_;
    aEntry.Id = next;
    changed.push_back(aEntry);
    if (!writeLocked(changed, aError)) return false;
    entries_ = std::move(changed);
    return true;
}

bool TApprovalJournal::Replace(const TJournalEntry& aEntry, std::string* aError)
{
    std::lock_guard lock(mutex_);
    if (refuseWhenUnusable(aError)) return false;
    std::vector<TJournalEntry> changed = entries_;
    const auto it = std::find_if(changed.begin(), changed.end(), [&](const TJournalEntry& e) { return e.Id == aEntry.Id; });
    if (it == changed.end()) {
        if (aError) *aError = "no journal entry " + std::to_string(aEntry.Id);
        return false;
    }
    *it = aEntry;
    if (!writeLocked(changed, aError)) return false;
    entries_ = std::move(changed);
    return true;
}

bool TApprovalJournal::Remove(std::int64_t aId, std::string* aError)
{
    std::lock_guard lock(mutex_);
    if (refuseWhenUnusable(aError)) return false;
    std::vector<TJournalEntry> changed = entries_;
    std::erase_if(changed, [&](const TJournalEntry& e) { return e.Id == aId; });
    if (changed.size() == entries_.size()) return true;
    if (!writeLocked(changed, aError)) return false;
    entries_ = std::move(changed);
    return true;
}

bool TApprovalJournal::CommitLines(const TPayLines& aLines, std::string* aError)
{
    std::lock_guard lock(mutex_);
    if (refuseWhenUnusable(aError)) return false;
    const auto storedCard = [&](const TJournalEntry& e) {
        return std::any_of(aLines.card.begin(), aLines.card.end(), [&](const TPayCardList& line) {
            return e.Kind == TJournalKind::Card && !e.AgreeNo.empty() && e.AgreeNo == Trim(line.AgreeNo) &&
                   e.CardNo == line.CardNo && sameAmount(e.Amount, line.Amt);
        });
    };
    const auto storedCash = [&](const TJournalEntry& e) {
        return std::any_of(aLines.cash.begin(), aLines.cash.end(), [&](const TPayCashList& line) {
            return e.Kind == TJournalKind::Cash && !e.AgreeNo.empty() && e.AgreeNo == Trim(line.AgreeNo) &&
                   e.Identity == GetCreditCardNo(line.Track2) && sameAmount(e.Amount, line.AgreeAmt);
        });
    };
    std::vector<TJournalEntry> changed = entries_;
    std::erase_if(changed, [&](const TJournalEntry& e) {
        return e.State == TJournalState::Done && (storedCard(e) || storedCash(e));
    });
    if (changed.size() == entries_.size()) return true;
    if (!writeLocked(changed, aError)) return false;
    entries_ = std::move(changed);
    return true;
}

}  // namespace pos
