#include "invoices/ui/termbox.h"

#include "invoices/duedatestore.h"
#include "registry/customerpaymentstore.h"
#include "registry/paymenttermstore.h"
#include "shell/ui/windowbehaviour.h"

#include <limits>

TermBox::TermBox(QComboBox* idCli, QWidget* parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("ComboCondizione"));
    setMinimumContentsLength(24);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    WindowBehaviour::setAccessible(this, QStringLiteral("Condizione di pagamento"));
    connect(idCli, &QComboBox::currentTextChanged, this, [this](const QString& id) {
        if (m_proponi)
            proponi(id.toLongLong());
    });
    connect(this, &QComboBox::activated, this, &TermBox::scelta);
}

void TermBox::riempi()
{
    const QSignalBlocker block(this);
    clear();
    const auto terms = PaymentTermStore::all();
    if (!terms) {
        WindowBehaviour::showDbError(window(), terms.error());
        return;
    }
    for (const PaymentTerm& t : terms.value())
        addItem(t.descrizione, t.id);
}

void TermBox::mostra(qint64 id)
{
    setCurrentIndex(id == 0 ? -1 : findData(id));
}

void TermBox::nuova()
{
    m_num.clear();
    m_salvata = 0;
    m_proponi = true;
    setEnabled(true);
    riempi();
    mostra(0);
}

void TermBox::nessuna()
{
    m_proponi = false;
    mostra(0);
    setEnabled(false);
}

void TermBox::richiamata(const QString& num, bool notaDiCredito)
{
    m_proponi = false;
    riempi();
    if (notaDiCredito) {
        m_num.clear();
        nessuna();
        return;
    }
    m_num = num;
    setEnabled(true);
    const auto id = DueDateStore::condizione(num);
    if (!id)
        WindowBehaviour::showDbError(window(), id.error());
    m_salvata = id ? id.value() : 0;
    mostra(m_salvata);
}

qint64 TermBox::condizione() const
{
    return isEnabled() && currentIndex() >= 0 ? currentData().toLongLong() : 0;
}

void TermBox::proponi(qint64 idAna)
{
    if (idAna == 0)
        return mostra(0);
    const auto payment = CustomerPaymentStore::load(idAna);
    if (!payment)
        WindowBehaviour::showDbError(window(), payment.error());
    qint64 id = payment ? payment->idCondizione : 0;
    // Without a term of its own the customer pays as the first term says (the shipped "Rimessa diretta").
    if (findData(id) < 0) {
        id = 0;
        qint64 primo = std::numeric_limits<qint64>::max();
        for (int i = 0; i < count(); ++i)
            primo = std::min(primo, itemData(i).toLongLong());
        if (count() > 0)
            id = primo;
    }
    mostra(id);
}

void TermBox::scelta()
{
    // A new invoice takes its term when issued.
    const qint64 id = condizione();
    if (m_num.isEmpty() || id == m_salvata)
        return;
    if (const DbStatus err = DueDateStore::setCondizione(m_num, id)) {
        WindowBehaviour::showDbError(window(), *err);
        return mostra(m_salvata);
    }
    m_salvata = id;
}
