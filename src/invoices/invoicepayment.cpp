#include "invoices/invoicepayment.h"

#include "invoices/duedates.h"
#include "invoices/duedatestore.h"
#include "invoices/einvoicestore.h"
#include "registry/bankcodes.h"
#include "registry/customerpaymentstore.h"
#include "registry/paymentterms.h"
#include "registry/paymenttermstore.h"
#include "shell/formats.h"

namespace InvoicePayment {

QString ibanStampato(const QString& iban)
{
    const QString plain = BankCodes::normalizzaIban(iban);
    QStringList groups;
    for (qsizetype i = 0; i < plain.size(); i += 4)
        groups << plain.mid(i, 4);
    return groups.join(u' ');
}

QString banca(const QString& modalita, const CustomerPayment& cliente, const CompanyFiscalData& azienda)
{
    const auto conNome = [](const QString& line, const QString& nome) {
        return nome.trimmed().isEmpty() ? line : line + QStringLiteral(" - ") + nome.trimmed();
    };
    if (modalita == QStringLiteral("MP12")) {
        if (cliente.abi.isEmpty() || cliente.cab.isEmpty())
            return {};
        return conNome(QStringLiteral("Appoggio ABI %1 CAB %2").arg(cliente.abi, cliente.cab), cliente.banca);
    }
    if (modalita == QStringLiteral("MP05")) {
        if (azienda.iban.trimmed().isEmpty())
            return {};
        return conNome(QStringLiteral("IBAN ") + ibanStampato(azienda.iban), azienda.istitutoFinanziario);
    }
    if (modalita.startsWith(QStringLiteral("MP19")) || modalita == QStringLiteral("MP20") ||
        modalita == QStringLiteral("MP21")) {
        if (cliente.iban.isEmpty())
            return {};
        return conNome(QStringLiteral("Addebito su IBAN ") + ibanStampato(cliente.iban), cliente.banca);
    }
    return {};
}

DbStatus completa(InvoiceData& d, bool scissione)
{
    auto rate = DueDateStore::rate(d.num);
    if (!rate)
        return rate.error();
    // The stored invoice's own term; the editor's while it is not stored.
    qint64 condizione = d.condizione;
    if (!rate->isEmpty()) {
        const auto stored = DueDateStore::condizione(d.num);
        if (!stored)
            return stored.error();
        condizione = stored.value();
    }
    std::optional<PaymentTerm> term;
    if (condizione != 0) {
        const auto loaded = PaymentTermStore::load(condizione);
        if (!loaded)
            return loaded.error();
        term = loaded.value();
    }
    QList<DueDate> scadenze = rate.value();
    if (scadenze.isEmpty() && term && d.storno.fattura.isEmpty())
        if (const auto data = Formats::parseDate(d.data))
            scadenze = DueDates::calcola(*term, *data, scissione ? d.nettoScissioneValore : d.totaleValore);
    if (scadenze.isEmpty())
        return std::nullopt;

    const QString modalita = term ? term->modalita : scadenze.first().modalita;
    d.pagamento = term ? term->descrizione : PaymentTerms::nomeModalita(modalita);
    d.scadenze.clear();
    for (const DueDate& s : scadenze)
        d.scadenze.append({s.data.toString(QStringLiteral("dd/MM/yyyy")), Formats::euro(s.importo)});
    const auto cliente = CustomerPaymentStore::load(d.idCliente);
    if (!cliente)
        return cliente.error();
    const auto azienda = EInvoiceStore::company();
    if (!azienda)
        return azienda.error();
    d.bancaPagamento = banca(modalita, cliente.value(), azienda.value());
    return std::nullopt;
}

} // namespace InvoicePayment
