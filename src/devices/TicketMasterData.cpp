#include "devices/TicketMasterData.h"

#include "core/TextHelpers.h"
#include "store/MasterStore.h"

namespace pos {

TStoreTicketData::TStoreTicketData(const TMasterStore& aStore, const TTerminalContext& aContext)
    : store_(aStore), context_(aContext)
{
}

int TStoreTicketData::TicketTypeNumber(const std::string& aKindCode) const
{
    const std::string item = store_.GetCommonData(context_.gsCommonTicketType, aKindCode, CommonItem::Item1);
    return static_cast<int>(StringToInteger(item));
}

std::string TStoreTicketData::FirstOutletName() const { return store_.GetUpjangData(0, UpjangItem::UpjangName).asText(); }

std::string TStoreTicketData::FirstOutletEngName() const
{
    return store_.GetUpjangData(0, UpjangItem::UpjangEngName).asText();
}

std::string TStoreTicketData::ReceiptRemark1() const
{
    return store_.GetUpjangData(0, UpjangItem::ReceiptRemark1).asText();
}

std::string TStoreTicketData::ReceiptRemark2() const
{
    return store_.GetUpjangData(0, UpjangItem::ReceiptRemark2).asText();
}

}  // namespace pos
