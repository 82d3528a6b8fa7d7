#pragma once

#include "data/dberror.h"
#include "ddt/ddtdata.h"

#include <QString>
#include <optional>

// Reading a stored transport document back as the editor shows it, for printing.
namespace DdtPaperStore {

// The DDT of that number with its rows in order; nothing when there is no such DDT.
DbResult<std::optional<DdtData>> datiDdt(const QString& num);

} // namespace DdtPaperStore
