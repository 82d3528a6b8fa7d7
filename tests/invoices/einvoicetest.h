#pragma once

#include "invoices/einvoicestore.h"
#include "invoicetest.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>

// What the electronic-invoice tests share: reading a file back and the shop's fiscal data.

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Texts of every element whose path ends with `suffix` ("DatiRiepilogo/Imposta"), joined by "|".
inline QString values(const QByteArray& xml, const QString& suffix)
{
    QXmlStreamReader r(xml);
    QStringList path;
    QStringList texts;
    QStringList found;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            path << r.name().toString();
            texts << QString();
        } else if (r.isCharacters()) {
            if (!texts.isEmpty())
                texts.last() += r.text();
        } else if (r.isEndElement()) {
            const QString text = texts.takeLast();
            if ((u'/' + path.join(u'/')).endsWith(u'/' + suffix) && !text.trimmed().isEmpty())
                found << text;
            path.removeLast();
        }
    }
    EXPECT_FALSE(r.hasError()) << r.errorString().toStdString();
    return found.join(u'|');
}

// "€ 1.234,50" as the format writes it: "1234.50".
inline QString printed(const QString& euro)
{
    return euro.mid(2).remove(u'.').replace(u',', u'.');
}

inline bool haveValidator()
{
    return !QStandardPaths::findExecutable(u"a38tool"_s).isEmpty();
}

// What the independent validator objects to, without its old rule 00426 (code "0000000" without a
// PEC address, which the exchange system accepts today); empty when it is not installed.
inline QString validatorErrors(const QString& file)
{
    if (!haveValidator())
        return QString();
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(u"a38tool"_s, {u"validate"_s, file});
    EXPECT_TRUE(p.waitForFinished(120000));
    const QStringList lines = QString::fromUtf8(p.readAll()).split(u'\n', Qt::SkipEmptyParts);
    const QStringList errors = lines.filter(QRegularExpression(u"^(?!.*\\[00426\\])"_s));
    if (p.exitCode() != 0 && lines.isEmpty())
        return u"exit code %1"_s.arg(p.exitCode());
    return errors.join(u'\n');
}

inline CompanyFiscalData company()
{
    CompanyFiscalData a;
    a.denominazione = u"Carpenteria Rossi Srl"_s;
    a.partitaIva = u"01234567897"_s;
    a.indirizzo = u"Via dell'Industria 4"_s;
    a.cap = u"40100"_s;
    a.comune = u"Bologna"_s;
    a.provincia = u"BO"_s;
    a.iban = u"IT60 X054 2811 1010 0000 0123 456"_s;
    a.istitutoFinanziario = u"Banca di Bologna"_s;
    return a;
}
