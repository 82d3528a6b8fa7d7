#pragma once

#include "invoices/einvoicexml.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QTextStream;

// Electronic invoices of stored invoices, written to files: one invoice to a chosen file, or
// every invoice of a year to a folder under the names the exchange system expects. Nothing is
// written while anything is missing. The database must be open.
class EInvoiceExport {
public:
    // Everything one invoice's file needs, read from the database (without its progressive);
    // nothing, with the reason in `error`, when the invoice is missing or the reading fails.
    static std::optional<EInvoiceXml::Input> gather(const QString& num, QString& error);
    // The message listing every missing item of an invoice.
    static QString missingMessage(const QString& num, const QStringList& items);
    // Letters changed to fit the format, as the user is told after writing; empty when none.
    static QString adattatiMessage(const QStringList& adattati);
    // The name the invoice's file gets: the one it was given, or with `newName` (or none given
    // yet) the next free one; empty when the company's VAT number is not valid.
    static QString proposedName(const QString& num, bool newName);

    // Writes the file of one invoice at `path`; empty on success, else the Italian reason. The
    // file keeps the progressive the invoice already has unless `newName` (a file the exchange
    // system refused goes again under a new name). Texts whose letters were changed go to
    // `adattati`, each after its invoice number.
    // `perPA` tells whether the file is a public body's, to be signed before sending.
    static QString writeFile(const QString& num, const QString& path, bool newName = false,
                             QStringList* adattati = nullptr, bool* perPA = nullptr);
    // Writes every invoice dated in `anno` into `folder`; `progress` hears (written, total).
    // Empty on success, else the reason (and no file written, no progressive taken, unless the
    // disk failed midway: then the files before stay). `written` counts the files.
    static QString writeYear(int anno, const QString& folder, bool newNames,
                             const std::function<void(int, int)>& progress, int* written = nullptr,
                             QStringList* adattati = nullptr, bool* perPA = nullptr);

    // "xml fattura NUM [--nuovo-nome] -o FILE" and "xml anno YYYY [--nuovo-nome] -o FOLDER" (a
    // leading "xml" is accepted).
    // Returns the exit status: 0 when written, 1 with the reason on `err`.
    static int run(const QStringList& args, QTextStream& err);
};
