#pragma once

#include "data/dberror.h"

#include <QDate>
#include <QList>

// What the sample papers of every kind share.
namespace PaperDemo {

// The codes of the first `count` valid customers, by code.
DbResult<QList<qint64>> clienti(int count);
// The date of sample `index` of `count`, spread from `first` to `last` (never after it).
QDate data(const QDate& first, int index, int count, const QDate& last);

} // namespace PaperDemo
