#include "invoices/ui/frmpresentazioni.h"

#include "shell/companystore.h"
#include "shell/formats.h"
#include "shell/ui/windowbehaviour.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

FrmPresentazioni::FrmPresentazioni(QWidget* parent, const QList<DueDateStore::Presentazione>& presentazioni)
    : QDialog(parent), m_presentazioni(presentazioni)
{
    setObjectName(QStringLiteral("FrmPresentazioni"));
    setWindowTitle(CompanyStore::windowTitle(QStringLiteral("PRESENTAZIONI RI.BA.")));

    m_lista = new QListWidget(this);
    m_lista->setObjectName(QStringLiteral("LstPresentazioni"));
    for (const DueDateStore::Presentazione& p : m_presentazioni)
        m_lista->addItem(descrizione(p));
    if (m_lista->count() > 0)
        m_lista->setCurrentRow(0);
    auto* caption = new QLabel(QStringLiteral("&Presentazione da annullare"), this);
    caption->setBuddy(m_lista);
    WindowBehaviour::setAccessible(m_lista, caption->text());

    auto* ok = WindowBehaviour::button(this, QStringLiteral("BtnOk"), QStringLiteral("&ANNULLA PRESENTAZIONE"));
    auto* chiudi = WindowBehaviour::button(this, QStringLiteral("BtnChiudi"), QStringLiteral("&CHIUDI"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(chiudi);
    auto* root = new QVBoxLayout(this);
    root->addWidget(caption);
    root->addWidget(m_lista, 1);
    root->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] {
        if (scelta())
            accept();
    });
    connect(m_lista, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    WindowBehaviour::sizeAndCentre(this, 8000, 4000);
}

const DueDateStore::Presentazione* FrmPresentazioni::scelta() const
{
    const int r = m_lista->currentRow();
    return r >= 0 && r < m_presentazioni.size() ? &m_presentazioni.at(r) : nullptr;
}

QString FrmPresentazioni::descrizione(const DueDateStore::Presentazione& p)
{
    return QStringLiteral("N. %1 del %2 - %3 Ri.Ba. per %4 - %5")
        .arg(p.id)
        .arg(Formats::shortDate(p.data))
        .arg(p.rate)
        .arg(Formats::euro(p.totale), p.nomeFile);
}
