#pragma once

#include <QProcess>
#include <QString>

// What xmllint finds wrong in a file against the exchange system's schema (kept with the tests,
// without the signature import, so that it works offline); empty when the file is valid.
inline QString xsdErrors(const QString& xmlPath)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("xmllint"),
            {QStringLiteral("--noout"), QStringLiteral("--nonet"), QStringLiteral("--schema"),
             QStringLiteral(CORVALISTO_SOURCE_DIR "/tests/invoices/data/fatturapa/Schema_v1.2.2_senza_firma.xsd"),
             xmlPath});
    if (!p.waitForFinished(60000))
        return QStringLiteral("xmllint non ha risposto");
    const QString out = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 ? QString() : out + QStringLiteral("(xmllint)");
}
