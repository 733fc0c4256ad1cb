#pragma once
// The member discount screen ("우대할인", 800 x 600): the member number and
// the additional number a scheme asks for, the prompt line, the list of
// accepted discounts, the member's photo, 18 discount buttons with their page
// buttons, and the delete and delete-all commands. TDCModel (discounts/dc)
// holds the rules; the screen shows its state and hands it what the cashier
// does. A card reader types the card's track into the focused entry.

#include "core/ui/TfrmInherit.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;

namespace pos {

class DialogService;
class TDCLaunchers;
class TDCModel;
class TModelActions;
class TfrmData;
class TLookups;
class TMasterStore;
class TZoPosButton;
class TfrmDCFrame;
struct TTerminalContext;

class TfrmDC : public TfrmInherit {
    Q_OBJECT
public:
    TfrmDC(const TScreenEnv& aEnv, TDCModel& aModel, QWidget* aParent = nullptr);
    ~TfrmDC() override;

    void ShowModel();

    QLineEdit* edtMemberNo = nullptr;
    QLineEdit* edtMemberAddNo = nullptr;
    QLabel* lblMemberNo = nullptr;
    QLabel* lblMemberAddNo = nullptr;
    QLabel* lblComment = nullptr;
    TfrmDCFrame* fraList = nullptr;
    std::array<TZoPosButton*, 18> btnDC{};
    TZoPosButton* btnDCUp = nullptr;
    TZoPosButton* btnDCDown = nullptr;
    TZoPosButton* btnDCDelete = nullptr;
    TZoPosButton* btnDCClear = nullptr;
    QWidget* panPicture = nullptr;
    QLabel* imgPicture = nullptr;

public slots:
    void reject() override;  // Esc and the close button

protected:
    void showEvent(QShowEvent* aEvent) override;
    bool eventFilter(QObject* aWatched, QEvent* aEvent) override;

private:
    void CreateButtons();
    void act(const std::function<void()>& aAction);
    void showPhoto();

    TDCModel& model_;
    // The screen ends when the model has closed.
    std::unique_ptr<TModelActions> actions_;
    std::string shownPhoto_;
    bool shown_ = false;
};

// Everything the screen needs. The references must outlive the call.
struct TDCDeps {
    TScreenEnv env;
    TTerminalContext& context;
    TMasterStore& store;
    DialogService& dialogs;
    TfrmData& data;
    TLookups& lookups;
    TDCLaunchers& launchers;  // the reason dialog
    QWidget* parent = nullptr;
};

// ShowDC: a fresh screen over a fresh model, shown modally until it closes.
void ShowDC(TDCDeps& aDeps, std::vector<std::string>& aKeyInData);

}  // namespace pos
