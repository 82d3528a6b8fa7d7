#include "papers/ui/registerfilter.h"

#include "shell/ui/windowbehaviour.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <algorithm>

RegisterFilter::RegisterFilter(QWidget* window, QLabel* title, const QString& prefix,
                               std::function<DbResult<QList<CustomerEntry>>()> customers)
    : QObject(window), m_window(window), m_title(title), m_prefix(prefix), m_customers(std::move(customers)),
      m_anno(QDate::currentDate().year())
{
    m_cli = new QComboBox(window);
    m_cli->setObjectName(QStringLiteral("ComboCli"));
    m_cli->setMinimumContentsLength(30);
    m_idCli = new QComboBox(window);
    m_idCli->setObjectName(QStringLiteral("ComboIdCli"));
    m_idCli->hide();
    WindowBehaviour::setAccessible(m_idCli, QStringLiteral("Codice cliente"));
    m_label = new QLabel(QStringLiteral("CLIENTE"), window);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setBuddy(m_cli);
    WindowBehaviour::setAccessible(m_cli, QStringLiteral("CLIENTE"));
    m_title->setText(m_prefix + QString::number(m_anno));
    connect(m_cli, &QComboBox::activated, this, &RegisterFilter::scelta);
}

void RegisterFilter::riempi()
{
    m_cli->clear();
    m_idCli->clear();
    m_idCli->addItem(QStringLiteral("0"));
    m_cli->addItem(QStringLiteral("Tutti"));
    const auto customers = m_customers();
    if (!customers)
        WindowBehaviour::showDbError(m_window, customers.error());
    else
        WindowBehaviour::fillCustomerLists(m_idCli, m_cli, customers.value());
    const int index = m_idCli->findText(QString::number(m_filtro));
    if (index < 0)
        m_filtro = 0;
    m_cli->setCurrentIndex(std::max(index, 0));
    m_idCli->setCurrentIndex(std::max(index, 0));
}

bool RegisterFilter::cambiaAnno()
{
    const auto anno = WindowBehaviour::askYear(m_window);
    if (!anno)
        return false;
    m_anno = *anno;
    m_title->setText(m_prefix + QString::number(m_anno));
    return true;
}

void RegisterFilter::scelta(int index)
{
    if (index < 0 || index >= m_idCli->count())
        return;
    m_idCli->setCurrentIndex(index);
    m_filtro = m_idCli->itemText(index).toLongLong();
    emit cambiato();
}
