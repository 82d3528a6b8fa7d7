#include "shell/appstate.h"
#include "shell/settingsfiles.h"
#include "workdir.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

class SettingsFilesTest : public ::testing::Test {
protected:
    TestWorkDir dir{false};
};

TEST_F(SettingsFilesTest, WritesTheExactFormat)
{
    app().margineLaterale = 10;
    app().logoColori = true;
    app().secondario = false;
    app().percorsoBackup = QStringLiteral("/srv/copie");
    SettingsFiles::ini(QStringLiteral("salva"));
    EXPECT_EQ(dir.read(QStringLiteral("Corvalisto.ini")),
              QByteArray("10,\"Margine laterale stampe\"\r\n#TRUE#,\"Logo a colori\"\r\n"
                         "#FALSE#,\"Secondario\"\r\n\"/srv/copie\",\"Percorso backup\"\r\n"));

    app().stampantePredefinita = QStringLiteral("HP LaserJet, ufficio");
    SettingsFiles::printerIni(QStringLiteral("salva"));
    EXPECT_EQ(dir.read(QStringLiteral("Printer.ini")),
              QByteArray("\"HP LaserJet, ufficio\",\"Stampante Pred.Programma\"\r\n"));
}

TEST_F(SettingsFilesTest, RoundTripsWithPointDecimalsInAnyLocale)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    app().margineLaterale = 12.5f;
    app().secondario = true;
    SettingsFiles::ini(QStringLiteral("salva"));
    const QByteArray first = dir.read(QStringLiteral("Corvalisto.ini"));
    EXPECT_TRUE(first.startsWith("12.5,")) << first.constData();

    app() = AppState();
    app().workDir = dir.path();
    SettingsFiles::ini(QStringLiteral("carica"));
    EXPECT_FLOAT_EQ(app().margineLaterale, 12.5f);
    EXPECT_FALSE(app().logoColori);
    EXPECT_TRUE(app().secondario);
    EXPECT_EQ(app().percorsoBackup, QString());

    // Toggling the logo twice gives back the same file.
    app().logoColori = !app().logoColori;
    SettingsFiles::ini(QStringLiteral("salva"));
    app().logoColori = !app().logoColori;
    SettingsFiles::ini(QStringLiteral("salva"));
    EXPECT_EQ(dir.read(QStringLiteral("Corvalisto.ini")), first);
    QLocale::setDefault(QLocale::c());
}

TEST_F(SettingsFilesTest, OddFilesKeepWhatWasReadBeforeTheError)
{
    // Three lines: the backup folder stays as it was.
    dir.write(QStringLiteral("Corvalisto.ini"), "7,\"Margine\"\r\n#TRUE#,\"Logo\"\r\n#TRUE#,\"Secondaro\"\r\n");
    app().percorsoBackup = QStringLiteral("prima");
    SettingsFiles::ini(QStringLiteral("carica"));
    EXPECT_FLOAT_EQ(app().margineLaterale, 7);
    EXPECT_TRUE(app().logoColori);
    EXPECT_TRUE(app().secondario);
    EXPECT_EQ(app().percorsoBackup, QStringLiteral("prima"));

    // Swapped lines: values go by position, so the second value is not a Boolean and reading stops.
    app() = AppState();
    app().workDir = dir.path();
    dir.write(QStringLiteral("Corvalisto.ini"),
              "3,\"Margine\"\r\n#FALSE#,\"Secondario\"\r\n\"/x\",\"Percorso backup\"\r\n#TRUE#,\"Logo\"\r\n");
    SettingsFiles::ini(QStringLiteral("carica"));
    EXPECT_FLOAT_EQ(app().margineLaterale, 3);
    EXPECT_FALSE(app().secondario);
    EXPECT_EQ(app().percorsoBackup, QString());

    // Garbage and a missing file change nothing.
    app() = AppState();
    app().workDir = dir.path();
    app().margineLaterale = 4;
    dir.write(QStringLiteral("Corvalisto.ini"), "\x01\x02garbage\r\nzz");
    SettingsFiles::ini(QStringLiteral("carica"));
    EXPECT_FLOAT_EQ(app().margineLaterale, 4);
    app().stampantePredefinita = QStringLiteral("Precedente");
    SettingsFiles::printerIni(QStringLiteral("carica"));
    EXPECT_EQ(app().stampantePredefinita, QStringLiteral("Precedente"));
}

TEST_F(SettingsFilesTest, PrinterNameWithACommaIsReadWhole)
{
    dir.write(QStringLiteral("Printer.ini"), "\"Epson, magazzino\",\"Stampante\"\r\n");
    SettingsFiles::printerIni(QStringLiteral("carica"));
    EXPECT_EQ(app().stampantePredefinita, QStringLiteral("Epson, magazzino"));
}

TEST_F(SettingsFilesTest, AnUnwritableFolderIsSilent)
{
    app().workDir = dir.path(QStringLiteral("non/esiste"));
    SettingsFiles::ini(QStringLiteral("salva"));
    SettingsFiles::printerIni(QStringLiteral("salva"));
    EXPECT_TRUE(dir.read(QStringLiteral("non/esiste/Corvalisto.ini")).isEmpty());
}

} // namespace
