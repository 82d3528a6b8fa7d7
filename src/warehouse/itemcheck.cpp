#include "warehouse/itemcheck.h"

#include "warehouse/warehousestore.h"

namespace ItemCheck {

DbResult<Failure> check(const Draft& draft)
{
    if (draft.cat == 0)
        return Failure::NoCategory;
    if (draft.descrizione.trimmed().isEmpty())
        return Failure::NoDescription;
    const auto duplicate = WarehouseStore::descriptionInUse(draft.descrizione, draft.id);
    if (!duplicate)
        return duplicate.error();
    if (duplicate.value())
        return Failure::DuplicateDescription;
    if (draft.um.trimmed().isEmpty())
        return Failure::NoUnit;
    if (draft.qta.trimmed().isEmpty())
        return Failure::NoQuantity;
    return Failure::None;
}

} // namespace ItemCheck
