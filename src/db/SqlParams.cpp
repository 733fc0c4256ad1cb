#include "db/SqlParams.h"

#include <algorithm>

namespace pos {
namespace {

bool isIdentChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

class Rewriter {
public:
    explicit Rewriter(std::string_view aSql) : sql_(aSql) {}

    TBoundSql run()
    {
        while (pos_ < sql_.size()) step();
        return std::move(out_);
    }

private:
    void step()
    {
        const char c = sql_[pos_];
        const char next = pos_ + 1 < sql_.size() ? sql_[pos_ + 1] : '\0';
        if (c == '\'') copyQuoted('\'', escapeStringLiteral());
        else if (c == '"') copyQuoted('"', false);
        else if (c == '-' && next == '-') copyUntil("\n");
        else if (c == '/' && next == '*') copyBlockComment();
        else if (c == '$' && !previousIsIdent()) copyDollarQuotedOrChar();
        else if (c == ':' && next == ':') copy(2);
        else if (c == ':' && (next == 'P' || next == 'p') && parameterFollows()) replaceParameter();
        else copy(1);
    }

    bool previousIsIdent() const { return pos_ > 0 && isIdentChar(sql_[pos_ - 1]); }

    // E'...' strings take backslash escapes.
    bool escapeStringLiteral() const
    {
        return pos_ > 0 && (sql_[pos_ - 1] == 'E' || sql_[pos_ - 1] == 'e') && !(pos_ > 1 && isIdentChar(sql_[pos_ - 2]));
    }

    void copy(std::size_t n)
    {
        n = std::min(n, sql_.size() - pos_);
        out_.text.append(sql_.substr(pos_, n));
        pos_ += n;
    }

    // From an opening quote to its closing one; a doubled quote stays inside.
    void copyQuoted(char aQuote, bool aBackslashEscapes)
    {
        std::size_t i = pos_ + 1;
        while (i < sql_.size()) {
            if (aBackslashEscapes && sql_[i] == '\\') { i += 2; continue; }
            if (sql_[i] == aQuote) {
                if (i + 1 < sql_.size() && sql_[i + 1] == aQuote) { i += 2; continue; }
                ++i;
                break;
            }
            ++i;
        }
        copy(i - pos_);
    }

    void copyUntil(std::string_view aEnd)
    {
        const std::size_t end = sql_.find(aEnd, pos_);
        copy(end == std::string_view::npos ? sql_.size() - pos_ : end - pos_ + aEnd.size());
    }

    // Block comments nest in PostgreSQL.
    void copyBlockComment()
    {
        std::size_t i = pos_ + 2;
        int depth = 1;
        while (i < sql_.size() && depth > 0) {
            if (sql_.compare(i, 2, "/*") == 0) { ++depth; i += 2; }
            else if (sql_.compare(i, 2, "*/") == 0) { --depth; i += 2; }
            else ++i;
        }
        copy(i - pos_);
    }

    void copyDollarQuotedOrChar()
    {
        std::size_t i = pos_ + 1;
        while (i < sql_.size() && isIdentChar(sql_[i]) && !isDigit(sql_[pos_ + 1])) ++i;
        if (i >= sql_.size() || sql_[i] != '$') {
            copy(1);
            return;
        }
        const std::string_view tag = sql_.substr(pos_, i - pos_ + 1);
        const std::size_t close = sql_.find(tag, i + 1);
        copy(close == std::string_view::npos ? sql_.size() - pos_ : close + tag.size() - pos_);
    }

    bool parameterFollows() const
    {
        std::size_t i = pos_ + 2;
        if (i >= sql_.size() || !isDigit(sql_[i])) return false;
        while (i < sql_.size() && isDigit(sql_[i])) ++i;
        return i >= sql_.size() || !isIdentChar(sql_[i]);
    }

    void replaceParameter()
    {
        std::size_t i = pos_ + 2;
        int index = 0;
        while (i < sql_.size() && isDigit(sql_[i]) && index < 100000) index = index * 10 + (sql_[i++] - '0');
        while (i < sql_.size() && isDigit(sql_[i])) ++i;
        auto& params = out_.parameters;
        auto found = std::find(params.begin(), params.end(), index);
        if (found == params.end()) found = params.insert(params.end(), index);
        out_.text += '$';
        out_.text += std::to_string(found - params.begin() + 1);
        pos_ = i;
    }

    std::string_view sql_;
    std::size_t pos_ = 0;
    TBoundSql out_;
};

}  // namespace

TBoundSql RewriteParameters(std::string_view aSql) { return Rewriter(aSql).run(); }

}  // namespace pos
