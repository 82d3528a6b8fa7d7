#pragma once

#include "invoices/companybank.h"
#include "invoices/duedatestore.h"
#include "invoices/einvoicestore.h"
#include "invoices/ribafile.h"
#include "invoicetest.h"
#include "registry/customerpaymentstore.h"
#include "registry/paymenttermstore.h"

// The shop's data a Ri.Ba. file needs: its fiscal data and bank, customers with their address and
// bank, invoices on terms. Each invoice owes 158,60 (the usual invoice).
namespace RibaData {

inline void azienda()
{
    CompanyFiscalData c;
    c.denominazione = u"Officina Rossi S.n.c."_s;
    c.partitaIva = u"01234567890"_s;
    c.indirizzo = u"Via dei Fabbri 12"_s;
    c.cap = u"20121"_s;
    c.comune = u"Milano"_s;
    c.provincia = u"MI"_s;
    ASSERT_FALSE(EInvoiceStore::saveCompany(c));
    ASSERT_FALSE(CompanyBank::save({u"A1B2C"_s, u"03069"_s, u"09400"_s, u"123456"_s, u"Banca Esempio"_s}));
}

// The shipped term of that description.
inline qint64 termine(const QString& descrizione)
{
    return dbText(u"SELECT Id FROM CondizioniPagamento WHERE Descrizione = ?"_s, {descrizione}).toLongLong();
}

// A term of one instalment due on the invoice's own day: its instalment falls when the test says.
inline qint64 aVista(const QString& modalita)
{
    return PaymentTermStore::save({0, u"A vista "_s + modalita, modalita, {{0, false, Decimal(100)}}}).value();
}

// A customer with its address and, when abi is given, its bank.
inline qint64 cliente(const QString& nome, const QString& abi = QString(), const QString& cab = QString())
{
    const qint64 id = addCustomer(nome);
    Database::exec(u"UPDATE Anagrafica SET Ragione = ?, Piva = ?, Indirizzo = ?, Cap = ?, Città = ?, Prov = ? "
                   "WHERE Id = ?"_s,
                   {nome + u" S.r.l."_s, u"0987654321"_s + QString::number(id % 10), u"Via Roma 1"_s, u"24100"_s,
                    u"Bergamo"_s, u"BG"_s, id});
    EXPECT_TRUE(abi.isEmpty() || !CustomerPaymentStore::save(id, {0, {}, abi, cab, u"Banca di "_s + nome}));
    return id;
}

inline void fattura(const QString& num, qint64 idAna, QDate data, qint64 condizione)
{
    Invoice inv = sampleInvoice(num, idAna, data);
    inv.condizione = condizione;
    issue(inv);
}

// Every instalment as "invoice rata date amount [#presentation]", by date.
inline QString rate()
{
    QStringList out;
    const auto all = DueDateStore::elenco(DueDateStore::Filtro{});
    for (const DueDate& d : all.value())
        out << u"%1 %2 %3 %4"_s.arg(d.num).arg(d.rata).arg(d.data.toString(u"dd/MM/yy"_s), d.importo.toFixed(2)) +
                   (d.presentata() ? u" #%1"_s.arg(d.presentazione) : QString());
    return out.join(u'\n');
}

// The presentations as "#id date file instalments total", newest first.
inline QString presentazioni()
{
    QStringList out;
    const auto all = DueDateStore::presentazioni();
    for (const auto& p : all.value())
        out << u"#%1 %2 %3 %4 %5"_s.arg(QString::number(p.id), p.data.toString(u"dd/MM/yy"_s), p.nomeFile,
                                        QString::number(p.rate), p.totale.toFixed(2));
    return out.join(u'\n');
}

// A Ri.Ba. file's records without their CR LF; a record not so ended, or of another length, fails.
inline QStringList records(const QByteArray& file)
{
    const QString text = QString::fromLatin1(file);
    EXPECT_TRUE(text.endsWith(u"\r\n"_s));
    QStringList out = text.split(u"\r\n"_s, Qt::SkipEmptyParts);
    for (const QString& line : out)
        EXPECT_TRUE(line.size() == RibaFile::kLunghezzaRecord && !line.contains(u'\n') && !line.contains(u'\r'))
            << line.toStdString();
    return out;
}

inline QString field(const QString& record, const char* tipo, const char* nome)
{
    const RibaFile::Campo* c = RibaFile::campo(tipo, nome);
    EXPECT_NE(c, nullptr) << tipo << " " << nome;
    return c ? record.mid(c->inizio - 1, c->lunghezza) : QString();
}

} // namespace RibaData
