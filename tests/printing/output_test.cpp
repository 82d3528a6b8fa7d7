#include "data/database.h"
#include "pdfprobe.h"
#include "printing/layoutregistry.h"
#include "printing/pagerenderer.h"
#include "printing/pdfcommand.h"
#include "printing/pdfoutput.h"
#include "printing/pdfprinter.h"
#include "printing/printers.h"
#include "printing/registerlayout.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "shell/settingsfiles.h"
#include "workdir.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinterInfo>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr double kPt = PdfProbe::kPointsPerMm;
const QString kPdf = u"CutePDF Writer"_s;

// Our PDF printer beside whatever the system has, with the first choice of file in the working folder.
struct PrinterEnv {
    TestWorkDir dir{false};
    ScriptedDialogs dlg;
    PrinterEnv()
    {
        app().stampantePdf = kPdf;
        Printers::reset();
        PdfPrinter::setLastFolder(dir.path());
    }
    ~PrinterEnv() { Printers::reset(); }
    PdfPrinter::Outcome print()
    {
        std::vector<Page> pages(2);
        pages[1].text(20, 20, u"Secondo"_s);
        return PdfPrinter::print(nullptr, pages, PageView(), u"Fattura_3/25"_s);
    }
};

} // namespace

TEST(PageRenderer, TextHangsFromItsMillimetresAndScalesWithTheView)
{
    TestWorkDir dir(false);
    Page page;
    page.text(20, 30, u"Venti"_s, PrintFont{u"Arial"_s, 10, false});
    page.text(100, 150, u"Grande"_s, PrintFont{u"Arial"_s, 20, false});
    page.text(100, 170, u"Piccolo"_s, PrintFont{u"Arial"_s, 10, false});
    double h10 = 0;
    for (const PageView& v : {PageView{1, 0, 0}, PageView{0.78f, 8, -20}, PageView{0.5f, 0, 0}}) {
        SCOPED_TRACE(v.zoom);
        const QString file = dir.path(u"zoom%1.pdf"_s.arg(v.zoom));
        ASSERT_TRUE(PdfOutput::write({page}, v, file, nullptr));
        // A4 without page margins: x = 20 mm at zoom 1 is 56.69 pt.
        EXPECT_EQ(PdfProbe::pageSize(file), u"595 x 842"_s);
        const auto words = PdfProbe::words(file);
        const auto* venti = PdfProbe::find(words, u"Venti"_s);
        const auto* grande = PdfProbe::find(words, u"Grande"_s);
        const auto* piccolo = PdfProbe::find(words, u"Piccolo"_s);
        ASSERT_TRUE(venti && grande && piccolo);
        const double top = (v.scorrimento + 30) * v.zoom * kPt;
        EXPECT_NEAR(venti->xMin, (v.margine + 20) * v.zoom * kPt, 0.6);
        // The text hangs from its top-left corner: the box starts at y and not above it.
        EXPECT_NEAR(venti->yMin, top, 1.0);
        EXPECT_GE(venti->yMin, top - 0.3);
        const double h = piccolo->yMax - piccolo->yMin;
        EXPECT_NEAR((grande->yMax - grande->yMin) / h, 2.0, 0.1);
        // A 10-point line is about 11.5 points tall, not millimetres or pixels blown up.
        h10 = h10 == 0 ? h : h10;
        EXPECT_TRUE(h10 > 9.0 && h10 < 13.0) << h10;
        EXPECT_NEAR(h / h10, v.zoom, 0.05);
    }
}

TEST(PageRenderer, LayoutFontsBecomeTheirEmbeddedMetricTwins)
{
    TestWorkDir dir(false);
    // Arial Black is heavy even without its own face.
    const std::pair<PrintFont, QString> cases[] = {{{u"Arial"_s, 10, false}, u"LiberationSans"_s},
                                                   {{u"Arial"_s, 10, true}, u"LiberationSans-Bold"_s},
                                                   {{u"Arial Black"_s, 11, false}, u"LiberationSans-Bold"_s},
                                                   {{u"Times New Roman"_s, 14, false}, u"LiberationSerif"_s}};
    for (const auto& [font, face] : cases) {
        SCOPED_TRACE(font.family.toStdString());
        Page page;
        // Accented letters, the euro and a kerned pair copy back as typed and end where the layout measured.
        const QString text = u"Prova Città € 1.234,56 «AVVOLGIBILE»"_s;
        page.text(10, 10, text, font);
        const QString file = dir.path(font.family + u".pdf"_s);
        ASSERT_TRUE(PdfOutput::write({page}, PageView(), file, nullptr));
        const auto fonts = PdfProbe::fonts(file);
        // Nothing falls back to an unrelated face.
        ASSERT_EQ(fonts.size(), 1u);
        EXPECT_EQ(fonts[0].name.section(u'+', -1).toStdString(), face.toStdString());
        EXPECT_TRUE(fonts[0].embedded);
        const auto words = PdfProbe::words(file);
        QStringList copied;
        for (const auto& w : words)
            copied << w.text;
        EXPECT_EQ(copied.join(u' ').toStdString(), text.toStdString());
        ASSERT_FALSE(words.empty());
        EXPECT_NEAR(words.back().xMax - words.front().xMin, PageRenderer::textWidth(text, font) * kPt, 0.3);
    }
}

TEST(PageRenderer, ShapesAndPicturesAreDrawnWhereTheySay)
{
    QImage red(4, 4, QImage::Format_ARGB32);
    red.fill(Qt::red);
    for (int x = 0; x < 4; ++x)
        red.setPixelColor(x, 0, Qt::transparent);
    Page p;
    p.rect(10, 10, 50, 30, true, Qt::blue);
    p.rect(60, 10, 100, 30, false);
    p.line(10, 100, 200, 100);
    p.picture(120, 150, 30, 30, red);
    // White over the sides of an outline leaves only its corner marks, with nothing of the stroke showing.
    p.rect(60, 50, 100, 80, false);
    p.rect(60, 53, 100, 77, true, Qt::white);
    // On screen through the painter, and in the PDF as poppler draws it: an A4 sheet at one pixel per
    // 0.1 mm either way, so positions read as millimetres times ten.
    TestWorkDir dir(false);
    for (const bool pdf : {false, true}) {
        SCOPED_TRACE(pdf ? "pdf" : "painter");
        QImage image(2100, 2970, QImage::Format_RGB32);
        if (pdf) {
            const QString file = dir.path(u"forme.pdf"_s);
            ASSERT_TRUE(PdfOutput::write({p}, PageView(), file, nullptr));
            PdfProbe::run(u"pdftoppm"_s, {u"-r"_s, u"254"_s, u"-png"_s, u"-singlefile"_s, file, dir.path(u"forme"_s)});
            ASSERT_TRUE(image.load(dir.path(u"forme.png"_s)));
            image = image.convertToFormat(QImage::Format_RGB32);
        } else {
            image.setDotsPerMeterX(10000);
            image.setDotsPerMeterY(10000);
            image.fill(Qt::white);
            QPainter painter(&image);
            PageRenderer(painter).draw(p, PageView());
        }
        EXPECT_EQ(image.pixelColor(300, 200), QColor(Qt::blue));
        EXPECT_EQ(image.pixelColor(800, 200), QColor(Qt::white));
        EXPECT_NE(image.pixelColor(600, 200), QColor(Qt::white));
        EXPECT_NE(image.pixelColor(1000, 1000), QColor(Qt::white));
        EXPECT_EQ(image.pixelColor(1000, 1050), QColor(Qt::white));
        for (int x = 595; x <= 605; ++x)
            for (int right : {0, 400})
                EXPECT_EQ(image.pixelColor(x + right, 650), QColor(Qt::white)) << x + right;
        EXPECT_NE(image.pixelColor(600, 510), QColor(Qt::white));
        EXPECT_NE(image.pixelColor(1000, 790), QColor(Qt::white));
        // The picture is stretched over 30 x 30 mm from (120, 150); its see-through half shows the sheet.
        EXPECT_EQ(image.pixelColor(1490, 1790), QColor(Qt::red));
        EXPECT_EQ(image.pixelColor(1460, 1530), QColor(Qt::white));
        EXPECT_EQ(image.pixelColor(1510, 1790), QColor(Qt::white));
        EXPECT_EQ(image.pixelColor(1190, 1490), QColor(Qt::white));
    }
}

TEST(Printers, OursFollowsTheSystemOnesAndOnlyTheExactNameBecomesCurrent)
{
    PrinterEnv env;
    const QStringList system = QPrinterInfo::availablePrinterNames();
    EXPECT_EQ(Printers::installed(), system.contains(kPdf) ? system : system + QStringList{kPdf});
    const QString systemDefault = QPrinterInfo::defaultPrinterName();
    EXPECT_EQ(Printers::current(), systemDefault.isEmpty() ? kPdf : systemDefault);
    EXPECT_TRUE(Printers::impostaStampante(nullptr, kPdf));
    EXPECT_TRUE(Printers::currentIsPdf());
    EXPECT_TRUE(env.dlg.messages.empty());
    // Another case, or no name at all, is unknown and the current printer stays.
    for (const auto& [nome, shown] : {std::pair{u"cutepdf writer"_s, u"CUTEPDF WRITER"_s}, {QString(), QString()}}) {
        EXPECT_FALSE(Printers::impostaStampante(nullptr, nome));
        const auto& m = env.dlg.messages.back();
        EXPECT_EQ(std::tie(m.text, m.title, m.icon, m.buttons),
                  std::tuple(u"La stampante '%1' non esiste"_s.arg(shown), u"Errore"_s, Dialogs::Icon::Critical,
                             Dialogs::Buttons::Ok));
        EXPECT_EQ(Printers::current(), kPdf);
    }
}

TEST(PdfPrinter, SuggestedNamesStayInsideTheFolder)
{
    // Without an expected name only the folder is checked.
    // clang-format off
    const std::pair<QString, QString> names[] = {
        {"Fattura_12-09.pdf", "Fattura_12-09.pdf"}, {"../segreto", "-segreto.pdf"}, {"..", "Documento.pdf"},
        {"Fattura_../../etc/passwd.pdf", "Fattura_.-.-etc-passwd.pdf"}, {"a\\b", "a-b.pdf"},
        {"", "Documento.pdf"}, {".nascosto", "nascosto.pdf"}, {"Riga uno\nriga due", "Riga uno.pdf"},
        {"../../x", ""}, {"a/../../b", ""}, {"....//..//", ""}};
    // clang-format on
    for (const auto& [suggested, expected] : names) {
        const QString safe = PdfPrinter::safeFileName(suggested);
        EXPECT_TRUE(expected.isEmpty() || safe == expected) << safe.toStdString();
        EXPECT_FALSE(safe.contains(u".."_s)) << safe.toStdString();
        EXPECT_EQ(QFileInfo(QDir(u"/tmp/cartella"_s).filePath(safe)).absolutePath(), u"/tmp/cartella"_s);
    }
}

TEST(PdfPrinter, ProposesTheGivenNameInTheLastFolderCancelsQuietlyAndReportsFailuresAs482)
{
    PrinterEnv env;
    // Whatever the user copied last is not a file name.
    QGuiApplication::clipboard()->setText(u"Via Roma 3, Forlì"_s);
    QDir().mkpath(env.dir.path(u"uscita"_s));
    env.dlg.chooseFile(env.dir.path(u"uscita/fattura"_s));
    EXPECT_EQ(env.print(), PdfPrinter::Outcome::Written);
    EXPECT_EQ(env.dlg.proposedFiles, QStringList{env.dir.path(u"Fattura_3-25.pdf"_s)});
    // The suffix is added when the user leaves it out.
    const QString written = env.dir.path(u"uscita/fattura.pdf"_s);
    EXPECT_EQ(PdfProbe::pages(written), 2);
    EXPECT_NE(PdfProbe::find(PdfProbe::words(written), u"Secondo"_s, 2), nullptr);
    EXPECT_EQ(PdfPrinter::lastFolder(), env.dir.path(u"uscita"_s));

    // The next file is proposed where the last one went; cancelling writes nothing and says nothing.
    EXPECT_EQ(env.print(), PdfPrinter::Outcome::Cancelled);
    ASSERT_EQ(env.dlg.proposedFiles.size(), 2);
    EXPECT_TRUE(env.dlg.proposedFiles[1].startsWith(env.dir.path(u"uscita/"_s)));
    EXPECT_EQ(QDir(env.dir.path()).entryList(QDir::Files), QStringList());
    EXPECT_EQ(QDir(env.dir.path(u"uscita"_s)).entryList(QDir::Files), QStringList{"fattura.pdf"});
    EXPECT_TRUE(env.dlg.messages.empty());

    env.dlg.chooseFile(env.dir.path(u"manca/dentro.pdf"_s));
    EXPECT_EQ(env.print(), PdfPrinter::Outcome::Failed);
    ASSERT_EQ(env.dlg.messages.size(), 1u);
    const auto& m = env.dlg.messages[0];
    EXPECT_EQ(std::tie(m.title, m.icon), std::tuple(u"Errore 482"_s, Dialogs::Icon::Critical));
    EXPECT_TRUE(m.text.startsWith(u"Errore della stampante: "_s)) << m.text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(env.dir.path(u"manca/dentro.pdf"_s)));
}

TEST(PdfCommand, WritesTheCustomerSheetFoundWithoutCaseAndExplainsEveryFailureWithoutAFile)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    ASSERT_FALSE(Database::exec(u"INSERT INTO Anagrafica (Nome, Ragione, Piva, Cf, Indirizzo, Cap, Città, Prov, Valid) "
                                "VALUES ('CITTÀ NUOVA', 'Città Nuova Srl', '0999', 'CTN', 'Via Verdi 2', '40100', "
                                "'Bologna', 'BO', 1), ('CANCELLATO', 'Vecchio', '', '', '', '', '', '', 0)"_s));
    const QString out = dir.path(u"scheda.pdf"_s);
    const QString bad = dir.path(u"manca/scheda.pdf"_s);
    // The status and every fragment of the message; an unknown kind lists the known ones.
    const std::tuple<QStringList, int, QStringList> cases[] = {
        {{"anagrafica", "città nuova", "-o", out}, 0, {}},
        {{"pdf", "-o", out, "ANAGRAFICA", "CITTÀ NUOVA"}, 0, {}},
        {{"ricevuta", "1/25", "-o", out}, 1, {"Tipo di documento sconosciuto: \"ricevuta\"", "anagrafica"}},
        {{"anagrafica", "NESSUNO", "-o", out}, 1, {"Cliente \"NESSUNO\" non trovato"}},
        {{"anagrafica", "CANCELLATO", "-o", out}, 1, {"Cliente \"CANCELLATO\" non trovato"}},
        // A name is matched literally, not as a pattern.
        {{"anagrafica", "CITT%", "-o", out}, 1, {"Cliente \"CITT%\" non trovato"}},
        {{"anagrafica", "CITTÀ NUOVA"}, 1, {"Uso: corvalisto"}},
        {{"anagrafica", "-o"}, 1, {"Uso: corvalisto"}},
        {{"anagrafica", "CITTÀ NUOVA", "-o", bad}, 1, {"Impossibile scrivere"}}};
    for (const auto& [args, status, fragments] : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        QFile::remove(out);
        QString errors;
        QTextStream err(&errors);
        EXPECT_EQ(PdfCommand::run(args, err), status);
        err.flush();
        for (const QString& fragment : fragments)
            EXPECT_TRUE(errors.contains(fragment)) << errors.toStdString();
        EXPECT_EQ(errors.isEmpty(), status == 0) << errors.toStdString();
        EXPECT_EQ(QFile::exists(out), status == 0);
        EXPECT_FALSE(QFile::exists(bad));
        if (status != 0)
            continue;
        const auto words = PdfProbe::words(out);
        EXPECT_EQ(PdfProbe::pages(out), 1);
        const auto* codice = PdfProbe::find(words, u"0001"_s);
        ASSERT_NE(codice, nullptr);
        // The same page as a print: full size, value column at 40 mm.
        EXPECT_NEAR(codice->xMin, 40 * kPt, 0.6);
    }
}

TEST(RegisterLayout, CellsAreCutAndAlignedByTheWidthTheyTakeOnPaper)
{
    TestWorkDir dir(false);
    // Wide capitals, wide and narrow small letters, Chinese: each cut where the name column ends
    // (less its 1.5 mm gap), not before a letter that would still fit.
    const QString names[] = {QString(60, u'W'), QString(60, u'M'), QString(60, u'm'), u"il"_s.repeated(60),
                             u"上海钢铁"_s.repeated(15)};
    RegisterTable t;
    t.titolo = u"REGISTRO FATTURE 2026"_s;
    t.colonne = {{u"Cliente"_s, 50, false}, {u"Data"_s, 20, false}, {u"Totale"_s, 25, true}};
    for (const QString& name : names)
        t.righe.append({name, u"05/03/26"_s, u"1.234,56"_s});
    const QString file = dir.path(u"registro.pdf"_s);
    ASSERT_TRUE(PdfOutput::write(RegisterLayout::layout(t, LayoutContext()), PageView(), file, nullptr));
    for (const auto& f : PdfProbe::fonts(file))
        EXPECT_TRUE(f.embedded) << f.name.toStdString();
    const auto words = PdfProbe::words(file);
    const double x0 = RegisterLayout::kX0;
    // No letter of a 9-point font is wider than 9 points.
    constexpr double kLetter = 9 / 72.0 * 25.4;
    for (std::size_t r = 0; r < std::size(names); ++r) {
        SCOPED_TRACE(r);
        const double top = (RegisterLayout::kPrimaRigaY + RegisterLayout::kPassoRiga * r) * kPt;
        std::vector<PdfProbe::Word> row;
        for (const auto& w : words)
            if (w.yMin >= top - 1 && w.yMax <= top + RegisterLayout::kPassoRiga * kPt)
                row.push_back(w);
        ASSERT_GE(row.size(), 3u);
        // Chinese letters may come back as several words: the name is all before the date.
        const auto date = std::find_if(row.begin(), row.end(), [](const auto& w) { return w.text == u"05/03/26"_s; });
        ASSERT_NE(date, row.end());
        double nameEnd = 0;
        QString printed;
        for (const auto& w : row)
            if (w.xMin < date->xMin) {
                nameEnd = std::max(nameEnd, w.xMax);
                printed += w.text;
            }
        EXPECT_TRUE(names[r].startsWith(printed) && !printed.isEmpty()) << printed.toStdString();
        EXPECT_LE(nameEnd, (x0 + 50 - 1.5) * kPt + 0.3);
        EXPECT_GE(nameEnd, (x0 + 50 - 1.5 - kLetter) * kPt);
        EXPECT_NEAR(date->xMin, (x0 + 50) * kPt, 0.6);
        const auto* amount = &row.back();
        EXPECT_EQ(amount->text, u"1.234,56"_s);
        EXPECT_NEAR(amount->xMax, (x0 + 95 - 1.5) * kPt, 0.3);
    }
}

TEST(PdfCommand, NamesInScriptsTheMainFontsLackPrintWithAnEmbeddedFallback)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    ASSERT_FALSE(PageRenderer::fallbackFamily().isEmpty()) << "scripts/setup.sh installs the fallback font";
    const QString names[] = {u"上海钢铁有限公司"_s, u"Łódź Stal"_s, u"Москва Металл"_s, u"Αθήνα Σίδηρος"_s,
                             u"東京 製鉄所"_s};
    const QString out = dir.path(u"scheda.pdf"_s);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_FALSE(Database::exec(u"INSERT INTO Anagrafica (Nome, Ragione, Piva, Cf, Indirizzo, Cap, Città, Prov, "
                                    "Valid) VALUES (?, ?, '', '', '', '', '', '', 1)"_s,
                                    {name, name}));
        QString errors;
        QTextStream err(&errors);
        // The output named either way.
        const QStringList output = name.startsWith(u'Ł') ? QStringList{u"--output="_s + out} : QStringList{u"-o"_s, out};
        QFile::remove(out);
        ASSERT_EQ(PdfCommand::run(QStringList{u"anagrafica"_s, name} + output, err), 0) << errors.toStdString();
        QString printed;
        for (const auto& w : PdfProbe::words(out))
            printed += w.text + u' ';
        // The name twice: as the customer's short name and as the company name.
        EXPECT_EQ(printed.count(name), 2) << printed.toStdString();
        // Latin, Greek and Cyrillic stay in the layout's face; only the rest come from the fallback.
        const QString fallback = PageRenderer::fallbackFamily().remove(u' ');
        for (const auto& f : PdfProbe::fonts(out)) {
            const QString face = f.name.section(u'+', -1);
            EXPECT_TRUE(face.startsWith(u"LiberationSans"_s) || face == fallback) << face.toStdString();
            EXPECT_TRUE(f.embedded) << f.name.toStdString();
        }
    }
}

TEST(PrintMargin, AMarginTheSheetCannotHoldIsIgnoredAndTheDefaultKept)
{
    TestWorkDir dir(false);
    // The margin read, or the default 0 with the rest of the file unread as for any value of the wrong type.
    const std::pair<QByteArray, float> payloads[] = {
        {"12.5", 12.5f}, {"-3", -3},  {"105", 105}, {"nan", 0},     {"-nan", 0},  {"inf", 0},   {"-inf", 0},
        {"1e38", 0},     {"1e39", 0}, {"-500", 0},  {"1000000", 0}, {"105.5", 0}, {"\"10\"", 0}};
    RegisterTable t;
    t.titolo = u"REGISTRO"_s;
    for (const auto& [payload, margin] : payloads) {
        SCOPED_TRACE(payload.toStdString());
        app().margineLaterale = 0;
        app().logoColori = false;
        dir.write(u"Corvalisto.ini"_s, payload + ",\"Margine laterale stampe\"\r\n#TRUE#,\"Logo a colori\"\r\n");
        SettingsFiles::ini(u"carica"_s);
        EXPECT_EQ(app().margineLaterale, margin);
        EXPECT_EQ(app().logoColori, margin != 0);
        const QString file = dir.path(u"margine.pdf"_s);
        ASSERT_TRUE(PdfOutput::write(RegisterLayout::layout(t, LayoutContext()),
                                     LayoutRegistry::printView(RegisterLayout::kTipo), file, nullptr));
        const auto* title = PdfProbe::find(PdfProbe::words(file), u"REGISTRO"_s);
        ASSERT_NE(title, nullptr);
        EXPECT_NEAR(title->xMin, (margin + RegisterLayout::kX0) * kPt, 0.6);
    }
}
