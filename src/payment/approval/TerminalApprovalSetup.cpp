#include "payment/approval/TerminalApprovalSetup.h"

#include "core/TerminalContext.h"

#include <filesystem>

namespace pos {
namespace {

std::unique_ptr<TApprovalDriver> loadDriver(const std::filesystem::path& aPath, std::vector<std::string>& aProblems,
                                            std::string& aDetail)
{
    TDriverLoad load = LoadApprovalDriver(aPath);
    if (!load.Loaded) {
        aProblems.push_back(load.Message);
        aDetail = load.Detail;
    }
    return std::move(load.Driver);
}

}  // namespace

TTerminalApprovalSetup::TTerminalApprovalSetup(const TTerminalContext& aContext, const TDeviceConfig& aDevices,
                                               std::function<std::string()> aTerminalId)
    : client_(link_, clock_),
      journal_(std::filesystem::path(aContext.gsFolder) / "Approvals"),
      driver_(loadDriver(ApprovalDriverPath(aDevices, aContext.gsFolder), problems_, driverDetail_)),
      channels_(*driver_, client_, journal_),
      runner_(poster_),
      approvals_(aContext, channels_, runner_, std::move(aTerminalId))
{
    client_.SetHost(aContext.gsCardIP);
    client_.SetPort(aContext.giCardPort);
    journal_.Open();
    for (const std::string& problem : journal_.Problems()) problems_.push_back(problem);
}

}  // namespace pos
