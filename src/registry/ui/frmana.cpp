#include "registry/ui/frmana.h"

#include "printing/ui/printrequest.h"

#include "data/textcolumns.h"
#include "registry/customerpaymentstore.h"
#include "registry/customersave.h"
#include "registry/customerstore.h"
#include "registry/registryrules.h"
#include "registry/ui/customerpaymentbox.h"
#include "shell/dialogs.h"
#include "shell/ui/closeguard.h"
#include "shell/ui/windowbehaviour.h"

#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kTitolo = QStringLiteral("ANAGRAFICA ");
const QString kImpossibile = QStringLiteral("Impossibile procedere");

} // namespace

FrmAna::FrmAna(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmAna"));
    setWindowTitle(kTitolo);
    m_frame = new FocusFrame(this, false);
    m_modificato = new ModifiedFlag(this);
    new CloseGuard(this, [this] { return m_modificato->isSet(); });

    namespace L = TextColumns::Anagrafica;
    m_cod = box("TxtCod", 0);
    m_cod->setReadOnly(true);
    m_cod->setFocusPolicy(Qt::NoFocus);
    m_nome = box("TxtNome", L::Nome);
    QFont bold = m_nome->font();
    bold.setBold(true);
    m_nome->setFont(bold);
    m_rag = box("TxtRag", L::Ragione);
    m_rag2 = box("TxtRag2", L::Ragione2);
    m_piva = box("TxtPiva", L::Piva);
    m_cf = box("TxtCf", L::Cf);
    m_ind = box("TxtInd", L::Indirizzo);
    m_citta = box("TxtCitta", L::Citta);
    m_cap = box("TxtCap", L::Cap);
    m_prov = box("TxtProv", L::Prov);
    m_nome->installEventFilter(this);
    m_pagamento = new CustomerPaymentBox(this, m_modificato);

    auto* stampa = WindowBehaviour::button(this, QStringLiteral("BtnStampa"), QStringLiteral("&STAMPA"));
    auto* ant = WindowBehaviour::button(this, QStringLiteral("BtnAnt"), QString());
    ant->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    ant->setToolTip(QStringLiteral("Anteprima di Stampa"));
    WindowBehaviour::setAccessible(ant, QStringLiteral("Anteprima di Stampa"));
    connect(ant, &QPushButton::clicked, this, [this] { PrintRequest::previewCustomerSheet(this, sheet()); });
    connect(stampa, &QPushButton::clicked, this, [this] { PrintRequest::printCustomerSheet(this, sheet()); });
    auto* fe = WindowBehaviour::button(this, QStringLiteral("BtnFe"), QStringLiteral("Fattura &elettronica"));
    connect(fe, &QPushButton::clicked, this, &FrmAna::fatturaElettronica);
    auto* annulla = WindowBehaviour::button(this, QStringLiteral("BtnAnnulla"), QStringLiteral("&ANNULLA"));
    m_salva = WindowBehaviour::button(this, QStringLiteral("BtnSalva"), QStringLiteral("&SALVA"));
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_salva, &QPushButton::clicked, this, &FrmAna::salva);

    auto* form = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString& label, QLineEdit* field, QLineEdit* second = nullptr) {
        auto* l = new QLabel(label, this);
        l->setBuddy(field);
        form->addWidget(l, row, 0);
        form->addWidget(field, row++, 1, 1, 3);
        WindowBehaviour::setAccessible(field, label);
        if (second)
            form->addWidget(second, row++, 1, 1, 3);
    };
    addRow(QStringLiteral("Codice"), m_cod);
    m_cod->setMaximumWidth(90);
    addRow(QStringLiteral("Nominativo"), m_nome);
    addRow(QStringLiteral("Ragione Sociale"), m_rag, m_rag2);
    WindowBehaviour::setAccessible(m_rag2, QStringLiteral("Ragione Sociale seconda riga"));
    addRow(QStringLiteral("Partita IVA"), m_piva);
    addRow(QStringLiteral("Codice Fiscale"), m_cf);
    addRow(QStringLiteral("Via/Piazza"), m_ind);
    addRow(QStringLiteral("Città"), m_citta);
    auto* lblCap = new QLabel(QStringLiteral("C.A.P."), this);
    lblCap->setBuddy(m_cap);
    auto* lblProv = new QLabel(QStringLiteral("Provincia"), this);
    lblProv->setBuddy(m_prov);
    WindowBehaviour::setAccessible(m_cap, QStringLiteral("C.A.P."));
    WindowBehaviour::setAccessible(m_prov, QStringLiteral("Provincia"));
    m_cap->setMaximumWidth(90);
    m_prov->setMaximumWidth(50);
    form->addWidget(lblCap, row, 0);
    form->addWidget(m_cap, row, 1);
    form->addWidget(lblProv, row, 2, Qt::AlignRight);
    form->addWidget(m_prov, row++, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(stampa);
    buttons->addWidget(ant);
    buttons->addWidget(fe);
    buttons->addStretch();
    buttons->addWidget(annulla);
    buttons->addWidget(m_salva);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(16, 16, 16, 16);
    root->addLayout(form);
    root->addWidget(m_pagamento);
    root->addStretch();
    root->addLayout(buttons);

    QList<QWidget*> order = {m_nome, m_rag, m_rag2, m_piva, m_cf, m_ind, m_citta, m_cap, m_prov};
    order << m_pagamento->campi() << QList<QWidget*>{stampa, ant, fe, annulla, m_salva};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    for (QWidget* w : std::as_const(order))
        m_frame->track(w);

    resize(560, 520);
    WindowBehaviour::centreOnly(this);
    WindowBehaviour::setBackground(this, QStringLiteral("Img/Sfondo3.jpg"));
}

void FrmAna::fatturaElettronica()
{
    // The data is kept by the customer's code, which a new customer gets when saved.
    if (m_nomeCaricato.isEmpty()) {
        dialogs().message(this, QStringLiteral("Salvare prima il CLIENTE"), QString(), Dialogs::Icon::Exclamation);
        return;
    }
    if (eInvoiceData())
        eInvoiceData()(this, m_id);
}

std::function<void(QWidget*, qint64)>& FrmAna::eInvoiceData()
{
    static std::function<void(QWidget*, qint64)> open;
    return open;
}

void FrmAna::offerEInvoiceData(std::function<void(QWidget* parent, qint64 id)> open)
{
    eInvoiceData() = std::move(open);
}

QLineEdit* FrmAna::box(const char* name, int maxLength)
{
    auto* b = new QLineEdit(this);
    b->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0) {
        b->setMaxLength(maxLength);
        m_modificato->watch(b);
    }
    return b;
}

bool FrmAna::Carica(const QString& nome)
{
    m_nomeCaricato = nome;
    if (nome.isEmpty()) {
        const auto next = CustomerStore::nextId();
        if (!next) {
            WindowBehaviour::showDbError(this, next.error());
            return false;
        }
        m_id = next.value();
        m_cod->setText(RegistryRules::codeText(m_id));
        m_modificato->clear();
        return true;
    }
    setWindowTitle(kTitolo + QStringLiteral(" - ") + nome);
    const auto found = CustomerStore::findValid(nome);
    if (!found) {
        WindowBehaviour::showDbError(this, found.error());
        return false;
    }
    if (!found.value()) {
        dialogs().message(this, QStringLiteral("Errore durante l'apertura"), QString(), Dialogs::Icon::Critical);
        return false;
    }
    const Customer& c = *found.value();
    m_id = c.id;
    m_cod->setText(RegistryRules::codeText(c.id));
    m_nome->setText(c.nome);
    m_rag->setText(c.ragione);
    m_rag2->setText(c.ragione2);
    m_piva->setText(c.piva);
    m_cf->setText(c.cf);
    m_ind->setText(c.indirizzo);
    m_citta->setText(c.citta);
    m_cap->setText(c.cap);
    m_prov->setText(c.prov);
    const auto pagamento = CustomerPaymentStore::load(c.id);
    if (!pagamento) {
        WindowBehaviour::showDbError(this, pagamento.error());
        return false;
    }
    m_pagamento->mostra(pagamento.value());
    m_modificato->clear();
    return true;
}

void FrmAna::Precompila(const QString& riga1, const QString& riga2)
{
    // The boxes cut what is longer than their columns; the user sees it before saving.
    m_nome->setText(riga1.trimmed().toUpper());
    m_rag->setText(riga1.trimmed());
    m_rag2->setText(riga2.trimmed());
}

bool FrmAna::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_nome && event->type() == QEvent::FocusOut) {
        const QString upper = m_nome->text().toUpper();
        if (upper != m_nome->text())
            m_nome->setText(upper);
    }
    return QDialog::eventFilter(watched, event);
}

void FrmAna::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Shown without a successful load: there is nothing to edit.
    if (m_cod->text().isEmpty())
        QTimer::singleShot(0, this, &QDialog::reject);
}

void FrmAna::salva()
{
    const QString nome = RegistryRules::nameToStore(m_nome->text(), m_rag->text());
    if (nome != m_nome->text())
        m_nome->setText(nome);
    if (nome.isEmpty()) {
        dialogs().message(this, QStringLiteral("Inserire NOME"), QString(), Dialogs::Icon::Exclamation);
        m_nome->setFocus();
        return;
    }
    const auto giaEsistente = [&] {
        dialogs().message(this, QStringLiteral("Nominativo '") + nome + QStringLiteral("' gia esistente"), QString(),
                          Dialogs::Icon::Critical);
    };
    // The store checks again as it writes: another seat may save the name in between.
    const auto refused = [&](const DbError& err) {
        if (err.number == DbError::Duplicate)
            giaEsistente();
        else if (err.number == CustomerPaymentStore::Rifiutata)
            dialogs().message(this, err.text, kImpossibile, Dialogs::Icon::Exclamation);
        else
            WindowBehaviour::showDbError(this, err);
    };
    const auto taken = CustomerStore::nameTaken(nome, m_id);
    if (!taken) {
        WindowBehaviour::showDbError(this, taken.error());
        return;
    }
    if (taken.value()) {
        giaEsistente();
        return;
    }
    if (const QString rifiuto = m_pagamento->verifica(); !rifiuto.isEmpty()) {
        dialogs().message(this, rifiuto, kImpossibile, Dialogs::Icon::Exclamation);
        return;
    }
    const QString ragione = RegistryRules::companyToStore(m_rag->text(), nome);
    if (ragione != m_rag->text())
        m_rag->setText(ragione);

    if (m_modificato->isSet()) {
        Customer c;
        c.id = m_id;
        c.nome = nome;
        c.ragione = m_rag->text();
        c.ragione2 = m_rag2->text();
        c.piva = m_piva->text();
        c.cf = m_cf->text();
        c.indirizzo = m_ind->text();
        c.cap = m_cap->text();
        c.citta = m_citta->text();
        c.prov = m_prov->text();
        if (m_nomeCaricato.isEmpty()) {
            const auto added = CustomerSave::insert(c, m_pagamento->dati());
            if (!added) {
                refused(added.error());
                return;
            }
            m_id = added.value();
            m_salvato = m_id;
            m_cod->setText(RegistryRules::codeText(m_id));
            m_modificato->clear();
            dialogs().message(this, QStringLiteral("Nuovo CLIENTE inserito con successo"), QString(),
                              Dialogs::Icon::Information);
        } else {
            const auto changed = CustomerSave::update(c, m_pagamento->dati());
            if (!changed) {
                refused(changed.error());
                return;
            }
            m_modificato->clear();
            if (changed.value()) {
                m_salvato = m_id;
                dialogs().message(this, QStringLiteral("CLIENTE modificato con successo"), QString(),
                                  Dialogs::Icon::Information);
            } else {
                dialogs().message(this, QStringLiteral("Errore"), QString(), Dialogs::Icon::None);
            }
        }
    }
    accept();
}

CustomerSheetData FrmAna::sheet() const
{
    return {m_cod->text(), m_nome->text(), m_rag->text(),   m_piva->text(), m_cf->text(),
            m_ind->text(), m_cap->text(),  m_citta->text(), m_prov->text()};
}
