#include "pdfprobe.h"
#include "printing/pdfprinter.h"
#include "scripteddialogs.h"
#include "workdir.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

std::vector<Page> twoPages()
{
    std::vector<Page> pages(2);
    pages[0].text(20, 20, QStringLiteral("Primo"));
    pages[1].text(20, 20, QStringLiteral("Secondo"));
    return pages;
}

} // namespace

TEST(PdfPrinter, SuggestedNamesStayInsideTheFolder)
{
    EXPECT_EQ(PdfPrinter::safeFileName(QStringLiteral("Fattura_12-09.pdf")), QStringLiteral("Fattura_12-09.pdf"));
    EXPECT_EQ(PdfPrinter::safeFileName(QStringLiteral("Fattura_../../etc/passwd.pdf")), QStringLiteral("Fattura_.-.-etc-passwd.pdf"));
    EXPECT_EQ(PdfPrinter::safeFileName(QStringLiteral("../segreto")), QStringLiteral("-segreto.pdf"));
    EXPECT_EQ(PdfPrinter::safeFileName(QStringLiteral("..")), QStringLiteral("Documento.pdf"));
    EXPECT_EQ(PdfPrinter::safeFileName(QStringLiteral("a\\b")), QStringLiteral("a-b.pdf"));
    EXPECT_EQ(PdfPrinter::safeFileName(QStringLiteral(".nascosto")), QStringLiteral("nascosto.pdf"));
    EXPECT_EQ(PdfPrinter::safeFileName(QString()), QStringLiteral("Documento.pdf"));
    EXPECT_EQ(PdfPrinter::safeFileName(QStringLiteral("Riga uno\nriga due")), QStringLiteral("Riga uno.pdf"));
    for (const QString& s : {QStringLiteral("../../x"), QStringLiteral("a/../../b"), QStringLiteral("....//..//")}) {
        const QString safe = PdfPrinter::safeFileName(s);
        EXPECT_FALSE(safe.contains(QLatin1Char('/'))) << safe.toStdString();
        EXPECT_FALSE(safe.contains(QStringLiteral(".."))) << safe.toStdString();
        EXPECT_EQ(QFileInfo(QDir(QStringLiteral("/tmp/cartella")).filePath(safe)).absolutePath(), QStringLiteral("/tmp/cartella"));
    }
}

TEST(PdfPrinter, ProposesTheClipboardNameInTheLastFolderAndWritesEveryPage)
{
    TestWorkDir dir(false);
    ScriptedDialogs dlg;
    PdfPrinter::setLastFolder(dir.path());
    QGuiApplication::clipboard()->setText(QStringLiteral("Fattura_3/25"));
    QDir().mkpath(dir.path(QStringLiteral("uscita")));
    dlg.chooseFile(dir.path(QStringLiteral("uscita/fattura")));
    EXPECT_EQ(PdfPrinter::print(nullptr, twoPages(), PageView()), PdfPrinter::Outcome::Written);
    ASSERT_EQ(dlg.proposedFiles.size(), 1);
    EXPECT_EQ(dlg.proposedFiles[0], QDir(dir.path()).filePath(QStringLiteral("Fattura_3-25.pdf")));
    // The suffix is added when the user leaves it out.
    const QString written = dir.path(QStringLiteral("uscita/fattura.pdf"));
    EXPECT_EQ(PdfProbe::pages(written), 2);
    EXPECT_NE(PdfProbe::find(PdfProbe::words(written), QStringLiteral("Secondo"), 2), nullptr);
    EXPECT_TRUE(dlg.messages.empty());
    EXPECT_EQ(PdfPrinter::lastFolder(), dir.path(QStringLiteral("uscita")));

    // The next file is proposed where the last one went.
    dlg.chooseFile(QString());
    PdfPrinter::print(nullptr, twoPages(), PageView());
    EXPECT_TRUE(dlg.proposedFiles[1].startsWith(dir.path(QStringLiteral("uscita/"))));
}

TEST(PdfPrinter, CancellingWritesNothingAndSaysNothing)
{
    TestWorkDir dir(false);
    ScriptedDialogs dlg;
    PdfPrinter::setLastFolder(dir.path());
    EXPECT_EQ(PdfPrinter::print(nullptr, twoPages(), PageView()), PdfPrinter::Outcome::Cancelled);
    EXPECT_EQ(dlg.proposedFiles.size(), 1);
    EXPECT_TRUE(dlg.messages.empty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(PdfPrinter, AFileThatCannotBeWrittenIsPrinterError482)
{
    TestWorkDir dir(false);
    ScriptedDialogs dlg;
    dlg.chooseFile(dir.path(QStringLiteral("manca/dentro.pdf")));
    EXPECT_EQ(PdfPrinter::print(nullptr, twoPages(), PageView()), PdfPrinter::Outcome::Failed);
    ASSERT_EQ(dlg.messages.size(), 1u);
    EXPECT_EQ(dlg.messages[0].title, QStringLiteral("Errore 482"));
    EXPECT_TRUE(dlg.messages[0].text.startsWith(QStringLiteral("Errore della stampante"))) << dlg.messages[0].text.toStdString();
    EXPECT_EQ(dlg.messages[0].icon, Dialogs::Icon::Critical);
    EXPECT_FALSE(QFile::exists(dir.path(QStringLiteral("manca/dentro.pdf"))));
}

TEST(PdfPrinter, AFailedWriteLeavesAnEarlierFileIntact)
{
    TestWorkDir dir(false);
    ScriptedDialogs dlg;
    dir.write(QStringLiteral("sola/lettura.pdf"), "vecchio");
    QFile::setPermissions(dir.path(QStringLiteral("sola")), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    dlg.chooseFile(dir.path(QStringLiteral("sola/lettura.pdf")));
    const auto outcome = PdfPrinter::print(nullptr, twoPages(), PageView());
    QFile::setPermissions(dir.path(QStringLiteral("sola")), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (outcome == PdfPrinter::Outcome::Written)
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    EXPECT_EQ(outcome, PdfPrinter::Outcome::Failed);
    EXPECT_EQ(dir.read(QStringLiteral("sola/lettura.pdf")), QByteArray("vecchio"));
    EXPECT_EQ(dlg.messages.size(), 1u);
}
