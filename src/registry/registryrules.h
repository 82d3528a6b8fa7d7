#pragma once

#include <QString>
#include <QStringList>

// The small rules of the customer registry that do not touch the database.
namespace RegistryRules {

// Captions of the 18 initial-letter buttons; each caption is also its filter.
const QStringList& initialButtons();
// "1 cliente", otherwise the count followed by " clienti".
QString countText(qsizetype count);
// The customer code as shown: four digits at least, all of them past 9999.
QString codeText(qint64 id);
// The name to store: the typed name, or the company name when no name was typed,
// upper-cased, without surrounding blanks and cut to the column's length.
QString nameToStore(const QString& nome, const QString& ragione);
// The company name to store: as typed, or the name when left empty.
QString companyToStore(const QString& ragione, const QString& nome);

} // namespace RegistryRules
