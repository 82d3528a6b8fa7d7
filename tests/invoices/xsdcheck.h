#pragma once

#include <QDir>
#include <QProcess>
#include <QString>

// What the Revenue Agency's schema (kept with the tests) objects to in `xmlPath`; empty when the
// file is valid.
inline QString xsdErrors(const QString& xmlPath)
{
    const QString schema = QDir(QStringLiteral(CORVALISTO_SOURCE_DIR))
                               .filePath(QStringLiteral("tests/invoices/data/fatturapa/"
                                                        "Schema_v1.2.2_senza_firma.xsd"));
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("xmllint"),
            {QStringLiteral("--noout"), QStringLiteral("--nonet"), QStringLiteral("--schema"), schema, xmlPath});
    if (!p.waitForFinished(60000))
        return QStringLiteral("xmllint non terminato");
    const QString out = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 ? QString() : out;
}
