// The help, the manual page and the README's "Command line" list the same commands and
// options; the help and the version answer where there is no display.
#include <gtest/gtest.h>

#include "workdir.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

#include <functional>

namespace {

// What a set of synopses names: commands by their literal words ("pdf registro-ddt",
// "xml anno", "init"), options by their dashed names.
struct Listed {
    QSet<QString> commands;
    QSet<QString> options;
};

void addSynopsis(Listed& listed, QString line)
{
    line.remove(QRegularExpression(QStringLiteral(R"(\\f[BIRP])")));
    line.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    line.replace(QRegularExpression(QStringLiteral(R"([\[\]|,])")), QStringLiteral(" "));
    static const QRegularExpression literal(QStringLiteral("^[a-z][a-z0-9-]*$"));
    QStringList command;
    bool ended = false;
    for (const QString& token : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (token.startsWith(QLatin1Char('-'))) {
            listed.options.insert(token);
            ended = ended || !command.isEmpty();
        } else if (literal.match(token).hasMatch() && token != QStringLiteral("corvalisto") && !ended) {
            command << token;
        } else if (!command.isEmpty()) {
            ended = true;
        }
    }
    if (!command.isEmpty())
        listed.commands.insert(command.join(QLatin1Char(' ')));
}

QString sourceText(const char* relative)
{
    QFile f(QStringLiteral(CORVALISTO_SOURCE_DIR "/") + QString::fromUtf8(relative));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << relative;
    return QString::fromUtf8(f.readAll());
}

// Run as from a terminal without a display.
QProcess* runWithoutDisplay(QProcess& p, const QString& argument)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QString::fromLatin1(name));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(CORVALISTO_EXE), {argument});
    EXPECT_TRUE(p.waitForFinished(30000));
    return &p;
}

// Help: the lines indented by exactly two spaces are the synopses.
Listed fromHelp()
{
    QProcess p;
    runWithoutDisplay(p, QStringLiteral("--help"));
    Listed listed;
    static const QRegularExpression synopsis(QStringLiteral("^  (\\S.*)$"));
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (const auto m = synopsis.match(line); m.hasMatch())
            addSynopsis(listed, m.captured(1));
    return listed;
}

// Manual page: the tag line after each .TP of the COMANDI and OPZIONI sections.
Listed fromManual()
{
    Listed listed;
    bool inside = false;
    bool tag = false;
    for (const QString& line : sourceText("packaging/corvalisto.1.in").split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral(".SH")))
            inside = line == QStringLiteral(".SH COMANDI") || line == QStringLiteral(".SH OPZIONI");
        else if (inside && tag)
            addSynopsis(listed, line);
        tag = inside && line == QStringLiteral(".TP");
    }
    return listed;
}

// README: the usage lines of the block under "## Command line".
Listed fromReadme()
{
    const QString text = sourceText("README.md");
    const qsizetype section = text.indexOf(QStringLiteral("## Command line"));
    const qsizetype open = text.indexOf(QStringLiteral("```"), section);
    const qsizetype close = text.indexOf(QStringLiteral("```"), open + 3);
    Listed listed;
    if (section < 0 || open < 0 || close < 0)
        return listed;
    for (const QString& line : text.mid(open + 3, close - open - 3).split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("corvalisto ")))
            addSynopsis(listed, line);
    return listed;
}

// Sorted and joined, so that a failure shows what differs.
std::string text(const QSet<QString>& set)
{
    QStringList list(set.begin(), set.end());
    list.sort();
    return list.join(QStringLiteral(" | ")).toStdString();
}

struct Source {
    const char* name;
    std::function<Listed()> read;
    bool allOptions; // false: a subset of the help's options will do
};

TEST(Usage, ManualAndReadmeListWhatTheHelpLists)
{
    const Listed help = fromHelp();
    // Enough to show the reading works: a dozen options, every command.
    ASSERT_GE(help.options.size(), 12);
    ASSERT_GE(help.commands.size(), 8);
    const Source sources[] = {
        {"manuale corvalisto.1", fromManual, true},
        {"README, Command line", fromReadme, false},
    };
    for (const Source& source : sources) {
        SCOPED_TRACE(source.name);
        const Listed listed = source.read();
        EXPECT_EQ(text(listed.commands), text(help.commands));
        if (source.allOptions)
            EXPECT_EQ(text(listed.options), text(help.options));
        else
            EXPECT_TRUE(help.options.contains(listed.options)) << text(listed.options);
        EXPECT_FALSE(listed.options.isEmpty());
    }
}

TEST(Usage, HelpAndVersionAnswerWithoutADisplay)
{
    const struct {
        const char* argument;
        QByteArray starts;
    } cases[] = {
        {"--help", "Uso: corvalisto"},
        {"-h", "Uso: corvalisto"},
        {"--version", "Corvalisto " CORVALISTO_VERSION "\n"},
        {"-v", "Corvalisto " CORVALISTO_VERSION "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        QProcess p;
        runWithoutDisplay(p, QString::fromLatin1(c.argument));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0);
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_TRUE(out.startsWith(QString::fromUtf8(c.starts)));
        // Descriptions fill their lines up to 80 columns and no further.
        const QStringList lines = out.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            EXPECT_LE(lines[i].size(), 80) << lines[i].toStdString();
            const QString next = i + 1 < lines.size() ? lines[i + 1] : QString();
            if (lines[i].startsWith(QStringLiteral("      ")) && next.startsWith(QStringLiteral("      ")))
                EXPECT_GT(lines[i].size() + 1 + next.trimmed().section(QLatin1Char(' '), 0, 0).size(), 80)
                    << lines[i].toStdString();
        }
    }
}

// A mistaken option, value or folder is named in Italian, and the command creates nothing.
TEST(Usage, AMistakenCommandLineIsNamedInItalianAndCreatesNothing)
{
    TestWorkDir data; // a database, for the commands that get as far as reading it
    TestWorkDir empty(false);
    const QString out = empty.path(QStringLiteral("elenco.csv"));
    const QStringList csv{QStringLiteral("csv"), QStringLiteral("fatture")};
    const struct {
        QStringList arguments;
        bool onData; // run on the folder with the database
        int exitCode;
        QByteArray says;
    } cases[] = {
        {{QStringLiteral("--cartella"), QStringLiteral("x")},
         false,
         1,
         "Opzione sconosciuta: --cartella\nL'elenco delle opzioni: corvalisto --help"},
        {{QStringLiteral("-x")}, false, 1, "Opzione sconosciuta: -x\nL'elenco delle opzioni: corvalisto --help"},
        {{QStringLiteral("--dir")}, false, 1, "Manca il valore di un'opzione.\nL'elenco delle opzioni"},
        {{QStringLiteral("--dir"), QStringLiteral("a\x01")}, false, 1, "L'argomento 2 della riga di comando contiene"},
        {{QStringLiteral("--dir"), empty.path(QStringLiteral("non/esiste")), QStringLiteral("pdf"),
          QStringLiteral("fattura"), QStringLiteral("1/25"), QStringLiteral("-o"), out},
         false,
         1,
         "non esiste"},
        {QStringList{QStringLiteral("--dir"), empty.path()} + csv +
             QStringList{QStringLiteral("2026"), QStringLiteral("-o"), out},
         false, 1, "Database non trovato"},
        {csv + QStringList{QStringLiteral("2026"), QStringLiteral("-o"), out, QStringLiteral("--cliente"),
                           QStringLiteral("0")},
         true, 1, "Codice cliente non valido: \"0\"."},
        {csv + QStringList{QStringLiteral("10000"), QStringLiteral("-o"), out}, true, 1, "Anno non valido"},
        {csv + QStringList{QStringLiteral("9999"), QStringLiteral("-o"), out}, true, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        QFile::remove(out);
        QProcess p;
        p.start(QStringLiteral(CORVALISTO_EXE),
                c.onData
                    ? TestWorkDir::databaseOptions() + QStringList{QStringLiteral("--dir"), data.path()} + c.arguments
                    : c.arguments);
        ASSERT_TRUE(p.waitForFinished(30000));
        const QByteArray err = p.readAllStandardError();
        EXPECT_EQ(p.exitCode(), c.exitCode) << err.toStdString();
        EXPECT_TRUE(err.contains(c.says)) << err.toStdString();
        EXPECT_EQ(QFileInfo::exists(out), c.exitCode == 0);
    }
    EXPECT_FALSE(QFileInfo::exists(empty.path(QStringLiteral("non"))));
}

} // namespace
