#include "invoices/einvoicexml.h"

#include "invoices/ddtinvoicing.h"
#include "invoices/einvoicerules.h"
#include "invoices/fiscalwordings.h"
#include "invoices/invoicerules.h"
#include "invoices/invoicetotals.h"
#include "registry/bankcodes.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

using namespace Qt::StringLiterals;
using namespace EInvoiceRules;

namespace {

const QString kNamespace = u"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2"_s;

QString nazione(const QString& n)
{
    const QString s = n.trimmed().toUpper();
    return s.isEmpty() ? u"IT"_s : s;
}

QString denominazione(const CustomerRecord& c)
{
    const QString ragione = (c.ragione.trimmed() + u' ' + c.ragione2.trimmed()).trimmed();
    return ragione.isEmpty() ? c.nome : ragione;
}

// Rows the file carries: every row with a text or an amount; spacer lines stay out.
bool carried(const InvoiceRow& r)
{
    return !r.descrizione.trimmed().isEmpty() || !r.prezzo.isZero();
}

// The line numbers of each DDT's rows: those after its heading ("DDT n. ... del ..."), up to the
// next DDT's heading; a DDT whose heading is gone refers to no line.
QList<QStringList> lineeDdt(const QList<InvoiceRow>& rows, const QList<DdtReference>& ddt)
{
    QList<QStringList> out(ddt.size());
    QStringList intestazioni;
    for (const DdtReference& d : ddt)
        intestazioni << DdtInvoicing::intestazione(d.num, d.data);
    qsizetype corrente = -1;
    int linea = 0;
    for (const InvoiceRow& r : rows) {
        if (!carried(r))
            continue;
        ++linea;
        if (const qsizetype i = intestazioni.indexOf(r.descrizione.trimmed()); i >= 0)
            corrente = i;
        if (corrente >= 0)
            out[corrente] << QString::number(linea);
    }
    return out;
}

class Writer {
public:
    Writer(QByteArray* out, QStringList* adattati) : x(out), m_adattati(adattati) {}
    QXmlStreamWriter x;

    // testo(), noting each text whose letters were changed to fit Latin-1.
    QString t(const QString& text, int maxLength)
    {
        QString out = testo(text, maxLength);
        if (m_adattati && lettereFuoriLatin1(text)) {
            const QString nota = u"\"%1\" → \"%2\""_s.arg(text.simplified(), out);
            if (!m_adattati->contains(nota))
                m_adattati->append(nota);
        }
        return out;
    }

    void el(const QString& name, const QString& value) { x.writeTextElement(name, value); }
    void open(const QString& name) { x.writeStartElement(name); }
    void close() { x.writeEndElement(); }

    void sede(const QString& indirizzo, const QString& cap, const QString& comune, const QString& provincia,
              const QString& paese)
    {
        open(u"Sede"_s);
        el(u"Indirizzo"_s, t(indirizzo, 60));
        el(u"CAP"_s, cap);
        el(u"Comune"_s, t(comune, 60));
        if (!provincia.isEmpty())
            el(u"Provincia"_s, provincia);
        el(u"Nazione"_s, paese);
        close();
    }

private:
    QStringList* m_adattati;
};

} // namespace

QStringList EInvoiceXml::mancanti(const Input& in)
{
    static const QRegularExpression cap(u"^[0-9]{5}$"_s);
    static const QRegularExpression letters2(u"^[A-Z]{2}$"_s);
    QStringList out = problemiAzienda(in.company);
    const CustomerRecord& c = in.customer;
    const QString paese = nazione(in.recipient.nazione);
    const QString piva = identificativo(c.piva, paese);
    const QString cf = identificativo(c.cf);
    if (piva.isEmpty() && cf.isEmpty())
        out << u"Partita IVA o codice fiscale del cliente"_s;
    if (!piva.isEmpty() && paese == u"IT"_s && !partitaIvaValida(piva))
        out << u"Partita IVA del cliente non valida (11 cifre, l'ultima di controllo)"_s;
    if (!piva.isEmpty() && piva.size() > 28)
        out << u"Partita IVA del cliente troppo lunga"_s;
    if (!cf.isEmpty() && !codiceFiscaleValido(cf))
        out << u"Codice fiscale del cliente non valido"_s;
    if (testo(denominazione(c), 80).isEmpty())
        out << u"Ragione sociale del cliente"_s;
    if (testo(c.indirizzo, 60).isEmpty())
        out << u"Indirizzo del cliente"_s;
    if (paese == u"IT"_s && !cap.match(c.cap.trimmed()).hasMatch())
        out << u"CAP del cliente (5 cifre)"_s;
    if (testo(c.citta, 60).isEmpty())
        out << u"Comune del cliente"_s;
    if (paese == u"IT"_s && !c.prov.trimmed().isEmpty() && !letters2.match(c.prov.trimmed().toUpper()).hasMatch())
        out << u"Provincia del cliente (2 lettere)"_s;
    out << problemiCliente(in.recipient) << problemiCodiciPA(in.codiciPA, in.recipient);

    const Invoice& inv = in.invoice;
    if (!inv.data.isValid())
        out << u"Data della fattura"_s;
    if (inv.num.isEmpty() || inv.num.size() > 20 || !inv.num.contains(QRegularExpression(u"[0-9]"_s)))
        out << u"Numero della fattura"_s;
    const bool forfettario = in.company.regimeFiscale == FiscalWordings::kRegimeForfettario;
    out << FiscalWordings::rifiutiRegime(in.company, inv.iva, inv.ra);
    if (inv.iva == 0 && !forfettario && !inElenco(nature(), in.natura))
        out << u"Natura dell'operazione per l'aliquota 0 %"_s;
    if (inv.ra && !forfettario && !FiscalWordings::causaleRitenutaValida(in.company.causaleRitenuta))
        out << u"Causale della ritenuta nei dati dell'azienda"_s;
    if (inv.iva < 0 || inv.iva >= 100)
        out << u"Aliquota IVA (da 0 a 99)"_s;
    qsizetype righe = 0;
    for (const InvoiceRow& r : inv.rows)
        righe += carried(r) ? 1 : 0;
    if (righe == 0)
        out << u"Almeno una riga con descrizione o importo"_s;
    if (righe > 9999)
        out << u"Al massimo 9999 righe"_s;
    const InvoiceTotals t = InvoiceTotals::calcola(inv.rows, inv.iva, inv.ra);
    if (t.totale.isOverflow() || t.imponibile.abs() >= Decimal(1000000000000LL))
        out << u"Importi della fattura troppo grandi"_s;
    return out;
}

QByteArray EInvoiceXml::write(const Input& in, QStringList* adattati)
{
    const Invoice& inv = in.invoice;
    const CompanyFiscalData& a = in.company;
    const CustomerRecord& c = in.customer;
    const QString paeseCliente = nazione(in.recipient.nazione);
    const bool estero = paeseCliente != u"IT"_s;
    const QString pivaAzienda = identificativo(a.partitaIva, u"IT"_s);
    const QString cfAzienda = identificativo(a.codiceFiscale);
    // The amounts exactly as the printed invoice shows them.
    const InvoiceTotals t = InvoiceTotals::calcola(inv.rows, inv.iva, inv.ra);
    const Decimal imponibile = t.imponibile.rounded(2);
    const Decimal imposta = t.iva.rounded(2);
    const QString aliquota = importo(Decimal(inv.iva));
    const FiscalWordings::Trattamento fiscale =
        FiscalWordings::tratta(a, inv.iva, inv.ra, in.natura, FiscalWordings::importoPerBollo(inv.rows));
    const QString& natura = fiscale.natura;
    const bool pa = pubblicaAmministrazione(in.recipient);
    const QString formato = pa ? u"FPA12"_s : u"FPR12"_s;
    // Split payment: a public body pays the VAT to the treasury itself.
    const bool scissione = pa && inv.iva > 0;

    QByteArray out;
    out.reserve(2048 + 300 * inv.rows.size());
    Writer w(&out, adattati);
    QXmlStreamWriter& x = w.x;
    x.setAutoFormatting(true);
    x.setAutoFormattingIndent(1);
    x.writeStartDocument(u"1.0"_s);
    x.writeNamespace(kNamespace, u"p"_s);
    x.writeNamespace(u"http://www.w3.org/2000/09/xmldsig#"_s, u"ds"_s);
    x.writeNamespace(u"http://www.w3.org/2001/XMLSchema-instance"_s, u"xsi"_s);
    x.writeStartElement(kNamespace, u"FatturaElettronica"_s);
    x.writeAttribute(u"versione"_s, formato);
    x.writeAttribute(u"http://www.w3.org/2001/XMLSchema-instance"_s, u"schemaLocation"_s,
                     kNamespace + u" http://www.fatturapa.gov.it/export/fatturazione/sdi/fatturapa/v1.2/"
                                  "Schema_del_file_xml_FatturaPA_versione_1.2.xsd"_s);

    w.open(u"FatturaElettronicaHeader"_s);
    w.open(u"DatiTrasmissione"_s);
    w.open(u"IdTrasmittente"_s);
    w.el(u"IdPaese"_s, u"IT"_s);
    w.el(u"IdCodice"_s, cfAzienda.isEmpty() ? pivaAzienda : cfAzienda);
    w.close();
    w.el(u"ProgressivoInvio"_s, in.progressivo);
    w.el(u"FormatoTrasmissione"_s, formato);
    const QString codice = codiceDaUsare(in.recipient);
    w.el(u"CodiceDestinatario"_s, codice);
    // A PEC address is read only beside the code of "no channel".
    if (codice == kCodiceSenzaCanale && !in.recipient.pec.trimmed().isEmpty())
        w.el(u"PECDestinatario"_s, in.recipient.pec.trimmed());
    w.close();

    w.open(u"CedentePrestatore"_s);
    w.open(u"DatiAnagrafici"_s);
    w.open(u"IdFiscaleIVA"_s);
    w.el(u"IdPaese"_s, u"IT"_s);
    w.el(u"IdCodice"_s, pivaAzienda);
    w.close();
    if (!cfAzienda.isEmpty())
        w.el(u"CodiceFiscale"_s, cfAzienda);
    w.open(u"Anagrafica"_s);
    w.el(u"Denominazione"_s, w.t(a.denominazione, 80));
    w.close();
    w.el(u"RegimeFiscale"_s, a.regimeFiscale);
    w.close();
    w.sede(a.indirizzo, a.cap.trimmed(), a.comune, a.provincia.trimmed().toUpper(), nazione(a.nazione));
    w.close();

    w.open(u"CessionarioCommittente"_s);
    w.open(u"DatiAnagrafici"_s);
    const QString pivaCliente = identificativo(c.piva, paeseCliente);
    if (!pivaCliente.isEmpty()) {
        w.open(u"IdFiscaleIVA"_s);
        w.el(u"IdPaese"_s, paeseCliente);
        w.el(u"IdCodice"_s, pivaCliente);
        w.close();
    }
    if (const QString cf = identificativo(c.cf); !cf.isEmpty())
        w.el(u"CodiceFiscale"_s, cf);
    w.open(u"Anagrafica"_s);
    w.el(u"Denominazione"_s, w.t(denominazione(c), 80));
    w.close();
    w.close();
    // Abroad the postcode is not an Italian one: the format wants five zeros.
    w.sede(c.indirizzo, estero ? u"00000"_s : c.cap.trimmed(), c.citta, estero ? QString() : c.prov.trimmed().toUpper(),
           paeseCliente);
    w.close();
    w.close(); // header

    w.open(u"FatturaElettronicaBody"_s);
    w.open(u"DatiGenerali"_s);
    w.open(u"DatiGeneraliDocumento"_s);
    w.el(u"TipoDocumento"_s, inv.notaDiCredito() ? u"TD04"_s : in.ddt.isEmpty() ? u"TD01"_s : u"TD24"_s);
    w.el(u"Divisa"_s, u"EUR"_s);
    w.el(u"Data"_s, inv.data.toString(Qt::ISODate));
    w.el(u"Numero"_s, inv.num);
    if (fiscale.ritenuta) {
        w.open(u"DatiRitenuta"_s);
        w.el(u"TipoRitenuta"_s, a.personaFisica ? u"RT01"_s : u"RT02"_s);
        w.el(u"ImportoRitenuta"_s, importo(t.ritenuta));
        w.el(u"AliquotaRitenuta"_s, u"4.00"_s);
        w.el(u"CausalePagamento"_s, a.causaleRitenuta);
        w.close();
    }
    if (fiscale.bollo) {
        w.open(u"DatiBollo"_s);
        w.el(u"BolloVirtuale"_s, u"SI"_s);
        w.el(u"ImportoBollo"_s, importo(FiscalWordings::kImportoBollo));
        w.close();
    }
    // Taxable amount plus VAT: the withholding is paid by the customer to the treasury, not
    // subtracted from the document's total.
    w.el(u"ImportoTotaleDocumento"_s, importo(imponibile + imposta));
    const QString note = w.t(inv.note, 100000);
    for (qsizetype i = 0; i < note.size(); i += 200)
        w.el(u"Causale"_s, note.mid(i, 200).trimmed());
    w.close();
    if (const QString cig = identificativo(in.codiciPA.cig), cup = identificativo(in.codiciPA.cup);
        pa && (!cig.isEmpty() || !cup.isEmpty())) {
        // Without an order number the document is named by the code itself.
        w.open(u"DatiOrdineAcquisto"_s);
        w.el(u"IdDocumento"_s, cig.isEmpty() ? cup : cig);
        if (!cup.isEmpty())
            w.el(u"CodiceCUP"_s, cup);
        if (!cig.isEmpty())
            w.el(u"CodiceCIG"_s, cig);
        w.close();
    }
    // A credit note names the invoice it reverses.
    if (inv.notaDiCredito()) {
        w.open(u"DatiFattureCollegate"_s);
        w.el(u"IdDocumento"_s, inv.storno.fattura);
        w.el(u"Data"_s, inv.storno.data.toString(Qt::ISODate));
        w.close();
    }
    const QList<QStringList> linee = lineeDdt(inv.rows, in.ddt);
    for (qsizetype i = 0; i < in.ddt.size(); ++i) {
        w.open(u"DatiDDT"_s);
        w.el(u"NumeroDDT"_s, w.t(in.ddt[i].num, 20));
        w.el(u"DataDDT"_s, in.ddt[i].data.toString(Qt::ISODate));
        for (const QString& l : linee[i])
            w.el(u"RiferimentoNumeroLinea"_s, l);
        w.close();
    }
    w.close();

    w.open(u"DatiBeniServizi"_s);
    int linea = 0;
    for (const InvoiceRow& r : inv.rows) {
        if (!carried(r))
            continue;
        w.open(u"DettaglioLinee"_s);
        w.el(u"NumeroLinea"_s, QString::number(++linea));
        const QString descrizione = w.t(r.descrizione, 1000);
        w.el(u"Descrizione"_s, descrizione.isEmpty() ? u"-"_s : descrizione);
        const Decimal totale = InvoiceRules::importoMostrato(r);
        if (r.prezzo.isZero()) {
            w.el(u"PrezzoUnitario"_s, u"0.00"_s);
        } else if (r.qta.isZero()) {
            // A lump sum: one unit at its amount.
            w.el(u"PrezzoUnitario"_s, importo(totale));
        } else {
            w.el(u"Quantita"_s, numero(r.qta));
            // The rows carry no unit; validators want one beside every quantity.
            w.el(u"UnitaMisura"_s, u"NR"_s);
            w.el(u"PrezzoUnitario"_s, numero(r.prezzo));
        }
        w.el(u"PrezzoTotale"_s, importo(totale));
        w.el(u"AliquotaIVA"_s, aliquota);
        if (fiscale.ritenuta && !totale.isZero())
            w.el(u"Ritenuta"_s, u"SI"_s);
        if (!natura.isEmpty())
            w.el(u"Natura"_s, natura);
        w.close();
    }
    w.open(u"DatiRiepilogo"_s);
    w.el(u"AliquotaIVA"_s, aliquota);
    if (!natura.isEmpty())
        w.el(u"Natura"_s, natura);
    w.el(u"ImponibileImporto"_s, importo(imponibile));
    w.el(u"Imposta"_s, importo(imposta));
    w.el(u"EsigibilitaIVA"_s, scissione ? u"S"_s : u"I"_s);
    w.close();
    w.close();

    if (!in.scadenze.isEmpty()) {
        w.open(u"DatiPagamento"_s);
        // One payment in full, or by instalments.
        w.el(u"CondizioniPagamento"_s, in.scadenze.size() == 1 ? u"TP02"_s : u"TP01"_s);
        for (const DueDate& d : in.scadenze) {
            const bool bonifico = d.modalita == u"MP05"_s && !a.iban.trimmed().isEmpty();
            const bool riba = d.modalita == u"MP12"_s && BankCodes::codiceValido(in.bancaCliente.abi) &&
                              BankCodes::codiceValido(in.bancaCliente.cab);
            const bool addebito = (d.modalita == u"MP19"_s || d.modalita == u"MP20"_s || d.modalita == u"MP21"_s) &&
                                  BankCodes::ibanValido(in.bancaCliente.iban);
            w.open(u"DettaglioPagamento"_s);
            if (bonifico)
                w.el(u"Beneficiario"_s, w.t(a.denominazione, 200));
            w.el(u"ModalitaPagamento"_s, d.modalita);
            w.el(u"DataScadenzaPagamento"_s, d.data.toString(Qt::ISODate));
            w.el(u"ImportoPagamento"_s, importo(d.importo));
            const QString istituto = w.t(bonifico ? a.istitutoFinanziario : in.bancaCliente.banca, 80);
            if ((bonifico || riba || addebito) && !istituto.isEmpty())
                w.el(u"IstitutoFinanziario"_s, istituto);
            if (bonifico)
                w.el(u"IBAN"_s, identificativo(a.iban));
            if (addebito)
                w.el(u"IBAN"_s, BankCodes::normalizzaIban(in.bancaCliente.iban));
            if (riba) {
                w.el(u"ABI"_s, in.bancaCliente.abi);
                w.el(u"CAB"_s, in.bancaCliente.cab);
            }
            w.close();
        }
        w.close();
    } else if (!a.iban.trimmed().isEmpty()) {
        w.open(u"DatiPagamento"_s);
        w.el(u"CondizioniPagamento"_s, u"TP02"_s);
        w.open(u"DettaglioPagamento"_s);
        w.el(u"Beneficiario"_s, w.t(a.denominazione, 200));
        w.el(u"ModalitaPagamento"_s, u"MP05"_s);
        // What the customer pays: the printed amount due, net of the withholding (and of the VAT
        // under split payment).
        w.el(u"ImportoPagamento"_s, importo(t.daIncassare(scissione)));
        if (const QString istituto = w.t(a.istitutoFinanziario, 80); !istituto.isEmpty())
            w.el(u"IstitutoFinanziario"_s, istituto);
        w.el(u"IBAN"_s, identificativo(a.iban));
        w.close();
        w.close();
    }
    w.close(); // body
    x.writeEndElement();
    x.writeEndDocument();
    return out;
}

bool EInvoiceXml::writtenBy(QIODevice& file, const QString& partitaIva)
{
    QXmlStreamReader r(&file);
    if (!r.readNextStartElement() || r.name() != u"FatturaElettronica"_s || r.namespaceUri() != kNamespace)
        return false;
    // Only the header is read: CedentePrestatore/DatiAnagrafici/IdFiscaleIVA.
    const QStringList wanted{u"FatturaElettronicaHeader"_s, u"CedentePrestatore"_s, u"DatiAnagrafici"_s,
                             u"IdFiscaleIVA"_s};
    QStringList path;
    QString paese;
    QString codice;
    while (r.readNextStartElement()) {
        if (path.size() < wanted.size() && r.name() == wanted[path.size()]) {
            path << r.name().toString();
            continue;
        }
        if (path == wanted && r.name() == u"IdPaese"_s)
            paese = r.readElementText();
        else if (path == wanted && r.name() == u"IdCodice"_s)
            codice = r.readElementText();
        else
            r.skipCurrentElement();
        if (!paese.isEmpty() && !codice.isEmpty())
            return paese == u"IT"_s && identificativo(codice, u"IT"_s) == identificativo(partitaIva, u"IT"_s);
    }
    return false;
}
