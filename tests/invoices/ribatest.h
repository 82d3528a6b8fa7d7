#pragma once

#include "invoices/companybank.h"
#include "invoices/duedatestore.h"
#include "invoices/einvoicestore.h"
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
    const auto all = PaymentTermStore::all();
    EXPECT_TRUE(all.ok());
    if (all)
        for (const PaymentTerm& t : all.value())
            if (t.descrizione == descrizione)
                return t.id;
    ADD_FAILURE() << "no term " << descrizione.toStdString();
    return 0;
}

// A term of one instalment due on the invoice's own day: its instalment falls when the test says.
inline qint64 aVista(const QString& modalita)
{
    PaymentTerm t;
    t.descrizione = u"A vista "_s + modalita;
    t.modalita = modalita;
    t.rate = {{0, false, Decimal(100)}};
    const auto id = PaymentTermStore::save(t);
    EXPECT_TRUE(id.ok()) << (id ? std::string() : id.error().text.toStdString());
    return id ? id.value() : 0;
}

// A customer with its address and, when abi is given, its bank.
inline qint64 cliente(const QString& nome, const QString& abi = QString(), const QString& cab = QString())
{
    const qint64 id = addCustomer(nome);
    Database::exec(u"UPDATE Anagrafica SET Ragione = ?, Piva = ?, Indirizzo = ?, Cap = ?, Città = ?, Prov = ? "
                   "WHERE Id = ?"_s,
                   {nome + u" S.r.l."_s, u"0987654321"_s + QString::number(id % 10), u"Via Roma 1"_s, u"24100"_s,
                    u"Bergamo"_s, u"BG"_s, id});
    if (!abi.isEmpty()) {
        CustomerPayment p;
        p.abi = abi;
        p.cab = cab;
        p.banca = u"Banca di "_s + nome;
        EXPECT_FALSE(CustomerPaymentStore::save(id, p));
    }
    return id;
}

inline void fattura(const QString& num, qint64 idAna, QDate data, qint64 condizione)
{
    Invoice inv = sampleInvoice(num, idAna, data);
    inv.condizione = condizione;
    issue(inv);
}

// Every instalment as "invoice rata date amount [P paid] [presentation]", by date.
inline QString rate()
{
    const auto all = DueDateStore::elenco(DueDateStore::Filtro{});
    EXPECT_TRUE(all.ok());
    QStringList out;
    if (all)
        for (const DueDate& d : all.value())
            out << u"%1 %2 %3 %4%5%6"_s.arg(d.num).arg(d.rata).arg(
                d.data.toString(u"dd/MM/yy"_s), d.importo.toFixed(2), d.pagata ? u" P"_s : QString(),
                d.presentata() ? u" #"_s + QString::number(d.presentazione) : QString());
    return out.join(u'\n');
}

// The presentations as "#id date file instalments total", newest first.
inline QString presentazioni()
{
    const auto all = DueDateStore::presentazioni();
    EXPECT_TRUE(all.ok());
    QStringList out;
    if (all)
        for (const auto& p : all.value())
            out << u"#%1 %2 %3 %4 %5"_s.arg(p.id)
                       .arg(p.data.toString(u"dd/MM/yy"_s), p.nomeFile)
                       .arg(p.rate)
                       .arg(p.totale.toFixed(2));
    return out.join(u'\n');
}

} // namespace RibaData
