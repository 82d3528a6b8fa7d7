#pragma once

#include "data/dberror.h"

#include <QStringList>

// The business's own header lines, table Azienda: the record in use is the first whose
// Riga1 is not Null.
namespace CompanyStore {

constexpr int kLines = 5;
// The business name line while the header has no first line.
inline const QString kBusinessLine = QStringLiteral("Carpenteria metallica e serramenti");

// Five lines; a line never filled is empty text. No record gives five empty lines.
DbResult<QStringList> load();
// Updates the record in use or adds one when there is none.
DbStatus save(const QStringList& lines);

// The business name line of the main window and of every window title: the first header line,
// or kBusinessLine when it is empty or cannot be read.
QString businessLine();
// A window title: `head`, " - " and the business name line.
QString windowTitle(const QString& head);

} // namespace CompanyStore
