#include "registry/paymentterms.h"

namespace {

struct Method {
    const char* codice;
    const char* nome;
};

// The e-invoice's payment methods a small shop uses; the editor lists them in this order.
const Method kMethods[] = {
    {"MP01", "Contanti"},
    {"MP02", "Assegno"},
    {"MP03", "Assegno circolare"},
    {"MP05", "Bonifico"},
    {"MP08", "Carta di pagamento"},
    {"MP12", "Ri.Ba."},
    {"MP13", "MAV"},
    {"MP19", "SEPA Direct Debit"},
    {"MP20", "SEPA Direct Debit CORE"},
    {"MP21", "SEPA Direct Debit B2B"},
    {"MP23", "PagoPA"},
};

} // namespace

namespace PaymentTerms {

QStringList modalita()
{
    QStringList out;
    for (const Method& m : kMethods)
        out << QString::fromLatin1(m.codice);
    return out;
}

QString nomeModalita(const QString& codice)
{
    for (const Method& m : kMethods)
        if (codice == QLatin1String(m.codice))
            return QString::fromUtf8(m.nome);
    return {};
}

QString errore(const PaymentTerm& term)
{
    if (term.descrizione.trimmed().isEmpty())
        return QStringLiteral("Descrizione della condizione di pagamento mancante");
    if (nomeModalita(term.modalita).isEmpty())
        return QStringLiteral("Modalità di pagamento sconosciuta: \"%1\"").arg(term.modalita);
    if (term.rate.isEmpty())
        return QStringLiteral("La condizione di pagamento deve avere almeno una rata");
    Decimal somma;
    for (qsizetype i = 0; i < term.rate.size(); ++i) {
        const TermInstalment& r = term.rate[i];
        if (r.giorni < 0 || r.giorni > 365)
            return QStringLiteral("Rata %1: i giorni vanno da 0 a 365").arg(i + 1);
        if (r.quota.isOverflow() || r.quota <= Decimal() || r.quota > Decimal(100))
            return QStringLiteral("Rata %1: la quota deve essere maggiore di 0 e non oltre 100 %").arg(i + 1);
        if (r.quota.rounded(2) != r.quota)
            return QStringLiteral("Rata %1: la quota ha al massimo due decimali").arg(i + 1);
        somma += r.quota;
    }
    if (somma != Decimal(100))
        return QStringLiteral("Le quote delle rate sommano a %1 %, non a 100 %")
            .arg(somma.toString().replace(u'.', u','));
    return {};
}

} // namespace PaymentTerms
