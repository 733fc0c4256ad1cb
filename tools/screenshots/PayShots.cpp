// The payment screen for every tender kind with lines entered, a return, the
// off-line screen, the waiting panel of a card approval and the reason
// dialog. Cash, card, EasyCheck and vouchers need nothing else; the room,
// locker, group and credit tenders look their accounts up on the demo
// resort's database: run with the settings of "scripts/db env" after
// "scripts/db demo", or those pictures are left out.

#include "Shots.h"

#include "core/Codec.h"
#include "core/FileIO.h"
#include "core/IniFile.h"
#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "db/Catalogue.h"
#include "db/DataModule.h"
#include "db/DbPassword.h"
#include "lookups/Lookups.h"
#include "payment/PayModel.h"
#include "payment/ui/TfrmPay.h"
#include "payment/ui/TfrmRemark.h"
#include "store/MasterStore.h"
#include "db/OffLinePolicy.h"

#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace {

using namespace pos;
using F = TPayField;
using K = TPayKind;

// The pictures show lines on the screen: nothing is ever recorded.
struct KeepOpen : TPayRecorder {
    TPaySaveResult SavePayData(const TPayLines&) override { return {}; }
};

struct Approve : TCardApprovals {
    TCardAnswer ApproveCard(const TCardRequest&) override
    {
        TCardAnswer a;
        a.Outcome = TApprovalOutcome::Approved;
        a.Line.AgreeNo = std::to_string(30018801 + n++);
        a.Line.AgreeDate = "20261210123000";
        a.Line.CompanyCode = "01";
        a.Line.CompanyName = "한빛카드";
        a.Line.BankCode = "011";
        a.Line.BankName = "한빛은행";
        return a;
    }
    TCardAnswer CancelCard(const TCardRequest& r) override { return ApproveCard(r); }
    TCashAnswer ApproveCash(const TCashRequest&) override
    {
        TCashAnswer a;
        a.Outcome = TApprovalOutcome::Approved;
        a.Line.AgreeNo = std::to_string(52004401 + n++);
        a.Line.AgreeDate = "20261210";
        return a;
    }
    TCashAnswer CancelCash(const TCashRequest& r) override { return ApproveCash(r); }
    int n = 0;
};

struct ChooseNothing : TPayLaunchers {
    bool GetRoomList(std::string&) override { return false; }
    bool GetGolfList(std::string&, std::string&, bool) override { return false; }
    bool GetEventList(TEventChoice&) override { return false; }
    bool GetRemarks(const std::string&, std::string& aRemarks, int, bool) override
    {
        aRemarks = "현장 직원 석식";
        return true;
    }
};

// The demo database, when the environment names one.
struct DemoServer {
    bool ok = false;
    QTemporaryDir folder;
    std::string host, name, user, password;
    int port = 0;

    DemoServer()
    {
        const char* h = std::getenv("POS_DB_HOST");
        const char* p = std::getenv("POS_DB_PORT");
        const char* u = std::getenv("POS_DB_USER");
        const char* w = std::getenv("POS_DB_PASSWORD");
        const char* n = std::getenv("POS_DB_NAME");
        if (h == nullptr || p == nullptr || u == nullptr || w == nullptr || n == nullptr || !folder.isValid()) return;
        host = h, name = n, user = u, password = w, port = std::atoi(p);
        const std::filesystem::path dir = folder.path().toStdString();
        IniFile posIp;
        posIp.writeString("MAIN", "ServerDB", name);
        posIp.writeString("MAIN", "Host", host);
        posIp.writeInteger("MAIN", "Port", port);
        ok = posIp.save(dir / "POSIP.ini") && WriteDBPassword(dir / "ZoUpdate.ini", password);
    }
};

struct Scene {
    TTerminalContext context;
    ScriptedDialogService dialogs;
    TNoMasterServer noServer;
    TMasterStore store{context, dialogs, noServer};
    TSqlCatalogue catalogue;
    TSellsOffLinePolicy offLinePolicy;
    std::unique_ptr<TfrmData> data;
    std::unique_ptr<TLookups> lookups;
    KeepOpen recorder;
    Approve approvals;
    ChooseNothing launchers;
    std::unique_ptr<TPayModel> model;
    std::unique_ptr<TfrmPay> screen;
    TScreenEnv env;

    Scene(const char* aUpjangCode, const char* aUpjangName, const char* aType, DemoServer* aServer = nullptr)
    {
        TTerminalContext& c = context;
        c.gsMasterUpjangCode = c.gsUpjangCode = aUpjangCode;
        c.gsMasterUpjangName = c.gsUpjangName = aUpjangName;
        c.gsMasterPosNo = c.gsPosNo = "01";
        c.gsCashier = "1001";
        c.gsCashierName = "김계산";
        c.gsToday = c.gsSaleDate = "20261210";
        TUpjangData outlet;
        outlet.UpjangCode = aUpjangCode;
        outlet.PosNo = "01";
        outlet.UpjangName = aUpjangName;
        outlet.UpjangType = aType;
        store.glUpjangData.push_back(outlet);
        const struct {
            const char* name;
            std::int64_t code;
        } tenders[] = {{"현금", 110}, {"신용카드", 120}, {"이지체크", 125}, {"객실후불", 130},
                       {"락카후불", 140}, {"단체후불", 150}, {"상품권", 160}, {"외상", 170}};
        for (const auto& t : tenders) store.AddPayData(t.name, t.code);
        const struct {
            const char *code, *name, *face, *prefix;
        } vouchers[] = {{"01", "리조트 상품권 1만원", "10000", "101"}, {"02", "리조트 상품권 5만원", "50000", "105"},
                        {"03", "제휴 상품권 3만원", "30000", "203"},   {"04", "식사권", "15000", "301"},
                        {"05", "온천 이용권", "20000", "401"},         {"06", "스키 강습권", "60000", "501"}};
        for (const auto& v : vouchers) {
            TCommonData g;
            g.Head = "K0006", g.Code = v.code, g.CodeName = v.name, g.Item1 = "Y", g.Item2 = "N", g.Item6 = v.face,
            g.Item7 = v.prefix;
            store.glCommonData.push_back(g);
        }
        env.context = &context;
        if (aServer != nullptr) {
            c.gsFolder = aServer->folder.path().toStdString() + "/";
            c.gsServerIP = aServer->host;
            c.gsServerDB = aServer->name;
            c.gsToday = c.gsSaleDate = QDate::currentDate().toString(QStringLiteral("yyyyMMdd")).toStdString();
            const auto shipped = ReadWholeFile(std::filesystem::path(POS_SOURCE_DIR) / "db" / "POSSQL.ini");
            catalogue.LoadFromText(FromCp949(shipped.value_or("")));
        }
        data = std::make_unique<TfrmData>(context, catalogue, dialogs, offLinePolicy);
        if (aServer != nullptr) data->DataModuleCreate(aServer->user);
        lookups = std::make_unique<TLookups>(*data, store);
    }

    TPayModel& open(Currency aDue)
    {
        model = std::make_unique<TPayModel>(context, store, dialogs, *lookups, recorder, approvals, launchers);
        model->SetSumAmt(aDue);
        screen = std::make_unique<TfrmPay>(env, *model);
        screen->show();
        screen->activateWindow();
        QApplication::processEvents();
        return *model;
    }
    void type(F aField, const std::string& aText)
    {
        if (model->Focused() != aField) model->SetFocus(aField);
        model->Change(aField, aText);
    }
    void typeEnter(F aField, const std::string& aText)
    {
        type(aField, aText);
        model->Enter(aField);
    }
    bool save(const QDir& aDir, const char* aName)
    {
        screen->ShowModel();
        QApplication::processEvents();
        const bool ok = shots::Save(*screen, aDir, aName);
        if (!dialogs.shown.empty()) std::printf("  (%s showed: %s)\n", aName, dialogs.shown.back().text.c_str());
        return ok;
    }
};

constexpr const char* kTrack = "4111111111111111=28121010000000000";
constexpr const char* kTrack2 = "5441234567890123=29031010000000000";

void card(Scene& s, const char* aAmount, const char* aTrack, const char* aHalbu)
{
    s.model->Select(K::Card);
    s.typeEnter(F::CardAmt, aAmount);
    s.model->Change(F::CardNo, aTrack);
    s.model->Enter(F::CardNo);
    s.typeEnter(F::CardHalbuMonth, aHalbu);
}

bool offlineShots(const QDir& dir)
{
    bool ok = true;
    {
        Scene s("3101", "솔바람 한식당", "30");
        s.open(Currency(43000));
        s.typeEnter(F::CashAmt, "20000");
        s.model->Enter(F::CashNo);
        s.typeEnter(F::CashAmt, "10000");
        s.model->CashManClick(false);
        s.typeEnter(F::CashNo, "1248100998");
        s.type(F::CashAmt, "13000");
        ok &= s.save(dir, "pay-cash");
    }
    {
        Scene s("3101", "솔바람 한식당", "30");
        s.open(Currency(128000));
        card(s, "100000", kTrack, "3");
        card(s, "20000", kTrack2, "0");
        s.model->Select(K::Card);
        s.model->TouchRow(K::Card, 0);
        ok &= s.save(dir, "pay-card");
    }
    {
        Scene s("3101", "솔바람 한식당", "30");
        s.open(Currency(86000));
        s.dialogs.answers = {true};
        s.model->Select(K::EasyCheck);
        s.typeEnter(F::EasyCheckAmt, "50000");
        s.model->Change(F::EasyCheckNo, kTrack2);
        s.model->Enter(F::EasyCheckNo);
        s.typeEnter(F::EasyCheckHalbuMonth, "1");
        s.model->Change(F::EasyCheckNo, kTrack);
        s.model->Enter(F::EasyCheckNo);
        s.type(F::EasyCheckHalbuMonth, "6");
        ok &= s.save(dir, "pay-easycheck");
    }
    {
        Scene s("6101", "리조트 편의점", "60");
        s.open(Currency(137500));
        s.model->Select(K::GiftCard);
        s.model->GiftCardClick(1);
        s.typeEnter(F::GiftCardCount, "2");
        s.model->GiftCardClick(3);
        s.typeEnter(F::GiftCardCount, "1");
        s.typeEnter(F::GiftCardNo, "1010017734");
        ok &= s.save(dir, "pay-giftcard");
        s.model->GiftCardNextClick();
        ok &= s.save(dir, "pay-giftcard-next");
    }
    {
        Scene s("5001", "리프트 매표소", "50");
        s.context.giSaleGubun = 2;
        s.context.giSign = -1;
        s.open(Currency(-138000));
        s.model->Select(K::Card);
        s.model->Enter(F::CardAmt);
        s.model->Change(F::CardNo, kTrack);
        s.model->Enter(F::CardNo);
        s.typeEnter(F::CardHalbuMonth, "0");
        s.type(F::CardAgreeNo, "30017752");
        ok &= s.save(dir, "pay-return");
    }
    {
        Scene s("5003", "스키 렌탈샵", "50");
        s.context.gbOffLine = true;
        s.open(Currency(45000));
        s.model->Select(K::Card);
        s.model->Enter(F::CardAmt);
        s.type(F::CardNo, "4111111111111111");
        ok &= s.save(dir, "pay-offline");
        s.screen->ShowExecute(true, true);
        ok &= shots::Save(*s.screen, dir, "pay-waiting");
        s.screen->ShowExecute(true, false);
    }
    {
        TTerminalContext context;
        ScriptedDialogService dialogs;
        TScreenEnv env;
        env.context = &context;
        TfrmRemark remark(env, dialogs, "'외상 결제' 사유를 입력하십시오.", "현장 직원 석식", 1);
        ok &= shots::Save(remark, dir, "pay-remark");
    }
    return ok;
}

bool accountShots(const QDir& dir)
{
    DemoServer server;
    if (!server.ok) {
        std::printf("  room, locker, group and credit pictures left out: no demo database (scripts/db env)\n");
        return true;
    }
    bool ok = true;
    {
        Scene s("3001", "라운지 레스토랑", "30", &server);
        s.open(Currency(96000));
        s.model->Select(K::Room);
        s.typeEnter(F::RoomAmt, "60000");
        s.typeEnter(F::RoomNo, "1203");
        s.model->Enter(F::RoomNo);
        s.model->Enter(F::RoomAmt);
        s.typeEnter(F::RoomNo, "10304");
        ok &= s.save(dir, "pay-room");
    }
    {
        Scene s("4101", "클럽하우스 레스토랑", "40", &server);
        s.open(Currency(74000));
        s.model->Select(K::Locker);
        s.typeEnter(F::LockerAmt, "50000");
        s.typeEnter(F::LockerNo, "0102");
        s.model->Enter(F::LockerNo);
        s.model->Enter(F::LockerAmt);
        s.typeEnter(F::LockerNo, "0104");
        ok &= s.save(dir, "pay-locker");
    }
    {
        Scene s("3001", "라운지 레스토랑", "30", &server);
        s.context.gbEventMode = true;
        s.context.gsEventNo = "4124010500";
        s.open(Currency(880000));
        s.model->Select(K::Event);
        s.typeEnter(F::EventAmt, "600000");
        s.model->Enter(F::EventNo);
        s.model->Enter(F::EventNo);
        s.model->Enter(F::EventAmt);
        s.model->Enter(F::EventNo);
        ok &= s.save(dir, "pay-event");
    }
    {
        Scene s("3001", "라운지 레스토랑", "30", &server);
        s.open(Currency(450000));
        s.model->Select(K::Credit);
        s.typeEnter(F::CreditAmt, "120000");
        s.typeEnter(F::CreditMemberNo, "0023456700");
        s.model->Enter(F::CreditMemberNo);
        s.model->Enter(F::CreditAmt);
        s.typeEnter(F::CreditMemberNo, "0012345678");
        ok &= s.save(dir, "pay-credit");
    }
    return ok;
}

}  // namespace

static shots::TShotRegistrar reg("payment", [](const QDir& dir) { return offlineShots(dir) & accountShots(dir); });
