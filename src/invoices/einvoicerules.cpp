#include "invoices/einvoicerules.h"

#include "invoices/fiscalwordings.h"

#include <QRegularExpression>
#include <utility>

using namespace Qt::StringLiterals;

namespace EInvoiceRules {

const QList<Voce>& regimiFiscali()
{
    static const QList<Voce> list = {
        {u"RF01"_s, u"Ordinario"_s},
        {u"RF02"_s, u"Contribuenti minimi (art. 1, c. 96-117, L. 244/07)"_s},
        {u"RF04"_s, u"Agricoltura e attività connesse e pesca (artt. 34 e 34-bis, DPR 633/72)"_s},
        {u"RF05"_s, u"Vendita sali e tabacchi (art. 74, c. 1, DPR 633/72)"_s},
        {u"RF06"_s, u"Commercio fiammiferi (art. 74, c. 1, DPR 633/72)"_s},
        {u"RF07"_s, u"Editoria (art. 74, c. 1, DPR 633/72)"_s},
        {u"RF08"_s, u"Gestione servizi telefonia pubblica (art. 74, c. 1, DPR 633/72)"_s},
        {u"RF09"_s, u"Rivendita documenti di trasporto pubblico e di sosta (art. 74, c. 1, DPR 633/72)"_s},
        {u"RF10"_s, u"Intrattenimenti, giochi e altre attività (art. 74, c. 6, DPR 633/72)"_s},
        {u"RF11"_s, u"Agenzie viaggi e turismo (art. 74-ter, DPR 633/72)"_s},
        {u"RF12"_s, u"Agriturismo (art. 5, c. 2, L. 413/91)"_s},
        {u"RF13"_s, u"Vendite a domicilio (art. 25-bis, c. 6, DPR 600/73)"_s},
        {u"RF14"_s, u"Rivendita beni usati, oggetti d'arte, d'antiquariato o da collezione (art. 36, DL 41/95)"_s},
        {u"RF15"_s, u"Agenzie di vendite all'asta di oggetti d'arte, antiquariato o da collezione"_s},
        {u"RF16"_s, u"IVA per cassa P.A. (art. 6, c. 5, DPR 633/72)"_s},
        {u"RF17"_s, u"IVA per cassa (art. 32-bis, DL 83/2012)"_s},
        {u"RF18"_s, u"Altro"_s},
        {u"RF19"_s, u"Regime forfettario (art. 1, c. 54-89, L. 190/2014)"_s},
    };
    return list;
}

const QList<Voce>& nature()
{
    static const QList<Voce> list = [] {
        QList<Voce> out;
        for (const FiscalWordings::Natura& n : FiscalWordings::nature())
            out.append({n.codice, n.descrizione});
        return out;
    }();
    return list;
}

bool inElenco(const QList<Voce>& elenco, const QString& codice)
{
    for (const Voce& v : elenco)
        if (v.codice == codice)
            return true;
    return false;
}

bool partitaIvaValida(const QString& piva)
{
    static const QRegularExpression digits(u"^[0-9]{11}$"_s);
    if (!digits.match(piva).hasMatch())
        return false;
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        int d = piva[i].digitValue();
        if (i % 2 == 1) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
    }
    return (10 - sum % 10) % 10 == piva[10].digitValue();
}

bool codiceFiscaleValido(const QString& cf)
{
    static const QRegularExpression person(u"^[A-Z0-9]{16}$"_s);
    return person.match(cf).hasMatch() || partitaIvaValida(cf);
}

bool codiceDestinatarioValido(const QString& codice)
{
    static const QRegularExpression re(u"^[A-Z0-9]{7}$"_s);
    return re.match(codice).hasMatch();
}

bool pecValida(const QString& pec)
{
    static const QRegularExpression re(u"^[^@\\s]+@[^@\\s]+\\.[^@\\s]+$"_s);
    return pec.size() >= 8 && pec.size() <= 256 && re.match(pec).hasMatch();
}

bool pubblicaAmministrazione(const CustomerEInvoiceData& data)
{
    static const QRegularExpression re(u"^[A-Z0-9]{6}$"_s);
    return (data.nazione.isEmpty() || data.nazione == u"IT"_s) &&
           re.match(identificativo(data.codiceDestinatario)).hasMatch();
}

QStringList problemiCodiciPA(const PublicBodyCodes& codes, const CustomerEInvoiceData& customer)
{
    static const QRegularExpression cig(u"^[A-Z0-9]{10}$"_s);
    static const QRegularExpression cup(u"^[A-Z0-9]{15}$"_s);
    const QString ci = identificativo(codes.cig);
    const QString cu = identificativo(codes.cup);
    QStringList out;
    if ((!ci.isEmpty() || !cu.isEmpty()) && !pubblicaAmministrazione(customer))
        out << u"Codice univoco ufficio del cliente (6 caratteri): CIG e CUP valgono solo per le pubbliche "
               "amministrazioni"_s;
    if (!ci.isEmpty() && !cig.match(ci).hasMatch())
        out << u"CIG (10 lettere o cifre)"_s;
    if (!cu.isEmpty() && !cup.match(cu).hasMatch())
        out << u"CUP (15 lettere o cifre)"_s;
    return out;
}

QString codiceDaUsare(const CustomerEInvoiceData& data)
{
    if (pubblicaAmministrazione(data))
        return identificativo(data.codiceDestinatario);
    if (!data.nazione.isEmpty() && data.nazione != u"IT"_s)
        return kCodiceEstero;
    const QString codice = identificativo(data.codiceDestinatario);
    if (codice.isEmpty() || !data.pec.trimmed().isEmpty())
        return kCodiceSenzaCanale;
    return codice;
}

QString identificativo(const QString& text, const QString& nazione)
{
    QString s = text.toUpper();
    s.remove(QRegularExpression(u"[\\s.\\-]"_s));
    if (!nazione.isEmpty() && s.size() > 2 && s.startsWith(nazione))
        s = s.mid(2);
    return s;
}

QStringList problemiAzienda(const CompanyFiscalData& d)
{
    static const QRegularExpression cap(u"^[0-9]{5}$"_s);
    static const QRegularExpression letters2(u"^[A-Z]{2}$"_s);
    static const QRegularExpression iban(u"^[A-Z]{2}[0-9]{2}[A-Z0-9]{11,30}$"_s);
    QStringList out;
    if (d.denominazione.trimmed().isEmpty())
        out << u"Denominazione dell'azienda"_s;
    const QString piva = identificativo(d.partitaIva, u"IT"_s);
    if (piva.isEmpty())
        out << u"Partita IVA dell'azienda"_s;
    else if (!partitaIvaValida(piva))
        out << u"Partita IVA dell'azienda non valida (11 cifre, l'ultima di controllo)"_s;
    const QString cf = identificativo(d.codiceFiscale);
    if (!cf.isEmpty() && !codiceFiscaleValido(cf))
        out << u"Codice fiscale dell'azienda non valido"_s;
    if (!inElenco(regimiFiscali(), d.regimeFiscale))
        out << u"Regime fiscale dell'azienda"_s;
    if (d.indirizzo.trimmed().isEmpty())
        out << u"Indirizzo dell'azienda"_s;
    if (!cap.match(d.cap.trimmed()).hasMatch())
        out << u"CAP dell'azienda (5 cifre)"_s;
    if (d.comune.trimmed().isEmpty())
        out << u"Comune dell'azienda"_s;
    if (!d.provincia.trimmed().isEmpty() && !letters2.match(d.provincia.trimmed().toUpper()).hasMatch())
        out << u"Provincia dell'azienda (2 lettere)"_s;
    if (!letters2.match(d.nazione.trimmed().toUpper()).hasMatch())
        out << u"Nazione dell'azienda (2 lettere)"_s;
    if (!d.iban.trimmed().isEmpty() && !iban.match(identificativo(d.iban)).hasMatch())
        out << u"IBAN dell'azienda non valido"_s;
    return out;
}

QStringList problemiCliente(const CustomerEInvoiceData& d)
{
    static const QRegularExpression letters2(u"^[A-Z]{2}$"_s);
    QStringList out;
    const QString codice = identificativo(d.codiceDestinatario);
    if (!codice.isEmpty() && !codiceDestinatarioValido(codice) && !pubblicaAmministrazione(d))
        out << u"Codice destinatario del cliente (7 lettere o cifre, 6 per una pubblica amministrazione)"_s;
    if (!d.pec.trimmed().isEmpty() && !pecValida(d.pec.trimmed()))
        out << u"Indirizzo PEC del cliente non valido"_s;
    if (!letters2.match(d.nazione.trimmed().toUpper()).hasMatch())
        out << u"Nazione del cliente (2 lettere)"_s;
    return out;
}

QString progressivo(long long n)
{
    static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QString out(5, u'0');
    for (int i = 4; i >= 0 && n > 0; --i, n /= 36)
        out[i] = QLatin1Char(digits[n % 36]);
    return out;
}

QString nomeFile(const QString& partitaIva, long long n)
{
    return u"IT"_s + identificativo(partitaIva, u"IT"_s) + u'_' + progressivo(n) + u".xml"_s;
}

namespace {

// Latin letters without a decomposition, and the typographic signs users paste from elsewhere.
QString senzaScomposizione(char32_t u)
{
    static const std::pair<char32_t, const char*> table[] = {
        {0x0110, "D"},  {0x0111, "d"},  {0x0126, "H"},  {0x0127, "h"},   {0x0131, "i"}, {0x0132, "IJ"},
        {0x0133, "ij"}, {0x0138, "k"},  {0x0141, "L"},  {0x0142, "l"},   {0x014A, "N"}, {0x014B, "n"},
        {0x0152, "OE"}, {0x0153, "oe"}, {0x0166, "T"},  {0x0167, "t"},   {0x0180, "b"}, {0x0192, "f"},
        {0x01B7, "Z"},  {0x0292, "z"},  {0x1E9E, "SS"}, {0x20AC, "EUR"}, {0x2018, "'"}, {0x2019, "'"},
        {0x201A, "'"},  {0x201C, "\""}, {0x201D, "\""}, {0x201E, "\""},  {0x2013, "-"}, {0x2014, "-"}};
    for (const auto& [code, text] : table)
        if (code == u)
            return QString::fromLatin1(text);
    return QString();
}

// The nearest Latin-1 text of one character beyond Latin-1: its base letters without accents
// ("ł" and "Ł" by their look), "?" when it has none (another script).
QString latino1(char32_t u)
{
    if (QString s = senzaScomposizione(u); !s.isEmpty())
        return s;
    QString out;
    for (const QChar c : QString::fromUcs4(&u, 1).normalized(QString::NormalizationForm_KD))
        if (c.unicode() >= 0x20 && c.unicode() <= 0xff && !(c.unicode() >= 0x7f && c.unicode() < 0xa0))
            out += c;
    return out.isEmpty() ? u"?"_s : out;
}

} // namespace

QString testo(const QString& text, int maxLength)
{
    QString out;
    out.reserve(text.size());
    // Composed first, so that a letter typed with a separate accent stays one Latin-1 letter.
    const QList<uint> chars = text.normalized(QString::NormalizationForm_C).toUcs4();
    for (qsizetype i = 0; i < chars.size();) {
        // A word with a letter beyond Latin-1 is written in plain Latin letters throughout
        // ("Łódź" as "Lodz", not "Lódz").
        qsizetype end = i;
        bool fuori = false;
        while (end < chars.size() && QChar::isLetterOrNumber(chars[end])) {
            fuori = fuori || chars[end] > 0xff;
            ++end;
        }
        if (end == i)
            ++end;
        for (qsizetype k = i; k < end; ++k) {
            const char32_t u = chars[k];
            if (u < 0x20 || (u >= 0x7f && u < 0xa0))
                out += u' ';
            else if (u <= 0xff && !(fuori && u >= 0xc0))
                out += QChar(static_cast<char16_t>(u));
            else
                out += latino1(u);
        }
        i = end;
    }
    out = out.simplified();
    if (out.size() > maxLength)
        out = out.left(maxLength).trimmed();
    return out;
}

bool lettereFuoriLatin1(const QString& text)
{
    for (const char32_t u : text.normalized(QString::NormalizationForm_C).toUcs4())
        if (u > 0xff && QChar::isLetter(u))
            return true;
    return false;
}

QString importo(const Decimal& d)
{
    return d.toFixed(2);
}

QString numero(const Decimal& d)
{
    QString s = d.rounded(8).toString();
    const qsizetype dot = s.indexOf(u'.');
    if (dot < 0)
        return s + u".00"_s;
    if (s.size() - dot - 1 < 2)
        s += u'0';
    return s;
}

} // namespace EInvoiceRules
