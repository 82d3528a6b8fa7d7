#include "printing/ui/frmcopie.h"

#include "shell/appstate.h"
#include "shell/dialogs.h"
#include "shell/ui/windowbehaviour.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

FrmCopie::FrmCopie(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmCopie"));
    setWindowTitle(QStringLiteral("Scegliere # COPIE"));
    m_frame = new FocusFrame(this, false);

    const QString captions[2] = {QStringLiteral("1 COPIA"), QStringLiteral("2 COPIE")};
    auto* checks = new QVBoxLayout;
    for (int i = 0; i < 2; ++i) {
        m_chk[i] = new QCheckBox(captions[i], this);
        m_chk[i]->setObjectName(QStringLiteral("ChkCopie%1").arg(i));
        WindowBehaviour::setAccessible(m_chk[i], captions[i]);
        m_frame->track(m_chk[i]);
        // As wide as its caption, so the focus frame hugs the option.
        checks->addWidget(m_chk[i], 0, Qt::AlignLeft);
        connect(m_chk[i], &QCheckBox::clicked, this, [this, i](bool checked) { chkCopie_Click(i, checked); });
    }
    auto* avanti = WindowBehaviour::button(this, QStringLiteral("BtnAvanti"), QStringLiteral("&AVANTI"));
    auto* annulla = WindowBehaviour::button(this, QStringLiteral("BtnAnnulla"), QStringLiteral("&Annulla"));
    connect(avanti, &QPushButton::clicked, this, &FrmCopie::BtnAvanti_Click);
    connect(annulla, &QPushButton::clicked, this, &FrmCopie::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(avanti);
    buttons->addWidget(annulla);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(30, 24, 24, 16);
    root->addLayout(checks);
    root->addSpacing(12);
    root->addLayout(buttons);

    resize(320, 160);
    WindowBehaviour::centreOnly(this);
    WindowBehaviour::setBackground(this, QStringLiteral("Img/Sfondo3.jpg"));

    app().numeroCopie = 2;
    m_chk[1]->setChecked(true);
}

void FrmCopie::chkCopie_Click(int index, bool checked)
{
    if (!checked)
        return;
    m_chk[1 - index]->setChecked(false);
    m_frame->shape()->show();
}

void FrmCopie::BtnAvanti_Click()
{
    if (!m_chk[0]->isChecked() && !m_chk[1]->isChecked()) {
        dialogs().message(this, QStringLiteral("Selezionare # di COPIE da stampare"), QString(),
                          Dialogs::Icon::Exclamation);
        return;
    }
    if (m_chk[0]->isChecked())
        app().numeroCopie = 1;
    if (m_chk[1]->isChecked())
        app().numeroCopie = 2;
    accept();
}

void FrmCopie::reject()
{
    app().numeroCopie = 0;
    QDialog::reject();
}
