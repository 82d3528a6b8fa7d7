#include "invoices/fiscalwordings.h"

#include "invoices/invoicerules.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace FiscalWordings {

namespace {

const QString kDpr = u"DPR 633/72"_s;

QString inversione(const QString& comma)
{
    return u"Operazione soggetta a inversione contabile ai sensi dell'art. %1 del DPR 633/72"_s.arg(comma);
}

} // namespace

const QList<Natura>& nature()
{
    static const QList<Natura> list = {
        {u"N6.3"_s, u"Inversione contabile - subappalto nel settore edile"_s, inversione(u"17, comma 6, lett. a)"_s),
         kDpr + u", art. 17, c. 6, lett. a)"_s, false},
        {u"N6.7"_s, u"Inversione contabile - prestazioni comparto edile e settori connessi"_s,
         inversione(u"17, comma 6, lett. a-ter)"_s), kDpr + u", art. 17, c. 6, lett. a-ter)"_s, false},
        {u"N6.1"_s, u"Inversione contabile - cessione di rottami e altri materiali di recupero"_s,
         inversione(u"74, commi 7 e 8,"_s), kDpr + u", art. 74, c. 7 e 8"_s, false},
        {u"N1"_s, u"Escluse ex art. 15 DPR 633/72"_s,
         u"Operazione esclusa dalla base imponibile ai sensi dell'art. 15 del DPR 633/72"_s, kDpr + u", art. 15"_s,
         true},
        {u"N2.1"_s, u"Non soggette ad IVA ai sensi degli artt. da 7 a 7-septies del DPR 633/72"_s,
         u"Operazione non soggetta a IVA ai sensi degli artt. da 7 a 7-septies del DPR 633/72"_s,
         kDpr + u", artt. 7-7-septies"_s, true},
        {u"N2.2"_s, u"Non soggette - altri casi"_s, u"Operazione non soggetta a IVA"_s, kDpr + u", artt. 1-5"_s, true},
        {u"N3.1"_s, u"Non imponibili - esportazioni"_s,
         u"Operazione non imponibile ai sensi dell'art. 8, comma 1, del DPR 633/72"_s, kDpr + u", art. 8, c. 1"_s,
         false},
        {u"N3.2"_s, u"Non imponibili - cessioni intracomunitarie"_s,
         u"Operazione non imponibile ai sensi dell'art. 41 del DL 331/93"_s, u"DL 331/93, art. 41"_s, false},
        {u"N3.3"_s, u"Non imponibili - cessioni verso San Marino"_s,
         u"Operazione non imponibile ai sensi dell'art. 71 del DPR 633/72"_s, kDpr + u", art. 71"_s, false},
        {u"N3.4"_s, u"Non imponibili - operazioni assimilate alle cessioni all'esportazione"_s,
         u"Operazione non imponibile ai sensi degli artt. 8-bis e 9 del DPR 633/72"_s, kDpr + u", artt. 8-bis e 9"_s,
         true},
        {u"N3.5"_s, u"Non imponibili - a seguito di dichiarazioni d'intento"_s,
         u"Operazione non imponibile ai sensi dell'art. 8, comma 1, lett. c) del DPR 633/72 (dichiarazione "
         "d'intento)"_s,
         kDpr + u", art. 8, c. 1, lett. c)"_s, true},
        {u"N3.6"_s, u"Non imponibili - altre operazioni"_s, u"Operazione non imponibile IVA"_s, kDpr, true},
        {u"N4"_s, u"Esenti"_s, u"Operazione esente ai sensi dell'art. 10 del DPR 633/72"_s, kDpr + u", art. 10"_s,
         true},
        {u"N5"_s, u"Regime del margine / IVA non esposta in fattura"_s,
         u"Regime del margine ai sensi dell'art. 36 del DL 41/95"_s, u"DL 41/95, art. 36"_s, true},
        {u"N6.2"_s, u"Inversione contabile - cessione di oro e argento"_s, inversione(u"17, comma 5,"_s),
         kDpr + u", art. 17, c. 5"_s, false},
        {u"N6.4"_s, u"Inversione contabile - cessione di fabbricati"_s, inversione(u"17, comma 6, lett. a-bis)"_s),
         kDpr + u", art. 17, c. 6, lett. a-bis)"_s, false},
        {u"N6.5"_s, u"Inversione contabile - cessione di telefoni cellulari"_s, inversione(u"17, comma 6, lett. b)"_s),
         kDpr + u", art. 17, c. 6, lett. b)"_s, false},
        {u"N6.6"_s, u"Inversione contabile - cessione di prodotti elettronici"_s,
         inversione(u"17, comma 6, lett. c)"_s), kDpr + u", art. 17, c. 6, lett. c)"_s, false},
        {u"N6.8"_s, u"Inversione contabile - operazioni settore energetico"_s,
         inversione(u"17, comma 6, lett. d-bis), d-ter) e d-quater)"_s),
         kDpr + u", art. 17, c. 6, lett. d-bis)-d-quater)"_s, false},
        {u"N6.9"_s, u"Inversione contabile - altri casi"_s, inversione(u"17"_s), kDpr + u", art. 17"_s, false},
        {u"N7"_s, u"IVA assolta in altro stato UE"_s,
         u"IVA assolta in altro Stato UE ai sensi degli artt. 7-bis e 7-sexies del DPR 633/72"_s,
         kDpr + u", artt. 7-bis e 7-sexies"_s, false},
    };
    return list;
}

const Natura* natura(const QString& codice)
{
    for (const Natura& n : nature())
        if (n.codice == codice)
            return &n;
    return nullptr;
}

bool causaleRitenutaValida(const QString& codice)
{
    // The CausalePagamento list of schema 1.2.2: every letter but F, J and K, and the codes added
    // later.
    static const QStringList others{u"L1"_s, u"M1"_s, u"M2"_s, u"O1"_s, u"V1"_s, u"ZO"_s, u"SC"_s};
    if (codice.size() == 1)
        return codice.at(0) >= u'A' && codice.at(0) <= u'Z' && !u"FJK"_s.contains(codice);
    return others.contains(codice);
}

QStringList rifiutiRegime(const CompanyFiscalData& azienda, int aliquota, bool ritenuta)
{
    QStringList out;
    if (azienda.regimeFiscale != kRegimeForfettario)
        return out;
    if (aliquota != 0)
        out << u"Regime forfettario (RF19): la fattura va emessa con aliquota 0 %"_s;
    if (ritenuta)
        out << u"Regime forfettario (RF19): la fattura non subisce la ritenuta"_s;
    return out;
}

Decimal importoPerBollo(const QList<InvoiceRow>& rows)
{
    Decimal out;
    for (const InvoiceRow& r : rows)
        if (r.descrizione != kRigaBollo)
            out += InvoiceRules::importoMostrato(r);
    return out;
}

std::optional<InvoiceRow> rigaBollo(const CompanyFiscalData& azienda, int aliquota, bool ritenuta,
                                    const QString& natura, const QList<InvoiceRow>& rows)
{
    if (!azienda.bolloACliente || !tratta(azienda, aliquota, ritenuta, natura, importoPerBollo(rows)).bollo)
        return std::nullopt;
    int ord = 0;
    for (const InvoiceRow& r : rows) {
        if (r.descrizione == kRigaBollo)
            return std::nullopt;
        ord = std::max(ord, r.ord);
    }
    return InvoiceRow{ord + 1, kRigaBollo, Decimal(), kImportoBollo};
}

Trattamento tratta(const CompanyFiscalData& azienda, int aliquota, bool ritenuta, const QString& codice,
                   const Decimal& imponibile)
{
    Trattamento t;
    if (azienda.regimeFiscale == kRegimeForfettario) {
        // The flat-rate regime charges no VAT and suffers no withholding (L. 190/2014, c. 67).
        t.natura = kNaturaForfettario;
        t.diciture << kDicituraForfettario;
        t.bollo = imponibile > kSogliaBollo;
    } else {
        t.ritenuta = ritenuta;
        if (aliquota == 0) {
            t.natura = codice;
            if (const Natura* n = natura(codice)) {
                if (!n->dicitura.isEmpty())
                    t.diciture << n->dicitura;
                t.bollo = n->bollo && imponibile > kSogliaBollo;
            }
        }
    }
    if (t.bollo)
        t.diciture << kDicituraBollo;
    return t;
}

} // namespace FiscalWordings
