#pragma once
// The bills of the kill test, shared by the harness that queues them and the
// test that checks the server: bill n has two sale rows and a cash payment
// row, all with fixed values (the queuing time included), so that a bill
// queued again after a kill is the same record, not a new one.

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace pos::test {

inline constexpr const char* kKillBillDate = "20240105";

inline std::string KillBillNo(int aBill)
{
    char no[8];
    std::snprintf(no, sizeof no, "%04d", aBill);
    return no;
}

inline std::vector<std::pair<std::string, std::vector<std::string>>> KillBillRecords(int aBill)
{
    const std::string bill = KillBillNo(aBill);
    const std::string stamp = "20240105120000";
    auto sale = [&](int aSeq, int aAmt) {
        std::vector<std::string> v(52, "0");
        v[0] = kKillBillDate, v[1] = "3101", v[2] = "01", v[3] = bill, v[4] = std::to_string(aSeq), v[5] = "Y";
        v[6] = aSeq == 1 ? "31010001" : "31010202", v[7] = "1", v[8] = "1", v[9] = "Y", v[10] = "1";
        v[11] = std::to_string(aAmt), v[12] = "1", v[15] = std::to_string(aAmt);
        for (int i : {29, 31, 32, 33, 34, 35, 38, 39, 41, 42, 43, 44, 45, 46, 48}) v[static_cast<std::size_t>(i)] = "";
        v[36] = "N", v[37] = "N", v[47] = "Off Line", v[49] = "1001", v[50] = stamp, v[51] = "10.0.0.7";
        return v;
    };
    const int first = 10000 + aBill * 100, second = 7000;
    std::vector<std::string> pay = {kKillBillDate, "3101", "01", bill, "Y", "110", "1", std::to_string(first + second)};
    pay.resize(17);
    pay.push_back(std::to_string(first + second));
    pay.push_back("1001");
    pay.push_back(stamp);
    pay.push_back("10.0.0.7");
    return {{"Sale", sale(1, first)}, {"Sale", sale(2, second)}, {"Pay", pay}};
}

}  // namespace pos::test
