#include "../ddttest.h"
#include "currentseries.h"
#include "ddt/ui/formregddt.h"
#include "shell/formats.h"
#include "usergestures.h"
#include "windowtest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

namespace {

using Answer = Dialogs::Answer;

struct FormRegDdtTest : OneWindowTest<FormRegDdt> {
    qint64 rossi = addCustomer(u"ROSSI"_s);

    void open(const QString& number = {})
    {
        frm = std::make_unique<FormRegDdt>();
        EXPECT_TRUE(frm->Carica(number));
    }
    QLineEdit* box(const char* name) { return get<QLineEdit>(name); }
    QTableWidget* table() { return get<QTableWidget>("FGrid"); }
    // The rows as "description|qty|Ord".
    QString rows() { return gridText(table()->model()); }
    void addRow(const QString& des, const QString& qta)
    {
        dlg.type(des);
        dlg.type(qta);
        click("BtnIns");
    }
    // DDTs 1..n of the year, each with two rows; `skip` left out.
    void stored(int n, int skip = 0)
    {
        for (int i = 1; i <= n; ++i)
            if (i != skip) {
                Ddt d = sampleDdt(num(i), rossi, QDate(kAnno, 1, 1).addDays(i));
                d.note = u"Nota %1"_s.arg(i);
                issueDdt(d);
            }
    }
};

} // namespace

TEST_F(FormRegDdtTest, ANewDdtItsHeaderAndRows)
{
    Ddt old = sampleDdt(u"4/%1"_s.arg((kAnno - 1) % 100, 2, 10, QChar(u'0')), rossi, QDate(kAnno - 1, 5, 1));
    old.causale = u"Conto lavorazione"_s;
    issueDdt(old);
    open();
    EXPECT_EQ(box("TxtNum")->text(), num(1));
    EXPECT_EQ(box("TxtData")->text(), Formats::shortDate(QDate::currentDate()));
    auto* causale = get<QComboBox>("ComboCausale");
    EXPECT_EQ(QStringList({QString::number(causale->count()), causale->itemText(0), causale->currentText()}),
              QStringList({u"1"_s, u"Conto lavorazione"_s, QString()}));
    // A pick-up date that is not a date is refused on leaving its box.
    box("TxtDataIT")->setText(u"31/02/26"_s);
    ASSERT_TRUE(Gesture::focus(box("TxtDataIT")) && Gesture::focus(get<QPlainTextEdit>("TxtNote")));
    EXPECT_EQ(dlg.lastText(), u"Data non valida"_s);

    // With one data row, delete does nothing.
    Gesture::click(table(), 0, 1);
    const auto told = dlg.messages.size();
    click("BtnEliRiga");
    EXPECT_EQ(rows(), u"||1"_s);
    EXPECT_EQ(dlg.messages.size(), told);
    // The untouched first row is filled by editing it.
    dlg.type(u"Cancello"_s);
    QTest::keyClick(table(), Qt::Key_A);
    addRow(u"Tubo"_s, u"2.5"_s);
    addRow(u"Staffe"_s, u"0"_s);
    click("BtnVuota");
    EXPECT_EQ(rows(), u"Cancello||1\nTubo|2,5|2\nStaffe||3\n ||4"_s);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM ContDdt WHERE Num = ?"_s, {num(1)}), u"0"_s);
}

TEST_F(FormRegDdtTest, IssuingChecksInOrderThenStores)
{
    open();
    const struct {
        std::function<void()> fix;
        const char* message;
    } checks[] = {
        {[] {}, "Selezionare il CLIENTE"},
        {[this] {
             auto* cli = get<QComboBox>("ComboCli");
             cli->setCurrentIndex(cli->findText(u"ROSSI"_s));
         },
         "Selezionare CAUSALE del trasporto"},
        {[this] { get<QComboBox>("ComboCausale")->setEditText(u"Vendita"_s); }, "Nessuna riga inserita"},
        {[this] {
             click("BtnVuota");
             box("TxtData")->setText(Formats::shortDate(QDate(kAnno - 1, 12, 31)));
             dlg.answer(Answer::No);
         },
         "L'ANNO della data di emissione è diverso dall'anno corrente , proseguire comunque ?"},
        {[this] {
             dlg.answer(Answer::Yes);
             dlg.answer(Answer::No);
         },
         "Proseguire con l'EMISSIONE del DDT ?"},
    };
    for (const auto& c : checks) {
        c.fix();
        click("BtnEmetti");
        EXPECT_EQ(dlg.lastText(), QString::fromUtf8(c.message));
        EXPECT_EQ(ddtRows(), QString()) << c.message;
    }
    // A number stored meanwhile is refused before the last question.
    issueDdt(num(1), rossi, QDate(kAnno, 1, 2));
    dlg.answer(Answer::Yes);
    click("BtnEmetti");
    EXPECT_EQ(dlg.texts().mid(dlg.texts().size() - 2),
              (QStringList{QString::fromUtf8(checks[3].message), u"DDT %1 già esistente"_s.arg(num(1))}));
    EXPECT_EQ(dlg.messages.back().title, u"Impossibile procedere"_s);

    // Issued under another number: parcels and time as typed, no pick-up date nor notes (Null); every row.
    box("TxtNum")->setText(num(2));
    get<QRadioButton>("OptMezzo1")->click();
    for (const auto& [name, text] : {std::pair{"TxtColli", u"3"_s}, {"TxtOre", u"9"_s}, {"TxtMin", u"05"_s}})
        box(name)->setText(text);
    dlg.answer(Answer::Yes);
    dlg.answer(Answer::Yes);
    click("BtnEmetti");
    EXPECT_EQ(dlg.lastText(), u"DDT emesso con successo"_s);
    EXPECT_EQ(
        dbRows(u"SELECT IdAna, Data, Causale, OraRit, DataRit, Mezzo, Colli, Note FROM Ddt WHERE Num = ?"_s, {num(2)}) +
            u'\n' + ddtContent(num(2)),
        u"%1|%2-12-31|Vendita|09:05|-|ces|3|-\n1||-\n2| |-"_s.arg(rossi).arg(kAnno - 1));
    EXPECT_TRUE(dlg.allAnswersUsed());
}

TEST_F(FormRegDdtTest, RecallBrowseAndSave)
{
    stored(12, 3);
    open(num(5));
    EXPECT_EQ(get<QLabel>("LblRec")->text(), u"DDT 5 di 12"_s);
    EXPECT_FALSE(get("BtnAnnulla")->isEnabled());

    // Notes changed, then previous: stored first; number 3 is skipped.
    get<QPlainTextEdit>("TxtNote")->setPlainText(u"Cambiata"_s);
    click("Cmd1");
    click("Cmd1");
    EXPECT_EQ(box("TxtNum")->text(), num(2));
    EXPECT_EQ(dbRows(u"SELECT Note FROM Ddt WHERE Num = ?"_s, {num(5)}), u"Cambiata"_s);
    click("Cmd2");
    EXPECT_EQ(box("TxtNum")->text(), num(4));
    click("Cmd0");
    click("Cmd1");
    EXPECT_EQ(get<QLabel>("LblRec")->text(), u"DDT 1 di 12"_s);
    click("Cmd3");
    EXPECT_EQ(get<QLabel>("LblRec")->text(), u"DDT 12 di 12"_s);
    EXPECT_TRUE(get("BtnAnnulla")->isEnabled());

    // Header saved on closing: notes cleared are an empty text.
    get<QPlainTextEdit>("TxtNote")->clear();
    box("TxtOre")->setText(u"14"_s);
    box("TxtMin")->setText(u"30"_s);
    click("BtnEmetti");
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    EXPECT_EQ(dbRows(u"SELECT Note, OraRit FROM Ddt WHERE Num = ?"_s, {num(12)}), u"|14:30"_s);
}

TEST_F(FormRegDdtTest, AnInvoicedDdtKeepsItsRowsAndHeaderAndOnlyTheLastIsCancelled)
{
    stored(2);
    ASSERT_FALSE(InvoiceStore::issue(sampleInvoice(u"1/26"_s, rossi, QDate(2026, 3, 31)), {num(2)}));
    open(num(2));
    const QString before = ddtRows() + ddtContent(num(2));
    const QString invoiced = u"Il DDT %1 è stato fatturato con la fattura 1/26: "_s.arg(num(2));
    const QString refusal = invoiced + u"non si può più modificare."_s;
    // Every change of the rows, and cancelling, is refused before anything is asked.
    Gesture::click(table(), 1, 1);
    for (const auto& [button, message] : {std::pair{"BtnVuota", refusal},
                                          {"BtnEliRiga", refusal},
                                          {"BtnAnnulla", invoiced + u"annullare prima la fattura."_s}}) {
        const std::size_t told = dlg.messages.size();
        click(button);
        ASSERT_EQ(dlg.messages.size(), told + 1);
        EXPECT_EQ(dlg.messages.back().title + u": "_s + dlg.lastText(), u"Impossibile procedere: "_s + message);
    }
    EXPECT_TRUE(dlg.prompts.isEmpty());
    // The header is shown closed, the reason at hand; a DDT no invoice names is open again.
    const auto headerOpen = [&] {
        QString out;
        for (const char* name : {"TxtData", "ComboCausale", "OptMezzo0", "TxtOre", "TxtNote"}) {
            auto* w = get<QWidget>(name);
            out += w->isEnabled() ? u'+' : w->toolTip() == refusal ? u'-' : u'?';
        }
        return out;
    };
    EXPECT_EQ(headerOpen(), u"-----"_s);
    click("Cmd1");
    EXPECT_EQ(headerOpen(), u"+++++"_s);
    click("Cmd2");
    EXPECT_EQ(headerOpen(), u"-----"_s);
    // A header change made all the same is told and dropped; the window still closes.
    get<QPlainTextEdit>("TxtNote")->setPlainText(u"Cambiata"_s);
    click("BtnEmetti");
    EXPECT_EQ(dlg.lastText(), refusal);
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    EXPECT_EQ(ddtRows() + ddtContent(num(2)), before);

    // Free again: No keeps it, Yes cancels header and rows, and the number is offered again.
    EXPECT_EQ(InvoiceStore::cancel(u"1/26"_s).value(), InvoiceStore::Outcome::Done);
    open(num(2));
    dlg.answer(Answer::No);
    click("BtnAnnulla");
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Ddt"_s), u"2"_s);
    dlg.answer(Answer::Yes);
    click("BtnAnnulla");
    EXPECT_EQ(dlg.lastText(), u"DDT annullato con successo"_s);
    EXPECT_EQ(dbRows(u"SELECT (SELECT count(*) FROM Ddt), (SELECT count(*) FROM ContDdt WHERE Num = ?)"_s, {num(2)}),
              u"1|0"_s);
    open();
    EXPECT_EQ(box("TxtNum")->text(), num(2));
}
