// The mirror files of the master lists ("Goods.dat", "Pay.dat", ...), read
// with every kind's field count. Three things must hold for any bytes:
//
//   - the reader cuts exactly what a plain line-by-line reading of the file
//     format gives (the reader scans sixteen bytes at a time; the reference
//     here takes one byte at a time);
//   - records loaded from it, written again and read back, keep every value;
//   - "Pay.dat" and "Company.dat" keep theirs the same way.

#include "FuzzSupport.h"

#include "core/Codec.h"
#include "core/TextHelpers.h"
#include "store/MasterFields.h"
#include "store/MirrorFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace pos;
using namespace pos::fuzz;

namespace {

// ---- the reference reading -------------------------------------------------

struct RefLine {
    int lineNo = 0;
    std::vector<std::optional<std::string>> pieces;  // nullopt: empty piece
};

struct RefFile {
    std::vector<RefLine> lines;
    std::vector<int> problemLines;  // the line of every problem, in order
};

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// One piece of a line as the format defines it: trimmed, an empty one absent,
// outer quotes dropped, the four escapes decoded, CP949 turned into UTF-8.
std::optional<std::string> refPiece(std::string_view aRaw, bool& aBad)
{
    std::string_view v = trimBlanks(aRaw);
    if (v.empty()) return std::nullopt;
    if (v.size() > 1 && v.front() == '\'' && v.back() == '\'') v = v.substr(1, v.size() - 2);
    std::string plain;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] == '\\' && i + 1 < v.size()) {
            const char n = v[i + 1];
            const char decoded = n == 't' ? '\t' : n == 'r' ? '\r' : n == 'n' ? '\n' : n == '\\' ? '\\' : 0;
            if (decoded) {
                plain += decoded;
                ++i;
                continue;
            }
        }
        plain += v[i];
    }
    return FromCp949(plain, &aBad);
}

RefFile refRead(std::string_view aBytes, int aExpected)
{
    RefFile file;
    int lineNo = 0;
    std::size_t pos = 0;
    while (pos < aBytes.size()) {
        std::size_t end = pos;
        while (end < aBytes.size() && aBytes[end] != '\r' && aBytes[end] != '\n') ++end;
        const std::string_view line = aBytes.substr(pos, end - pos);
        pos = end;
        if (pos < aBytes.size()) pos += (aBytes[pos] == '\r' && pos + 1 < aBytes.size() && aBytes[pos + 1] == '\n') ? 2 : 1;
        ++lineNo;

        std::vector<std::string_view> raw;
        std::size_t start = 0;
        for (std::size_t i = 0; i < line.size(); ++i)
            if (line[i] == '\t') {
                raw.push_back(line.substr(start, i - start));
                start = i + 1;
            }
        const std::string_view tail = trimBlanks(line.substr(start));
        if (raw.empty() && tail.empty()) {
            file.problemLines.push_back(lineNo);  // empty line skipped
            continue;
        }
        if (!tail.empty()) file.problemLines.push_back(lineNo);
        if (aExpected > 0 && static_cast<int>(raw.size()) != aExpected) file.problemLines.push_back(lineNo);
        RefLine ref;
        ref.lineNo = lineNo;
        for (std::string_view r : raw) {
            bool bad = false;
            ref.pieces.push_back(refPiece(r, bad));
            if (bad) file.problemLines.push_back(lineNo);
        }
        file.lines.push_back(std::move(ref));
    }
    return file;
}

void checkReader(std::string_view aBytes, int aExpected)
{
    const RefFile ref = refRead(aBytes, aExpected);
    std::vector<TMirrorProblem> problems;
    TMirrorReader reader(aBytes, "Fuzz.dat", aExpected, &problems);
    std::size_t n = 0;
    while (reader.Next()) {
        FUZZ_CHECK(n < ref.lines.size());
        const RefLine& line = ref.lines[n++];
        FUZZ_CHECK(reader.LineNumber() == line.lineNo);
        FUZZ_CHECK(reader.FieldCount() == static_cast<int>(line.pieces.size()));
        for (int i = 0; i < reader.FieldCount(); ++i) {
            const TMirrorPiece& piece = reader.Piece(i);
            const auto& want = line.pieces[static_cast<std::size_t>(i)];
            FUZZ_CHECK(piece.Present == want.has_value());
            if (want) FUZZ_CHECK(piece.Text == *want);
        }
    }
    FUZZ_CHECK(n == ref.lines.size());
    FUZZ_CHECK(problems.size() == ref.problemLines.size());
    for (std::size_t i = 0; i < problems.size(); ++i) FUZZ_CHECK(problems[i].Line == ref.problemLines[i]);
}

// ---- records --------------------------------------------------------------

// The records of a mirror file as the store loads them: an item from its
// piece, a missing or empty piece leaving the item at its default.
template <class R>
std::vector<R> loadRecords(std::string_view aBytes)
{
    std::vector<R> records;
    TMirrorReader reader(aBytes, "Fuzz.dat", FieldCountOf<R>(), nullptr);
    while (reader.Next()) {
        R& record = records.emplace_back();
        const int count = std::min(reader.FieldCount(), FieldCountOf<R>());
        for (int i = 0; i < count; ++i) {
            TMirrorPiece& piece = reader.Piece(i);
            if (!piece.Present) continue;
            if (piece.Owned) SetFieldText(record, i, std::move(*piece.Owned));
            else SetFieldText(record, i, piece.Text);
        }
    }
    return records;
}

template <class R>
TMirrorRows serverRows(const std::vector<R>& aRecords)
{
    TMirrorRows rows;
    for (const R& r : aRecords) rows.push_back(RecordToServerRow(r));
    return rows;
}

// A decoded value written again: U+FFFD becomes the full-width '?'.
TMirrorRows asReEncoded(TMirrorRows aRows)
{
    for (auto& row : aRows)
        for (auto& v : row) v = AsReEncoded(v);
    return aRows;
}

// What a row reads back as once written: a text item left at its empty
// default is written as empty text, which some items read as a value of
// their own (EtcDC gender "Z").
template <class R>
TMirrorRows asReadBack(TMirrorRows aRows)
{
    for (auto& row : aRows)
        for (int i = 0; i < FieldCountOf<R>(); ++i) {
            const TField<R>& f = FieldsOf<R>()[static_cast<std::size_t>(i)];
            std::string& v = row[static_cast<std::size_t>(i)];
            if (f.Type == TFieldType::Text && f.EmptyAs && v.empty()) v = f.EmptyAs;
        }
    return asReEncoded(std::move(aRows));
}

// Loaded records written as the download writes them and read back keep
// every value.
template <class R>
void checkRecordRoundTrip(std::string_view aBytes, TMirrorKind aKind)
{
    const TMirrorRows rows = serverRows(loadRecords<R>(aBytes));
    std::vector<TMirrorProblem> problems;
    const std::string written = BuildMirrorBytes(aKind, rows, {}, &problems);
    FUZZ_CHECK(serverRows(loadRecords<R>(written)) == asReadBack<R>(rows));
}

void checkPayRoundTrip(std::string_view aBytes)
{
    const std::vector<TMirrorPayEntry> entries = ParsePayFile(aBytes);
    TMirrorRows rows;
    for (const auto& e : entries) rows.push_back({std::to_string(e.Code), e.Name});
    const std::vector<TMirrorPayEntry> back = ParsePayFile(BuildMirrorBytes(TMirrorKind::Pay, rows));
    FUZZ_CHECK(back.size() == entries.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        FUZZ_CHECK(back[i].Name == AsReEncoded(entries[i].Name));
        FUZZ_CHECK(back[i].Code == entries[i].Code);
    }
}

void checkCompanyRoundTrip(std::string_view aBytes)
{
    const std::vector<std::string> fields = ParseCompanyFile(aBytes);
    FUZZ_CHECK(fields.size() == 8);
    const std::vector<std::string> back = ParseCompanyFile(BuildMirrorBytes(TMirrorKind::Company, {fields}));
    FUZZ_CHECK(asReEncoded({fields}) == TMirrorRows{back});
}

constexpr TMirrorKind kKinds[] = {TMirrorKind::Cashier, TMirrorKind::Common,   TMirrorKind::Upjang,
                                  TMirrorKind::Goods,   TMirrorKind::MenuGroup, TMirrorKind::MenuSub,
                                  TMirrorKind::Menu,    TMirrorKind::Pay,       TMirrorKind::Calendar,
                                  TMirrorKind::DC,      TMirrorKind::EtcDC,     TMirrorKind::Company};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize)
{
    const std::string_view bytes = AsText(aData, aSize);

    // Every kind's field count, and none (no count check).
    checkReader(bytes, 0);
    for (TMirrorKind kind : kKinds) checkReader(bytes, MirrorFieldCount(kind));

    checkRecordRoundTrip<TCashierData>(bytes, TMirrorKind::Cashier);
    checkRecordRoundTrip<TCommonData>(bytes, TMirrorKind::Common);
    checkRecordRoundTrip<TUpjangData>(bytes, TMirrorKind::Upjang);
    checkRecordRoundTrip<TGoodsData>(bytes, TMirrorKind::Goods);
    checkRecordRoundTrip<TMenuGroupData>(bytes, TMirrorKind::MenuGroup);
    checkRecordRoundTrip<TMenuSubGroupData>(bytes, TMirrorKind::MenuSub);
    checkRecordRoundTrip<TMenuData>(bytes, TMirrorKind::Menu);
    checkRecordRoundTrip<TCalendarData>(bytes, TMirrorKind::Calendar);
    checkRecordRoundTrip<TDCData>(bytes, TMirrorKind::DC);
    checkRecordRoundTrip<TEtcDCData>(bytes, TMirrorKind::EtcDC);
    checkPayRoundTrip(bytes);
    checkCompanyRoundTrip(bytes);

    const std::string value = FromCp949(bytes);
    FUZZ_CHECK(UnescapeMirrorValue(EscapeMirrorValue(value)) == value);
    FUZZ_CHECK(EscapeMirrorValue(value).find_first_of("\t\r\n") == std::string::npos);
    return 0;
}
