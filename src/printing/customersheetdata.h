#pragma once

#include <QString>

// What the customer editor shows, saved or not: the customer sheet prints exactly this.
struct CustomerSheetData {
    QString cod;
    QString nome;
    QString rag;
    QString piva;
    QString cf;
    QString ind;
    QString cap;
    QString citta;
    QString prov;
};
