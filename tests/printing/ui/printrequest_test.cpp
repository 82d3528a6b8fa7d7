#include "../pdfprobe.h"
#include "printing/layoutregistry.h"
#include "printing/pdfprinter.h"
#include "printing/printers.h"
#include "printing/ui/formstampa.h"
#include "printing/ui/formstampafatt.h"
#include "printing/ui/printrequest.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "workdir.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct Testo {
    QString riga;
};

struct Request {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    Request()
    {
        Printers::reset();
        app().stampantePdf = QStringLiteral("CutePDF Writer");
        app().stampantePredefinita = QStringLiteral("CutePDF Writer");
        app().margineLaterale = 10;
        PdfPrinter::setLastFolder(dir.path());
        LayoutRegistry::add(QStringLiteral("ProvaRichiesta"),
                            {[](const std::any& data, const LayoutContext&) {
                                 Page page;
                                 page.text(20, 20, std::any_cast<const Testo&>(data).riga);
                                 return std::vector<Page>{page};
                             },
                             true, false});
    }
    ~Request() { Printers::reset(); }
    QString file(const QString& name) const { return dir.path(name); }
};

CustomerSheetData cliente()
{
    CustomerSheetData d;
    d.cod = QStringLiteral("0042");
    d.nome = QStringLiteral("NERI");
    return d;
}

} // namespace

TEST(PrintRequest, PreviewOpensTheWindowModallyWithThePaper)
{
    Request r;
    int pages = -1;
    r.dlg.onWindow([&](QDialog* w) {
        pages = static_cast<FormStampaFatt*>(w)->pagine();
        return 0;
    });
    PrintRequest::preview(nullptr, QStringLiteral("ProvaRichiesta"), std::any(Testo{QStringLiteral("Ciao")}));
    EXPECT_EQ(r.dlg.windowsShown, QStringList{QStringLiteral("FormStampaFatt")});
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(app().tipoDocumento, QStringLiteral("ProvaRichiesta"));
    EXPECT_FALSE(app().stampaDiretta);
}

TEST(PrintRequest, OneCopyGoesToTheProgramPrinterWithTheMargin)
{
    Request r;
    r.dlg.chooseFile(r.file(QStringLiteral("copia.pdf")));
    EXPECT_TRUE(PrintRequest::printOne(nullptr, QStringLiteral("ProvaRichiesta"), std::any(Testo{QStringLiteral("Margine")})));
    EXPECT_TRUE(app().stampaDiretta);
    const auto* word = PdfProbe::find(PdfProbe::words(r.file(QStringLiteral("copia.pdf"))), QStringLiteral("Margine"));
    ASSERT_NE(word, nullptr);
    EXPECT_NEAR(word->xMin, 30 * PdfProbe::kPointsPerMm, 0.6);
    EXPECT_TRUE(r.dlg.messages.empty());
}

TEST(PrintRequest, TwoCopiesAreTwoJobs)
{
    Request r;
    r.dlg.onWindow([](QDialog* w) {
        w->findChild<QPushButton*>(QStringLiteral("BtnAvanti"))->click();
        return 1;
    });
    r.dlg.chooseFile(r.file(QStringLiteral("uno.pdf")));
    r.dlg.chooseFile(r.file(QStringLiteral("due.pdf")));
    PrintRequest::printCopies(nullptr, QStringLiteral("ProvaRichiesta"), std::any(Testo{QStringLiteral("x")}));
    EXPECT_EQ(r.dlg.windowsShown, QStringList{QStringLiteral("FrmCopie")});
    EXPECT_TRUE(QFile::exists(r.file(QStringLiteral("uno.pdf"))));
    EXPECT_TRUE(QFile::exists(r.file(QStringLiteral("due.pdf"))));
}

TEST(PrintRequest, OneCopyChosen)
{
    Request r;
    r.dlg.onWindow([](QDialog* w) {
        w->findChild<QCheckBox*>(QStringLiteral("ChkCopie0"))->click();
        w->findChild<QPushButton*>(QStringLiteral("BtnAvanti"))->click();
        return 1;
    });
    r.dlg.chooseFile(r.file(QStringLiteral("uno.pdf")));
    PrintRequest::printCopies(nullptr, QStringLiteral("ProvaRichiesta"), std::any(Testo{QStringLiteral("x")}));
    EXPECT_EQ(r.dlg.proposedFiles.size(), 1);
}

TEST(PrintRequest, CancelledCopiesPrintNothing)
{
    Request r;
    r.dlg.onWindow([](QDialog* w) {
        w->findChild<QPushButton*>(QStringLiteral("BtnAnnulla"))->click();
        return 0;
    });
    PrintRequest::printCopies(nullptr, QStringLiteral("ProvaRichiesta"), std::any(Testo{QStringLiteral("x")}));
    EXPECT_TRUE(r.dlg.proposedFiles.isEmpty());
    EXPECT_TRUE(r.dlg.messages.empty());
}

TEST(PrintRequest, PdfProposesTheNameFromTheNumber)
{
    Request r;
    EXPECT_EQ(PrintRequest::pdfFileName(QStringLiteral("Preventivo"), QStringLiteral("7/09")), QStringLiteral("Preventivo_7-09.pdf"));
    EXPECT_EQ(PrintRequest::pdfFileName(QStringLiteral("Fattura"), QStringLiteral("12")), QStringLiteral("Fattura_12.pdf"));
    app().stampantePredefinita = QStringLiteral("Altra");
    EXPECT_FALSE(PrintRequest::printPdf(nullptr, QStringLiteral("ProvaRichiesta"), std::any(Testo{QStringLiteral("x")}),
                                        QStringLiteral("7/09")));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("ProvaRichiesta_7-09.pdf"));
    ASSERT_EQ(r.dlg.proposedFiles.size(), 1);
    EXPECT_EQ(r.dlg.proposedFiles[0], QDir(r.dir.path()).filePath(QStringLiteral("ProvaRichiesta_7-09.pdf")));
    // The PDF printer is chosen by its own name, whatever the program printer is.
    EXPECT_TRUE(r.dlg.messages.empty());
}

TEST(PrintRequest, UnknownProgramPrinterIsReportedAndThePrintGoesToTheCurrentOne)
{
    Request r;
    app().stampantePredefinita = QStringLiteral("Sparita");
    r.dlg.chooseFile(r.file(QStringLiteral("scheda.pdf")));
    const bool printed = PrintRequest::printCustomerSheet(nullptr, cliente());
    ASSERT_FALSE(r.dlg.messages.empty());
    EXPECT_EQ(r.dlg.messages[0].text, QStringLiteral("La stampante 'SPARITA' non esiste"));
    if (!Printers::currentIsPdf())
        GTEST_SKIP() << "a system printer is installed";
    EXPECT_TRUE(printed);
    const auto words = PdfProbe::words(r.file(QStringLiteral("scheda.pdf")));
    const auto* nome = PdfProbe::find(words, QStringLiteral("NERI"));
    ASSERT_NE(nome, nullptr);
    // The customer sheet is printed without the side margin.
    EXPECT_NEAR(nome->xMin, 40 * PdfProbe::kPointsPerMm, 0.6);
}

TEST(PrintRequest, CustomerSheetPreviewOpensFormStampa)
{
    Request r;
    float zoom = 0;
    r.dlg.onWindow([&](QDialog* w) {
        zoom = static_cast<FormStampa*>(w)->Zoom();
        return 0;
    });
    PrintRequest::previewCustomerSheet(nullptr, cliente());
    EXPECT_EQ(r.dlg.windowsShown, QStringList{QStringLiteral("FormStampa")});
    EXPECT_EQ(zoom, 0.49f);
    EXPECT_EQ(app().tipoDocumento, QStringLiteral("Anagrafica"));
}
