#include "warehouse/warehouserules.h"

#include "data/textcolumns.h"

namespace WarehouseRules {

QString categoryName(const QString& typed)
{
    return TextColumns::fit(typed.toUpper(), TextColumns::Categorie::Nome);
}

QString itemCount(qsizetype n)
{
    return n == 1 ? QStringLiteral("1 articolo") : QString::number(n) + QStringLiteral(" articoli");
}

} // namespace WarehouseRules
