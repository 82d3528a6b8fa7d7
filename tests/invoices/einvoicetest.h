#pragma once

#include "invoices/einvoicestore.h"
#include "invoicetest.h"

#include <QXmlStreamReader>

// What the electronic-invoice tests share: reading a file back and the shop's fiscal data.

// Texts of every element whose path ends with `suffix` ("DatiRiepilogo/Imposta"), joined by "|".
inline QString values(const QByteArray& xml, const QString& suffix)
{
    QXmlStreamReader r(xml);
    QStringList path, texts, found;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            path << r.name().toString();
            texts << QString();
        } else if (r.isCharacters() && !texts.isEmpty()) {
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
