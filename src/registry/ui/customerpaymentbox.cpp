#include "registry/ui/customerpaymentbox.h"

#include "registry/bankcodes.h"
#include "registry/paymenttermstore.h"
#include "shell/ui/windowbehaviour.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QLineEdit* box(QWidget* parent, const char* name, int maxLength, ModifiedFlag* modificato)
{
    auto* b = new QLineEdit(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setMaxLength(maxLength);
    modificato->watch(b);
    return b;
}

} // namespace

CustomerPaymentBox::CustomerPaymentBox(QWidget* parent, ModifiedFlag* modificato)
    : QGroupBox(QStringLiteral("Pagamento"), parent)
{
    setObjectName(QStringLiteral("FraPagamento"));
    m_condizione = new QComboBox(this);
    m_condizione->setObjectName(QStringLiteral("ComboCondizione"));
    m_condizione->setMinimumContentsLength(24);
    // An IBAN is 27 characters in Italy, up to 34 abroad; typed in groups of four it has spaces too.
    m_iban = box(this, "TxtIban", 42, modificato);
    m_abi = box(this, "TxtAbi", 5, modificato);
    m_cab = box(this, "TxtCab", 5, modificato);
    m_banca = box(this, "TxtBanca", 60, modificato);
    m_abi->setMaximumWidth(70);
    m_cab->setMaximumWidth(70);
    modificato->watch(m_condizione);

    auto* grid = new QGridLayout(this);
    auto label = [this](const QString& text, QWidget* field) {
        auto* l = new QLabel(text, this);
        l->setBuddy(field);
        WindowBehaviour::setAccessible(field, text);
        return l;
    };
    // ABI and CAB side by side, as the bank writes them.
    auto* codes = new QHBoxLayout;
    codes->addWidget(m_abi);
    codes->addSpacing(12);
    codes->addWidget(label(QStringLiteral("CAB"), m_cab));
    codes->addWidget(m_cab);
    codes->addStretch();
    grid->addWidget(label(QStringLiteral("Condizione di pagamento"), m_condizione), 0, 0);
    grid->addWidget(m_condizione, 0, 1);
    grid->addWidget(label(QStringLiteral("IBAN"), m_iban), 1, 0);
    grid->addWidget(m_iban, 1, 1);
    grid->addWidget(label(QStringLiteral("ABI"), m_abi), 2, 0);
    grid->addLayout(codes, 2, 1);
    grid->addWidget(label(QStringLiteral("Banca"), m_banca), 3, 0);
    grid->addWidget(m_banca, 3, 1);
    riempi();
}

void CustomerPaymentBox::riempi()
{
    const qint64 scelta = m_condizione->currentData().toLongLong();
    const QSignalBlocker block(m_condizione);
    m_condizione->clear();
    m_condizione->addItem(QString(), qint64(0));
    const auto terms = PaymentTermStore::all();
    if (!terms) {
        WindowBehaviour::showDbError(window(), terms.error());
        return;
    }
    for (const PaymentTerm& t : terms.value())
        m_condizione->addItem(t.descrizione, t.id);
    m_condizione->setCurrentIndex(std::max(0, m_condizione->findData(scelta)));
}

void CustomerPaymentBox::mostra(const CustomerPayment& p)
{
    m_condizione->setCurrentIndex(std::max(0, m_condizione->findData(p.idCondizione)));
    m_iban->setText(p.iban);
    m_abi->setText(p.abi);
    m_cab->setText(p.cab);
    m_banca->setText(p.banca);
}

CustomerPayment CustomerPaymentBox::dati() const
{
    CustomerPayment p;
    p.idCondizione = m_condizione->currentData().toLongLong();
    p.iban = m_iban->text().trimmed();
    p.abi = m_abi->text().trimmed();
    p.cab = m_cab->text().trimmed();
    p.banca = m_banca->text().trimmed();
    return p;
}

QString CustomerPaymentBox::verifica()
{
    const CustomerPayment p = dati();
    const QString err = BankCodes::errore(p.iban, p.abi, p.cab);
    if (err.isEmpty())
        return err;
    if (!p.iban.isEmpty() && !BankCodes::ibanValido(p.iban))
        m_iban->setFocus();
    else if (!p.abi.isEmpty() && !BankCodes::codiceValido(p.abi))
        m_abi->setFocus();
    else
        m_cab->setFocus();
    return err;
}

QList<QWidget*> CustomerPaymentBox::campi() const
{
    return {m_condizione, m_iban, m_abi, m_cab, m_banca};
}
