#pragma once

#include "invoices/duedatelist.h"
#include "printing/registertable.h"

#include <QDate>
#include <QString>

class QWidget;

// The due-date list on paper and as CSV, from the very rows its window shows.
namespace ScadenzarioPrint {

// The list as printed: the window's columns and rows, the period in the title, the customer of a
// filtered list, the sums after the last row; named "Scadenzario_<from>_<to>" for the PDF.
RegisterTable tabella(const DueDateList& lista, const QDate& oggi, const QString& cliente, const QString& modalita);

// "&ESPORTA": the list written as CSV where the user says. False when nothing was written.
bool esporta(QWidget* parent, const DueDateList& lista, const QDate& oggi);

} // namespace ScadenzarioPrint
