#pragma once
// The close-date dialog "마감 일자" of the POS close: one date entry filled
// with the sale date, and the note that an earlier date prints that date's
// close report again. Enter accepts a real date no later than today; Esc
// cancels.

#include "core/ui/TfrmGetBox.h"

#include <optional>
#include <string>

class QLineEdit;

namespace pos {

class TfrmCloseDate : public TfrmGetBox {
    Q_OBJECT
public:
    TfrmCloseDate(const TScreenEnv& aEnv, const std::string& aSaleDate, std::string aToday, QWidget* aParent = nullptr);

    // The accepted date, "yyyymmdd".
    const std::optional<std::string>& Date() const { return date_; }

    QLineEdit* edtCloseDate = nullptr;

    static constexpr int kWidth = 470;
    static constexpr int kHeight = 320;

private:
    void accept() override;

    std::string today_;
    std::optional<std::string> date_;
};

// The dialog shown until it ends: the accepted date, or nullopt.
std::optional<std::string> GetCloseDate(const TScreenEnv& aEnv, const std::string& aSaleDate,
                                        const std::string& aToday, QWidget* aParent);

}  // namespace pos
