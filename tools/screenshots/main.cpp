// Draws the core screens offscreen into PNG files (QWidget::grab), one file
// per screen, with sample data, so their look can be checked without a
// display.

#include "controls/ZoGradient.h"
#include "controls/ZoPosButton.h"
#include "controls/ZoRoundRect.h"
#include "core/TerminalContext.h"
#include "core/ui/TfrmGetBox.h"
#include "core/ui/TfrmInherit.h"
#include "core/ui/TfrmKeyFrame.h"
#include "core/ui/TfrmListFrame.h"
#include "core/ui/TfrmMsgBox.h"
#include "Shots.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

#include <cstdio>

namespace {

bool save(QWidget& aWidget, const QDir& aDir, const char* aName)
{
    return shots::Save(aWidget, aDir, aName);
}

pos::TTerminalContext sampleContext()
{
    pos::TTerminalContext c;
    c.gsMasterUpjangName = "스키 렌탈샵";
    c.gsMasterPosNo = "01";
    c.gsUpjangName = "스키 렌탈샵";
    c.gsPosNo = "01";
    c.gsCashier = "1001";
    c.gsCashierName = "김계산";
    c.gsSaleDate = "20240115";
    return c;
}

void fillList(pos::TfrmListFrame& aList)
{
    using pos::Currency;
    using pos::Variant;
    aList.CreateList();
    aList.AddListItem(QStringLiteral("코드"), 60);
    aList.AddListItem(QStringLiteral("품명"), 170);
    aList.AddListItem(QStringLiteral("수량"), 40, Qt::AlignRight);
    aList.AddListItem(QStringLiteral("할인"), 40, Qt::AlignRight);
    aList.AddListItem(QStringLiteral("금액"), 100, Qt::AlignRight);
    aList.SetFooterVisible(true);
    aList.SetSumIndex(4);
    const struct {
        const char* code;
        const char* name;
        int count;
        int dc;
        long long amount;
    } lines[] = {
        {"100101", "리프트 주간권 (대인)", 2, 0, 138000}, {"100102", "리프트 주간권 (소인)", 1, 10, 49500},
        {"200301", "스키 장비 렌탈", 3, 0, 96000},         {"200302", "보드 장비 렌탈", 1, 0, 32000},
        {"300010", "헬멧", 2, 0, 10000},                  {"300020", "고글", 1, 15, 12750},
    };
    for (const auto& l : lines)
        aList.AddList({Variant(l.code), Variant(l.name), Variant(Currency(l.count)), Variant(l.dc),
                       Variant(Currency(l.amount))},
                      false);
    aList.FirstList(false);
    aList.DownList(false);
    aList.ShowList();
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    QDir().mkpath(dir.path());

    const pos::TTerminalContext context = sampleContext();
    pos::TScreenEnv env;
    env.context = &context;
    bool ok = true;

    {
        pos::TInheritOptions o;
        o.caption = QStringLiteral("기본 화면");
        pos::TfrmInherit screen(env, o);
        auto* group = new pos::TZoRoundRect(&screen);
        group->setGeometry(20, 80, 360, 150);
        auto* label = new QLabel(QStringLiteral("품목 코드"), &screen);
        label->setGeometry(40, 100, 90, 30);
        auto* code = new QLineEdit(&screen);
        code->setGeometry(140, 100, 200, 30);
        label->setBuddy(code);
        auto* label2 = new QLabel(QStringLiteral("품목명"), &screen);
        label2->setGeometry(40, 150, 90, 30);
        auto* name = new QLineEdit(QStringLiteral("리프트 주간권"), &screen);
        name->setReadOnly(true);
        name->setGeometry(140, 150, 200, 30);
        const char* captions[] = {"대인", "소인", "경로"};
        for (int i = 0; i < 3; ++i) {
            auto* b = new pos::TZoPosButton(&screen);
            b->setGeometry(420 + i * 110, 80, 100, 70);
            b->SetCaption(QString::fromUtf8(captions[i]));
            b->SetGroupIndex(1);
            b->SetNumber(i + 1);
            if (i == 0) b->SetDown(true);
        }
        auto* disabled = new pos::TZoPosButton(&screen);
        disabled->setGeometry(420, 160, 100, 70);
        disabled->SetCaption(QStringLiteral("사용 불가"));
        disabled->setEnabled(false);
        screen.ShowMsg("품목 코드를 입력하십시오.");
        ok &= save(screen, dir, "base");
    }
    {
        pos::TfrmMsgBox box(env, "저장되었습니다.\r영수증을 확인하십시오.");
        ok &= save(box, dir, "msgbox");
    }
    {
        pos::TfrmErrBox box(env, "서버에 연결할 수 없습니다.\r전산팀에 문의하십시오.");
        ok &= save(box, dir, "errbox");
    }
    {
        pos::TfrmAskBox box(env, "거래를 취소하시겠습니까?");
        ok &= save(box, dir, "askbox");
    }
    {
        pos::TInheritOptions o;
        o.caption = QStringLiteral("객수");
        o.width = 460;
        o.height = 340;
        pos::TfrmGetBox box(env, o);
        auto* label = new QLabel(QStringLiteral("내국인"), &box);
        label->setGeometry(20, 90, 80, 30);
        auto* edit = new QLineEdit(QStringLiteral("2"), &box);
        edit->setGeometry(100, 90, 120, 30);
        box.ShowMsg("객수를 입력하십시오.");
        ok &= save(box, dir, "getbox");
        ok &= save(*box.fraKeyPad, dir, "keypad");
    }
    {
        QWidget host;
        host.resize(520, 30 + 26 * 8 + 26 + 4 + 20);
        host.setAutoFillBackground(true);
        QPalette pal = host.palette();
        pal.setColor(QPalette::Window, QColor(0xd0, 0xd8, 0xe0));
        host.setPalette(pal);
        auto* list = new pos::TfrmListFrame(&host);
        list->setGeometry(10, 10, 500, 30 + 26 * 8 + 26 + 4);
        fillList(*list);
        ok &= save(host, dir, "listframe");
    }
    for (const auto& [area, draw] : shots::Registry()) {
        std::printf("%s:\n", area.c_str());
        ok &= draw(dir);
    }
    return ok ? 0 : 1;
}
