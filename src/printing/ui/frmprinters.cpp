#include "printing/ui/frmprinters.h"

#include "printing/printers.h"
#include "shell/appstate.h"
#include "shell/settingsfiles.h"
#include "shell/ui/windowbehaviour.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FrmPrinters::FrmPrinters(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmPrinters"));
    setWindowTitle(QStringLiteral("Impostazione STAMPANTE"));

    auto* label = new QLabel(QStringLiteral("Stampante PREDEFINITA del programma"), this);
    label->setObjectName(QStringLiteral("Label1"));
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("ComboPrinter"));
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    label->setBuddy(m_combo);
    WindowBehaviour::setAccessible(m_combo, label->text());

    auto* ok = WindowBehaviour::button(this, QStringLiteral("BtnOk"), QStringLiteral("&Ok"));
    auto* annulla = WindowBehaviour::button(this, QStringLiteral("BtnAnnulla"), QStringLiteral("&Annulla"));
    connect(ok, &QPushButton::clicked, this, &FrmPrinters::BtnOk_Click);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(annulla);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(20, 20, 20, 14);
    root->addWidget(label);
    root->addWidget(m_combo);
    root->addSpacing(10);
    root->addLayout(buttons);

    resize(420, 150);
    WindowBehaviour::centreOnly(this);

    m_combo->addItems(Printers::installed());
    m_combo->setCurrentText(app().stampantePredefinita);
}

void FrmPrinters::BtnOk_Click()
{
    app().stampantePredefinita = m_combo->currentText();
    SettingsFiles::printerIni(QStringLiteral("salva"));
    accept();
}
