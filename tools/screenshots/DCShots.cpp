// The member discount screen with accepted members (a master number among
// them) and with a refused discount while a scheme asks for its additional
// number, drawn off line with a demo terminal that needs no server.

#include "Shots.h"
#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "db/Catalogue.h"
#include "db/DataModule.h"
#include "db/OffLinePolicy.h"
#include "discounts/dc/DCModel.h"
#include "discounts/ui/TfrmDC.h"
#include "lookups/Lookups.h"
#include "store/MasterStore.h"

#include <QApplication>
#include <QDir>

namespace {

struct TDemoTerminal {
    TDemoTerminal()
    {
        ctx.gsMasterUpjangCode = ctx.gsUpjangCode = "3001";
        ctx.gsMasterPosNo = ctx.gsPosNo = "01";
        ctx.gsMasterUpjangName = ctx.gsUpjangName = "라운지 레스토랑";
        ctx.gsSaleDate = "20240105";
        ctx.gsFolder = QDir::tempPath().toStdString() + "/";
        ctx.gbOffLine = true;  // nothing reaches for a server
        for (const auto& [code, name] : {std::pair{"3001", "라운지 레스토랑"}, std::pair{"3003", "중식당"}}) {
            pos::TUpjangData outlet;
            outlet.UpjangCode = code;
            outlet.UpjangName = name;
            outlet.PosNo = "01";
            outlet.UpjangType = "30";
            store.glUpjangData.push_back(outlet);
        }
        addGuestType("010", "기명 회원");
        addGuestType("001", "제휴");
        addScheme("8800101", "한빛카드 리프트 할인", "카드번호", 16);
        addScheme("8800201", "강원도민 할인", "주민등록번호", 13);
        addScheme("8800301", "솔바람 패밀리 회원", "회원번호", 10);
        addScheme("8800401", "경로 우대", "주민등록번호", 13);
    }
    void addGuestType(const char* aCode, const char* aName)
    {
        pos::TCommonData row;
        row.Head = ctx.gsCommonGuestType;
        row.Code = aCode;
        row.CodeName = aName;
        store.glCommonData.push_back(row);
    }
    void addScheme(const char* aNo, const char* aName, const char* aTitle, int aLength)
    {
        pos::TEtcDCData scheme;
        scheme.MultiUpjangCode = "3001";
        scheme.MemberNo = aNo;
        scheme.MemberName = aName;
        scheme.MemberAddNoTitle = aTitle;
        scheme.MemberAddNoLength = aLength;
        scheme.MemberAddNoIDNoYN = "N";
        scheme.QtyAcceptYN = "N";
        scheme.GenderCode = "Z";
        store.glEtcDCData.push_back(scheme);
    }
    void addMember(const char* aUpjang, const char* aNo, const char* aName, std::int64_t aRate, std::int64_t aDaily,
                   bool aAccepted, bool aMaster = false)
    {
        pos::TDCMemberData row;
        row.MultiUpjangCode = aUpjang;
        row.AcceptMemberNo = row.MemberNo = aNo;
        row.MemberName = aName;
        row.GuestType = "010";
        row.DaesoGubun = ctx.gsDaesoCodeAll;
        row.DCRate = aRate;
        row.OnceUseCount = -1;
        row.DailyUseCount = aDaily;
        row.YearlyUseCount = aMaster ? -1 : 40;
        row.DCYN = aAccepted;
        row.MasterMemberYN = aMaster;
        store.glDCMemberData.push_back(row);
    }

    pos::TTerminalContext ctx;
    pos::ScriptedDialogService dialogs;
    pos::TSqlCatalogue catalogue;
    pos::TSellsOffLinePolicy offLinePolicy;
    pos::TfrmData data{ctx, catalogue, dialogs, offLinePolicy};
    pos::TNoMasterServer storeServer;
    pos::TMasterStore store{ctx, dialogs, storeServer};
    pos::TLookups lookups{data, store};
    struct NoRemarks final : pos::TDCLaunchers {
        bool GetRemarks(const std::string&, std::string&, int, bool) override { return false; }
    } launchers;
    std::vector<std::string> keyInData;
};

// Shown and active, so that the focused entry has its focus colour.
void showSettled(pos::TfrmDC& aScreen)
{
    aScreen.show();
    aScreen.activateWindow();
    QApplication::processEvents();
    aScreen.ShowModel();
    QApplication::processEvents();
}

const shots::TShotRegistrar reg("discounts", [](const QDir& aDir) {
    bool ok = true;
    {
        TDemoTerminal t;
        t.addMember("3001", "1071234500", "한서윤", 20, 6, true);
        t.addMember("3003", "1071234500", "한서윤", 15, -1, true);
        t.addMember("3001", "9900000100", "총지배인", 50, 2, true, true);
        pos::TDCModel model(t.ctx, t.store, t.dialogs, t.data, t.lookups, t.launchers, t.keyInData);
        pos::TfrmDC screen({&t.ctx, {}, {}}, model);
        showSettled(screen);
        ok &= shots::Save(screen, aDir, "dc-accepted");
    }
    {
        TDemoTerminal t;
        t.addMember("3001", "1072345600", "강하람", 10, 0, false);
        t.addMember("3001", "1071234500", "한서윤", 20, 6, true);
        pos::TDCModel model(t.ctx, t.store, t.dialogs, t.data, t.lookups, t.launchers, t.keyInData);
        pos::TfrmDC screen({&t.ctx, {}, {}}, model);
        showSettled(screen);
        model.Select(0);
        model.PressButton(2);
        screen.ShowModel();
        QApplication::processEvents();
        ok &= shots::Save(screen, aDir, "dc-refused");
    }
    return ok;
});

}  // namespace
