#pragma once
// Sale-bill hooks and a sale-screen view that do nothing, for the harnesses
// and benchmarks whose bills need no discounts, displays or screens.

#include "sales/SaleBill.h"
#include "sales/SaleView.h"

#include <string>

namespace pos::test {

struct NoSaleHooks final : TSaleHooks {
    void ExecDC(TSaleLines&) override {}
    void RecreateSaleList(TSaleLines&) override {}
    bool ClearDCModule() override { return false; }
    void ShowLineDisplay(const std::string&, const std::string&) override {}
    void ClearPrintLists() override {}
    void EndPreSale() override {}
    void GetMaxBillNo() override {}
    void ShowSaleGubun() override {}
    void ShowWaitCount() override {}
    void ShowBillNo() override {}
    void PressFirstMenuButtons() override {}
    void OpenSkiSchool() override {}
    bool GetGuestCount(bool) override { return false; }
};

struct NoSaleView final : TSaleView {
    explicit NoSaleView(TSaleBill& aBill) : bill(aBill) {}
    TSaleBill& Bill() override { return bill; }
    void ShowBillNo() override {}
    void ShowSaleGubun() override {}
    void ShowCashier() override {}
    void ShowWaitCount() override {}
    void PressFirstMenuGroup() override {}
    void ReloadMenus() override {}
    void Refresh() override {}
    void ShowMessage(const std::string&, bool, int) override {}
    void SetEnabled(bool) override {}
    void CloseScreen() override {}
    TSaleBill& bill;
};

}  // namespace pos::test
