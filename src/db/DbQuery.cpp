#include "db/DbQuery.h"

#include "core/TextHelpers.h"
#include "db/DataModule.h"

#include <charconv>

namespace pos {

// ---------------------------------------------------------------------------
// TDbQuery

void TDbQuery::SetSQL(std::string aKey)
{
    Close();
    key_ = std::move(aKey);
    params_.clear();
}

void TDbQuery::SetParam(int aIndex, std::string aValue) { params_[aIndex] = std::move(aValue); }

bool TDbQuery::Open() { return run(true); }

bool TDbQuery::ExecSQL() { return run(false); }

bool TDbQuery::run(bool aWantRows)
{
    Close();
    TfrmData::TRunResult ran = data_.RunStatement(key_, params_, aWantRows);
    result_ = std::move(ran.result);
    error_ = std::move(ran.error);
    return !error_;
}

void TDbQuery::Close()
{
    result_.reset();
    row_ = 0;
    error_ = {};
}

int TDbQuery::RecordCount() const { return result_ ? PQntuples(result_.get()) : 0; }

int TDbQuery::RowsAffected() const
{
    if (!result_) return 0;
    const char* text = PQcmdTuples(result_.get());
    return static_cast<int>(StringToInteger(text ? text : ""));
}

bool TDbQuery::IsNull(int aColumn) const
{
    if (!result_ || Eof() || aColumn < 0 || aColumn >= PQnfields(result_.get())) return true;
    return PQgetisnull(result_.get(), row_, aColumn) != 0;
}

std::string TDbQuery::AsString(int aColumn) const
{
    if (IsNull(aColumn)) return {};
    return std::string(PQgetvalue(result_.get(), row_, aColumn),
                       static_cast<std::size_t>(PQgetlength(result_.get(), row_, aColumn)));
}

std::int64_t TDbQuery::AsInteger(int aColumn) const
{
    const std::string text = AsString(aColumn);
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc() && end == text.data() + text.size()) return value;
    return Currency::fromText(text).truncWon();
}

Currency TDbQuery::AsCurrency(int aColumn) const { return Currency::fromText(AsString(aColumn)); }

// ---------------------------------------------------------------------------
// TDbStoredProc

namespace {

std::string joined(const std::vector<std::string>& aNames, const std::string& aSeparator)
{
    std::string text;
    for (const std::string& name : aNames) text += (text.empty() ? "" : aSeparator) + name;
    return text;
}

}  // namespace

TDbStoredProc::TDbStoredProc(TfrmData& aData, std::string aName, std::vector<std::string> aInputs,
                             std::vector<std::string> aOutputs)
    : data_(aData), name_(std::move(aName)), inputs_(std::move(aInputs)), outputs_(std::move(aOutputs))
{
    std::vector<std::string> arguments;
    for (std::size_t i = 0; i < inputs_.size(); ++i) arguments.push_back(inputs_[i] + " => $" + std::to_string(i + 1));
    sql_ = "SELECT " + joined(outputs_, ", ") + " FROM " + name_ + "(" + joined(arguments, ", ") + ")";
}

void TDbStoredProc::SetParam(const std::string& aName, std::string aValue)
{
    for (std::size_t i = 0; i < inputs_.size(); ++i)
        if (EqualsNoCase(inputs_[i], aName)) values_[static_cast<int>(i)] = std::move(aValue);
}

bool TDbStoredProc::ExecProc()
{
    results_.clear();
    TBoundSql sql{sql_, {}};
    for (std::size_t i = 0; i < inputs_.size(); ++i) sql.parameters.push_back(static_cast<int>(i));
    TfrmData::TRunResult ran = data_.Run(name_, sql, values_, true);
    error_ = std::move(ran.error);
    if (error_) return false;
    if (PQntuples(ran.result.get()) < 1) {
        error_ = {TDbErrorKind::Other, name_, {}, name_ + " returned no row"};
        return false;
    }
    for (std::size_t i = 0; i < outputs_.size(); ++i) {
        const int column = static_cast<int>(i);
        if (!PQgetisnull(ran.result.get(), 0, column)) results_[outputs_[i]] = PQgetvalue(ran.result.get(), 0, column);
    }
    return true;
}

std::string TDbStoredProc::Output(const std::string& aName) const
{
    for (const auto& [name, value] : results_)
        if (EqualsNoCase(name, aName)) return value;
    return {};
}

// ---------------------------------------------------------------------------
// TDbTransaction

}  // namespace pos
