#pragma once
// "사유": the reason dialog. A notice, one text edit, "확인" and "취소". A
// confirmation with fewer characters than the minimum is refused with a
// message; cancelling empties the edit and closes.

#include "core/ui/TfrmInherit.h"

#include <string>

class QLabel;
class QLineEdit;

namespace pos {

class DialogService;
class TZoPosButton;

class TfrmRemark : public TfrmInherit {
    Q_OBJECT
public:
    TfrmRemark(const TScreenEnv& aEnv, DialogService& aDialogs, const std::string& aNotice,
               const std::string& aRemarks, int aMustInputSize, QWidget* aParent = nullptr);

    // The reason as confirmed (the first 30 bytes of the text).
    std::string Remarks() const;

    QLabel* lblNotice = nullptr;
    QLineEdit* edtRemark = nullptr;
    TZoPosButton* btnOK = nullptr;
    TZoPosButton* btnCancel = nullptr;

public slots:
    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* aWatched, QEvent* aEvent) override;

private:
    DialogService& dialogs_;
    int mustInputSize_;
};

// GetRemarks: shows the dialog; on confirmation aRemarks takes the reason and
// the answer is true. The notice is aCaption, or "'" + aCaption + "' 사유를
// 입력하십시오." with aDefMsg.
bool GetRemarks(const TScreenEnv& aEnv, DialogService& aDialogs, const std::string& aCaption, std::string& aRemarks,
                int aMustInputSize, bool aDefMsg, QWidget* aParent = nullptr);

}  // namespace pos
