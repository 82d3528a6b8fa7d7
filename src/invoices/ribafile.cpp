#include "invoices/ribafile.h"

#include "registry/bankcodes.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace RibaFile {

namespace {

// The presentation of collection orders (Ri.Ba.), as the CBI standard lays its records out.
const QList<Campo> kTracciato = {
    // Header: who sends, to which bank, and the flow's name.
    {"IB", "filler1", 1, 1, false},
    {"IB", "tipo", 2, 2, false},
    {"IB", "mittente", 4, 5, false}, // the creditor's SIA code
    {"IB", "ricevente", 9, 5, true}, // ABI of the bank taking the receipts
    {"IB", "dataCreazione", 14, 6, true},
    {"IB", "nomeSupporto", 20, 20, false},
    {"IB", "disposizione", 40, 6, false},
    {"IB", "filler2", 46, 59, false},
    {"IB", "qualificatoreFlusso", 105, 7, false},
    {"IB", "filler3", 112, 2, false},
    {"IB", "divisa", 114, 1, false},
    {"IB", "filler4", 115, 1, false},
    {"IB", "nonDisponibile", 116, 5, false},
    // The receipt: due date, amount, the creditor's bank and the debtor's.
    {"14", "filler1", 1, 1, false},
    {"14", "tipo", 2, 2, false},
    {"14", "progressivo", 4, 7, true},
    {"14", "filler2", 11, 12, false},
    {"14", "scadenza", 23, 6, true},
    {"14", "causale", 29, 5, true},
    {"14", "importo", 34, 13, true}, // in cents
    {"14", "segno", 47, 1, false},
    {"14", "abiAssuntrice", 48, 5, true},
    {"14", "cabAssuntrice", 53, 5, true},
    {"14", "conto", 58, 12, false},
    {"14", "abiDomiciliataria", 70, 5, true},
    {"14", "cabDomiciliataria", 75, 5, true},
    {"14", "filler3", 80, 12, false},
    {"14", "codiceAzienda", 92, 5, false}, // SIA again
    {"14", "tipoCodice", 97, 1, false},
    {"14", "codiceCliente", 98, 16, false},
    {"14", "flagTipoDebitore", 114, 1, false},
    {"14", "filler4", 115, 5, false},
    {"14", "divisa", 120, 1, false},
    // The creditor in four segments.
    {"20", "filler1", 1, 1, false},
    {"20", "tipo", 2, 2, false},
    {"20", "progressivo", 4, 7, true},
    {"20", "creditore1", 11, 24, false},
    {"20", "creditore2", 35, 24, false},
    {"20", "creditore3", 59, 24, false},
    {"20", "creditore4", 83, 24, false},
    {"20", "filler2", 107, 14, false},
    // The debtor's name and tax code.
    {"30", "filler1", 1, 1, false},
    {"30", "tipo", 2, 2, false},
    {"30", "progressivo", 4, 7, true},
    {"30", "debitore1", 11, 30, false},
    {"30", "debitore2", 41, 30, false},
    {"30", "codiceFiscale", 71, 16, false},
    {"30", "filler2", 87, 34, false},
    // The debtor's address and bank.
    {"40", "filler1", 1, 1, false},
    {"40", "tipo", 2, 2, false},
    {"40", "progressivo", 4, 7, true},
    {"40", "indirizzo", 11, 30, false},
    {"40", "cap", 41, 5, true},
    {"40", "comune", 46, 23, false},
    {"40", "provincia", 69, 2, false},
    {"40", "banca", 71, 50, false},
    // What the receipt is for, and the creditor's tax code.
    {"50", "filler1", 1, 1, false},
    {"50", "tipo", 2, 2, false},
    {"50", "progressivo", 4, 7, true},
    {"50", "riferimento1", 11, 40, false},
    {"50", "riferimento2", 51, 40, false},
    {"50", "filler2", 91, 10, false},
    {"50", "codiceFiscaleCreditore", 101, 16, false},
    {"50", "filler3", 117, 4, false},
    // The creditor's receipt number; the stamp-duty authorisation, unused.
    {"51", "filler1", 1, 1, false},
    {"51", "tipo", 2, 2, false},
    {"51", "progressivo", 4, 7, true},
    {"51", "numeroRicevuta", 11, 10, true},
    {"51", "denominazione", 21, 20, false},
    {"51", "intendenza", 41, 15, false},
    {"51", "numeroAutorizzazione", 56, 10, false},
    {"51", "dataAutorizzazione", 66, 6, false},
    {"51", "filler2", 72, 49, false},
    // Circuit and control keys, left to the banks.
    {"70", "filler1", 1, 1, false},
    {"70", "tipo", 2, 2, false},
    {"70", "progressivo", 4, 7, true},
    {"70", "filler2", 11, 78, false},
    {"70", "indicatoriCircuito", 89, 12, false},
    {"70", "tipoDocumento", 101, 1, false},
    {"70", "flagRichiestaEsito", 102, 1, false},
    {"70", "flagStampaAvviso", 103, 1, false},
    {"70", "chiaviControllo", 104, 17, false},
    // Footer: the header's names again and the flow's counts.
    {"EF", "filler1", 1, 1, false},
    {"EF", "tipo", 2, 2, false},
    {"EF", "mittente", 4, 5, false},
    {"EF", "ricevente", 9, 5, true},
    {"EF", "dataCreazione", 14, 6, true},
    {"EF", "nomeSupporto", 20, 20, false},
    {"EF", "disposizione", 40, 6, false},
    {"EF", "numeroDisposizioni", 46, 7, true},
    {"EF", "totaleNegativi", 53, 15, true}, // the receipts, in cents
    {"EF", "totalePositivi", 68, 15, true},
    {"EF", "numeroRecord", 83, 7, true},
    {"EF", "filler2", 90, 24, false},
    {"EF", "divisa", 114, 1, false},
    {"EF", "nonDisponibile", 115, 6, false},
};

constexpr int kRecordPerRicevuta = 7;                  // 14, 20, 30, 40, 50, 51, 70
constexpr qint64 kMassimoImporto = 9'999'999'999'999;  // cents in the receipt's 13 digits
constexpr qint64 kMassimoTotale = 999'999'999'999'999; // the footer's 15

qint64 centesimi(const Decimal& d)
{
    return (d * Decimal(100)).rounded(0).integerPart();
}

// One record being filled: spaces, then the fields by name.
class Record {
public:
    explicit Record(const char* tipo) : m_tipo(tipo), m_testo(kLunghezzaRecord, u' ')
    {
        metti("tipo", QString::fromLatin1(tipo));
    }

    Record& metti(const char* nome, const QString& valore)
    {
        const Campo* c = campo(m_tipo, nome);
        Q_ASSERT_X(c, "RibaFile", nome);
        if (!c)
            return *this;
        QString v;
        if (c->numerico) {
            for (const QChar ch : valore)
                if (ch.isDigit())
                    v += ch;
            v = v.right(c->lunghezza).rightJustified(c->lunghezza, u'0');
        } else {
            v = testoAmmesso(valore).left(c->lunghezza).leftJustified(c->lunghezza, u' ');
        }
        m_testo.replace(c->inizio - 1, c->lunghezza, v);
        return *this;
    }
    Record& metti(const char* nome, qint64 numero) { return metti(nome, QString::number(numero)); }

    const QString& testo() const { return m_testo; }

private:
    const char* m_tipo;
    QString m_testo;
};

QString data(const QDate& d)
{
    return d.toString(u"ddMMyy"_s);
}

// The account as record 14 wants it: a number gets the zeros in front that make the twelve
// digits of an Italian account.
QString conto(const QString& dato)
{
    const QString c = dato.trimmed().toUpper();
    bool cifre = !c.isEmpty();
    for (const QChar ch : c)
        cifre = cifre && ch.isDigit();
    return cifre ? c.rightJustified(12, u'0') : c;
}

// Text over two segments of a record: what does not fit the first goes on in the second, cut
// between words when it can.
std::pair<QString, QString> dueSegmenti(const QString& s, int primo)
{
    const QString t = testoAmmesso(s).simplified();
    if (t.size() <= primo)
        return {t, QString()};
    const qsizetype spazio = t.lastIndexOf(u' ', primo);
    const qsizetype taglio = spazio > 0 ? spazio : primo;
    return {t.left(taglio), t.mid(taglio).trimmed()};
}

} // namespace

const QList<Campo>& tracciato()
{
    return kTracciato;
}

const Campo* campo(const char* record, const char* nome)
{
    for (const Campo& c : kTracciato)
        if (qstrcmp(c.record, record) == 0 && qstrcmp(c.nome, nome) == 0)
            return &c;
    return nullptr;
}

QString testoAmmesso(const QString& s)
{
    static const QString kSegni = u" .,-/'()+&:?"_s;
    QString out;
    out.reserve(s.size());
    for (const QChar ch : s.normalized(QString::NormalizationForm_D)) {
        if (ch.category() == QChar::Mark_NonSpacing)
            continue; // the accent a letter was split from
        const QString su = QString(ch).toUpper();
        for (const QChar u : su) {
            if ((u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || kSegni.contains(u))
                out += u;
            else if (u == u'\u2019' || u == u'\u2018')
                out += u'\'';
            else
                out += u' ';
        }
    }
    return out;
}

QString errore(const Creditore& c, const QList<Ricevuta>& ricevute)
{
    if (const QString e = c.banca.errore(); !e.isEmpty())
        return e;
    if (ricevute.isEmpty())
        return u"Nessuna Ri.Ba. da presentare."_s;
    qint64 totale = 0;
    for (const Ricevuta& r : ricevute) {
        if (!BankCodes::codiceValido(r.abi) || !BankCodes::codiceValido(r.cab))
            return u"Il cliente %1 non ha ABI e CAB validi della sua banca: la Ri.Ba. \"%2\" non può essere "
                   "presentata. Indicarli nei dati del cliente."_s.arg(r.debitore.trimmed(), r.riferimento);
        if (!r.scadenza.isValid())
            return u"La Ri.Ba. \"%1\" non ha una scadenza."_s.arg(r.riferimento);
        const qint64 cent = centesimi(r.importo);
        if (r.importo.isOverflow() || cent <= 0)
            return u"L'importo della Ri.Ba. \"%1\" deve essere maggiore di zero."_s.arg(r.riferimento);
        if (cent > kMassimoImporto)
            return u"L'importo della Ri.Ba. \"%1\" è troppo grande per il file della banca."_s.arg(r.riferimento);
        totale += cent;
    }
    if (totale > kMassimoTotale)
        return u"Il totale delle Ri.Ba. è troppo grande per un solo file."_s;
    return {};
}

QByteArray scrivi(const Creditore& c, const QList<Ricevuta>& ricevute, const QDate& creazione,
                  const QString& nomeSupporto)
{
    const CompanyBank& b = c.banca;
    QString out;
    const auto aggiungi = [&out](const Record& r) { out += r.testo() + u"\r\n"_s; };

    aggiungi(Record("IB")
                 .metti("mittente", b.sia)
                 .metti("ricevente", b.abi)
                 .metti("dataCreazione", data(creazione))
                 .metti("nomeSupporto", nomeSupporto)
                 .metti("divisa", u"E"_s));

    qint64 totale = 0;
    int progressivo = 0;
    for (const Ricevuta& r : ricevute) {
        ++progressivo;
        const qint64 cent = centesimi(r.importo);
        totale += cent;
        aggiungi(Record("14")
                     .metti("progressivo", progressivo)
                     .metti("scadenza", data(r.scadenza))
                     .metti("causale", u"30000"_s)
                     .metti("importo", cent)
                     .metti("segno", u"-"_s)
                     .metti("abiAssuntrice", b.abi)
                     .metti("cabAssuntrice", b.cab)
                     .metti("conto", conto(b.conto))
                     .metti("abiDomiciliataria", r.abi)
                     .metti("cabDomiciliataria", r.cab)
                     .metti("codiceAzienda", b.sia)
                     .metti("tipoCodice", u"4"_s)
                     .metti("codiceCliente", r.codiceCliente)
                     .metti("divisa", u"E"_s));
        aggiungi(Record("20")
                     .metti("progressivo", progressivo)
                     .metti("creditore1", c.ragioneSociale)
                     .metti("creditore2", c.indirizzo)
                     .metti("creditore3", c.localita)
                     .metti("creditore4", c.partitaIva.isEmpty() ? QString() : u"P.IVA "_s + c.partitaIva));
        const auto [deb1, deb2] = dueSegmenti(r.debitore, 30);
        aggiungi(Record("30")
                     .metti("progressivo", progressivo)
                     .metti("debitore1", deb1)
                     .metti("debitore2", deb2)
                     .metti("codiceFiscale", r.codiceFiscale));
        aggiungi(Record("40")
                     .metti("progressivo", progressivo)
                     .metti("indirizzo", r.indirizzo)
                     .metti("cap", r.cap)
                     .metti("comune", r.comune)
                     .metti("provincia", r.provincia)
                     .metti("banca", r.banca));
        const auto [rif1, rif2] = dueSegmenti(r.riferimento, 40);
        aggiungi(Record("50")
                     .metti("progressivo", progressivo)
                     .metti("riferimento1", rif1)
                     .metti("riferimento2", rif2)
                     .metti("codiceFiscaleCreditore", c.partitaIva));
        aggiungi(Record("51")
                     .metti("progressivo", progressivo)
                     .metti("numeroRicevuta", r.numero > 0 ? r.numero : progressivo)
                     .metti("denominazione", c.ragioneSociale));
        aggiungi(Record("70").metti("progressivo", progressivo));
    }

    aggiungi(Record("EF")
                 .metti("mittente", b.sia)
                 .metti("ricevente", b.abi)
                 .metti("dataCreazione", data(creazione))
                 .metti("nomeSupporto", nomeSupporto)
                 .metti("numeroDisposizioni", progressivo)
                 .metti("totaleNegativi", totale)
                 .metti("totalePositivi", qint64(0))
                 .metti("numeroRecord", qint64(2 + progressivo * kRecordPerRicevuta))
                 .metti("divisa", u"E"_s));
    return out.toLatin1();
}

} // namespace RibaFile
