#pragma once

#include "data/dberror.h"
#include "registry/customer.h"
#include "registry/customerpayment.h"

// The customer editor's writes: the registry row with the customer's payment term and bank, in one
// transaction, so that a refused bank leaves no half-saved customer.
namespace CustomerSave {

// Adds the customer and returns its code; as CustomerStore::insert and CustomerPaymentStore::save refuse.
DbResult<qint64> insert(const Customer& c, const CustomerPayment& p);
// Rewrites the customer with c.id and its payment data; false (nothing written) when there is none.
DbResult<bool> update(const Customer& c, const CustomerPayment& p);

} // namespace CustomerSave
