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

bool TDbMasterServer::ConnectDB() { return data_.ConnectDB(true, false); }

std::optional<TMirrorRows> TDbMasterServer::ReadRows(TMasterRead aRead)
{
    // A query of its own: a read may come while a caller is walking the rows
    // of one of the data module's queries.
    TDbQuery query(data_);
    query.SetSQL(std::string(MasterReadKey(aRead)));
    if (aRead == TMasterRead::DCMember || aRead == TMasterRead::DCMenu) {
        query.SetParam(0, data_.Context().gsMasterUpjangCode);
        query.SetParam(1, data_.Context().gsMasterPosNo);
    }
    return ReadStatementRows(data_, query, MasterReadColumns(aRead));
}

std::optional<std::string> TDbMasterServer::UpjangName(const std::string& aUpjangCode)
{
    if (!data_.Connected()) return std::nullopt;
    // Not on qryQueryPDA: the hand-held order printing asks for outlet names
    // while it walks that query's rows.
    TDbQuery query(data_);
    query.SetSQL("IZC002-GetUpjangName");
    query.SetParam(0, aUpjangCode);
    if (!query.Open()) {
        data_.ReadFailed(query.Error());
        return std::nullopt;
    }
    std::optional<std::string> name;
    if (!query.Eof()) name = query.AsString(0);
    return name;
}

}  // namespace pos
