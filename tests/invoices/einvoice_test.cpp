#include "einvoicetest.h"
#include "invoices/einvoiceexport.h"
#include "invoices/einvoicerules.h"
#include "invoices/einvoicestore.h"
#include "invoices/fiscalwordings.h"
#include "invoices/invoicedata.h"
#include "invoices/invoicelayout.h"
#include "invoices/invoicepaper.h"
#include "invoices/invoicetotals.h"
#include "registry/customerpaymentstore.h"
#include "workdir.h"
#include "xsdcheck.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <functional>

namespace {

const QString kPiva = u"01234567897"_s;

// A working folder with the company's data and one customer ready for electronic invoices.
struct Shop {
    TestWorkDir dir;
    qint64 cliente = 0;

    explicit Shop(const QString& ragione = u"Bertoldi Costruzioni Srl"_s, const QString& piva = u"12345678903"_s,
                  const QString& indirizzo = u"Via Verdi 2"_s)
    {
        EXPECT_FALSE(EInvoiceStore::saveCompany(company()));
        EXPECT_FALSE(Database::exec(u"INSERT INTO Anagrafica (Nome, Ragione, Piva, Cf, Indirizzo, Cap, Città, Prov) "
                                    "VALUES ('BERTOLDI', ?, ?, '', ?, '38100', 'Trento', 'TN')"_s,
                                    {ragione, piva, indirizzo}));
        cliente = Database::scalar(u"SELECT max(Id) FROM Anagrafica"_s).value().toLongLong();
        EXPECT_FALSE(EInvoiceStore::saveCustomer(cliente, {u"ABC1234"_s, {}, u"IT"_s}));
    }
    Invoice store(const QList<InvoiceRow>& rows, int iva = 22, bool ra = false, const QString& num = u"12/26"_s,
                  QDate data = QDate(2026, 3, 5), qint64 condizione = 0)
    {
        Invoice inv{num, cliente, {}, data, Decimal(), iva, {}, ra, false, rows};
        inv.totale = InvoiceTotals::calcola(rows, iva, ra).totaleMostrato();
        inv.condizione = condizione;
        issue(inv);
        return inv;
    }
    // 12/26 of 5 March, 100 at 22 %, on the shipped term `descrizione`, for a customer with this bank.
    void storeOnTerm(const QString& descrizione, const CustomerPayment& banca)
    {
        ASSERT_FALSE(CustomerPaymentStore::save(cliente, banca));
        const qint64 id = Database::scalar(u"SELECT Id FROM CondizioniPagamento WHERE Descrizione = ?"_s, {descrizione})
                              .value()
                              .toLongLong();
        ASSERT_NE(id, 0) << descrizione.toStdString();
        store({{1, u"Cancello"_s, dec("1"), dec("100")}}, 22, false, u"12/26"_s, QDate(2026, 3, 5), id);
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
             {u"Straße Àncora"_s, u"Straße Àncora"_s, false},
             {u"Citte\u0301"_s, u"Citt\u00e9"_s, false},
             {u"ﬁnestra 北京"_s, u"finestra ??"_s, true}}) {
        EXPECT_EQ(testo(text, 100), written) << text.toStdString();
        EXPECT_EQ(lettereFuoriLatin1(text), changed) << text.toStdString();
    }
    EXPECT_EQ(testo(u"abcdef"_s, 3), u"abc"_s);
    EXPECT_EQ(numero(dec("2.5")), u"2.50"_s);
    EXPECT_EQ(numero(dec("0.125")), u"0.125"_s);
    EXPECT_EQ(numero(dec("-3")), u"-3.00"_s);
    EXPECT_EQ(importo(dec("22.022")), u"22.02"_s);
}

TEST(EInvoiceStore, DefaultsUntilSavedThenWhatWasSaved)
{
    TestWorkDir dir;
    // Defaults before anything is saved.
    const auto empty = EInvoiceStore::company();
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->regimeFiscale, u"RF01"_s);
    EXPECT_EQ(empty->nazione, u"IT"_s);
    EXPECT_EQ(EInvoiceStore::customer(7)->codiceDestinatario, u"0000000"_s);
    EXPECT_EQ(EInvoiceStore::lastProgressive().value(), 0);

    CompanyFiscalData a = company();
    a.personaFisica = true;
    ASSERT_FALSE(EInvoiceStore::saveCompany(a));
    a.regimeFiscale = u"RF19"_s;
    ASSERT_FALSE(EInvoiceStore::saveCompany(a));
    const CompanyFiscalData back = EInvoiceStore::company().value();
    EXPECT_EQ(std::tuple(back.denominazione, back.regimeFiscale, back.iban, back.personaFisica),
              std::tuple(a.denominazione, u"RF19"_s, a.iban, true));
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM EFatturaAzienda"_s), u"1"_s);

    ASSERT_FALSE(EInvoiceStore::saveCustomer(7, {u"0000000"_s, u"a@pec.it"_s, u"IT"_s}));
    ASSERT_FALSE(EInvoiceStore::saveCustomer(7, {u"KRRH6B9"_s, {}, u"SM"_s}));
    EXPECT_EQ(EInvoiceStore::customer(7)->codiceDestinatario + EInvoiceStore::customer(7)->nazione, u"KRRH6B9SM"_s);

    ASSERT_FALSE(EInvoiceStore::saveNatura(u"3/26"_s, u"N6.3"_s));
    EXPECT_EQ(EInvoiceStore::natura(u"3/26"_s).value(), u"N6.3"_s);
    EXPECT_EQ(EInvoiceStore::natura(u"4/26"_s).value(), QString());
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
    EXPECT_EQ(EInvoiceStore::company().value().regimeFiscale, u"RF19"_s);
    EXPECT_EQ(EInvoiceStore::lastProgressive().value(), 1);
}

TEST(EInvoiceStore, ProgressivesOfFilesNotWrittenAreGivenBack)
{
    // (numbers, new names) of each assignment in turn; then which one is given back; then the
    // progressive of each number and the last one taken.
    struct Case {
        const char* name;
        std::vector<std::pair<QStringList, bool>> assigned;
        int givenBack;
        QString expected;
    };
    const std::vector<Case> cases{
        {"nuove, restituite", {{{u"1/26"_s, u"2/26"_s}, false}}, 0, u"1/26=0 2/26=0 3/26=0 last=0"_s},
        {"già date, tenute",
         {{{u"1/26"_s}, false}, {{u"1/26"_s, u"2/26"_s}, false}},
         1,
         u"1/26=1 2/26=0 3/26=0 last=1"_s},
        {"nuovo nome, torna il vecchio",
         {{{u"1/26"_s}, false}, {{u"1/26"_s}, true}},
         1,
         u"1/26=1 2/26=0 3/26=0 last=1"_s},
        {"un altro ha preso dopo: restano inusati",
         {{{u"1/26"_s}, false}, {{u"2/26"_s}, false}},
         0,
         u"1/26=0 2/26=2 3/26=0 last=2"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWorkDir dir;
        std::vector<QList<EInvoiceStore::Assigned>> taken;
        for (const auto& [nums, fresh] : c.assigned) {
            auto a = EInvoiceStore::assign(nums, fresh);
            ASSERT_TRUE(a.ok());
            taken.push_back(a.value());
        }
        ASSERT_FALSE(EInvoiceStore::giveBack(taken[c.givenBack]));
        QStringList state;
        for (const QString& num : {u"1/26"_s, u"2/26"_s, u"3/26"_s})
            state << num + u'=' + QString::number(EInvoiceStore::progressiveOf(num).value());
        state << u"last="_s + QString::number(EInvoiceStore::lastProgressive().value());
        EXPECT_EQ(state.join(u' '), c.expected);
    }
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

// The company's regime, withholding reason and stamp rule; one row of `importo`, with the stamp's
// row when it is due, stored as 12/26 with its Natura.
std::function<void(Shop&)> fiscale(const QString& regime, const QString& causale, bool bolloACliente, int iva, bool ra,
                                   const QString& natura, const char* importo)
{
    return [=](Shop& s) {
        CompanyFiscalData a = company();
        a.regimeFiscale = regime;
        a.causaleRitenuta = causale;
        a.bolloACliente = bolloACliente;
        ASSERT_FALSE(EInvoiceStore::saveCompany(a));
        QList<InvoiceRow> rows{row(1, u"Lavorazione"_s, "0", importo)};
        if (const auto bollo = FiscalWordings::rigaBollo(a, iva, ra, natura, rows))
            rows << *bollo;
        // Already there, the stamp's row is not added again.
        EXPECT_EQ(FiscalWordings::rigaBollo(a, iva, ra, natura, rows), std::nullopt);
        s.store(rows, iva, ra);
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
    struct Case {
        const char* name;
        std::function<void(Shop&)> setup;
        QStringList expected; // "path=value", values of several elements joined by "|"
        QStringList diciture; // the wordings the paper's annotations start with
    };
    const std::vector<Case> cases{
        {"esempio con ritenuta",
         [](Shop& s) {
             s.store({row(1, u"Cancello"_s, "0", "100"), row(2, u"Vite"_s, "1", "0.10")}, 22, true);
         },
         {u"DatiRiepilogo/ImponibileImporto=100.10"_s, u"DatiRiepilogo/Imposta=22.02"_s,
          u"DatiRiepilogo/AliquotaIVA=22.00"_s, u"DatiRitenuta/ImportoRitenuta=4.00"_s,
          u"DatiRitenuta/TipoRitenuta=RT02"_s, u"DatiRitenuta/AliquotaRitenuta=4.00"_s,
          u"DatiRitenuta/CausalePagamento=W"_s, u"ImportoTotaleDocumento=122.12"_s,
          u"DettaglioPagamento/ImportoPagamento=118.12"_s, u"DettaglioPagamento/IBAN=IT60X0542811101000000123456"_s,
          u"DettaglioLinee/Ritenuta=SI|SI"_s, u"TipoDocumento=TD01"_s, u"Divisa=EUR"_s,
          u"DatiGeneraliDocumento/Data=2026-03-05"_s, u"DatiGeneraliDocumento/Numero=12/26"_s,
          u"CodiceDestinatario=ABC1234"_s, u"ProgressivoInvio=00001"_s,
          u"CessionarioCommittente/DatiAnagrafici/IdFiscaleIVA/IdCodice=12345678903"_s, u"DatiBollo/BolloVirtuale="_s},
         {}},
        {"persona fisica, riga a corpo, riga vuota esclusa",
         [](Shop& s) {
             CompanyFiscalData a = company();
             a.personaFisica = true;
             a.iban.clear();
             ASSERT_FALSE(EInvoiceStore::saveCompany(a));
             s.store({InvoiceRules::rigaVuota(1), row(2, u"Posa in opera"_s, "0", "30.555")}, 10, true);
         },
         {u"DatiRitenuta/TipoRitenuta=RT01"_s, u"NumeroLinea=1"_s, u"DettaglioLinee/Quantita="_s,
          u"DettaglioLinee/PrezzoUnitario=30.56"_s, u"DettaglioLinee/PrezzoTotale=30.56"_s,
          u"DatiPagamento/CondizioniPagamento="_s, u"DatiRiepilogo/Imposta=3.06"_s},
         {}},
        {"riga di solo testo, note lunghe in causali di 200 caratteri",
         [](Shop& s) {
             s.store({row(1, u"Come da preventivo n. 4"_s, "0", "0"), row(2, u"Cancello"_s, "2", "50")});
             ASSERT_FALSE(Database::exec(u"UPDATE Fatture SET Note = ? WHERE Num = ?"_s,
                                         {QString(200, u'a') + QString(200, u'b') + QString(50, u'c'), u"12/26"_s}));
         },
         {u"Causale="_s + QString(200, u'a') + u'|' + QString(200, u'b') + u'|' + QString(50, u'c'), u"NumeroLinea=1|2"_s, u"DettaglioLinee/Quantita=2.00"_s, u"DettaglioLinee/UnitaMisura=NR"_s,
          u"DettaglioLinee/PrezzoUnitario=0.00|50.00"_s, u"DettaglioLinee/PrezzoTotale=0.00|100.00"_s,
          u"DatiRitenuta/TipoRitenuta="_s, u"ImportoTotaleDocumento=122.00"_s},
         {}},
        {"cliente con sola PEC",
         [](Shop& s) {
             ASSERT_FALSE(EInvoiceStore::saveCustomer(s.cliente, {{}, u"ufficio@pec.bertoldi.it"_s, u"IT"_s}));
             s.store({row(1, u"Cancello"_s, "1", "80")});
         },
         {u"CodiceDestinatario=0000000"_s, u"PECDestinatario=ufficio@pec.bertoldi.it"_s},
         {}},
        {"nomi con & < accenti e apostrofo, testi tagliati",
         [](Shop& s) {
             ASSERT_FALSE(Database::exec(u"UPDATE Anagrafica SET Ragione = ?, Ragione2 = ? WHERE Id = ?"_s,
                                         {u"Ferro & Acciai <Nord> dell'Àncora Città"_s, QString(60, u'x'), s.cliente}));
             s.store({row(1, u"Profilo 30×30 – “zincato” l'ultimo € 5"_s, "1", "5")});
         },
         {u"CessionarioCommittente/DatiAnagrafici/Anagrafica/Denominazione="_s +
              (u"Ferro & Acciai <Nord> dell'Àncora Città "_s + QString(60, u'x')).left(80),
          u"DettaglioLinee/Descrizione=Profilo 30×30 - \"zincato\" l'ultimo EUR 5"_s},
         {}},
        {"nota di credito parziale",
         [](Shop& s) {
             s.store({row(1, u"Cancello"_s, "2", "50"), row(2, u"Posa"_s, "0", "30")}, 22, false, u"11/26"_s,
                     QDate(2026, 2, 20));
             Invoice nota{u"12/26"_s,  s.cliente,
                          {},          QDate(2026, 3, 5),
                          dec("36.6"), 22,
                          {},          false,
                          false,       {row(2, u"Posa"_s, "0", "30")}};
             nota.storno.fattura = u"11/26"_s;
             issue(nota);
         },
         {u"TipoDocumento=TD04"_s, u"DatiFattureCollegate/IdDocumento=11/26"_s,
          u"DatiFattureCollegate/Data=2026-02-20"_s, u"DatiRiepilogo/ImponibileImporto=30.00"_s,
          u"ImportoTotaleDocumento=36.60"_s},
         {}},
        {"Ri.Ba. in tre rate: la banca del cliente",
         [](Shop& s) {
             s.storeOnTerm(u"Ri.Ba. 30/60/90 gg f.m."_s, {0, {}, u"05428"_s, u"11101"_s, u"Banca di Prova"_s});
         },
         {u"DatiPagamento/CondizioniPagamento=TP01"_s, u"DettaglioPagamento/ModalitaPagamento=MP12|MP12|MP12"_s,
          u"DettaglioPagamento/DataScadenzaPagamento=2026-04-30|2026-05-31|2026-06-30"_s,
          u"DettaglioPagamento/ImportoPagamento=40.66|40.66|40.68"_s,
          u"DettaglioPagamento/IstitutoFinanziario=Banca di Prova|Banca di Prova|Banca di Prova"_s,
          u"DettaglioPagamento/ABI=05428|05428|05428"_s, u"DettaglioPagamento/CAB=11101|11101|11101"_s,
          u"DettaglioPagamento/IBAN="_s, u"DettaglioPagamento/Beneficiario="_s},
         {}},
        {"bonifico in una rata: l'IBAN dell'azienda",
         [](Shop& s) { s.storeOnTerm(u"Bonifico 30 gg d.f."_s, {}); },
         {u"DatiPagamento/CondizioniPagamento=TP02"_s, u"DettaglioPagamento/Beneficiario=Carpenteria Rossi Srl"_s,
          u"DettaglioPagamento/ModalitaPagamento=MP05"_s, u"DettaglioPagamento/DataScadenzaPagamento=2026-04-04"_s,
          u"DettaglioPagamento/IstitutoFinanziario=Banca di Bologna"_s,
          u"DettaglioPagamento/IBAN=IT60X0542811101000000123456"_s, u"DettaglioPagamento/ABI="_s},
         {}},
        {"addebito diretto: l'IBAN del cliente",
         [](Shop& s) {
             s.storeOnTerm(u"Addebito diretto SDD 30 gg f.m."_s,
                           {0, u"it05 a050 3616 9000 0000 0012 345"_s, {}, {}, u"Banco BPM"_s});
         },
         {u"DettaglioPagamento/ModalitaPagamento=MP19"_s, u"DettaglioPagamento/DataScadenzaPagamento=2026-04-30"_s,
          u"DettaglioPagamento/IstitutoFinanziario=Banco BPM"_s,
          u"DettaglioPagamento/IBAN=IT05A0503616900000000012345"_s},
         {}},
        {"subappalto edile N6.3 a 0 %, nessun bollo",
         fiscale(u"RF01"_s, u"W"_s, false, 0, false, u"N6.3"_s, "1500"),
         {u"DettaglioLinee/Natura=N6.3"_s, u"DatiRiepilogo/Natura=N6.3"_s, u"DatiRiepilogo/AliquotaIVA=0.00"_s,
          u"DatiRiepilogo/Imposta=0.00"_s, u"ImportoTotaleDocumento=1500.00"_s, u"DatiBollo/BolloVirtuale="_s},
         {FiscalWordings::natura(u"N6.3"_s)->dicitura}},
        {"dichiarazione d'intento a 77,48: bollo",
         fiscale(u"RF01"_s, u"W"_s, false, 0, false, u"N3.5"_s, "77.48"),
         {u"DatiBollo/BolloVirtuale=SI"_s, u"DatiBollo/ImportoBollo=2.00"_s, u"ImportoTotaleDocumento=77.48"_s},
         {n35, bollo}},
        {"forfettario: N2.2 senza Natura scelta, bollo",
         fiscale(u"RF19"_s, u"W"_s, false, 0, false, {}, "640"),
         {u"RegimeFiscale=RF19"_s, u"DettaglioLinee/Natura=N2.2"_s, u"DatiRiepilogo/Natura=N2.2"_s,
          u"DatiBollo/ImportoBollo=2.00"_s, u"DatiRitenuta/TipoRitenuta="_s},
         {forfettario, bollo}},
        {"forfettario a 77,47",
         fiscale(u"RF19"_s, u"W"_s, false, 0, false, {}, "77.47"),
         {u"DatiRiepilogo/Natura=N2.2"_s, u"DatiBollo/BolloVirtuale="_s},
         {forfettario}},
        {"bollo a carico del cliente a 77,47: nessuna riga",
         fiscale(u"RF01"_s, u"W"_s, true, 0, false, u"N3.5"_s, "77.47"),
         {u"DettaglioLinee/Descrizione=Lavorazione"_s, u"ImportoTotaleDocumento=77.47"_s,
          u"DatiBollo/BolloVirtuale="_s},
         {n35}},
        {"riga del bollo rimasta su una fattura scesa a 76: il bollo non conta per la soglia",
         [](Shop& s) {
             fiscale(u"RF01"_s, u"W"_s, true, 0, false, u"N3.5"_s, "77.48")(s);
             ASSERT_FALSE(
                 Database::exec(u"UPDATE ContFatt SET Prezzo = 76 WHERE Num = ? AND Descrizione = ?"_s,
                                {u"12/26"_s, u"Lavorazione"_s}));
         },
         {u"DatiBollo/BolloVirtuale="_s},
         {n35}},
        {"bollo a carico del cliente a 77,48: riga nei totali",
         fiscale(u"RF19"_s, u"W"_s, true, 0, false, {}, "77.48"),
         {u"DettaglioLinee/Descrizione=Lavorazione|Rimborso imposta di bollo"_s,
          u"DettaglioLinee/PrezzoTotale=77.48|2.00"_s, u"ImportoTotaleDocumento=79.48"_s,
          u"DatiBollo/ImportoBollo=2.00"_s},
         {forfettario, bollo}},
        {"ritenuta con la causale dell'azienda",
         fiscale(u"RF01"_s, u"A"_s, false, 22, true, {}, "1000"),
         {u"DatiRitenuta/CausalePagamento=A"_s, u"DatiRitenuta/ImportoRitenuta=40.00"_s, u"DatiBollo/BolloVirtuale="_s},
         {}},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Shop s;
        c.setup(s);
        const QString error = EInvoiceExport::writeFile(u"12/26"_s, s.out());
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        const QByteArray xml = readFile(s.out());
        ASSERT_TRUE(xml.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
        EXPECT_EQ(xsdErrors(s.out()), QString());
        EXPECT_EQ(validatorErrors(s.out()), QString());
        for (const QString& e : c.expected)
            EXPECT_EQ(values(xml, e.section(u'=', 0, 0)), e.section(u'=', 1, -1)) << e.toStdString();

        // The summary is the printed invoice, to the cent; the payments, one or several, sum to its total.
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
            EXPECT_EQ(somma.toFixed(2), printed(shown.totale));
        }

        // The paper carries exactly the wordings of its case, in order, and the stamp only with the file's.
        QString wordings;
        for (const QString& w : c.diciture)
            wordings += InvoiceLayout::righeNote(w).join(QString());
        const QString annotations = printedAnnotations(u"12/26"_s);
        EXPECT_TRUE(annotations.startsWith(wordings)) << annotations.toStdString();
        EXPECT_EQ(annotations.contains(u"Imposta di bollo assolta"_s), values(xml, u"BolloVirtuale"_s) == u"SI"_s);
    }
    if (!haveValidator())
        GTEST_SKIP() << "a38tool (package python3-a38) is not installed: amounts checked, files not validated";
}

// The company's data as `change` leaves them; the stored invoices with the withholding when `ra`.
std::function<void(Shop&)> withCompany(void (*change)(CompanyFiscalData&), bool ra = false)
{
    return [=](Shop& s) {
        CompanyFiscalData a = company();
        change(a);
        ASSERT_FALSE(EInvoiceStore::saveCompany(a));
        if (ra) {
            ASSERT_FALSE(Database::exec(u"UPDATE Fatture SET RA = 'True' WHERE IdAna = ?"_s, {s.cliente}));
        }
    };
}

TEST(EInvoiceXml, RefusalsListEveryMissingItemAndWriteNothing)
{
    struct Case {
        const char* name;
        std::function<void(Shop&)> setup;
        QString num;
        QStringList items;
    };
    const std::vector<Case> cases{
        {"dati azienda mancanti",
         [](Shop&) { ASSERT_FALSE(EInvoiceStore::saveCompany({})); },
         u"12/26"_s,
         {u"Denominazione dell'azienda"_s, u"Partita IVA dell'azienda"_s, u"Indirizzo dell'azienda"_s,
          u"CAP dell'azienda"_s, u"Comune dell'azienda"_s}},
        {"partita IVA dell'azienda errata",
         withCompany([](auto& a) { a.partitaIva = u"01234567890"_s; }),
         u"12/26"_s,
         {u"Partita IVA dell'azienda non valida"_s}},
        {"cliente senza identificativi né indirizzo",
         [](Shop&) { ASSERT_FALSE(Database::exec(u"UPDATE Anagrafica SET Piva = '', Cf = NULL, Indirizzo = ''"_s)); },
         u"12/26"_s,
         {u"Partita IVA o codice fiscale del cliente"_s, u"Indirizzo del cliente"_s}},
        {"aliquota 0 senza Natura",
         [](Shop& s) { ASSERT_FALSE(Database::exec(u"UPDATE Fatture SET Iva = 0 WHERE IdAna = ?"_s, {s.cliente})); },
         u"12/26"_s,
         {u"Natura dell'operazione per l'aliquota 0 %"_s}},
        {"regime forfettario con IVA e ritenuta",
         withCompany([](auto& a) { a.regimeFiscale = u"RF19"_s; }, true),
         u"12/26"_s,
         {u"Regime forfettario (RF19): la fattura va emessa con aliquota 0 %"_s,
          u"Regime forfettario (RF19): la fattura non subisce la ritenuta"_s}},
        {"causale della ritenuta non valida",
         withCompany([](auto& a) { a.causaleRitenuta = u"F"_s; }, true),
         u"12/26"_s,
         {u"Causale della ritenuta nei dati dell'azienda"_s}},
        {"aliquota 100 %",
         [](Shop& s) { ASSERT_FALSE(Database::exec(u"UPDATE Fatture SET Iva = 100 WHERE IdAna = ?"_s, {s.cliente})); },
         u"12/26"_s,
         {u"Aliquota IVA (da 0 a 99)"_s}},
        {"fattura inesistente", [](Shop&) {}, u"99/26"_s, {u"Fattura 99/26 non trovata."_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Shop s;
        s.store({row(1, u"Cancello"_s, "1", "80")});
        c.setup(s);
        const QString error = EInvoiceExport::writeFile(c.num, s.out());
        for (const QString& item : c.items)
            EXPECT_TRUE(error.contains(item)) << error.toStdString() << " lacks " << item.toStdString();
        EXPECT_FALSE(QFile::exists(s.out()));
        EXPECT_EQ(EInvoiceStore::lastProgressive().value(), 0);
    }

    // The file names: another kind of file and the data folder are refused, an XML file is replaced.
    Shop s;
    s.store({row(1, u"Cancello"_s, "1", "80")});
    s.dir.write(u"vecchia.pdf"_s, "%PDF-1.4 non toccare");
    EXPECT_FALSE(EInvoiceExport::writeFile(u"12/26"_s, s.out(u"vecchia.pdf"_s)).isEmpty());
    EXPECT_EQ(s.dir.read(u"vecchia.pdf"_s), QByteArray("%PDF-1.4 non toccare"));
    EXPECT_FALSE(EInvoiceExport::writeFile(u"12/26"_s, s.out(u"Dati/fattura.xml"_s)).isEmpty());
    EXPECT_FALSE(QFile::exists(s.out(u"Dati/fattura.xml"_s)));
    EXPECT_EQ(EInvoiceStore::lastProgressive().value(), 0);
    // An XML file is replaced only when it is an electronic invoice of this company: not any XML,
    // not one a supplier sent.
    ASSERT_EQ(EInvoiceExport::writeFile(u"12/26"_s, s.out(u"mia.xml"_s)), QString());
    const QByteArray fornitore = s.dir.read(u"mia.xml"_s).replace("01234567897", "12345678903");
    for (const auto& [name, content] : std::vector<std::pair<QString, QByteArray>>{
             {u"vecchia.xml"_s, "<?xml version=\"1.0\"?><x/>"}, {u"fornitore.xml"_s, fornitore}}) {
        s.dir.write(name, content);
        EXPECT_TRUE(
            EInvoiceExport::writeFile(u"12/26"_s, s.out(name)).contains(u"fattura elettronica di questa azienda"_s));
        EXPECT_EQ(s.dir.read(name), content);
    }
    EXPECT_EQ(EInvoiceExport::writeFile(u"12/26"_s, s.out(u"mia.xml"_s)), QString());
    EXPECT_EQ(values(s.dir.read(u"mia.xml"_s), u"ProgressivoInvio"_s), u"00001"_s);
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
    EXPECT_EQ(values(readFile(s.out(u"invii/IT01234567897_00010.xml"_s)), u"Numero"_s), u"2/26"_s);

    ASSERT_EQ(s.command({u"xml"_s, u"fattura"_s, u"9/25"_s, u"-o"_s, s.out(u"una.xml"_s)}, &errors), 0)
        << errors.toStdString();
    EXPECT_EQ(values(readFile(s.out(u"una.xml"_s)), u"ProgressivoInvio"_s), u"00011"_s);

    // One invoice that cannot make a file stops the whole year, naming it.
    ASSERT_FALSE(Database::exec(u"UPDATE Fatture SET Iva = 0 WHERE Num = '1/26'"_s));
    EXPECT_EQ(s.command({u"xml"_s, u"anno"_s, u"2026"_s, u"-o"_s, s.out(u"altri"_s)}, &errors), 1);
    EXPECT_TRUE(errors.contains(u"fattura elettronica 1/26"_s)) << errors.toStdString();
    EXPECT_FALSE(QFile::exists(s.out(u"altri"_s)));

    EXPECT_EQ(s.command({u"xml"_s, u"anno"_s, u"2026"_s}, &errors), 1);
    EXPECT_TRUE(errors.contains(u"Uso:"_s));
}

TEST(EInvoiceCommand, AgainTheSameNamesANewOneOnlyWhenAsked)
{
    Shop s(u"Stal Łódź Sp. z o.o."_s);
    s.store({row(1, u"Cancello"_s, "1", "80")}, 22, false, u"1/26"_s, QDate(2026, 1, 10));
    s.store({row(1, u"Ringhiera"_s, "2", "45")}, 22, false, u"2/26"_s, QDate(2026, 2, 10));
    const auto files = [&](const QString& folder) { return QDir(s.out(folder)).entryList(QDir::Files).join(u' '); };
    const auto xmlAnno = [&](const QString& folder, QString* errors, const QStringList& more = {}) {
        return s.command(QStringList{u"xml"_s, u"anno"_s, u"2026"_s, u"-o"_s, s.out(folder)} + more, errors);
    };

    QString errors;
    // Written, and again: the same names, in any folder, with the letters beyond Latin-1 told.
    const QString both = u"IT01234567897_00001.xml IT01234567897_00002.xml"_s;
    for (const QString& folder : {u"invii"_s, u"invii"_s, u"copia"_s}) {
        ASSERT_EQ(xmlAnno(folder, &errors), 0) << errors.toStdString();
        EXPECT_EQ(files(folder), both);
        EXPECT_TRUE(errors.contains(u"1/26: \"Stal Łódź Sp. z o.o.\" → \"Stal Lodz Sp. z o.o.\""_s))
            << errors.toStdString();
    }
    EXPECT_EQ(EInvoiceStore::lastProgressive().value(), 2);
    EXPECT_EQ(values(s.dir.read(u"copia/IT01234567897_00002.xml"_s), u"Numero"_s), u"2/26"_s);
    EXPECT_EQ(values(s.dir.read(u"copia/IT01234567897_00001.xml"_s), u"Denominazione"_s),
              u"Carpenteria Rossi Srl|Stal Lodz Sp. z o.o."_s);

    // A file the exchange system refused goes again under a new name, kept from then on.
    ASSERT_EQ(s.command({u"xml"_s, u"fattura"_s, u"2/26"_s, u"--nuovo-nome"_s, u"-o"_s, s.out(u"2.xml"_s)}, &errors), 0)
        << errors.toStdString();
    EXPECT_EQ(values(s.dir.read(u"2.xml"_s), u"ProgressivoInvio"_s), u"00003"_s);
    ASSERT_EQ(xmlAnno(u"dopo"_s, &errors), 0) << errors.toStdString();
    EXPECT_EQ(files(u"dopo"_s), u"IT01234567897_00001.xml IT01234567897_00003.xml"_s);
}

TEST(Commands, OneRuleForYearsCustomersControlBytesAndBrokenPapers)
{
    const QString out = u"uscita"_s; // in the working folder
    struct Case {
        QString damage; // SQL run first
        QStringList args;
        QString message;
    };
    const QString anno0 = u"Anno non valido: \"0\" (da 1900 a 9999)."_s;
    const QString nessuno = u"Cliente 999999 non trovato."_s;
    const QString overflow = u"Errore 6: Overflow nella fattura 2/26"_s;
    const QString prezzo = u"UPDATE ContFatt SET Prezzo = 1e300 WHERE Num = '2/26'"_s;
    const std::vector<Case> cases{
        {{}, {u"csv"_s, u"fatture"_s, u"0"_s, u"-o"_s, out}, anno0},
        {{}, {u"xml"_s, u"anno"_s, u"0"_s, u"-o"_s, out}, anno0},
        {{}, {u"fattura-da-ddt"_s, u"1"_s, u"--anno"_s, u"0"_s}, anno0},
        {{}, {u"xlsx"_s, u"fatture"_s, u"2026"_s, u"--cliente"_s, u"999999"_s, u"-o"_s, out}, nessuno},
        {{}, {u"pdf"_s, u"registro-fatture"_s, u"2026"_s, u"--cliente"_s, u"999999"_s, u"-o"_s, out}, nessuno},
        {{},
         {u"csv"_s, u"fatture"_s, u"2026"_s, u"--cliente"_s, u"abc"_s, u"-o"_s, out},
         u"Codice cliente non valido: \"abc\"."_s},
        {{}, {u"pdf"_s, u"fattura"_s, u"\x1b[31m1/26"_s, u"-o"_s, out}, u"contiene caratteri di controllo"_s},
        {{}, {u"xml"_s, u"fattura"_s, u"1/26"_s, u"-o"_s, out + u"\x9b"_s}, u"contiene caratteri di controllo"_s},
        {u"DELETE FROM Anagrafica"_s, {u"pdf"_s, u"fattura"_s, u"1/26"_s, u"-o"_s, out}, u"Cliente 1 non trovato"_s},
        {u"UPDATE Fatture SET Totale = 1e21 WHERE Num = '2/26'"_s,
         {u"pdf"_s, u"registro-fatture"_s, u"2026"_s, u"-o"_s, out},
         overflow},
        {prezzo, {u"xlsx"_s, u"fatture"_s, u"2026"_s, u"-o"_s, out}, overflow},
        {prezzo, {u"xml"_s, u"anno"_s, u"2026"_s, u"-o"_s, out}, overflow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        Shop s;
        s.store({row(1, u"Cancello"_s, "1", "80")}, 22, false, u"1/26"_s, QDate(2026, 1, 10));
        s.store({row(1, u"Ringhiera"_s, "2", "45")}, 22, false, u"2/26"_s, QDate(2026, 2, 10));
        if (!c.damage.isEmpty()) {
            ASSERT_FALSE(Database::exec(c.damage));
        }
        QStringList args = c.args;
        for (QString& a : args)
            if (a.startsWith(out))
                a = s.out(a);
        QString errors;
        EXPECT_EQ(s.command(args, &errors), 1);
        EXPECT_TRUE(errors.contains(c.message)) << errors.toStdString();
        EXPECT_FALSE(errors.contains(QChar(0x1b)) || errors.contains(QChar(0x9b)));
        EXPECT_FALSE(QFileInfo::exists(s.out(out)));
    }
}

TEST(FiscalWordings, NaturaOrderWordingsAndWithholdingReasons)
{
    // The codes a metalwork shop meets come first, and every code has a wording and its source.
    QStringList codes;
    for (const FiscalWordings::Natura& n : FiscalWordings::nature()) {
        codes << n.codice;
        EXPECT_FALSE(n.dicitura.isEmpty()) << n.codice.toStdString();
        EXPECT_FALSE(n.fonte.isEmpty()) << n.codice.toStdString();
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
