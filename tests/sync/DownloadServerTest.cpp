// The master-data download and the store's on-line reads against a real
// PostgreSQL server loaded with the demo resort (db/demo, the files of the
// master data).

#include "ServerTerminal.h"
#include "core/DateHelpers.h"
#include "sync/Download.h"
#include "sync/MasterServer.h"
#include "sync/OffLineQueue.h"
#include "db/SqlParams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <unistd.h>

namespace pos::test {
namespace {

namespace fs = std::filesystem;

class DownloadServerTest : public ServerTerminal {
protected:
    DownloadServerTest()
    {
        // The demo resort's master data (the guest look-up files after them
        // need tables of their own and are not loaded here).
        LoadDemoMasterData(db);
        ctx.gsToday = "20240105";
        useTerminal("3101", "01");
        // A reversible stand-in for the cashier-file scramble.
        store.ScramblePassword = [](const std::string& p) { return "~" + std::string(p.rbegin(), p.rend()); };
        store.UnscramblePassword = [](const std::string& p) { return std::string(p.rbegin(), p.rend() - 1); };
    }

    void useTerminal(const std::string& aUpjang, const std::string& aPos)
    {
        ctx.gsMasterUpjangCode = ctx.gsUpjangCode = aUpjang;
        ctx.gsMasterPosNo = ctx.gsPosNo = aPos;
        ctx.gbVessa = ctx.IsVessaUpjang(aUpjang);
    }

    TDownloadResult run(bool aOnOffLine = true, bool aSave = true)
    {
        TDataDownload down(*data, store);
        down.isDownOnOffLine = aOnOffLine;
        down.isSaveSamFile = aSave;
        down.OnProgress = [this](TDownloadGauge g, std::int64_t c, std::int64_t t) {
            last[static_cast<std::size_t>(g)] = {c, t};
        };
        return down.Run();
    }

    std::string file(const std::string& aName) const { return ReadWholeFile(dir / aName).value_or("<none>"); }

    TNoMasterServer storeServer;
    TMasterStore store{ctx, dialogs, storeServer};
    std::array<std::pair<std::int64_t, std::int64_t>, 9> last{};
};

TEST_F(DownloadServerTest, OnLineFillsEveryListAndWritesTheMirrorFiles)
{
    const TDownloadResult result = run();
    ASSERT_TRUE(result.Completed) << result.Reason;

    // The terminal's own outlet first, then the bar it sells for under POS 11.
    ASSERT_EQ(store.glUpjangData.size(), 2u);
    EXPECT_EQ(store.glUpjangData[0].UpjangCode, "3101");
    EXPECT_EQ(store.glUpjangData[0].PosNo, "01");
    EXPECT_TRUE(store.glUpjangData[0].OffLineYN);
    EXPECT_EQ(store.glUpjangData[0].FirstFormCode, "2");
    EXPECT_EQ(store.glUpjangData[1].UpjangCode, "3102");
    EXPECT_EQ(store.glUpjangData[1].PosNo, "11");

    EXPECT_EQ(store.glCashierData.size(), 3u);
    EXPECT_EQ(static_cast<int>(store.glCommonData.size()), count("SELECT count(*) FROM common_code"));
    EXPECT_EQ(static_cast<int>(store.glGoodsData.size()),
              count("SELECT count(*) FROM goods WHERE upjang_code IN ('3101', '3102')"));
    EXPECT_EQ(store.GetGoodsData("3101", "31010001", "1", "1", 9).asAmount(), Currency(28000));
    EXPECT_EQ(static_cast<int>(store.glMenuData.size()), count("SELECT count(*) FROM menu WHERE upjang_code IN ('3101', '3102')"));
    EXPECT_TRUE(store.glMenuSubGroupData.empty());
    EXPECT_EQ(store.glPayData.front().Code, 110);
    EXPECT_EQ(store.glPayData.front().Name, "현금");
    EXPECT_FALSE(store.GetSecretCode(GetSysDate()).empty());
    EXPECT_FALSE(store.glDCData.empty());
    EXPECT_EQ(store.glEtcDCData.size(), 1u);
    EXPECT_EQ(ctx.gsSaupName, "(주)솔바람리조트");

    // Gauges end at their totals; the files hold one line per record.
    for (std::size_t g = 0; g < 9; ++g) EXPECT_EQ(last[g].first, last[g].second) << DownloadGaugeCaption(TDownloadGauge(g));
    EXPECT_EQ(last[static_cast<std::size_t>(TDownloadGauge::Goods)].second, static_cast<std::int64_t>(store.glGoodsData.size()));
    EXPECT_EQ(CountMirrorLines(dir / "Goods.dat"), static_cast<std::int64_t>(store.glGoodsData.size()));
    EXPECT_EQ(CountMirrorLines(dir / "Menu.dat"), static_cast<std::int64_t>(store.glMenuData.size()));
    EXPECT_NE(FromCp949(file("Goods.dat")).find("'한우 불고기 정식'"), std::string::npos);
    // The server keeps a hash (never the clear password); the file holds it
    // through the store's scramble hook.
    const std::string stored = db.query("SELECT password FROM cashier WHERE emp_no = '1001'");
    EXPECT_NE(file("Cashier.dat").find("'~" + std::string(stored.rbegin(), stored.rend()) + "'"), std::string::npos);
    EXPECT_EQ(file("Cashier.dat").find("'1001'\t'김"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "MenuSub.dat"));

    // The files are byte for byte what the store's own writer makes of the rows.
    for (const auto& [key, kind] : {std::pair{"IAB030-DownloadGoods", TMirrorKind::Goods},
                                    std::pair{"IAB030-DownloadCashier", TMirrorKind::Cashier},
                                    std::pair{"IAB030-DownloadUpjang", TMirrorKind::Upjang}}) {
        TDbQuery query(*data);
        query.SetSQL(key);
        for (int p = 0; p < 4; ++p) query.SetParam(p, std::vector<std::string>{"3101", "01", "Y", "N"}[static_cast<std::size_t>(p)]);
        const auto rows = ReadStatementRows(*data, query, MirrorFieldCount(kind));
        ASSERT_TRUE(rows.has_value()) << key;
        EXPECT_EQ(file(std::string(MirrorFileName(kind))), BuildMirrorBytes(kind, *rows, store.ScramblePassword)) << key;
    }
}

TEST_F(DownloadServerTest, OffLineReloadsTheSameListsFromTheMirrorFiles)
{
    ASSERT_TRUE(run().Completed);
    const auto goods = store.ListAsServerRows(TMirrorKind::Goods);
    const auto cashiers = store.glCashierData;
    const auto pays = store.ListAsServerRows(TMirrorKind::Pay);
    TNoMasterServer freshServer;
    TMasterStore fresh(ctx, dialogs, freshServer);
    fresh.UnscramblePassword = store.UnscramblePassword;
    ctx.gbOffLine = true;
    ctx.gsSaupName.clear();

    TDataDownload down(*data, fresh);
    const TDownloadResult result = down.Run();
    ASSERT_TRUE(result.Completed) << result.Reason;
    EXPECT_EQ(fresh.ListAsServerRows(TMirrorKind::Goods), goods);
    EXPECT_EQ(fresh.ListAsServerRows(TMirrorKind::Pay), pays);
    ASSERT_EQ(fresh.glCashierData.size(), cashiers.size());
    EXPECT_EQ(fresh.glCashierData[0].Password, cashiers[0].Password);
    EXPECT_EQ(ctx.gsSaupName, "(주)솔바람리조트");
    EXPECT_EQ(down.Total(TDownloadGauge::DC), CountMirrorLines(dir / "DC.dat"));
    EXPECT_TRUE(fresh.MirrorProblems.empty());
}

TEST_F(DownloadServerTest, AGoodsStepThatFailsKeepsTheOldGoodsAndFile)
{
    ASSERT_TRUE(run().Completed);
    const auto goods = store.ListAsServerRows(TMirrorKind::Goods);
    const std::string goodsFile = file("Goods.dat");
    const auto menus = store.ListAsServerRows(TMirrorKind::Menu);

    // Cashiers change on the server; goods fail in the middle of the rows.
    db.query("UPDATE cashier SET emp_name = '김하늘2' WHERE emp_no = '1001'");
    db.query("ALTER TABLE goods RENAME TO goods_t");
    db.query("CREATE VIEW goods AS SELECT upjang_code, menu_code, season_code, business_gubun, "
             "CASE WHEN menu_code = '31010101' THEN (1 / 0)::text ELSE menu_name END AS menu_name, "
             "menu_eng_name, menu_gubun, tax_yn, tax_calcu_code, sale_unit_amt, ticket_kind, daeso_code, "
             "disp_time_from, disp_time_to, dc_yn, dc_calcu_code, open_code_yn, kitchen_prt_yn, ticket_type, "
             "cook_method, set_menu1, set_menu2, set_menu3, set_menu4, set_menu5, type_code1, type_code2, "
             "type_code3, use_yn FROM goods_t");
    db.query("UPDATE goods_t SET sale_unit_amt = 0");

    const TDownloadResult result = run();
    EXPECT_FALSE(result.Completed);
    EXPECT_EQ(result.StoppedAt, TDownloadStep::Goods);
    EXPECT_NE(result.Reason.find("22012"), std::string::npos) << result.Reason;
    EXPECT_EQ(store.ListAsServerRows(TMirrorKind::Goods), goods);
    EXPECT_EQ(file("Goods.dat"), goodsFile);
    EXPECT_EQ(store.GetGoodsData("3101", "31010001", "1", "1", 9).asAmount(), Currency(28000));
    EXPECT_EQ(store.ListAsServerRows(TMirrorKind::Menu), menus);        // later steps did not run
    EXPECT_EQ(store.glCashierData[0].CashierName, "김하늘2");           // earlier steps did
    EXPECT_NE(log().find("IAB030-DownloadGoods"), std::string::npos);
}

TEST_F(DownloadServerTest, AMirrorFileThatCannotBeWrittenKeepsListAndFile)
{
    ASSERT_TRUE(run().Completed);
    const auto goods = store.ListAsServerRows(TMirrorKind::Goods);
    const std::string goodsFile = file("Goods.dat");
    db.query("UPDATE goods SET sale_unit_amt = sale_unit_amt + 1000");
    fs::create_directory(dir / ("Goods.dat.tmp." + std::to_string(::getpid())));

    const TDownloadResult result = run();
    EXPECT_EQ(result.StoppedAt, TDownloadStep::Goods);
    EXPECT_NE(result.Reason.find("Goods.dat could not be written"), std::string::npos) << result.Reason;
    EXPECT_EQ(store.ListAsServerRows(TMirrorKind::Goods), goods);
    EXPECT_EQ(file("Goods.dat"), goodsFile);
}

TEST_F(DownloadServerTest, OffLineTheFirstMissingFileStopsThePassAndSaysWhy)
{
    ASSERT_TRUE(run().Completed);
    const auto menus = store.ListAsServerRows(TMirrorKind::Menu);
    fs::remove(dir / "Menu.dat");
    ctx.gbOffLine = true;

    const TDownloadResult result = run();
    EXPECT_FALSE(result.Completed);
    EXPECT_EQ(result.StoppedAt, TDownloadStep::Menu);
    EXPECT_NE(result.Reason.find("Menu.dat is missing"), std::string::npos) << result.Reason;
    EXPECT_EQ(store.ListAsServerRows(TMirrorKind::Menu), menus);

    // Without leave to reload the files, the pass stops at once.
    const TDownloadResult refused = run(false);
    EXPECT_EQ(refused.StoppedAt, TDownloadStep::Cashier);
    EXPECT_FALSE(refused.Reason.empty());
    EXPECT_EQ(store.glCashierData.size(), 3u);
}

TEST_F(DownloadServerTest, HotelRestaurantsGetSubGroupsAndSkiTerminalsWithdrawnGoods)
{
    useTerminal("3001", "01");
    ASSERT_TRUE(ctx.gbVessa);
    ASSERT_TRUE(run().Completed);
    EXPECT_EQ(store.glMenuSubGroupData.size(), 3u);
    ASSERT_FALSE(store.glMenuData.empty());
    // A button of a sub-group keeps its group and names its sub-group in
    // the second type column, which is how the sale screen finds it.
    const auto dinner = std::find_if(store.glMenuData.begin(), store.glMenuData.end(),
                                     [](const TMenuData& m) { return m.MenuCode == "30010101"; });
    ASSERT_NE(dinner, store.glMenuData.end());
    EXPECT_EQ(dinner->MenuGroupNo, "10");
    EXPECT_EQ(dinner->TypeCode2, "102");
    EXPECT_TRUE(fs::exists(dir / "MenuSub.dat"));

    db.query("UPDATE goods SET use_yn = 'N' WHERE menu_code IN ('50010004', '31010102')");
    useTerminal("5001", "01");
    ASSERT_TRUE(run().Completed);
    EXPECT_EQ(store.glUpjangData.size(), 6u);
    EXPECT_GE(store.GetGoodsDataIndex("5001", "50010004"), 0);  // P2 'N': still there
    EXPECT_TRUE(store.glMenuData.end() != std::find_if(store.glMenuData.begin(), store.glMenuData.end(),
                                                        [](const TMenuData& m) { return m.SeriesTicket; }));
    useTerminal("3101", "01");
    ASSERT_TRUE(run().Completed);
    EXPECT_LT(store.GetGoodsDataIndex("3101", "31010102"), 0);  // P2 'Y': withdrawn
}

TEST_F(DownloadServerTest, StoreReadsGoThroughTheServer)
{
    TDbMasterServer server(*data);
    TMasterStore store(ctx, dialogs, server);
    EXPECT_TRUE(store.ReadCashierData(false));
    EXPECT_EQ(store.glCashierData.size(), 3u);
    EXPECT_TRUE(store.ReadCommonData(false));
    EXPECT_EQ(static_cast<int>(store.glCommonData.size()), count("SELECT count(*) FROM common_code"));
    EXPECT_TRUE(store.ReadUpjangData(false));
    EXPECT_FALSE(store.glUpjangData.empty());
    db.query("INSERT INTO dc_member_work (upjang_code, pos_no, multi_upjang_code, accept_member_no, seq, dc_rate, "
             "once_use_count, daily_use_count) VALUES ('3101', '01', '3101', 'A1', 1, 30, 1, 1)");
    EXPECT_TRUE(store.ReadDCMemberData(true));
    ASSERT_EQ(store.glDCMemberData.size(), 1u);
    EXPECT_EQ(store.glDCMemberData[0].DCRate, 30);
    EXPECT_TRUE(store.ReadDCMenuData());

    store.glUpjangData.clear();
    EXPECT_EQ(store.GetUpjangName("6101"), "리조트 편의점");
    EXPECT_EQ(store.GetUpjangName("9999"), "");
    ctx.gbOffLine = true;
    data->DisconnectDB();
    EXPECT_EQ(store.GetUpjangName("6101"), "");
}

TEST_F(DownloadServerTest, EveryDownloadStatementReturnsTheColumnsOfItsRecord)
{
    const std::pair<const char*, int> statements[] = {
        {"IAB030-CountData", 9},           {"IAB030-DownloadCashier", 6},     {"IAB030-DownloadCommon", 18},
        {"IAB030-DownloadUpjang", 31},     {"IAB030-DownloadGoods", 28},      {"IAB030-DownloadMenuGroup-1", 3},
        {"IAB030-DownloadMenuGroup-2", 3}, {"IAB030-DownloadMenuSubGroup", 4}, {"IAB030-DownloadMenu-1", 15},
        {"IAB030-DownloadMenu-2", 15},     {"IAB030-DownloadPay", 2},         {"IAB030-DownloadCalendar", 4},
        {"IAB030-DownloadDC", 7},          {"IAB030-DownloadEtcDC", 16},      {"IAB030-DownloadCompany", 8},
        {"IZC002-ReadCommonData", 18},     {"IZC002-ReadUpjangData", 5},      {"IZC002-GetUpjangName", 1},
        {"IZC002-CompareOffLineData-1", 1}, {"IZC002-CompareOffLineData-2", 1}, {"IZC002-CompareOffLineData-3", 1},
        {"IZC002-CompareOffLineData-4", 1}, {"IZC002-CompareOffLineData-5", 1},
    };
    PgConnHandle conn = db.connect();
    int n = 0;
    for (const auto& [key, columns] : statements) {
        const std::string name = "d" + std::to_string(n++);
        const TBoundSql sql = RewriteParameters(catalogue.GetSQL(key));
        PgResultHandle prepared(PQprepare(conn.get(), name.c_str(), sql.text.c_str(), 0, nullptr));
        ASSERT_EQ(PQresultStatus(prepared.get()), PGRES_COMMAND_OK) << key << ": " << PQerrorMessage(conn.get());
        PgResultHandle described(PQdescribePrepared(conn.get(), name.c_str()));
        EXPECT_EQ(PQnfields(described.get()), columns) << key;
    }
    // The upload statements take exactly the values of their queue's lines,
    // but for the value that once held card track data, which no statement
    // reads.
    for (const TOffLineQueueInfo& q : OffLineQueues()) {
        const auto uploaded = RewriteParameters(catalogue.GetSQL(q.UploadKey)).parameters;
        EXPECT_EQ(static_cast<int>(uploaded.size()), q.FieldCount - (q.TrackField >= 0 ? 1 : 0)) << q.UploadKey;
        EXPECT_EQ(std::count(uploaded.begin(), uploaded.end(), q.TrackField), 0) << q.UploadKey;
        const auto compared = RewriteParameters(catalogue.GetSQL(q.CompareKey)).parameters;
        EXPECT_EQ(std::count(compared.begin(), compared.end(), q.TimeField), 0) << q.CompareKey;
        EXPECT_EQ(std::count(compared.begin(), compared.end(), q.TrackField), 0) << q.CompareKey;
    }
}

}  // namespace
}  // namespace pos::test
