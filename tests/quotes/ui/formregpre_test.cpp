#include "../quotetest.h"
#include "currentseries.h"
#include "papers/paperseries.h"
#include "quotes/ui/formpre.h"
#include "quotes/ui/formregpre.h"
#include "shell/appstate.h"
#include "shell/formats.h"
#include "usergestures.h"
#include "windowtest.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

using Answer = Dialogs::Answer;

// How many invoices and DDTs are stored, as "invoices|DDTs".
QString papersCount()
{
    return dbRows(u"SELECT (SELECT count(*) FROM Fatture), (SELECT count(*) FROM Ddt)"_s);
}

struct FormRegPreTest : OneWindowTest<FormRegPre> {
    qint64 rossi = addCustomer(u"ROSSI"_s);

    void open(const QString& number = {})
    {
        frm = std::make_unique<FormRegPre>();
        EXPECT_TRUE(frm->Carica(number));
    }
    QComboBox* combo(const char* name) { return get<QComboBox>(name); }
    QPlainTextEdit* des() { return get<QPlainTextEdit>("TxtDes"); }
    QString label() { return get<QLabel>("LblRec")->text(); }
    // Quotes 1..n of the year; `skip` left out.
    void stored(int n, int skip = 0)
    {
        for (int i = 1; i <= n; ++i)
            if (i != skip)
                issueQuote(sampleQuote(num(i), QDate(kAnno, 1, 1).addDays(i), i % 2 ? rossi : 0));
    }
};

} // namespace

TEST_F(FormRegPreTest, RegisteringChecksInOrderThenStoresOneKindOfCustomer)
{
    Quote old = sampleQuote(u"3/%1"_s.arg((kAnno - 1) % 100, 2, 10, QChar(u'0')), QDate(kAnno - 1, 5, 1));
    old.int2 = u"Via Po 3"_s;
    issueQuote(old);
    open();
    EXPECT_EQ(get<QLineEdit>("TxtNum")->text(), num(1));
    EXPECT_FALSE(get("BtnStampa")->isEnabled() || get("BtnPdf")->isEnabled());
    EXPECT_TRUE(get("BtnNuovoCli")->isEnabled());
    // Typed lines of earlier quotes are offered again.
    EXPECT_EQ(combo("ComboCli")->itemText(0) + u'|' + combo("ComboCli2")->itemText(0), u"Condominio Aurora|Via Po 3"_s);
    EXPECT_EQ(combo("ComboCli")->currentText(), QString());

    const struct {
        std::function<void()> fix;
        const char* message;
    } checks[] = {
        {[] {}, "Inserire intestazione CLIENTE o selezionarlo da Anagrafica"},
        {[this] { combo("ComboCli3")->setCurrentIndex(combo("ComboCli3")->findText(u"ROSSI"_s)); },
         "Nessuna DESCRIZIONE inserita"},
        {[this] {
             des()->setPlainText(u"Cancello\nPosa"_s);
             dlg.answer(Answer::No);
         },
         "Proseguire con il SALVATAGGIO del PREVENTIVO"},
    };
    for (const auto& c : checks) {
        c.fix();
        click("BtnRegistra");
        EXPECT_EQ(dlg.lastText(), QString::fromUtf8(c.message));
        EXPECT_EQ(dbRows(u"SELECT count(*) FROM Preventivi"_s), u"1"_s) << c.message;
    }
    // "No" keeps the window and what it shows.
    EXPECT_EQ(des()->toPlainText(), u"Cancello\nPosa"_s);
    EXPECT_NE(frm->result(), QDialog::Accepted);

    // A registry customer alone: IdAna, Int1 Null; the copies dialog asked after the message.
    dlg.answer(Answer::Yes);
    click("BtnRegistra");
    EXPECT_EQ(dlg.lastText(), u"PREVENTIVO registrato con successo"_s);
    EXPECT_EQ(dlg.windowsShown, QStringList{u"FrmCopie"_s});
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    const QString oggi = Formats::isoDate(QDate::currentDate());
    EXPECT_EQ(dbRows(u"SELECT IdAna, Int1, Int2, Data, Des, Note FROM Preventivi WHERE Num = ?"_s, {num(1)}),
              u"%1|-|-|%2|Cancello\r\nPosa|-"_s.arg(rossi).arg(oggi));

    // Typed lines win over a chosen registry customer: Int1, IdAna Null.
    open();
    EXPECT_EQ(get<QLineEdit>("TxtNum")->text(), num(2));
    combo("ComboCli3")->setCurrentIndex(0);
    combo("ComboCli")->setEditText(u"Bar Sport"_s);
    des()->setPlainText(u"Tettoia"_s);
    get<QPlainTextEdit>("TxtNote")->setPlainText(u"Urgente"_s);
    dlg.answer(Answer::Yes);
    click("BtnRegistra");
    EXPECT_EQ(dbRows(u"SELECT IdAna, Int1, Int2, Note FROM Preventivi WHERE Num = ?"_s, {num(2)}),
              u"-|Bar Sport|-|Urgente"_s);

    // A number typed (Secondario) that exists is refused.
    app().secondario = true;
    open();
    get<QLineEdit>("TxtNum")->setText(num(1));
    combo("ComboCli")->setEditText(u"Bar Sport"_s);
    des()->setPlainText(u"Tettoia"_s);
    click("BtnRegistra");
    app().secondario = false;
    EXPECT_EQ(dlg.lastText(), u"Preventivo %1 già esistente"_s.arg(num(1)));
    EXPECT_EQ(dlg.messages.back().title, u"Impossibile procedere"_s);
    EXPECT_TRUE(dlg.allAnswersUsed());
}

TEST_F(FormRegPreTest, OnlyItsOwnButtonsCloseTheWindow)
{
    open();
    frm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
    frm->close();
    QTest::keyClick(frm.get(), Qt::Key_Escape);
    EXPECT_TRUE(frm->isVisible());
    // "&ANNULLA" closes a new quote, storing nothing.
    des()->setPlainText(u"Bozza"_s);
    click("BtnAnnulla");
    EXPECT_FALSE(frm->isVisible());
    EXPECT_EQ(frm->result(), QDialog::Rejected);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Preventivi"_s), u"0"_s);
}

// The text shows its lines as the paper prints them: a long line runs on, it is not wrapped.
TEST_F(FormRegPreTest, TheTextIsShownWithTheLinesOfThePaper)
{
    open();
    frm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
    des()->setPlainText(QString(400, u'x') + u"\nfine"_s);
    QApplication::processEvents();
    const QTextBlock first = des()->document()->firstBlock();
    ASSERT_NE(first.layout(), nullptr);
    EXPECT_EQ(first.layout()->lineCount(), 1);
    EXPECT_EQ(des()->document()->blockCount(), 2);
}

TEST_F(FormRegPreTest, RecallBrowseStopsAtAMissingNumberAndSaves)
{
    stored(6, 3);
    // Numbered in this year's series but dated in the year before: browsing goes by number only.
    ASSERT_FALSE(Database::exec(u"UPDATE Preventivi SET Data = ? WHERE Num = ?"_s,
                                {Formats::isoDate(QDate(kAnno - 1, 12, 31)), num(2)}));
    open(num(5));
    EXPECT_EQ(label(), u"Preventivo 5 di 6"_s);
    EXPECT_EQ(get<QLabel>("LabelInt")->text(), u"Richiama Preventivo"_s);
    EXPECT_EQ(get("BtnRegistra")->text(), u"&CHIUDI"_s);
    EXPECT_FALSE(get("BtnAnnulla")->isEnabled());
    EXPECT_FALSE(get("BtnNuovoCli")->isEnabled());
    // A registry-customer quote: its name alone, the typed lines locked.
    EXPECT_EQ(combo("ComboCli3")->currentText() + u'|' + combo("ComboCli")->currentText(), u"ROSSI|"_s);
    EXPECT_FALSE(combo("ComboCli")->isEnabled());

    // The text changed, then previous: stored first. A typed-header quote shows its lines, open
    // to change, after a registry one.
    des()->setPlainText(u"Cambiato\nDue righe"_s);
    click("Cmd1");
    EXPECT_EQ(label(), u"Preventivo 4 di 6"_s);
    EXPECT_EQ(dbRows(u"SELECT Des FROM Preventivi WHERE Num = ?"_s, {num(5)}), u"Cambiato\r\nDue righe"_s);
    EXPECT_EQ(combo("ComboCli")->currentText() + u'|' + combo("ComboCli3")->currentText(), u"Condominio Aurora|"_s);
    EXPECT_TRUE(combo("ComboCli")->isEnabled());
    click("Cmd0");
    EXPECT_EQ(label(), u"Preventivo 1 di 6"_s);
    click("Cmd2");
    click("Cmd2");
    // Number 3 is missing: browsing stops before it, both ways.
    EXPECT_EQ(label(), u"Preventivo 2 di 6"_s);
    click("Cmd3");
    click("Cmd1");
    click("Cmd1");
    click("Cmd1");
    EXPECT_EQ(label(), u"Preventivo 4 di 6"_s);
    click("Cmd3");
    EXPECT_TRUE(get("BtnAnnulla")->isEnabled());

    // Closing stores the typed lines of a typed quote; a quote gone meanwhile is told.
    combo("ComboCli")->setEditText(u"Nuovo cliente"_s);
    EXPECT_FALSE(Database::exec(u"DELETE FROM Preventivi WHERE Num = ?"_s, {num(6)}));
    click("BtnRegistra");
    EXPECT_EQ(dlg.lastText(), u"Errore durante salvataggio Preventivo"_s);
    EXPECT_EQ(frm->result(), QDialog::Accepted);
}

TEST_F(FormRegPreTest, AnnulmentOfTheLastAndOfAVanishedQuote)
{
    stored(3);
    open(num(3));
    dlg.answer(Answer::No);
    click("BtnAnnulla");
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Preventivi"_s), u"3"_s);
    dlg.answer(Answer::Yes);
    click("BtnAnnulla");
    EXPECT_EQ(dlg.lastText(), u"PREVENTIVO annullato con successo"_s);
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    open();
    EXPECT_EQ(get<QLineEdit>("TxtNum")->text(), num(3));

    // Deleted by someone else while the question is on screen: an error, not a success.
    open(num(2));
    dlg.answer(Answer::Yes);
    dlg.whileShown = [](const QString&) { Database::exec(u"DELETE FROM Preventivi"_s); };
    click("BtnAnnulla");
    dlg.whileShown = nullptr;
    EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::Critical);
    EXPECT_NE(dlg.lastText(), u"PREVENTIVO annullato con successo"_s);
}

TEST_F(FormRegPreTest, PrintRequestsCarryWhatTheWindowShows)
{
    stored(2);
    open(num(1));
    QString kind;
    dlg.onWindow([&](QDialog*) {
        kind = app().tipoDocumento;
        return 0;
    });
    click("BtnAnt");
    EXPECT_EQ(kind, u"Preventivo"_s);
    const QuoteData d = frm->datiPreventivo();
    EXPECT_EQ(QStringList({d.num, d.cli1, QString::number(d.idCliente), d.des}),
              QStringList({num(1), QString(), QString::number(rossi), u"Cancello\r\nPosa"_s}));
    dlg.chooseFile(dir.path(u"p.pdf"_s));
    click("BtnPdf");
    EXPECT_EQ(QApplication::clipboard()->text(), u"Preventivo_1-%1.pdf"_s.arg(kSuffisso.mid(1)));
}

TEST_F(FormRegPreTest, TheRegisterListsBothKindsByDate)
{
    issueQuote(sampleQuote(num(10), QDate(kAnno, 1, 5), rossi));
    issueQuote(sampleQuote(num(9), QDate(kAnno, 1, 5)));
    issueQuote(sampleQuote(num(11), QDate(kAnno - 1, 12, 30)));
    FormPre reg;
    auto* grid = reg.findChild<QTableView*>(u"FGrid"_s);
    EXPECT_EQ(gridText(grid->model()),
              u"%1|Condominio Aurora|05/01/%3\n%2|ROSSI|05/01/%3"_s.arg(num(9), num(10)).arg(kSuffisso.mid(1)));
    EXPECT_EQ(reg.findChild<QLabel*>(u"LblRec"_s)->text(), u"2 preventivi"_s);
    auto* richiama = reg.findChild<QPushButton*>(u"BtnRichiama"_s);
    richiama->click();
    EXPECT_EQ(dlg.lastText(), u"Selezionare prima PREVENTIVO"_s);
    // The chosen quote opens; back in the register the choice is forgotten.
    QString opened;
    dlg.onWindow([&](QDialog* w) {
        opened = w->findChild<QLineEdit*>(u"TxtNum"_s)->text();
        return 0;
    });
    Gesture::click(grid, 1);
    richiama->click();
    EXPECT_EQ(opened, num(10));
    richiama->click();
    EXPECT_EQ(dlg.lastText(), u"Selezionare prima PREVENTIVO"_s);
    dlg.type(QString::number(kAnno - 1));
    reg.findChild<QPushButton*>(u"BtnAnno"_s)->click();
    EXPECT_EQ(reg.findChild<QLabel*>(u"LabelInt"_s)->text(), u"Preventivi %1"_s.arg(kAnno - 1));
    EXPECT_EQ(reg.findChild<QLabel*>(u"LblRec"_s)->text(), u"1 preventivi"_s);
}

TEST_F(FormRegPreTest, ARegistryCustomerQuoteGoesOnIntoAnInvoiceOrADdt)
{
    Quote q = sampleQuote(num(1), QDate(kAnno, 2, 1), rossi);
    q.des = u"Cancello\r\n\r\nPosa in opera"_s;
    issueQuote(q);
    open();
    EXPECT_TRUE(get("BtnFattura")->isHidden() && get("BtnDdt")->isHidden());
    open(num(1));
    EXPECT_TRUE(get("BtnFattura")->isVisibleTo(frm.get()) && get("BtnDdt")->isVisibleTo(frm.get()));
    // A change not yet stored goes on too, and stays unstored.
    des()->appendPlainText(u"Trasporto"_s);
    const QString before = quoteRows() + u'|' + papersCount();

    QString shown;
    const auto read = [&](QDialog* w) {
        shown = w->objectName() + u' ' + w->findChild<QComboBox*>(u"ComboCli"_s)->currentText() + u'\n' +
                gridText(w->findChild<QTableWidget*>(u"FGrid"_s)->model());
        return 0;
    };
    dlg.onWindow(read);
    click("BtnFattura");
    EXPECT_EQ(shown, u"FormRegFatt ROSSI\nCancello||||1\n ||||2\nPosa in opera||||3\nTrasporto||||4"_s);
    dlg.onWindow(read);
    click("BtnDdt");
    EXPECT_EQ(shown, u"FormRegDdt ROSSI\nCancello||1\n ||2\nPosa in opera||3\nTrasporto||4"_s);
    // Closing the new papers wrote nothing.
    EXPECT_EQ(quoteRows() + u'|' + papersCount(), before);
}

TEST_F(FormRegPreTest, ATypedHeaderQuoteHasItsCustomerChosenOrCreatedFirst)
{
    Quote q = sampleQuote(num(1), QDate(kAnno, 2, 1));
    q.int2 = u"Via Po 3"_s;
    issueQuote(q);
    const qint64 aurora = addCustomer(u"CONDOMINIO AURORA"_s);
    open(num(1));
    const QString quote = quoteRows();
    const QString customers = dbRows(u"SELECT * FROM Anagrafica ORDER BY Id"_s);

    // Cancelled at the choice: no paper opens.
    QString proposed;
    dlg.onWindow([&](QDialog* w) {
        proposed = w->findChild<QComboBox*>(u"ComboCli"_s)->currentText();
        w->findChild<QPushButton*>(u"BtnAnnulla"_s)->click();
        return w->result();
    });
    click("BtnFattura");
    EXPECT_EQ(proposed, u"CONDOMINIO AURORA"_s);
    EXPECT_EQ(dlg.windowsShown, QStringList{u"FrmSceltaCliente"_s});

    // An existing customer chosen: the new DDT is his.
    QString customer;
    dlg.onWindow([](QDialog* w) {
        w->findChild<QPushButton*>(u"BtnScegli"_s)->click();
        return w->result();
    });
    dlg.onWindow([&](QDialog* w) {
        customer = w->findChild<QComboBox*>(u"ComboIdCli"_s)->currentText() + u' ' +
                   gridText(w->findChild<QTableWidget*>(u"FGrid"_s)->model());
        return 0;
    });
    click("BtnDdt");
    EXPECT_EQ(customer, QString::number(aurora) + u" Cancello||1\nPosa||2"_s);

    // A new customer, proposed from the typed lines and saved, gets the invoice.
    QString prefilled;
    dlg.onWindow([](QDialog* w) {
        w->findChild<QPushButton*>(u"BtnNuovoCli"_s)->click();
        return w->result();
    });
    dlg.onWindow([&](QDialog* w) {
        for (const char* name : {"TxtNome", "TxtRag", "TxtRag2"})
            prefilled += w->findChild<QLineEdit*>(QString::fromLatin1(name))->text() + u'|';
        w->findChild<QLineEdit*>(u"TxtNome"_s)->setText(u"AURORA VIA PO"_s);
        w->findChild<QPushButton*>(u"BtnSalva"_s)->click();
        return w->result();
    });
    dlg.onWindow([&](QDialog* w) {
        customer = w->findChild<QComboBox*>(u"ComboCli"_s)->currentText();
        return 0;
    });
    click("BtnFattura");
    EXPECT_EQ(prefilled, u"CONDOMINIO AURORA|Condominio Aurora|Via Po 3|"_s);
    EXPECT_EQ(customer, u"AURORA VIA PO"_s);
    EXPECT_TRUE(dlg.allAnswersUsed());
    // Only the customer saved was written; the quote keeps its typed lines.
    EXPECT_EQ(quoteRows(), quote);
    EXPECT_EQ(dbRows(u"SELECT * FROM Anagrafica WHERE Nome <> 'AURORA VIA PO' ORDER BY Id"_s), customers);
    EXPECT_EQ(papersCount(), u"0|0"_s);
}
