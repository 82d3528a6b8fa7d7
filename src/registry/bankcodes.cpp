#include "registry/bankcodes.h"

#include <QHash>
#include <QRegularExpression>

namespace {

// ISO 13616 lengths of the countries a shop's customers bank in: the European Union, its neighbours
// and the small states around Italy.
const QHash<QString, int>& lengths()
{
    static const QHash<QString, int> l{
        {QStringLiteral("AD"), 24}, {QStringLiteral("AT"), 20}, {QStringLiteral("BE"), 16},
        {QStringLiteral("BG"), 22}, {QStringLiteral("CH"), 21}, {QStringLiteral("CY"), 28},
        {QStringLiteral("CZ"), 24}, {QStringLiteral("DE"), 22}, {QStringLiteral("DK"), 18},
        {QStringLiteral("EE"), 20}, {QStringLiteral("ES"), 24}, {QStringLiteral("FI"), 18},
        {QStringLiteral("FR"), 27}, {QStringLiteral("GB"), 22}, {QStringLiteral("GR"), 27},
        {QStringLiteral("HR"), 21}, {QStringLiteral("HU"), 28}, {QStringLiteral("IE"), 22},
        {QStringLiteral("IS"), 26}, {QStringLiteral("IT"), 27}, {QStringLiteral("LI"), 21},
        {QStringLiteral("LT"), 20}, {QStringLiteral("LU"), 20}, {QStringLiteral("LV"), 21},
        {QStringLiteral("MC"), 27}, {QStringLiteral("MT"), 31}, {QStringLiteral("NL"), 18},
        {QStringLiteral("NO"), 15}, {QStringLiteral("PL"), 28}, {QStringLiteral("PT"), 25},
        {QStringLiteral("RO"), 24}, {QStringLiteral("SE"), 24}, {QStringLiteral("SI"), 19},
        {QStringLiteral("SK"), 24}, {QStringLiteral("SM"), 27}, {QStringLiteral("VA"), 22},
    };
    return l;
}

// The remainder mod 97 of the number the IBAN spells once its first four characters go to the end
// and each letter becomes two digits (A = 10 ... Z = 35).
int mod97(const QString& iban)
{
    const QString moved = iban.mid(4) + iban.left(4);
    int r = 0;
    for (const QChar c : moved) {
        const int v = c.isDigit() ? c.digitValue() : c.unicode() - u'A' + 10;
        r = v >= 10 ? (r * 100 + v) % 97 : (r * 10 + v) % 97;
    }
    return r;
}

} // namespace

namespace BankCodes {

QString normalizzaIban(const QString& iban)
{
    QString out;
    out.reserve(iban.size());
    for (const QChar c : iban)
        if (!c.isSpace())
            out += c.toUpper();
    return out;
}

bool ibanValido(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^[A-Z]{2}[0-9]{2}[A-Z0-9]+$"));
    const QString iban = normalizzaIban(text);
    if (!shape.match(iban).hasMatch())
        return false;
    const int expected = lengths().value(iban.left(2), 0);
    // A country outside the table: the standard's bounds.
    if (expected != 0 ? iban.size() != expected : iban.size() < 15 || iban.size() > 34)
        return false;
    return mod97(iban) == 1;
}

bool codiceValido(const QString& abiOCab)
{
    static const QRegularExpression five(QStringLiteral("^[0-9]{5}$"));
    return five.match(abiOCab).hasMatch();
}

QString errore(const QString& iban, const QString& abi, const QString& cab)
{
    if (!normalizzaIban(iban).isEmpty() && !ibanValido(iban))
        return QStringLiteral("IBAN non valido: \"%1\" (paese, cifre di controllo o lunghezza errati)")
            .arg(iban.trimmed());
    if (!abi.isEmpty() && !codiceValido(abi))
        return QStringLiteral("Codice ABI non valido: \"%1\" (servono 5 cifre)").arg(abi);
    if (!cab.isEmpty() && !codiceValido(cab))
        return QStringLiteral("Codice CAB non valido: \"%1\" (servono 5 cifre)").arg(cab);
    if (abi.isEmpty() != cab.isEmpty())
        return QStringLiteral("Codici ABI e CAB: vanno indicati entrambi");
    return {};
}

} // namespace BankCodes
