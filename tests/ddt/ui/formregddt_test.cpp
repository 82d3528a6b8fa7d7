#include "../ddttest.h"
#include "currentseries.h"
#include "ddt/ui/formregddt.h"
#include "invoices/invoicestore.h"
#include "papers/paperseries.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "shell/formats.h"
#include "usergestures.h"
#include "workdir.h"

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

struct FormRegDdtTest : ::testing::Test {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    qint64 rossi = addCustomer(u"ROSSI"_s);
    std::unique_ptr<FormRegDdt> frm;

    void open(const QString& number = {})
    {
        frm = std::make_unique<FormRegDdt>();
        EXPECT_TRUE(frm->Carica(number));
    }
    template <typename T = QPushButton> T* get(const char* name)
    {
        auto* w = frm->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit* box(const char* name) { return get<QLineEdit>(name); }
    QTableWidget* table() { return get<QTableWidget>("FGrid"); }
    void click(const char* name)
    {
        auto* b = get(name);
        ASSERT_TRUE(b && b->isEnabled()) << name;
        b->click();
    }
    // The rows as "description|qty|Ord".
    QString rows() { return gridText(table()->model()); }
    void addRow(const QString& des, const QString& qta)
    {
        dlg.type(des);
        dlg.type(qta);
        click("BtnIns");
    }
    // Leaving a box the way the user does.
    void leave(QWidget* w)
    {
        ASSERT_TRUE(Gesture::focus(w));
        ASSERT_TRUE(Gesture::focus(get<QPlainTextEdit>("TxtNote")));
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
    void readyToIssue()
    {
        auto* cli = get<QComboBox>("ComboCli");
        cli->setCurrentIndex(cli->findText(u"ROSSI"_s));
        get<QComboBox>("ComboCausale")->setEditText(u"Vendita"_s);
    }
};

} // namespace

TEST_F(FormRegDdtTest, ANewDdtAndItsHeaderFields)
{
    Ddt old = sampleDdt(u"4/%1"_s.arg((kAnno - 1) % 100, 2, 10, QChar(u'0')), rossi, QDate(kAnno - 1, 5, 1));
    old.causale = u"Conto lavorazione"_s;
    issueDdt(old);
    open();
    EXPECT_EQ(box("TxtNum")->text(), num(1));
    EXPECT_TRUE(box("TxtNum")->isReadOnly());
    EXPECT_EQ(box("TxtData")->text(), Formats::shortDate(QDate::currentDate()));
    EXPECT_EQ(rows(), u"||1"_s);
    EXPECT_FALSE(get<QRadioButton>("OptMezzo0")->isChecked() || get<QRadioButton>("OptMezzo1")->isChecked());
    EXPECT_FALSE(get<QLabel>("LblRec")->isVisibleTo(frm.get()));
    EXPECT_FALSE(get("BtnStampa")->isEnabled());
    auto* causale = get<QComboBox>("ComboCausale");
    EXPECT_EQ(causale->count(), 1);
    EXPECT_EQ(causale->itemText(0), u"Conto lavorazione"_s);
    EXPECT_EQ(causale->currentText(), QString());

    // Parcels read as a whole number on leaving the box.
    for (const auto& [typed, shown] : {std::pair{u"3 pz"_s, u"3"_s}, {u"0"_s, u""_s}}) {
        box("TxtColli")->setText(typed);
        leave(box("TxtColli"));
        EXPECT_EQ(box("TxtColli")->text(), shown) << typed.toStdString();
    }
    // A clickable label chooses its option, and the options exclude each other.
    QTest::mouseClick(get<QLabel>("LblMezzo1"), Qt::LeftButton);
    QTest::mouseClick(get<QLabel>("LblMezzo0"), Qt::LeftButton);
    EXPECT_TRUE(get<QRadioButton>("OptMezzo0")->isChecked());
    EXPECT_FALSE(get<QRadioButton>("OptMezzo1")->isChecked());
    // The step buttons, text in the box counted as empty.
    box("TxtOre")->setText(u"23"_s);
    click("BtnUp0");
    EXPECT_EQ(box("TxtOre")->text(), u"0"_s);
    box("TxtOre")->setText(u"xx"_s);
    click("BtnDown0");
    EXPECT_EQ(box("TxtOre")->text(), u"23"_s);
    box("TxtMin")->clear();
    click("BtnUp1");
    EXPECT_EQ(box("TxtMin")->text(), u"01"_s);
    click("BtnOggi");
    EXPECT_EQ(box("TxtDataIT")->text(), Formats::shortDate(QDate::currentDate()));
    click("BtnOra");
    EXPECT_EQ(box("TxtMin")->text().size(), 2);
    // A pick-up date that is not a date is refused; an empty one is accepted.
    box("TxtDataIT")->setText(u"31/02/26"_s);
    leave(box("TxtDataIT"));
    EXPECT_EQ(dlg.lastText(), u"Data non valida"_s);
    const auto told = dlg.messages.size();
    box("TxtDataIT")->clear();
    leave(box("TxtDataIT"));
    EXPECT_EQ(dlg.messages.size(), told);
}

TEST_F(FormRegDdtTest, RowsOfANewDdt)
{
    open();
    // The untouched first row is filled by editing it.
    Gesture::click(table(), 0, 1);
    dlg.type(u"Cancello"_s);
    QTest::keyClick(table(), Qt::Key_A);
    addRow(u"Tubo"_s, u"2.5"_s);
    addRow(u"Staffe"_s, u"0"_s);
    click("BtnVuota");
    EXPECT_EQ(rows(), u"Cancello||1\nTubo|2,5|2\nStaffe||3\n ||4"_s);
    // A quantity that is not a number adds no row and tells why.
    addRow(u"Viti"_s, u"tre"_s);
    EXPECT_EQ(dlg.messages.back().title, u"Errore 13"_s);
    EXPECT_EQ(table()->rowCount(), 4);
    // Hidden Ord, never renumbered: deleting a middle row leaves a gap, the next row goes on.
    EXPECT_TRUE(table()->isColumnHidden(3));
    Gesture::click(table(), 1, 1);
    dlg.answer(Answer::Yes);
    click("BtnEliRiga");
    EXPECT_EQ(dlg.lastText(), u"'Tubo'"_s);
    addRow(u"Bulloni"_s, u"4"_s);
    EXPECT_EQ(rows(), u"Cancello||1\nStaffe||3\n ||4\nBulloni|4|5"_s);
    // A quantity edited in its cell; nothing is stored for a new DDT.
    Gesture::click(table(), 3, 2);
    dlg.type(u"1,25"_s);
    QTest::keyClick(table(), Qt::Key_A);
    EXPECT_EQ(table()->item(3, 2)->text(), u"1,25"_s);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM ContDdt"_s), u"0"_s);
    EXPECT_TRUE(dlg.allAnswersUsed());

    // With one data row, delete does nothing.
    open();
    Gesture::click(table(), 0, 1);
    const auto told = dlg.messages.size();
    click("BtnEliRiga");
    EXPECT_EQ(table()->rowCount(), 1);
    EXPECT_EQ(dlg.messages.size(), told);

    // Enter and Escape open the cell as any key does, without closing the window; an empty
    // quantity proposes 0.
    Gesture::click(table(), 0, 2);
    dlg.type(u"3"_s);
    QTest::keyClick(table(), Qt::Key_Return);
    Gesture::click(table(), 0, 1);
    dlg.type(u"Staffe"_s);
    QTest::keyClick(table(), Qt::Key_Escape);
    EXPECT_EQ(dlg.inputDefaults.mid(dlg.inputDefaults.size() - 2), (QStringList{u"0"_s, QString()}));
    EXPECT_EQ(rows(), u"Staffe|3|1"_s);
    EXPECT_TRUE(frm->isVisible());
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
    // A number stored meanwhile is refused.
    issueDdt(num(1), rossi, QDate(kAnno, 1, 2));
    dlg.answer(Answer::Yes);
    click("BtnEmetti");
    EXPECT_EQ(dlg.lastText(), u"DDT %1 già esistente"_s.arg(num(1)));
    EXPECT_EQ(dlg.messages.back().title, u"Impossibile procedere"_s);
    EXPECT_TRUE(dlg.allAnswersUsed());
}

TEST_F(FormRegDdtTest, IssuingStoresTheHeaderAsFilled)
{
    open();
    readyToIssue();
    addRow(u"Cancello"_s, u"2.5"_s);
    get<QRadioButton>("OptMezzo1")->click();
    box("TxtColli")->setText(u"3"_s);
    box("TxtDataIT")->setText(u"05/03/26"_s);
    box("TxtOre")->setText(u"9"_s);
    box("TxtMin")->setText(u"05"_s);
    get<QPlainTextEdit>("TxtNote")->setPlainText(u"Piano terra\nScala B"_s);
    dlg.answer(Answer::Yes);
    // The copies dialog closed: stored, nothing printed.
    click("BtnEmetti");
    EXPECT_EQ(dlg.texts().mid(dlg.texts().size() - 2),
              (QStringList{u"Proseguire con l'EMISSIONE del DDT ?"_s, u"DDT emesso con successo"_s}));
    EXPECT_EQ(dlg.windowsShown, QStringList{u"FrmCopie"_s});
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    EXPECT_EQ(ddtRows(), u"%1|%2|%3|Vendita|09:05|2026-03-05|ces|3|Piano terra\r\nScala B"_s.arg(num(1)).arg(rossi).arg(
                             Formats::isoDate(QDate::currentDate())));
    EXPECT_EQ(ddtContent(num(1)), u"1||-\n2|Cancello|2.5"_s);

    // Nothing chosen for transport, parcels, pick-up or notes: those columns stay Null.
    open();
    EXPECT_EQ(box("TxtNum")->text(), num(2));
    readyToIssue();
    click("BtnVuota");
    box("TxtOre")->setText(u"9"_s);
    dlg.answer(Answer::Yes);
    click("BtnEmetti");
    EXPECT_EQ(dbRows(u"SELECT Num, IdAna, Data, Causale, OraRit, DataRit, Mezzo, Colli, Note FROM Ddt WHERE Num = ?"_s,
                     {num(2)}),
              u"%1|%2|%3|Vendita|-|-|-|-|-"_s.arg(num(2)).arg(rossi).arg(Formats::isoDate(QDate::currentDate())));
}

TEST_F(FormRegDdtTest, RecallBrowseAndSave)
{
    stored(12, 3);
    open(num(5));
    EXPECT_EQ(get<QLabel>("LblRec")->text(), u"DDT 5 di 12"_s);
    EXPECT_EQ(get<QLabel>("LabelInt")->text(), u"Richiama D.D.T."_s);
    EXPECT_TRUE(box("TxtData")->isReadOnly());
    EXPECT_FALSE(get("BtnAnnulla")->isEnabled());
    EXPECT_EQ(get("BtnEmetti")->text(), u"&CHIUDI"_s);
    EXPECT_EQ(rows(), u"||1\nCancello|2|2\n ||3"_s);

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
    click("Cmd2");
    EXPECT_EQ(box("TxtNum")->text(), num(12));
    EXPECT_FALSE(box("TxtData")->isReadOnly());
    EXPECT_TRUE(get("BtnAnnulla")->isEnabled());

    // Rows stored at once.
    addRow(u"Staffe"_s, u"4"_s);
    Gesture::click(table(), 1, 2);
    dlg.type(u"7"_s);
    QTest::keyClick(table(), Qt::Key_A);
    Gesture::click(table(), 2, 1);
    dlg.answer(Answer::Yes);
    click("BtnEliRiga");
    EXPECT_EQ(ddtContent(num(12)), u"1||-\n2|Cancello|7\n4|Staffe|4"_s);

    // Header saved on closing: parcels cleared is Null, notes cleared an empty text.
    box("TxtColli")->setText(u"2"_s);
    box("TxtColli")->clear();
    get<QPlainTextEdit>("TxtNote")->clear();
    box("TxtOre")->setText(u"14"_s);
    box("TxtMin")->setText(u"30"_s);
    click("BtnEmetti");
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    EXPECT_EQ(dbRows(u"SELECT Colli, Note, OraRit FROM Ddt WHERE Num = ?"_s, {num(12)}), u"-||14:30"_s);
    open(num(12));
    EXPECT_EQ(box("TxtOre")->text() + u':' + box("TxtMin")->text(), u"14:30"_s);
    EXPECT_TRUE(dlg.allAnswersUsed());
}

TEST_F(FormRegDdtTest, CancellingTheLast)
{
    stored(2);
    // Named by an invoice: refused before asking, nothing written.
    ASSERT_FALSE(InvoiceStore::issue(sampleInvoice(u"1/26"_s, rossi, QDate(2026, 3, 31)), {num(2)}));
    open(num(2));
    const std::size_t told = dlg.messages.size();
    click("BtnAnnulla");
    ASSERT_EQ(dlg.messages.size(), told + 1);
    EXPECT_EQ(
        dlg.messages.back().title + u": "_s + dlg.lastText(),
        u"Impossibile procedere: Il DDT %1 è stato fatturato con la fattura 1/26: annullare prima la fattura."_s.arg(
            num(2)));
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Ddt"_s), u"2"_s);
    EXPECT_EQ(InvoiceStore::cancel(u"1/26"_s).value(), InvoiceStore::Outcome::Done);

    dlg.answer(Answer::No);
    click("BtnAnnulla");
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Ddt"_s), u"2"_s);
    dlg.answer(Answer::Yes);
    click("BtnAnnulla");
    EXPECT_EQ(dlg.lastText(), u"DDT annullato con successo"_s);
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    EXPECT_EQ(dbRows(u"SELECT (SELECT count(*) FROM Ddt), (SELECT count(*) FROM ContDdt WHERE Num = ?)"_s, {num(2)}),
              u"1|0"_s);
    open();
    EXPECT_EQ(box("TxtNum")->text(), num(2));
}

TEST_F(FormRegDdtTest, AnInvoicedDdtKeepsItsRowsAndHeader)
{
    stored(2);
    ASSERT_FALSE(InvoiceStore::issue(sampleInvoice(u"1/26"_s, rossi, QDate(2026, 3, 31)), {num(1)}));
    open(num(1));
    const QString before = ddtRows() + ddtContent(num(1));
    const QString refusal =
        u"Il DDT %1 è stato fatturato con la fattura 1/26: non si può più modificare."_s.arg(num(1));
    // Every change of the rows is refused before anything is asked.
    const std::function<void()> changes[] = {
        [this] { click("BtnIns"); },
        [this] { click("BtnVuota"); },
        [this] {
            Gesture::click(table(), 1, 1);
            QTest::keyClick(table(), Qt::Key_A);
        },
        [this] {
            Gesture::click(table(), 1, 1);
            click("BtnEliRiga");
        },
    };
    for (const auto& change : changes) {
        const std::size_t told = dlg.messages.size();
        change();
        ASSERT_EQ(dlg.messages.size(), told + 1);
        EXPECT_EQ(dlg.messages.back().title + u": "_s + dlg.lastText(), u"Impossibile procedere: "_s + refusal);
    }
    EXPECT_TRUE(dlg.prompts.isEmpty());
    // The header is shown closed, the reason at hand; a DDT no invoice names is open again.
    const auto headerOpen = [&] {
        QString out;
        for (const char* name : {"TxtData", "ComboCausale", "OptMezzo0", "TxtColli", "TxtOre", "BtnOra", "TxtNote"}) {
            auto* w = get<QWidget>(name);
            out += w->isEnabled() ? u'+' : w->toolTip() == refusal ? u'-' : u'?';
        }
        return out;
    };
    EXPECT_EQ(headerOpen(), u"-------"_s);
    click("Cmd2");
    EXPECT_EQ(headerOpen(), u"+++++++"_s);
    click("Cmd1");
    EXPECT_EQ(headerOpen(), u"-------"_s);
    // A header change made all the same is told and dropped; the window still closes.
    get<QPlainTextEdit>("TxtNote")->setPlainText(u"Cambiata"_s);
    click("BtnEmetti");
    EXPECT_EQ(dlg.lastText(), refusal);
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    EXPECT_EQ(ddtRows() + ddtContent(num(1)), before);
}

TEST_F(FormRegDdtTest, PrintRequestsCarryWhatTheWindowShows)
{
    open();
    readyToIssue();
    addRow(u"Tubo"_s, u"2.5"_s);
    get<QRadioButton>("OptMezzo0")->click();
    box("TxtOre")->setText(u"9"_s);
    box("TxtMin")->setText(u"05"_s);
    QString kind;
    bool direct = true;
    dlg.onWindow([&](QDialog*) {
        kind = app().tipoDocumento;
        direct = app().stampaDiretta;
        return 0;
    });
    click("BtnAnt");
    EXPECT_EQ(kind, u"Ddt"_s);
    EXPECT_FALSE(direct);
    EXPECT_EQ(dlg.windowsShown, QStringList{u"FormStampaFatt"_s});
    const DdtData d = frm->datiDdt();
    EXPECT_EQ(QStringList({d.num, QString::number(d.idCliente), d.causale, QString::number(d.mezzo), d.ore, d.minuti,
                           QString::number(d.righe.size()), d.righe.at(1).descrizione, d.righe.at(1).qta}),
              QStringList({num(1), QString::number(rossi), u"Vendita"_s, u"0"_s, u"9"_s, u"05"_s, u"2"_s, u"Tubo"_s,
                           u"2,5"_s}));
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Ddt"_s), u"0"_s);
}

TEST_F(FormRegDdtTest, NewDdtPrefilledForACustomer)
{
    frm = std::make_unique<FormRegDdt>();
    EXPECT_FALSE(frm->CaricaNuova(addCustomer(u"CESSATO"_s, 0), {}));
    EXPECT_EQ(dlg.lastText(), u"Cliente non presente in Anagrafica"_s);
    ASSERT_TRUE(frm->CaricaNuova(rossi, {{1, u"Cancello"_s, dec("2")}, {2, u"Posa"_s, Decimal()}}));
    EXPECT_EQ(get<QComboBox>("ComboCli")->currentText() + get<QComboBox>("ComboIdCli")->currentText(),
              u"ROSSI"_s + QString::number(rossi));
    EXPECT_EQ(rows(), u"Cancello|2|1\nPosa||2"_s);
    frm->reject();
    EXPECT_EQ(ddtRows(), QString());

    ASSERT_TRUE(frm->CaricaNuova(rossi, {{1, u"Cancello"_s, dec("2")}}));
    get<QComboBox>("ComboCausale")->setEditText(u"Vendita"_s);
    dlg.answer(Answer::Yes);
    click("BtnEmetti");
    EXPECT_EQ(ddtContent(num(1)), u"1|Cancello|2"_s);
}
