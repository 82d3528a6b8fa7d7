#include "invoices/ui/naturabox.h"

#include "invoices/einvoicestore.h"
#include "invoices/fiscalwordings.h"
#include "invoices/invoicerules.h"
#include "shell/ui/windowbehaviour.h"

NaturaBox::NaturaBox(QComboBox* aliquota, QWidget* parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("ComboNatura"));
    addItem(QString(), QString());
    for (const FiscalWordings::Natura& n : FiscalWordings::nature())
        addItem(n.codice + QStringLiteral(" - ") + n.descrizione, n.codice);
    setMinimumContentsLength(18);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    WindowBehaviour::setAccessible(this, QStringLiteral("Natura IVA 0 %"));
    // Screen readers hear the chosen code with its description.
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        setAccessibleDescription(currentText());
        setToolTip(currentText());
    });
    setEnabled(false);
    connect(aliquota, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { setEnabled(InvoiceRules::aliquota(text) == 0); });
}

void NaturaBox::mostra(const QString& codice)
{
    setCurrentIndex(std::max(0, findData(codice)));
}

QString NaturaBox::codice() const
{
    return isEnabled() ? currentData().toString() : QString();
}

void NaturaBox::carica(const QString& num)
{
    const auto codice = EInvoiceStore::natura(num);
    if (!codice)
        WindowBehaviour::showDbError(window(), codice.error());
    mostra(codice ? codice.value() : QString());
}
