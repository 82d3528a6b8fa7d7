#pragma once

#include "printing/customerfields.h"
#include "printing/layoutcontext.h"

#include <QImage>

class QWidget;

// Loading what the layouts print from the database and the working folder, with the
// messages the user gets when something is missing.
namespace PrintSources {

// CaricaIntestazione plus the logo: a database failure is shown and leaves the lines empty.
LayoutContext context(QWidget* parent);

// "Img/Logo.bmp" or "Img/LogoBN.bmp"; the shipped logo when the file is missing or unreadable.
QImage logo(bool colori);

// CaricaCliente: code 0 empties the fields; an unknown code shows "Cliente N non trovato" and
// leaves the fields as they were. Returns whether the fields now hold that customer.
bool caricaCliente(QWidget* parent, qint64 id, CustomerFields& fields);

} // namespace PrintSources
