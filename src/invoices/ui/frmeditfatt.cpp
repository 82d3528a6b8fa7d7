#include "invoices/ui/frmeditfatt.h"

#include "ddt/ddtlinkstore.h"
#include "invoices/invoicestore.h"
#include "shell/dialogs.h"
#include "papers/ui/papereditor.h"
#include "shell/ui/windowbehaviour.h"

#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text, QWidget* buddy)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setBuddy(buddy);
    WindowBehaviour::setAccessible(buddy, text);
    return l;
}

} // namespace

FrmEditFatt::FrmEditFatt(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmEditFatt"));
    setWindowTitle(QStringLiteral("Cambia intestazione Fatture"));
    m_fatt = new QComboBox(this);
    m_fatt->setObjectName(QStringLiteral("ComboFatt"));
    m_nome = new QComboBox(this);
    m_nome->setObjectName(QStringLiteral("ComboNome"));
    m_nome->setMinimumContentsLength(30);
    m_idAna = new QComboBox(this);
    m_idAna->setObjectName(QStringLiteral("ComboIdAna"));
    m_idAna->hide();
    WindowBehaviour::setAccessible(m_idAna, QStringLiteral("Codice cliente"));
    auto* salva = WindowBehaviour::button(this, "BtnSalva", QStringLiteral("&SALVA"));
    auto* annulla = WindowBehaviour::button(this, "BtnAnnulla", QStringLiteral("&Annulla"));

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(16, 16, 16, 16);
    root->addWidget(label(this, "Label1", QStringLiteral("Seleziona Fattura"), m_fatt));
    root->addWidget(m_fatt);
    root->addSpacing(8);
    root->addWidget(label(this, "Label2", QStringLiteral("Seleziona nuova intestazione"), m_nome));
    root->addWidget(m_nome);
    root->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(annulla);
    buttons->addWidget(salva);
    root->addLayout(buttons);

    connect(m_nome, &QComboBox::currentIndexChanged, this, [this](int index) { m_idAna->setCurrentIndex(index); });
    connect(salva, &QPushButton::clicked, this, &FrmEditFatt::salva);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);

    resize(440, 230);
    WindowBehaviour::centreOnly(this);
    WindowBehaviour::setBackground(this, QStringLiteral("Img/Sfondo3.jpg"));
    riempiElenchi();
}

void FrmEditFatt::riempiElenchi()
{
    m_fatt->clear();
    const auto numbers = InvoiceStore::numbersOfYear(QDate::currentDate().year());
    if (!numbers)
        WindowBehaviour::showDbError(this, numbers.error());
    else
        m_fatt->addItems(numbers.value());
    m_fatt->setCurrentIndex(-1);

    m_nome->clear();
    m_idAna->clear();
    const auto customers = InvoiceStore::allCustomers();
    if (!customers)
        WindowBehaviour::showDbError(this, customers.error());
    else
        WindowBehaviour::fillCustomerLists(m_idAna, m_nome, customers.value());
    m_nome->setCurrentIndex(-1);
}

void FrmEditFatt::salva()
{
    const QString avviso = QStringLiteral("AVVISO");
    if (m_fatt->currentIndex() < 0) {
        dialogs().message(this, QStringLiteral("Selezionare FATTURA"), avviso, Dialogs::Icon::Information);
        m_fatt->setFocus();
        return;
    }
    if (m_nome->currentIndex() < 0) {
        dialogs().message(this, QStringLiteral("Selezionare CLIENTE"), avviso, Dialogs::Icon::Information);
        m_nome->setFocus();
        return;
    }
    const QString num = m_fatt->currentText();
    const qint64 id = m_idAna->itemText(m_nome->currentIndex()).toLongLong();
    const auto outcome = InvoiceStore::changeCustomer(num, id);
    if (!outcome) {
        PaperEditor::mostraRifiuto(this, outcome.error(), DdtLinkStore::DaDdt);
        return;
    }
    if (outcome.value() != InvoiceStore::Outcome::Done) {
        dialogs().message(this, QStringLiteral("Errore durante la modifica"), QString(), Dialogs::Icon::None);
        return;
    }
    dialogs().message(this, QStringLiteral("Modifica effettuata con successo"), QString(), Dialogs::Icon::None);
    accept();
}
