#include "quotes/ui/formpre.h"

#include "quotes/quotestore.h"
#include "quotes/ui/formregpre.h"
#include "quotes/ui/quoteregistermodel.h"
#include "shell/companystore.h"
#include "shell/dialogs.h"
#include "shell/ui/gridchoice.h"
#include "shell/ui/registerwindow.h"
#include "shell/ui/windowbehaviour.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kPrefisso = QStringLiteral("Preventivi ");

} // namespace

FormPre::FormPre(QWidget* parent) : QDialog(parent), m_anno(QDate::currentDate().year())
{
    setObjectName(QStringLiteral("FormPre"));
    setWindowTitle(CompanyStore::windowTitle(QStringLiteral("PREVENTIVI")));

    m_labelInt = RegisterWindow::heading(this, QStringLiteral("Times New Roman"));
    m_labelInt->setText(kPrefisso + QString::number(m_anno));
    m_model = new QuoteRegisterModel(this);
    m_grid = RegisterWindow::grid(this, m_model, {400, 1200, 5500, 1500}, QStringLiteral("Preventivi"));
    m_lblRec = new QLabel(this);
    m_lblRec->setObjectName(QStringLiteral("LblRec"));

    auto* registra = WindowBehaviour::button(this, "BtnRegistra", QStringLiteral("&REGISTRA PREVENTIVO"));
    auto* richiama = WindowBehaviour::button(this, "BtnRichiama", QStringLiteral("RICHIAMA &PREVENTIVO"));
    auto* anno = WindowBehaviour::button(this, "BtnAnno", QStringLiteral("CAMBIA A&NNO"));
    auto* chiudi = WindowBehaviour::button(this, "BtnChiudi", QStringLiteral("&CHIUDI"));

    RegisterWindow::simpleLayout(this, m_labelInt, anno, m_grid, m_lblRec, {registra, richiama}, chiudi);

    m_choice = new GridChoice(m_grid);
    connect(m_choice, &GridChoice::chosen, this, &FormPre::seleziona);
    m_choice->doubleClickPresses(richiama);
    connect(registra, &QPushButton::clicked, this, &FormPre::registra);
    connect(richiama, &QPushButton::clicked, this, &FormPre::richiama);
    connect(anno, &QPushButton::clicked, this, &FormPre::cambiaAnno);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::close);

    WindowBehaviour::sizeAndCentre(this, 12000, 9000);
    WindowBehaviour::setBackground(this, QStringLiteral("Img/Sfondo2.jpg"));
    caricaElenco();
}

void FormPre::caricaElenco()
{
    m_selNum.clear();
    RegisterWindow::riempi(this, m_model, m_lblRec, QuoteStore::registro(m_anno), QStringLiteral("preventivi"));
}

void FormPre::seleziona(int r)
{
    const QuoteStore::RegisterRow* row = m_model->row(r);
    m_selNum = row ? row->num : QString();
}

void FormPre::cambiaAnno()
{
    const auto anno = WindowBehaviour::askYear(this);
    if (!anno)
        return;
    m_anno = *anno;
    m_labelInt->setText(kPrefisso + QString::number(m_anno));
    caricaElenco();
}

void FormPre::registra()
{
    {
        FormRegPre editor(this);
        if (editor.Carica(QString()))
            dialogs().exec(&editor);
    }
    // The choice made before stays.
    const QString chosen = m_selNum;
    caricaElenco();
    m_selNum = chosen;
}

void FormPre::richiama()
{
    if (m_selNum.isEmpty()) {
        dialogs().message(this, QStringLiteral("Selezionare prima PREVENTIVO"), QString(), Dialogs::Icon::Information);
        return;
    }
    {
        FormRegPre editor(this);
        if (editor.Carica(m_selNum))
            dialogs().exec(&editor);
    }
    caricaElenco();
}
