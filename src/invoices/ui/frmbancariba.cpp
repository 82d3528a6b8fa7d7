#include "invoices/ui/frmbancariba.h"

#include "invoices/companybank.h"
#include "invoices/companybankproposal.h"
#include "invoices/einvoicestore.h"
#include "invoices/ui/formfields.h"
#include "shell/dialogs.h"
#include "shell/ui/closeguard.h"
#include "shell/ui/windowbehaviour.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FrmBancaRiba::FrmBancaRiba(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmBancaRiba"));
    setWindowTitle(QStringLiteral("BANCA PER LE RI.BA."));
    auto box = [this](const char* name, int maxLength) { return FormFields::riga(this, name, maxLength); };
    m_sia = box("TxtSia", 5);
    m_abi = box("TxtAbi", 5);
    m_cab = box("TxtCab", 5);
    m_conto = box("TxtConto", 12);
    m_banca = box("TxtBanca", 60);

    auto* form = new QFormLayout;
    auto add = [&](const QString& label, QLineEdit* field) { FormFields::aggiungi(form, label, field); };
    add(QStringLiteral("Codice SIA"), m_sia);
    add(QStringLiteral("ABI"), m_abi);
    add(QStringLiteral("CAB"), m_cab);
    add(QStringLiteral("Conto corrente"), m_conto);
    add(QStringLiteral("Banca"), m_banca);
    auto* nota = new QLabel(QStringLiteral("Il codice SIA è assegnato dalla banca per i file CBI."), this);
    nota->setObjectName(QStringLiteral("LblNota"));
    nota->setWordWrap(true);

    auto* annulla = WindowBehaviour::button(this, QStringLiteral("BtnAnnulla"), QStringLiteral("&ANNULLA"));
    auto* salva = WindowBehaviour::button(this, QStringLiteral("BtnSalva"), QStringLiteral("&SALVA"));
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(salva, &QPushButton::clicked, this, &FrmBancaRiba::salva);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(annulla);
    buttons->addWidget(salva);
    auto* root = new QVBoxLayout(this);
    root->addLayout(form);
    root->addWidget(nota);
    root->addStretch();
    root->addLayout(buttons);
    CloseGuard::suiCampi(this);
    resize(420, 240);
    WindowBehaviour::centreOnly(this);
    WindowBehaviour::setBackground(this, QStringLiteral("Img/Sfondo3.jpg"));
}

bool FrmBancaRiba::Carica()
{
    auto b = CompanyBank::load();
    if (!b) {
        WindowBehaviour::showDbError(this, b.error());
        return false;
    }
    CompanyBank shown = b.value();
    if (shown.abi.isEmpty() && shown.cab.isEmpty() && shown.conto.isEmpty()) {
        // Never saved: the account the electronic invoices name is most likely the one.
        const auto fe = EInvoiceStore::company();
        if (!fe) {
            WindowBehaviour::showDbError(this, fe.error());
            return false;
        }
        const CompanyBank proposta = CompanyBankProposal::daIban(fe->iban, fe->istitutoFinanziario);
        shown.abi = proposta.abi;
        shown.cab = proposta.cab;
        shown.conto = proposta.conto;
        if (shown.banca.isEmpty())
            shown.banca = proposta.banca;
    }
    m_sia->setText(shown.sia);
    m_abi->setText(shown.abi);
    m_cab->setText(shown.cab);
    m_conto->setText(shown.conto);
    m_banca->setText(shown.banca);
    return true;
}

void FrmBancaRiba::salva()
{
    CompanyBank b;
    b.sia = m_sia->text().trimmed().toUpper();
    b.abi = m_abi->text().trimmed();
    b.cab = m_cab->text().trimmed();
    b.conto = m_conto->text().trimmed().toUpper();
    b.banca = m_banca->text().trimmed();
    if (const DbStatus err = CompanyBank::save(b)) {
        // The boxes keep what was typed.
        if (err->number == CompanyBank::Rifiutata)
            dialogs().message(this, err->text, QStringLiteral("Impossibile procedere"), Dialogs::Icon::Exclamation);
        else
            WindowBehaviour::showDbError(this, *err);
        return;
    }
    dialogs().message(this, QStringLiteral("Dati BANCA salvati con successo"), QString(), Dialogs::Icon::Information);
    accept();
}
