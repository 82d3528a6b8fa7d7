#pragma once

#include <QString>

// Small text rules of the warehouse windows.
namespace WarehouseRules {

inline constexpr int kCategoryNameLength = 30;
inline constexpr int kDescriptionLength = 100;

// A category name as stored: upper case, at most 30 characters.
QString categoryName(const QString& typed);
// "1 articolo", otherwise "n articoli".
QString itemCount(qsizetype n);

} // namespace WarehouseRules
