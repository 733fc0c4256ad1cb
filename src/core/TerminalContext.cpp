#include "core/TerminalContext.h"

namespace pos {

void TTerminalContext::ResetBill()
{
    gbPreSale = false;
    gbEventMode = false;
    gsEventNo.clear();
    gsEventName.clear();
    gsEventMemberNo.clear();
    gsEventMemberCode.clear();
    gsEventMemberCodeName.clear();
    gsEventGuestType.clear();
    giSaleGubun = 0;
    giSign = 1;
    gsLockerNo.clear();
    gsRoomNo.clear();
    giKoreanCount = 0;
    giForeignCount = 0;
    gsTempMemberNo.clear();
    gsPrintHeader.clear();
    gsPrintSaleData1.clear();
    gsPrintPayData1.clear();
}

void TTerminalContext::ClearSchoolCustomer()
{
    for (std::string* field : {&gsSchoolMemberNo, &gsSchoolName, &gsSchoolIDNo, &gsSchoolGender, &gsSchoolAge,
                               &gsSchoolPhoneNo, &gsSchoolMobileNo, &gsSchoolAddr1, &gsSchoolAddr2, &gsSchoolZipCode})
        field->clear();
}

bool TTerminalContext::IsVessaUpjang(const std::string& aUpjangCode) const
{
    return !aUpjangCode.empty() &&
           (aUpjangCode == gsUpjangVessaFnB1 || aUpjangCode == gsUpjangVessaFnB2 || aUpjangCode == gsUpjangVessaFnB3 ||
            aUpjangCode == gsUpjangVessaFnB4 || aUpjangCode == gsUpjangVessaFnB5 || aUpjangCode == gsUpjangVessaFnB7);
}

TTerminalContext& Terminal()
{
    static TTerminalContext context;
    return context;
}

}  // namespace pos
