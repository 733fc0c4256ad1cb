#include "devices/BocaTickets.h"

#include "core/Codec.h"
#include "core/Currency.h"
#include "core/DateHelpers.h"
#include "core/TextHelpers.h"

#include <algorithm>
#include <array>
#include <map>

namespace pos {
namespace {

using enum TTicketType;

const char* rotationTag(int aRotation)
{
    switch (aRotation) {
    case 90: return "<RR>";
    case 180: return "<RU>";
    case 270: return "<RL>";
    default: return "<NR>";
    }
}

// Collects the fields of one ticket; on a Flotec a field may sit elsewhere.
class TFields {
public:
    TFields(const TTicketEnv& aEnv, bool aBoca) : env_(aEnv), boca_(aBoca) {}

    bool boca() const { return boca_; }
    void add(const TBocaField& aField) { bytes_ += FormatBoca(aField, boca_, env_.ticketMargin); }
    void add(const TBocaField& aBoca, const TBocaField& aFlotec) { add(boca_ ? aBoca : aFlotec); }
    const std::string& bytes() const { return bytes_; }

private:
    const TTicketEnv& env_;
    bool boca_;
    std::string bytes_;
};

TBocaField at(int aRow, int aColumn, std::string aText, int aFont = -1, int aHeight = 1, int aWidth = 1,
              int aRotation = 270)
{
    return TBocaField{aRow, aColumn, aRotation, aFont, aHeight, aWidth, std::move(aText)};
}

std::string memberMark(const TTicketData& t) { return t.Str(10) == "Y" ? "회원" : ""; }
std::string dotted(const std::string& aDate) { return MonthOf(aDate) + "." + DayOf(aDate); }

std::string liftKindText(const TTicketData& t)
{
    std::string kind = t.Str(2) == "이용권" ? t.Str(2) : Replace(t.Str(2), "권", "");
    if (t.Str(4).find("대인") != std::string::npos) kind += "대";
    else if (t.Str(4).find("소인") != std::string::npos) kind += "소";
    return RPad(memberMark(t) + kind, 10);
}

void liftPass(TFields& f, const TTicketData& t, const TTicketEnv& env)
{
    const std::string season = SeasonText(env.today);
    f.add(at(510, 145, season, 1, 5, 4), at(300, 50, season, 2, 2, 2));
    f.add(at(250, 140, t.Str(1), -1, 2, 2));
    // A member pass is named with the mark in front: it has no period.
    if (const auto period = ValidityPeriod(memberMark(t) + t.Str(2), env.saleDate)) {
        f.add(at(540, 370, "-사용기간-", -1, 2, 1));
        f.add(at(540, 420, "(" + period->first + "일-" + period->last + "일)", -1, 2, 1));
    }
    f.add(at(420, 195, liftKindText(t), -1, 2, 3));
    f.add(at(520, 280, MonthOf(t.Str(3)), -1, 3, 3), at(330, 850, MonthOf(t.Str(3)), 9, 5, 3, 90));
    f.add(at(360, 270, DayOf(t.Str(3)), 12, 3, 3), at(180, 880, DayOf(t.Str(3)), 3, 7, 8, 90));
    f.add(at(500, 490, t.Str(4), -2, 2, 2));
    f.add(at(410, 255, t.Str(11)));
    f.add(at(550, 545, t.Str(11) + " " + t.Str(12)));
    f.add(at(540, 115, t.Str(5)));
    f.add(at(230, 580, t.Str(6)));
    f.add(at(510, 190, t.Str(13), 6, 2, 2), at(60, 980, t.Str(13), 3, 3, 3, 90));
    if (!t.Str(15).empty()) f.add(at(230, 530, t.Str(15) + "권", -1, 2, 2));
    f.add(at(520, 580, t.Bill, 2, 2, 1));
    if (env.testMode) f.add(at(530, 340, "SAMPLE", -1, 3, 4));
    if (env.preSale) f.add(at(520, 390, "(예매)", -1, 2, 2));
    const std::string code = env.today + LiftKindCode(t.Str(2)) + (t.Str(10) == "Y" ? "00" : "01");
    f.add(at(750, 670, "<NL7><X2>*" + code + "*"));
}

void periodLabels(TFields& f, const TTicketData& t, const TTicketEnv& env)
{
    const auto period = ValidityPeriod(t.Str(2), env.saleDate);
    if (!period) return;
    f.add(at(445, 420, "(사용기간 :", -1, 2, 1));
    f.add(at(270, 420, period->first + "일-" + period->last + "일)", -1, 2, 1));
}

void rental(TFields& f, const TTicketData& t, const TTicketEnv& env)
{
    const std::string season = SeasonText(env.today);
    f.add(at(480, 140, season, 1, 5, 4), at(560, 100, season, -1, 2, 2, 90));
    periodLabels(f, t, env);
    f.add(at(200, 130, t.Str(1), -1, 2, 2));
    f.add(at(380, 190, t.Str(2), -1, 2, 3));
    f.add(at(520, 250, "신 장 :", -1, 2, 1));
    f.add(at(250, 250, "발크기 :", -1, 2, 1));
    f.add(at(520, 310, "폴크기 :", -1, 2, 1));
    f.add(at(520, 370, "신분증번호 :", -1, 2, 1));
    const bool persons = !t.Str(15).empty();
    const std::string date = DateToString(t.Str(3), '.') + (persons ? t.Str(14) : "");
    f.add(at(450, persons ? 490 : 480, date, 6), at(530, 460, date, 5, 2, 3, 90));
    f.add(at(470, 540, t.Str(4), -1, 2, 2), at(530, 520, t.Str(4), 3, 1, 2, 90));
    f.add(at(520, 595, t.Str(11) + " " + t.Str(12)));
    f.add(at(480, 110, t.Str(5)));
    f.add(at(180, 630, t.Str(6)));
    if (persons) f.add(at(230, 570, t.Str(15) + "권", -1, 3, 2));
    f.add(at(510, 630, t.Bill, 2, 2, 1));
    if (env.testMode) f.add(at(480, 380, "SAMPLE", -1, 4, 3));
    if (env.preSale) f.add(at(410, 420, "예  매", -1, 2, 2));
}

void etc(TFields& f, const TTicketData& t, const TTicketEnv& env)
{
    if (f.boca()) periodLabels(f, t, env);
    const std::string season = SeasonText(env.today);
    f.add(at(510, 160, season, 1, 5, 4), at(470, 160, season, 1, 5, 4));
    f.add(at(250, 155, t.Str(1), -1, 2, 2), at(160, 160, t.Str(1), -1, 2, 2));
    const std::string kind = memberMark(t) + (t.Str(2).empty() ? std::string("이용권") : t.Str(2));
    f.add(at(400, 230, kind, -1, 3, 3), at(370, 210, kind, -1, 3, 3));
    f.add(at(420, 330, dotted(t.Str(3)), -1, 3, 3), at(55, 200, dotted(t.Str(3)), -1, 1, 1));
    f.add(at(470, 490, t.Str(4), -1, 2, 2), at(430, 450, t.Str(4), -1, 2, 2));
    if (!t.Str(15).empty()) f.add(at(260, 570, t.Str(15) + "권", -1, 3, 2));
    f.add(at(520, 560, t.Str(11) + " " + t.Str(12)));
    f.add(at(520, 130, t.Str(5)));
    f.add(at(220, 610, t.Str(6)));
    f.add(at(500, 610, t.Bill, 2, 2, 1));
    if (env.testMode) f.add(at(420, 380, "SAMPLE", -1, 4, 3));
    if (env.preSale) f.add(at(420, 530, "예매", -1, 2, 2));
}

// A small ticket with a stub on its right, upright.
void mini(TFields& f, TTicketData t, const TTicketEnv& env)
{
    const std::string persons = t.Str(15).empty() ? std::string("1") : t.Str(15);
    const std::int64_t count = std::max<std::int64_t>(1, StringToInteger(persons));
    const Currency unit = Currency(NumberInText(t.Str(6)) / count);
    t.Str(15) = "인원 " + persons + "명";
    t.Str(16) = "단가:" + LPad(FormatThousands(unit) + "원", 11);
    t.Str(6) = "금액:" + LPad(t.Str(6), 11);
    t.Str(2) = memberMark(t) + t.Str(2);

    // Each item twice, on the ticket and on its stub (Boca and Flotec places
    // for both); the stub takes the ticket's magnification unless it has
    // its own.
    auto both = [&](const std::string& aText, int aFont, int aH, int aW, std::array<int, 4> aBoca,
                    std::array<int, 4> aFlotec, int aStubH = 0, int aStubW = 0) {
        const int stubH = aStubH ? aStubH : aH, stubW = aStubW ? aStubW : aW;
        f.add(at(aBoca[0], aBoca[1], aText, aFont, aH, aW, 0), at(aFlotec[0], aFlotec[1], aText, aFont, aH, aW, 0));
        f.add(at(aBoca[2], aBoca[3], aText, aFont, stubH, stubW, 0),
              at(aFlotec[2], aFlotec[3], aText, aFont, stubH, stubW, 0));
    };
    both(t.Str(1), -1, 3, 4, {10, 100, 10, 700}, {10, 80, 10, 700}, 2, 2);
    if (!f.boca()) {
        f.add(at(70, 140, dotted(t.Str(3)), 9, 3, 3, 0));
        f.add(at(70, 730, dotted(t.Str(3)), 9, 2, 2, 0));
    }
    both(t.Str(2), -1, 2, 1, {110, 260, 110, 815}, {135, 190, 125, 745});
    both(t.Str(4), -1, 2, 1, {175, 100, 155, 750}, {195, 80, 165, 680});
    both(t.Str(15), -1, 1, 1, {240, 100, 200, 750}, {260, 80, 210, 680});
    both(t.Str(16), -1, 1, 1, {200, 350, 240, 750}, {220, 380, 250, 680});
    both(t.Str(6), -1, 1, 1, {240, 350, 280, 750}, {260, 380, 290, 680});
    f.add(at(310, 80, t.Bill, 2, 1, 1, 0), at(320, 30, t.Bill, 2, 1, 1, 0));
    f.add(at(320, 750, t.Bill.substr(0, 10), 2, 1, 1, 0), at(330, 680, t.Bill.substr(0, 10), 2, 1, 1, 0));
    const std::string rest = t.Bill.size() > 10 ? t.Bill.substr(10, 14) : std::string();
    f.add(at(340, 750, rest, 2, 1, 1, 0), at(350, 680, rest, 2, 1, 1, 0));
    if (env.testMode) f.add(at(150, 300, "SAMPLE", -1, 4, 3, 0));
}

void listPage(TFields& f, TTicketData p, const TTicketEnv& env)
{
    // A Flotec elsewhere than at the ski school only feeds the paper.
    if (!f.boca() && env.masterUpjangCode != env.upjangSkiSchool) return;
    if (f.boca()) {
        p.Bill = ChangeSubChar(p.Bill, ' ', '_');
        for (int i = 1; i <= 25; ++i) p.Str(i) = ChangeSubChar(p.Str(i), ' ', '_');
    }
    f.add(at(500, 1320, p.Bill, 2, 1, 1, 90));
    for (int i = 25; i >= 1; --i) f.add(at(500, 70 + 25 * (i - 1), p.Str(i)));
    if (env.testMode) f.add(at(70, 900, "SAMPLE", -1, 4, 3, 90));
}

}  // namespace

std::string FormatBoca(const TBocaField& aField, bool aBoca, std::int64_t aTicketMargin)
{
    const int row = aBoca ? aField.row : std::max(0, aField.row - 30);
    const int column = std::max<int>(0, aField.column - static_cast<int>(aTicketMargin) * 10);
    std::string out = rotationTag(aField.rotation);
    out += "<RC" + std::to_string(row) + "," + std::to_string(column) + ">";
    out += "<HW" + std::to_string(aField.height) + "," + std::to_string(aField.width) + ">";
    if (aBoca && aField.font < 0) out += "<SF1>";
    else out += "<F" + std::to_string(aField.font < 0 ? 3 : aField.font) + ">";
    return out + ToCp949(aField.text);
}

std::string LiftKindCode(const std::string& aKindText)
{
    static const std::map<std::string, std::string> codes = {
        {"새벽권", "11"}, {"오전권", "12"}, {"오후권", "13"}, {"야간권", "14"}, {"심야권", "15"}, {"주간권", "22"},
        {"후야권", "23"}, {"야심권", "24"}, {"주야권", "32"}, {"종일권", "33"}, {"새오권", "40"}, {"새주권", "50"},
    };
    const auto it = codes.find(aKindText);
    return it == codes.end() ? "90" : it->second;
}

TBocaJob BocaJobBytes(const TTicketData& aJob, const TTicketEnv& aEnv, bool aBoca, bool aLast)
{
    TTicketData t = aJob;
    if (t.TicketType != ttList) {
        if (t.Str(3).empty()) return {true, {}};
        PrepareSingleTicket(t);
        if (t.Str(6) == "0원" || aEnv.upjangCode == aEnv.upjangSkiCamp) t.Str(6).clear();
        if (t.TicketType == ttLift && t.Str(4).empty()) return {true, {}};
    }
    TFields fields(aEnv, aBoca);
    switch (t.TicketType) {
    case ttLift: liftPass(fields, t, aEnv); break;
    case ttRental: rental(fields, t, aEnv); break;
    case ttEtc: etc(fields, t, aEnv); break;
    case ttMini: mini(fields, t, aEnv); break;
    case ttList: listPage(fields, t, aEnv); break;
    default: break;
    }
    const bool cut = aLast || t.TicketType == ttMini || t.TicketType == ttList;
    return {false, "<CB>" + fields.bytes() + (cut ? "<p>" : "<q>")};
}

}  // namespace pos
