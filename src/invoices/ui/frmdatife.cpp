#include "invoices/ui/frmdatife.h"

#include "invoices/einvoicerules.h"
#include "invoices/einvoicestore.h"
#include "invoices/fiscalwordings.h"
#include "invoices/ui/formfields.h"
#include "shell/dialogs.h"
#include "shell/ui/closeguard.h"
#include "shell/ui/windowbehaviour.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FrmDatiFe::FrmDatiFe(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmDatiFe"));
    setWindowTitle(QStringLiteral("DATI FATTURA ELETTRONICA"));
    m_denominazione = box("TxtDenominazione", 80);
    m_piva = box("TxtPiva", 20);
    m_cf = box("TxtCf", 16);
    m_regime = new QComboBox(this);
    m_regime->setObjectName(QStringLiteral("ComboRegime"));
    for (const EInvoiceRules::Voce& v : EInvoiceRules::regimiFiscali())
        m_regime->addItem(v.codice + QStringLiteral(" - ") + v.descrizione, v.codice);
    m_indirizzo = box("TxtIndirizzo", 60);
    m_cap = box("TxtCap", 5);
    m_comune = box("TxtComune", 60);
    m_provincia = box("TxtProvincia", 2);
    m_nazione = box("TxtNazione", 2);
    m_iban = box("TxtIban", 40);
    m_istituto = box("TxtIstituto", 80);
    m_causale = box("TxtCausale", 2);
    m_bollo = new QCheckBox(QStringLiteral("Imposta di bollo addebitata al cliente (riga della fattura)"), this);
    m_bollo->setObjectName(QStringLiteral("ChkBolloCliente"));
    WindowBehaviour::setAccessible(m_bollo, m_bollo->text());
    m_persona = new QCheckBox(QStringLiteral("Ditta individuale (persona fisica: ritenuta RT01)"), this);
    m_persona->setObjectName(QStringLiteral("ChkPersona"));

    auto* form = new QFormLayout;
    auto add = [&](const QString& label, QWidget* field) { FormFields::aggiungi(form, label, field); };
    add(QStringLiteral("Denominazione"), m_denominazione);
    add(QStringLiteral("Partita IVA"), m_piva);
    add(QStringLiteral("Codice fiscale"), m_cf);
    add(QStringLiteral("Regime fiscale"), m_regime);
    add(QStringLiteral("Indirizzo"), m_indirizzo);
    add(QStringLiteral("CAP"), m_cap);
    add(QStringLiteral("Comune"), m_comune);
    add(QStringLiteral("Provincia"), m_provincia);
    add(QStringLiteral("Nazione"), m_nazione);
    add(QStringLiteral("IBAN"), m_iban);
    add(QStringLiteral("Istituto finanziario"), m_istituto);
    form->addRow(QString(), m_persona);
    add(QStringLiteral("Causale ritenuta (Certificazione Unica)"), m_causale);
    form->addRow(QString(), m_bollo);

    auto* annulla = WindowBehaviour::button(this, QStringLiteral("BtnAnnulla"), QStringLiteral("&ANNULLA"));
    auto* salva = WindowBehaviour::button(this, QStringLiteral("BtnSalva"), QStringLiteral("&SALVA"));
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(salva, &QPushButton::clicked, this, &FrmDatiFe::salva);
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

QLineEdit* FrmDatiFe::box(const char* name, int maxLength)
{
    return FormFields::riga(this, name, maxLength);
}

bool FrmDatiFe::Carica()
{
    const auto d = EInvoiceStore::company();
    if (!d) {
        WindowBehaviour::showDbError(this, d.error());
        return false;
    }
    m_denominazione->setText(d->denominazione);
    m_piva->setText(d->partitaIva);
    m_cf->setText(d->codiceFiscale);
    m_regime->setCurrentIndex(std::max(0, m_regime->findData(d->regimeFiscale)));
    m_indirizzo->setText(d->indirizzo);
    m_cap->setText(d->cap);
    m_comune->setText(d->comune);
    m_provincia->setText(d->provincia);
    m_nazione->setText(d->nazione);
    m_iban->setText(d->iban);
    m_istituto->setText(d->istitutoFinanziario);
    m_persona->setChecked(d->personaFisica);
    m_causale->setText(d->causaleRitenuta);
    m_bollo->setChecked(d->bolloACliente);
    return true;
}

void FrmDatiFe::salva()
{
    CompanyFiscalData d;
    d.denominazione = m_denominazione->text().trimmed();
    d.partitaIva = EInvoiceRules::identificativo(m_piva->text(), QStringLiteral("IT"));
    d.codiceFiscale = EInvoiceRules::identificativo(m_cf->text());
    d.regimeFiscale = m_regime->currentData().toString();
    d.indirizzo = m_indirizzo->text().trimmed();
    d.cap = m_cap->text().trimmed();
    d.comune = m_comune->text().trimmed();
    d.provincia = m_provincia->text().trimmed().toUpper();
    d.nazione = m_nazione->text().trimmed().toUpper();
    d.iban = EInvoiceRules::identificativo(m_iban->text());
    d.istitutoFinanziario = m_istituto->text().trimmed();
    d.personaFisica = m_persona->isChecked();
    d.bolloACliente = m_bollo->isChecked();
    const QString causale = m_causale->text().trimmed().toUpper();
    d.causaleRitenuta = causale.isEmpty() ? FiscalWordings::kCausaleRitenutaPredefinita : causale;
    // Incomplete data may be kept; only wrong data is refused.
    QStringList wrong;
    for (const QString& p : EInvoiceRules::problemiAzienda(d))
        if (p.contains(QStringLiteral("non valid")))
            wrong << p;
    if (!FiscalWordings::causaleRitenutaValida(d.causaleRitenuta))
        wrong << QStringLiteral("Causale della ritenuta non valida: un codice della Certificazione Unica (%1 per "
                                "gli appalti dei condomini, art. 25-ter DPR 600/73)")
                     .arg(FiscalWordings::kCausaleRitenutaPredefinita);
    if (!wrong.isEmpty()) {
        dialogs().message(this, wrong.join(QLatin1Char('\n')), QString(), Dialogs::Icon::Exclamation);
        return;
    }
    if (const DbStatus s = EInvoiceStore::saveCompany(d)) {
        WindowBehaviour::showDbError(this, *s);
        return;
    }
    dialogs().message(this, QStringLiteral("Dati FATTURA ELETTRONICA salvati con successo"), QString(),
                      Dialogs::Icon::Information);
    accept();
}
