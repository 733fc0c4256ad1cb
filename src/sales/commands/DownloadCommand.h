#pragma once
// "자료다운": the master data downloaded again, and the outlet, menu-group
// and menu buttons built from the new lists.

#include "sales/commands/SaleCommand.h"

namespace pos {

class TDownloadLauncher;

class TDownloadCommand final : public TSaleCommandHandler {
public:
    explicit TDownloadCommand(TDownloadLauncher& aDownload) : download_(aDownload) {}
    void Execute(TSaleView& aView) override;

private:
    TDownloadLauncher& download_;
};

}  // namespace pos
