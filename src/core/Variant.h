#pragma once
// A value read by item number from a record: empty, text, integer, amount or
// flag. The accessors convert the way the terminal's variants always have, so
// a caller may read any item as the kind it needs.

#include "core/Currency.h"

#include <cstdint>
#include <string>
#include <variant>

namespace pos {

class Variant {
public:
    Variant() = default;
    Variant(std::string v) : v_(std::move(v)) {}  // NOLINT: implicit on purpose
    Variant(const char* v) : v_(std::string(v)) {}  // NOLINT
    Variant(std::int64_t v) : v_(v) {}  // NOLINT
    Variant(int v) : v_(std::int64_t{v}) {}  // NOLINT
    Variant(Currency v) : v_(v) {}  // NOLINT
    Variant(bool v) : v_(v) {}  // NOLINT

    bool isEmpty() const { return std::holds_alternative<std::monostate>(v_); }
    bool isText() const { return std::holds_alternative<std::string>(v_); }
    bool isInteger() const { return std::holds_alternative<std::int64_t>(v_); }
    bool isAmount() const { return std::holds_alternative<Currency>(v_); }
    bool isFlag() const { return std::holds_alternative<bool>(v_); }

    // Text: as is; integer and amount: plain decimal; flag: "True"/"False";
    // empty: "".
    std::string asText() const;
    // Integer: as is; amount: whole won toward zero; flag: 1/0; text: its
    // integer value or 0.
    std::int64_t asInteger() const;
    // Amount: as is; integer: whole won; text: its amount or 0; flag: 0/1.
    Currency asAmount() const;
    // Flag: as is; text: equal to "Y"; numbers: not zero; empty: false.
    bool asFlag() const;

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    std::variant<std::monostate, std::string, std::int64_t, Currency, bool> v_;
};

}  // namespace pos
