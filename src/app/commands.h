#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// The commands of the command line ("corvalisto pdf fattura 3/26 -o f.pdf"), one table for
// the dispatch and the headless start. None opens a window.
namespace Commands {

// The options given besides the command's own words; unset when not given.
struct Options {
    std::optional<QString> output;
    std::optional<QString> cliente;
    std::optional<QString> anno;
    std::optional<QString> to;
    std::optional<QString> from;
    // The server of this run; empty for the folder's file.
    QString server;
    // `xml`: the e-invoices get new file names instead of those given before.
    bool nuovoNome = false;
    // `riba`: the period whose Ri.Ba. are presented.
    std::optional<QString> da;
    std::optional<QString> a;
};

// Their help lines are in usage.cpp.
struct Command {
    QString name;
    // Reads the working folder's database as it stands, opened but never created; the others
    // open or make what they need themselves.
    bool readsDatabase = false;
    std::function<int(const QStringList& args, const Options& options)> run;
};

const std::vector<Command>& all();
// The command named `name`; null when there is none.
const Command* find(const QString& name);
// A command, the help and the version run where there is no display.
void useOffscreen(int argc, char** argv);
// Runs the command named first in `words`, the others its arguments.
int run(const QStringList& words, const Options& options);
// Prints `message` on the error stream; the exit status of a refusal.
int fail(const QString& message);

} // namespace Commands
