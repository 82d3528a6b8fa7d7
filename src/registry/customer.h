#pragma once

#include <QString>

// One row of Anagrafica as the editor shows it; empty texts stand for Null columns.
struct Customer {
    qint64 id = 0;
    QString nome;
    QString ragione;
    QString ragione2;
    QString piva;
    QString cf;
    QString indirizzo;
    QString cap;
    QString citta;
    QString prov;
};
