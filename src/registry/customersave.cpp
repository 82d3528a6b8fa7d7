#include "registry/customersave.h"

#include "data/database.h"
#include "registry/customerpaymentstore.h"
#include "registry/customerstore.h"

namespace CustomerSave {

DbResult<qint64> insert(const Customer& c, const CustomerPayment& p)
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    const auto id = CustomerStore::insert(c);
    if (!id)
        return id.error();
    if (const DbStatus err = CustomerPaymentStore::save(id.value(), p))
        return *err;
    if (const DbStatus err = tx.commit())
        return *err;
    return id.value();
}

DbResult<bool> update(const Customer& c, const CustomerPayment& p)
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    const auto changed = CustomerStore::update(c);
    if (!changed || !changed.value())
        return changed;
    if (const DbStatus err = CustomerPaymentStore::save(c.id, p))
        return *err;
    if (const DbStatus err = tx.commit())
        return *err;
    return true;
}

} // namespace CustomerSave
