#pragma once

#include "data/dberror.h"

#include <QStringList>

// The business's own header lines, table Azienda: the record in use is the first whose
// Riga1 is not Null.
namespace CompanyStore {

constexpr int kLines = 5;
constexpr int kMaxLength = 100;

// Five lines; a line never filled is empty text. No record gives five empty lines.
DbResult<QStringList> load();
// Updates the record in use or adds one when there is none.
DbStatus save(const QStringList& lines);

} // namespace CompanyStore
