#include "invoices/ui/frmfecliente.h"

#include "invoices/einvoicerules.h"
#include "invoices/einvoicestore.h"
#include "invoices/ui/formfields.h"
#include "shell/dialogs.h"
#include "shell/ui/closeguard.h"
#include "shell/ui/windowbehaviour.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FrmFeCliente::FrmFeCliente(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmFeCliente"));
    setWindowTitle(QStringLiteral("FATTURA ELETTRONICA CLIENTE"));
    auto make = [this](const char* name, int maxLength) { return FormFields::riga(this, name, maxLength); };
    m_codice = make("TxtCodice", 7);
    m_pec = make("TxtPec", 256);
    m_nazione = make("TxtNazione", 2);
    auto* form = new QFormLayout;
    const std::pair<QString, QLineEdit*> rows[] = {{QStringLiteral("Codice destinatario"), m_codice},
                                                   {QStringLiteral("PEC destinatario"), m_pec},
                                                   {QStringLiteral("Nazione"), m_nazione}};
    for (const auto& [label, field] : rows)
        FormFields::aggiungi(form, label, field);
    auto* annulla = WindowBehaviour::button(this, QStringLiteral("BtnAnnulla"), QStringLiteral("&ANNULLA"));
    auto* salva = WindowBehaviour::button(this, QStringLiteral("BtnSalva"), QStringLiteral("&SALVA"));
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(salva, &QPushButton::clicked, this, &FrmFeCliente::salva);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(annulla);
    buttons->addWidget(salva);
    auto* root = new QVBoxLayout(this);
    root->addLayout(form);
    root->addLayout(buttons);
    CloseGuard::suiCampi(this);
    WindowBehaviour::centreOnly(this);
}

bool FrmFeCliente::Carica(qint64 idAna)
{
    m_id = idAna;
    const auto d = EInvoiceStore::customer(idAna);
    if (!d) {
        WindowBehaviour::showDbError(this, d.error());
        return false;
    }
    m_codice->setText(d->codiceDestinatario);
    m_pec->setText(d->pec);
    m_nazione->setText(d->nazione);
    return true;
}

void FrmFeCliente::salva()
{
    CustomerEInvoiceData d;
    d.pec = m_pec->text().trimmed();
    d.nazione = m_nazione->text().trimmed().toUpper();
    if (d.nazione.isEmpty())
        d.nazione = QStringLiteral("IT");
    d.codiceDestinatario = EInvoiceRules::identificativo(m_codice->text());
    // With a PEC address, or with nothing, the code is the one of "no channel".
    if (d.codiceDestinatario.isEmpty() || !d.pec.isEmpty())
        d.codiceDestinatario = EInvoiceRules::kCodiceSenzaCanale;
    if (const QStringList wrong = EInvoiceRules::problemiCliente(d); !wrong.isEmpty()) {
        dialogs().message(this, wrong.join(QLatin1Char('\n')), QString(), Dialogs::Icon::Exclamation);
        return;
    }
    if (const DbStatus s = EInvoiceStore::saveCustomer(m_id, d)) {
        WindowBehaviour::showDbError(this, *s);
        return;
    }
    accept();
}
