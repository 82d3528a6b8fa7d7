#include "../pdfprobe.h"
#include "printing/layoutregistry.h"
#include "printing/pdfprinter.h"
#include "printing/printers.h"
#include "printing/ui/frmcopie.h"
#include "printing/ui/frmprinters.h"
#include "printing/ui/printrequest.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "shell/settingsfiles.h"
#include "workdir.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kPdf = u"CutePDF Writer"_s;
const QString kProva = u"ProvaRichiesta"_s;

const auto click = [](QWidget* w, const char* b) { w->findChild<QPushButton*>(QLatin1String(b))->click(); };
const auto chk = [](QWidget* w, int i) { return w->findChild<QCheckBox*>(u"ChkCopie%1"_s.arg(i)); };

// The program printer and our PDF printer are the same; files are proposed in the working folder.
struct Request {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    Request()
    {
        Printers::reset();
        app().stampantePdf = kPdf;
        app().stampantePredefinita = kPdf;
        app().margineLaterale = 10;
        PdfPrinter::setLastFolder(dir.path());
        LayoutRegistry::add(kProva, {[](const std::any& data, const LayoutContext&) {
                                         std::vector<Page> pages(1);
                                         pages[0].text(20, 20, std::any_cast<const QString&>(data));
                                         return pages;
                                     },
                                     true, false});
    }
    ~Request() { Printers::reset(); }
    // Where the word landed in the printed file, in millimetres from the left edge; -1 when it is missing.
    double xOf(const QString& file, const QString& word) const
    {
        const auto* w = PdfProbe::find(PdfProbe::words(dir.path(file)), word);
        return w ? w->xMin / PdfProbe::kPointsPerMm : -1;
    }
};

} // namespace

TEST(FrmPrinters, OpensOnTheCurrentChoiceAndOkStoresTheNewOneInPrinterIni)
{
    TestWorkDir dir(false);
    ScriptedDialogs dlg;
    app().stampantePdf = kPdf;
    app().stampantePredefinita = u"Ufficio"_s;
    FrmPrinters w;
    auto* combo = w.findChild<QComboBox*>(u"ComboPrinter"_s);
    EXPECT_EQ(combo->currentText(), u"Ufficio"_s);
    combo->setCurrentIndex(combo->findText(kPdf));
    click(&w, "BtnOk");
    EXPECT_EQ(app().stampantePredefinita, kPdf);
    EXPECT_TRUE(dir.read(SettingsFiles::kPrinterFile).contains("CutePDF Writer"));
}

TEST(PrintRequest, PrintsOnTheProgramPrinterWithTheMarginOfTheKindAndPdfsOnThePdfPrinter)
{
    Request r;
    // A copy on a PDF printer is named after the paper, never after the clipboard.
    QApplication::clipboard()->setText(u"Via Roma 3, Forlì"_s);
    r.dlg.chooseFile(r.dir.path(u"copia.pdf"_s));
    r.dlg.chooseFile(r.dir.path(u"scheda.pdf"_s));
    EXPECT_TRUE(PrintRequest::printOne(nullptr, kProva, u"Margine"_s));
    EXPECT_TRUE(app().stampaDiretta);
    EXPECT_NEAR(r.xOf(u"copia.pdf"_s, u"Margine"_s), 20 + 10, 0.21);
    // The customer sheet is printed without the side margin.
    CustomerSheetData d;
    d.nome = u"NERI"_s;
    EXPECT_TRUE(PrintRequest::printCustomerSheet(nullptr, d));
    EXPECT_NEAR(r.xOf(u"scheda.pdf"_s, u"NERI"_s), 40, 0.21);
    // A PDF goes to the PDF printer by its own name, whatever the program printer is, named after the number.
    app().stampantePredefinita = u"Altra"_s;
    EXPECT_FALSE(PrintRequest::printPdf(nullptr, kProva, u"x"_s, u"7/09"_s));
    EXPECT_EQ(QApplication::clipboard()->text(), u"ProvaRichiesta_7-09.pdf"_s);
    EXPECT_EQ(r.dlg.proposedFiles,
              (QStringList{r.dir.path(u"ProvaRichiesta.pdf"_s), r.dir.path(u"Anagrafica_NERI.pdf"_s),
                           r.dir.path(u"ProvaRichiesta_7-09.pdf"_s)}));
    EXPECT_TRUE(r.dlg.messages.empty());
}

TEST(PrintRequest, TwoCopiesUnlessChangedAndNoneWhenCancelledOrNoneChosen)
{
    // What the user does in "Scegliere # COPIE", then the copies chosen (one print job each), the result and
    // what the window said. The two boxes are paired: checking one clears the other.
    const auto none = [](FrmCopie* w) { chk(w, 0)->click(), chk(w, 0)->click(), click(w, "BtnAvanti"); };
    const std::tuple<const char*, std::function<void(FrmCopie*)>, int, int, QStringList> cases[] = {
        {"confermato", [](FrmCopie* w) { click(w, "BtnAvanti"); }, 2, QDialog::Accepted, {}},
        {"una copia", [](FrmCopie* w) { chk(w, 0)->click(), click(w, "BtnAvanti"); }, 1, QDialog::Accepted, {}},
        {"nessuna scelta", none, 0, QDialog::Rejected, {u"Selezionare # di COPIE da stampare"_s}},
        {"annullato", [](FrmCopie* w) { click(w, "BtnAnnulla"); }, 0, QDialog::Rejected, {}},
        {"finestra chiusa", [](FrmCopie* w) { w->reject(); }, 0, QDialog::Rejected, {}}};
    for (const auto& [what, act, copie, result, said] : cases) {
        SCOPED_TRACE(what);
        Request r;
        int shown = -1;
        r.dlg.onWindow([&](QDialog* w) {
            act(static_cast<FrmCopie*>(w));
            return shown = w->result();
        });
        r.dlg.chooseFile(r.dir.path(u"uno.pdf"_s));
        r.dlg.chooseFile(r.dir.path(u"due.pdf"_s));
        PrintRequest::printCopies(nullptr, kProva, u"x"_s);
        EXPECT_EQ(r.dlg.windowsShown, QStringList{u"FrmCopie"_s});
        EXPECT_EQ(std::tuple(app().numeroCopie, shown), std::tuple(copie, result));
        EXPECT_EQ(QDir(r.dir.path()).entryList({u"*.pdf"_s}).size(), copie);
        EXPECT_EQ(r.dlg.texts(), said);
        for (const auto& m : r.dlg.messages)
            EXPECT_EQ(std::tie(m.title, m.icon), std::tuple(QString(), Dialogs::Icon::Exclamation));
    }
}
