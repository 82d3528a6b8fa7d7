#include "../../printing/pdfprobe.h"
#include "../invoicetest.h"
#include "invoices/einvoicestore.h"
#include "invoices/fiscalwordings.h"
#include "invoices/invoicelayout.h"
#include "invoices/invoicepaper.h"
#include "invoices/ui/formregfatt.h"
#include "printing/layoutregistry.h"
#include "printing/pdfprinter.h"
#include "printing/printers.h"
#include "printing/ui/formstampafatt.h"
#include "registry/customerpaymentstore.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "shell/formats.h"
#include "usergestures.h"
#include "workdir.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
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
struct FormRegFattTest : ::testing::Test {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    qint64 rossi = addCustomer(u"ROSSI"_s);
    std::unique_ptr<FormRegFatt> frm;

    FormRegFattTest()
    {
        Printers::reset();
        app().stampantePdf = u"CutePDF Writer"_s;
        app().stampantePredefinita = u"CutePDF Writer"_s;
        PdfPrinter::setLastFolder(dir.path());
        QApplication::clipboard()->clear();
    }
    ~FormRegFattTest() override { Printers::reset(); }

    void open(const QString& number = {}, int anno = kAnno)
    {
        frm = std::make_unique<FormRegFatt>();
        EXPECT_TRUE(frm->Carica(number, anno));
    }
    template <typename T = QPushButton> T* get(const char* name)
    {
        auto* w = frm->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit* box(const char* name) { return get<QLineEdit>(name); }
    QComboBox* iva() { return get<QComboBox>("ComboIva"); }
    QTableWidget* table() { return get<QTableWidget>("FGrid"); }
    void click(const char* name)
    {
        auto* b = get(name);
        ASSERT_TRUE(b && b->isEnabled()) << name;
        b->click();
    }
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
        dlg.type(des);
        dlg.type(qta);
        dlg.type(prezzo);
        click("BtnIns");
    }
    void choose(const QString& nome)
    {
        auto* cli = get<QComboBox>("ComboCli");
        cli->setCurrentIndex(cli->findText(nome));
    }
    // A key pressed on the grid changes the cell clicked.
    void changeCell(int row, int col, const QString& answer)
    {
        Gesture::click(table(), row, col);
        dlg.type(answer);
        QTest::keyClick(table(), Qt::Key_A);
    }
    void setRate(const QString& rate)
    {
        iva()->setEditText(rate);
        QTest::keyClick(iva(), Qt::Key_Return);
    }
    // A stored invoice of a spacer and `rows` rows, recalled.
    void recall(const QString& number, int rows)
    {
        Invoice inv = sampleInvoice(number, rossi, QDate(kAnno, 2, 3));
        inv.note = u"Consegna in cantiere"_s;
        inv.rows = {InvoiceRules::rigaVuota(1)};
        for (int i = 2; i <= rows + 1; ++i)
            inv.rows.append({i, u"Ringhiera%1"_s.arg(i), dec("2"), dec("50")});
        issue(inv);
        open(number);
    }
    // The pages of a written PDF and whether each text is read in it.
    QString readBack(const QString& pdf, const QStringList& texts)
    {
        const auto words = PdfProbe::words(dir.path(pdf));
        QStringList out;
        for (const QString& t : texts)
            out << t + (PdfProbe::find(words, t) ? u"+"_s : u"-"_s);
        return u"%1 pages: "_s.arg(PdfProbe::pages(dir.path(pdf))) + out.join(u' ');
    }
    // The copies asked for after issuing: none.
    void noCopies()
    {
        dlg.onWindow([](QDialog* w) {
            w->findChild<QPushButton*>(u"BtnAnnulla"_s)->click();
            return 0;
        });
    }
};

} // namespace

TEST_F(FormRegFattTest, NewInvoiceIssuedEndToEnd)
{
    Invoice at10 = sampleInvoice(num(1), rossi, QDate(kAnno, 1, 10));
    at10.iva = 10;
    issue(at10);
    issue(num(2), rossi, QDate(kAnno, 1, 11));
    const qint64 bianchi = addCustomer(u"BIANCHI"_s);
    open();
    // Next number, today's date, the highest rate used so far, one spacer row with Ord 1.
    EXPECT_EQ(box("TxtNum")->text(), num(3));
    EXPECT_TRUE(box("TxtNum")->isReadOnly());
    EXPECT_EQ(box("TxtData")->text(), Formats::shortDate(QDate::currentDate()));
    EXPECT_EQ(iva()->currentText(), u"22"_s);
    EXPECT_EQ(shown(), u" ||||1\n€ 0,00|€ 0,00|€ 0,00|€ 0,00"_s);

    choose(u"BIANCHI"_s);
    addRow(u"Cancello scorrevole"_s, u"0"_s, u"100"_s);
    addRow(u"Bulloni"_s, u"2.5"_s, u"0.04"_s);
    EXPECT_EQ(shown(), u" ||||1\nCancello scorrevole||100,00|100,00|2\nBulloni|2,5|0,04|0,10|3\n"
                       "€ 100,10|€ 22,02|€ 0,00|€ 122,12"_s);
    get<QCheckBox>("ChkRA")->click();
    EXPECT_EQ(shown().section(u'\n', 3), u"€ 100,10|€ 22,02|€ 4,00|€ 118,12"_s);
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
    for (const QString& t : {u"Bulloni"_s, u"22%"_s, u"€ 118,12"_s})
        EXPECT_NE(preview[0].findText(t), nullptr) << t.toStdString();
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
    EXPECT_EQ(readBack(u"emessa.pdf"_s, {u"Bulloni"_s, u"3/20"_s + kYY, u"118,12"_s}),
              u"1 pages: Bulloni+ 3/20%1+ 118,12+"_s.arg(kYY));

    // Recalled: the box shows the lines, the paper one space for each break character.
    open(num(3));
    EXPECT_EQ(get<QPlainTextEdit>("TxtNote")->toPlainText(), u"Bonifico a 30 giorni\nConsegna in cantiere"_s);
    EXPECT_FALSE(paperText(LayoutRegistry::compose(InvoicePaper::kTipo, frm->datiFattura(), nullptr))
                     .filter(u" Bonifico a 30 giorni  Consegna in cantiere"_s)
                     .isEmpty());
}

TEST_F(FormRegFattTest, IssueChecksInOrder)
{
    app().secondario = true;
    // A past year gets its own series and no date; the number may be typed.
    open(QString(), 2019);
    EXPECT_EQ(box("TxtNum")->text() + u'|' + box("TxtData")->text(), u"1/19|"_s);
    EXPECT_FALSE(box("TxtNum")->isReadOnly());

    issue(num(1), rossi, QDate(kAnno, 2, 1));
    open();
    const QString valid = u"15/03/"_s + kYY;
    const QString nonNumber = u"N/AA"_s;
    const struct {
        QString number;
        QString date;
        const char* rate;
        bool customer;
        QString message;
    } steps[] = {
        {num(2), QString(), "", false, u"Inserire DATA fattura"_s},
        {num(2), u"31/02/26"_s, "", false, u"Data non valida"_s},
        {num(2), valid, "", false, u"Inserire % IVA"_s},
        {num(2), valid, "150", false, u"Valori validi: da 0 a 100"_s},
        {num(2), valid, "22", false, u"Selezionare il CLIENTE"_s},
        {u"12-26"_s, valid, "22", true, nonNumber},
        {u"012/"_s + kYY, valid, "22", true, nonNumber},
        {num(1), valid, "22", true, u"Fattura %1 già esistente"_s.arg(num(1))},
        // Another year than the register's is asked for; No stops.
        {num(2), u"02/01/"_s + InvoiceRules::suffisso(kAnno + 1).mid(1), "22", true,
         u"ANNO di emissione diverso dall'anno della data della fattura, proseguire comunque ?"_s},
        {num(2), valid, "22", true, u"Proseguire con l'EMISSIONE della Fattura ?"_s},
    };
    for (const auto& s : steps) {
        box("TxtNum")->setText(s.number);
        box("TxtData")->setText(s.date);
        iva()->setEditText(QString::fromLatin1(s.rate));
        if (s.customer)
            choose(u"ROSSI"_s);
        // Questions are answered No.
        if (s.message.endsWith(u'?'))
            dlg.answer(Answer::No);
        click("BtnEmetti");
        EXPECT_EQ(dlg.lastText().contains(nonNumber) ? nonNumber : dlg.lastText(), s.message) << s.number.toStdString();
    }
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Fatture"_s), u"1"_s);
    EXPECT_EQ(frm->result(), 0);
    EXPECT_TRUE(dlg.allAnswersUsed());
    // A number typed with a space before it is taken without it; "Sì" to the year question goes on.
    box("TxtNum")->setText(u" "_s + num(9));
    box("TxtData")->setText(u"02/01/"_s + InvoiceRules::suffisso(kAnno + 1).mid(1));
    dlg.messages.clear();
    noCopies();
    click("BtnEmetti");
    EXPECT_EQ(dlg.texts(), (QStringList{steps[8].message, steps[9].message, u"FATTURA emessa con successo"_s}));
    // Without notes and withholding both are stored as absent.
    EXPECT_EQ(dbRows(u"SELECT Num, Data, RA, Note FROM Fatture ORDER BY ordinal(Num)"_s),
              u"%1|%2|-|-\n%3|%4|-|-"_s.arg(num(1), Formats::isoDate(QDate(kAnno, 2, 1)), num(9),
                                            Formats::isoDate(QDate(kAnno + 1, 1, 2))));

    // Another program on the same file issues the next number while the user reads the question.
    app().secondario = false;
    open();
    choose(u"ROSSI"_s);
    addRow(u"Cancello"_s, u"1"_s, u"100"_s);
    const qint64 other = addCustomer(u"VERDI"_s);
    dlg.messages.clear();
    dlg.whileShown = [&](const QString& text) {
        if (text.startsWith(u"Proseguire"_s))
            issue(num(10), other, QDate(kAnno, 3, 1));
    };
    click("BtnEmetti");
    EXPECT_EQ(dlg.texts(), (QStringList{u"Proseguire con l'EMISSIONE della Fattura ?"_s,
                                        u"Fattura %1 già esistente"_s.arg(num(10))}));
    EXPECT_NE(frm->result(), QDialog::Accepted);
    EXPECT_EQ(dbRows(u"SELECT IdAna, count(*) FROM Fatture F JOIN ContFatt C ON C.Num = F.Num WHERE F.Num = ? "
                     "GROUP BY IdAna"_s,
                     {num(10)}),
              QString::number(other) + u"|3"_s);
}

TEST_F(FormRegFattTest, RowsRateAndOverflowOfANewInvoice)
{
    open();
    // The only row cannot be deleted.
    Gesture::click(table(), 0, 1);
    click("BtnEliArt");
    EXPECT_TRUE(dlg.messages.empty());
    setRate(u"150"_s);
    EXPECT_EQ(dlg.messages.back().title + u": "_s + dlg.lastText(), u"Valore non valido: Valori validi: da 0 a 100"_s);
    // The box shows the rate as the totals read it: 9,5 is 10 (half-way to the even number).
    setRate(u"9,5"_s);
    EXPECT_EQ(iva()->currentText(), u"10"_s);

    // A quantity that is not a number, an empty description or a cancelled prompt add nothing and
    // ask nothing more.
    dlg.type(u"Cancello"_s);
    dlg.type(u"due"_s);
    click("BtnIns");
    EXPECT_EQ(dlg.messages.back().title, u"Errore 13"_s);
    dlg.type(QString());
    click("BtnIns");
    dlg.type(u"Cancello"_s);
    dlg.cancelInput();
    click("BtnIns");
    EXPECT_TRUE(dlg.allAnswersUsed());
    EXPECT_EQ(dlg.prompts.size(), 5);
    EXPECT_EQ(table()->rowCount(), 1);

    // A fresh editor has no row chosen, and tabbing into the grid chooses none: nothing to delete or change.
    open();
    setRate(u"10"_s);
    addRow(u"Cancello"_s, u"2"_s, u"50"_s);
    ASSERT_TRUE(Gesture::focus(table()));
    const auto asked = dlg.prompts.size();
    click("BtnEliArt");
    QTest::keyClick(table(), Qt::Key_A);
    EXPECT_EQ(dlg.lastText(), u"Selezionare una RIGA della fattura"_s);
    EXPECT_EQ(std::tuple(table()->rowCount(), dlg.prompts.size()), std::tuple(2, asked));
    click("BtnVuota");
    addRow(u"Posa"_s, u"0"_s, u"11.25"_s);
    changeCell(1, 2, u"3,5"_s);
    EXPECT_EQ(dlg.inputDefaults.back(), u"2"_s);
    changeCell(1, 1, u"Cancello carraio"_s);
    // A bad number changes nothing.
    changeCell(1, 3, u"x"_s);
    EXPECT_EQ(dlg.messages.back().title, u"Errore 13"_s);
    EXPECT_EQ(shown(), u" ||||1\nCancello carraio|3,5|50,00|175,00|2\n ||||3\nPosa||11,25|11,25|4\n"
                       "€ 186,25|€ 18,63|€ 0,00|€ 204,88"_s);

    Gesture::click(table(), 1, 1);
    dlg.answer(Answer::No);
    click("BtnEliArt");
    EXPECT_EQ(dlg.lastText(), u"'Cancello carraio'"_s);
    EXPECT_EQ(table()->rowCount(), 4);
    click("BtnEliArt");
    // Ord is never renumbered, and the next row follows the last one; Insert works like the button.
    click("BtnVuota");
    dlg.type(u"Trasporto"_s);
    dlg.type(u"0"_s);
    dlg.type(u"40"_s);
    QTest::keyClick(table(), Qt::Key_Insert);
    EXPECT_EQ(shown(), u" ||||1\n ||||3\nPosa||11,25|11,25|4\n ||||5\nTrasporto||40,00|40,00|6\n"
                       "€ 51,25|€ 5,13|€ 0,00|€ 56,38"_s);

    // Two rows just within the typed limits fit; a third would take the total past 10^20.
    open();
    choose(u"ROSSI"_s);
    addRow(u"Lastre"_s, u"9999999999"_s, u"9999999999"_s);
    addRow(u"Tubi"_s, u"100"_s, u"1"_s);
    setRate(u"0"_s);
    const QString before = shown();
    dlg.messages.clear();
    addRow(u"Travi"_s, u"9999999999"_s, u"9999999999"_s);
    EXPECT_EQ(dlg.messages.back().title + u": "_s + dlg.lastText(), u"Errore 6: Overflow"_s);
    changeCell(2, 3, u"9999999999"_s);
    EXPECT_EQ(dlg.messages.size(), 2u);
    EXPECT_EQ(shown(), before);
    // A rate that takes the totals past it leaves them empty, and nothing past it is stored.
    setRate(u"22"_s);
    EXPECT_EQ(dlg.messages.back().title, u"Errore 6"_s);
    EXPECT_EQ(box("TxtTot")->text(), QString());
    click("BtnEmetti");
    // Asked to go on, then refused by the store.
    EXPECT_EQ(dlg.messages.size(), 5u);
    EXPECT_EQ(dlg.messages.back().title + u": "_s + dlg.lastText(), u"Errore 6: Overflow"_s);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Fatture"_s), u"0"_s);
}

TEST_F(FormRegFattTest, RecalledRowsAndHeaderAreStoredAtOnceWithTheNewTotal)
{
    for (int n = 1; n <= 3; ++n)
        issue(num(n), rossi, QDate(kAnno, 1, 4 + n));
    open(num(2));
    EXPECT_EQ(get<QLabel>("LblRec")->text(), u"Fattura 2 di 3"_s);
    // Not the last: its date is locked.
    EXPECT_TRUE(box("TxtData")->isReadOnly());
    EXPECT_EQ(get<QComboBox>("ComboCli")->currentText(), u"ROSSI"_s);
    EXPECT_EQ(shown(), u" ||||1\nCancello|2|50,00|100,00|2\nPosa||30,00|30,00|3\n€ 130,00|€ 28,60|€ 0,00|€ 158,60"_s);

    const QString date = Formats::isoDate(QDate(kAnno, 1, 6));
    changeCell(1, 3, u"100"_s);
    EXPECT_EQ(stored(num(2)), u"280.6|22|%1|-\n1| |0|0\n2|Cancello|2|100\n3|Posa|0|30"_s.arg(date));
    addRow(u"Trasporto"_s, u"0"_s, u"10"_s);
    EXPECT_EQ(stored(num(2)), u"292.8|22|%1|-\n1| |0|0\n2|Cancello|2|100\n3|Posa|0|30\n4|Trasporto|-|10"_s.arg(date));
    // A screen reader's selection of the cell chooses its row.
    ASSERT_TRUE(Gesture::readerSelects(table(), 3));
    click("BtnEliArt");
    EXPECT_EQ(stored(num(2)).section(u'\n', 0, 0), u"280.6|22|%1|-"_s.arg(date));
    // The header is stored on closing, with the withholding as shown; other invoices are untouched.
    get<QPlainTextEdit>("TxtNote")->setPlainText(u"Sollecito inviato"_s);
    get<QCheckBox>("ChkRA")->click();
    click("BtnEmetti");
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    EXPECT_EQ(dbRows(u"SELECT Num, Totale, RA, Note FROM Fatture ORDER BY ordinal(Num)"_s),
              u"%1|158.6|-|-\n%2|271.4|X|Sollecito inviato\n%3|158.6|-|-"_s.arg(num(1), num(2), num(3)));
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM ContFatt"_s), u"9"_s);
    open(num(2));
    EXPECT_TRUE(get<QCheckBox>("ChkRA")->isChecked());
    get<QCheckBox>("ChkRA")->click();
    click("BtnEmetti");
    EXPECT_EQ(dbRows(u"SELECT RA, Totale FROM Fatture WHERE Num = ?"_s, {num(2)}), u"-|280.6"_s);
}

TEST_F(FormRegFattTest, BrowseAcrossAGapThenChangeOrCancelTheLast)
{
    issue(num(1), rossi, QDate(kAnno, 1, 5));
    issue(num(2), rossi, QDate(kAnno, 1, 6));
    // Number 3 of the series is dated in the next year: stepping passes over it.
    issue(num(3), rossi, QDate(kAnno + 1, 1, 2));
    issue(num(4), rossi, QDate(kAnno, 12, 1));
    open(num(2));
    get<QPlainTextEdit>("TxtNote")->setPlainText(u"visto"_s);
    QStringList steps;
    for (const char* cmd : {"Cmd2", "Cmd2", "Cmd1", "Cmd0", "Cmd1", "Cmd3"}) {
        click(cmd);
        steps << box("TxtNum")->text().section(u'/', 0, 0) + (get("BtnAnnulla")->isEnabled() ? u"*"_s : QString());
    }
    // The last of the series (*) alone can be cancelled.
    EXPECT_EQ(steps.join(u' '), u"4* 4* 2 1 1 4*"_s);
    EXPECT_EQ(get<QLabel>("LblRec")->text(), u"Fattura 4 di 4"_s);
    EXPECT_TRUE(dlg.messages.empty());
    // Moving stored the header of the invoice left.
    EXPECT_EQ(stored(num(2)).section(u'\n', 0, 0).section(u'|', 3), u"visto"_s);

    // A new rate and date of the last: kept with the total they give when the window is closed.
    EXPECT_FALSE(box("TxtData")->isReadOnly());
    setRate(u"10"_s);
    box("TxtData")->setText(u"20/01/"_s + kYY);
    frm->reject();
    EXPECT_EQ(stored(num(4)).section(u'\n', 0, 0), u"143|10|%1|"_s.arg(Formats::isoDate(QDate(kAnno, 1, 20))));

    // Cancelled after the question; the freed number is the next one again.
    open(num(4));
    dlg.answer(Answer::No);
    click("BtnAnnulla");
    EXPECT_EQ(dlg.lastText(), u"Sicuro di voler procedere con l'annullamento di questa FATTURA ?"_s);
    EXPECT_EQ(frm->result(), 0);
    click("BtnAnnulla");
    EXPECT_EQ(dlg.lastText(), u"FATTURA annullata con successo"_s);
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    EXPECT_EQ(dbRows(u"SELECT Num, count(*) FROM ContFatt GROUP BY Num ORDER BY Num"_s),
              u"%1|3\n%2|3\n%3|3"_s.arg(num(1), num(2), num(3)));
    open();
    EXPECT_EQ(box("TxtNum")->text(), num(4));

    // Gone meanwhile: not reported as done.
    open(num(3));
    InvoiceStore::cancel(num(3));
    dlg.messages.clear();
    click("BtnAnnulla");
    EXPECT_EQ(dlg.texts(), (QStringList{u"Sicuro di voler procedere con l'annullamento di questa FATTURA ?"_s,
                                        u"Durante eliminazione Fattura"_s}));
}

TEST_F(FormRegFattTest, PreviewAndPdfOfARecalledInvoice)
{
    recall(num(3), 20);
    std::vector<Page> shown;
    int pagina = -1;
    dlg.onWindow([&](QDialog* w) {
        shown = static_cast<FormStampaFatt*>(w)->pages();
        pagina = static_cast<FormStampaFatt*>(w)->pagina();
        return 0;
    });
    click("BtnAnt");
    EXPECT_EQ(app().tipoDocumento, u"Fattura"_s);
    EXPECT_FALSE(app().stampaDiretta);
    // 21 rows with the spacer: two pages, the last one shown first; the same pages as the
    // command line reads from the stored invoice.
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_EQ(pagina, 1);
    const auto stored = InvoicePaper::datiFattura(num(3));
    ASSERT_TRUE(stored.ok() && stored.value().has_value());
    EXPECT_EQ(paperText(shown), paperText(LayoutRegistry::compose(InvoicePaper::kTipo, *stored.value(), nullptr)));

    // The PDF: its name on the clipboard, the chosen file written; cancelled, nothing more.
    const QString name = u"Fattura_3-%1.pdf"_s.arg(kYY);
    dlg.chooseFile(dir.path(u"scelto.pdf"_s));
    click("BtnPdf");
    EXPECT_EQ(QApplication::clipboard()->text(), name);
    EXPECT_EQ(dlg.proposedFiles, QStringList{QDir(dir.path()).filePath(name)});
    EXPECT_EQ(readBack(u"scelto.pdf"_s, {u"Ringhiera21"_s, u"cantiere"_s}), u"2 pages: Ringhiera21+ cantiere+"_s);
    EXPECT_TRUE(app().stampaDiretta);
    click("BtnPdf");
    EXPECT_EQ(QDir(dir.path()).entryList({u"*.pdf"_s}, QDir::Files), QStringList{u"scelto.pdf"_s});
    EXPECT_TRUE(dlg.messages.empty());
}

TEST_F(FormRegFattTest, CustomerButtonsAndAMissingInvoice)
{
    frm = std::make_unique<FormRegFatt>();
    EXPECT_FALSE(frm->Carica(num(5), kAnno));
    EXPECT_EQ(dlg.messages.at(0).title + u": "_s + dlg.lastText(), u"Errore: Fattura %1 non trovato"_s.arg(num(5)));

    // A customer added in the customer editor is in the lists at once, with its id beside it.
    open();
    QString opened = u"?"_s;
    dlg.onWindow([&](QDialog* w) {
        opened = w->findChild<QLineEdit*>(u"TxtNome"_s)->text();
        addCustomer(u"BIANCHI"_s);
        return 1;
    });
    click("BtnNuovoCli");
    EXPECT_EQ(opened, QString());
    choose(u"BIANCHI"_s);
    EXPECT_EQ(get<QComboBox>("ComboIdCli")->currentText().toLongLong(), rossi + 1);

    // A recalled invoice shows its customer's new name after the editor closes.
    issue(num(1), rossi, QDate(kAnno, 1, 5));
    open(num(1));
    dlg.onWindow([](QDialog*) {
        Database::exec(u"UPDATE Anagrafica SET Nome = 'ROSSI SRL' WHERE Nome = 'ROSSI'"_s);
        return 1;
    });
    click("BtnCli");
    EXPECT_EQ(get<QComboBox>("ComboCli")->currentText(), u"ROSSI SRL"_s);
    EXPECT_TRUE(dlg.allAnswersUsed());
}

TEST_F(FormRegFattTest, NewInvoicePrefilledForACustomer)
{
    frm = std::make_unique<FormRegFatt>();
    EXPECT_FALSE(frm->CaricaNuova(kAnno, addCustomer(u"CESSATO"_s, 0), {}));
    EXPECT_EQ(dlg.lastText(), u"Cliente non presente in Anagrafica"_s);
    const QList<InvoiceRow> rows{{1, u"Lavori come da preventivo"_s, Decimal(), Decimal()},
                                 {2, u"Cancello"_s, dec("2"), Decimal()}};
    ASSERT_TRUE(frm->CaricaNuova(kAnno, rossi, rows));
    EXPECT_EQ(get<QComboBox>("ComboCli")->currentText() + get<QComboBox>("ComboIdCli")->currentText(),
              u"ROSSI"_s + QString::number(rossi));
    EXPECT_EQ(shown(), u"Lavori come da preventivo||||1\nCancello|2|||2\n€ 0,00|€ 0,00|€ 0,00|€ 0,00"_s);
    // Closed without issuing: nothing stored.
    frm->reject();
    EXPECT_EQ(invoiceRows(), QString());

    // The price typed afterwards, as in any row; rows added go after the given ones.
    ASSERT_TRUE(frm->CaricaNuova(kAnno, rossi, rows));
    changeCell(1, 3, u"50"_s);
    addRow(u"Posa"_s, u"0"_s, u"30"_s);
    setRate(u"22"_s);
    noCopies();
    click("BtnEmetti");
    EXPECT_EQ(contentRows(num(1)), u"1|Lavori come da preventivo|0|0\n2|Cancello|2|50\n3|Posa|0|30"_s);
}

TEST_F(FormRegFattTest, ZeroRateNaturaAndTheFlatRateRegime)
{
    const auto kept = [] { return dbRows(u"SELECT Num, Natura FROM EFatturaNatura ORDER BY Num"_s); };
    open();
    auto* natura = get<QComboBox>("ComboNatura");
    // Usable only at 0 %, the shop's codes first after "none chosen".
    for (const char* rate : {"22", "0", "10", "0"}) {
        setRate(QString::fromLatin1(rate));
        EXPECT_EQ(natura->isEnabled(), QByteArray(rate) == "0") << rate;
    }
    EXPECT_EQ(natura->itemData(0).toString() + natura->itemData(1).toString(), u"N6.3"_s);

    choose(u"ROSSI"_s);
    addRow(u"Struttura soppalco in subappalto"_s, u"1"_s, u"1500"_s);
    natura->setCurrentIndex(natura->findData(u"N6.3"_s));
    EXPECT_EQ(natura->accessibleName(), u"Natura IVA 0 %"_s);
    EXPECT_EQ(natura->accessibleDescription(), natura->currentText());
    // The preview carries the wording of the code chosen.
    std::vector<Page> preview;
    dlg.onWindow([&](QDialog* w) {
        preview = static_cast<FormStampaFatt*>(w)->pages();
        return 0;
    });
    click("BtnAnt");
    ASSERT_EQ(preview.size(), 1u);
    EXPECT_NE(preview[0].findText(InvoiceLayout::righeNote(FiscalWordings::natura(u"N6.3"_s)->dicitura).first()),
              nullptr);
    noCopies();
    click("BtnEmetti");
    EXPECT_EQ(kept(), u"%1|N6.3"_s.arg(num(1)));

    // Recalled it shows the code; another one is kept with the header.
    open(num(1));
    natura = get<QComboBox>("ComboNatura");
    EXPECT_TRUE(natura->isEnabled());
    EXPECT_EQ(natura->currentData().toString(), u"N6.3"_s);
    natura->setCurrentIndex(natura->findData(u"N6.7"_s));
    click("BtnEmetti");
    EXPECT_EQ(kept(), u"%1|N6.7"_s.arg(num(1)));

    // The flat-rate regime issues only at 0 % without withholding; over 77,47 the stamp charged to
    // the customer is a row in the total.
    CompanyFiscalData azienda;
    azienda.regimeFiscale = u"RF19"_s;
    azienda.bolloACliente = true;
    ASSERT_FALSE(EInvoiceStore::saveCompany(azienda));
    const struct {
        const char* rate;
        bool ra;
        QString refusal; // empty: issued
    } cases[] = {
        {"22", false, u"Regime forfettario (RF19): la fattura va emessa con aliquota 0 %"_s},
        {"0", true, u"Regime forfettario (RF19): la fattura non subisce la ritenuta"_s},
        {"0", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        open();
        choose(u"ROSSI"_s);
        addRow(u"Cancello"_s, u"1"_s, u"500"_s);
        setRate(QString::fromLatin1(c.rate));
        get<QCheckBox>("ChkRA")->setChecked(c.ra);
        if (c.refusal.isEmpty())
            noCopies();
        click("BtnEmetti");
        if (c.refusal.isEmpty()) {
            EXPECT_EQ(dbRows(u"SELECT Iva, RA, Totale FROM Fatture WHERE Num = ?"_s, {num(2)}), u"0|-|502"_s);
            EXPECT_EQ(contentRows(num(2)), u"1| |0|0\n2|Cancello|1|500\n3|Rimborso imposta di bollo|0|2"_s);
        } else {
            EXPECT_EQ(dlg.lastText(), c.refusal);
            EXPECT_EQ(dbRows(u"SELECT count(*) FROM Fatture"_s), u"1"_s);
        }
    }
}

TEST_F(FormRegFattTest, CreditNoteOfARecalledInvoice)
{
    recall(num(1), 2);
    QString heading;
    QString proposed;
    QString fixed; // customer and term enabled, "+" or "-"
    dlg.onWindow([&](QDialog* w) {
        const auto enabled = [&](const char* name) {
            return w->findChild<QComboBox*>(QString::fromLatin1(name))->isEnabled() ? u"+"_s : u"-"_s;
        };
        auto* grid = w->findChild<QTableWidget*>(u"FGrid"_s);
        heading = w->findChild<QLabel*>(u"LabelInt"_s)->text();
        proposed = gridText(grid->model());
        fixed = enabled("ComboCli") + enabled("ComboCondizione");
        // A partial credit: the second railing only, at 15 a piece.
        Gesture::click(grid, 1, 0);
        w->findChild<QPushButton*>(u"BtnEliArt"_s)->click();
        Gesture::click(grid, 1, 3);
        dlg.type(u"15"_s);
        QTest::keyClick(grid, Qt::Key_A);
        noCopies();
        w->findChild<QPushButton*>(u"BtnEmetti"_s)->click();
        return w->result();
    });
    click("BtnNotaCredito");
    EXPECT_EQ(heading, u"Emetti Nota di Credito - a storno della fattura %1 del 03/02/%2"_s.arg(num(1)).arg(kAnno));
    EXPECT_EQ(proposed, u" ||||1\nRinghiera2|2|50,00|100,00|2\nRinghiera3|2|50,00|100,00|3"_s);
    // A credit note keeps the invoice's customer and has no payment term, nor due dates.
    EXPECT_EQ(fixed, u"--"_s);
    EXPECT_EQ(dlg.lastText(), u"NOTA DI CREDITO emessa con successo"_s);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM FatturePagamento WHERE Num = ?"_s, {num(2)}), u"0"_s);
    EXPECT_EQ(dbRows(u"SELECT Num, NumFattura FROM NoteCredito"_s), num(2) + u'|' + num(1));
    EXPECT_EQ(stored(num(2)).section(u'\n', 1), u"1| |0|0\n3|Ringhiera3|2|15"_s);

    // The note recalled says what it reverses and is not reversed in turn.
    open(num(2));
    EXPECT_EQ(get<QLabel>("LabelInt")->text(),
              u"Richiama Nota di Credito - a storno della fattura %1 del 03/02/%2"_s.arg(num(1)).arg(kAnno));
    EXPECT_FALSE(get("BtnNotaCredito")->isEnabled());
    EXPECT_FALSE(get<QComboBox>("ComboCondizione")->isEnabled());
}

TEST_F(FormRegFattTest, TermProposedFromTheCustomerStoredOnIssueAndChangedOnTheRecalledInvoice)
{
    const auto term = [](const QString& descrizione) {
        return dbText(u"SELECT Id FROM CondizioniPagamento WHERE Descrizione = ?"_s, {descrizione}).toLongLong();
    };
    const qint64 bianchi = addCustomer(u"BIANCHI"_s);
    ASSERT_FALSE(
        CustomerPaymentStore::save(bianchi, {term(u"Ri.Ba. 30/60 gg f.m."_s), {}, u"05428"_s, u"11101"_s, {}}));
    // A bank but no term of its own.
    ASSERT_FALSE(CustomerPaymentStore::save(addCustomer(u"VERDI"_s), {0, {}, u"05428"_s, u"11101"_s, {}}));
    open();
    auto* combo = get<QComboBox>("ComboCondizione");
    QStringList proposte{combo->currentText()};
    for (const QString& cliente : {u"BIANCHI"_s, u"VERDI"_s, u"ROSSI"_s, u"BIANCHI"_s}) {
        choose(cliente);
        proposte << combo->currentText();
    }
    EXPECT_EQ(proposte.join(u'|'), u"|Ri.Ba. 30/60 gg f.m.|Rimessa diretta|Rimessa diretta|Ri.Ba. 30/60 gg f.m."_s);

    // Changed by the user before issuing: the invoice takes that one, with its due dates.
    combo->setCurrentIndex(combo->findText(u"Bonifico 30 gg d.f."_s));
    addRow(u"Cancello"_s, u"1"_s, u"100"_s);
    setRate(u"22"_s);
    noCopies();
    click("BtnEmetti");
    ASSERT_EQ(dlg.lastText(), u"FATTURA emessa con successo"_s);
    // Each instalment as "term|instalment|date|amount|method".
    const auto dueDates = [&](const QString& columns) {
        return dbRows(
            u"SELECT P.IdCondizione, S.Rata, "_s + columns +
                u" FROM FatturePagamento P JOIN Scadenze S ON S.Num = P.Num WHERE P.Num = ? ORDER BY S.Rata"_s,
            {num(1)});
    };
    EXPECT_EQ(dueDates(u"S.Data, S.Importo, S.Modalita"_s),
              u"%1|1|%2|122|MP05"_s.arg(term(u"Bonifico 30 gg d.f."_s))
                  .arg(QDate::currentDate().addDays(30).toString(Qt::ISODate)));

    // Recalled, it shows its own term whatever the customer's; a change is stored at once.
    open(num(1));
    combo = get<QComboBox>("ComboCondizione");
    EXPECT_EQ(combo->currentText() + (combo->isEnabled() ? u"+"_s : u"-"_s), u"Bonifico 30 gg d.f.+"_s);
    const int riba = combo->findText(u"Ri.Ba. 30/60 gg f.m."_s);
    combo->setCurrentIndex(riba);
    emit combo->activated(riba);
    EXPECT_EQ(dueDates(u"S.Importo, S.Modalita"_s),
              u"%1|1|61|MP12\n%1|2|61|MP12"_s.arg(term(u"Ri.Ba. 30/60 gg f.m."_s)));
}
