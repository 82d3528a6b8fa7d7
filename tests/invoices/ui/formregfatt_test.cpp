#include "data/database.h"
#include "invoices/invoicerules.h"
#include "invoices/invoicestore.h"
#include "invoices/ui/formregfatt.h"
#include "registry/ui/frmana.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "shell/formats.h"
#include "workdir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Icon = Dialogs::Icon;
using Answer = Dialogs::Answer;

const int kAnno = QDate::currentDate().year();
const QString kSuf = InvoiceRules::suffisso(kAnno);

Decimal dec(const char* text) {
    return Decimal::fromString(QString::fromLatin1(text)).value();
}
QString num(int n) {
    return QString::number(n) + kSuf;
}

qint64 customer(const QString& nome) {
    Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome, Ragione) VALUES (?, ?)"), {nome, nome});
    return Database::scalar(QStringLiteral("SELECT max(Id) FROM Anagrafica")).value().toLongLong();
}

// A stored invoice: its rows are a spacer, "Cancello" 2 x 50 and "Posa" 30.
void stored(const QString& number, qint64 idAna, QDate data, int iva = 22) {
    Invoice inv;
    inv.num = number;
    inv.idAna = idAna;
    inv.data = data;
    inv.iva = iva;
    inv.totale = dec("158.6");
    inv.rows = {InvoiceRules::rigaVuota(1), InvoiceRow{2, QStringLiteral("Cancello"), dec("2"), dec("50")},
                InvoiceRow{3, QStringLiteral("Posa"), Decimal(), dec("30")}};
    ASSERT_FALSE(InvoiceStore::issue(inv));
}

QVariant column(const QString& col, const QString& number) {
    return Database::scalar(QStringLiteral("SELECT ") + col + QStringLiteral(" FROM Fatture WHERE Num = ?"),
                            {number})
        .value();
}

int rowsOf(const QString& number) {
    return Database::scalar(QStringLiteral("SELECT count(*) FROM ContFatt WHERE Num = ?"), {number})
        .value()
        .toInt();
}

struct Editor {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    std::unique_ptr<FormRegFatt> frm;

    void open() { frm = std::make_unique<FormRegFatt>(); }
    template <typename T = QWidget> T* get(const char* name) {
        auto* w = frm->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit* box(const char* name) { return get<QLineEdit>(name); }
    QPushButton* button(const char* name) { return get<QPushButton>(name); }
    QTableWidget* grid() { return get<QTableWidget>("FGrid"); }
    QComboBox* combo(const char* name) { return get<QComboBox>(name); }
    void click(const char* name) { button(name)->click(); }
    QString cell(int row, int col) {
        return grid()->item(row, col) ? grid()->item(row, col)->text() : QString();
    }

    void addRow(const QString& des, const QString& qta, const QString& prezzo) {
        dlg.type(des);
        dlg.type(qta);
        dlg.type(prezzo);
        click("BtnIns");
    }
    void chooseCustomer(const QString& nome) {
        combo("ComboCli")->setCurrentIndex(combo("ComboCli")->findText(nome));
    }
    // A key pressed on the grid changes the current cell.
    void changeCell(int row, int col, const QString& answer) {
        grid()->setCurrentCell(row, col);
        dlg.type(answer);
        QTest::keyClick(grid(), Qt::Key_A);
    }
    // The copies asked for after issuing: none.
    void noCopies() {
        dlg.onWindow([](QDialog* w) {
            w->findChild<QPushButton*>(QStringLiteral("BtnAnnulla"))->click();
            return 0;
        });
    }
    void leave(QWidget* w) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }
};

} // namespace

TEST(FormRegFatt, ControlsCaptionsAndNewInvoiceState) {
    Editor e;
    const qint64 c = customer(QStringLiteral("ROSSI"));
    stored(num(1), c, QDate(kAnno, 1, 10), 10);
    stored(num(2), c, QDate(kAnno, 1, 11), 22);
    e.open();
    ASSERT_TRUE(e.frm->Carica(QString(), kAnno));

    const std::pair<const char*, const char*> captions[] = {
        {"BtnNuovoCli", "&NUOVO CLIENTE"}, {"BtnIns", "&INS"},       {"BtnVuota", "&VUOTA"},
        {"BtnEliArt", "&ELIMINA RIGA"},    {"BtnStampa", "&STAMPA"}, {"BtnEmetti", "&EMETTI FATTURA"},
        {"BtnAnnulla", "&ANNULLA"}};
    for (const auto& [name, caption] : captions) {
        EXPECT_EQ(e.button(name)->text(), QString::fromUtf8(caption)) << name;
        EXPECT_EQ(e.button(name)->accessibleName(), QString::fromUtf8(caption).remove(u'&')) << name;
    }
    const std::pair<const char*, const char*> tips[] = {
        {"BtnNuovoCli", "Inserisce NUOVO cliente in Anagrafica"},
        {"BtnIns", "Inserimento NUOVA RIGA"},
        {"BtnVuota", "Inserimento NUOVA RIGA"},
        {"BtnAnt", "Anteprima di Stampa"},
        {"BtnPdf", "Crea file PDF"},
        {"BtnCli", "Verifica dati cliente"}};
    for (const auto& [name, tip] : tips)
        EXPECT_EQ(e.button(name)->toolTip(), QString::fromUtf8(tip)) << name;
    EXPECT_EQ(e.button("BtnPdf")->accessibleName(), QStringLiteral("Crea file PDF"));
    for (const char* name : {"TxtNum", "TxtData", "TxtImp", "TxtIva", "TxtRA", "TxtTot"})
        EXPECT_FALSE(e.box(name)->accessibleName().isEmpty()) << name;
    EXPECT_EQ(e.box("TxtImp")->accessibleName(), QStringLiteral("IMPORTO IMPONIBILE"));
    EXPECT_EQ(e.get<QPlainTextEdit>("TxtNote")->accessibleName(), QStringLiteral("NOTE"));
    EXPECT_EQ(e.get<QCheckBox>("ChkRA")->text(), QStringLiteral("R.A. 4 %"));
    EXPECT_TRUE(e.frm->windowTitle().startsWith(QStringLiteral("FATTURE")));
    EXPECT_EQ(e.get<QLabel>("LabelInt")->text(), QStringLiteral("Emetti Fattura"));
    EXPECT_NE(e.frm->findChild<QWidget*>(QStringLiteral("Shape1")), nullptr);

    // Next number, today's date, highest rate used first, one spacer row with Ord 1.
    EXPECT_EQ(e.box("TxtNum")->text(), num(3));
    EXPECT_TRUE(e.box("TxtNum")->isReadOnly());
    EXPECT_EQ(e.box("TxtData")->text(), Formats::shortDate(QDate::currentDate()));
    EXPECT_EQ(e.combo("ComboIva")->currentText(), QStringLiteral("22"));
    EXPECT_EQ(e.combo("ComboIva")->count(), 2);
    EXPECT_EQ(e.combo("ComboCli")->currentIndex(), -1);
    EXPECT_TRUE(e.combo("ComboIdCli")->isHidden());
    ASSERT_EQ(e.grid()->rowCount(), 1);
    EXPECT_EQ(e.cell(0, 1), QStringLiteral(" "));
    EXPECT_EQ(e.cell(0, 5), QStringLiteral("1"));
    EXPECT_TRUE(e.grid()->isColumnHidden(5));
    EXPECT_EQ(e.grid()->horizontalHeaderItem(2)->text(), QStringLiteral("Q.TA"));
    EXPECT_FALSE(e.button("BtnStampa")->isEnabled());
    EXPECT_FALSE(e.button("BtnPdf")->isEnabled());
    EXPECT_TRUE(e.button("BtnAnt")->isEnabled());
    for (const char* cmd : {"Cmd0", "Cmd1", "Cmd2", "Cmd3"})
        EXPECT_TRUE(e.button(cmd)->isHidden()) << cmd;
    EXPECT_TRUE(e.get<QLabel>("LblRec")->isHidden());
}

TEST(FormRegFatt, APastYearGetsItsSeriesAndNoDate) {
    Editor e;
    app().secondario = true;
    e.open();
    e.frm->Carica(QString(), 2019);
    EXPECT_EQ(e.box("TxtNum")->text(), QStringLiteral("1/19"));
    EXPECT_TRUE(e.box("TxtData")->text().isEmpty());
    EXPECT_FALSE(e.box("TxtNum")->isReadOnly());
    // No rate used yet: the box starts empty.
    EXPECT_TRUE(e.combo("ComboIva")->currentText().isEmpty());
}

TEST(FormRegFatt, IssueEndToEnd) {
    Editor e;
    customer(QStringLiteral("ROSSI"));
    const qint64 bianchi = customer(QStringLiteral("BIANCHI"));
    e.open();
    e.frm->Carica(QString(), kAnno);
    e.chooseCustomer(QStringLiteral("BIANCHI"));
    e.combo("ComboIva")->setEditText(QStringLiteral("22"));
    e.addRow(QStringLiteral("Cancello scorrevole"), QStringLiteral("0"), QStringLiteral("100"));
    e.addRow(QStringLiteral("Bulloni"), QStringLiteral("2.5"), QStringLiteral("0.04"));
    EXPECT_EQ(e.dlg.prompts, QStringList({QStringLiteral("Descrizione ?"), QStringLiteral("Quantità ?"),
                                          QStringLiteral("Prezzo ?"), QStringLiteral("Descrizione ?"),
                                          QStringLiteral("Quantità ?"), QStringLiteral("Prezzo ?")}));
    EXPECT_EQ(e.dlg.inputDefaults.at(1), QStringLiteral("0"));
    ASSERT_EQ(e.grid()->rowCount(), 3);
    EXPECT_EQ(e.cell(1, 2), QString());
    EXPECT_EQ(e.cell(1, 3), QStringLiteral("100,00"));
    EXPECT_EQ(e.cell(1, 4), QStringLiteral("100,00"));
    EXPECT_EQ(e.cell(2, 2), QStringLiteral("2,5"));
    EXPECT_EQ(e.cell(2, 4), QStringLiteral("0,10"));
    EXPECT_EQ(e.cell(1, 5), QStringLiteral("2"));
    EXPECT_EQ(e.cell(2, 5), QStringLiteral("3"));
    EXPECT_EQ(e.box("TxtImp")->text(), QStringLiteral("€ 100,10"));
    EXPECT_EQ(e.box("TxtIva")->text(), QStringLiteral("€ 22,02"));
    EXPECT_EQ(e.box("TxtTot")->text(), QStringLiteral("€ 122,12"));
    e.get<QCheckBox>("ChkRA")->click();
    EXPECT_EQ(e.box("TxtRA")->text(), QStringLiteral("€ 4,00"));
    EXPECT_EQ(e.box("TxtTot")->text(), QStringLiteral("€ 118,12"));
    e.get<QPlainTextEdit>("TxtNote")->setPlainText(QStringLiteral("Bonifico a 30 giorni"));

    e.noCopies();
    e.click("BtnEmetti");
    EXPECT_EQ(e.dlg.windowsShown, QStringList{QStringLiteral("FrmCopie")});
    ASSERT_EQ(e.dlg.messages.size(), 2u);
    EXPECT_EQ(e.dlg.messages[0].text, QStringLiteral("Proseguire con l'EMISSIONE della Fattura ?"));
    EXPECT_EQ(e.dlg.messages[0].title, QStringLiteral("Conferma Emissione"));
    EXPECT_EQ(e.dlg.messages[1].text, QStringLiteral("FATTURA emessa con successo"));
    EXPECT_EQ(e.dlg.messages[1].icon, Icon::Information);
    EXPECT_EQ(e.frm->result(), QDialog::Accepted);

    EXPECT_EQ(column(QStringLiteral("IdAna"), num(1)).toLongLong(), bianchi);
    EXPECT_EQ(column(QStringLiteral("Data"), num(1)).toString(), Formats::isoDate(QDate::currentDate()));
    EXPECT_DOUBLE_EQ(column(QStringLiteral("Totale"), num(1)).toDouble(), 118.12);
    EXPECT_EQ(column(QStringLiteral("Iva"), num(1)).toInt(), 22);
    EXPECT_EQ(column(QStringLiteral("RA"), num(1)).toString(), QStringLiteral("X"));
    EXPECT_EQ(column(QStringLiteral("Note"), num(1)).toString(), QStringLiteral("Bonifico a 30 giorni"));
    EXPECT_TRUE(column(QStringLiteral("Pagata"), num(1)).isNull());
    const auto loaded = InvoiceStore::load(num(1));
    ASSERT_TRUE(loaded && loaded.value());
    const QList<InvoiceRow> rows = loaded.value()->rows;
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].descrizione, QStringLiteral(" "));
    EXPECT_EQ(rows[2].descrizione, QStringLiteral("Bulloni"));
    EXPECT_EQ(rows[2].qta, dec("2.5"));
    EXPECT_EQ(rows[2].prezzo, dec("0.04"));
    EXPECT_EQ(rows[2].ord, 3);
}

TEST(FormRegFatt, IssueChecksInOrder) {
    Editor e;
    customer(QStringLiteral("ROSSI"));
    stored(num(1), 1, QDate(kAnno, 2, 1));
    e.open();
    e.frm->Carica(QString(), kAnno);
    e.box("TxtData")->clear();
    e.combo("ComboIva")->setEditText(QString());
    e.click("BtnEmetti");
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("Inserire DATA fattura"));
    EXPECT_EQ(e.dlg.messages.back().title, QStringLiteral("AVVISO"));
    EXPECT_EQ(e.dlg.messages.back().icon, Icon::Exclamation);

    e.box("TxtData")->setText(QStringLiteral("31/02/26"));
    e.click("BtnEmetti");
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("Data non valida"));

    e.box("TxtData")->setText(QStringLiteral("15/03/") + QString::number(kAnno % 100));
    e.click("BtnEmetti");
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("Inserire % IVA"));
    e.combo("ComboIva")->setEditText(QStringLiteral("150"));
    e.click("BtnEmetti");
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("Valori validi: da 0 a 100"));
    e.combo("ComboIva")->setEditText(QStringLiteral("22"));
    e.click("BtnEmetti");
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("Selezionare il CLIENTE"));
    e.chooseCustomer(QStringLiteral("ROSSI"));

    // Another year than the register's: asked, and No stops.
    e.box("TxtData")->setText(QStringLiteral("02/01/") + QString::number((kAnno + 1) % 100));
    e.dlg.answer(Answer::No);
    e.click("BtnEmetti");
    EXPECT_EQ(e.dlg.lastText(),
              QStringLiteral(
                  "ANNO di emissione diverso dall'anno della data della fattura, proseguire comunque ?"));
    EXPECT_EQ(e.dlg.messages.back().title, QStringLiteral("ATTENZIONE"));
    EXPECT_EQ(rowsOf(num(2)), 0);

    // Confirmation refused: nothing stored, the window stays.
    e.box("TxtData")->setText(QStringLiteral("15/03/") + QString::number(kAnno % 100));
    e.dlg.answer(Answer::No);
    e.click("BtnEmetti");
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("Proseguire con l'EMISSIONE della Fattura ?"));
    EXPECT_FALSE(InvoiceStore::exists(num(2)).value());
    EXPECT_EQ(e.frm->result(), 0);
    EXPECT_TRUE(e.dlg.allAnswersUsed());
}

TEST(FormRegFatt, HandTypedNumbersAreCheckedBeforeIssuing) {
    Editor e;
    app().secondario = true;
    customer(QStringLiteral("ROSSI"));
    stored(num(5), 1, QDate(kAnno, 2, 1));
    e.open();
    e.frm->Carica(QString(), kAnno);
    e.chooseCustomer(QStringLiteral("ROSSI"));
    e.combo("ComboIva")->setEditText(QStringLiteral("22"));
    for (const QString& bad : {QStringLiteral("12-26"), QStringLiteral("012") + kSuf, QStringLiteral("A/26"),
                               QStringLiteral("7/2026")}) {
        e.box("TxtNum")->setText(bad);
        e.click("BtnEmetti");
        EXPECT_TRUE(e.dlg.lastText().contains(QStringLiteral("N/AA"))) << qPrintable(bad);
        EXPECT_EQ(e.dlg.messages.back().title, QStringLiteral("AVVISO"));
    }
    e.box("TxtNum")->setText(num(5));
    e.click("BtnEmetti");
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("Fattura ") + num(5) + QStringLiteral(" già esistente"));
    EXPECT_EQ(e.dlg.messages.back().title, QStringLiteral("Impossibile procedere"));
    e.box("TxtNum")->setText(QStringLiteral(" 9") + kSuf);
    e.noCopies();
    e.click("BtnEmetti");
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("FATTURA emessa con successo"));
    EXPECT_TRUE(InvoiceStore::exists(num(9)).value());
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT count(*) FROM Fatture")).value().toInt(), 2);
}

TEST(FormRegFatt, RateBoxAndTypedNumbers) {
    Editor e;
    e.open();
    e.frm->Carica(QString(), kAnno);
    QComboBox* iva = e.combo("ComboIva");
    iva->setEditText(QStringLiteral("150"));
    QTest::keyClick(iva, Qt::Key_Return);
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("Valori validi: da 0 a 100"));
    EXPECT_EQ(e.dlg.messages.back().title, QStringLiteral("Valore non valido"));
    EXPECT_EQ(e.dlg.messages.back().icon, Icon::Critical);
    iva->setEditText(QStringLiteral("abc"));
    e.leave(iva);
    EXPECT_EQ(iva->currentText(), QStringLiteral("0"));
    iva->setEditText(QStringLiteral("999999"));
    e.leave(iva);
    EXPECT_EQ(e.dlg.messages.back().title, QStringLiteral("Errore 6"));

    // A quantity that is not a number adds nothing.
    e.addRow(QStringLiteral("Cancello"), QStringLiteral("due"), QStringLiteral("10"));
    EXPECT_EQ(e.dlg.messages.back().title, QStringLiteral("Errore 13"));
    EXPECT_EQ(e.grid()->rowCount(), 1);
    // An empty description or a cancelled prompt ends the insertion.
    e.dlg.type(QString());
    e.click("BtnIns");
    e.dlg.type(QStringLiteral("Cancello"));
    e.dlg.cancelInput();
    e.click("BtnIns");
    EXPECT_EQ(e.grid()->rowCount(), 1);
    // A price without quantity is a lump sum; a date typed short is shown in full.
    iva->setEditText(QStringLiteral("10"));
    QTest::keyClick(iva, Qt::Key_Enter);
    e.addRow(QStringLiteral("Posa"), QStringLiteral("0"), QStringLiteral("11.25"));
    EXPECT_EQ(e.cell(1, 4), QStringLiteral("11,25"));
    EXPECT_EQ(e.box("TxtIva")->text(), QStringLiteral("€ 1,13"));
    e.box("TxtData")->setText(QStringLiteral("3/4/26"));
    e.leave(e.box("TxtData"));
    EXPECT_EQ(e.box("TxtData")->text(), QStringLiteral("03/04/26"));
}

TEST(FormRegFatt, RowsOfANewInvoice) {
    Editor e;
    e.open();
    e.frm->Carica(QString(), kAnno);
    // The only row cannot be deleted.
    e.grid()->setCurrentCell(0, 1);
    e.click("BtnEliArt");
    EXPECT_TRUE(e.dlg.messages.empty());
    EXPECT_EQ(e.grid()->rowCount(), 1);

    e.addRow(QStringLiteral("Cancello"), QStringLiteral("2"), QStringLiteral("50"));
    e.click("BtnVuota");
    e.addRow(QStringLiteral("Posa"), QStringLiteral("0"), QStringLiteral("30"));
    ASSERT_EQ(e.grid()->rowCount(), 4);
    EXPECT_EQ(e.cell(2, 1), QStringLiteral(" "));
    EXPECT_EQ(e.cell(3, 5), QStringLiteral("4"));

    e.changeCell(1, 2, QStringLiteral("3,5"));
    EXPECT_EQ(e.dlg.inputDefaults.back(), QStringLiteral("2"));
    EXPECT_EQ(e.cell(1, 4), QStringLiteral("175,00"));
    e.changeCell(1, 1, QStringLiteral("Cancello carraio"));
    EXPECT_EQ(e.cell(1, 1), QStringLiteral("Cancello carraio"));
    // The amount column is not typed into; a bad number changes nothing.
    const qsizetype asked = e.dlg.prompts.size();
    e.grid()->setCurrentCell(1, 4);
    QTest::keyClick(e.grid(), Qt::Key_A);
    EXPECT_EQ(e.dlg.prompts.size(), asked);
    e.changeCell(1, 3, QStringLiteral("x"));
    EXPECT_EQ(e.dlg.messages.back().title, QStringLiteral("Errore 13"));
    EXPECT_EQ(e.cell(1, 3), QStringLiteral("50,00"));
    EXPECT_EQ(e.box("TxtImp")->text(), QStringLiteral("€ 205,00"));

    e.grid()->setCurrentCell(1, 1);
    e.dlg.answer(Answer::No);
    e.click("BtnEliArt");
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("'Cancello carraio'"));
    EXPECT_EQ(e.dlg.messages.back().title, QStringLiteral("Conferma eliminazione riga"));
    EXPECT_EQ(e.grid()->rowCount(), 4);
    e.click("BtnEliArt");
    ASSERT_EQ(e.grid()->rowCount(), 3);
    EXPECT_EQ(e.cell(1, 1), QStringLiteral(" "));
    EXPECT_EQ(e.box("TxtImp")->text(), QStringLiteral("€ 30,00"));
    // Ord is never renumbered, and the next row follows the last one.
    EXPECT_EQ(e.cell(1, 5), QStringLiteral("3"));
    e.click("BtnVuota");
    EXPECT_EQ(e.cell(3, 5), QStringLiteral("5"));

    // Insert on the grid adds a row too.
    e.dlg.type(QStringLiteral("Trasporto"));
    e.dlg.type(QStringLiteral("0"));
    e.dlg.type(QStringLiteral("40"));
    QTest::keyClick(e.grid(), Qt::Key_Insert);
    EXPECT_EQ(e.cell(4, 1), QStringLiteral("Trasporto"));

    // A double click changes the cell too.
    e.grid()->setCurrentCell(4, 1);
    e.dlg.type(QStringLiteral("Trasporto e scarico"));
    emit e.grid()->cellDoubleClicked(4, 1);
    EXPECT_EQ(e.cell(4, 1), QStringLiteral("Trasporto e scarico"));
}

TEST(FormRegFatt, RecallAndChangeRowsStoredAtOnce) {
    Editor e;
    const qint64 c = customer(QStringLiteral("ROSSI"));
    stored(num(1), c, QDate(kAnno, 1, 5));
    stored(num(2), c, QDate(kAnno, 1, 6));
    stored(num(3), c, QDate(kAnno, 1, 7));
    e.open();
    ASSERT_TRUE(e.frm->Carica(num(2), kAnno));
    EXPECT_EQ(e.get<QLabel>("LabelInt")->text(), QStringLiteral("Richiama Fattura"));
    EXPECT_EQ(e.get<QLabel>("LblRec")->text(), QStringLiteral("Fattura 2 di 3"));
    EXPECT_FALSE(e.get<QLabel>("LblRec")->isHidden());
    EXPECT_EQ(e.button("BtnEmetti")->text(), QStringLiteral("&CHIUDI"));
    EXPECT_EQ(e.button("BtnAnnulla")->text(), QStringLiteral("&ANNULLA FATTURA"));
    // Not the last: its date is locked and it cannot be cancelled.
    EXPECT_TRUE(e.box("TxtData")->isReadOnly());
    EXPECT_FALSE(e.button("BtnAnnulla")->isEnabled());
    EXPECT_TRUE(e.button("BtnStampa")->isEnabled());
    EXPECT_EQ(e.combo("ComboCli")->count(), 1);
    EXPECT_EQ(e.combo("ComboCli")->currentText(), QStringLiteral("ROSSI"));
    EXPECT_EQ(e.box("TxtTot")->text(), QStringLiteral("€ 158,60"));
    ASSERT_EQ(e.grid()->rowCount(), 3);
    EXPECT_EQ(e.cell(2, 3), QStringLiteral("30,00"));

    e.changeCell(1, 3, QStringLiteral("100"));
    EXPECT_EQ(InvoiceStore::load(num(2)).value()->rows[1].prezzo, dec("100"));
    EXPECT_DOUBLE_EQ(column(QStringLiteral("Totale"), num(2)).toDouble(), 280.6);

    e.addRow(QStringLiteral("Trasporto"), QStringLiteral("0"), QStringLiteral("10"));
    auto inv = InvoiceStore::load(num(2)).value();
    ASSERT_EQ(inv->rows.size(), 4);
    EXPECT_EQ(inv->rows[3].ord, 4);
    EXPECT_EQ(inv->totale, dec("292.8"));

    // Deleting the last row removes it from the invoice and stores the new total.
    e.grid()->setCurrentCell(3, 1);
    e.click("BtnEliArt");
    EXPECT_EQ(rowsOf(num(2)), 3);
    EXPECT_DOUBLE_EQ(column(QStringLiteral("Totale"), num(2)).toDouble(), 280.6);
    // Other invoices are untouched.
    EXPECT_EQ(rowsOf(num(1)), 3);
    EXPECT_DOUBLE_EQ(column(QStringLiteral("Totale"), num(1)).toDouble(), 158.6);

    // Header changes are stored on "&CHIUDI".
    e.get<QPlainTextEdit>("TxtNote")->setPlainText(QStringLiteral("Sollecito inviato"));
    e.click("BtnEmetti");
    EXPECT_EQ(column(QStringLiteral("Note"), num(2)).toString(), QStringLiteral("Sollecito inviato"));
    EXPECT_EQ(e.frm->result(), QDialog::Accepted);
}

TEST(FormRegFatt, ChangingTheRateOfTheLastStoresTheHeaderWithTheTotal) {
    Editor e;
    const qint64 c = customer(QStringLiteral("ROSSI"));
    stored(num(1), c, QDate(kAnno, 1, 5));
    e.open();
    e.frm->Carica(num(1), kAnno);
    EXPECT_FALSE(e.box("TxtData")->isReadOnly());
    EXPECT_TRUE(e.button("BtnAnnulla")->isEnabled());
    e.combo("ComboIva")->setEditText(QStringLiteral("10"));
    QTest::keyClick(e.combo("ComboIva"), Qt::Key_Return);
    e.box("TxtData")->setText(QStringLiteral("20/01/") + QString::number(kAnno % 100));
    // Closed with the close box: the header is kept with the total it gave.
    e.frm->reject();
    EXPECT_EQ(column(QStringLiteral("Iva"), num(1)).toInt(), 10);
    EXPECT_DOUBLE_EQ(column(QStringLiteral("Totale"), num(1)).toDouble(), 143);
    EXPECT_EQ(column(QStringLiteral("Data"), num(1)).toString(), Formats::isoDate(QDate(kAnno, 1, 20)));
}

TEST(FormRegFatt, BrowseAcrossAGap) {
    Editor e;
    const qint64 c = customer(QStringLiteral("ROSSI"));
    stored(num(1), c, QDate(kAnno, 1, 5));
    stored(num(2), c, QDate(kAnno, 1, 6));
    // Number 3 of the series is dated in the next year: stepping passes over it.
    stored(num(3), c, QDate(kAnno + 1, 1, 2));
    stored(num(4), c, QDate(kAnno, 12, 1));
    e.open();
    e.frm->Carica(num(2), kAnno);
    e.get<QPlainTextEdit>("TxtNote")->setPlainText(QStringLiteral("visto"));
    e.click("Cmd2");
    EXPECT_EQ(e.box("TxtNum")->text(), num(4));
    EXPECT_EQ(e.get<QLabel>("LblRec")->text(), QStringLiteral("Fattura 4 di 4"));
    // Moving stored the header of the invoice left.
    EXPECT_EQ(column(QStringLiteral("Note"), num(2)).toString(), QStringLiteral("visto"));
    EXPECT_TRUE(e.button("BtnAnnulla")->isEnabled());
    e.click("Cmd2");
    EXPECT_EQ(e.box("TxtNum")->text(), num(4));
    e.click("Cmd1");
    EXPECT_EQ(e.box("TxtNum")->text(), num(2));
    EXPECT_FALSE(e.button("BtnAnnulla")->isEnabled());
    e.click("Cmd0");
    EXPECT_EQ(e.box("TxtNum")->text(), num(1));
    e.click("Cmd1");
    EXPECT_EQ(e.box("TxtNum")->text(), num(1));
    e.click("Cmd3");
    EXPECT_EQ(e.box("TxtNum")->text(), num(4));
    EXPECT_TRUE(e.dlg.messages.empty());
}

TEST(FormRegFatt, CancelTheLastOnly) {
    Editor e;
    const qint64 c = customer(QStringLiteral("ROSSI"));
    stored(num(1), c, QDate(kAnno, 1, 5));
    stored(num(2), c, QDate(kAnno, 1, 6));
    e.open();
    e.frm->Carica(num(2), kAnno);
    e.dlg.answer(Answer::No);
    e.click("BtnAnnulla");
    EXPECT_EQ(e.dlg.lastText(),
              QStringLiteral("Sicuro di voler procedere con l'annullamento di questa FATTURA ?"));
    EXPECT_EQ(e.dlg.messages.back().title, QStringLiteral("CONFERMA ANNULLAMENTO"));
    EXPECT_TRUE(InvoiceStore::exists(num(2)).value());
    EXPECT_EQ(e.frm->result(), 0);

    e.click("BtnAnnulla");
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("FATTURA annullata con successo"));
    EXPECT_FALSE(InvoiceStore::exists(num(2)).value());
    EXPECT_EQ(rowsOf(num(2)), 0);
    EXPECT_EQ(rowsOf(num(1)), 3);
    EXPECT_EQ(e.frm->result(), QDialog::Accepted);
    // The freed number is the next one again.
    FormRegFatt next;
    next.Carica(QString(), kAnno);
    EXPECT_EQ(next.findChild<QLineEdit*>(QStringLiteral("TxtNum"))->text(), num(2));
}

TEST(FormRegFatt, CancellingAnInvoiceAlreadyGoneIsNotReportedAsDone) {
    Editor e;
    const qint64 c = customer(QStringLiteral("ROSSI"));
    stored(num(1), c, QDate(kAnno, 1, 5));
    e.open();
    e.frm->Carica(num(1), kAnno);
    InvoiceStore::cancel(num(1));
    e.click("BtnAnnulla");
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("Durante eliminazione Fattura"));
    EXPECT_EQ(e.dlg.messages.back().title, QStringLiteral("Errore"));
    EXPECT_FALSE(e.dlg.texts().contains(QStringLiteral("FATTURA annullata con successo")));
}

TEST(FormRegFatt, CustomerButtons) {
    Editor e;
    customer(QStringLiteral("ROSSI"));
    e.open();
    e.frm->Carica(QString(), kAnno);
    e.click("BtnCli");
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("Selezionare un CLIENTE"));

    e.chooseCustomer(QStringLiteral("ROSSI"));
    e.dlg.onWindow([](QDialog* w) {
        EXPECT_EQ(w->findChild<QLineEdit*>(QStringLiteral("TxtNome"))->text(), QStringLiteral("ROSSI"));
        return 0;
    });
    e.click("BtnCli");
    EXPECT_EQ(e.dlg.windowsShown, QStringList({QStringLiteral("FrmAna")}));

    // A new customer appears in the list, and the chosen one stays chosen.
    e.dlg.onWindow([](QDialog* w) {
        w->findChild<QLineEdit*>(QStringLiteral("TxtNome"))->setText(QStringLiteral("ALFA"));
        w->findChild<QPushButton*>(QStringLiteral("BtnSalva"))->click();
        return 1;
    });
    e.click("BtnNuovoCli");
    EXPECT_GE(e.combo("ComboCli")->findText(QStringLiteral("ALFA")), 0);
    EXPECT_EQ(e.combo("ComboCli")->currentText(), QStringLiteral("ROSSI"));
    EXPECT_EQ(e.combo("ComboIdCli")->currentIndex(), e.combo("ComboCli")->currentIndex());

    // The customer editor already on screen is not opened a second time.
    FrmAna open;
    open.Carica(QString());
    open.show();
    e.click("BtnCli");
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("La finestra richiesta è già aperta"));
    EXPECT_EQ(e.dlg.messages.back().title, QStringLiteral("Impossibile procedere"));
    EXPECT_EQ(e.dlg.windowsShown.size(), 2);
    open.hide();
}

TEST(FormRegFatt, DataForThePrintedInvoice) {
    Editor e;
    const qint64 c = customer(QStringLiteral("ROSSI"));
    stored(num(1), c, QDate(kAnno, 1, 5));
    e.open();
    e.frm->Carica(num(1), kAnno);
    const InvoiceData d = e.frm->datiFattura();
    EXPECT_EQ(d.num, num(1));
    EXPECT_EQ(d.data, Formats::shortDate(QDate(kAnno, 1, 5)));
    EXPECT_EQ(d.idCliente, c);
    EXPECT_EQ(d.iva, QStringLiteral("22"));
    ASSERT_EQ(d.righe.size(), 3);
    EXPECT_EQ(d.righe[1].importo, QStringLiteral("100,00"));
    EXPECT_EQ(d.totale, e.box("TxtTot")->text());
}
