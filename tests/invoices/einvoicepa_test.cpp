#include "ddt/ddtstore.h"
#include "einvoicetest.h"
#include "invoices/ddtinvoicing.h"
#include "invoices/einvoiceexport.h"
#include "invoices/einvoicerules.h"
#include "invoices/einvoicestore.h"
#include "invoices/invoicedata.h"
#include "invoices/invoicelayout.h"
#include "invoices/invoiceledger.h"
#include "invoices/invoicetotals.h"
#include "printing/layoutregistry.h"
#include "scripteddialogs.h"
#include "shell/formats.h"
#include "workdir.h"
#include "xsdcheck.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

// The texts of the elements `xpath` names, local names only ("DatiDDT[2]/RiferimentoNumeroLinea"),
// joined by "|".
QString texts(const QString& file, const QString& xpath)
{
    QString expr;
    for (const QString& step : xpath.split(u'/')) {
        const qsizetype bracket = step.indexOf(u'[');
        const QString name = bracket < 0 ? step : step.left(bracket);
        expr += u"//*[local-name()='%1']%2"_s.arg(name, bracket < 0 ? QString() : step.mid(bracket));
    }
    QProcess p;
    p.start(u"xmllint"_s, {u"--xpath"_s, expr + u"/text()"_s, file});
    EXPECT_TRUE(p.waitForFinished(60000));
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed().split(u'\n').join(u'|');
}

// A shop with valid fiscal data and one customer, private or a public body.
struct Shop {
    TestWorkDir dir;
    qint64 cliente = 0;

    explicit Shop(const CustomerEInvoiceData& recipient)
    {
        const CompanyFiscalData a = company();
        EXPECT_FALSE(EInvoiceStore::saveCompany(a));
        EXPECT_FALSE(Database::exec(u"INSERT INTO Anagrafica (Nome, Ragione, Piva, Indirizzo, Cap, Città, Prov) "
                                    "VALUES ('COMUNE', 'Comune di Trento', '12345678903', 'Via Belenzani 19', "
                                    "'38122', 'Trento', 'TN')"_s));
        cliente = Database::scalar(u"SELECT max(Id) FROM Anagrafica"_s).value().toLongLong();
        EXPECT_FALSE(EInvoiceStore::saveCustomer(cliente, recipient));
    }
    Invoice invoice(const QList<InvoiceRow>& rows, int iva, bool ra, const QString& num = u"5/26"_s)
    {
        Invoice inv{num, cliente, {}, QDate(2026, 4, 10), Decimal(), iva, {}, ra, false, rows};
        inv.totale = InvoiceTotals::calcola(rows, iva, ra).totaleMostrato();
        return inv;
    }
    // Writes the invoice's file; empty on success, else the reason.
    QString write(const QString& num, const QString& file) { return EInvoiceExport::writeFile(num, dir.path(file)); }
};

const CustomerEInvoiceData kPrivato{u"ABC1234"_s, {}, u"IT"_s};
const CustomerEInvoiceData kComune{u"ufabcd"_s, u"protocollo@pec.comune.trento.it"_s, u"IT"_s};

} // namespace

TEST(EInvoicePublicBody, OfficeCodesAndTheirInvoiceCodes)
{
    using namespace EInvoiceRules;
    struct Case {
        CustomerEInvoiceData recipient;
        PublicBodyCodes codes;
        bool pa;
        QString code;
        QStringList problems;
    };
    const QString ufficio = u"Codice univoco ufficio del cliente (6 caratteri): CIG e CUP valgono solo per le "
                            "pubbliche amministrazioni"_s;
    const std::vector<Case> cases{
        {kComune, {u"z4b1234567"_s, u"J11B22000000001"_s}, true, u"UFABCD"_s, {}},
        {kComune,
         {u"Z4B123"_s, u"J11B2200000000"_s},
         true,
         u"UFABCD"_s,
         {u"CIG (10 lettere o cifre)"_s, u"CUP (15 lettere o cifre)"_s}},
        {kPrivato, {}, false, u"ABC1234"_s, {}},
        {kPrivato, {u"Z4B1234567"_s, {}}, false, u"ABC1234"_s, {ufficio}},
        {{u"UFABCD"_s, {}, u"DE"_s}, {{}, u"J11B22000000001"_s}, false, u"XXXXXXX"_s, {ufficio}},
        {{u"UFAB1"_s, {}, u"IT"_s}, {}, false, u"UFAB1"_s, {}},
    };
    for (const Case& c : cases) {
        const std::string what = c.recipient.codiceDestinatario.toStdString() + " " + c.codes.cig.toStdString();
        EXPECT_EQ(pubblicaAmministrazione(c.recipient), c.pa) << what;
        EXPECT_EQ(codiceDaUsare(c.recipient), c.code) << what;
        EXPECT_EQ(problemiCodiciPA(c.codes, c.recipient), c.problems) << what;
    }
    // Neither 6 nor 7 characters: a wrong code, told with both lengths.
    EXPECT_EQ(
        problemiCliente({u"UFAB1"_s, {}, u"IT"_s}),
        QStringList{u"Codice destinatario del cliente (7 lettere o cifre, 6 per una pubblica amministrazione)"_s});
    EXPECT_TRUE(problemiCliente(kComune).isEmpty());
}

TEST(EInvoicePublicBody, SplitPaymentFileWithCigIsValidAndMatchesThePaper)
{
    struct Case {
        const char* name;
        int iva;
        bool ra;
        PublicBodyCodes codes;
        QString esigibilita;
        QString pagamento; // what the body pays
        QString cig;
    };
    const std::vector<Case> cases{
        {"22 % con CIG", 22, false, {u"Z4B1234567"_s, {}}, u"S"_s, u"1250.55"_s, u"Z4B1234567"_s},
        {"10 % con CIG e CUP, ritenuta",
         10,
         true,
         {u"Z4B1234567"_s, u"J11B22000000001"_s},
         u"S"_s,
         u"1200.53"_s,
         u"Z4B1234567"_s},
        {"senza codici", 22, false, {}, u"S"_s, u"1250.55"_s, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Shop s(kComune);
        const Invoice inv =
            s.invoice({{1, u"Ringhiera scuola"_s, dec("3"), dec("400.15")}, {2, u"Posa"_s, Decimal(), dec("50.10")}},
                      c.iva, c.ra);
        issue(inv);
        ASSERT_FALSE(EInvoiceStore::savePublicBodyCodes(inv.num, c.codes));
        ASSERT_EQ(s.write(inv.num, u"pa.xml"_s), QString());
        const QString file = s.dir.path(u"pa.xml"_s);
        EXPECT_EQ(xsdErrors(file), QString());
        EXPECT_EQ(validatorErrors(file), QString());
        const InvoiceData paper = InvoiceData::fromInvoice(inv);
        EXPECT_EQ(texts(file, u"FormatoTrasmissione"_s), u"FPA12"_s);
        EXPECT_EQ(texts(file, u"CodiceDestinatario"_s), u"UFABCD"_s);
        // A public body is reached by its office code alone.
        EXPECT_EQ(texts(file, u"PECDestinatario"_s), QString());
        EXPECT_EQ(texts(file, u"EsigibilitaIVA"_s), c.esigibilita);
        EXPECT_EQ(texts(file, u"ImponibileImporto"_s), printed(paper.imponibile));
        EXPECT_EQ(texts(file, u"DatiRiepilogo/Imposta"_s), printed(paper.importoIva));
        EXPECT_EQ(texts(file, u"ImportoPagamento"_s), c.pagamento);
        EXPECT_EQ(texts(file, u"DatiOrdineAcquisto/CodiceCIG"_s), c.cig);
        EXPECT_EQ(texts(file, u"DatiOrdineAcquisto/CodiceCUP"_s), c.codes.cup);
        if (c.ra) {
            EXPECT_EQ(texts(file, u"ImportoRitenuta"_s), printed(paper.importoRitenuta));
        }
        // The year reads every invoice's codes at once: the same codes.
        ASSERT_EQ(EInvoiceExport::writeYear(2026, s.dir.path(u"anno"_s), false, {}), QString());
        EXPECT_EQ(texts(s.dir.path(u"anno/IT01234567897_00001.xml"_s), u"CodiceCIG"_s), c.cig);
    }
}

TEST(EInvoicePublicBody, PaperAndRegisterLeaveOutTheVatTheBodyPaysToTheTreasury)
{
    struct Case {
        const char* name;
        CustomerEInvoiceData recipient;
        int iva;
        bool pagata;
        bool scissione;
        QString incassato;
        QString daIncassare;
    };
    // 2 x 400.15 + 50.10 = 850.40; VAT 22 % 187.09.
    const std::vector<Case> cases{
        {"ente, da incassare", kComune, 22, false, true, u"0.00"_s, u"850.40"_s},
        {"ente, pagata", kComune, 22, true, true, u"850.40"_s, u"0.00"_s},
        {"ente, aliquota 0", kComune, 0, false, false, u"0.00"_s, u"850.40"_s},
        {"privato", kPrivato, 22, false, false, u"0.00"_s, u"1037.49"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Shop s(c.recipient);
        ScriptedDialogs dlg;
        Invoice inv = s.invoice({{1, u"Cancello"_s, dec("2"), dec("400.15")}, {2, u"Posa"_s, Decimal(), dec("50.10")}},
                                c.iva, false);
        inv.pagata = c.pagata;
        issue(inv);
        ASSERT_FALSE(Database::exec(u"UPDATE Fatture SET Pagata = ? WHERE Num = ?"_s,
                                    {c.pagata ? QVariant(u"X"_s) : QVariant(), inv.num}));
        const auto paper = LayoutRegistry::compose(u"Fattura"_s, InvoiceData::fromInvoice(inv), nullptr);
        ASSERT_EQ(paper.size(), 1u);
        EXPECT_EQ(paper[0].findText(InvoiceLayout::kScissione) != nullptr, c.scissione);
        const DrawItem* netto = paper[0].findText(u"NETTO A PAGARE"_s);
        EXPECT_EQ(netto != nullptr, c.scissione);
        if (c.scissione) {
            EXPECT_TRUE(paper[0].findText(Formats::euro(dec("850.40"))));
        }

        const auto ledger = InvoiceLedger::carica(2026, 0);
        ASSERT_TRUE(ledger);
        EXPECT_EQ(ledger->registro.incassato.toFixed(2), c.incassato);
        EXPECT_EQ(ledger->registro.daIncassare.toFixed(2), c.daIncassare);
        // The year's total is still that of the invoices; the accountant's list shows the VAT not collected.
        EXPECT_EQ(ledger->totale(), inv.totale);
        EXPECT_TRUE(ledger->csv().endsWith((c.scissione ? ";187,09\r\n" : ";0,00\r\n"))) << ledger->csv().toStdString();
    }
}

TEST(EInvoicePublicBody, RefusalsNameWhatIsMissingAndCancellingForgetsTheCodes)
{
    Shop s(kPrivato);
    const Invoice inv = s.invoice({{1, u"Cancello"_s, Decimal(), dec("100")}}, 22, false);
    issue(inv);
    ASSERT_FALSE(EInvoiceStore::savePublicBodyCodes(inv.num, {u"Z4B1234567"_s, {}}));
    const QString why = s.write(inv.num, u"x.xml"_s);
    EXPECT_TRUE(why.contains(u"Codice univoco ufficio del cliente (6 caratteri)"_s)) << why.toStdString();
    EXPECT_FALSE(QFile::exists(s.dir.path(u"x.xml"_s)));

    ASSERT_FALSE(EInvoiceStore::forgetNatura(inv.num));
    EXPECT_EQ(EInvoiceStore::publicBodyCodes(inv.num).value().cig, QString());
    EXPECT_EQ(s.write(inv.num, u"x.xml"_s), QString());
    EXPECT_EQ(texts(s.dir.path(u"x.xml"_s), u"FormatoTrasmissione"_s), u"FPR12"_s);
}

TEST(EInvoiceDeferred, DeadlineIsTheFifteenthOfTheMonthAfterTheLatestDdt)
{
    struct Case {
        QDate fattura;
        QList<QDate> ddt;
        QDate termine;
        bool avviso;
    };
    const std::vector<Case> cases{
        {QDate(2026, 4, 15), {QDate(2026, 3, 31), QDate(2026, 3, 2)}, QDate(2026, 4, 15), false},
        {QDate(2026, 4, 16), {QDate(2026, 3, 2), QDate(2026, 3, 31)}, QDate(2026, 4, 15), true},
        {QDate(2027, 1, 16), {QDate(2026, 12, 20)}, QDate(2027, 1, 15), true},
        {QDate(2026, 2, 1), {QDate(2026, 1, 31), QDate(2025, 12, 1)}, QDate(2026, 2, 15), false},
        {QDate(2026, 9, 1), {}, QDate(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fattura.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(DdtInvoicing::termine(c.ddt), c.termine);
        const QString avviso = DdtInvoicing::avvisoTermine(c.fattura, c.ddt);
        EXPECT_EQ(!avviso.isEmpty(), c.avviso);
        if (c.avviso) {
            EXPECT_TRUE(avviso.contains(u"art. 21, comma 4"_s)) << avviso.toStdString();
            EXPECT_TRUE(avviso.contains(c.termine.toString(u"dd/MM/yyyy"_s))) << avviso.toStdString();
        }
    }
}

TEST(EInvoiceDeferred, ThreeDdtsGiveTd24WithTheirLines)
{
    Shop s(kPrivato);
    const QList<std::pair<QString, QList<QString>>> consegne{
        {u"1/26"_s, {u"Trave IPE 200"_s, u"Piastre"_s}}, {u"2/26"_s, {u"Grigliato"_s}}, {u"3/26"_s, {u"Bulloni"_s}}};
    QList<Ddt> ddts;
    int giorno = 3;
    for (const auto& [num, righe] : consegne) {
        Ddt d{num, s.cliente, {}, QDate(2026, 3, giorno += 7), u"Vendita"_s, {}, 1, {}, {}, {}, {}};
        for (const QString& r : righe)
            d.rows.append({d.rows.size() + 1, r, dec("2")});
        ASSERT_FALSE(DdtStore::issue(d));
        ddts.append(d);
    }
    QList<InvoiceRow> rows = DdtInvoicing::righe(ddts);
    for (InvoiceRow& r : rows)
        if (!r.qta.isZero())
            r.prezzo = dec("12.35");
    Invoice inv = s.invoice(rows, 22, false, u"7/26"_s);
    ASSERT_FALSE(InvoiceStore::issue(inv, {u"1/26"_s, u"2/26"_s, u"3/26"_s}));

    ASSERT_EQ(s.write(inv.num, u"td24.xml"_s), QString());
    const QString file = s.dir.path(u"td24.xml"_s);
    EXPECT_EQ(xsdErrors(file), QString());
    EXPECT_EQ(texts(file, u"TipoDocumento"_s), u"TD24"_s);
    EXPECT_EQ(texts(file, u"DatiDDT/NumeroDDT"_s), u"1/26|2/26|3/26"_s);
    EXPECT_EQ(texts(file, u"DatiDDT/DataDDT"_s), u"2026-03-10|2026-03-17|2026-03-24"_s);
    // The spacer rows between the DDTs are no lines of the file.
    // The year reads every invoice's DDTs at once: the same blocks.
    ASSERT_EQ(EInvoiceExport::writeYear(2026, s.dir.path(u"anno"_s), false, {}), QString());
    const QString anno = s.dir.path(u"anno/IT01234567897_00001.xml"_s);
    for (const auto& [i, linee] : std::vector<std::pair<int, QString>>{{1, u"1|2|3"_s}, {2, u"4|5"_s}, {3, u"6|7"_s}}) {
        EXPECT_EQ(texts(file, u"DatiDDT[%1]/RiferimentoNumeroLinea"_s.arg(i)), linee) << i;
        EXPECT_EQ(texts(anno, u"DatiDDT[%1]/RiferimentoNumeroLinea"_s.arg(i)), linee) << i;
    }
    EXPECT_EQ(texts(anno, u"DatiDDT/NumeroDDT"_s), u"1/26|2/26|3/26"_s);
    const InvoiceData paper = InvoiceData::fromInvoice(inv);
    EXPECT_EQ(texts(file, u"ImponibileImporto"_s), printed(paper.imponibile));
    EXPECT_EQ(texts(file, u"DatiRiepilogo/Imposta"_s), printed(paper.importoIva));
    EXPECT_EQ(texts(file, u"ImportoPagamento"_s), printed(paper.totale));
    // The editor warns of the same DDTs read back from the database.
    EXPECT_FALSE(DdtInvoicing::avvisoTermine(QDate(2026, 4, 16), QStringList{u"1/26"_s, u"3/26"_s}).isEmpty());
    EXPECT_TRUE(DdtInvoicing::avvisoTermine(QDate(2026, 4, 15), QStringList{u"1/26"_s, u"3/26"_s}).isEmpty());

    EXPECT_EQ(validatorErrors(file), QString());
}
