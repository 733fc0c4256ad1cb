#pragma once
// Query objects, stored procedures and the scoped transaction of the data
// module. A query runs a catalogue statement by key with :P0, :P1, ... bound
// as text (an empty text is sent as NULL) and reads columns by position (a
// NULL reads back as empty text). The whole result is fetched at once, so any
// number of queries may be open at a time.

#include "core/Currency.h"
#include "db/DbConnection.h"
#include "db/DbError.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace pos {

class TfrmData;

class TDbQuery {
public:
    explicit TDbQuery(TfrmData& aData) : data_(aData) {}

    // The statement of catalogue key aKey; clears parameters and rows.
    void SetSQL(std::string aKey);
    const std::string& Key() const { return key_; }
    // Parameter P<aIndex> as text; an empty text is bound as NULL.
    void SetParam(int aIndex, std::string aValue);
    void SetParam(int aIndex, Currency aValue) { SetParam(aIndex, aValue.toText()); }

    // A statement that returns rows; false on failure (see Error()).
    bool Open();
    // A statement that returns no rows (rows that come anyway are kept).
    bool ExecSQL();
    void Close();

    bool Active() const { return result_ != nullptr; }
    bool Eof() const { return row_ >= RecordCount(); }
    void Next() { ++row_; }
    void First() { row_ = 0; }
    int RecordCount() const;
    int RowsAffected() const;

    // Columns of the current row by position; a missing column reads as NULL.
    bool IsNull(int aColumn) const;
    std::string AsString(int aColumn) const;
    // Whole number of the text, a decimal cut toward zero; 0 for other text.
    std::int64_t AsInteger(int aColumn) const;
    // Amount of the text; 0 for text that is not a number.
    Currency AsCurrency(int aColumn) const;

    const TDbError& Error() const { return error_; }

private:
    bool run(bool aWantRows);

    TfrmData& data_;
    std::string key_;
    std::map<int, std::string> params_;
    PgResultHandle result_;
    int row_ = 0;
    TDbError error_;
};

// A server function with text inputs and outputs, called with named
// arguments in the open transaction: SELECT <outputs> FROM name(in => $1 ...).
class TDbStoredProc {
public:
    TDbStoredProc(TfrmData& aData, std::string aName, std::vector<std::string> aInputs, std::vector<std::string> aOutputs);

    const std::string& Name() const { return name_; }
    // Input aName as text (empty: NULL); every input starts as NULL.
    void SetParam(const std::string& aName, std::string aValue);
    void ClearParams() { values_.clear(); }
    bool ExecProc();
    // Output aName of the last successful call; empty for NULL.
    std::string Output(const std::string& aName) const;
    const TDbError& Error() const { return error_; }

private:
    TfrmData& data_;
    std::string name_;
    std::vector<std::string> inputs_, outputs_;
    std::string sql_;
    std::map<int, std::string> values_;  // by input position
    std::map<std::string, std::string> results_;
    TDbError error_;
};

}  // namespace pos
