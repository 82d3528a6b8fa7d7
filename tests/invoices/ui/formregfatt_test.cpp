#include "../../printing/pdfprobe.h"
#include "../ribatest.h"
#include "invoices/ui/formregfatt.h"
#include "printing/pdfprinter.h"
#include "printing/printers.h"
#include "printing/ui/formstampafatt.h"
#include "shell/appstate.h"
#include "shell/formats.h"
#include "usergestures.h"
#include "windowtest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>

namespace {

using Answer = Dialogs::Answer;

const int kAnno = QDate::currentDate().year();
const QString kYY = InvoiceRules::suffisso(kAnno).mid(1);

QString num(int n)
{
    return QString::number(n) + u'/' + kYY;
}

// The editor, with a PDF printer as the default one.
struct FormRegFattTest : OneWindowTest<FormRegFatt> {
    qint64 rossi = addCustomer(u"ROSSI"_s);

    FormRegFattTest()
    {
        Printers::reset();
        app().stampantePdf = app().stampantePredefinita = u"CutePDF Writer"_s;
        PdfPrinter::setLastFolder(dir.path());
    }
    ~FormRegFattTest() override { Printers::reset(); }

    void open(const QString& number = {})
    {
        frm = std::make_unique<FormRegFatt>();
        EXPECT_TRUE(frm->Carica(number, kAnno));
    }
    QLineEdit* box(const char* name) { return get<QLineEdit>(name); }
    QComboBox* iva() { return get<QComboBox>("ComboIva"); }
    QTableWidget* table() { return get<QTableWidget>("FGrid"); }
    // The rows as "description|qty|price|amount|Ord", then the four totals.
    QString shown()
    {
        return gridText(table()->model()) + u"\n"_s +
               QStringList{box("TxtImp")->text(), box("TxtIva")->text(), box("TxtRA")->text(), box("TxtTot")->text()}
                   .join(u'|');
    }
    // Total, rate, date and notes of a stored invoice, then its rows.
    QString stored(const QString& number)
    {
        return dbRows(u"SELECT Totale, Iva, Data, Note FROM Fatture WHERE Num = ?"_s, {number}) + u'\n' +
               contentRows(number);
    }
    void addRow(const QString& des, const QString& qta, const QString& prezzo)
    {
        for (const QString& answer : {des, qta, prezzo})
            dlg.type(answer);
        click("BtnIns");
    }
    void choose(const QString& nome)
    {
        auto* cli = get<QComboBox>("ComboCli");
        cli->setCurrentIndex(cli->findText(nome));
    }
};

} // namespace

TEST_F(FormRegFattTest, NewInvoiceIssuedEndToEnd)
{
    Invoice at10 = sampleInvoice(num(1), rossi, QDate(kAnno, 1, 10));
    at10.iva = 10;
    issue(at10);
    issue(num(2), rossi, QDate(kAnno, 1, 11));
    // BIANCHI pays by Ri.Ba.: his term is proposed, and the invoice is issued with its due dates.
    const qint64 bianchi = addCustomer(u"BIANCHI"_s);
    ASSERT_FALSE(CustomerPaymentStore::save(
        bianchi, {RibaData::termine(u"Ri.Ba. 30/60 gg f.m."_s), {}, u"05428"_s, u"11101"_s, {}}));
    open();
    // Next number, today's date, the highest rate used so far, one spacer row with Ord 1.
    EXPECT_EQ(QStringList({box("TxtNum")->text(), box("TxtData")->text(), iva()->currentText()}),
              QStringList({num(3), Formats::shortDate(QDate::currentDate()), u"22"_s}));
    EXPECT_TRUE(box("TxtNum")->isReadOnly());
    EXPECT_EQ(shown(), u" ||||1\n€ 0,00|€ 0,00|€ 0,00|€ 0,00"_s);

    choose(u"BIANCHI"_s);
    EXPECT_EQ(get<QComboBox>("ComboCondizione")->currentText(), u"Ri.Ba. 30/60 gg f.m."_s);
    addRow(u"Cancello scorrevole"_s, u"0"_s, u"100"_s);
    addRow(u"Bulloni"_s, u"2.5"_s, u"0.04"_s);
    get<QCheckBox>("ChkRA")->click();
    EXPECT_EQ(shown(), u" ||||1\nCancello scorrevole||100,00|100,00|2\nBulloni|2,5|0,04|0,10|3\n"
                       "€ 100,10|€ 22,02|€ 4,00|€ 118,12"_s);
    // The notes: each line break counts two characters of the 255, and is stored as CR LF.
    auto* note = get<QPlainTextEdit>("TxtNote");
    note->setPlainText(QString(250, u'a') + u"\nbcdef"_s);
    EXPECT_EQ(note->toPlainText(), QString(250, u'a') + u"\nbcd"_s);
    note->setPlainText(u"Bonifico a 30 giorni\nConsegna in cantiere"_s);

    // The preview shows what is typed and stores nothing.
    std::vector<Page> preview;
    dlg.onWindow([&](QDialog* w) {
        preview = static_cast<FormStampaFatt*>(w)->pages();
        return 0;
    });
    click("BtnAnt");
    ASSERT_EQ(preview.size(), 1u);
    EXPECT_NE(preview[0].findText(u"€ 118,12"_s), nullptr);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Fatture"_s), u"2"_s);

    // Issued, then printed in the one copy asked for.
    dlg.onWindow([](QDialog* w) {
        w->findChild<QCheckBox*>(u"ChkCopie0"_s)->click();
        w->findChild<QPushButton*>(u"BtnAvanti"_s)->click();
        return 1;
    });
    dlg.chooseFile(dir.path(u"emessa.pdf"_s));
    click("BtnEmetti");
    EXPECT_EQ(dlg.proposedFiles, QStringList{dir.path(u"Fattura_3-%1.pdf"_s.arg(kYY))});
    EXPECT_EQ(dlg.windowsShown, (QStringList{u"FormStampaFatt"_s, u"FrmCopie"_s}));
    EXPECT_EQ(dlg.texts(),
              (QStringList{u"Proseguire con l'EMISSIONE della Fattura ?"_s, u"FATTURA emessa con successo"_s}));
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    EXPECT_EQ(dbRows(u"SELECT * FROM Fatture WHERE Num = ?"_s, {num(3)}),
              u"%1|%2|%3|118.12|22|Bonifico a 30 giorni\r\nConsegna in cantiere|X|-"_s.arg(num(3)).arg(bianchi).arg(
                  Formats::isoDate(QDate::currentDate())));
    EXPECT_EQ(contentRows(num(3)), u"1| |0|0\n2|Cancello scorrevole|0|100\n3|Bulloni|2.5|0.04"_s);
    EXPECT_EQ(dbRows(u"SELECT Rata, Importo, Modalita FROM Scadenze WHERE Num = ?"_s, {num(3)}),
              u"1|59.06|MP12\n2|59.06|MP12"_s);
    const auto words = PdfProbe::words(dir.path(u"emessa.pdf"_s));
    EXPECT_EQ(PdfProbe::pages(dir.path(u"emessa.pdf"_s)), 1);
    for (const QString& t : {u"Bulloni"_s, u"3/20"_s + kYY, u"118,12"_s})
        EXPECT_TRUE(PdfProbe::find(words, t)) << t.toStdString();

    // Recalled: the box shows the lines.
    open(num(3));
    EXPECT_EQ(get<QPlainTextEdit>("TxtNote")->toPlainText(), u"Bonifico a 30 giorni\nConsegna in cantiere"_s);
}

TEST_F(FormRegFattTest, IssueChecksInOrder)
{
    app().secondario = true; // the number may be typed
    issue(num(1), rossi, QDate(kAnno, 2, 1));
    open();
    const QString valid = u"15/03/"_s + kYY, nextYear = u"02/01/"_s + InvoiceRules::suffisso(kAnno + 1).mid(1);
    const QString nonNumber = u"N/AA"_s;
    const struct {
        QString number;
        QString date;
        const char* rate;
        bool customer;
        QString message;
    } steps[] = {
        {num(2), QString(), "", false, u"Inserire DATA fattura"_s},
        {num(2), valid, "", false, u"Inserire % IVA"_s},
        {num(2), valid, "22", false, u"Selezionare il CLIENTE"_s},
        {u"12-26"_s, valid, "22", true, nonNumber},
        {num(1), valid, "22", true, u"Fattura %1 già esistente"_s.arg(num(1))},
        // Another year than the register's is asked for; No stops.
        {num(2), nextYear, "22", true,
         u"ANNO di emissione diverso dall'anno della data della fattura, proseguire comunque ?"_s},
        {num(2), valid, "22", true, u"Proseguire con l'EMISSIONE della Fattura ?"_s},
    };
    for (const auto& s : steps) {
        box("TxtNum")->setText(s.number);
        box("TxtData")->setText(s.date);
        iva()->setEditText(QString::fromLatin1(s.rate));
        if (s.customer)
            choose(u"ROSSI"_s);
        if (s.message.endsWith(u'?'))
            dlg.answer(Answer::No);
        click("BtnEmetti");
        EXPECT_EQ(dlg.lastText().contains(nonNumber) ? nonNumber : dlg.lastText(), s.message) << s.number.toStdString();
    }
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Fatture"_s), u"1"_s);
    EXPECT_TRUE(dlg.allAnswersUsed());

    // Another program on the same file issues the next number while the user reads the question.
    app().secondario = false;
    open();
    choose(u"ROSSI"_s);
    const qint64 other = addCustomer(u"VERDI"_s);
    dlg.messages.clear();
    dlg.whileShown = [&](const QString& text) {
        if (text.startsWith(u"Proseguire"_s))
            issue(num(2), other, QDate(kAnno, 3, 1));
    };
    click("BtnEmetti");
    EXPECT_EQ(dlg.texts(), (QStringList{u"Proseguire con l'EMISSIONE della Fattura ?"_s,
                                        u"Fattura %1 già esistente"_s.arg(num(2))}));
    EXPECT_NE(frm->result(), QDialog::Accepted);
    EXPECT_EQ(dbRows(u"SELECT IdAna FROM Fatture WHERE Num = ?"_s, {num(2)}) + u'|' + contentRows(num(2)),
              QString::number(other) + u"|1| |0|0\n2|Cancello|2|50\n3|Posa|0|30"_s);

    // Under the flat-rate regime, past 77,47 € the stamp charged to the customer is a row of the total.
    CompanyFiscalData azienda;
    azienda.regimeFiscale = u"RF19"_s;
    azienda.bolloACliente = true;
    ASSERT_FALSE(EInvoiceStore::saveCompany(azienda));
    dlg.whileShown = nullptr;
    open();
    choose(u"ROSSI"_s);
    addRow(u"Cancello"_s, u"1"_s, u"500"_s);
    iva()->setEditText(u"0"_s);
    dlg.onWindow([](QDialog* w) { // no copies
        w->findChild<QPushButton*>(u"BtnAnnulla"_s)->click();
        return 0;
    });
    click("BtnEmetti");
    EXPECT_EQ(dbText(u"SELECT Totale FROM Fatture WHERE Num = ?"_s, {num(3)}) + u'\n' + contentRows(num(3)),
              u"502\n1| |0|0\n2|Cancello|1|500\n3|Rimborso imposta di bollo|0|2"_s);
}

TEST_F(FormRegFattTest, RecalledRowsStoredAtOnceBrowsingAcrossAGapAndCancellingTheLast)
{
    issue(num(1), rossi, QDate(kAnno, 1, 5));
    issue(num(2), rossi, QDate(kAnno, 1, 6));
    // Number 3 of the series is dated in the next year: stepping passes over it.
    issue(num(3), rossi, QDate(kAnno + 1, 1, 2));
    issue(num(4), rossi, QDate(kAnno, 12, 1));
    open(num(2));
    // Not the last: its date is locked; rows are stored at once with the new total.
    EXPECT_TRUE(box("TxtData")->isReadOnly());
    EXPECT_EQ(shown(), u" ||||1\nCancello|2|50,00|100,00|2\nPosa||30,00|30,00|3\n€ 130,00|€ 28,60|€ 0,00|€ 158,60"_s);
    const QString date = Formats::isoDate(QDate(kAnno, 1, 6));
    // A term chosen for it is stored at once, its due dates following the rows.
    auto* term = get<QComboBox>("ComboCondizione");
    term->setCurrentIndex(term->findText(u"Rimessa diretta"_s));
    emit term->activated(term->currentIndex());
    // A key pressed on the grid changes the cell clicked.
    Gesture::click(table(), 1, 3);
    dlg.type(u"100"_s);
    QTest::keyClick(table(), Qt::Key_A);
    addRow(u"Trasporto"_s, u"0"_s, u"10"_s);
    EXPECT_EQ(stored(num(2)), u"292.8|22|%1|-\n1| |0|0\n2|Cancello|2|100\n3|Posa|0|30\n4|Trasporto|-|10"_s.arg(date));
    // A screen reader's selection of the cell chooses its row.
    ASSERT_TRUE(Gesture::readerSelects(table(), 3));
    click("BtnEliArt");
    EXPECT_EQ(stored(num(2)).section(u'\n', 0, 0), u"280.6|22|%1|-"_s.arg(date));
    EXPECT_EQ(dbRows(u"SELECT Data, Importo FROM Scadenze WHERE Num = ?"_s, {num(2)}), date + u"|280.6"_s);

    // Moving stores the header of the invoice left, with the withholding as shown.
    get<QPlainTextEdit>("TxtNote")->setPlainText(u"visto"_s);
    get<QCheckBox>("ChkRA")->click();
    dlg.messages.clear();
    QStringList steps;
    for (const char* cmd : {"Cmd2", "Cmd2", "Cmd1", "Cmd0", "Cmd1", "Cmd3"}) {
        click(cmd);
        steps << box("TxtNum")->text().section(u'/', 0, 0) + (get("BtnAnnulla")->isEnabled() ? u"*"_s : QString());
    }
    // The last of the series (*) alone can be cancelled.
    EXPECT_EQ(steps.join(u' '), u"4* 4* 2 1 1 4*"_s);
    EXPECT_TRUE(dlg.messages.empty());
    EXPECT_EQ(dbRows(u"SELECT Totale, RA, Note FROM Fatture WHERE Num = ?"_s, {num(2)}), u"271.4|X|visto"_s);

    // A new rate and date of the last: kept with the total they give when the window is closed.
    EXPECT_FALSE(box("TxtData")->isReadOnly());
    iva()->setEditText(u"10"_s);
    QTest::keyClick(iva(), Qt::Key_Return);
    box("TxtData")->setText(u"20/01/"_s + kYY);
    frm->reject();
    EXPECT_EQ(stored(num(4)).section(u'\n', 0, 0), u"143|10|%1|"_s.arg(Formats::isoDate(QDate(kAnno, 1, 20))));

    // Cancelled after the question; the freed number is the next one again.
    open(num(4));
    dlg.answer(Answer::No);
    click("BtnAnnulla");
    click("BtnAnnulla");
    EXPECT_EQ(dlg.texts(), (QStringList{u"Sicuro di voler procedere con l'annullamento di questa FATTURA ?"_s,
                                        u"Sicuro di voler procedere con l'annullamento di questa FATTURA ?"_s,
                                        u"FATTURA annullata con successo"_s}));
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    EXPECT_EQ(dbRows(u"SELECT Num, count(*) FROM ContFatt GROUP BY Num ORDER BY Num"_s),
              u"%1|3\n%2|3\n%3|3"_s.arg(num(1), num(2), num(3)));
    open();
    EXPECT_EQ(box("TxtNum")->text(), num(4));
}
