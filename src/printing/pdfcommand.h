#pragma once

#include "data/dberror.h"

#include <QString>
#include <QStringList>
#include <any>
#include <functional>
#include <optional>

class QTextStream;

// "pdf KIND KEY -o FILE": one stored paper written as a PDF without opening a window, the same
// pages as printing it. The database must be open and the settings read.
class PdfCommand {
public:
    struct Paper {
        QString tipoDocumento; // the layout to use
        std::any data;
    };
    // Finds the paper of a key; nothing, with an Italian reason in `error`, when there is none.
    using Finder = std::function<std::optional<Paper>(const QString& key, QString& error)>;

    // The list of one year ("registro-fatture 2026"), of one customer when idCliente is not 0.
    using ListFinder = std::function<std::optional<Paper>(int anno, qint64 idCliente, QString& error)>;

    // What adds the kinds of the papers the program knows, run once before the first is looked
    // for. The program sets it when it starts.
    static void setBuiltins(void (*addAll)());
    // A kind of the command line ("anagrafica", "fattura", ...), in lower case.
    static void addKind(const QString& kind, Finder finder);
    // A list kind: "pdf KIND ANNO [--cliente ID] -o FILE".
    static void addListKind(const QString& kind, ListFinder finder);
    static QStringList kinds();

    // What a finder answers for a looked-up paper: the paper of kind `tipo`, or nothing with the
    // database's error or with `missing` in `error`.
    template <typename T>
    static std::optional<Paper> found(const DbResult<std::optional<T>>& looked, const QString& tipo,
                                      const QString& missing, QString& error)
    {
        if (!looked) {
            error = looked.error().title() + QStringLiteral(": ") + looked.error().text;
            return std::nullopt;
        }
        if (!looked.value()) {
            error = missing;
            return std::nullopt;
        }
        return Paper{tipo, *looked.value()};
    }

    // `args` are the words after "pdf" (a leading "pdf" is accepted too). Returns the exit
    // status: 0 when the file was written; 1 with a message on `err` otherwise, no file written.
    // A paper whose layout shows a message (a customer missing, a database error) is not written.
    static int run(const QStringList& args, QTextStream& err);
};
