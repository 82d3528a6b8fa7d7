#pragma once

#include <QString>

// What the quote editor shows, as the printed quote needs it: every text as it stands on screen.
struct QuoteData {
    QString num;
    // The date as typed, dd/mm/yy.
    QString data;
    // The typed header lines; when the first is empty the registry customer is printed.
    QString cli1;
    QString cli2;
    // 0 when no registry customer is chosen.
    qint64 idCliente = 0;
    // The body, line breaks CR LF.
    QString des;
};
