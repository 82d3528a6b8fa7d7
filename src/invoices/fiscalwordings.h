#pragma once

#include "invoices/einvoicedata.h"
#include "invoices/invoicerow.h"
#include "shell/decimal.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The legal wordings an invoice must carry for its VAT treatment, each with the law it quotes,
// and the rules that pick them: the Natura of a 0 % invoice, the flat-rate regime, the stamp duty.
namespace FiscalWordings {

struct Natura {
    QString codice;
    QString descrizione;
    // What the printed invoice says; empty when the code needs no wording of its own.
    QString dicitura;
    // The law the wording quotes.
    QString fonte;
    // Whether the amount is outside VAT for the stamp duty (DPR 642/72, tariff art. 13 and
    // table art. 6): reverse charge and exports carry no stamp.
    bool bollo;
};

// Every Natura code of a 0 % invoice; those a metalwork shop meets come first.
const QList<Natura>& nature();
// The entry of a code; nothing when it is not a Natura.
const Natura* natura(const QString& codice);

inline const QString kRegimeForfettario = QStringLiteral("RF19");
inline const QString kNaturaForfettario = QStringLiteral("N2.2");
inline const QString kDicituraForfettario =
    QStringLiteral("Operazione effettuata ai sensi dell'art. 1, commi da 54 a 89, della Legge n. 190/2014 - "
                   "Regime forfettario");
// DM 17/06/2014, art. 6: the stamp paid through the electronic invoice.
inline const QString kDicituraBollo =
    QStringLiteral("Imposta di bollo assolta in modo virtuale ai sensi del DM 17/06/2014");
// DPR 642/72, tariff art. 13, note 1: no stamp up to € 77,47.
inline const Decimal kSogliaBollo = Decimal::fromString(QStringLiteral("77.47")).value();
inline const Decimal kImportoBollo = Decimal(2);

// Payment reason of the 4 % withholding that a condominium applies to contractors (art. 25-ter
// DPR 600/73), by default: code "W" of the Certificazione Unica instructions (Agenzia delle
// Entrate, "Istruzioni per la compilazione della Certificazione Unica", causale W: "corrispettivi
// erogati per prestazioni relative a contratti d'appalto cui si sono resi applicabili le
// disposizioni contenute nell'art. 25-ter del D.P.R. n. 600 del 29 settembre 1973"), the list the
// format's CausalePagamento refers to. The company may state another code.
inline const QString kCausaleRitenutaPredefinita = QStringLiteral("W");
bool causaleRitenutaValida(const QString& codice);

// How one invoice is treated: the Natura the file carries, whether it withholds, the stamp and
// the wordings to print.
struct Trattamento {
    QString natura;
    bool ritenuta = false;
    bool bollo = false;
    QStringList diciture;
};
// Why the company's regime forbids this rate or withholding, in Italian; empty when it does not.
QStringList rifiutiRegime(const CompanyFiscalData& azienda, int aliquota, bool ritenuta);

// The row that charges the stamp to the customer; it does not count towards the stamp's threshold.
inline const QString kRigaBollo = QStringLiteral("Rimborso imposta di bollo");
// The amount the stamp's threshold looks at: the rows' amounts as shown, the stamp's row left out.
Decimal importoPerBollo(const QList<InvoiceRow>& rows);
// The stamp's row to add when the company charges the stamp, it is due and the invoice has no
// such row yet; nothing otherwise.
std::optional<InvoiceRow> rigaBollo(const CompanyFiscalData& azienda, int aliquota, bool ritenuta,
                                    const QString& natura, const QList<InvoiceRow>& rows);

// `natura` is the code chosen for a 0 % invoice; `imponibile` its taxable amount as printed.
Trattamento tratta(const CompanyFiscalData& azienda, int aliquota, bool ritenuta, const QString& natura,
                   const Decimal& imponibile);

} // namespace FiscalWordings
