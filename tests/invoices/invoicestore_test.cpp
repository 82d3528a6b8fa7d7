#include "invoices/invoiceledger.h"
#include "invoicetest.h"
#include "shell/xlsxsheet.h"
#include "shell/zipentry.h"
#include "twoseats.h"
#include "workdir.h"
#include <QTextStream>
#include <QXmlStreamReader>

namespace {

struct InvoiceStoreTest : ::testing::Test {
    TestWorkDir dir;
    qint64 rossi = addCustomer(u"ROSSI"_s);

    QString next() { return InvoiceStore::prossimoNumero(u"/26"_s).value(); }
    // 2/26 of 3 February: 1234,56 at 22 % with the withholding.
    static Invoice ringhiera(qint64 idAna)
    {
        Invoice inv = sampleInvoice(u"2/26"_s, idAna, QDate(2026, 2, 3));
        inv.totale = dec("1456.78");
        inv.ra = true;
        inv.rows = {{1, u"Ringhiera"_s, dec("1"), dec("1234.56")}};
        return inv;
    }
};

} // namespace

TEST_F(InvoiceStoreTest, RefusedWritesLeaveNothingHalfDone)
{
    // A row that cannot be written: no header either, and the number is free.
    failInserts(u"ContFatt"_s, u"NEW.Ord = 3 AND NEW.Num = '1/26'"_s);
    const DbStatus failed = InvoiceStore::issue(sampleInvoice(u"1/26"_s, rossi, QDate(2026, 1, 5)));
    ASSERT_TRUE(failed);
    EXPECT_TRUE(failed->text.contains(u"disco pieno"_s));
    EXPECT_EQ(dbRows(u"SELECT (SELECT count(*) FROM Fatture), (SELECT count(*) FROM ContFatt)"_s), u"0|0"_s);
    EXPECT_EQ(next(), u"1/26"_s);

    // A number taken meanwhile is refused inside the write; so is an amount past the range.
    issue(u"7/26"_s, rossi, QDate(2026, 1, 5));
    const QString before = invoiceRows() + u'\n' + dbRows(u"SELECT * FROM ContFatt ORDER BY Num, Ord"_s);
    Invoice big = sampleInvoice(u"8/26"_s, rossi, QDate(2026, 2, 1));
    big.totale = dec("1e20") + dec("0.01");
    EXPECT_EQ(InvoiceStore::issue(sampleInvoice(u"7/26"_s, rossi, QDate(2026, 1, 6))).value_or(DbError{}).number,
              DbError::Duplicate);
    EXPECT_EQ(InvoiceStore::issue(big).value_or(DbError{}).text, u"Overflow"_s);
    big.num = u"7/26"_s;
    EXPECT_EQ(InvoiceStore::saveHeader(big).error().text, u"Overflow"_s);
    EXPECT_EQ(invoiceRows() + u'\n' + dbRows(u"SELECT * FROM ContFatt ORDER BY Num, Ord"_s), before);
}

TEST_F(InvoiceStoreTest, TwoSeatsIssuingAtOnceGetDistinctNumbersWithoutGaps)
{
    // Each seat takes the next number and issues it, taking the following one after
    // "già esistente" as a user would; the database alone keeps them apart.
    savedByTwoSeats(200, [&](int) -> DbStatus {
        for (;;) {
            const auto num = InvoiceStore::prossimoNumero(u"/26"_s);
            if (!num)
                return num.error();
            const DbStatus err = InvoiceStore::issue(sampleInvoice(num.value(), rossi, QDate(2026, 3, 1)));
            if (!err || err->number != DbError::Duplicate || !err->text.contains(u"già esistente"_s))
                return err;
        }
    });
    ASSERT_FALSE(HasFailure());
    // Every header with its three rows, no row without its header.
    EXPECT_EQ(dbRows(u"SELECT count(*), count(DISTINCT Num), min(ordinal(Num)), max(ordinal(Num)), "
                     "(SELECT count(*) FROM ContFatt) FROM Fatture"_s),
              u"400|400|1|400|1200"_s);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Fatture F WHERE (SELECT count(*) FROM ContFatt C WHERE C.Num = F.Num) "
                     "<> 3"_s),
              u"0"_s);
}

TEST_F(InvoiceStoreTest, TheLedgerSumsTheRegisterAndWritesTheAccountantsList)
{
    const qint64 fabbri = addCustomer(u"Fabbri; \"Il Ferro\""_s);
    const qint64 bianchi = addCustomer(u"BIANCHI"_s);
    Database::exec(u"UPDATE Anagrafica SET Piva = '01234567890', Cf = 'FBBMRA80A01H199Z' WHERE Id = ?"_s, {fabbri});
    issue(u"1/26"_s, rossi, QDate(2026, 1, 10));
    InvoiceStore::setPaid(u"1/26"_s, true);
    // With the withholding: VAT 271,6032 and withholding 49,3824 print to the cent.
    issue(ringhiera(fabbri));
    Invoice viti = sampleInvoice(u"3/26"_s, bianchi, QDate(2026, 12, 31));
    viti.totale = dec("1.28");
    viti.rows = {{1, u"Viti"_s, dec("3"), dec("0.35")}, {2, u"Nota"_s, Decimal(), Decimal()}};
    issue(viti);
    issue(u"9/25"_s, rossi, QDate(2025, 12, 31));
    issue(u"4/26"_s, rossi, QDate(2027, 1, 1));

    const auto ledger = InvoiceLedger::carica(2026, 0);
    ASSERT_TRUE(ledger.ok());
    EXPECT_EQ(ledger->csv(),
              "\xEF\xBB\xBFNumero;Data;Codice cliente;Cliente;Partita IVA;Codice fiscale;Imponibile;Aliquota IVA;IVA;"
              "Ritenuta;Totale;Pagata;IVA in scissione\r\n"
              "1/26;10/01/2026;0001;ROSSI;;;130,00;22;28,60;0,00;158,60;S\xC3\xAC;0,00\r\n"
              "2/26;03/02/2026;0002;\"Fabbri; \"\"Il Ferro\"\"\";01234567890;FBBMRA80A01H199Z;1234,56;22;271,60;49,38;"
              "1456,78;No;0,00\r\n"
              "3/26;31/12/2026;0003;BIANCHI;;;1,05;22;0,23;0,00;1,28;No;0,00\r\n"_ba);

    // One customer: his invoices and sums only, from the command as from the window.
    const QString out = dir.path(u"fabbri.csv"_s);
    QString errors;
    QTextStream err(&errors);
    EXPECT_EQ(InvoiceLedger::run({u"fatture"_s, u"2026"_s, u"--cliente"_s, QString::number(fabbri), u"-o"_s, out}, err),
              0);
    const QByteArray csv = ledger->csv();
    EXPECT_EQ(dir.read(u"fabbri.csv"_s), csv.left(csv.indexOf("\r\n") + 2) + csv.split('\n').at(2) + '\n');
    EXPECT_EQ(InvoiceLedger::run({u"fatture"_s, u"duemila"_s, u"-o"_s, out}, err), 1);
    err.flush();
    EXPECT_TRUE(errors.contains(u"Anno non valido: \"duemila\""_s)) << errors.toStdString();
}

TEST(InvoiceLedgerCsv, TextsASpreadsheetWouldRunAreNeutralisedAmountsAreNot)
{
    const std::pair<QString, QByteArray> cases[] = {
        {u"=cmd|' /C calc'!A0"_s, "'=cmd|' /C calc'!A0"},
        {u"+1+1"_s, "'+1+1"},
        {u"-2+3"_s, "'-2+3"},
        {u"@SUM(A1:A9)"_s, "'@SUM(A1:A9)"},
        {u"\t=1+1"_s, "'\t=1+1"},
        {u"\r=1+1"_s, "\"'\r=1+1\""},
        {u"=1;2"_s, "\"'=1;2\""},
        {u"RO\0SSI"_s, "ROSSI"},
        {u"\0=1+1"_s, "'=1+1"},
        {u"Rossi-Bianchi = soci"_s, "Rossi-Bianchi = soci"},
    };
    for (const auto& [text, cell] : cases) {
        SCOPED_TRACE(cell.toStdString());
        InvoiceLedger l;
        InvoiceStore::RegisterRow r;
        r.num = u"1/26"_s;
        r.nome = r.piva = text;
        r.data = QDate(2026, 1, 10);
        r.totale = dec("-12.2");
        r.idAna = 1;
        r.iva = 22;
        l.registro.rows = {r};
        // A credit: its negative amounts stay numbers.
        l.importi = {{dec("-10"), dec("-2.2"), Decimal(), Decimal()}};
        EXPECT_TRUE(l.csv().endsWith("\r\n1/26;10/01/2026;0001;" + cell + ';' + cell +
                                     ";;-10,00;22;-2,20;0,00;-12,20;No;0,00\r\n"))
            << l.csv().toStdString();
    }
}

namespace {

// The cells of a spreadsheet file as "type:format:value", by reference ("C2"): type "s" for text
// (value resolved), "n" for a number; format the number format of the cell's style.
QHash<QString, QString> xlsxCells(const QByteArray& xlsx)
{
    const auto part = [&](const char* name) { return ZipEntry::read(xlsx, QString::fromLatin1(name)).value_or(""); };
    QStringList strings;
    QHash<int, QString> formats{{0, u"General"_s}};
    QList<int> styles;
    QXmlStreamReader ss(part("xl/sharedStrings.xml"));
    while (!ss.atEnd())
        if (ss.readNext() == QXmlStreamReader::StartElement && ss.name() == u"t"_s)
            strings << ss.readElementText();
    QXmlStreamReader st(part("xl/styles.xml"));
    bool inCellXfs = false;
    while (!st.atEnd()) {
        st.readNext();
        if (st.isStartElement() && st.name() == u"numFmt"_s)
            formats[st.attributes().value(u"numFmtId"_s).toInt()] = st.attributes().value(u"formatCode"_s).toString();
        if (st.name() == u"cellXfs"_s)
            inCellXfs = st.isStartElement();
        if (inCellXfs && st.isStartElement() && st.name() == u"xf"_s)
            styles << st.attributes().value(u"numFmtId"_s).toInt();
    }
    formats[49] = u"@"_s;
    QHash<QString, QString> cells;
    QXmlStreamReader sh(part("xl/worksheets/sheet1.xml"));
    while (!sh.atEnd()) {
        sh.readNext();
        if (!sh.isStartElement() || sh.name() != u"c"_s)
            continue;
        const QString ref = sh.attributes().value(u"r"_s).toString();
        const bool text = sh.attributes().value(u"t"_s) == u"s"_s;
        const int style = sh.attributes().value(u"s"_s).toInt();
        sh.readNextStartElement();
        const QString v = sh.readElementText();
        cells[ref] = (text ? u"s:"_s : u"n:"_s) + formats.value(styles.value(style)) + u':' +
                     (text ? strings.value(v.toInt()) : v);
    }
    return cells;
}

} // namespace

TEST_F(InvoiceStoreTest, TheSpreadsheetKeepsCodesAsTextAmountsAsNumbersDatesAsDates)
{
    const qint64 fabbri = addCustomer(u"=FABBRI"_s);
    Database::exec(u"UPDATE Anagrafica SET Piva = '02841560963' WHERE Id = ?"_s, {fabbri});
    issue(u"1/26"_s, rossi, QDate(2026, 1, 10));
    issue(ringhiera(fabbri));
    const QString out = dir.path(u"fatture.xlsx"_s);
    QString errors;
    QTextStream err(&errors);
    ASSERT_EQ(InvoiceLedger::run({u"xlsx"_s, u"fatture"_s, u"2026"_s, u"-o"_s, out}, err), 0) << errors.toStdString();
    const QHash<QString, QString> cells = xlsxCells(dir.read(u"fatture.xlsx"_s));
    const auto serial = [](QDate d) { return QString::number(QDate(1899, 12, 30).daysTo(d)); };
    const std::pair<QString, QString> expected[] = {
        {u"A1"_s, u"s:General:Numero"_s},
        {u"A2"_s, u"s:@:1/26"_s},
        {u"B2"_s, u"n:dd/mm/yyyy:"_s + serial(QDate(2026, 1, 10))},
        {u"C2"_s, u"s:@:0001"_s},
        // Text is never a formula, whatever it starts with.
        {u"D3"_s, u"s:@:=FABBRI"_s},
        {u"E3"_s, u"s:@:02841560963"_s},
        {u"J3"_s, u"n:#,##0.00:49.38"_s},
    };
    for (const auto& [ref, cell] : expected)
        EXPECT_EQ(cells.value(ref), cell) << ref.toStdString();
    EXPECT_FALSE(cells.contains(u"A4"_s));

    // Our own list is replaced; another spreadsheet or file under that name is not.
    ASSERT_EQ(InvoiceLedger::run({u"xlsx"_s, u"fatture"_s, u"2025"_s, u"-o"_s, out}, err), 0) << errors.toStdString();
    EXPECT_FALSE(xlsxCells(dir.read(u"fatture.xlsx"_s)).contains(u"A2"_s));
    QString failed;
    XlsxSheet other(u"Foglio"_s, u"Conti"_s, u"Conti di casa"_s, {{u"A"_s, XlsxSheet::Kind::Text, 10}});
    const std::pair<QString, QByteArray> strangers[] = {{u"conti.xlsx"_s, other.bytes(failed)},
                                                        {u"vuoto.xlsx"_s, QByteArray()}};
    for (const auto& [name, bytes] : strangers) {
        dir.write(name, bytes);
        EXPECT_EQ(InvoiceLedger::run({u"xlsx"_s, u"fatture"_s, u"2026"_s, u"-o"_s, dir.path(name)}, err), 1);
        EXPECT_EQ(dir.read(name), bytes) << name.toStdString();
    }
}
