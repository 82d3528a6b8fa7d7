#pragma once

#include "data/dberror.h"
#include "printing/customerfields.h"
#include "printing/customersheetdata.h"

#include <QStringList>
#include <optional>

// Every read of the printing subsystem: the company header and the customers the papers print.
namespace PrintingStore {

// Riga1 ... Riga5 of the header record in use; five empty lines when there is none.
DbResult<QStringList> intestazione();
// The customer with that code, deleted or not (an old paper still prints its customer).
DbResult<std::optional<CustomerFields>> cliente(qint64 id);
// The valid customer of that name, compared without case, for the customer sheet.
DbResult<std::optional<CustomerSheetData>> schedaCliente(const QString& nome);

} // namespace PrintingStore
