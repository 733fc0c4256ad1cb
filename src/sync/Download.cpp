#include "sync/Download.h"

#include "core/FileIO.h"
#include "db/DayLog.h"
#include "core/Codec.h"
#include "store/MasterFields.h"
#include "sync/MasterServer.h"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <type_traits>
#include <utility>

namespace pos {
namespace {

constexpr auto kNoGauge = TDownloadGauge::Count;

// Which parameters a statement takes.
enum class TParams { None, OutletPos, Outlet, OutletPosSki };

std::size_t gaugeIndex(TDownloadGauge aGauge) { return static_cast<std::size_t>(aGauge); }

// Moves the list of aKind from one store into another (the company header
// lives in the context and is copied by the caller).
void takeList(TMirrorKind aKind, TMasterStore& aFrom, TMasterStore& aTo)
{
    switch (aKind) {
    case TMirrorKind::Cashier: aTo.glCashierData = std::move(aFrom.glCashierData); break;
    case TMirrorKind::Common: aTo.glCommonData = std::move(aFrom.glCommonData); break;
    case TMirrorKind::Upjang: aTo.glUpjangData = std::move(aFrom.glUpjangData); break;
    case TMirrorKind::Goods: aTo.glGoodsData = std::move(aFrom.glGoodsData); break;
    case TMirrorKind::MenuGroup: aTo.glMenuGroupData = std::move(aFrom.glMenuGroupData); break;
    case TMirrorKind::MenuSub: aTo.glMenuSubGroupData = std::move(aFrom.glMenuSubGroupData); break;
    case TMirrorKind::Menu: aTo.glMenuData = std::move(aFrom.glMenuData); break;
    case TMirrorKind::Pay: aTo.glPayData = std::move(aFrom.glPayData); break;
    case TMirrorKind::Calendar: aTo.glCalendarData = std::move(aFrom.glCalendarData); break;
    case TMirrorKind::DC: aTo.glDCData = std::move(aFrom.glDCData); break;
    case TMirrorKind::EtcDC: aTo.glEtcDCData = std::move(aFrom.glEtcDCData); break;
    case TMirrorKind::Company: break;
    }
    aTo.InvalidateIndexes();
}

std::size_t listSize(TMirrorKind aKind, const TMasterStore& aStore)
{
    switch (aKind) {
    case TMirrorKind::Cashier: return aStore.glCashierData.size();
    case TMirrorKind::Common: return aStore.glCommonData.size();
    case TMirrorKind::Upjang: return aStore.glUpjangData.size();
    case TMirrorKind::Goods: return aStore.glGoodsData.size();
    case TMirrorKind::MenuGroup: return aStore.glMenuGroupData.size();
    case TMirrorKind::MenuSub: return aStore.glMenuSubGroupData.size();
    case TMirrorKind::Menu: return aStore.glMenuData.size();
    case TMirrorKind::Pay: return aStore.glPayData.size();
    case TMirrorKind::Calendar: return aStore.glCalendarData.size();
    case TMirrorKind::DC: return aStore.glDCData.size();
    case TMirrorKind::EtcDC: return aStore.glEtcDCData.size();
    case TMirrorKind::Company: return 1;
    }
    return 0;
}

// Calls aFn(list, fresh record) with the store's list of a record kind.
template <class Fn>
bool withList(TMirrorKind aKind, TMasterStore& aStore, const TTerminalContext& aContext, Fn&& aFn)
{
    switch (aKind) {
    case TMirrorKind::Cashier: return aFn(aStore.glCashierData, TCashierData{});
    case TMirrorKind::Common: return aFn(aStore.glCommonData, TCommonData{});
    case TMirrorKind::Upjang: return aFn(aStore.glUpjangData, TUpjangData{});
    case TMirrorKind::Goods: return aFn(aStore.glGoodsData, TGoodsData{});
    case TMirrorKind::MenuGroup: return aFn(aStore.glMenuGroupData, TMenuGroupData{});
    case TMirrorKind::MenuSub: return aFn(aStore.glMenuSubGroupData, TMenuSubGroupData{});
    case TMirrorKind::Menu: {
        TMenuData fresh;
        fresh.DaesoCode = aContext.gsDaesoCodeAll;
        return aFn(aStore.glMenuData, fresh);
    }
    case TMirrorKind::Calendar: return aFn(aStore.glCalendarData, TCalendarData{});
    case TMirrorKind::DC: return aFn(aStore.glDCData, TDCData{});
    case TMirrorKind::EtcDC: return aFn(aStore.glEtcDCData, TEtcDCData{});
    case TMirrorKind::Pay:
    case TMirrorKind::Company: break;
    }
    return false;
}

}  // namespace

struct TDataDownload::TTable {
    TDownloadStep Step;
    TMirrorKind Kind;
    const char* Key;       // statement (the hotel restaurants' variant below)
    const char* VessaKey;  // nullptr when the same
    TParams Params;
    TDownloadGauge Gauge;
};

std::string_view DownloadGaugeCaption(TDownloadGauge aGauge)
{
    switch (aGauge) {
    case TDownloadGauge::Cashier: return "판매원 정보 DB";
    case TDownloadGauge::Common: return "공통코드 정보 DB";
    case TDownloadGauge::Upjang: return "영업장 정보 DB";
    case TDownloadGauge::Goods: return "상품 정보 DB";
    case TDownloadGauge::MenuGroup: return "메뉴분류 정보 DB";
    case TDownloadGauge::Menu: return "메뉴 정보 DB";
    case TDownloadGauge::Pay: return "결제수단 정보 DB";
    case TDownloadGauge::Calendar: return "월력 정보 DB";
    case TDownloadGauge::DC: return "할인 정보 DB";
    case TDownloadGauge::Count: break;
    }
    return {};
}

std::string_view DownloadStepName(TDownloadStep aStep)
{
    switch (aStep) {
    case TDownloadStep::CountData: return "CountData";
    case TDownloadStep::Cashier: return "DownloadCashier";
    case TDownloadStep::Common: return "DownloadCommon";
    case TDownloadStep::Upjang: return "DownloadUpjang";
    case TDownloadStep::Goods: return "DownloadGoods";
    case TDownloadStep::MenuGroup: return "DownloadMenuGroup";
    case TDownloadStep::MenuSubGroup: return "DownloadMenuSubGroup";
    case TDownloadStep::Menu: return "DownloadMenu";
    case TDownloadStep::Pay: return "DownloadPay";
    case TDownloadStep::Calendar: return "DownloadCalendar";
    case TDownloadStep::DC: return "DownloadDC";
    case TDownloadStep::EtcDC: return "DownloadEtcDC";
    case TDownloadStep::Company: return "DownloadCompany";
    case TDownloadStep::Done: break;
    }
    return {};
}

std::int64_t CountMirrorLines(const std::filesystem::path& aFile)
{
    const std::optional<std::string> bytes = ReadWholeFile(aFile);
    if (!bytes) return 0;
    std::int64_t lines = 0;
    bool content = false;
    for (char c : *bytes) {
        if (c == '\n' || c == '\r') {
            lines += content;
            content = false;
        } else {
            content = true;
        }
    }
    return lines + content;
}

TDataDownload::TDataDownload(TfrmData& aData, TMasterStore& aStore)
    : data_(aData), store_(aStore), ctx_(aData.Context())
{
}

void TDataDownload::progress(TDownloadGauge aGauge, std::int64_t aCount, std::int64_t aTotal)
{
    if (aGauge == kNoGauge) return;
    counts_[gaugeIndex(aGauge)] = aCount;
    totals_[gaugeIndex(aGauge)] = aTotal;
    if (OnProgress) OnProgress(aGauge, aCount, aTotal);
}

bool TDataDownload::fail(const std::string& aKey, std::string aReason)
{
    reason_ = std::move(aReason);
    WriteLogFile(ctx_, aKey, reason_);
    return false;
}

std::string TDataDownload::skiFlag() const
{
    const bool ski = !store_.glUpjangData.empty() && store_.glUpjangData.front().UpjangType == ctx_.gsUpjangTypeSki;
    return ski ? "N" : "Y";
}

bool TDataDownload::CountData()
{
    reason_.clear();
    data_.ConnectDB(true, false);
    static constexpr std::pair<TDownloadGauge, TMirrorKind> kFiles[] = {
        {TDownloadGauge::Cashier, TMirrorKind::Cashier}, {TDownloadGauge::Common, TMirrorKind::Common},
        {TDownloadGauge::Upjang, TMirrorKind::Upjang},   {TDownloadGauge::Goods, TMirrorKind::Goods},
        {TDownloadGauge::MenuGroup, TMirrorKind::MenuGroup}, {TDownloadGauge::Menu, TMirrorKind::Menu},
        {TDownloadGauge::Pay, TMirrorKind::Pay},         {TDownloadGauge::Calendar, TMirrorKind::Calendar},
        {TDownloadGauge::DC, TMirrorKind::DC},
    };
    std::array<std::int64_t, 9> totals{};
    if (!ctx_.gbOffLine) {
        TDbQuery& query = data_.qryQueryDown;
        query.SetSQL("IAB030-CountData");
        query.SetParam(0, ctx_.gsMasterUpjangCode);
        query.SetParam(1, ctx_.gsMasterPosNo);
        query.SetParam(2, ctx_.gbVessa ? "Y" : "N");
        if (!query.Open()) {
            data_.ReadFailed(query.Error());
            reason_ = "IAB030-CountData: " + LogText(query.Error());
            return false;
        }
        for (int c = 0; c < 9 && !query.Eof(); ++c) totals[static_cast<std::size_t>(c)] = query.AsInteger(c);
        query.Close();
    } else if (isDownOnOffLine) {
        const std::filesystem::path folder(ctx_.gsFolder);
        for (std::size_t i = 0; i < 9; ++i) totals[i] = CountMirrorLines(folder / std::string(MirrorFileName(kFiles[i].second)));
    }
    for (std::size_t i = 0; i < 9; ++i) progress(kFiles[i].first, 0, totals[i]);
    return true;
}

bool TDataDownload::fromServer(const TTable& aTable)
{
    const std::string key = (ctx_.gbVessa && aTable.VessaKey) ? aTable.VessaKey : aTable.Key;
    TDbQuery& query = data_.qryQueryDown;
    query.SetSQL(key);
    switch (aTable.Params) {
    case TParams::None: break;
    case TParams::Outlet: query.SetParam(0, ctx_.gsMasterUpjangCode); break;
    case TParams::OutletPos:
        query.SetParam(0, ctx_.gsMasterUpjangCode);
        query.SetParam(1, ctx_.gsMasterPosNo);
        break;
    case TParams::OutletPosSki:
        query.SetParam(0, ctx_.gsMasterUpjangCode);
        query.SetParam(1, ctx_.gsMasterPosNo);
        query.SetParam(2, skiFlag());
        query.SetParam(3, ctx_.gbVessa ? "Y" : "N");
        break;
    }
    if (aTable.Kind == TMirrorKind::Pay || aTable.Kind == TMirrorKind::Company) return fromServerRows(aTable, key);
    if (!query.Open()) {
        data_.ReadFailed(query.Error());
        reason_ = key + ": " + LogText(query.Error());
        return false;
    }
    // The rows go straight into new records and the file's bytes, each value
    // copied out of the result once; the list is swapped in at the end.
    const int columns = MirrorFieldCount(aTable.Kind);
    const auto total = static_cast<std::int64_t>(query.RecordCount());
    std::string bytes, file(MirrorFileName(aTable.Kind));
    TMirrorLineWriter line(aTable.Kind);
    std::vector<TMirrorProblem> problems;
    const bool filled = withList(aTable.Kind, store_, ctx_, [&](auto& aList, const auto& aFresh) {
        using TList = std::remove_reference_t<decltype(aList)>;
        TList fresh;
        fresh.reserve(static_cast<std::size_t>(total));
        if (isSaveSamFile) bytes.reserve(static_cast<std::size_t>(total) * 128);
        std::int64_t row = 0;
        for (query.First(); !query.Eof(); query.Next()) {
            auto& record = fresh.emplace_back(aFresh);
            for (int c = 0; c < columns; ++c) {
                std::string value = query.AsString(c);
                if (isSaveSamFile) {
                    if (aTable.Kind == TMirrorKind::Cashier && c == CashierItem::Password && store_.ScramblePassword)
                        line.Field(c, store_.ScramblePassword(value));
                    else
                        line.Field(c, value);
                }
                SetFieldText(record, c, std::move(value));
            }
            ++row;
            if (isSaveSamFile && !line.EndLine(bytes))
                problems.push_back({file, static_cast<int>(row), "a character CP949 cannot hold was written as a full-width '?'"});
            progress(aTable.Gauge, row, total);
        }
        query.Close();
        if (isSaveSamFile) {
            std::string error;
            if (!WriteFileAtomically(std::filesystem::path(ctx_.gsFolder) / file, bytes, &error))
                return fail(key, file + " could not be written (the list and the old file are kept): " + error);
        }
        aList.swap(fresh);
        return true;
    });
    for (auto& p : problems) {
        if (store_.LogProblem) store_.LogProblem(p);
        store_.MirrorProblems.push_back(std::move(p));
    }
    if (!filled) return false;
    store_.InvalidateIndexes();
    if (total == 0) progress(aTable.Gauge, 0, 0);
    return true;
}

// The small tables with layouts of their own (tenders, company header) go
// through the store's row writer and filler.
bool TDataDownload::fromServerRows(const TTable& aTable, const std::string& aKey)
{
    TDbQuery& query = data_.qryQueryDown;
    const std::optional<TMirrorRows> rows =
        ReadStatementRows(data_, query, MirrorFieldCount(aTable.Kind), [&](std::size_t aRow, std::size_t aTotal) {
            progress(aTable.Gauge, static_cast<std::int64_t>(aRow), static_cast<std::int64_t>(aTotal));
        });
    if (!rows) {
        // Already logged under the key by the data module.
        reason_ = aKey + ": " + LogText(query.Error());
        return false;
    }
    if (rows->empty()) progress(aTable.Gauge, 0, 0);
    if (isSaveSamFile) {
        std::string error;
        if (!store_.WriteMirrorRows(aTable.Kind, *rows, &error))
            return fail(aKey, std::string(MirrorFileName(aTable.Kind)) +
                                  " could not be written (the list and the old file are kept): " + error);
    }
    store_.FillFromServerRows(aTable.Kind, *rows);
    return true;
}

bool TDataDownload::fromMirror(const TTable& aTable)
{
    const std::string file(MirrorFileName(aTable.Kind));
    const std::filesystem::path path = std::filesystem::path(ctx_.gsFolder) / file;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return fail(aTable.Key, "off line and the mirror file " + file + " is missing; the list keeps what it held");
    // Loaded into a store of its own and taken over only when the file was
    // read, so an unreadable file leaves the list as it was.
    TTerminalContext scratchContext = ctx_;
    TNoMasterServer scratchServer;
    TMasterStore scratch(scratchContext, data_.Dialogs(), scratchServer);
    scratch.UnscramblePassword = store_.UnscramblePassword;
    scratch.LogProblem = store_.LogProblem;
    if (!scratch.LoadMirrorFile(aTable.Kind))
        return fail(aTable.Key, "off line and the mirror file " + file + " cannot be read; the list keeps what it held");
    store_.MirrorProblems.insert(store_.MirrorProblems.end(), scratch.MirrorProblems.begin(), scratch.MirrorProblems.end());
    if (aTable.Kind == TMirrorKind::Company) {
        ctx_.gsSaupName = scratchContext.gsSaupName, ctx_.gsCEOName = scratchContext.gsCEOName;
        ctx_.gsCEOEngName = scratchContext.gsCEOEngName, ctx_.gsAddress = scratchContext.gsAddress;
        ctx_.gsAddressEng = scratchContext.gsAddressEng, ctx_.gsTel = scratchContext.gsTel;
        ctx_.gsFax = scratchContext.gsFax, ctx_.gsSaupNo = scratchContext.gsSaupNo;
    } else {
        takeList(aTable.Kind, scratch, store_);
    }
    const auto n = static_cast<std::int64_t>(listSize(aTable.Kind, store_));
    progress(aTable.Gauge, n, std::max(n, aTable.Gauge == kNoGauge ? 0 : Total(aTable.Gauge)));
    return true;
}

bool TDataDownload::download(const TTable& aTable)
{
    reason_.clear();
    data_.ConnectDB(true, false);
    if (!ctx_.gbOffLine) return fromServer(aTable);
    if (!isDownOnOffLine)
        return fail(aTable.Key, "off line, and the pass may not reload the mirror files; the list keeps what it held");
    return fromMirror(aTable);
}

bool TDataDownload::DownloadCashier()
{
    return download({TDownloadStep::Cashier, TMirrorKind::Cashier, "IAB030-DownloadCashier", nullptr, TParams::None,
                     TDownloadGauge::Cashier});
}

bool TDataDownload::DownloadCommon()
{
    return download({TDownloadStep::Common, TMirrorKind::Common, "IAB030-DownloadCommon", nullptr, TParams::None,
                     TDownloadGauge::Common});
}

bool TDataDownload::DownloadUpjang()
{
    return download({TDownloadStep::Upjang, TMirrorKind::Upjang, "IAB030-DownloadUpjang", nullptr, TParams::OutletPos,
                     TDownloadGauge::Upjang});
}

bool TDataDownload::DownloadGoods()
{
    return download({TDownloadStep::Goods, TMirrorKind::Goods, "IAB030-DownloadGoods", nullptr, TParams::OutletPosSki,
                     TDownloadGauge::Goods});
}

bool TDataDownload::DownloadMenuGroup()
{
    return download({TDownloadStep::MenuGroup, TMirrorKind::MenuGroup, "IAB030-DownloadMenuGroup-1",
                     "IAB030-DownloadMenuGroup-2", TParams::OutletPos, TDownloadGauge::MenuGroup});
}

bool TDataDownload::DownloadMenuSubGroup()
{
    // Only the hotel restaurants have sub-groups.
    if (!ctx_.gbVessa) {
        reason_.clear();
        return true;
    }
    return download({TDownloadStep::MenuSubGroup, TMirrorKind::MenuSub, "IAB030-DownloadMenuSubGroup", nullptr,
                     TParams::OutletPos, kNoGauge});
}

bool TDataDownload::DownloadMenu()
{
    return download({TDownloadStep::Menu, TMirrorKind::Menu, "IAB030-DownloadMenu-1", "IAB030-DownloadMenu-2",
                     TParams::OutletPosSki, TDownloadGauge::Menu});
}

bool TDataDownload::DownloadPay()
{
    return download({TDownloadStep::Pay, TMirrorKind::Pay, "IAB030-DownloadPay", nullptr, TParams::Outlet,
                     TDownloadGauge::Pay});
}

bool TDataDownload::DownloadCalendar()
{
    return download({TDownloadStep::Calendar, TMirrorKind::Calendar, "IAB030-DownloadCalendar", nullptr,
                     TParams::OutletPos, TDownloadGauge::Calendar});
}

bool TDataDownload::DownloadDC()
{
    return download({TDownloadStep::DC, TMirrorKind::DC, "IAB030-DownloadDC", nullptr, TParams::OutletPos,
                     TDownloadGauge::DC});
}

bool TDataDownload::DownloadEtcDC()
{
    return download({TDownloadStep::EtcDC, TMirrorKind::EtcDC, "IAB030-DownloadEtcDC", nullptr, TParams::OutletPos,
                     kNoGauge});
}

bool TDataDownload::DownloadCompany()
{
    return download({TDownloadStep::Company, TMirrorKind::Company, "IAB030-DownloadCompany", nullptr, TParams::None,
                     kNoGauge});
}

TDownloadResult TDataDownload::Run()
{
    using TStepFn = bool (TDataDownload::*)();
    static constexpr std::pair<TDownloadStep, TStepFn> kSteps[] = {
        {TDownloadStep::CountData, &TDataDownload::CountData},
        {TDownloadStep::Cashier, &TDataDownload::DownloadCashier},
        {TDownloadStep::Common, &TDataDownload::DownloadCommon},
        {TDownloadStep::Upjang, &TDataDownload::DownloadUpjang},
        {TDownloadStep::Goods, &TDataDownload::DownloadGoods},
        {TDownloadStep::MenuGroup, &TDataDownload::DownloadMenuGroup},
        {TDownloadStep::MenuSubGroup, &TDataDownload::DownloadMenuSubGroup},
        {TDownloadStep::Menu, &TDataDownload::DownloadMenu},
        {TDownloadStep::Pay, &TDataDownload::DownloadPay},
        {TDownloadStep::Calendar, &TDataDownload::DownloadCalendar},
        {TDownloadStep::DC, &TDataDownload::DownloadDC},
        {TDownloadStep::EtcDC, &TDataDownload::DownloadEtcDC},
        {TDownloadStep::Company, &TDataDownload::DownloadCompany},
    };
    TDownloadResult result;
    for (const auto& [step, fn] : kSteps) {
        if (!(this->*fn)()) {
            result.StoppedAt = step;
            result.Reason = std::string(DownloadStepName(step)) + ": " + reason_;
            return result;
        }
    }
    result.Completed = true;
    return result;
}

}  // namespace pos
