#pragma once

#include <QString>

// Values that live for the whole run: the working folder, the settings read at
// start-up and the current print request.
struct AppState {
    QString workDir;

    float margineLaterale = 0;
    bool logoColori = false;
    bool secondario = false;
    QString percorsoBackup;
    QString stampantePredefinita;
    QString stampantePdf;

    QString tipoDocumento;
    bool stampaDiretta = false;
    int numeroCopie = 0;

    // A file of the working folder, e.g. path("Dati/Corvalisto.mdb").
    QString path(const QString& relative) const;
};

AppState& app();
