#include "shell/ui/frmazi.h"
#include "shell/ui/closeguard.h"

#include "data/textcolumns.h"
#include "shell/companystore.h"
#include "shell/ui/windowbehaviour.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FrmAzi::FrmAzi(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmAzi"));
    setWindowTitle(QStringLiteral("DATI INTESTAZIONE"));
    resize(620, 300);
    m_frame = new FocusFrame(this, false);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(24, 24, 24, 18);
    grid->setVerticalSpacing(12);
    for (int i = 1; i <= CompanyStore::kLines; ++i) {
        auto* label = new QLabel(QStringLiteral("Riga %1").arg(i), this);
        label->setObjectName(QStringLiteral("Label%1").arg(i));
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("TxtRiga%1").arg(i));
        box->setMaxLength(TextColumns::Azienda::Riga);
        label->setBuddy(box);
        WindowBehaviour::setAccessible(box, label->text());
        m_frame->track(box);
        m_righe[i - 1] = box;
        grid->addWidget(label, i - 1, 0);
        grid->addWidget(box, i - 1, 1);
    }
    auto* salva = new QPushButton(QStringLiteral("&SALVA"), this);
    salva->setObjectName(QStringLiteral("BtnSalva"));
    auto* annulla = new QPushButton(QStringLiteral("&ANNULLA"), this);
    annulla->setObjectName(QStringLiteral("BtnAnnulla"));
    for (QPushButton* b : {salva, annulla}) {
        WindowBehaviour::setAccessible(b, b->text());
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
        m_frame->track(b);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(salva);
    buttons->addWidget(annulla);
    grid->addLayout(buttons, CompanyStore::kLines, 0, 1, 2);

    connect(salva, &QPushButton::clicked, this, &FrmAzi::BtnSalva_Click);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
    CloseGuard::suiCampi(this);

    WindowBehaviour::centreOnly(this);
    WindowBehaviour::setBackground(this, QStringLiteral("Img/Sfondo3.jpg"));

    const auto lines = CompanyStore::load();
    if (!lines) {
        WindowBehaviour::showDbError(this, lines.error());
        return;
    }
    for (int i = 0; i < CompanyStore::kLines; ++i)
        m_righe[i]->setText(lines.value()[i]);
}

void FrmAzi::BtnSalva_Click()
{
    QStringList lines;
    for (QLineEdit* box : m_righe)
        lines << box->text();
    if (const auto err = CompanyStore::save(lines)) {
        // The dialog stays open with what was typed, so nothing is lost.
        WindowBehaviour::showDbError(this, *err);
        return;
    }
    accept();
}
