#include "papers/ui/yearregister.h"

#include "papers/ui/registerwindow.h"
#include "shell/companystore.h"
#include "shell/dialogs.h"
#include "shell/ui/gridchoice.h"
#include "shell/ui/windowbehaviour.h"

#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

YearRegister::YearRegister(QWidget* parent, const Testi& testi)
    : QDialog(parent), m_testi(testi), m_anno(QDate::currentDate().year())
{
    setObjectName(QString::fromLatin1(testi.nome));
    setWindowTitle(CompanyStore::windowTitle(testi.titolo));
}

void YearRegister::costruisci(QAbstractItemModel* model, std::initializer_list<int> widths)
{
    m_labelInt = RegisterWindow::heading(this, QStringLiteral("Times New Roman"));
    m_grid = RegisterWindow::grid(this, model, widths, m_testi.tipo);
    m_lblRec = new QLabel(this);
    m_lblRec->setObjectName(QStringLiteral("LblRec"));

    auto* registraBtn = WindowBehaviour::button(this, "BtnRegistra", m_testi.registra);
    auto* richiamaBtn = WindowBehaviour::button(this, "BtnRichiama", m_testi.richiama);
    auto* anno = WindowBehaviour::button(this, "BtnAnno", QStringLiteral("CAMBIA A&NNO"));
    auto* chiudi = WindowBehaviour::button(this, "BtnChiudi", QStringLiteral("&CHIUDI"));

    RegisterWindow::simpleLayout(this, m_labelInt, anno, m_grid, m_lblRec, {registraBtn, richiamaBtn}, chiudi);

    m_choice = new GridChoice(m_grid);
    connect(m_choice, &GridChoice::chosen, this, [this](int r) { m_selNum = numero(r); });
    m_choice->doubleClickPresses(richiamaBtn);
    connect(registraBtn, &QPushButton::clicked, this, &YearRegister::registra);
    connect(richiamaBtn, &QPushButton::clicked, this, &YearRegister::richiama);
    connect(anno, &QPushButton::clicked, this, &YearRegister::cambiaAnno);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::close);

    WindowBehaviour::sizeAndCentre(this, 12000, 9000);
    WindowBehaviour::setBackground(this, QStringLiteral("Img/Sfondo2.jpg"));
}

void YearRegister::aggiornaElenco()
{
    m_labelInt->setText(m_testi.tipo + u' ' + QString::number(m_anno));
    m_selNum.clear();
    riempi(m_anno, m_lblRec);
}

void YearRegister::cambiaAnno()
{
    if (const auto anno = WindowBehaviour::askYear(this)) {
        m_anno = *anno;
        aggiornaElenco();
    }
}

void YearRegister::registra()
{
    apri(QString());
    // The choice made before stays.
    const QString chosen = m_selNum;
    aggiornaElenco();
    m_selNum = chosen;
}

void YearRegister::richiama()
{
    if (m_selNum.isEmpty()) {
        dialogs().message(this, m_testi.nessunaScelta, QString(), Dialogs::Icon::Information);
        return;
    }
    apri(m_selNum);
    aggiornaElenco();
}
