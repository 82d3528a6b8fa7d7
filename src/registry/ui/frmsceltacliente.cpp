#include "registry/ui/frmsceltacliente.h"

#include "registry/ui/customercodebox.h"
#include "registry/ui/frmana.h"
#include "shell/dialogs.h"
#include "shell/ui/windowbehaviour.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FrmSceltaCliente::FrmSceltaCliente(const QString& riga1, const QString& riga2, QWidget* parent)
    : QDialog(parent), m_riga1(riga1), m_riga2(riga2)
{
    setObjectName(QStringLiteral("FrmSceltaCliente"));
    setWindowTitle(QStringLiteral("CLIENTE IN ANAGRAFICA"));

    auto* testo = new QLabel(QStringLiteral("Il preventivo è intestato a \"%1\", che non è un cliente in "
                                            "Anagrafica: sceglierlo o crearlo.")
                                 .arg(riga1.trimmed()),
                             this);
    testo->setObjectName(QStringLiteral("LblTesto"));
    testo->setWordWrap(true);
    m_cli = new QComboBox(this);
    m_cli->setObjectName(QStringLiteral("ComboCli"));
    m_cli->setMinimumContentsLength(30);
    m_idCli = CustomerCodeBox::create(this);
    auto* caption = new QLabel(QStringLiteral("Cliente &Anagr."), this);
    caption->setBuddy(m_cli);
    WindowBehaviour::setAccessible(m_cli, QStringLiteral("Cliente Anagr."));
    if (auto err = WindowBehaviour::riempiClienti(m_idCli, m_cli))
        WindowBehaviour::showDbError(this, *err);
    m_cli->setCurrentIndex(m_cli->findText(riga1.trimmed(), Qt::MatchFixedString));
    connect(m_cli, &QComboBox::currentIndexChanged, m_idCli, &QComboBox::setCurrentIndex);
    m_idCli->setCurrentIndex(m_cli->currentIndex());

    auto* scegli = WindowBehaviour::button(this, QStringLiteral("BtnScegli"), QStringLiteral("&SCEGLI"));
    auto* nuovo = WindowBehaviour::button(this, QStringLiteral("BtnNuovoCli"), QStringLiteral("&NUOVO CLIENTE"),
                                          QStringLiteral("Inserisce NUOVO cliente in Anagrafica"));
    auto* annulla = WindowBehaviour::button(this, QStringLiteral("BtnAnnulla"), QStringLiteral("&ANNULLA"));
    connect(scegli, &QPushButton::clicked, this, &FrmSceltaCliente::scegli);
    connect(nuovo, &QPushButton::clicked, this, &FrmSceltaCliente::nuovo);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);

    auto* riga = new QHBoxLayout;
    riga->addWidget(caption);
    riga->addWidget(m_cli, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(nuovo);
    buttons->addStretch();
    buttons->addWidget(annulla);
    buttons->addWidget(scegli);
    auto* root = new QVBoxLayout(this);
    root->addWidget(testo);
    root->addLayout(riga);
    root->addStretch();
    root->addLayout(buttons);
    WindowBehaviour::setAccessible(testo, testo->text());
    resize(520, 180);
    WindowBehaviour::centreOnly(this);
}

void FrmSceltaCliente::scegli()
{
    if (m_idCli->currentIndex() < 0 || m_idCli->currentText().isEmpty()) {
        dialogs().message(this, QStringLiteral("Selezionare un CLIENTE"), QString(), Dialogs::Icon::Exclamation);
        m_cli->setFocus();
        return;
    }
    m_scelto = m_idCli->currentText().toLongLong();
    accept();
}

void FrmSceltaCliente::nuovo()
{
    FrmAna frm(this);
    if (!frm.Carica(QString()))
        return;
    frm.Precompila(m_riga1, m_riga2);
    dialogs().exec(&frm);
    // Closed without saving: the choice is still open.
    if (frm.codiceSalvato() == 0)
        return;
    m_scelto = frm.codiceSalvato();
    accept();
}
