#include "sync/MasterServer.h"

namespace pos {

std::string_view MasterReadKey(TMasterRead aRead)
{
    switch (aRead) {
    case TMasterRead::Cashier: return "IAB030-DownloadCashier";
    case TMasterRead::Common: return "IZC002-ReadCommonData";
    case TMasterRead::Upjang: return "IZC002-ReadUpjangData";
    case TMasterRead::DCMember: return "IZC002-ReadDCMemberData";
    case TMasterRead::DCMenu: return "IZC002-ReadDCMenuData";
    }
    return {};
}

int MasterReadColumns(TMasterRead aRead)
{
    switch (aRead) {
    case TMasterRead::Cashier: return 6;
    case TMasterRead::Common: return 18;
    case TMasterRead::Upjang: return 5;
    case TMasterRead::DCMember: return 16;
    case TMasterRead::DCMenu: return 17;
    }
    return 0;
}

std::optional<TMirrorRows> ReadStatementRows(TfrmData& aData, TDbQuery& aQuery, int aColumns,
                                             const std::function<void(std::size_t, std::size_t)>& aOnRow)
{
    if (!aQuery.Open()) {
        aData.ReadFailed(aQuery.Error());
        return std::nullopt;
    }
    const auto total = static_cast<std::size_t>(aQuery.RecordCount());
    TMirrorRows rows;
    rows.reserve(total);
    for (aQuery.First(); !aQuery.Eof(); aQuery.Next()) {
        auto& row = rows.emplace_back();
        row.reserve(static_cast<std::size_t>(aColumns));
        for (int c = 0; c < aColumns; ++c) row.push_back(aQuery.AsString(c));
        if (aOnRow) aOnRow(rows.size(), total);
    }
    aQuery.Close();
    return rows;
}

void InstallMasterServer(TMasterStore& aStore, TfrmData& aData)
{
    aStore.Server.ConnectDB = [&aData] { return aData.ConnectDB(true, false); };
    aStore.Server.ReadRows = [&aData](TMasterRead aRead) -> std::optional<TMirrorRows> {
        // A query of its own: a read may come while a caller is walking the
        // rows of one of the data module's queries.
        TDbQuery query(aData);
        query.SetSQL(std::string(MasterReadKey(aRead)));
        if (aRead == TMasterRead::DCMember || aRead == TMasterRead::DCMenu) {
            query.SetParam(0, aData.Context().gsMasterUpjangCode);
            query.SetParam(1, aData.Context().gsMasterPosNo);
        }
        return ReadStatementRows(aData, query, MasterReadColumns(aRead));
    };
    aStore.Server.UpjangName = [&aData](const std::string& aUpjangCode) -> std::optional<std::string> {
        if (!aData.Connected()) return std::nullopt;
        // Not on qryQueryPDA: the hand-held order printing asks for outlet
        // names while it walks that query's rows.
        TDbQuery query(aData);
        query.SetSQL("IZC002-GetUpjangName");
        query.SetParam(0, aUpjangCode);
        if (!query.Open()) {
            aData.ReadFailed(query.Error());
            return std::nullopt;
        }
        std::optional<std::string> name;
        if (!query.Eof()) name = query.AsString(0);
        return name;
    };
}

}  // namespace pos
