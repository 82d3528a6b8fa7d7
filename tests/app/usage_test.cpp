// The help, the manual page and the README's "Command line" list the same commands and
// options; the help and the version answer where there is no display.
#include <gtest/gtest.h>

#include "data/database.h"
#include "qstringprint.h"
#include "workdir.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <map>
#include <set>

namespace {

// What a set of synopses names: commands by their literal words ("pdf registro-ddt",
// "xml anno", "init"), options by their dashed names.
struct Listed {
    std::set<QString> commands;
    std::set<QString> options;
    std::map<QString, QString> texts; // entry -> its description as a reader sees it
};

// A roff line as the reader sees it: macros and font changes gone, escapes written out.
QString plain(QString line)
{
    static const QRegularExpression macro(QStringLiteral(R"(^\.([BI]|[BIR]{2}) (.*))"));
    static const QRegularExpression word(QStringLiteral(R"re("([^"]*)"|(\S+))re"));
    if (const auto m = macro.match(line); m.hasMatch()) {
        QStringList words;
        for (const QRegularExpressionMatch& w : word.globalMatch(m.captured(2)))
            words << w.captured(1) + w.captured(2);
        line = words.join(m.captured(1).size() == 1 ? QStringLiteral(" ") : QString());
    }
    line.remove(QRegularExpression(QStringLiteral(R"(\\f[BIRP])")));
    return line.replace(QStringLiteral("\\-"), QStringLiteral("-"))
        .replace(QStringLiteral("\\(dq"), QStringLiteral("\""))
        .replace(QStringLiteral("\\e"), QStringLiteral("\\"));
}

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

// What the program writes for one argument, run as from a terminal without a display.
QString answer(const char* argument)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QString::fromLatin1(name));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(CORVALISTO_EXE), {QString::fromLatin1(argument)});
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << argument;
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Manual page: the tag line after each .TP of the COMANDI and OPZIONI sections, which follow each other.
Listed fromManual()
{
    const QString page = sourceText("packaging/corvalisto.1.in");
    const qsizetype from = page.indexOf(QStringLiteral("\n.SH COMANDI\n"));
    const qsizetype to = page.indexOf(QStringLiteral("\n.SH "), page.indexOf(QStringLiteral("\n.SH OPZIONI\n")) + 1);
    Listed listed;
    const QStringList entries = page.mid(from, to - from).split(QStringLiteral("\n.TP\n"));
    for (qsizetype e = 1; e < entries.size(); ++e) {
        QStringList lines = entries[e].split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        addSynopsis(listed, lines.first());
        const QString entry = plain(lines.takeFirst());
        for (const QString& line : lines)
            if (!line.startsWith(QStringLiteral(".SH")))
                listed.texts[entry] += plain(line) + u' ';
    }
    return listed;
}

// README: the usage lines of the block under "## Command line".
Listed fromReadme()
{
    static const QRegularExpression block(QStringLiteral("## Command line\\s*```(.*?)```"),
                                          QRegularExpression::DotMatchesEverythingOption);
    Listed listed;
    for (const QString& line : block.match(sourceText("README.md")).captured(1).split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("corvalisto ")))
            addSynopsis(listed, line);
    return listed;
}

// The help answers without a display and fills its lines up to 80 columns; its synopses (the
// lines indented by exactly two spaces) are what the manual page and the README list.
TEST(Usage, ManualAndReadmeListWhatTheHelpLists)
{
    const QString help = answer("--help");
    EXPECT_TRUE(help.startsWith(QStringLiteral("Uso: corvalisto")));
    EXPECT_EQ(answer("-h"), help);
    for (const char* version : {"--version", "-v"})
        EXPECT_TRUE(answer(version).startsWith(QStringLiteral("Corvalisto " CORVALISTO_VERSION "\n"))) << version;
    const QStringList lines = help.split(QLatin1Char('\n'));
    Listed listed;
    QString entry;
    static const QRegularExpression synopsis(QStringLiteral("^  (\\S.*)$"));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto m = synopsis.match(lines[i]); m.hasMatch()) {
            addSynopsis(listed, m.captured(1));
            entry = m.captured(1);
        } else if (lines[i].startsWith(QStringLiteral("      "))) {
            listed.texts[entry] += lines[i].trimmed() + u' ';
        }
        EXPECT_LE(lines[i].size(), 80) << lines[i].toStdString();
        const QString next = i + 1 < lines.size() ? lines[i + 1] : QString();
        // A description goes on to the next line only when the next word would not fit.
        const bool goesOn = lines[i].startsWith(QStringLiteral("      ")) && next.startsWith(QStringLiteral("      "));
        EXPECT_TRUE(!goesOn || lines[i].size() + 1 + next.trimmed().section(QLatin1Char(' '), 0, 0).size() > 80)
            << lines[i].toStdString();
    }
    // Enough to show the reading works.
    ASSERT_GE(listed.options.size(), 12u);
    const Listed manual = fromManual();
    EXPECT_EQ(manual.commands, listed.commands);
    EXPECT_EQ(manual.options, listed.options);
    // Each entry of the help says what the manual says, in its words; the manual may say more.
    for (const auto& [name, text] : listed.texts) {
        const QString page = manual.texts.count(name) ? manual.texts.at(name) : QString();
        static const QRegularExpression sentenceEnd(QStringLiteral("(?<=[.;:]) "));
        for (const QString& sentence : text.split(sentenceEnd, Qt::SkipEmptyParts))
            EXPECT_TRUE(page.contains(sentence.trimmed())) << name.toStdString() << ": " << sentence.toStdString();
    }
    // The README may leave some options to the manual.
    const Listed readme = fromReadme();
    EXPECT_EQ(readme.commands, listed.commands);
    EXPECT_FALSE(readme.options.empty());
    EXPECT_TRUE(
        std::includes(listed.options.begin(), listed.options.end(), readme.options.begin(), readme.options.end()))
        << testing::PrintToString(readme.options);
}

// A mistaken option, value or folder is named in Italian, and the command creates nothing; the
// import of the old program's archive runs once and ends with failure when refused.
TEST(Usage, AMistakenCommandLineIsNamedInItalianAndCreatesNothing)
{
    TestWorkDir data; // a database, for the commands that get as far as reading it
    TestWorkDir empty(false);
    Database::close();
    const QString out = empty.path(QStringLiteral("elenco.csv"));
    const struct {
        const char* line; // %E: the folder without a database, %O: the output file, %A: an old archive
        bool onData;      // run on the folder with the database
        int exitCode;
        QByteArray says;
    } cases[] = {
        {"--cartella x", false, 1, "Opzione sconosciuta: --cartella\nL'elenco delle opzioni: corvalisto --help"},
        {"--dir", false, 1, "Manca il valore di un'opzione.\nL'elenco delle opzioni"},
        {"--dir a\x01", false, 1, "L'argomento 2 della riga di comando contiene"},
        {"--dir %E/non/esiste pdf fattura 1/25 -o %O", false, 1, "non esiste"},
        {"--dir %E csv fatture 2026 -o %O", false, 1, "Database non trovato"},
        {"csv fatture 2026 -o %O --cliente 0", true, 1, "Codice cliente non valido: \"0\"."},
        {"csv fatture 10000 -o %O", true, 1, "Anno non valido"},
        {"csv fatture 9999 -o %O", true, 0, ""},
        {"migrate --from %A", true, 0, "Documenti: 11 righe lette, 11 scritte"},
        {"migrate --from %A", true, 1, "solo in un database vuoto"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        QStringList arguments;
        for (QString a : QString::fromUtf8(c.line).split(QLatin1Char(' ')))
            arguments << a.replace(QStringLiteral("%E"), empty.path())
                             .replace(QStringLiteral("%O"), out)
                             .replace(QStringLiteral("%A"),
                                      QStringLiteral(CORVALISTO_SOURCE_DIR "/tests/data/import/corvalisto3.mdb"));
        if (c.onData)
            arguments = TestWorkDir::databaseOptions() + QStringList{QStringLiteral("--dir"), data.path()} + arguments;
        QFile::remove(out);
        QProcess p;
        p.start(QStringLiteral(CORVALISTO_EXE), arguments);
        ASSERT_TRUE(p.waitForFinished(60000));
        const QByteArray said = p.readAllStandardOutput() + p.readAllStandardError();
        EXPECT_EQ(p.exitCode(), c.exitCode) << said.toStdString();
        EXPECT_TRUE(said.contains(c.says)) << said.toStdString();
        EXPECT_EQ(QFileInfo::exists(out), c.exitCode == 0 && arguments.contains(out));
    }
    EXPECT_FALSE(QFileInfo::exists(empty.path(QStringLiteral("non"))));
}

} // namespace
