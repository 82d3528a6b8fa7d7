#include "../../printing/pdfprobe.h"
#include "../samepages.h"
#include "data/database.h"
#include "invoices/invoicepaper.h"
#include "invoices/invoicerules.h"
#include "invoices/invoicestore.h"
#include "invoices/ui/formregfatt.h"
#include "printing/layoutregistry.h"
#include "printing/pdfprinter.h"
#include "printing/printers.h"
#include "printing/ui/formstampafatt.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "workdir.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const int kAnno = QDate::currentDate().year();
const QString kSuf = InvoiceRules::suffisso(kAnno);

Decimal dec(const char* text) {
    return Decimal::fromString(QString::fromLatin1(text)).value();
}
QString num(int n) {
    return QString::number(n) + kSuf;
}

struct Printing {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    std::unique_ptr<FormRegFatt> frm;
    qint64 cliente = 0;

    Printing() {
        Printers::reset();
        app().stampantePdf = QStringLiteral("CutePDF Writer");
        app().stampantePredefinita = QStringLiteral("CutePDF Writer");
        PdfPrinter::setLastFolder(dir.path());
        Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome, Ragione, Città) VALUES (?, ?, ?)"),
                       {QStringLiteral("ROSSI"), QStringLiteral("Rossi Srl"), QStringLiteral("Monza")});
        cliente = Database::scalar(QStringLiteral("SELECT max(Id) FROM Anagrafica")).value().toLongLong();
        QApplication::clipboard()->clear();
    }
    ~Printing() { Printers::reset(); }

    // A stored invoice of `rows` rows besides its spacer.
    void store(const QString& number, int rows) {
        Invoice inv;
        inv.num = number;
        inv.idAna = cliente;
        inv.data = QDate(kAnno, 2, 3);
        inv.iva = 22;
        inv.note = QStringLiteral("Consegna in cantiere");
        inv.totale = dec("1");
        inv.rows.append(InvoiceRules::rigaVuota(1));
        for (int i = 2; i <= rows + 1; ++i)
            inv.rows.append({i, QStringLiteral("Ringhiera%1").arg(i), dec("2"), dec("50")});
        ASSERT_FALSE(InvoiceStore::issue(inv));
    }
    void recall(const QString& number) {
        frm = std::make_unique<FormRegFatt>();
        ASSERT_TRUE(frm->Carica(number, kAnno));
    }
    void click(const char* name) {
        auto* b = frm->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        ASSERT_TRUE(b->isEnabled()) << name;
        b->click();
    }
    QString file(const QString& name) const { return dir.path(name); }
    QStringList pdfs() const { return QDir(dir.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files); }
};

std::vector<Page> storedPages(const QString& number) {
    const auto d = InvoicePaper::datiFattura(number);
    EXPECT_TRUE(d.ok() && d.value().has_value());
    return LayoutRegistry::compose(InvoicePaper::kTipo, *d.value(), nullptr);
}

} // namespace

TEST(FormRegFattPrint, PreviewShowsTheInvoiceAsStored) {
    Printing t;
    t.store(num(3), 20);
    t.recall(num(3));
    std::vector<Page> shown;
    int pagina = -1;
    t.dlg.onWindow([&](QDialog* w) {
        auto* preview = static_cast<FormStampaFatt*>(w);
        shown = preview->pages();
        pagina = preview->pagina();
        return 0;
    });
    t.click("BtnAnt");
    EXPECT_EQ(t.dlg.windowsShown, QStringList{QStringLiteral("FormStampaFatt")});
    EXPECT_EQ(app().tipoDocumento, QStringLiteral("Fattura"));
    EXPECT_FALSE(app().stampaDiretta);
    // 21 rows with the spacer: two pages, the last one shown first.
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(pagina, 1);
    EXPECT_NE(shown[1].findText(QStringLiteral("Ringhiera21")), nullptr);
    EXPECT_NE(shown[0].findText(QStringLiteral("Rossi Srl")), nullptr);
    // Recalled in the editor or read by the command line: the same pages.
    EXPECT_TRUE(samePages(shown, storedPages(num(3))));
    EXPECT_TRUE(t.dlg.messages.empty());
}

TEST(FormRegFattPrint, PreviewOfANewInvoiceShowsWhatIsTyped) {
    Printing t;
    t.frm = std::make_unique<FormRegFatt>();
    ASSERT_TRUE(t.frm->Carica(QString(), kAnno));
    auto* cli = t.frm->findChild<QComboBox*>(QStringLiteral("ComboCli"));
    cli->setCurrentIndex(cli->findText(QStringLiteral("ROSSI")));
    t.frm->findChild<QComboBox*>(QStringLiteral("ComboIva"))->setEditText(QStringLiteral("10"));
    t.dlg.type(QStringLiteral("Cancello"));
    t.dlg.type(QStringLiteral("1"));
    t.dlg.type(QStringLiteral("200"));
    t.click("BtnIns");
    t.frm->findChild<QPlainTextEdit*>(QStringLiteral("TxtNote"))
        ->setPlainText(QStringLiteral("Nota provvisoria"));
    std::vector<Page> shown;
    t.dlg.onWindow([&](QDialog* w) {
        shown = static_cast<FormStampaFatt*>(w)->pages();
        return 0;
    });
    t.click("BtnAnt");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].findText(QStringLiteral("Cancello")), nullptr);
    EXPECT_NE(shown[0].findText(QStringLiteral("Nota provvisoria")), nullptr);
    EXPECT_NE(shown[0].findText(QStringLiteral("10%")), nullptr);
    EXPECT_NE(shown[0].findText(QStringLiteral("€ 220,00")), nullptr);
    EXPECT_NE(shown[0].findText(QStringLiteral("FATTURA n° ") + QStringLiteral("1/20") + kSuf.right(2)),
              nullptr);
    // Nothing is stored by a preview.
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT count(*) FROM Fatture")).value().toInt(), 0);
}

TEST(FormRegFattPrint, PdfPutsTheNameOnTheClipboardAndWritesTheChosenFile) {
    Printing t;
    t.store(num(12), 3);
    t.recall(num(12));
    const QString name = QStringLiteral("Fattura_12-") + kSuf.right(2) + QStringLiteral(".pdf");
    t.dlg.chooseFile(t.file(QStringLiteral("scelto.pdf")));
    t.click("BtnPdf");
    EXPECT_EQ(QApplication::clipboard()->text(), name);
    ASSERT_EQ(t.dlg.proposedFiles.size(), 1);
    EXPECT_EQ(t.dlg.proposedFiles[0], QDir(t.dir.path()).filePath(name));
    ASSERT_TRUE(QFile::exists(t.file(QStringLiteral("scelto.pdf"))));
    EXPECT_EQ(PdfProbe::pages(t.file(QStringLiteral("scelto.pdf"))), 1);
    const auto words = PdfProbe::words(t.file(QStringLiteral("scelto.pdf")));
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("12/20") + kSuf.right(2)), nullptr);
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("Ringhiera4")), nullptr);
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("cantiere")), nullptr);
    EXPECT_TRUE(app().stampaDiretta);
    EXPECT_TRUE(t.dlg.messages.empty());
}

TEST(FormRegFattPrint, CancellingThePdfWritesNothing) {
    Printing t;
    t.store(num(7), 2);
    t.recall(num(7));
    t.click("BtnPdf");
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("Fattura_7-") + kSuf.right(2) + QStringLiteral(".pdf"));
    EXPECT_EQ(t.dlg.proposedFiles.size(), 1);
    EXPECT_TRUE(t.pdfs().isEmpty());
    EXPECT_TRUE(t.dlg.messages.empty());
}

TEST(FormRegFattPrint, PrintAsksForCopies) {
    Printing t;
    t.store(num(1), 2);
    t.recall(num(1));
    // Confirmed as proposed: two copies, two jobs.
    t.dlg.onWindow([](QDialog* w) {
        w->findChild<QPushButton*>(QStringLiteral("BtnAvanti"))->click();
        return 1;
    });
    t.dlg.chooseFile(t.file(QStringLiteral("uno.pdf")));
    t.dlg.chooseFile(t.file(QStringLiteral("due.pdf")));
    t.click("BtnStampa");
    EXPECT_EQ(t.dlg.windowsShown, QStringList{QStringLiteral("FrmCopie")});
    EXPECT_EQ(t.pdfs(), (QStringList{QStringLiteral("due.pdf"), QStringLiteral("uno.pdf")}));
    EXPECT_EQ(PdfProbe::pages(t.file(QStringLiteral("uno.pdf"))), 1);

    // Cancelled: nothing printed.
    t.dlg.onWindow([](QDialog* w) {
        w->findChild<QPushButton*>(QStringLiteral("BtnAnnulla"))->click();
        return 0;
    });
    t.click("BtnStampa");
    EXPECT_EQ(t.dlg.proposedFiles.size(), 2);
    EXPECT_EQ(t.pdfs().size(), 2);
}

TEST(FormRegFattPrint, IssuingPrintsTheIssuedInvoice) {
    Printing t;
    t.frm = std::make_unique<FormRegFatt>();
    ASSERT_TRUE(t.frm->Carica(QString(), kAnno));
    auto* cli = t.frm->findChild<QComboBox*>(QStringLiteral("ComboCli"));
    cli->setCurrentIndex(cli->findText(QStringLiteral("ROSSI")));
    t.frm->findChild<QComboBox*>(QStringLiteral("ComboIva"))->setEditText(QStringLiteral("22"));
    t.dlg.type(QStringLiteral("Inferriata"));
    t.dlg.type(QStringLiteral("3"));
    t.dlg.type(QStringLiteral("40"));
    t.click("BtnIns");
    t.dlg.onWindow([](QDialog* w) {
        w->findChild<QCheckBox*>(QStringLiteral("ChkCopie0"))->click();
        w->findChild<QPushButton*>(QStringLiteral("BtnAvanti"))->click();
        return 1;
    });
    t.dlg.chooseFile(t.file(QStringLiteral("emessa.pdf")));
    t.click("BtnEmetti");
    EXPECT_EQ(t.dlg.windowsShown, QStringList{QStringLiteral("FrmCopie")});
    EXPECT_EQ(t.frm->result(), QDialog::Accepted);
    ASSERT_TRUE(QFile::exists(t.file(QStringLiteral("emessa.pdf"))));
    const auto words = PdfProbe::words(t.file(QStringLiteral("emessa.pdf")));
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("Inferriata")), nullptr);
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("1/20") + kSuf.right(2)), nullptr);
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("146,40")), nullptr);
}
