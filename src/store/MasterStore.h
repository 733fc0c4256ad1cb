#pragma once
// The local master-data store (module IZC002): the process-wide
// master lists, their mirror files, the accessors by row and item number, the
// keyed look-ups with their tie-breaks, the calendar rules and the in-memory
// lists of member discounts and of held and table bills.
//
// Indexes. The keyed look-ups (goods by outlet/menu/season/business day,
// outlets by code, common codes by head and code, calendar by date, partner
// discounts by member number) use lazily built indexes that keep the
// tie-breaks of a plain scan (first match, or last passing row). Every Add,
// Set, Read, Load, Fill, Delete and Clear operation of the store marks them
// stale, and a look-up also notices on its own when a list changed its size or
// buffer (push_back, erase, clear-and-refill of a different size, assignment).
// The lists are public because the system names them; code that changes a
// KEY FIELD of a record in place (glGoodsData[i].MenuCode = ...) or refills a
// list to the same size without reallocating must call InvalidateIndexes()
// afterwards. Even a stale index never returns a row whose key does not match
// (each candidate row is checked); it can only miss a row.
//
// On-line reads. The server branch of ReadCashierData, ReadCommonData,
// ReadUpjangData, ReadDCMemberData, ReadDCMenuData and GetUpjangName goes
// through the server the store is made with (the statements are those of the
// master-data download); off line the mirror-file branch runs.
//
// All operations run on the user-interface thread; the store is not
// synchronised.

#include "core/DialogService.h"
#include "core/TerminalContext.h"
#include "core/Variant.h"
#include "store/MasterIndex.h"
#include "store/MasterRecords.h"
#include "store/MirrorFile.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pos {

// Which on-line read a server row request is for (statements of the master-data download).
enum class TMasterRead {
    Cashier,   // "IAB030-DownloadCashier": 6 columns of TCashierData
    Common,    // "IZC002-ReadCommonData": 18 columns of TCommonData
    Upjang,    // "IZC002-ReadUpjangData": code, POS, name, type, group (MapReadUpjangRow)
    DCMember,  // "IZC002-ReadDCMemberData" (MapReadDCMemberRow)
    DCMenu,    // "IZC002-ReadDCMenuData" (MapReadDCMenuRow)
};

// The server behind the store's on-line reads. The database layer provides
// it (sync/MasterServer.h); a store without a server says so with
// TNoMasterServer.
class TMasterServer {
public:
    virtual ~TMasterServer() = default;
    // ConnectDB of the data module: opens the connection when needed; may
    // switch the context off line. Called first by every read.
    virtual bool ConnectDB() = 0;
    // The rows of the read's statement as text; nullopt when it failed (the
    // read then returns false).
    virtual std::optional<TMirrorRows> ReadRows(TMasterRead aRead) = 0;
    // "IZC002-GetUpjangName": the outlet's name on the server; nullopt when none.
    virtual std::optional<std::string> UpjangName(const std::string& aUpjangCode) = 0;
};

// The server of a store that has none (a tool, a scratch store of the
// download, a test of the files): nothing connects, every on-line read fails.
class TNoMasterServer final : public TMasterServer {
public:
    bool ConnectDB() override { return false; }
    std::optional<TMirrorRows> ReadRows(TMasterRead) override { return std::nullopt; }
    std::optional<std::string> UpjangName(const std::string&) override { return std::nullopt; }
};

// One row of "IZC002-ReadUpjangData" as an outlet record: column 0 UpjangCode,
// 1 PosNo, 2 UpjangName, 3 UpjangType (item 4), 4 SodGubunCode (item 5); all
// other items keep their defaults. (Filling "the first five items" would put the
// outlet type into the English name and the group into the type.)
TUpjangData MapReadUpjangRow(const std::vector<std::string>& aRow);
// One row of "IZC002-ReadDCMemberData": columns 0-9 to items 0-9
// (2 integer); DCRate = column 10, never signed by the bill; 11-13 integers;
// 14 Remark; KeyInYN = column 15 is "Y"; DCYN = columns 13 and 12 both
// non-zero; MasterMemberYN = AcceptMemberNo begins with a non-empty
// gsMasterMemberNo.
TDCMemberData MapReadDCMemberRow(const std::vector<std::string>& aRow, const TTerminalContext& aContext);
// One row of "IZC002-ReadDCMenuData": 17 columns in item order.
TDCMenuData MapReadDCMenuRow(const std::vector<std::string>& aRow);

class TMasterStore {
public:
    TMasterStore(TTerminalContext& aContext, DialogService& aDialogs, TMasterServer& aServer);

    // The lists, named as the system names them.
    std::vector<TCashierData> glCashierData;
    std::vector<TCommonData> glCommonData;
    std::vector<TUpjangData> glUpjangData;
    std::vector<TGoodsData> glGoodsData;
    std::vector<TMenuGroupData> glMenuGroupData;
    std::vector<TMenuSubGroupData> glMenuSubGroupData;
    std::vector<TMenuData> glMenuData;
    std::vector<TPayData> glPayData;
    std::vector<TCalendarData> glCalendarData;
    std::vector<TDCData> glDCData;
    std::vector<TEtcDCData> glEtcDCData;
    std::vector<TDCMemberData> glDCMemberData;
    std::vector<TDCMenuData> glDCMenuData;
    std::vector<TWaitData> glWaitData;
    std::vector<TWaitListData> glWaitListData;
    std::vector<TWaitDCMemberData> glWaitDCMemberData;
    std::vector<TWaitDCMenuData> glWaitDCMenuData;
    std::vector<TWaitData> glTableData;

    // Hooks. The password hooks are identity when empty; the login area
    // installs KeepOnlyPasswordHash as both (Password.h), so only a password
    // hash reaches "Cashier.dat" or comes back from it.
    TPasswordHook ScramblePassword;
    TPasswordHook UnscramblePassword;
    // Every problem found in a mirror file goes to MirrorProblems and, when
    // set, to this hook (the day log). Messages never hold passwords.
    std::function<void(const TMirrorProblem&)> LogProblem;
    std::vector<TMirrorProblem> MirrorProblems;

    // Marks every index stale (see the header comment).
    void InvalidateIndexes();
    // Builds the goods indexes now (a load does this at its end).
    void BuildGoodsIndexes() const;

    // ---- row accessors: Add appends a default record and returns its row;
    // Set converts text like the file parser (out-of-range rows/items are
    // ignored); Get returns the item as a variant (empty out of range).
    int AddCashierData();
    void SetCashierData(int aIndex, int aItem, std::string_view aData);
    Variant GetCashierData(int aIndex, int aItem) const;

    int AddCommonData();
    void SetCommonData(int aIndex, int aItem, std::string_view aData);
    Variant GetCommonData(int aIndex, int aItem) const;

    int AddUpjangData();
    void SetUpjangData(int aIndex, int aItem, std::string_view aData);
    Variant GetUpjangData(int aIndex, int aItem) const;

    int AddGoodsData();
    void SetGoodsData(int aIndex, int aItem, std::string_view aData);
    Variant GetGoodsData(int aIndex, int aItem) const;

    int AddMenuGroupData();
    void SetMenuGroupData(int aIndex, int aItem, std::string_view aData);
    Variant GetMenuGroupData(int aIndex, int aItem) const;

    int AddMenuSubGroupData();
    void SetMenuSubGroupData(int aIndex, int aItem, std::string_view aData);
    Variant GetMenuSubGroupData(int aIndex, int aItem) const;

    int AddMenuData();  // DaesoCode starts as gsDaesoCodeAll
    void SetMenuData(int aIndex, int aItem, std::string_view aData);
    Variant GetMenuData(int aIndex, int aItem) const;

    int AddCalendarData();
    void SetCalendarData(int aIndex, int aItem, std::string_view aData);
    Variant GetCalendarData(int aIndex, int aItem) const;

    int AddDCData();
    void SetDCData(int aIndex, int aItem, std::string_view aData);
    Variant GetDCData(int aIndex, int aItem) const;

    int AddEtcDCData();
    void SetEtcDCData(int aIndex, int aItem, std::string_view aData);
    Variant GetEtcDCData(int aIndex, int aItem) const;

    void SetDCMemberData(int aIndex, int aItem, std::string_view aData);
    Variant GetDCMemberData(int aIndex, int aItem) const;
    Variant GetDCMenuData(int aIndex, int aItem) const;
    Variant GetWaitData(int aIndex, int aItem) const;
    Variant GetWaitListData(int aIndex, int aItem) const;
    Variant GetWaitDCMemberData(int aIndex, int aItem) const;
    Variant GetWaitDCMenuData(int aIndex, int aItem) const;
    Variant GetTableData(int aIndex, int aItem) const;

    // Tender list: appends a tender; the code of entry aIndex (-1 out of range).
    void AddPayData(const std::string& aName, std::int64_t aCode);
    std::int64_t GetPayData(int aIndex) const;

    // ---- keyed look-ups
    // Item of the first outlet with that code; empty Variant when none.
    // (GetUpjangData(0, aItem) is the row accessor: the first outlet.)
    Variant GetUpjangData(const std::string& aUpjangCode, int aItem) const;
    // Name of the first outlet with that code; when there is none, the
    // server's name while on line, else empty.
    std::string GetUpjangName(const std::string& aUpjangCode) const;
    // Item of the first common code with that head and code; empty when none.
    std::string GetCommonData(const std::string& aHead, const std::string& aCode, int aItem) const;
    // Item of the first goods record with all four keys; when none: true for
    // item 7 (TaxYN), amount 0 for item 9, false for items 14, 16, 17, empty
    // text for the others.
    Variant GetGoodsData(const std::string& aUpjangCode, const std::string& aMenuCode, const std::string& aSeasonCode,
                         const std::string& aBusinessGubun, int aItem) const;
    // The same at gsUpjangCode.
    Variant GetGoodsData(const std::string& aMenuCode, const std::string& aSeasonCode,
                         const std::string& aBusinessGubun, int aItem) const;
    // The same with the season and business-day kind of the first calendar row.
    Variant GetGoodsData(const std::string& aMenuCode, int aItem) const;
    // Row of the goods record valid at gsSaleDate for that outlet and menu:
    // the LAST row (list order) with that outlet and menu code whose season
    // matches GetSeasonCode(gsSaleDate, gsUpjangCode) unless the outlet
    // aUpjangCode has SeasonCodeYN false, and whose business-day kind matches
    // GetBusinessGubun(gsSaleDate, gsUpjangCode) unless the outlet has
    // BusinessGubunYN false. -1 when none.
    int GetGoodsDataIndex(const std::string& aUpjangCode, const std::string& aMenuCode) const;
    // The same for a menu code in any outlet: each row is tested against the
    // flags of ITS OWN outlet (as the first form would test it for that
    // outlet), and the last passing row decides; aUpjangCode becomes that
    // row's outlet and aPosNo that outlet's PosNo. -1 (arguments untouched)
    // when none. (The old scan used the flags of whatever outlet aUpjangCode
    // held at that moment, so the result depended on row order.)
    int GetGoodsDataIndex(const std::string& aMenuCode, std::string& aUpjangCode, std::string& aPosNo) const;
    // Season code / business-day kind of a date (gsSaleDate unless 8 bytes)
    // for an outlet (gsUpjangCode when empty): "1" when the outlet's flag is
    // false or the calendar has no row for the date.
    std::string GetSeasonCode(const std::string& aDate, const std::string& aUpjangCode) const;
    std::string GetBusinessGubun(const std::string& aDate, const std::string& aUpjangCode) const;
    // SecretCode of the first calendar row of the date (gsSaleDate unless 8 bytes).
    std::string GetSecretCode(const std::string& aDate) const;
    // Item of the first partner discount with that member number; empty text when none.
    Variant GetEtcDCData(const std::string& aMemberNo, int aItem) const;

    // ---- reads at start-up and login
    // Empties the list; on line fills it from the server (hooks); off line
    // with aDownOnOffLine loads the mirror file (cashier passwords are then
    // unscrambled; common codes keep only the head gsCommonSODGubunCode).
    bool ReadCashierData(bool aDownOnOffLine);
    bool ReadCommonData(bool aDownOnOffLine);
    bool ReadUpjangData(bool aDownOnOffLine);
    // True when the outlet records are whole (from the mirror file or the
    // download); the on-line read at start-up brings only five items of each.
    bool UpjangRecordsComplete() const { return upjangComplete_; }

    // ---- member and menu discounts of the bill
    // aClearAll empties the list, otherwise only rows with MasterMemberYN
    // false go; on line the server's rows are appended (true); off line false.
    bool ReadDCMemberData(bool aClearAll);
    void AddDCMemberData(const std::vector<std::string>& aData);  // 18 values, item order
    void DeleteDCMemberData(int aIndex);
    // Empties the list; on line fills it with the server's rows (true); off
    // line false. The server holds every menu discount of the bill, so a
    // read replaces what an earlier one brought.
    bool ReadDCMenuData();
    void AddDCMenuData(const std::vector<std::string>& aData);  // 17 values
    void DeleteDCMenuData(int aIndex);

    // ---- held and table bills
    // Appends a held bill from values 0-8 (OrderYN stays false); refused with
    // the 25-bill message (ErrBox with beep) when 25 are held.
    bool AddWaitData(const std::vector<std::string>& aData);
    void AddWaitListData(const std::vector<std::string>& aData);      // 11 values
    void AddWaitDCMemberData(const std::vector<std::string>& aData);  // 19 values
    void AddWaitDCMenuData(const std::vector<std::string>& aData);    // 18 values
    // Removes held bill n (1-based) with its lines and discounts and
    // renumbers the later bills so they stay 1, 2, 3 ...
    void DeleteWaitData(int n);
    void ClearWaitData();
    void AddTableData(const std::vector<std::string>& aData);  // 10 values
    void ClearTableData();

    // ---- mirror files (folder gsFolder)
    // Replaces the list of that kind with the file's records (the company
    // header goes into the context, "Pay.dat" into glPayData). False when the
    // file does not exist (the list is then empty). Problems are reported.
    bool LoadMirrorFile(TMirrorKind aKind);
    // Replaces the list of that kind from server rows (column order of Part
    // 2.4; Pay rows are [code, name], Company one row of eight fields).
    void FillFromServerRows(TMirrorKind aKind, const TMirrorRows& aRows);
    // Writes server rows as the mirror file of that kind (cashier passwords
    // through ScramblePassword).
    bool WriteMirrorRows(TMirrorKind aKind, const TMirrorRows& aRows, std::string* aError = nullptr);
    // Writes the in-memory list of that kind as its mirror file, e.g. the
    // cashier file after a password change.
    bool SaveMirrorFile(TMirrorKind aKind, std::string* aError = nullptr);
    // The list of that kind as server rows (for SaveMirrorFile).
    TMirrorRows ListAsServerRows(TMirrorKind aKind) const;

private:
    template <class R>
    bool loadRecords(TMirrorKind aKind, std::vector<R>& aList, std::string_view aOnlyHead = {}, bool aFilterHead = false);
    void addProblems(std::vector<TMirrorProblem>&& aProblems);
    // Change counters of the indexed lists (a Set bumps them only for key items).
    enum TIndexedList { ilGoods, ilUpjang, ilCommon, ilCalendar, ilEtcDC, ilCount };
    void changed(TIndexedList aList) { ++generation_[aList]; }
    std::string mirrorPath(TMirrorKind aKind) const;
    TMenuData defaultMenu() const;

    const TUpjangData* findUpjang(const std::string& aUpjangCode) const;
    const TCalendarData* findCalendar(const std::string& aDate) const;
    std::pair<std::string, std::string> saleDateSeason() const;
    bool goodsRowPasses(const TGoodsData& aRow, const TUpjangData* aOutlet, const std::string& aSeason,
                        const std::string& aBusinessGubun) const;
    std::string saleDateOr(const std::string& aDate) const;

    TTerminalContext& context_;
    DialogService& dialogs_;
    TMasterServer& server_;
    bool upjangComplete_ = false;

    std::uint64_t generation_[ilCount] = {1, 1, 1, 1, 1};
    mutable TMasterIndex goodsByOutletMenu_;
    mutable TMasterIndex goodsByKeys_;
    mutable TMasterIndex goodsByMenu_;
    mutable TMasterIndex upjangByCode_;
    mutable TMasterIndex commonByHeadCode_;
    mutable TMasterIndex calendarByDate_;
    mutable TMasterIndex etcDCByMember_;
};

}  // namespace pos
