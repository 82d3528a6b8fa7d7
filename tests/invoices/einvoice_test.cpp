#include "ddt/ddtstore.h"
#include "einvoicetest.h"
#include "invoices/ddtinvoicing.h"
#include "invoices/einvoiceexport.h"
#include "invoices/einvoicerules.h"
#include "invoices/einvoicestore.h"
#include "invoices/fiscalwordings.h"
#include "invoices/invoicedata.h"
#include "invoices/invoicelayout.h"
#include "invoices/invoicepaper.h"
#include "invoices/invoicetotals.h"
#include "workdir.h"
#include "xsdcheck.h"

#include <QDir>
#include <functional>

namespace {

const QString kPiva = u"01234567897"_s;

// A working folder with the company's data and one customer ready for electronic invoices.
struct Shop {
    TestWorkDir dir;
    qint64 cliente = 0;

    Shop()
    {
        EXPECT_FALSE(EInvoiceStore::saveCompany(company()));
        EXPECT_FALSE(Database::exec(u"INSERT INTO Anagrafica (Nome, Ragione, Piva, Cf, Indirizzo, Cap, Città, Prov) "
                                    "VALUES ('BERTOLDI', 'Bertoldi Costruzioni Srl', '12345678903', '', "
                                    "'Via Verdi 2', '38100', 'Trento', 'TN')"_s));
        cliente = Database::scalar(u"SELECT max(Id) FROM Anagrafica"_s).value().toLongLong();
        EXPECT_FALSE(EInvoiceStore::saveCustomer(cliente, {u"ABC1234"_s, {}, u"IT"_s}));
    }
    void store(const QList<InvoiceRow>& rows, int iva = 22, bool ra = false, const QString& num = u"12/26"_s,
               QDate data = QDate(2026, 3, 5), const QString& stornata = {})
    {
        Invoice inv{num, cliente, {}, data, Decimal(), iva, {}, ra, false, rows};
        inv.totale = InvoiceTotals::calcola(rows, iva, ra).totaleMostrato();
        inv.storno.fattura = stornata;
        issue(inv);
    }
    QString out(const QString& name = u"fattura.xml"_s) const { return dir.path(name); }
    int command(const QStringList& args, QString* errors = nullptr) const
    {
        QProcess p;
        p.start(QStringLiteral(CORVALISTO_EXE),
                QStringList{u"--dir"_s, dir.path()} + TestWorkDir::databaseOptions() + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        if (errors)
            *errors = QString::fromUtf8(p.readAllStandardError());
        return p.exitCode();
    }
};

InvoiceRow row(int ord, const QString& text, const char* qta, const char* prezzo)
{
    return {ord, text, dec(qta), dec(prezzo)};
}

} // namespace

TEST(EInvoiceRules, IdentifiersCodesAndNames)
{
    using namespace EInvoiceRules;
    for (const QString& piva :
         {kPiva, u"12345678903"_s, u"12345678901"_s, u"01234567896"_s, u"1234567890"_s, u"1234567890A"_s, QString()})
        EXPECT_EQ(partitaIvaValida(piva), piva == kPiva || piva == u"12345678903"_s) << piva.toStdString();
    EXPECT_EQ(identificativo(u" it 0123 4567-897"_s, u"IT"_s), kPiva);

    struct Recipient {
        CustomerEInvoiceData data;
        QString code;
        int problems;
    };
    for (const Recipient& r : std::vector<Recipient>{{{u"abc1234"_s, {}, u"IT"_s}, u"ABC1234"_s, 0},
                                                     {{{}, {}, u"IT"_s}, u"0000000"_s, 0},
                                                     {{u"ABC1234"_s, u"ufficio@pec.it"_s, u"IT"_s}, u"0000000"_s, 0},
                                                     // A public body is reached by its office code alone.
                                                     {{u"ufabcd"_s, u"ufficio@pec.it"_s, u"IT"_s}, u"UFABCD"_s, 0},
                                                     {{{}, {}, u"DE"_s}, u"XXXXXXX"_s, 0},
                                                     {{u"ABC12"_s, u"senza-chiocciola"_s, u"I"_s}, u"XXXXXXX"_s, 3}}) {
        EXPECT_EQ(codiceDaUsare(r.data), r.code) << r.data.codiceDestinatario.toStdString();
        EXPECT_EQ(problemiCliente(r.data).size(), r.problems) << problemiCliente(r.data).join(u"; "_s).toStdString();
    }

    for (const auto& [n, text] : std::vector<std::pair<long long, QString>>{
             {1, u"00001"_s}, {35, u"0000Z"_s}, {36, u"00010"_s}, {60466175, u"ZZZZZ"_s}})
        EXPECT_EQ(progressivo(n), text) << n;
    EXPECT_EQ(nomeFile(u"IT 01234567897"_s, 37), u"IT01234567897_00011.xml"_s);

    EXPECT_EQ(testo(u"  Però l'€ “a”\r\n–\tb  "_s, 100), u"Però l'EUR \"a\" - b"_s);
    // Letters beyond Latin-1 as the nearest Latin ones; other scripts have none.
    for (const auto& [text, written, changed] : std::vector<std::tuple<QString, QString, bool>>{
             {u"Brzęczyszczykiewicz Đặng Œuvre Łódź"_s, u"Brzeczyszczykiewicz Dang OEuvre Lodz"_s, true},
             {u"Citte\u0301"_s, u"Citt\u00e9"_s, false},
             {u"ﬁnestra 北京"_s, u"finestra ??"_s, true}}) {
        EXPECT_EQ(testo(text, 100), written) << text.toStdString();
        EXPECT_EQ(lettereFuoriLatin1(text), changed) << text.toStdString();
    }
    EXPECT_EQ(QStringList({testo(u"abcdef"_s, 3), numero(dec("2.5")), numero(dec("0.125")), numero(dec("-3")),
                           importo(dec("22.022"))}),
              QStringList({u"abc"_s, u"2.50"_s, u"0.125"_s, u"-3.00"_s, u"22.02"_s}));
}

TEST(EInvoiceStore, DefaultsUntilSavedThenWhatWasSaved)
{
    TestWorkDir dir;
    // Defaults before anything is saved.
    const CompanyFiscalData empty = EInvoiceStore::company().value();
    EXPECT_EQ(empty.regimeFiscale + empty.nazione + EInvoiceStore::customer(7)->codiceDestinatario, u"RF01IT0000000"_s);
    EXPECT_EQ(EInvoiceStore::lastProgressive().value(), 0);

    CompanyFiscalData a = company();
    a.personaFisica = true;
    ASSERT_FALSE(EInvoiceStore::saveCompany(a));
    a.regimeFiscale = u"RF19"_s;
    ASSERT_FALSE(EInvoiceStore::saveCompany(a));
    const CompanyFiscalData back = EInvoiceStore::company().value();
    EXPECT_EQ(std::tuple(back.denominazione, back.regimeFiscale, back.iban, back.personaFisica),
              std::tuple(a.denominazione, u"RF19"_s, a.iban, true));

    ASSERT_FALSE(EInvoiceStore::saveCustomer(7, {u"0000000"_s, u"a@pec.it"_s, u"IT"_s}));
    ASSERT_FALSE(EInvoiceStore::saveCustomer(7, {u"KRRH6B9"_s, {}, u"SM"_s}));
    EXPECT_EQ(EInvoiceStore::customer(7)->codiceDestinatario + EInvoiceStore::customer(7)->nazione, u"KRRH6B9SM"_s);

    ASSERT_FALSE(EInvoiceStore::saveNatura(u"3/26"_s, u"N6.3"_s));
    EXPECT_EQ(EInvoiceStore::natura(u"3/26"_s).value() + EInvoiceStore::natura(u"4/26"_s).value(), u"N6.3"_s);
    ASSERT_TRUE(EInvoiceStore::assign({u"3/26"_s}, false));
    EXPECT_EQ(EInvoiceStore::progressiveOf(u"3/26"_s).value(), 1);
    // Cancelling the invoice frees its number without its Natura and its file's name.
    issue(u"3/26"_s, addCustomer(u"ROSSI"_s), QDate(2026, 1, 5));
    ASSERT_EQ(InvoiceStore::cancel(u"3/26"_s).value(), InvoiceStore::Outcome::Done);
    EXPECT_EQ(EInvoiceStore::natura(u"3/26"_s).value(), QString());
    EXPECT_EQ(EInvoiceStore::progressiveOf(u"3/26"_s).value(), 0);
    EXPECT_EQ(EInvoiceStore::lastProgressive().value(), 1);

    // The extra tables do not make the database foreign to the program: it opens again, as it was.
    ASSERT_TRUE(TestWorkDir::openInThisThread());
    EXPECT_EQ(EInvoiceStore::company()->regimeFiscale + QString::number(EInvoiceStore::lastProgressive().value()),
              u"RF191"_s);
}

TEST(EInvoiceStore, ProgressivesOfFilesNotWrittenAreGivenBack)
{
    // The assignments in turn (numbers, new names); the one given back; then the progressive of
    // each number and the last one taken.
    using Assignments = std::vector<std::pair<QStringList, bool>>;
    const std::vector<std::tuple<Assignments, int, QString>> cases{
        {{{{u"1/26"_s, u"2/26"_s}, false}}, 0, u"1/26=0 2/26=0 last=0"_s},
        // Given before: kept.
        {{{{u"1/26"_s}, false}, {{u"1/26"_s, u"2/26"_s}, false}}, 1, u"1/26=1 2/26=0 last=1"_s},
        // A new name given back: the old one is back.
        {{{{u"1/26"_s}, false}, {{u"1/26"_s}, true}}, 1, u"1/26=1 2/26=0 last=1"_s},
        // Another one taken after it: the number stays unused.
        {{{{u"1/26"_s}, false}, {{u"2/26"_s}, false}}, 0, u"1/26=0 2/26=2 last=2"_s},
    };
    const auto state = [] {
        QStringList state;
        for (const QString& num : {u"1/26"_s, u"2/26"_s})
            state << num + u'=' + QString::number(EInvoiceStore::progressiveOf(num).value());
        return state.join(u' ') + u" last="_s + QString::number(EInvoiceStore::lastProgressive().value());
    };
    for (const auto& [assigned, givenBack, expected] : cases) {
        SCOPED_TRACE(expected.toStdString());
        TestWorkDir dir;
        std::vector<QList<EInvoiceStore::Assigned>> taken;
        for (const auto& [nums, fresh] : assigned)
            taken.push_back(EInvoiceStore::assign(nums, fresh).value());
        ASSERT_FALSE(EInvoiceStore::giveBack(taken[givenBack]));
        EXPECT_EQ(state(), expected);
    }
    // The disk fails on the second file of a year, after every check: the first keeps its name,
    // the second's comes back.
    Shop s;
    s.store({row(1, u"Cancello"_s, "1", "80")}, 22, false, u"1/26"_s, QDate(2026, 1, 10));
    s.store({row(1, u"Ringhiera"_s, "2", "45")}, 22, false, u"2/26"_s, QDate(2026, 2, 10));
    int written = 0;
    const QString error = EInvoiceExport::writeYear(
        2026, s.out(u"anno"_s), false,
        [&](int done, int) { QDir(s.out(u"anno"_s)).mkdir(u"IT01234567897_0000%1.xml"_s.arg(done + 1)); },
        &written);
    EXPECT_TRUE(error.startsWith(u"Impossibile scrivere"_s)) << error.toStdString();
    EXPECT_EQ(written, 1);
    EXPECT_EQ(state(), u"1/26=1 2/26=0 last=1"_s);
}

// The annotations of the printed invoice as one text, the cuts between lines closed up.
QString printedAnnotations(const QString& num)
{
    const InvoiceData d = InvoicePaper::datiFattura(num).value().value();
    const std::vector<Page> pages = InvoiceLayout::layout(d, LayoutContext{});
    QString out;
    for (const DrawItem& item : pages.back().items())
        if (item.kind == DrawItem::Kind::Text && item.y > 246 && item.y < 270)
            out += item.text;
    return out;
}

// The company's regime and stamp rule; one row of `importo` at 0 %, with the stamp's row when it
// is due, stored as 12/26 with its Natura.
std::function<void(Shop&)> fiscale(const QString& regime, bool bolloACliente, const QString& natura,
                                   const char* importo)
{
    return [=](Shop& s) {
        CompanyFiscalData a = company();
        a.regimeFiscale = regime;
        a.bolloACliente = bolloACliente;
        ASSERT_FALSE(EInvoiceStore::saveCompany(a));
        QList<InvoiceRow> rows{row(1, u"Lavorazione"_s, "0", importo)};
        if (const auto bollo = FiscalWordings::rigaBollo(a, 0, false, natura, rows))
            rows << *bollo;
        // Already there, the stamp's row is not added again.
        EXPECT_EQ(FiscalWordings::rigaBollo(a, 0, false, natura, rows), std::nullopt);
        s.store(rows, 0);
        if (!natura.isEmpty()) {
            ASSERT_FALSE(EInvoiceStore::saveNatura(u"12/26"_s, natura));
        }
    };
}

TEST(EInvoiceXml, FilesCarryThePrintedAmountsAndWordingsAndPassTheValidator)
{
    const QString n35 = FiscalWordings::natura(u"N3.5"_s)->dicitura;
    const QString forfettario = FiscalWordings::kDicituraForfettario;
    const QString bollo = FiscalWordings::kDicituraBollo;
    // One valid file of every kind: ordinary, withholding, 0 % with its Natura, flat-rate, public
    // body under split payment, deferred from DDTs, credit note. Each with "path=value" (values of
    // several elements joined by "|") and the wordings the paper's annotations start with.
    const std::vector<std::tuple<const char*, std::function<void(Shop&)>, QStringList, QStringList>> cases{
        {"esempio con ritenuta",
         [](Shop& s) {
             s.store({row(1, u"Cancello"_s, "0", "100"), row(2, u"Vite"_s, "1", "0.10")}, 22, true);
         },
         {u"DatiRiepilogo/AliquotaIVA=22.00"_s, u"DatiRitenuta/ImportoRitenuta=4.00"_s,
          u"DatiRitenuta/TipoRitenuta=RT02"_s, u"DatiRitenuta/AliquotaRitenuta=4.00"_s,
          u"DatiRitenuta/CausalePagamento=W"_s, u"ImportoTotaleDocumento=122.12"_s,
          u"DettaglioPagamento/ImportoPagamento=118.12"_s, u"DettaglioPagamento/IBAN=IT60X0542811101000000123456"_s,
          u"DettaglioLinee/Ritenuta=SI|SI"_s, u"TipoDocumento=TD01"_s, u"FormatoTrasmissione=FPR12"_s,
          u"DatiGeneraliDocumento/Data=2026-03-05"_s, u"DatiGeneraliDocumento/Numero=12/26"_s,
          u"CodiceDestinatario=ABC1234"_s,
          u"CessionarioCommittente/DatiAnagrafici/IdFiscaleIVA/IdCodice=12345678903"_s},
         {}},
        {"persona fisica con la sua causale, riga vuota esclusa, di solo testo, a corpo; note lunghe in causali",
         [](Shop& s) {
             CompanyFiscalData a = company();
             a.personaFisica = true;
             a.causaleRitenuta = u"A"_s;
             a.iban.clear();
             ASSERT_FALSE(EInvoiceStore::saveCompany(a));
             s.store({InvoiceRules::rigaVuota(1), row(2, u"Come da preventivo n. 4"_s, "0", "0"),
                      row(3, u"Posa in opera"_s, "0", "30.555"), row(4, u"Cancello"_s, "2", "50")},
                     10, true);
             ASSERT_FALSE(Database::exec(u"UPDATE Fatture SET Note = ?"_s,
                                         {QString(200, u'a') + QString(200, u'b') + QString(50, u'c')}));
         },
         {u"DatiRitenuta/TipoRitenuta=RT01"_s, u"DatiRitenuta/CausalePagamento=A"_s, u"NumeroLinea=1|2|3"_s,
          u"DettaglioLinee/Quantita=2.00"_s, u"DettaglioLinee/UnitaMisura=NR"_s,
          u"DettaglioLinee/PrezzoUnitario=0.00|30.56|50.00"_s, u"DettaglioLinee/PrezzoTotale=0.00|30.56|100.00"_s,
          u"DatiPagamento/CondizioniPagamento="_s,
          u"Causale="_s + QString(200, u'a') + u'|' + QString(200, u'b') + u'|' + QString(50, u'c')},
         {}},
        {"nota di credito parziale; nomi con & < accenti e apostrofo, testi tagliati, cliente con sola PEC",
         [](Shop& s) {
             ASSERT_FALSE(EInvoiceStore::saveCustomer(s.cliente, {{}, u"ufficio@pec.bertoldi.it"_s, u"IT"_s}));
             ASSERT_FALSE(Database::exec(u"UPDATE Anagrafica SET Ragione = ?, Ragione2 = ?"_s,
                                         {u"Ferro & Acciai <Nord> dell'Àncora Città"_s, QString(60, u'x')}));
             s.store({row(1, u"Cancello"_s, "2", "50"), row(2, u"Posa"_s, "0", "30")}, 22, false, u"11/26"_s,
                     QDate(2026, 2, 20));
             s.store({row(2, u"Profilo 30×30 – “zincato” l'ultimo € 5"_s, "0", "30")}, 22, false, u"12/26"_s,
                     QDate(2026, 3, 5), u"11/26"_s);
         },
         {u"TipoDocumento=TD04"_s, u"DatiFattureCollegate/IdDocumento=11/26"_s,
          u"DatiFattureCollegate/Data=2026-02-20"_s, u"ImportoTotaleDocumento=36.60"_s,
          u"CessionarioCommittente/DatiAnagrafici/Anagrafica/Denominazione="_s +
              (u"Ferro & Acciai <Nord> dell'Àncora Città "_s + QString(60, u'x')).left(80),
          u"DettaglioLinee/Descrizione=Profilo 30×30 - \"zincato\" l'ultimo EUR 5"_s, u"CodiceDestinatario=0000000"_s,
          u"PECDestinatario=ufficio@pec.bertoldi.it"_s},
         {}},
        {"ente pubblico con CIG e CUP: scissione dei pagamenti, ritenuta",
         [](Shop& s) {
             ASSERT_FALSE(EInvoiceStore::saveCustomer(s.cliente, {u"ufabcd"_s, u"protocollo@pec.it"_s, u"IT"_s}));
             s.store({row(1, u"Ringhiera scuola"_s, "3", "400.15"), row(2, u"Posa"_s, "0", "50.10")}, 10, true);
             ASSERT_FALSE(EInvoiceStore::savePublicBodyCodes(u"12/26"_s, {u"Z4B1234567"_s, u"J11B22000000001"_s}));
         },
         {u"FormatoTrasmissione=FPA12"_s, u"CodiceDestinatario=UFABCD"_s, u"PECDestinatario="_s, u"EsigibilitaIVA=S"_s,
          u"ImportoPagamento=1200.53"_s, u"DatiOrdineAcquisto/CodiceCIG=Z4B1234567"_s,
          u"DatiOrdineAcquisto/CodiceCUP=J11B22000000001"_s},
         {}},
        {"differita da tre DDT: TD24, le righe di ciascuno",
         [](Shop& s) {
             QList<Ddt> ddts;
             for (const QStringList& righe :
                  QList<QStringList>{{u"Trave IPE 200"_s, u"Piastre"_s}, {u"Grigliato"_s}, {u"Bulloni"_s}}) {
                 Ddt d;
                 d.num = u"%1/26"_s.arg(ddts.size() + 1);
                 d.idAna = s.cliente;
                 d.data = QDate(2026, 2, 10 + 7 * int(ddts.size()));
                 for (const QString& r : righe)
                     d.rows.append({d.rows.size() + 1, r, dec("2")});
                 ASSERT_FALSE(DdtStore::issue(d));
                 ddts.append(d);
             }
             QList<InvoiceRow> rows = DdtInvoicing::righe(ddts);
             for (InvoiceRow& r : rows)
                 if (!r.qta.isZero())
                     r.prezzo = dec("12.35");
             Invoice inv{u"12/26"_s, s.cliente, {}, QDate(2026, 3, 5), Decimal(), 22, {}, false, false, rows};
             inv.totale = InvoiceTotals::calcola(rows, 22, false).totaleMostrato();
             ASSERT_FALSE(InvoiceStore::issue(inv, {u"1/26"_s, u"2/26"_s, u"3/26"_s}));
         },
         // The spacer rows between the DDTs are no lines of the file.
         {u"TipoDocumento=TD24"_s, u"DatiDDT/NumeroDDT=1/26|2/26|3/26"_s,
          u"DatiDDT/DataDDT=2026-02-10|2026-02-17|2026-02-24"_s, u"DatiDDT/RiferimentoNumeroLinea=1|2|3|4|5|6|7"_s,
          u"NumeroLinea=1|2|3|4|5|6|7"_s},
         {}},
        {"subappalto edile N6.3 a 0 %, nessun bollo",
         fiscale(u"RF01"_s, false, u"N6.3"_s, "1500"),
         {u"DettaglioLinee/Natura=N6.3"_s, u"DatiRiepilogo/Natura=N6.3"_s, u"DatiRiepilogo/AliquotaIVA=0.00"_s,
          u"DatiRiepilogo/Imposta=0.00"_s, u"ImportoTotaleDocumento=1500.00"_s, u"DatiBollo/BolloVirtuale="_s},
         {FiscalWordings::natura(u"N6.3"_s)->dicitura}},
        {"forfettario a 77,47: N2.2 senza Natura scelta, nessun bollo",
         fiscale(u"RF19"_s, false, {}, "77.47"),
         {u"RegimeFiscale=RF19"_s, u"DettaglioLinee/Natura=N2.2"_s, u"DatiRiepilogo/Natura=N2.2"_s,
          u"DatiBollo/BolloVirtuale="_s},
         {forfettario}},
        {"riga del bollo rimasta su una fattura scesa a 76: il bollo non conta per la soglia",
         [](Shop& s) {
             fiscale(u"RF01"_s, true, u"N3.5"_s, "77.48")(s);
             ASSERT_FALSE(Database::exec(u"UPDATE ContFatt SET Prezzo = 76 WHERE Num = ? AND Descrizione = ?"_s,
                                         {u"12/26"_s, u"Lavorazione"_s}));
         },
         {u"DatiBollo/BolloVirtuale="_s},
         {n35}},
        {"forfettario, bollo a carico del cliente a 77,48: riga nei totali",
         fiscale(u"RF19"_s, true, {}, "77.48"),
         {u"DettaglioLinee/Descrizione=Lavorazione|Rimborso imposta di bollo"_s,
          u"DettaglioLinee/PrezzoTotale=77.48|2.00"_s, u"ImportoTotaleDocumento=79.48"_s,
          u"DatiBollo/ImportoBollo=2.00"_s, u"DatiRitenuta/TipoRitenuta="_s},
         {forfettario, bollo}},
    };

    for (const auto& [name, setup, expected, diciture] : cases) {
        SCOPED_TRACE(name);
        Shop s;
        setup(s);
        const QString error = EInvoiceExport::writeFile(u"12/26"_s, s.out());
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        const QByteArray xml = s.dir.read(u"fattura.xml"_s);
        ASSERT_TRUE(xml.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
        EXPECT_EQ(xsdErrors(s.out()), QString());
        for (const QString& e : expected)
            EXPECT_EQ(values(xml, e.section(u'=', 0, 0)), e.section(u'=', 1, -1)) << e.toStdString();
        // The year's export reads every invoice's data at once: the same file.
        ASSERT_EQ(EInvoiceExport::writeYear(2026, s.out(u"anno"_s), false, {}), QString());
        EXPECT_EQ(s.dir.read(u"anno/IT01234567897_00001.xml"_s), xml);

        // The summary is the printed invoice, to the cent; the payments, one or several, sum to what
        // the paper asks.
        const InvoiceData shown = InvoiceData::fromInvoice(InvoiceStore::load(u"12/26"_s).value().value());
        EXPECT_EQ(values(xml, u"DatiRiepilogo/ImponibileImporto"_s), printed(shown.imponibile));
        EXPECT_EQ(values(xml, u"DatiRiepilogo/Imposta"_s), printed(shown.importoIva));
        if (shown.ritenuta) {
            EXPECT_EQ(values(xml, u"DatiRitenuta/ImportoRitenuta"_s), printed(shown.importoRitenuta));
        }
        if (const QString pagamenti = values(xml, u"ImportoPagamento"_s); !pagamenti.isEmpty()) {
            Decimal somma;
            for (const QString& p : pagamenti.split(u'|'))
                somma += Decimal::fromString(p).value();
            EXPECT_EQ(somma.toFixed(2),
                      printed(values(xml, u"EsigibilitaIVA"_s) == u"S"_s ? shown.nettoScissione : shown.totale));
        }

        // The paper carries exactly the wordings of its case, in order, and the stamp only with the file's.
        QString wordings;
        for (const QString& w : diciture)
            wordings += InvoiceLayout::righeNote(w).join(QString());
        const QString annotations = printedAnnotations(u"12/26"_s);
        EXPECT_TRUE(annotations.startsWith(wordings)) << annotations.toStdString();
        EXPECT_EQ(annotations.contains(u"Imposta di bollo assolta"_s), values(xml, u"BolloVirtuale"_s) == u"SI"_s);
    }
}

// The company's data as `change` leaves them; the stored invoice with the withholding when `ra`.
std::function<void(Shop&)> withCompany(void (*change)(CompanyFiscalData&), bool ra = false)
{
    return [=](Shop&) {
        CompanyFiscalData a = company();
        change(a);
        ASSERT_FALSE(EInvoiceStore::saveCompany(a));
        ASSERT_FALSE(Database::exec(u"UPDATE Fatture SET RA = ?"_s, {ra ? u"True"_s : u"False"_s}));
    };
}

std::function<void(Shop&)> sql(const QString& text)
{
    return [=](Shop&) { ASSERT_FALSE(Database::exec(text)); };
}

TEST(EInvoiceXml, RefusalsListEveryMissingItemAndWriteNothing)
{
    const std::vector<std::tuple<const char*, std::function<void(Shop&)>, QStringList>> cases{
        {"dati azienda mancanti",
         withCompany([](auto& a) { a = {}; }),
         {u"Denominazione dell'azienda"_s, u"Partita IVA dell'azienda"_s, u"Indirizzo dell'azienda"_s,
          u"CAP dell'azienda"_s, u"Comune dell'azienda"_s}},
        {"partita IVA dell'azienda errata",
         withCompany([](auto& a) { a.partitaIva = u"01234567890"_s; }),
         {u"Partita IVA dell'azienda non valida"_s}},
        {"aliquota 0 senza Natura",
         sql(u"UPDATE Fatture SET Iva = 0"_s),
         {u"Natura dell'operazione per l'aliquota 0 %"_s}},
        {"aliquota 100 %", sql(u"UPDATE Fatture SET Iva = 100"_s), {u"Aliquota IVA (da 0 a 99)"_s}},
        {"regime forfettario con IVA e ritenuta",
         withCompany([](auto& a) { a.regimeFiscale = u"RF19"_s; }, true),
         {u"Regime forfettario (RF19): la fattura va emessa con aliquota 0 %"_s,
          u"Regime forfettario (RF19): la fattura non subisce la ritenuta"_s}},
        {"CIG per un cliente privato",
         [](Shop&) {
             ASSERT_FALSE(EInvoiceStore::savePublicBodyCodes(u"12/26"_s, {u"Z4B1234567"_s, {}}));
         },
         {u"Codice univoco ufficio del cliente (6 caratteri)"_s}},
        {"ente pubblico, CIG e CUP corti",
         [](Shop& s) {
             ASSERT_FALSE(EInvoiceStore::saveCustomer(s.cliente, {u"UFABCD"_s, {}, u"IT"_s}));
             ASSERT_FALSE(EInvoiceStore::savePublicBodyCodes(u"12/26"_s, {u"Z4B123"_s, u"J11B2200000000"_s}));
         },
         {u"CIG (10 lettere o cifre)"_s, u"CUP (15 lettere o cifre)"_s}},
        {"fattura annullata",
         [](Shop&) { ASSERT_EQ(InvoiceStore::cancel(u"12/26"_s).value(), InvoiceStore::Outcome::Done); },
         {u"Fattura 12/26 non trovata."_s}},
    };
    for (const auto& [name, setup, items] : cases) {
        SCOPED_TRACE(name);
        Shop s;
        s.store({row(1, u"Cancello"_s, "1", "80")});
        setup(s);
        const QString error = EInvoiceExport::writeFile(u"12/26"_s, s.out());
        for (const QString& item : items)
            EXPECT_TRUE(error.contains(item)) << error.toStdString() << " lacks " << item.toStdString();
        EXPECT_FALSE(QFile::exists(s.out()));
        EXPECT_EQ(EInvoiceStore::lastProgressive().value(), 0);
    }

    // Another kind of file, the data folder, any other XML and a supplier's invoice are never
    // replaced; an electronic invoice of this company is.
    Shop s;
    s.store({row(1, u"Cancello"_s, "1", "80")});
    ASSERT_EQ(EInvoiceExport::writeFile(u"12/26"_s, s.out(u"mia.xml"_s)), QString());
    const QByteArray fornitore = s.dir.read(u"mia.xml"_s).replace("01234567897", "12345678903");
    for (const auto& [name, content] :
         std::vector<std::pair<QString, QByteArray>>{{u"vecchia.pdf"_s, "%PDF-1.4 non toccare"},
                                                     {u"vecchia.xml"_s, "<?xml version=\"1.0\"?><x/>"},
                                                     {u"fornitore.xml"_s, fornitore}}) {
        s.dir.write(name, content);
        EXPECT_FALSE(EInvoiceExport::writeFile(u"12/26"_s, s.out(name)).isEmpty()) << name.toStdString();
        EXPECT_EQ(s.dir.read(name), content);
    }
    EXPECT_FALSE(EInvoiceExport::writeFile(u"12/26"_s, s.out(u"Dati/fattura.xml"_s)).isEmpty());
    EXPECT_FALSE(QFile::exists(s.out(u"Dati/fattura.xml"_s)));
    EXPECT_EQ(EInvoiceExport::writeFile(u"12/26"_s, s.out(u"mia.xml"_s)), QString());
    EXPECT_EQ(EInvoiceStore::lastProgressive().value(), 1);
}

TEST(EInvoiceCommand, YearAndSingleInvoiceWithoutWindow)
{
    Shop s;
    s.store({row(1, u"Cancello"_s, "1", "80")}, 22, false, u"1/26"_s, QDate(2026, 1, 10));
    s.store({row(1, u"Ringhiera"_s, "2", "45")}, 22, true, u"2/26"_s, QDate(2026, 2, 10));
    s.store({row(1, u"Scala"_s, "1", "300")}, 22, false, u"9/25"_s, QDate(2025, 12, 1));
    // Files already written: the next names go on from there.
    ASSERT_TRUE(EInvoiceStore::lastProgressive().ok());
    ASSERT_FALSE(Database::exec(u"INSERT INTO EFatturaProgressivo (Id, Ultimo) VALUES (1, 34)"_s));

    QString errors;
    ASSERT_EQ(s.command({u"xml"_s, u"anno"_s, u"2026"_s, u"-o"_s, s.out(u"invii"_s)}, &errors), 0)
        << errors.toStdString();
    EXPECT_TRUE(errors.contains(u"Fatture elettroniche scritte: 2 di 2"_s)) << errors.toStdString();
    EXPECT_EQ(QDir(s.out(u"invii"_s)).entryList(QDir::Files),
              (QStringList{u"IT01234567897_0000Z.xml"_s, u"IT01234567897_00010.xml"_s}));
    EXPECT_EQ(values(s.dir.read(u"invii/IT01234567897_00010.xml"_s), u"Numero"_s), u"2/26"_s);

    ASSERT_EQ(s.command({u"xml"_s, u"fattura"_s, u"9/25"_s, u"-o"_s, s.out(u"una.xml"_s)}, &errors), 0)
        << errors.toStdString();
    EXPECT_EQ(values(s.dir.read(u"una.xml"_s), u"ProgressivoInvio"_s), u"00011"_s);
    // Again, the same name; a new one only when asked, for a file the exchange system refused.
    for (const auto& [more, progressivo] :
         std::vector<std::pair<QStringList, QString>>{{{}, u"00010"_s}, {{u"--nuovo-nome"_s}, u"00012"_s}}) {
        ASSERT_EQ(s.command(QStringList{u"xml"_s, u"fattura"_s, u"2/26"_s, u"-o"_s, s.out(u"2.xml"_s)} + more), 0);
        EXPECT_EQ(values(s.dir.read(u"2.xml"_s), u"ProgressivoInvio"_s), progressivo);
    }

    // One invoice that cannot make a file stops the whole year, naming it.
    ASSERT_FALSE(Database::exec(u"UPDATE Fatture SET Iva = 0 WHERE Num = '1/26'"_s));
    EXPECT_EQ(s.command({u"xml"_s, u"anno"_s, u"2026"_s, u"-o"_s, s.out(u"altri"_s)}, &errors), 1);
    EXPECT_TRUE(errors.contains(u"fattura elettronica 1/26"_s)) << errors.toStdString();
    EXPECT_FALSE(QFile::exists(s.out(u"altri"_s)));
}

TEST(Commands, OneRuleForYearsCustomersControlBytesAndBrokenPapers)
{
    const QString overflow = u"Errore 6: Overflow nella fattura 2/26"_s;
    // The SQL run first, the command (writing to "uscita"), what it tells.
    const std::vector<std::tuple<QString, QStringList, QString>> cases{
        {{}, {u"csv"_s, u"fatture"_s, u"0"_s}, u"Anno non valido: \"0\" (da 1900 a 9999)."_s},
        {{}, {u"xlsx"_s, u"fatture"_s, u"2026"_s, u"--cliente"_s, u"999999"_s}, u"Cliente 999999 non trovato."_s},
        {{}, {u"csv"_s, u"fatture"_s, u"2026"_s, u"--cliente"_s, u"abc"_s}, u"Codice cliente non valido: \"abc\"."_s},
        {{}, {u"pdf"_s, u"fattura"_s, u"\x1b[31m1/26"_s}, u"contiene caratteri di controllo"_s},
        {{}, {u"xml"_s, u"fattura"_s, u"1/26\x9b"_s}, u"contiene caratteri di controllo"_s},
        {u"DELETE FROM Anagrafica"_s, {u"pdf"_s, u"fattura"_s, u"1/26"_s}, u"Cliente 1 non trovato"_s},
        {u"UPDATE Fatture SET Totale = 1e21 WHERE Num = '2/26'"_s,
         {u"pdf"_s, u"registro-fatture"_s, u"2026"_s},
         overflow},
        {u"UPDATE ContFatt SET Prezzo = 1e300 WHERE Num = '2/26'"_s, {u"xml"_s, u"anno"_s, u"2026"_s}, overflow},
    };
    for (const auto& [damage, command, message] : cases) {
        SCOPED_TRACE(command.join(u' ').toStdString());
        Shop s;
        s.store({row(1, u"Cancello"_s, "1", "80")}, 22, false, u"1/26"_s, QDate(2026, 1, 10));
        s.store({row(1, u"Ringhiera"_s, "2", "45")}, 22, false, u"2/26"_s, QDate(2026, 2, 10));
        if (!damage.isEmpty()) {
            ASSERT_FALSE(Database::exec(damage));
        }
        QString errors;
        EXPECT_EQ(s.command(command + QStringList{u"-o"_s, s.out(u"uscita"_s)}, &errors), 1);
        EXPECT_TRUE(errors.contains(message)) << errors.toStdString();
        EXPECT_FALSE(errors.contains(QChar(0x1b)) || errors.contains(QChar(0x9b)));
        EXPECT_FALSE(QFileInfo::exists(s.out(u"uscita"_s)));
    }
}

TEST(FiscalWordings, NaturaOrderWordingsAndWithholdingReasons)
{
    // The codes a metalwork shop meets come first, and every code has a wording and its source.
    QStringList codes;
    for (const FiscalWordings::Natura& n : FiscalWordings::nature()) {
        codes << n.codice;
        EXPECT_FALSE(n.dicitura.isEmpty() || n.fonte.isEmpty()) << n.codice.toStdString();
    }
    EXPECT_EQ(codes.mid(0, 3), (QStringList{u"N6.3"_s, u"N6.7"_s, u"N6.1"_s}));
    EXPECT_EQ(codes.size(), 21);
    EXPECT_EQ(codes.removeDuplicates(), 0);
    EXPECT_EQ(FiscalWordings::natura(u"N6.3"_s)->dicitura,
              u"Operazione soggetta a inversione contabile ai sensi dell'art. 17, comma 6, lett. a) del DPR 633/72"_s);
    EXPECT_EQ(FiscalWordings::natura(u"N9"_s), nullptr);

    const std::pair<const char*, bool> reasons[] = {
        {"W", true},  {"A", true},  {"Y", true},  {"Z", true},   {"M2", true}, {"ZO", true}, {"SC", true},
        {"F", false}, {"J", false}, {"K", false}, {"W1", false}, {"", false},  {"w", false}, {"AB", false},
    };
    for (const auto& [code, valid] : reasons)
        EXPECT_EQ(FiscalWordings::causaleRitenutaValida(QString::fromLatin1(code)), valid) << code;
}
