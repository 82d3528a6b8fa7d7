#pragma once

#include <QStringList>

class QTextStream;

// "fattura-da-ddt CLIENTE_ID --anno ANNO": what the deferred invoice of a customer would bill
// (the DDTs of the year no invoice covers yet, and their rows), printed for a check before the
// month's end. Writes nothing. The database must be open.
class DdtInvoiceCommand {
public:
    // `args` are the words after the command's name. Returns the exit status: 0 with the text on
    // `out`; 1 with an Italian message on `err`.
    static int run(const QStringList& args, QTextStream& out, QTextStream& err);
};
