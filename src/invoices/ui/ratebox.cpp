#include "invoices/ui/ratebox.h"

#include "invoices/invoicestore.h"
#include "shell/ui/windowbehaviour.h"

RateBox::RateBox(QWidget* parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("ComboIva"));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMinimumContentsLength(4);
}

void RateBox::riempi()
{
    clear();
    const auto rates = InvoiceStore::aliquoteUsate();
    if (!rates) {
        WindowBehaviour::showDbError(window(), rates.error());
        return;
    }
    for (const int r : rates.value())
        addItem(QString::number(r));
}
