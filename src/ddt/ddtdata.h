#pragma once

#include <QList>
#include <QString>

// What the DDT editor shows, as the printed transport document needs it: every text as it
// stands on screen.
struct DdtData {
    // A grid row: description and quantity as the grid shows them.
    struct Row {
        QString descrizione;
        QString qta;
    };

    QString num;
    // The date as typed, dd/mm/yy.
    QString data;
    // 0 when no customer is chosen.
    qint64 idCliente = 0;
    QString causale;
    // 0: transport by the consignor ("Mittente"), 1: by the consignee; -1 when neither is chosen.
    int mezzo = -1;
    QString colli;
    // The pick-up date as typed, dd/mm/yy, empty when none.
    QString dataRitiro;
    // Hours and minutes as typed, each empty when none.
    QString ore;
    QString minuti;
    // Line breaks as stored, CR LF.
    QString note;
    QList<Row> righe;
};
