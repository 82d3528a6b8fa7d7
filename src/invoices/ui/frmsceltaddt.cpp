#include "invoices/ui/frmsceltaddt.h"

#include "ddt/ddtlinkstore.h"
#include "invoices/ddtinvoicing.h"
#include "invoices/ui/formregfatt.h"
#include "shell/dialogs.h"
#include "shell/ui/windowbehaviour.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

FrmSceltaDdt::FrmSceltaDdt(const QList<Ddt>& ddts, QWidget* parent) : QDialog(parent), m_ddts(ddts)
{
    setObjectName(QStringLiteral("FrmSceltaDdt"));
    setWindowTitle(QStringLiteral("DDT da fatturare"));
    m_frame = new FocusFrame(this, false);

    auto* label = new QLabel(QStringLiteral("DDT da includere nella fattura:"), this);
    auto* list = new QWidget;
    auto* checks = new QVBoxLayout(list);
    for (int i = 0; i < m_ddts.size(); ++i) {
        const QString caption = DdtInvoicing::intestazione(m_ddts.at(i));
        auto* chk = new QCheckBox(caption, list);
        chk->setObjectName(QStringLiteral("ChkDdt%1").arg(i));
        WindowBehaviour::setAccessible(chk, caption);
        chk->setChecked(true);
        m_frame->track(chk);
        checks->addWidget(chk, 0, Qt::AlignLeft);
        m_chk.append(chk);
    }
    checks->addStretch();
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(list);
    scroll->setWidgetResizable(true);
    WindowBehaviour::setAccessible(scroll, label->text());

    auto* fattura = WindowBehaviour::button(this, QStringLiteral("BtnFattura"), QStringLiteral("&FATTURA"));
    auto* annulla = WindowBehaviour::button(this, QStringLiteral("BtnAnnulla"), QStringLiteral("&ANNULLA"));
    m_frame->track(fattura);
    m_frame->track(annulla);
    connect(fattura, &QPushButton::clicked, this, &FrmSceltaDdt::fattura);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(fattura);
    buttons->addWidget(annulla);
    auto* root = new QVBoxLayout(this);
    root->addWidget(label);
    root->addWidget(scroll, 1);
    root->addLayout(buttons);

    resize(420, 360);
    WindowBehaviour::centreOnly(this);
    WindowBehaviour::setBackground(this, QStringLiteral("Img/Sfondo3.jpg"));
}

QList<Ddt> FrmSceltaDdt::scelti() const
{
    QList<Ddt> out;
    for (int i = 0; i < m_chk.size(); ++i)
        if (m_chk.at(i)->isChecked())
            out.append(m_ddts.at(i));
    return out;
}

void FrmSceltaDdt::fattura()
{
    if (scelti().isEmpty()) {
        dialogs().message(this, QStringLiteral("Selezionare almeno un DDT"), QStringLiteral("AVVISO"),
                          Dialogs::Icon::Exclamation);
        return;
    }
    accept();
}

void FrmSceltaDdt::fatturaDdt(QWidget* parent, int anno, qint64 idAna)
{
    if (idAna == 0) {
        dialogs().message(parent, QStringLiteral("Selezionare un CLIENTE"), QString(), Dialogs::Icon::Exclamation);
        return;
    }
    const auto ddts = DdtLinkStore::daFatturare(anno, idAna);
    if (!ddts) {
        WindowBehaviour::showDbError(parent, ddts.error());
        return;
    }
    if (ddts->isEmpty()) {
        dialogs().message(parent, QStringLiteral("Nessun DDT da fatturare per questo cliente nel %1").arg(anno),
                          QString(), Dialogs::Icon::Information);
        return;
    }
    QList<Ddt> scelti;
    {
        FrmSceltaDdt scelta(DdtInvoicing::inOrdine(ddts.value()), parent);
        if (dialogs().exec(&scelta) != QDialog::Accepted)
            return;
        scelti = scelta.scelti();
    }
    QStringList nums;
    for (const Ddt& d : scelti)
        nums << d.num;
    FormRegFatt editor(parent);
    if (editor.CaricaNuova(anno, idAna, DdtInvoicing::righe(scelti), nums))
        dialogs().exec(&editor);
}
