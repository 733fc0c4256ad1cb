#include "store/MirrorFile.h"

#include "core/Codec.h"
#include "core/FileIO.h"
#include "core/TextHelpers.h"
#include "store/MasterFields.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pos {
namespace {

template <class R>
bool bareOf(int aItem)
{
    return aItem >= 0 && aItem < FieldCountOf<R>() && TRecordFields<R>::kFields[aItem].Bare;
}


}  // namespace

std::string_view MirrorFileName(TMirrorKind aKind)
{
    switch (aKind) {
    case TMirrorKind::Cashier: return "Cashier.dat";
    case TMirrorKind::Common: return "Common.dat";
    case TMirrorKind::Upjang: return "Upjang.dat";
    case TMirrorKind::Goods: return "Goods.dat";
    case TMirrorKind::MenuGroup: return "MenuGroup.dat";
    case TMirrorKind::MenuSub: return "MenuSub.dat";
    case TMirrorKind::Menu: return "Menu.dat";
    case TMirrorKind::Pay: return "Pay.dat";
    case TMirrorKind::Calendar: return "Calendar.dat";
    case TMirrorKind::DC: return "DC.dat";
    case TMirrorKind::EtcDC: return "EtcDC.dat";
    case TMirrorKind::Company: return "Company.dat";
    }
    return {};
}

int MirrorFieldCount(TMirrorKind aKind)
{
    switch (aKind) {
    case TMirrorKind::Cashier: return FieldCountOf<TCashierData>();
    case TMirrorKind::Common: return FieldCountOf<TCommonData>();
    case TMirrorKind::Upjang: return FieldCountOf<TUpjangData>();
    case TMirrorKind::Goods: return FieldCountOf<TGoodsData>();
    case TMirrorKind::MenuGroup: return FieldCountOf<TMenuGroupData>();
    case TMirrorKind::MenuSub: return FieldCountOf<TMenuSubGroupData>();
    case TMirrorKind::Menu: return FieldCountOf<TMenuData>();
    case TMirrorKind::Pay: return 2;
    case TMirrorKind::Calendar: return FieldCountOf<TCalendarData>();
    case TMirrorKind::DC: return FieldCountOf<TDCData>();
    case TMirrorKind::EtcDC: return FieldCountOf<TEtcDCData>();
    case TMirrorKind::Company: return 8;
    }
    return 0;
}

bool MirrorFieldBare(TMirrorKind aKind, int aItem)
{
    switch (aKind) {
    case TMirrorKind::Cashier: return bareOf<TCashierData>(aItem);
    case TMirrorKind::Common: return bareOf<TCommonData>(aItem);
    case TMirrorKind::Upjang: return bareOf<TUpjangData>(aItem);
    case TMirrorKind::Goods: return bareOf<TGoodsData>(aItem);
    case TMirrorKind::MenuGroup: return bareOf<TMenuGroupData>(aItem);
    case TMirrorKind::MenuSub: return bareOf<TMenuSubGroupData>(aItem);
    case TMirrorKind::Menu: return bareOf<TMenuData>(aItem);
    case TMirrorKind::Pay: return aItem == 1;  // name, code
    case TMirrorKind::Calendar: return bareOf<TCalendarData>(aItem);
    case TMirrorKind::DC: return bareOf<TDCData>(aItem);
    case TMirrorKind::EtcDC: return bareOf<TEtcDCData>(aItem);
    case TMirrorKind::Company: return false;
    }
    return false;
}

std::string FormatMirrorProblem(const TMirrorProblem& aProblem)
{
    std::string out = aProblem.File;
    if (aProblem.Line > 0) out += " line " + std::to_string(aProblem.Line);
    return out + ": " + aProblem.Message;
}

namespace {

void appendEscaped(std::string& aOut, std::string_view aValue)
{
    if (aValue.find_first_of("\t\r\n\\") == std::string_view::npos) {
        aOut += aValue;
        return;
    }
    for (char c : aValue) {
        switch (c) {
        case '\t': aOut += "\\t"; break;
        case '\r': aOut += "\\r"; break;
        case '\n': aOut += "\\n"; break;
        case '\\': aOut += "\\\\"; break;
        default: aOut += c;
        }
    }
}

}  // namespace

std::string EscapeMirrorValue(std::string_view aValue)
{
    std::string out;
    out.reserve(aValue.size() + 8);
    appendEscaped(out, aValue);
    return out;
}

void TMirrorLineWriter::Field(int aItem, std::string_view aValue)
{
    if (MirrorFieldBare(kind_, aItem)) {
        appendEscaped(line_, Trim(aValue));
    } else {
        line_ += '\'';
        appendEscaped(line_, aValue);
        line_ += '\'';
    }
    line_ += '\t';
}

bool TMirrorLineWriter::EndLine(std::string& aOut)
{
    line_ += "\r\n";
    bool exact = true;
    if (IsAscii(line_)) {
        aOut += line_;
    } else {
        const std::string cp = ToCp949(line_);
        // The full-width '?' stands for a character CP949 cannot hold.
        exact = cp.find("\xA3\xBF") == std::string::npos || FromCp949(cp) == line_;
        aOut += cp;
    }
    line_.clear();
    return exact;
}

std::string UnescapeMirrorValue(std::string_view aValue)
{
    std::string out;
    out.reserve(aValue.size());
    for (std::size_t i = 0; i < aValue.size(); ++i) {
        const char c = aValue[i];
        if (c == '\\' && i + 1 < aValue.size()) {
            const char n = aValue[i + 1];
            if (n == 't') { out += '\t'; ++i; continue; }
            if (n == 'r') { out += '\r'; ++i; continue; }
            if (n == 'n') { out += '\n'; ++i; continue; }
            if (n == '\\') { out += '\\'; ++i; continue; }
        }
        out += c;
    }
    return out;
}

std::string BuildMirrorBytes(TMirrorKind aKind, const TMirrorRows& aRows, const TPasswordHook& aScramble,
                             std::vector<TMirrorProblem>* aProblems)
{
    const std::string file(MirrorFileName(aKind));
    const int fields = MirrorFieldCount(aKind);
    auto report = [&](int aRow, std::string aMessage) {
        if (aProblems) aProblems->push_back({file, aRow, std::move(aMessage)});
    };
    std::string out;
    TMirrorLineWriter line(aKind);
    std::vector<const std::string*> values(static_cast<std::size_t>(fields));
    static const std::string kEmpty;
    std::size_t reserve = 0;
    for (const auto& row : aRows)
        for (const auto& v : row) reserve += v.size() + 3;
    out.reserve(reserve + aRows.size() * 2);

    int rowNo = 0;
    for (const auto& row : aRows) {
        ++rowNo;
        if (static_cast<int>(row.size()) != fields)
            report(rowNo, std::to_string(row.size()) + " columns, expected " + std::to_string(fields) +
                              (static_cast<int>(row.size()) < fields ? " (missing ones written empty)"
                                                                      : " (extra ones not written)"));
        for (int i = 0; i < fields; ++i)
            values[static_cast<std::size_t>(i)] = i < static_cast<int>(row.size()) ? &row[static_cast<std::size_t>(i)] : &kEmpty;
        if (aKind == TMirrorKind::Pay) std::swap(values[0], values[1]);  // server [code, name], file name first

        for (int i = 0; i < fields; ++i) {
            std::string_view v = *values[static_cast<std::size_t>(i)];
            std::string scrambled;
            if (aKind == TMirrorKind::Cashier && i == CashierItem::Password && aScramble) {
                scrambled = aScramble(std::string(v));
                v = scrambled;
            }
            line.Field(i, v);
        }
        if (!line.EndLine(out)) report(rowNo, "a character CP949 cannot hold was written as a full-width '?'");
    }
    return out;
}

bool WriteMirrorFile(const std::filesystem::path& aFolder, TMirrorKind aKind, const TMirrorRows& aRows,
                     const TPasswordHook& aScramble, std::vector<TMirrorProblem>* aProblems, std::string* aError)
{
    const std::string bytes = BuildMirrorBytes(aKind, aRows, aScramble, aProblems);
    return WriteFileAtomically(aFolder / std::string(MirrorFileName(aKind)), bytes, aError);
}

// ---------------------------------------------------------------------------
// Reading

TMirrorReader::TMirrorReader(std::string_view aBytes, std::string aFileName, int aExpectedFields,
                             std::vector<TMirrorProblem>* aProblems)
    : bytes_(aBytes), file_(std::move(aFileName)), expected_(aExpectedFields), problems_(aProblems)
{
    const auto n = static_cast<std::size_t>(std::max(aExpectedFields, 1));
    raw_.reserve(n + 4);
    pieces_.resize(n);
    owned_.resize(n);
}

std::size_t TMirrorReader::CountLines(std::string_view aBytes)
{
    std::size_t lines = 1;
    const char* p = aBytes.data();
    const char* const end = p + aBytes.size();
    while (p < end && (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))))) ++lines, ++p;
    return lines;
}

void TMirrorReader::report(std::string aMessage)
{
    if (problems_) problems_->push_back({file_, lineNo_, std::move(aMessage)});
}

// Cuts one line into raw_ (one piece per TAB) and returns what follows the
// last TAB in aTail. CR LF, LF and a lone CR end a line. One pass over the
// bytes, sixteen at a time where SSE2 is there, noting per piece whether it
// holds a byte >= 0x80 or a backslash, so plain ASCII pieces need no second look.
bool TMirrorReader::cutLine(std::string_view& aTail)
{
    const char* const base = bytes_.data();
    const std::size_t size = bytes_.size();
    if (pos_ >= size) return false;
    raw_.clear();
    std::size_t p = pos_;
    std::size_t pieceStart = p;
    bool high = false, backslash = false;
    auto endLine = [&](std::size_t aAt) {
        aTail = std::string_view(base + pieceStart, aAt - pieceStart);
        pos_ = (base[aAt] == '\r' && aAt + 1 < size && base[aAt + 1] == '\n') ? aAt + 2 : aAt + 1;
        return true;
    };
#if defined(__SSE2__)
    const __m128i tab = _mm_set1_epi8('\t'), lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r'),
                  bsl = _mm_set1_epi8('\\');
    while (p + 16 <= size) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + p));
        const unsigned tabs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, tab)));
        const unsigned eols =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr))));
        const unsigned highs = static_cast<unsigned>(_mm_movemask_epi8(v));
        const unsigned slashes = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, bsl)));
        unsigned stops = tabs | eols;
        unsigned from = 0;  // first bit of the chunk that belongs to the current piece
        while (stops) {
            const unsigned i = static_cast<unsigned>(__builtin_ctz(stops));
            const unsigned range = ((1u << i) - 1u) & ~((1u << from) - 1u);
            high |= (highs & range) != 0;
            backslash |= (slashes & range) != 0;
            if (!(tabs & (1u << i))) return endLine(p + i);
            raw_.push_back({base + pieceStart, p + i - pieceStart, high, backslash});
            pieceStart = p + i + 1;
            high = backslash = false;
            from = i + 1;
            stops &= stops - 1;
        }
        const unsigned rest = from >= 16 ? 0u : (0xFFFFu & ~((1u << from) - 1u));
        high |= (highs & rest) != 0;
        backslash |= (slashes & rest) != 0;
        p += 16;
    }
#endif
    for (; p < size; ++p) {
        const auto c = static_cast<unsigned char>(base[p]);
        if (c == '\t') {
            raw_.push_back({base + pieceStart, p - pieceStart, high, backslash});
            pieceStart = p + 1;
            high = backslash = false;
        } else if (c == '\n' || c == '\r') {
            return endLine(p);
        } else {
            high |= c >= 0x80;
            backslash |= c == '\\';
        }
    }
    aTail = std::string_view(base + pieceStart, size - pieceStart);
    pos_ = size;
    return true;
}

bool TMirrorReader::Next()
{
    std::string_view tailRaw;
    while (cutLine(tailRaw)) {
        ++lineNo_;
        const std::string_view tail = Trim(tailRaw);
        if (raw_.empty() && tail.empty()) {
            report("empty line skipped");
            continue;
        }
        if (!tail.empty()) report("text after the last TAB ignored (" + std::to_string(tail.size()) + " bytes)");
        count_ = raw_.size();
        if (expected_ > 0 && static_cast<int>(count_) != expected_)
            report(std::to_string(count_) + " fields, expected " + std::to_string(expected_) +
                   (static_cast<int>(count_) < expected_ ? " (missing items keep their defaults)"
                                                         : " (extra fields ignored)"));
        if (pieces_.size() < count_) {
            pieces_.resize(count_);
            owned_.resize(count_);
        }
        for (std::size_t i = 0; i < count_; ++i) {
            TMirrorPiece& piece = pieces_[i];
            const RawPiece& raw = raw_[i];
            std::string_view v(raw.begin, raw.size);
            // Trim blanks (the common piece has none: two byte tests).
            if (!v.empty() && (v.front() == ' ' || v.back() == ' ')) v = Trim(v);
            piece.Owned = nullptr;
            if (v.empty()) {
                piece.Present = false;
                piece.Text = {};
                continue;
            }
            piece.Present = true;
            if (v.size() > 1 && v.front() == '\'' && v.back() == '\'') v = v.substr(1, v.size() - 2);
            if (!raw.high && !raw.backslash) {
                piece.Text = v;
                continue;
            }
            std::string& own = owned_[i];
            if (raw.backslash) own = UnescapeMirrorValue(v);
            else own.assign(v.data(), v.size());
            if (raw.high) {
                bool bad = false;
                own = FromCp949(own, &bad);
                if (bad) report("field " + std::to_string(i) + " is not valid CP949 (kept with U+FFFD)");
            }
            piece.Text = own;
            piece.Owned = &own;
        }
        return true;
    }
    return false;
}

std::vector<TMirrorPayEntry> ParsePayFile(std::string_view aBytes, std::vector<TMirrorProblem>* aProblems)
{
    std::vector<TMirrorPayEntry> out;
    TMirrorReader reader(aBytes, std::string(MirrorFileName(TMirrorKind::Pay)), 2, aProblems);
    while (reader.Next()) {
        TMirrorPayEntry entry;
        if (reader.FieldCount() >= 1) entry.Name = TrimCopy(reader.Piece(0).Text);
        if (reader.FieldCount() >= 2 && reader.Piece(1).Present) {
            const std::string_view code = reader.Piece(1).Text;
            entry.Code = StringToInteger(code);
            if (entry.Code == 0 && Trim(code) != "0" && aProblems)
                aProblems->push_back({std::string(MirrorFileName(TMirrorKind::Pay)), reader.LineNumber(),
                                      "tender code is not a number (read as 0)"});
        }
        out.push_back(std::move(entry));
    }
    return out;
}

std::vector<std::string> ParseCompanyFile(std::string_view aBytes, std::vector<TMirrorProblem>* aProblems)
{
    std::vector<std::string> out(8);
    TMirrorReader reader(aBytes, std::string(MirrorFileName(TMirrorKind::Company)), 8, aProblems);
    if (reader.Next()) {
        const int n = std::min(reader.FieldCount(), 8);
        for (int i = 0; i < n; ++i) out[static_cast<std::size_t>(i)] = TrimCopy(reader.Piece(i).Text);
    } else if (aProblems) {
        aProblems->push_back({std::string(MirrorFileName(TMirrorKind::Company)), 0, "no company line"});
    }
    return out;
}

}  // namespace pos
