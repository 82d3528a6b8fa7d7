#include "warehouse/warehouserules.h"

namespace WarehouseRules {

QString categoryName(const QString& typed)
{
    QString name = typed.toUpper().left(kCategoryNameLength);
    // Never keep half of a character outside the basic plane.
    if (!name.isEmpty() && name.back().isHighSurrogate())
        name.chop(1);
    return name;
}

QString itemCount(qsizetype n)
{
    return n == 1 ? QStringLiteral("1 articolo") : QString::number(n) + QStringLiteral(" articoli");
}

} // namespace WarehouseRules
