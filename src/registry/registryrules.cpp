#include "registry/registryrules.h"

#include "data/textcolumns.h"
#include "shell/formats.h"

namespace RegistryRules {

const QStringList& initialButtons()
{
    static const QStringList captions = {
        QStringLiteral("A"),  QStringLiteral("B"),  QStringLiteral("C"),  QStringLiteral("D"), QStringLiteral("EF"),
        QStringLiteral("GH"), QStringLiteral("IJ"), QStringLiteral("KL"), QStringLiteral("M"), QStringLiteral("N"),
        QStringLiteral("O"),  QStringLiteral("PQ"), QStringLiteral("R"),  QStringLiteral("S"), QStringLiteral("T"),
        QStringLiteral("UV"), QStringLiteral("WX"), QStringLiteral("YZ")};
    return captions;
}

QString countText(qsizetype count)
{
    if (count == 1)
        return QStringLiteral("1 cliente");
    return QString::number(count) + QStringLiteral(" clienti");
}

QString codeText(qint64 id)
{
    return Formats::code(id, 4);
}

QString nameToStore(const QString& nome, const QString& ragione)
{
    const QString typed = nome.trimmed();
    return TextColumns::fit((typed.isEmpty() ? ragione.trimmed() : typed).toUpper(), TextColumns::Anagrafica::Nome);
}

QString companyToStore(const QString& ragione, const QString& nome)
{
    return ragione.trimmed().isEmpty() ? nome : ragione;
}

} // namespace RegistryRules
