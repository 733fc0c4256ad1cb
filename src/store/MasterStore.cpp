#include "store/MasterStore.h"

#include "core/FileIO.h"
#include "core/TextHelpers.h"
#include "store/MasterFields.h"

#include <algorithm>
#include <filesystem>
#include <type_traits>

namespace pos {
namespace {

constexpr std::size_t kMaxWaitBills = 25;
constexpr const char* kWaitLimitMessage =
    "최대 대기 건수(25건)를 넘어서 더 이상 대기를 할 수 없습니다.\r현재 전표를 취소한 후 대기를 하십시오.";

template <class R>
Variant getRow(const std::vector<R>& aList, int aIndex, int aItem)
{
    if (aIndex < 0 || static_cast<std::size_t>(aIndex) >= aList.size()) return {};
    return GetFieldValue(aList[static_cast<std::size_t>(aIndex)], aItem);
}

template <class R>
bool setRow(std::vector<R>& aList, int aIndex, int aItem, std::string_view aData)
{
    if (aIndex < 0 || static_cast<std::size_t>(aIndex) >= aList.size()) return false;
    return SetFieldText(aList[static_cast<std::size_t>(aIndex)], aItem, aData);
}

// Fills aRecord from values in item order (at most aMaxItems of them).
template <class R>
void setFromValues(R& aRecord, const std::vector<std::string>& aValues, int aMaxItems)
{
    const int n = std::min<int>(static_cast<int>(aValues.size()), std::min(aMaxItems, FieldCountOf<R>()));
    for (int i = 0; i < n; ++i) SetFieldText(aRecord, i, std::string_view(aValues[static_cast<std::size_t>(i)]));
}

template <class R>
void appendRows(std::vector<R>& aList, const TMirrorRows& aRows, const R& aProto)
{
    aList.reserve(aList.size() + aRows.size());
    for (const auto& row : aRows) setFromValues(aList.emplace_back(aProto), row, FieldCountOf<R>());
}

template <class R>
TMirrorRows rowsOf(const std::vector<R>& aList)
{
    TMirrorRows rows;
    rows.reserve(aList.size());
    for (const R& r : aList) rows.push_back(RecordToServerRow(r));
    return rows;
}

std::string column(const std::vector<std::string>& aRow, std::size_t aIndex)
{
    return aIndex < aRow.size() ? aRow[aIndex] : std::string();
}

// The first row among aRows (ascending) for which aMatch holds; -1 when none.
template <class Match>
int firstOf(std::span<const int> aRows, Match&& aMatch)
{
    for (int r : aRows)
        if (aMatch(r)) return r;
    return -1;
}

}  // namespace

// ---------------------------------------------------------------------------
// Server row mappings

TUpjangData MapReadUpjangRow(const std::vector<std::string>& aRow)
{
    static constexpr int kItemOfColumn[] = {UpjangItem::UpjangCode, UpjangItem::PosNo, UpjangItem::UpjangName,
                                            UpjangItem::UpjangType, UpjangItem::SodGubunCode};
    TUpjangData u;
    const std::size_t n = std::min(aRow.size(), std::size(kItemOfColumn));
    for (std::size_t c = 0; c < n; ++c) SetFieldText(u, kItemOfColumn[c], std::string_view(aRow[c]));
    return u;
}

TDCMemberData MapReadDCMemberRow(const std::vector<std::string>& aRow, const TTerminalContext& aContext)
{
    TDCMemberData d;
    for (int i = 0; i <= DCMemberItem::DaesoGubun; ++i)
        SetFieldText(d, i, std::string_view(column(aRow, static_cast<std::size_t>(i))));
    // The rate as registered: a return takes its sign from the quantities, and
    // a signed rate would turn a percentage into a fixed price.
    d.DCRate = StringToInteger(column(aRow, 10));
    for (int i = DCMemberItem::OnceUseCount; i <= DCMemberItem::YearlyUseCount; ++i)
        SetFieldText(d, i, std::string_view(column(aRow, static_cast<std::size_t>(i))));
    d.Remark = column(aRow, 14);
    d.KeyInYN = column(aRow, 15) == "Y";
    d.DCYN = StringToInteger(column(aRow, 13)) != 0 && StringToInteger(column(aRow, 12)) != 0;
    // The old Pos(gsMasterMemberNo, AcceptMemberNo) = 1 is false for an empty
    // master member number; starts_with("") would be true.
    d.MasterMemberYN = !aContext.gsMasterMemberNo.empty() && d.AcceptMemberNo.starts_with(aContext.gsMasterMemberNo);
    return d;
}

TDCMenuData MapReadDCMenuRow(const std::vector<std::string>& aRow)
{
    TDCMenuData d;
    setFromValues(d, aRow, DCMenuItem::Count);
    return d;
}

// ---------------------------------------------------------------------------

TMasterStore::TMasterStore(TTerminalContext& aContext, DialogService& aDialogs, TMasterServer& aServer)
    : context_(aContext), dialogs_(aDialogs), server_(aServer)
{
}

void TMasterStore::InvalidateIndexes()
{
    for (auto& g : generation_) ++g;
    goodsByOutletMenu_.Invalidate();
    goodsByKeys_.Invalidate();
    goodsByMenu_.Invalidate();
    upjangByCode_.Invalidate();
    commonByHeadCode_.Invalidate();
    calendarByDate_.Invalidate();
    etcDCByMember_.Invalidate();
}

TMenuData TMasterStore::defaultMenu() const
{
    TMenuData m;
    m.DaesoCode = context_.gsDaesoCodeAll;
    return m;
}

// ---- row accessors ---------------------------------------------------------

int TMasterStore::AddCashierData()
{
    glCashierData.emplace_back();
    return static_cast<int>(glCashierData.size()) - 1;
}
void TMasterStore::SetCashierData(int aIndex, int aItem, std::string_view aData) { setRow(glCashierData, aIndex, aItem, aData); }
Variant TMasterStore::GetCashierData(int aIndex, int aItem) const { return getRow(glCashierData, aIndex, aItem); }

int TMasterStore::AddCommonData()
{
    glCommonData.emplace_back();
    changed(ilCommon);
    return static_cast<int>(glCommonData.size()) - 1;
}
void TMasterStore::SetCommonData(int aIndex, int aItem, std::string_view aData)
{
    if (setRow(glCommonData, aIndex, aItem, aData) && aItem <= CommonItem::Code) changed(ilCommon);
}
Variant TMasterStore::GetCommonData(int aIndex, int aItem) const
{
    // Common codes are all text; out of range gives empty text.
    if (aIndex < 0 || static_cast<std::size_t>(aIndex) >= glCommonData.size()) return Variant(std::string());
    return Variant(getRow(glCommonData, aIndex, aItem).asText());
}

int TMasterStore::AddUpjangData()
{
    glUpjangData.emplace_back();
    changed(ilUpjang);
    return static_cast<int>(glUpjangData.size()) - 1;
}
void TMasterStore::SetUpjangData(int aIndex, int aItem, std::string_view aData)
{
    if (setRow(glUpjangData, aIndex, aItem, aData) && aItem == UpjangItem::UpjangCode) changed(ilUpjang);
}
Variant TMasterStore::GetUpjangData(int aIndex, int aItem) const { return getRow(glUpjangData, aIndex, aItem); }

int TMasterStore::AddGoodsData()
{
    glGoodsData.emplace_back();
    changed(ilGoods);
    return static_cast<int>(glGoodsData.size()) - 1;
}
void TMasterStore::SetGoodsData(int aIndex, int aItem, std::string_view aData)
{
    if (setRow(glGoodsData, aIndex, aItem, aData) && aItem <= GoodsItem::BusinessGubun) changed(ilGoods);
}
Variant TMasterStore::GetGoodsData(int aIndex, int aItem) const { return getRow(glGoodsData, aIndex, aItem); }

int TMasterStore::AddMenuGroupData()
{
    glMenuGroupData.emplace_back();
    return static_cast<int>(glMenuGroupData.size()) - 1;
}
void TMasterStore::SetMenuGroupData(int aIndex, int aItem, std::string_view aData) { setRow(glMenuGroupData, aIndex, aItem, aData); }
Variant TMasterStore::GetMenuGroupData(int aIndex, int aItem) const { return getRow(glMenuGroupData, aIndex, aItem); }

int TMasterStore::AddMenuSubGroupData()
{
    glMenuSubGroupData.emplace_back();
    return static_cast<int>(glMenuSubGroupData.size()) - 1;
}
void TMasterStore::SetMenuSubGroupData(int aIndex, int aItem, std::string_view aData)
{
    setRow(glMenuSubGroupData, aIndex, aItem, aData);
}
Variant TMasterStore::GetMenuSubGroupData(int aIndex, int aItem) const { return getRow(glMenuSubGroupData, aIndex, aItem); }

int TMasterStore::AddMenuData()
{
    glMenuData.push_back(defaultMenu());
    return static_cast<int>(glMenuData.size()) - 1;
}
void TMasterStore::SetMenuData(int aIndex, int aItem, std::string_view aData) { setRow(glMenuData, aIndex, aItem, aData); }
Variant TMasterStore::GetMenuData(int aIndex, int aItem) const { return getRow(glMenuData, aIndex, aItem); }

int TMasterStore::AddCalendarData()
{
    glCalendarData.emplace_back();
    changed(ilCalendar);
    return static_cast<int>(glCalendarData.size()) - 1;
}
void TMasterStore::SetCalendarData(int aIndex, int aItem, std::string_view aData)
{
    if (setRow(glCalendarData, aIndex, aItem, aData) && aItem == CalendarItem::Date) changed(ilCalendar);
}
Variant TMasterStore::GetCalendarData(int aIndex, int aItem) const { return getRow(glCalendarData, aIndex, aItem); }

int TMasterStore::AddDCData()
{
    glDCData.emplace_back();
    return static_cast<int>(glDCData.size()) - 1;
}
void TMasterStore::SetDCData(int aIndex, int aItem, std::string_view aData) { setRow(glDCData, aIndex, aItem, aData); }
Variant TMasterStore::GetDCData(int aIndex, int aItem) const { return getRow(glDCData, aIndex, aItem); }

int TMasterStore::AddEtcDCData()
{
    glEtcDCData.emplace_back();
    changed(ilEtcDC);
    return static_cast<int>(glEtcDCData.size()) - 1;
}
void TMasterStore::SetEtcDCData(int aIndex, int aItem, std::string_view aData)
{
    if (setRow(glEtcDCData, aIndex, aItem, aData) && aItem == EtcDCItem::MemberNo) changed(ilEtcDC);
}
Variant TMasterStore::GetEtcDCData(int aIndex, int aItem) const { return getRow(glEtcDCData, aIndex, aItem); }

void TMasterStore::SetDCMemberData(int aIndex, int aItem, std::string_view aData) { setRow(glDCMemberData, aIndex, aItem, aData); }
Variant TMasterStore::GetDCMemberData(int aIndex, int aItem) const { return getRow(glDCMemberData, aIndex, aItem); }
Variant TMasterStore::GetDCMenuData(int aIndex, int aItem) const { return getRow(glDCMenuData, aIndex, aItem); }
Variant TMasterStore::GetWaitData(int aIndex, int aItem) const { return getRow(glWaitData, aIndex, aItem); }
Variant TMasterStore::GetWaitListData(int aIndex, int aItem) const { return getRow(glWaitListData, aIndex, aItem); }
Variant TMasterStore::GetWaitDCMemberData(int aIndex, int aItem) const { return getRow(glWaitDCMemberData, aIndex, aItem); }
Variant TMasterStore::GetWaitDCMenuData(int aIndex, int aItem) const { return getRow(glWaitDCMenuData, aIndex, aItem); }
Variant TMasterStore::GetTableData(int aIndex, int aItem) const { return getRow(glTableData, aIndex, aItem); }

void TMasterStore::AddPayData(const std::string& aName, std::int64_t aCode) { glPayData.push_back({aName, aCode}); }
std::int64_t TMasterStore::GetPayData(int aIndex) const
{
    if (aIndex < 0 || static_cast<std::size_t>(aIndex) >= glPayData.size()) return -1;
    return glPayData[static_cast<std::size_t>(aIndex)].Code;
}

// ---- keyed look-ups ----------------------------------------------------------

const TUpjangData* TMasterStore::findUpjang(const std::string& aUpjangCode) const
{
    upjangByCode_.Ensure(glUpjangData, generation_[ilUpjang],
                         [](const TUpjangData& u) { return MasterKeyHash({u.UpjangCode}); });
    const int r = firstOf(upjangByCode_.Rows(MasterKeyHash({aUpjangCode})),
                          [&](int i) { return glUpjangData[static_cast<std::size_t>(i)].UpjangCode == aUpjangCode; });
    return r < 0 ? nullptr : &glUpjangData[static_cast<std::size_t>(r)];
}

const TCalendarData* TMasterStore::findCalendar(const std::string& aDate) const
{
    calendarByDate_.Ensure(glCalendarData, generation_[ilCalendar],
                           [](const TCalendarData& c) { return MasterKeyHash({c.Date}); });
    const int r = firstOf(calendarByDate_.Rows(MasterKeyHash({aDate})),
                          [&](int i) { return glCalendarData[static_cast<std::size_t>(i)].Date == aDate; });
    return r < 0 ? nullptr : &glCalendarData[static_cast<std::size_t>(r)];
}

std::string TMasterStore::saleDateOr(const std::string& aDate) const
{
    return aDate.size() == 8 ? aDate : context_.gsSaleDate;
}

Variant TMasterStore::GetUpjangData(const std::string& aUpjangCode, int aItem) const
{
    const TUpjangData* u = findUpjang(aUpjangCode);
    return u ? GetFieldValue(*u, aItem) : Variant();
}

std::string TMasterStore::GetUpjangName(const std::string& aUpjangCode) const
{
    if (const TUpjangData* u = findUpjang(aUpjangCode)) return u->UpjangName;
    if (!context_.gbOffLine) return server_.UpjangName(aUpjangCode).value_or(std::string());
    return {};
}

std::string TMasterStore::GetCommonData(const std::string& aHead, const std::string& aCode, int aItem) const
{
    commonByHeadCode_.Ensure(glCommonData, generation_[ilCommon],
                             [](const TCommonData& c) { return MasterKeyHash({c.Head, c.Code}); });
    const int r = firstOf(commonByHeadCode_.Rows(MasterKeyHash({aHead, aCode})), [&](int i) {
        const TCommonData& c = glCommonData[static_cast<std::size_t>(i)];
        return c.Head == aHead && c.Code == aCode;
    });
    if (r < 0) return {};
    return GetFieldValue(glCommonData[static_cast<std::size_t>(r)], aItem).asText();
}

Variant TMasterStore::GetGoodsData(const std::string& aUpjangCode, const std::string& aMenuCode,
                                   const std::string& aSeasonCode, const std::string& aBusinessGubun, int aItem) const
{
    goodsByKeys_.Ensure(glGoodsData, generation_[ilGoods], [](const TGoodsData& g) {
        return MasterKeyHash({g.UpjangCode, g.MenuCode, g.SeasonCode, g.BusinessGubun});
    });
    const int r =
        firstOf(goodsByKeys_.Rows(MasterKeyHash({aUpjangCode, aMenuCode, aSeasonCode, aBusinessGubun})), [&](int i) {
            const TGoodsData& g = glGoodsData[static_cast<std::size_t>(i)];
            return g.UpjangCode == aUpjangCode && g.MenuCode == aMenuCode && g.SeasonCode == aSeasonCode &&
                   g.BusinessGubun == aBusinessGubun;
        });
    if (r >= 0) return GetFieldValue(glGoodsData[static_cast<std::size_t>(r)], aItem);
    switch (aItem) {
    case GoodsItem::TaxYN: return Variant(true);
    case GoodsItem::SaleUnitAmt: return Variant(Currency(0));
    case GoodsItem::DCYN:
    case GoodsItem::OpenCodeYN:
    case GoodsItem::KitchenPrtYN: return Variant(false);
    default: return (aItem >= 0 && aItem < GoodsItem::Count) ? Variant(std::string()) : Variant();
    }
}

Variant TMasterStore::GetGoodsData(const std::string& aMenuCode, const std::string& aSeasonCode,
                                   const std::string& aBusinessGubun, int aItem) const
{
    return GetGoodsData(context_.gsUpjangCode, aMenuCode, aSeasonCode, aBusinessGubun, aItem);
}

Variant TMasterStore::GetGoodsData(const std::string& aMenuCode, int aItem) const
{
    static const std::string kNone;
    const std::string& season = glCalendarData.empty() ? kNone : glCalendarData.front().SeasonCode;
    const std::string& kind = glCalendarData.empty() ? kNone : glCalendarData.front().BusinessGubun;
    return GetGoodsData(context_.gsUpjangCode, aMenuCode, season, kind, aItem);
}

// Season and business-day kind of the business date. A goods row is held to
// them only when its own outlet says they matter (goodsRowPasses), so they are
// the calendar's values, not those of the outlet selling at the moment: a
// terminal that sells for an outlet with seasons from an outlet without them
// must still find that outlet's goods of the season.
std::pair<std::string, std::string> TMasterStore::saleDateSeason() const
{
    const TCalendarData* day = findCalendar(context_.gsSaleDate);
    if (!day) return {"1", "1"};
    return {day->SeasonCode, day->BusinessGubun};
}

// Each goods look-up first brings its index up to date; running them once at
// the end of a load builds the indexes there, so the cashier's first keypress
// after a download does not wait for them.
void TMasterStore::BuildGoodsIndexes() const
{
    std::string upjang, posNo;
    GetGoodsDataIndex(std::string(), std::string());
    GetGoodsDataIndex(std::string(), upjang, posNo);
    GetGoodsData(std::string(), std::string(), std::string(), std::string(), 0);
}

bool TMasterStore::goodsRowPasses(const TGoodsData& aRow, const TUpjangData* aOutlet, const std::string& aSeason,
                                  const std::string& aBusinessGubun) const
{
    if (aOutlet && aOutlet->SeasonCodeYN && aRow.SeasonCode != aSeason) return false;
    if (aOutlet && aOutlet->BusinessGubunYN && aRow.BusinessGubun != aBusinessGubun) return false;
    return true;
}

int TMasterStore::GetGoodsDataIndex(const std::string& aUpjangCode, const std::string& aMenuCode) const
{
    goodsByOutletMenu_.Ensure(glGoodsData, generation_[ilGoods],
                              [](const TGoodsData& g) { return MasterKeyHash({g.UpjangCode, g.MenuCode}); });
    const std::span<const int> rows = goodsByOutletMenu_.Rows(MasterKeyHash({aUpjangCode, aMenuCode}));
    if (rows.empty()) return -1;
    const TUpjangData* outlet = findUpjang(aUpjangCode);
    const auto [season, kind] = saleDateSeason();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        const TGoodsData& g = glGoodsData[static_cast<std::size_t>(*it)];
        if (g.UpjangCode == aUpjangCode && g.MenuCode == aMenuCode && goodsRowPasses(g, outlet, season, kind))
            return *it;
    }
    return -1;
}

int TMasterStore::GetGoodsDataIndex(const std::string& aMenuCode, std::string& aUpjangCode, std::string& aPosNo) const
{
    goodsByMenu_.Ensure(glGoodsData, generation_[ilGoods],
                        [](const TGoodsData& g) { return MasterKeyHash({g.MenuCode}); });
    const std::span<const int> rows = goodsByMenu_.Rows(MasterKeyHash({aMenuCode}));
    if (rows.empty()) return -1;
    const auto [season, kind] = saleDateSeason();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        const TGoodsData& g = glGoodsData[static_cast<std::size_t>(*it)];
        if (g.MenuCode != aMenuCode) continue;
        const TUpjangData* outlet = findUpjang(g.UpjangCode);
        if (!goodsRowPasses(g, outlet, season, kind)) continue;
        aUpjangCode = g.UpjangCode;
        aPosNo = outlet ? outlet->PosNo : std::string();
        return *it;
    }
    return -1;
}

std::string TMasterStore::GetSeasonCode(const std::string& aDate, const std::string& aUpjangCode) const
{
    const TUpjangData* outlet = findUpjang(aUpjangCode.empty() ? context_.gsUpjangCode : aUpjangCode);
    if (!outlet || !outlet->SeasonCodeYN) return "1";
    const TCalendarData* day = findCalendar(saleDateOr(aDate));
    return day ? day->SeasonCode : "1";
}

std::string TMasterStore::GetBusinessGubun(const std::string& aDate, const std::string& aUpjangCode) const
{
    const TUpjangData* outlet = findUpjang(aUpjangCode.empty() ? context_.gsUpjangCode : aUpjangCode);
    if (!outlet || !outlet->BusinessGubunYN) return "1";
    const TCalendarData* day = findCalendar(saleDateOr(aDate));
    return day ? day->BusinessGubun : "1";
}

std::string TMasterStore::GetSecretCode(const std::string& aDate) const
{
    const TCalendarData* day = findCalendar(saleDateOr(aDate));
    return day ? day->SecretCode : std::string();
}

Variant TMasterStore::GetEtcDCData(const std::string& aMemberNo, int aItem) const
{
    etcDCByMember_.Ensure(glEtcDCData, generation_[ilEtcDC],
                          [](const TEtcDCData& e) { return MasterKeyHash({e.MemberNo}); });
    const int r = firstOf(etcDCByMember_.Rows(MasterKeyHash({aMemberNo})),
                          [&](int i) { return glEtcDCData[static_cast<std::size_t>(i)].MemberNo == aMemberNo; });
    if (r < 0) return Variant(std::string());
    return GetFieldValue(glEtcDCData[static_cast<std::size_t>(r)], aItem);
}

// ---- reads -------------------------------------------------------------------

bool TMasterStore::ReadCashierData(bool aDownOnOffLine)
{
    glCashierData.clear();
    server_.ConnectDB();
    if (!context_.gbOffLine) {
        const auto rows = server_.ReadRows(TMasterRead::Cashier);
        if (!rows) return false;
        appendRows(glCashierData, *rows, TCashierData{});
        return true;
    }
    if (!aDownOnOffLine) return false;
    return LoadMirrorFile(TMirrorKind::Cashier);
}

bool TMasterStore::ReadCommonData(bool aDownOnOffLine)
{
    glCommonData.clear();
    changed(ilCommon);
    server_.ConnectDB();
    if (!context_.gbOffLine) {
        const auto rows = server_.ReadRows(TMasterRead::Common);
        if (!rows) return false;
        appendRows(glCommonData, *rows, TCommonData{});
        return true;
    }
    if (!aDownOnOffLine) return false;
    // Off line only the outlet-group codes are kept. The head is compared as
    // the parser reads it (without its quotes): every written head is quoted,
    // so comparing the raw first field would never match.
    return loadRecords(TMirrorKind::Common, glCommonData, context_.gsCommonSODGubunCode, true);
}

bool TMasterStore::ReadUpjangData(bool aDownOnOffLine)
{
    glUpjangData.clear();
    changed(ilUpjang);
    server_.ConnectDB();
    if (!context_.gbOffLine) {
        const auto rows = server_.ReadRows(TMasterRead::Upjang);
        if (!rows) return false;
        glUpjangData.reserve(rows->size());
        for (const auto& row : *rows) glUpjangData.push_back(MapReadUpjangRow(row));
        upjangComplete_ = false;
        return true;
    }
    if (!aDownOnOffLine) return false;
    return LoadMirrorFile(TMirrorKind::Upjang);
}

// ---- member and menu discounts -----------------------------------------------

bool TMasterStore::ReadDCMemberData(bool aClearAll)
{
    if (aClearAll) glDCMemberData.clear();
    else std::erase_if(glDCMemberData, [](const TDCMemberData& d) { return !d.MasterMemberYN; });
    server_.ConnectDB();
    if (context_.gbOffLine) return false;
    const auto rows = server_.ReadRows(TMasterRead::DCMember);
    if (!rows) return false;
    for (const auto& row : *rows) glDCMemberData.push_back(MapReadDCMemberRow(row, context_));
    return true;
}

void TMasterStore::AddDCMemberData(const std::vector<std::string>& aData)
{
    setFromValues(glDCMemberData.emplace_back(), aData, DCMemberItem::Count);
}

void TMasterStore::DeleteDCMemberData(int aIndex)
{
    if (aIndex >= 0 && static_cast<std::size_t>(aIndex) < glDCMemberData.size())
        glDCMemberData.erase(glDCMemberData.begin() + aIndex);
}

bool TMasterStore::ReadDCMenuData()
{
    glDCMenuData.clear();
    server_.ConnectDB();
    if (context_.gbOffLine) return false;
    const auto rows = server_.ReadRows(TMasterRead::DCMenu);
    if (!rows) return false;
    for (const auto& row : *rows) glDCMenuData.push_back(MapReadDCMenuRow(row));
    return true;
}

void TMasterStore::AddDCMenuData(const std::vector<std::string>& aData)
{
    setFromValues(glDCMenuData.emplace_back(), aData, DCMenuItem::Count);
}

void TMasterStore::DeleteDCMenuData(int aIndex)
{
    if (aIndex >= 0 && static_cast<std::size_t>(aIndex) < glDCMenuData.size())
        glDCMenuData.erase(glDCMenuData.begin() + aIndex);
}

// ---- held and table bills ------------------------------------------------------

bool TMasterStore::AddWaitData(const std::vector<std::string>& aData)
{
    if (glWaitData.size() >= kMaxWaitBills) {
        dialogs_.ErrBox(kWaitLimitMessage, true);
        return false;
    }
    setFromValues(glWaitData.emplace_back(), aData, WaitItem::LockerNo + 1);  // values 0-8; OrderYN stays false
    return true;
}

void TMasterStore::AddWaitListData(const std::vector<std::string>& aData)
{
    setFromValues(glWaitListData.emplace_back(), aData, WaitListItem::Count);
}

void TMasterStore::AddWaitDCMemberData(const std::vector<std::string>& aData)
{
    setFromValues(glWaitDCMemberData.emplace_back(), aData, WaitDCMemberItem::Count);
}

void TMasterStore::AddWaitDCMenuData(const std::vector<std::string>& aData)
{
    setFromValues(glWaitDCMenuData.emplace_back(), aData, WaitDCMenuItem::Count);
}

void TMasterStore::DeleteWaitData(int n)
{
    if (n >= 1 && static_cast<std::size_t>(n) <= glWaitData.size()) glWaitData.erase(glWaitData.begin() + (n - 1));
    auto dropAndRenumber = [n](auto& aList) {
        std::erase_if(aList, [n](const auto& r) { return r.WaitNo == n; });
        for (auto& r : aList)
            if (r.WaitNo > n) --r.WaitNo;
    };
    dropAndRenumber(glWaitListData);
    dropAndRenumber(glWaitDCMemberData);
    dropAndRenumber(glWaitDCMenuData);
    for (auto& w : glWaitData)
        if (w.WaitNo > n) --w.WaitNo;
}

void TMasterStore::ClearWaitData()
{
    glWaitData.clear();
    glWaitListData.clear();
    glWaitDCMemberData.clear();
    glWaitDCMenuData.clear();
}

void TMasterStore::AddTableData(const std::vector<std::string>& aData)
{
    setFromValues(glTableData.emplace_back(), aData, WaitItem::Count);
}

void TMasterStore::ClearTableData() { glTableData.clear(); }

// ---- mirror files --------------------------------------------------------------

std::string TMasterStore::mirrorPath(TMirrorKind aKind) const
{
    return (std::filesystem::path(context_.gsFolder) / std::string(MirrorFileName(aKind))).string();
}

void TMasterStore::addProblems(std::vector<TMirrorProblem>&& aProblems)
{
    for (auto& p : aProblems) {
        if (LogProblem) LogProblem(p);
        MirrorProblems.push_back(std::move(p));
    }
}

// Replaces aList with the file's records. The records already in the list
// are reused in place (their strings keep their buffers), so a reload neither
// frees nor allocates what it does not have to; every item of a reused record
// is either set from the line or put back to its default.
template <class R>
bool TMasterStore::loadRecords(TMirrorKind aKind, std::vector<R>& aList, std::string_view aOnlyHead, bool aFilterHead)
{
    const std::optional<std::string> bytes = ReadWholeFile(mirrorPath(aKind));
    if (!bytes) {
        aList.clear();
        return false;
    }
    R fresh;
    if constexpr (std::is_same_v<R, TMenuData>) fresh = defaultMenu();
    std::vector<TMirrorProblem> problems;
    if (!aFilterHead) aList.reserve(TMirrorReader::CountLines(*bytes));
    TMirrorReader reader(*bytes, std::string(MirrorFileName(aKind)), FieldCountOf<R>(), &problems);
    std::size_t used = 0;
    while (reader.Next()) {
        const int count = std::min(reader.FieldCount(), FieldCountOf<R>());
        if (aFilterHead && (count < 1 || reader.Piece(0).Text != aOnlyHead)) continue;
        const bool reused = used < aList.size();
        R& record = reused ? aList[used] : aList.emplace_back();
        ++used;
        if constexpr (std::is_same_v<R, TMenuData>)
            if (!reused) record.DaesoCode = fresh.DaesoCode;
        for (int i = 0; i < FieldCountOf<R>(); ++i) {
            TMirrorPiece* piece = i < count ? &reader.Piece(i) : nullptr;
            if (!piece || !piece->Present) {
                if (reused) CopyField(record, fresh, i);
            } else if (piece->Owned) {
                SetFieldText(record, i, std::move(*piece->Owned));
            } else {
                SetFieldText(record, i, piece->Text);
            }
        }
    }
    aList.erase(aList.begin() + static_cast<std::ptrdiff_t>(used), aList.end());
    addProblems(std::move(problems));
    return true;
}

bool TMasterStore::LoadMirrorFile(TMirrorKind aKind)
{
    switch (aKind) {
    case TMirrorKind::Cashier: {
        const bool ok = loadRecords(aKind, glCashierData);
        if (UnscramblePassword)
            for (auto& c : glCashierData) c.Password = UnscramblePassword(c.Password);
        return ok;
    }
    case TMirrorKind::Common: changed(ilCommon); return loadRecords(aKind, glCommonData);
    case TMirrorKind::Upjang:
        changed(ilUpjang);
        upjangComplete_ = true;
        return loadRecords(aKind, glUpjangData);
    case TMirrorKind::Goods: {
        changed(ilGoods);
        const bool ok = loadRecords(aKind, glGoodsData);
        BuildGoodsIndexes();
        return ok;
    }
    case TMirrorKind::MenuGroup: return loadRecords(aKind, glMenuGroupData);
    case TMirrorKind::MenuSub: return loadRecords(aKind, glMenuSubGroupData);
    case TMirrorKind::Menu: return loadRecords(aKind, glMenuData);
    case TMirrorKind::Calendar: changed(ilCalendar); return loadRecords(aKind, glCalendarData);
    case TMirrorKind::DC: return loadRecords(aKind, glDCData);
    case TMirrorKind::EtcDC: changed(ilEtcDC); return loadRecords(aKind, glEtcDCData);
    case TMirrorKind::Pay: {
        glPayData.clear();
        const auto bytes = ReadWholeFile(mirrorPath(aKind));
        if (!bytes) return false;
        std::vector<TMirrorProblem> problems;
        for (auto& e : ParsePayFile(*bytes, &problems)) glPayData.push_back({std::move(e.Name), e.Code});
        addProblems(std::move(problems));
        return true;
    }
    case TMirrorKind::Company: {
        const auto bytes = ReadWholeFile(mirrorPath(aKind));
        if (!bytes) return false;
        std::vector<TMirrorProblem> problems;
        auto f = ParseCompanyFile(*bytes, &problems);
        TTerminalContext& c = context_;
        c.gsSaupName = f[0], c.gsCEOName = f[1], c.gsCEOEngName = f[2], c.gsAddress = f[3];
        c.gsAddressEng = f[4], c.gsTel = f[5], c.gsFax = f[6], c.gsSaupNo = f[7];
        addProblems(std::move(problems));
        return true;
    }
    }
    return false;
}

void TMasterStore::FillFromServerRows(TMirrorKind aKind, const TMirrorRows& aRows)
{
    auto fill = [&](auto& aList, const auto& aProto) {
        aList.clear();
        appendRows(aList, aRows, aProto);
    };
    switch (aKind) {
    case TMirrorKind::Cashier: fill(glCashierData, TCashierData{}); break;
    case TMirrorKind::Common: fill(glCommonData, TCommonData{}); changed(ilCommon); break;
    case TMirrorKind::Upjang:
        fill(glUpjangData, TUpjangData{});
        changed(ilUpjang);
        upjangComplete_ = true;
        break;
    case TMirrorKind::Goods:
        fill(glGoodsData, TGoodsData{});
        changed(ilGoods);
        BuildGoodsIndexes();
        break;
    case TMirrorKind::MenuGroup: fill(glMenuGroupData, TMenuGroupData{}); break;
    case TMirrorKind::MenuSub: fill(glMenuSubGroupData, TMenuSubGroupData{}); break;
    case TMirrorKind::Menu: fill(glMenuData, defaultMenu()); break;
    case TMirrorKind::Calendar: fill(glCalendarData, TCalendarData{}); changed(ilCalendar); break;
    case TMirrorKind::DC: fill(glDCData, TDCData{}); break;
    case TMirrorKind::EtcDC: fill(glEtcDCData, TEtcDCData{}); changed(ilEtcDC); break;
    case TMirrorKind::Pay:
        glPayData.clear();
        for (const auto& row : aRows) glPayData.push_back({column(row, 1), StringToInteger(column(row, 0))});
        break;
    case TMirrorKind::Company:
        if (!aRows.empty()) {
            const auto& r = aRows.front();
            TTerminalContext& c = context_;
            c.gsSaupName = column(r, 0), c.gsCEOName = column(r, 1), c.gsCEOEngName = column(r, 2);
            c.gsAddress = column(r, 3), c.gsAddressEng = column(r, 4), c.gsTel = column(r, 5);
            c.gsFax = column(r, 6), c.gsSaupNo = column(r, 7);
        }
        break;
    }
}

bool TMasterStore::WriteMirrorRows(TMirrorKind aKind, const TMirrorRows& aRows, std::string* aError)
{
    std::vector<TMirrorProblem> problems;
    const bool ok =
        WriteMirrorFile(std::filesystem::path(context_.gsFolder), aKind, aRows, ScramblePassword, &problems, aError);
    addProblems(std::move(problems));
    return ok;
}

bool TMasterStore::SaveMirrorFile(TMirrorKind aKind, std::string* aError)
{
    return WriteMirrorRows(aKind, ListAsServerRows(aKind), aError);
}

TMirrorRows TMasterStore::ListAsServerRows(TMirrorKind aKind) const
{
    switch (aKind) {
    case TMirrorKind::Cashier: return rowsOf(glCashierData);
    case TMirrorKind::Common: return rowsOf(glCommonData);
    case TMirrorKind::Upjang: return rowsOf(glUpjangData);
    case TMirrorKind::Goods: return rowsOf(glGoodsData);
    case TMirrorKind::MenuGroup: return rowsOf(glMenuGroupData);
    case TMirrorKind::MenuSub: return rowsOf(glMenuSubGroupData);
    case TMirrorKind::Menu: return rowsOf(glMenuData);
    case TMirrorKind::Calendar: return rowsOf(glCalendarData);
    case TMirrorKind::DC: return rowsOf(glDCData);
    case TMirrorKind::EtcDC: return rowsOf(glEtcDCData);
    case TMirrorKind::Pay: {
        TMirrorRows rows;
        for (const auto& p : glPayData) rows.push_back({std::to_string(p.Code), p.Name});
        return rows;
    }
    case TMirrorKind::Company: {
        const TTerminalContext& c = context_;
        return {{c.gsSaupName, c.gsCEOName, c.gsCEOEngName, c.gsAddress, c.gsAddressEng, c.gsTel, c.gsFax, c.gsSaupNo}};
    }
    }
    return {};
}

}  // namespace pos
