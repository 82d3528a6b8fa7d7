#pragma once

#include "printing/registertable.h"

#include <QString>
#include <optional>

// The DDT register on paper.
namespace DdtRegisterPrint {

// The register of that year, of one customer when idCliente is not 0; nothing with the reason
// in `error` when the database fails or the customer does not exist.
std::optional<RegisterTable> ddt(int anno, qint64 idCliente, QString& error);

// "pdf registro-ddt ANNO".
void registerPdfKind();

} // namespace DdtRegisterPrint
