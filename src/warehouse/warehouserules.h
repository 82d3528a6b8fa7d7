#pragma once

#include <QString>

// Small text rules of the warehouse windows.
namespace WarehouseRules {

// A category name as stored: upper case, cut to the column's length.
QString categoryName(const QString& typed);
// "1 articolo", otherwise "n articoli".
QString itemCount(qsizetype n);

} // namespace WarehouseRules
