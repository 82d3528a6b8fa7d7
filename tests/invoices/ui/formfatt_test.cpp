#include "../invoicetest.h"
#include "invoices/invoiceledger.h"
#include "invoices/ui/formfatt.h"
#include "invoices/ui/frmeditfatt.h"
#include "invoices/ui/frmsceltaddt.h"
#include "pagetexts.h"
#include "printing/pdfprinter.h"
#include "printing/printers.h"
#include "printing/registerlayout.h"
#include "printing/ui/formstampafatt.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "usergestures.h"
#include "workdir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

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
    // Which payment button is enabled: "R" register, "A" annul.
    QString payButtons()
    {
        return QString(get("BtnRegPag")->isEnabled() ? u"R"_s : QString()) +
               (get("BtnAnnPag")->isEnabled() ? u"A"_s : QString());
    }
};

} // namespace

TEST_F(FormFattTest, ListsPaysChoosesTheDdtsAndChangesTheCustomer)
{
    EXPECT_EQ(shown(),
              u"Fatture %1\n%2|ROSSI|10/03/%3|1.234,56|\n%4|BIANCHI|10/02/%3|0,20|\n%5|ROSSI|10/01/%3|100,10|X\n"
              "3 fatture\n€ 100,10 / € 1.234,76"_s.arg(kAnno)
                  .arg(num(10), yy(), num(2), num(1)));
    EXPECT_EQ(gridText(get<QComboBox>("ComboCli")->model(), 0), u"Tutti\nBIANCHI\nROSSI"_s);
    ASSERT_TRUE(Gesture::readerSelects(grid(), 2)); // paid
    EXPECT_EQ(payButtons(), u"A"_s);
    select(0);
    EXPECT_EQ(payButtons(), u"R"_s);
    get("BtnRegPag")->click();
    EXPECT_EQ(dlg.lastText(), u"REGISTRAZIONE PAGAMENTO effettuata con successo"_s);
    EXPECT_EQ(shown().section(u'\n', -1), u"€ 1.334,66 / € 0,20"_s);
    select(0);
    get("BtnAnnPag")->click();
    EXPECT_EQ(dbRows(u"SELECT Num, Pagata FROM Fatture ORDER BY Data"_s),
              u"%1|-\n%2|X\n%3|-\n%4|-"_s.arg(num(7, kAnno - 1), num(1), num(2), num(10)));

    // A deferred invoice starts only from the DDTs ticked (all are, at first): none is refused with a word.
    Ddt primo, secondo;
    primo.num = u"3/26"_s;
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
    ASSERT_EQ(scelta.scelti().size(), 1);
    EXPECT_EQ(scelta.scelti().first().num, u"4/26"_s);

    // Another customer, a deleted one too, for an invoice of this year: nothing else of it changes.
    const qint64 zeta = addCustomer(u"ZETA"_s, 0);
    FrmEditFatt edit;
    edit.findChild<QComboBox*>(u"ComboFatt"_s)->setCurrentIndex(2);
    edit.findChild<QComboBox*>(u"ComboNome"_s)->setCurrentIndex(2);
    edit.findChild<QPushButton*>(u"BtnSalva"_s)->click();
    EXPECT_EQ(dlg.lastText(), u"Modifica effettuata con successo"_s);
    EXPECT_EQ(dbRows(u"SELECT Num, IdAna, Totale FROM Fatture WHERE IdAna = ?"_s, {zeta}),
              num(10) + u'|' + QString::number(zeta) + u"|1234.56"_s);
    EXPECT_EQ(contentRows(num(10)), contentRows(num(1)));
}

TEST_F(FormFattTest, PrintsPreviewsAndExportsTheListAsShownWithTheWindowsSums)
{
    Printers::reset();
    app().stampantePdf = app().stampantePredefinita = u"CutePDF Writer"_s;
    PdfPrinter::setLastFolder(dir.path());
    std::vector<Page> preview;
    dlg.onWindow([&](QDialog* w) {
        preview = static_cast<FormStampaFatt*>(w)->pages();
        return 0;
    });
    get("BtnAnt")->click();
    const QStringList all = PageTexts::registerLines(preview, RegisterLayout::kPrimaRigaY);
    EXPECT_EQ(all.mid(0, 3).join(u'\n'), gridText(grid()->model()));
    EXPECT_EQ(all.mid(3).join(u' '),
              u"Imponibile|€ 390,00 IVA|€ 85,80 Ritenuta d'acconto|€ 0,00 Totale fatture|€ 1.334,86 Incassato|%1 "
              "Da incassare|%2"_s.arg(get<QLineEdit>("TxtIncassato")->text(), get<QLineEdit>("TxtIncassare")->text()));
    EXPECT_NE(preview[0].findText(u"REGISTRO FATTURE %1"_s.arg(kAnno)), nullptr);

    // The accountant's list of what is shown: one customer's invoices.
    auto* cli = get<QComboBox>("ComboCli");
    cli->setCurrentIndex(2);
    emit cli->activated(2);
    dlg.chooseFile(dir.path(u"fatture.csv"_s));
    get("BtnEsporta")->click();
    EXPECT_EQ(dlg.proposedFiles.last(), dir.path(u"Fatture_%1.csv"_s.arg(kAnno)));
    EXPECT_EQ(dir.read(u"fatture.csv"_s), InvoiceLedger::carica(kAnno, rossi)->csv());
    EXPECT_EQ(dlg.lastText(), u"FATTURE esportate con successo"_s);

    // The same as a spreadsheet, by the button a screen reader names by its caption.
    QPushButton* excel = get("BtnEsportaExcel");
    EXPECT_EQ(excel->accessibleName(), excel->text().remove(u'&'));
    dlg.chooseFile(dir.path(u"fatture.xlsx"_s));
    excel->click();
    EXPECT_EQ(dlg.proposedFiles.last(), dir.path(u"Fatture_%1.xlsx"_s.arg(kAnno)));
    EXPECT_TRUE(dir.read(u"fatture.xlsx"_s).startsWith("PK"));
}
