#pragma once
// Checks of the cashiers' shifts that the closing and shut-down commands
// make before they act.

#include <string>

namespace pos {

class TfrmData;

// A cashier of this POS whose shift of the sale date is not closed, as
// "name(code)"; empty when every shift is closed, when the server cannot be
// reached, or when the statement fails (logged, CheckOffLine).
std::string CheckNotCloseCashier(TfrmData& aData);

}  // namespace pos
