#pragma once

#include <QString>

class QWidget;

// "&XML" of the invoice windows: asks what is still needed (the Natura of a 0 % invoice, the
// file through the save-file dialog, proposing the name the exchange system expects) and
// writes the electronic invoice of a stored invoice.
class EInvoiceSave {
public:
    // True when the file was written.
    static bool run(QWidget* parent, const QString& num);
};
