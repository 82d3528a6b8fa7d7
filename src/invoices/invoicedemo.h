#pragma once

#include "data/dberror.h"

// Sample invoices for a demonstration working folder.
namespace InvoiceDemo {

// Adds invoices of the current and the previous year, paid and unpaid, with and without the
// withholding, for the first valid customers, in one transaction. Without customers nothing
// is added.
DbStatus fill();
// Adds, in each of the two years, a deferred invoice of up to three DDTs of the customer with
// the most not yet invoiced. Runs after the DDTs are made.
DbStatus fillDeferred();

} // namespace InvoiceDemo
