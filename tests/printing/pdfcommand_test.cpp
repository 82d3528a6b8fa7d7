#include "data/database.h"
#include "pdfprobe.h"
#include "printing/pdfcommand.h"
#include "scripteddialogs.h"
#include "workdir.h"

#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

struct Command {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    QString errors;
    QTextStream err{&errors};

    Command()
    {
        EXPECT_FALSE(Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome, Ragione, Piva, Cf, Indirizzo, Cap, "
                                                   "Città, Prov) VALUES ('CITTÀ NUOVA', 'Città Nuova Srl', '0999', "
                                                   "'CTN', 'Via Verdi 2', '40100', 'Bologna', 'BO')")));
        EXPECT_FALSE(Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome, Ragione, Valid) VALUES "
                                                   "('CANCELLATO', 'Vecchio', 0)")));
    }
    QString out() const { return dir.path(QStringLiteral("scheda.pdf")); }
    int run(const QStringList& args)
    {
        const int status = PdfCommand::run(args, err);
        err.flush();
        return status;
    }
};

} // namespace

TEST(PdfCommand, WritesTheCustomerSheetFoundWithoutCase)
{
    Command c;
    EXPECT_EQ(c.run({QStringLiteral("anagrafica"), QStringLiteral("città nuova"), QStringLiteral("-o"), c.out()}), 0)
        << c.errors.toStdString();
    EXPECT_TRUE(c.errors.isEmpty());
    EXPECT_EQ(PdfProbe::pages(c.out()), 1);
    const auto words = PdfProbe::words(c.out());
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("ANAGRAFICA")), nullptr);
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("Bologna")), nullptr);
    const auto* codice = PdfProbe::find(words, QStringLiteral("0001"));
    ASSERT_NE(codice, nullptr);
    // The same page as a print: full size, no margin, value column at 40 mm.
    EXPECT_NEAR(codice->xMin, 40 * PdfProbe::kPointsPerMm, 0.6);
}

TEST(PdfCommand, AcceptsTheLeadingWordAndTheOutputFirst)
{
    Command c;
    EXPECT_EQ(c.run({QStringLiteral("pdf"), QStringLiteral("-o"), c.out(), QStringLiteral("ANAGRAFICA"),
                     QStringLiteral("CITTÀ NUOVA")}),
              0)
        << c.errors.toStdString();
    EXPECT_TRUE(QFile::exists(c.out()));
}

TEST(PdfCommand, UnknownKindFailsWithoutAFile)
{
    Command c;
    EXPECT_EQ(c.run({QStringLiteral("ricevuta"), QStringLiteral("1/25"), QStringLiteral("-o"), c.out()}), 1);
    EXPECT_TRUE(c.errors.contains(QStringLiteral("Tipo di documento sconosciuto"))) << c.errors.toStdString();
    EXPECT_TRUE(c.errors.contains(QStringLiteral("anagrafica")));
    EXPECT_FALSE(QFile::exists(c.out()));
}

TEST(PdfCommand, UnknownOrDeletedCustomerFailsWithoutAFile)
{
    Command c;
    EXPECT_EQ(c.run({QStringLiteral("anagrafica"), QStringLiteral("NESSUNO"), QStringLiteral("-o"), c.out()}), 1);
    EXPECT_TRUE(c.errors.contains(QStringLiteral("Cliente \"NESSUNO\" non trovato"))) << c.errors.toStdString();
    EXPECT_EQ(c.run({QStringLiteral("anagrafica"), QStringLiteral("CANCELLATO"), QStringLiteral("-o"), c.out()}), 1);
    // A name is matched literally, not as a pattern.
    EXPECT_EQ(c.run({QStringLiteral("anagrafica"), QStringLiteral("CITT%"), QStringLiteral("-o"), c.out()}), 1);
    EXPECT_FALSE(QFile::exists(c.out()));
}

TEST(PdfCommand, MissingWordsShowTheUsage)
{
    Command c;
    EXPECT_EQ(c.run({QStringLiteral("anagrafica"), QStringLiteral("CITTÀ NUOVA")}), 1);
    EXPECT_EQ(c.run({QStringLiteral("anagrafica"), QStringLiteral("-o")}), 1);
    EXPECT_TRUE(c.errors.contains(QStringLiteral("Uso: corvalisto")));
    EXPECT_FALSE(QFile::exists(c.out()));
}

TEST(PdfCommand, AnUnwritableFileIsReported)
{
    Command c;
    const QString bad = c.dir.path(QStringLiteral("manca/scheda.pdf"));
    EXPECT_EQ(c.run({QStringLiteral("anagrafica"), QStringLiteral("CITTÀ NUOVA"), QStringLiteral("-o"), bad}), 1);
    EXPECT_TRUE(c.errors.contains(QStringLiteral("Impossibile scrivere"))) << c.errors.toStdString();
}
