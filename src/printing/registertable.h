#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QAbstractItemModel;

// A register as printed: what its window lists, cell by cell, and for some the sums of the year.
struct RegisterTable {
    struct Colonna {
        QString intestazione;
        // Millimetres.
        double larghezza = 20;
        bool destra = false;
    };
    struct Totale {
        QString etichetta;
        QString valore;
    };

    // "REGISTRO FATTURE 2026".
    QString titolo;
    // The customer of a filtered list; empty for all.
    QString cliente;
    // What names the file, e.g. "Fatture_2026".
    QString nome;
    QList<Colonna> colonne;
    QList<QStringList> righe;
    // Printed after the last row, on the last page only.
    QList<Totale> totali;

    // The columns and cells of a register's grid as the window shows them, without the row
    // selector (column 0). Widths follow the longest texts, shared out over `larghezzaTotale` mm.
    static RegisterTable fromModel(const QAbstractItemModel& model, double larghezzaTotale);
};
