#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// What xmllint finds wrong in `xmlPath` against the e-invoice schema kept with the tests (without
// the signature import, so that no network is needed); empty when the file is valid.
inline QString xsdErrors(const QString& xmlPath)
{
    const QString schema =
        QStringLiteral(CORVALISTO_SOURCE_DIR "/tests/invoices/data/fatturapa/Schema_v1.2.2_senza_firma.xsd");
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("xmllint"),
            {QStringLiteral("--noout"), QStringLiteral("--nonet"), QStringLiteral("--schema"), schema, xmlPath});
    if (!p.waitForFinished(60000))
        return QStringLiteral("xmllint non avviato o bloccato: ") + p.errorString();
    const QString out = QString::fromUtf8(p.readAll()).trimmed();
    if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return QString();
    return out.isEmpty() ? QStringLiteral("xmllint: uscita %1").arg(p.exitCode()) : out;
}
