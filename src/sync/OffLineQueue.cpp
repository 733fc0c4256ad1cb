#include "sync/OffLineQueue.h"

#include "core/Codec.h"
#include "core/DateHelpers.h"
#include "core/FileIO.h"
#include "core/IdentityNumbers.h"
#include "db/DayLog.h"
#include "store/MirrorFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <unordered_set>

namespace pos {
namespace {

constexpr TOffLineQueueInfo kQueues[] = {
    {TOffLineQueue::Sale, "Sale", "IZC002-UploadOffLineData-1", "IZC002-CompareOffLineData-1", 52, 7, 50, -1},
    {TOffLineQueue::Pay, "Pay", "IZC002-UploadOffLineData-2", "IZC002-CompareOffLineData-2", 21, 8, 19, -1},
    {TOffLineQueue::Card, "Card", "IZC002-UploadOffLineData-3", "IZC002-CompareOffLineData-3", 24, 7, 22, 20},
    {TOffLineQueue::Cash, "Cash", "IZC002-UploadOffLineData-5", "IZC002-CompareOffLineData-5", 16, 7, 14, 9},
    {TOffLineQueue::SaleCancel, "SaleCancel", "IZC002-UploadOffLineData-4", "IZC002-CompareOffLineData-4", 52, 7, 50, -1},
    {TOffLineQueue::SaleEvent, "SaleEvent", "IZC002-UploadOffLineData-6", "IZC002-CompareOffLineData-6", 32, 6, 30, -1},
    {TOffLineQueue::PayEvent, "PayEvent", "IZC002-UploadOffLineData-7", "IZC002-CompareOffLineData-7", 13, 8, 11, -1},
};

const char* const kTimeMarker = "{-}";
const char* const kLogLoad = "IZC002-LoadOffLineData";
const char* const kLogSaveWrite = "IZC002-SaveOffLineData-1";
const char* const kLogSaveRemove = "IZC002-SaveOffLineData-2";
const char* const kMsgSaveWrite = "Off Line 자료를 저장하지 못했습니다.\r전산팀에 문의하십시오.\r";
const char* const kMsgSaveRemove = "Off Line 임시 자료를 변경하지 못했습니다.\r전산팀에 문의하십시오.\r";

std::size_t queueIndex(TOffLineQueue aQueue) { return static_cast<std::size_t>(aQueue); }

// The values of a line as pieces of the line itself, quotes included; the
// text after the last TAB in aTail.
std::vector<std::string_view> cutFields(std::string_view aLine, std::string_view& aTail)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t tab = aLine.find('\t'); tab != std::string_view::npos; tab = aLine.find('\t', start)) {
        fields.push_back(aLine.substr(start, tab - start));
        start = tab + 1;
    }
    aTail = aLine.substr(start);
    return fields;
}

// The line with its time value blanked, for comparing two lines of one record.
std::string withoutTime(std::string_view aLine, int aTimeField)
{
    std::string out;
    std::string_view tail;
    const auto fields = cutFields(aLine, tail);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (static_cast<int>(i) != aTimeField) out += fields[i];
        out += '\t';
    }
    out += tail;
    return out;
}

// A swipe's track 2 (sentinels allowed): a card number of 12 to 19 digits,
// "=", and at least the four digits of the expiry. No other value of the
// card and cash lines has that shape.
bool looksLikeCardTrack(std::string_view aValue)
{
    const std::string track = StripSentinels(aValue);
    const std::size_t equals = track.find('=');
    if (equals == std::string::npos || equals < 12 || equals > 19 || track.size() < equals + 5) return false;
    const auto digits = [&](std::size_t from, std::size_t to) {
        return std::all_of(track.begin() + static_cast<std::ptrdiff_t>(from), track.begin() + static_cast<std::ptrdiff_t>(to),
                           [](char c) { return c >= '0' && c <= '9'; });
    };
    return digits(0, equals) && digits(equals + 1, equals + 5);
}

std::string_view unquoted(std::string_view aField)
{
    if (aField.size() >= 2 && aField.front() == '\'' && aField.back() == '\'') return aField.substr(1, aField.size() - 2);
    return aField;
}

// aLine with its track value blanked; false when nothing had to change.
bool blankTrackValue(std::string& aLine, const TOffLineQueueInfo& aInfo)
{
    std::string_view tail;
    const std::vector<std::string_view> fields = cutFields(aLine, tail);
    const bool laidOut = tail.empty() && static_cast<int>(fields.size()) == aInfo.FieldCount;
    std::string out;
    bool changed = false;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string_view value = unquoted(fields[i]);
        const bool blank = !value.empty() && (laidOut ? static_cast<int>(i) == aInfo.TrackField : looksLikeCardTrack(value));
        if (blank) {
            out += value.size() == fields[i].size() ? "" : "''";
            changed = true;
        } else {
            out += fields[i];
        }
        out += '\t';
    }
    if (!laidOut && looksLikeCardTrack(unquoted(tail))) {
        changed = true;
    } else {
        out += tail;
    }
    if (changed) aLine = std::move(out);
    return changed;
}

// The count only: the log never learns what was blanked.
std::string blankedNote(const std::string& aFile, int aCount)
{
    return aFile + ": card track data blanked in " + std::to_string(aCount) + (aCount == 1 ? " line" : " lines");
}

bool removeFile(const std::filesystem::path& aPath, std::string* aError)
{
    std::error_code ec;
    std::filesystem::remove(aPath, ec);
    if (ec && aError) *aError = "cannot remove " + aPath.string() + ": " + ec.message();
    return !ec;
}

}  // namespace

std::span<const TOffLineQueueInfo> OffLineQueues() { return kQueues; }

const TOffLineQueueInfo& OffLineQueueInfo(TOffLineQueue aQueue)
{
    for (const auto& q : kQueues)
        if (q.Queue == aQueue) return q;
    return kQueues[0];
}

const TOffLineQueueInfo* FindOffLineQueue(std::string_view aName)
{
    for (const auto& q : kQueues)
        if (aName == q.Name) return &q;
    return nullptr;
}

std::string BuildOffLineLine(const std::vector<std::string>& aValues, const std::string& aTimeStamp, bool* aLossy)
{
    std::string line;
    for (const std::string& value : aValues) {
        line += '\'';
        line += EscapeMirrorValue(value == kTimeMarker ? aTimeStamp : value);
        line += "'\t";
    }
    if (IsAscii(line)) return line;
    std::string cp = ToCp949(line);
    if (aLossy && FromCp949(cp) != line) *aLossy = true;
    return cp;
}

TOffLineLine ParseOffLineLine(std::string_view aLine, int aFieldCount)
{
    TOffLineLine out;
    std::string_view tail;
    const auto fields = cutFields(aLine, tail);
    if (!tail.empty()) {
        // A line that does not end with its TAB was cut short (or has a value
        // the writer never produces).
        out.Problem = "the line does not end with a TAB (" + std::to_string(fields.size()) + " whole values)";
        return out;
    }
    if (static_cast<int>(fields.size()) != aFieldCount) {
        out.Problem = std::to_string(fields.size()) + " values, expected " + std::to_string(aFieldCount);
        return out;
    }
    out.Values.reserve(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string_view f = fields[i];
        if (f.size() < 2 || f.front() != '\'' || f.back() != '\'') {
            out.Problem = "value " + std::to_string(i) + " is not quoted";
            out.Values.clear();
            return out;
        }
        std::string value = UnescapeMirrorValue(f.substr(1, f.size() - 2));
        if (!IsAscii(value)) {
            bool bad = false;
            value = FromCp949(value, &bad);
            if (bad) {
                out.Problem = "value " + std::to_string(i) + " is not valid CP949";
                out.Values.clear();
                return out;
            }
        }
        out.Values.push_back(std::move(value));
    }
    return out;
}

int BlankTrackData(const TOffLineQueueInfo& aInfo, std::vector<std::string>& aLines)
{
    if (aInfo.TrackField < 0) return 0;
    int changed = 0;
    for (std::string& line : aLines)
        if (blankTrackValue(line, aInfo)) ++changed;
    return changed;
}

std::vector<std::string> SplitQueueFile(std::string_view aBytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < aBytes.size()) {
        std::size_t end = aBytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = aBytes.size();
        if (end > start) lines.emplace_back(aBytes.substr(start, end - start));
        start = end;
        if (start < aBytes.size() && aBytes[start] == '\r') ++start;
        if (start < aBytes.size() && aBytes[start] == '\n') ++start;
    }
    return lines;
}

std::string JoinQueueFile(const std::vector<std::string>& aLines)
{
    std::size_t size = 0;
    for (const auto& l : aLines) size += l.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const auto& l : aLines) {
        bytes += l;
        bytes += "\r\n";
    }
    return bytes;
}

std::string_view OffLineKeyPrefix(std::string_view aLine, int aKeyFields)
{
    std::size_t pos = 0;
    for (int i = 0; i < aKeyFields; ++i) {
        const std::size_t tab = aLine.find('\t', pos);
        if (tab == std::string_view::npos) return {};
        pos = tab + 1;
    }
    return aLine.substr(0, pos);
}

// ---------------------------------------------------------------------------

TOffLineStore::TOffLineStore(TTerminalContext& aContext, DialogService& aDialogs)
    : context_(aContext), dialogs_(aDialogs)
{
}

std::vector<std::string>& TOffLineStore::queueLines(TOffLineQueue aQueue) { return lines_[queueIndex(aQueue)]; }

const std::vector<std::string>& TOffLineStore::Lines(TOffLineQueue aQueue) const
{
    return lines_[queueIndex(aQueue)];
}

std::filesystem::path TOffLineStore::QueuePath(TOffLineQueue aQueue) const
{
    return std::filesystem::path(context_.gsFolder) / OffLineQueueInfo(aQueue).Name;
}

std::filesystem::path TOffLineStore::AsidePath(TOffLineQueue aQueue) const
{
    return std::filesystem::path(context_.gsFolder) / (std::string(OffLineQueueInfo(aQueue).Name) + ".bad");
}

std::string TOffLineStore::stamp() const { return Now ? Now() : GetSysTimeStamp(); }

void TOffLineStore::loadLines(TOffLineQueue aQueue, std::vector<std::string>&& aFileLines)
{
    const TOffLineQueueInfo& info = OffLineQueueInfo(aQueue);
    int lineNo = 0;
    for (const std::string& line : aFileLines) {
        ++lineNo;
        const TOffLineLine parsed = ParseOffLineLine(line, info.FieldCount);
        if (!parsed.Sound())
            WriteLogFile(context_, kLogLoad,
                         std::string(info.Name) + " line " + std::to_string(lineNo) + ": " + parsed.Problem +
                             "; kept in the queue, the upload sets it aside in " + info.Name + ".bad");
    }
    std::vector<std::string>& lines = queueLines(aQueue);
    aFileLines.insert(aFileLines.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
    lines = std::move(aFileLines);
    keys_[queueIndex(aQueue)].size = static_cast<std::size_t>(-1);
}

bool TOffLineStore::ensureLoaded(TOffLineQueue aQueue)
{
    bool& loaded = loaded_[queueIndex(aQueue)];
    if (loaded) return true;
    const std::filesystem::path path = QueuePath(aQueue);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        if (ec) return false;
        loaded = true;
        return true;
    }
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        WriteLogFile(context_, kLogLoad, path.filename().string() + ": cannot be read: " + std::strerror(errno));
        return false;
    }
    std::vector<std::string> lines = SplitQueueFile(*bytes);
    scrubFile(aQueue, path, lines);
    loadLines(aQueue, std::move(lines));
    loaded = true;
    return true;
}

// Blanks the track data an older terminal left in aLines (read from aPath)
// and writes the file again. When it cannot be written the lines in memory
// are blanked all the same, and the next load tries again.
void TOffLineStore::scrubFile(TOffLineQueue aQueue, const std::filesystem::path& aPath, std::vector<std::string>& aLines)
{
    const TOffLineQueueInfo& info = OffLineQueueInfo(aQueue);
    const int blanked = BlankTrackData(info, aLines);
    if (blanked == 0) return;
    const std::string note = blankedNote(aPath.filename().string(), blanked);
    std::string error;
    if (WriteFileAtomically(aPath, JoinQueueFile(aLines), TFileAccess::OwnerOnly, &error))
        WriteLogFile(context_, kLogLoad, note + "; the file was written again");
    else
        WriteLogFile(context_, kLogLoad, note + " in memory; the file could not be written again: " + error);
}

// An aside file is only read by people, but it holds what its queue held.
void TOffLineStore::scrubAsideFile(TOffLineQueue aQueue)
{
    if (OffLineQueueInfo(aQueue).TrackField < 0) return;
    const std::filesystem::path path = AsidePath(aQueue);
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return;
    std::vector<std::string> lines = SplitQueueFile(*bytes);
    scrubFile(aQueue, path, lines);
}

bool TOffLineStore::LoadOffLineData()
{
    bool ok = true;
    for (const auto& q : kQueues) {
        // A crash while a queue file was being replaced leaves its temporary
        // file; the queue file itself is whole, so the leftover goes.
        std::error_code ec;
        const std::string prefix = std::string(q.Name) + ".tmp";
        for (const auto& entry : std::filesystem::directory_iterator(context_.gsFolder.empty() ? "." : context_.gsFolder, ec)) {
            const std::string name = entry.path().filename().string();
            if (name == prefix || name.rfind(prefix + ".", 0) == 0) std::filesystem::remove(entry.path(), ec);
        }
        // Files of an older terminal may be readable by all.
        const std::filesystem::path files[] = {QueuePath(q.Queue), AsidePath(q.Queue)};
        for (const std::filesystem::path& path : files)
            if (std::filesystem::exists(path, ec)) RestrictToOwner(path);
        queueLines(q.Queue).clear();
        loaded_[queueIndex(q.Queue)] = false;
        ok = ensureLoaded(q.Queue) && ok;
        scrubAsideFile(q.Queue);
    }
    return ok;
}

std::optional<std::size_t> TOffLineStore::findKey(TOffLineQueue aQueue, std::string_view aKey)
{
    const TOffLineQueueInfo& info = OffLineQueueInfo(aQueue);
    const std::vector<std::string>& lines = queueLines(aQueue);
    TKeyIndex& index = keys_[queueIndex(aQueue)];
    if (index.size != lines.size()) {
        index.rows.clear();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string_view key = OffLineKeyPrefix(lines[i], info.KeyFields);
            if (!key.empty()) index.rows.emplace(std::string(key), i);  // the first line of a key wins
        }
        index.size = lines.size();
    }
    const auto found = index.rows.find(std::string(aKey));
    if (found != index.rows.end() && found->second < lines.size() &&
        OffLineKeyPrefix(lines[found->second], info.KeyFields) == aKey)
        return found->second;
    // The list may have been changed in place behind the index: look through it.
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (OffLineKeyPrefix(lines[i], info.KeyFields) == aKey) return i;
    return std::nullopt;
}

bool TOffLineStore::AddOffLineData(const std::string& aFileName, const std::vector<std::string>& aValues)
{
    std::string added;
    return AddOffLineData(aFileName, aValues, added);
}

bool TOffLineStore::AddOffLineData(const std::string& aFileName, const std::vector<std::string>& aValues,
                                   std::string& aAdded)
{
    aAdded.clear();
    const std::string logName = "IZC002-AddOffLineData-" + aFileName;
    const TOffLineQueueInfo* info = FindOffLineQueue(aFileName);
    if (!info) {
        // Dropping the record and answering true would lose it silently.
        WriteLogFile(context_, logName, "no off-line queue is named \"" + aFileName + "\"; the record was not queued");
        return false;
    }
    if (static_cast<int>(aValues.size()) != info->FieldCount) {
        WriteLogFile(context_, logName,
                     std::to_string(aValues.size()) + " values, expected " + std::to_string(info->FieldCount) +
                         "; the record was not queued");
        return false;
    }
    if (!ensureLoaded(info->Queue)) {
        WriteLogFile(context_, logName, std::string("the queue file ") + info->Name + " cannot be read; the record was not queued");
        return false;
    }
    // The track value is never stored, whatever the caller passed.
    std::vector<std::string> values = aValues;
    if (info->TrackField >= 0) values[static_cast<std::size_t>(info->TrackField)].clear();
    bool lossy = false;
    std::string line = BuildOffLineLine(values, stamp(), &lossy);
    const std::string_view key = OffLineKeyPrefix(line, info->KeyFields);
    std::vector<std::string>& lines = queueLines(info->Queue);
    if (const auto at = findKey(info->Queue, key)) {
        if (withoutTime(lines[*at], info->TimeField) == withoutTime(line, info->TimeField)) return true;
        WriteLogFile(context_, logName,
                     "a different record is already queued under the same key (line " + std::to_string(*at + 1) +
                         "); the new record was not queued");
        return false;
    }
    if (lossy)
        WriteLogFile(context_, logName, "a character CP949 cannot hold was queued as a full-width '?'");
    aAdded = line;
    lines.push_back(std::move(line));
    TKeyIndex& index = keys_[queueIndex(info->Queue)];
    if (index.size == lines.size() - 1) {
        index.rows.emplace(std::string(OffLineKeyPrefix(lines.back(), info->KeyFields)), lines.size() - 1);
        index.size = lines.size();
    }
    return true;
}

bool TOffLineStore::SaveOffLineData()
{
    bool ok = true;
    for (const auto& q : kQueues) {
        std::string error;
        if (!ensureLoaded(q.Queue)) {
            // Writing memory over a file that could not be read would lose
            // the bills in it.
            error = std::string("the queue file ") + q.Name + " cannot be read, so it is not written over";
            WriteLogFile(context_, kLogSaveWrite, error);
            dialogs_.ErrBox(kMsgSaveWrite + error, true);
            ok = false;
            continue;
        }
        const std::vector<std::string>& lines = queueLines(q.Queue);
        if (!lines.empty()) {
            if (!WriteFileAtomically(QueuePath(q.Queue), JoinQueueFile(lines), TFileAccess::OwnerOnly, &error)) {
                WriteLogFile(context_, kLogSaveWrite, error);
                dialogs_.ErrBox(kMsgSaveWrite + error, true);
                ok = false;
            }
        } else {
            std::error_code ec;
            if (std::filesystem::exists(QueuePath(q.Queue), ec) && !removeFile(QueuePath(q.Queue), &error)) {
                WriteLogFile(context_, kLogSaveRemove, error);
                dialogs_.ErrBox(kMsgSaveRemove + error, true);
                ok = false;
            }
        }
    }
    return ok;
}

bool TOffLineStore::KeepAside(TOffLineQueue aQueue, const std::vector<std::string>& aLines, std::string* aError)
{
    if (aLines.empty()) return true;
    const std::filesystem::path path = AsidePath(aQueue);
    std::vector<std::string> kept;
    if (const auto bytes = ReadWholeFile(path)) {
        kept = SplitQueueFile(*bytes);
    } else if (std::error_code ec; std::filesystem::exists(path, ec) || ec) {
        // Replacing an aside file that cannot be read would lose the lines
        // set aside before; the new ones stay where they are instead.
        if (aError) *aError = "the aside file " + path.filename().string() + " cannot be read, so it is not written over";
        return false;
    }
    std::unordered_set<std::string> there(kept.begin(), kept.end());
    bool added = false;
    for (const std::string& line : aLines)
        if (there.insert(line).second) {
            kept.push_back(line);
            added = true;
        }
    return !added || WriteFileAtomically(path, JoinQueueFile(kept), TFileAccess::OwnerOnly, aError);
}

void TOffLineStore::Forget(TOffLineQueue aQueue, const std::vector<std::string>& aLines)
{
    if (aLines.empty()) return;
    std::unordered_map<std::string_view, int> gone;
    for (const std::string& l : aLines) ++gone[l];
    std::vector<std::string>& lines = queueLines(aQueue);
    std::vector<std::string> kept;
    kept.reserve(lines.size());
    for (std::string& l : lines) {
        const auto it = gone.find(l);
        if (it != gone.end() && it->second > 0) {
            --it->second;
            continue;
        }
        kept.push_back(std::move(l));
    }
    lines = std::move(kept);
    keys_[queueIndex(aQueue)].size = static_cast<std::size_t>(-1);
}

bool TOffLineStore::Requeue(TOffLineQueue aQueue, const std::string& aLine)
{
    std::vector<std::string>& lines = queueLines(aQueue);
    if (std::find(lines.begin(), lines.end(), aLine) != lines.end()) return false;
    lines.push_back(aLine);
    keys_[queueIndex(aQueue)].size = static_cast<std::size_t>(-1);
    return true;
}

}  // namespace pos
