#pragma once
// The database side of the master-data store: the statements behind the
// store's on-line reads (cashiers, common codes and outlets at log-in,
// member and menu discounts of the bill, outlet names), and the reading of a
// statement's rows as text that the download shares.

#include "db/DataModule.h"
#include "store/MasterStore.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace pos {

// Statement and number of result columns of an on-line read.
std::string_view MasterReadKey(TMasterRead aRead);
int MasterReadColumns(TMasterRead aRead);

// Runs the statement set on aQuery and returns its rows as text, aColumns
// values each (a NULL reads as empty text). aOnRow is told the row count
// after each row and the total. A failure is logged under the statement key
// and handed to CheckOffLine; the result is then nullopt.
std::optional<TMirrorRows> ReadStatementRows(TfrmData& aData, TDbQuery& aQuery, int aColumns,
                                             const std::function<void(std::size_t, std::size_t)>& aOnRow = {});

// The store's server over the data module: ConnectDB(true, false) before
// each read; the reads with P0 = gsMasterUpjangCode, P1 = gsMasterPosNo
// where they take them; the outlet name ("IZC002-GetUpjangName") only while
// the connection is open. aData must outlive it.
class TDbMasterServer final : public TMasterServer {
public:
    explicit TDbMasterServer(TfrmData& aData) : data_(aData) {}
    bool ConnectDB() override;
    std::optional<TMirrorRows> ReadRows(TMasterRead aRead) override;
    std::optional<std::string> UpjangName(const std::string& aUpjangCode) override;

private:
    TfrmData& data_;
};

}  // namespace pos
