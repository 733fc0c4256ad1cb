#include "core/Variant.h"

#include "core/TextHelpers.h"

namespace pos {

std::string Variant::asText() const
{
    if (auto p = std::get_if<std::string>(&v_)) return *p;
    if (auto p = std::get_if<std::int64_t>(&v_)) return std::to_string(*p);
    if (auto p = std::get_if<Currency>(&v_)) return p->toText();
    if (auto p = std::get_if<bool>(&v_)) return *p ? "True" : "False";
    return {};
}

std::int64_t Variant::asInteger() const
{
    if (auto p = std::get_if<std::int64_t>(&v_)) return *p;
    if (auto p = std::get_if<Currency>(&v_)) return p->truncWon();
    if (auto p = std::get_if<bool>(&v_)) return *p ? 1 : 0;
    if (auto p = std::get_if<std::string>(&v_)) return StringToInteger(*p);
    return 0;
}

Currency Variant::asAmount() const
{
    if (auto p = std::get_if<Currency>(&v_)) return *p;
    if (auto p = std::get_if<std::int64_t>(&v_)) return Currency(*p);
    if (auto p = std::get_if<bool>(&v_)) return Currency(*p ? 1 : 0);
    if (auto p = std::get_if<std::string>(&v_)) return Currency::fromText(*p);
    return {};
}

bool Variant::asFlag() const
{
    if (auto p = std::get_if<bool>(&v_)) return *p;
    if (auto p = std::get_if<std::string>(&v_)) return *p == "Y";
    if (auto p = std::get_if<std::int64_t>(&v_)) return *p != 0;
    if (auto p = std::get_if<Currency>(&v_)) return p->raw() != 0;
    return false;
}

}  // namespace pos
