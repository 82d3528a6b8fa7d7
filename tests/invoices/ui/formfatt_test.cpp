#include "../invoicetest.h"
#include "invoices/invoiceledger.h"
#include "invoices/ui/formfatt.h"
#include "invoices/ui/frmeditfatt.h"
#include "invoices/ui/frmsceltaddt.h"
#include "invoices/ui/invoiceregisterprint.h"
#include "pagetexts.h"
#include "printing/pdfprinter.h"
#include "printing/printers.h"
#include "printing/registerlayout.h"
#include "printing/ui/formstampafatt.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "shell/zipentry.h"
#include "usergestures.h"
#include "workdir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

using Answer = Dialogs::Answer;

const int kAnno = QDate::currentDate().year();

QString num(int n, int anno = kAnno)
{
    return QString::number(n) + InvoiceRules::suffisso(anno);
}

QString yy(int anno = kAnno)
{
    return InvoiceRules::suffisso(anno).mid(1);
}

void stored(const QString& number, qint64 idAna, QDate data, const char* totale)
{
    Invoice inv = sampleInvoice(number, idAna, data);
    inv.totale = dec(totale);
    issue(inv);
}

struct FormFattTest : ::testing::Test {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    qint64 rossi = addCustomer(u"ROSSI"_s);
    qint64 bianchi = addCustomer(u"BIANCHI"_s);
    qint64 verdi = addCustomer(u"VERDI"_s);
    std::unique_ptr<FormFatt> frm;

    FormFattTest()
    {
        stored(num(1), rossi, QDate(kAnno, 1, 10), "100.10");
        stored(num(2), bianchi, QDate(kAnno, 2, 10), "0.20");
        stored(num(10), rossi, QDate(kAnno, 3, 10), "1234.56");
        stored(num(7, kAnno - 1), bianchi, QDate(kAnno - 1, 6, 1), "50");
        InvoiceStore::setPaid(num(1), true);
        frm = std::make_unique<FormFatt>();
    }
    template <typename T = QPushButton> T* get(const char* name)
    {
        auto* w = frm->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QTableView* grid() { return get<QTableView>("FGrid"); }
    // Heading, list, count and the sums collected and still due.
    QString shown()
    {
        return QStringList{get<QLabel>("LabelInt")->text(), gridText(grid()->model()), get<QLabel>("LblRec")->text(),
                           get<QLineEdit>("TxtIncassato")->text() + u" / "_s + get<QLineEdit>("TxtIncassare")->text()}
            .join(u'\n');
    }
    void select(int row) { Gesture::click(grid(), row); }
    void doubleClickBelowTheRows() { Gesture::doubleClick(grid()->viewport(), {5, grid()->viewport()->height() - 5}); }
    // Which payment button is enabled: "R" register, "A" annul.
    QString payButtons()
    {
        return QString(get("BtnRegPag")->isEnabled() ? u"R"_s : QString()) +
               (get("BtnAnnPag")->isEnabled() ? u"A"_s : QString());
    }
};

} // namespace

TEST_F(FormFattTest, ListsTheYearHighestNumberFirstWithSums)
{
    EXPECT_EQ(shown(),
              u"Fatture %1\n%2|ROSSI|10/03/%3|1.234,56|\n%4|BIANCHI|10/02/%3|0,20|\n%5|ROSSI|10/01/%3|100,10|X\n"
              "3 fatture\n€ 100,10 / € 1.234,76"_s.arg(kAnno)
                  .arg(num(10), yy(), num(2), num(1)));
    // The filter offers only customers having invoices.
    auto* cli = get<QComboBox>("ComboCli");
    EXPECT_EQ(gridText(cli->model(), 0), u"Tutti\nBIANCHI\nROSSI"_s);
    cli->setCurrentIndex(1);
    emit cli->activated(1);
    EXPECT_EQ(shown(),
              u"Fatture %1\n%2|BIANCHI|10/02/%3|0,20|\n1 fattura\n€ 0,00 / € 0,20"_s.arg(kAnno).arg(num(2), yy()));

    // Another year, through the year prompt.
    dlg.type(QString::number(kAnno - 1));
    get("BtnAnno")->click();
    EXPECT_EQ(shown(), u"Fatture %1\n%2|BIANCHI|01/06/%3|50,00|\n1 fattura\n€ 0,00 / € 50,00"_s.arg(kAnno - 1).arg(
                           num(7, kAnno - 1), yy(kAnno - 1)));
    // A double click on an empty list answers as the recall button does.
    dlg.type(QString::number(kAnno - 5));
    get("BtnAnno")->click();
    EXPECT_EQ(grid()->model()->rowCount(), 0);
    doubleClickBelowTheRows();
    EXPECT_EQ(dlg.texts(), QStringList{u"Selezionare prima una FATTURA"_s});
}

TEST_F(FormFattTest, PaymentButtonsFollowThePaidMark)
{
    // Tabbing into the grid chooses no invoice, and neither does a double click below the rows.
    ASSERT_TRUE(Gesture::focus(grid()));
    get("BtnRegPag")->click();
    get("BtnRichiama")->click();
    doubleClickBelowTheRows();
    EXPECT_EQ(dlg.texts(), QStringList(3, u"Selezionare prima una FATTURA"_s));
    EXPECT_EQ(payButtons(), u"RA"_s);
    // A screen reader's selection chooses as a click does.
    ASSERT_TRUE(Gesture::readerSelects(grid(), 2)); // paid
    EXPECT_EQ(payButtons(), u"A"_s);
    select(0); // unpaid
    EXPECT_EQ(payButtons(), u"R"_s);

    dlg.answer(Answer::No);
    get("BtnRegPag")->click();
    EXPECT_EQ(dlg.lastText(), u"Fattura N° %1 -  ROSSI"_s.arg(num(10)));
    EXPECT_EQ(shown().section(u'\n', -1), u"€ 100,10 / € 1.234,76"_s);
    get("BtnRegPag")->click();
    EXPECT_EQ(dlg.lastText(), u"REGISTRAZIONE PAGAMENTO effettuata con successo"_s);
    EXPECT_EQ(shown().section(u'\n', 1, 1).section(u'|', -1), u"X"_s);
    EXPECT_EQ(shown().section(u'\n', -1), u"€ 1.334,66 / € 0,20"_s);
    // Only a click changes the buttons: the reload leaves them as the last click set them.
    EXPECT_EQ(payButtons(), u"R"_s);
    select(0);
    EXPECT_EQ(payButtons(), u"A"_s);

    get("BtnAnnPag")->click();
    EXPECT_EQ(dlg.lastText(), u"PAGAMENTO Annullato con successo"_s);
    EXPECT_EQ(dbRows(u"SELECT Num, Pagata FROM Fatture ORDER BY Data"_s),
              u"%1|-\n%2|X\n%3|-\n%4|-"_s.arg(num(7, kAnno - 1), num(1), num(2), num(10)));
    EXPECT_EQ(shown().section(u'\n', -1), u"€ 100,10 / € 1.234,76"_s);

    // The invoice gone meanwhile: an error, not a success.
    select(0);
    InvoiceStore::cancel(num(10));
    dlg.messages.clear();
    get("BtnRegPag")->click();
    EXPECT_EQ(dlg.texts().last(), u"Errore"_s);
    EXPECT_FALSE(dlg.texts().contains(u"REGISTRAZIONE PAGAMENTO effettuata con successo"_s));
    EXPECT_EQ(grid()->model()->rowCount(), 2);
}

TEST_F(FormFattTest, NewAndRecalledInvoicesOpenTheEditorAndTheListFollows)
{
    dlg.onWindow([this](QDialog* w) {
        EXPECT_EQ(w->objectName() + u' ' + w->findChild<QLineEdit*>(u"TxtNum"_s)->text(), u"FormRegFatt "_s + num(11));
        stored(num(11), verdi, QDate(kAnno, 4, 1), "5");
        return 1;
    });
    get("BtnEmetti")->click();
    EXPECT_EQ(gridText(grid()->model()).section(u'|', 0, 1), num(11) + u"|VERDI"_s);
    EXPECT_GE(get<QComboBox>("ComboCli")->findText(u"VERDI"_s), 0);

    dlg.onWindow([](QDialog* w) {
        EXPECT_EQ(w->findChild<QLineEdit*>(u"TxtNum"_s)->text(), num(2));
        return 1;
    });
    Gesture::doubleClick(grid()->viewport(), Gesture::cell(grid(), 2));
    EXPECT_EQ(dlg.windowsShown.size(), 2);
    EXPECT_TRUE(dlg.allAnswersUsed());

    // A deferred invoice starts only from the DDTs ticked (all are, at first): none is refused with a word.
    Ddt primo;
    primo.num = u"3/26"_s;
    Ddt secondo;
    secondo.num = u"4/26"_s;
    FrmSceltaDdt scelta({primo, secondo});
    ASSERT_EQ(scelta.scelti().size(), 2);
    scelta.ChkDdt(0)->setChecked(false);
    scelta.ChkDdt(1)->setChecked(false);
    scelta.findChild<QPushButton*>(u"BtnFattura"_s)->click();
    EXPECT_EQ(dlg.lastText(), u"Selezionare almeno un DDT"_s);
    EXPECT_NE(scelta.result(), QDialog::Accepted);
    scelta.ChkDdt(1)->setChecked(true);
    scelta.findChild<QPushButton*>(u"BtnFattura"_s)->click();
    EXPECT_EQ(scelta.result(), QDialog::Accepted);
    ASSERT_EQ(scelta.scelti().size(), 1);
    EXPECT_EQ(scelta.scelti().first().num, u"4/26"_s);
}

TEST_F(FormFattTest, ChangeOfCustomerOfAnInvoiceOfThisYear)
{
    const qint64 zeta = addCustomer(u"ZETA"_s, 0);
    FrmEditFatt edit, again;
    auto* fatt = edit.findChild<QComboBox*>(u"ComboFatt"_s);
    auto* nome = edit.findChild<QComboBox*>(u"ComboNome"_s);
    auto* salva = edit.findChild<QPushButton*>(u"BtnSalva"_s);
    ASSERT_TRUE(fatt && nome && salva);
    // This year's invoices in number order; every customer, deleted ones too.
    EXPECT_EQ(gridText(fatt->model(), 0), QStringList({num(1), num(2), num(10)}).join(u'\n'));
    EXPECT_EQ(gridText(nome->model(), 0), u"BIANCHI\nROSSI\nVERDI\nZETA"_s);

    salva->click();
    fatt->setCurrentIndex(2);
    salva->click();
    nome->setCurrentIndex(3);
    salva->click();
    EXPECT_EQ(dlg.texts(),
              (QStringList{u"Selezionare FATTURA"_s, u"Selezionare CLIENTE"_s, u"Modifica effettuata con successo"_s}));
    EXPECT_EQ(edit.result(), QDialog::Accepted);
    // Nothing else of the invoices changes.
    EXPECT_EQ(dbRows(u"SELECT Num, IdAna, Totale FROM Fatture WHERE IdAna = ?"_s, {zeta}),
              num(10) + u'|' + QString::number(zeta) + u"|1234.56"_s);
    EXPECT_EQ(contentRows(num(10)), contentRows(num(1)));

    // An invoice gone meanwhile is reported and the dialog stays.
    again.findChild<QComboBox*>(u"ComboFatt"_s)->setCurrentIndex(2);
    again.findChild<QComboBox*>(u"ComboNome"_s)->setCurrentIndex(0);
    InvoiceStore::cancel(num(10));
    again.findChild<QPushButton*>(u"BtnSalva"_s)->click();
    EXPECT_EQ(dlg.lastText(), u"Errore durante la modifica"_s);
    EXPECT_EQ(again.result(), 0);
}

TEST_F(FormFattTest, PrintsPreviewsAndExportsTheListAsShownWithTheWindowsSums)
{
    Printers::reset();
    app().stampantePdf = app().stampantePredefinita = u"CutePDF Writer"_s;
    PdfPrinter::setLastFolder(dir.path());
    std::vector<Page> preview;
    const auto previewed = [&] {
        dlg.onWindow([&](QDialog* w) {
            preview = static_cast<FormStampaFatt*>(w)->pages();
            return 0;
        });
        get("BtnAnt")->click();
        return PageTexts::registerLines(preview, RegisterLayout::kPrimaRigaY);
    };
    const auto sums = [&] {
        return u"Incassato|%1 Da incassare|%2"_s.arg(get<QLineEdit>("TxtIncassato")->text(),
                                                     get<QLineEdit>("TxtIncassare")->text());
    };
    const QStringList all = previewed();
    EXPECT_EQ(all.mid(0, 3).join(u'\n'), gridText(grid()->model()));
    EXPECT_EQ(all.mid(3).join(u' '), u"Imponibile|€ 390,00 IVA|€ 85,80 Ritenuta d'acconto|€ 0,00 "
                                     "Totale fatture|€ 1.334,86 "_s +
                                         sums());
    EXPECT_NE(preview[0].findText(u"REGISTRO FATTURE %1"_s.arg(kAnno)), nullptr);

    auto* cli = get<QComboBox>("ComboCli");
    cli->setCurrentIndex(2);
    emit cli->activated(2);
    const QStringList rossiOnly = previewed();
    EXPECT_EQ(rossiOnly.mid(0, 2).join(u'\n'), gridText(grid()->model()));
    EXPECT_EQ(rossiOnly.mid(6).join(u' '), sums());
    EXPECT_NE(preview[0].findText(u"Cliente: ROSSI"_s), nullptr);

    // Printed through the copies dialog on the PDF printer, under the register's own name.
    dlg.onWindow([](QDialog* w) {
        w->findChild<QCheckBox*>(u"ChkCopie0"_s)->click();
        w->findChild<QPushButton*>(u"BtnAvanti"_s)->click();
        return 1;
    });
    dlg.chooseFile(dir.path(u"registro.pdf"_s));
    get("BtnStampa")->click();
    EXPECT_EQ(dlg.proposedFiles, QStringList{dir.path(u"Registro_Fatture_%1.pdf"_s.arg(kAnno))});
    EXPECT_TRUE(dir.read(u"registro.pdf"_s).startsWith("%PDF-"));

    // The accountant's list of what is shown.
    dlg.chooseFile(dir.path(u"fatture.csv"_s));
    get("BtnEsporta")->click();
    EXPECT_EQ(dlg.proposedFiles.last(), dir.path(u"Fatture_%1.csv"_s.arg(kAnno)));
    EXPECT_EQ(dir.read(u"fatture.csv"_s), InvoiceLedger::carica(kAnno, rossi)->csv());
    EXPECT_EQ(dlg.lastText(), u"FATTURE esportate con successo"_s);

    // The same as a spreadsheet: the sheet the ledger makes (the file's dates of creation aside).
    QPushButton* excel = get("BtnEsportaExcel");
    EXPECT_EQ(excel->accessibleName(), excel->text().remove(u'&'));
    dlg.chooseFile(dir.path(u"fatture.xlsx"_s));
    excel->click();
    EXPECT_EQ(dlg.proposedFiles.last(), dir.path(u"Fatture_%1.xlsx"_s.arg(kAnno)));
    EXPECT_EQ(dlg.lastText(), u"FATTURE esportate con successo"_s);
    QString failed;
    const auto sheet = [](const QByteArray& xlsx) { return ZipEntry::read(xlsx, u"xl/worksheets/sheet1.xml"_s); };
    const auto written = sheet(dir.read(u"fatture.xlsx"_s));
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written, sheet(InvoiceLedger::carica(kAnno, rossi)->xlsx(kAnno, failed)));
}

TEST_F(FormFattTest, ACreditNoteIsMarkedAndSubtractsOnScreenAndOnPaper)
{
    Invoice nota = sampleInvoice(num(11), rossi, QDate(kAnno, 4, 1));
    nota.storno.fattura = num(10);
    issue(nota);
    frm->caricaElenco();
    EXPECT_EQ(gridText(grid()->model()).section(u'\n', 0, 0), u"%1 NC|ROSSI|01/04/%2|-158,60|"_s.arg(num(11), yy()));
    EXPECT_EQ(get<QLineEdit>("TxtIncassare")->text(), u"€ 1.076,16"_s);
    QString error;
    const auto table = InvoiceRegisterPrint::fatture(kAnno, 0, error);
    ASSERT_TRUE(table) << error.toStdString();
    EXPECT_EQ(table->righe.front().first(), num(11) + u" NC"_s);
    // Three invoices of 130 + 28.60 VAT, one of them reversed whole.
    EXPECT_EQ(table->totali.at(0).valore + u" / "_s + table->totali.at(1).valore, u"€ 260,00 / € 57,20"_s);
}
