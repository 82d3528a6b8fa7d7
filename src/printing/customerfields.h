#pragma once

#include <QString>

// The paper's customer as the layouts print it; empty texts stand for missing values.
struct CustomerFields {
    QString ragione;
    QString ragione2;
    QString piva;
    QString indirizzo;
    QString cap;
    QString citta;
    QString prov;
    QString cf;
};
