#include "ddt/ui/formddt.h"

#include "ddt/ddtstore.h"
#include "ddt/ui/ddtregistermodel.h"
#include "ddt/ui/ddtregisterprint.h"
#include "ddt/ui/formregddt.h"
#include "papers/ui/registerfilter.h"
#include "papers/ui/registerwindow.h"
#include "printing/ui/registerprint.h"
#include "shell/companystore.h"
#include "shell/dialogs.h"
#include "shell/ui/gridchoice.h"
#include "shell/ui/windowbehaviour.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

std::function<void(QWidget*, int, qint64)>& FormDdt::invoicing()
{
    static std::function<void(QWidget*, int, qint64)> open;
    return open;
}

void FormDdt::offerInvoicing(std::function<void(QWidget*, int anno, qint64 idCliente)> open)
{
    invoicing() = std::move(open);
}

FormDdt::FormDdt(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormDdt"));
    setWindowTitle(CompanyStore::windowTitle(QStringLiteral("DOCUMENTI DI TRASPORTO")));

    m_labelInt = RegisterWindow::heading(this, QStringLiteral("Times New Roman"));
    m_filtro =
        new RegisterFilter(this, m_labelInt, QStringLiteral("D.D.T. "), [] { return DdtStore::customersWithDdt(); });

    m_model = new DdtRegisterModel(this);
    m_grid = RegisterWindow::grid(this, m_model, {400, 1100, 4800, 1400, 2930, 1100},
                                  QStringLiteral("Documenti di trasporto"));

    m_lblRec = new QLabel(this);
    m_lblRec->setObjectName(QStringLiteral("LblRec"));

    auto* emetti = WindowBehaviour::button(this, "BtnEmetti", QStringLiteral("&EMETTI D.D.T."));
    auto* richiama = WindowBehaviour::button(this, "BtnRichiama", QStringLiteral("&RICHIAMA D.D.T."));
    auto* anno = WindowBehaviour::button(this, "BtnAnno", QStringLiteral("CAMBIA A&NNO"));
    auto* fattura = WindowBehaviour::button(this, "BtnFattura", QStringLiteral("&FATTURA DDT"),
                                            QStringLiteral("Fattura differita dei DDT del cliente scelto"));
    auto* stampa = WindowBehaviour::button(this, "BtnStampa", QStringLiteral("&STAMPA"));
    auto* ant = WindowBehaviour::button(this, "BtnAnt", QString(), QStringLiteral("Anteprima di Stampa"));
    ant->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    auto* chiudi = WindowBehaviour::button(this, "BtnChiudi", QStringLiteral("&CHIUDI"));

    auto* actions = new QHBoxLayout;
    actions->addWidget(emetti);
    actions->addWidget(richiama);
    actions->addWidget(fattura);
    actions->addStretch();
    actions->addWidget(ant);
    actions->addWidget(stampa);
    actions->addWidget(chiudi);
    auto* root = new QVBoxLayout(this);
    root->addLayout(RegisterWindow::topRow(m_labelInt, m_filtro, anno));
    root->addWidget(m_grid, 1);
    root->addWidget(m_lblRec);
    root->addLayout(actions);

    connect(m_filtro, &RegisterFilter::cambiato, this, &FormDdt::caricaElenco);
    m_choice = new GridChoice(m_grid);
    connect(m_choice, &GridChoice::chosen, this, &FormDdt::seleziona);
    m_choice->doubleClickPresses(richiama);
    connect(emetti, &QPushButton::clicked, this, &FormDdt::emetti);
    connect(richiama, &QPushButton::clicked, this, &FormDdt::richiama);
    connect(anno, &QPushButton::clicked, this, &FormDdt::cambiaAnno);
    connect(fattura, &QPushButton::clicked, this, [this] {
        if (invoicing())
            invoicing()(this, m_filtro->anno(), m_filtro->idCliente());
        caricaElenco();
    });
    const auto stampaRegistro = [this](bool anteprima) {
        QString error;
        const auto table = DdtRegisterPrint::ddt(m_filtro->anno(), m_filtro->idCliente(), error);
        anteprima ? RegisterPrint::preview(this, table, error) : RegisterPrint::print(this, table, error);
    };
    connect(stampa, &QPushButton::clicked, this, [=] { stampaRegistro(false); });
    connect(ant, &QPushButton::clicked, this, [=] { stampaRegistro(true); });
    connect(chiudi, &QPushButton::clicked, this, &QDialog::close);

    WindowBehaviour::sizeAndCentre(this, 12000, 9000);
    WindowBehaviour::setBackground(this, QStringLiteral("Img/Sfondo2.jpg"));
    m_filtro->riempi();
    caricaElenco();
}

int FormDdt::anno() const
{
    return m_filtro->anno();
}

void FormDdt::caricaElenco()
{
    m_selNum.clear();
    RegisterWindow::riempi(this, m_model, m_lblRec, DdtStore::registro(m_filtro->anno(), m_filtro->idCliente()),
                           QStringLiteral("D.D.T."));
}

void FormDdt::seleziona(int r)
{
    const DdtStore::RegisterRow* row = m_model->row(r);
    m_selNum = row ? row->num : QString();
}

void FormDdt::cambiaAnno()
{
    if (m_filtro->cambiaAnno())
        caricaElenco();
}

void FormDdt::emetti()
{
    {
        FormRegDdt editor(this);
        if (editor.Carica(QString()))
            dialogs().exec(&editor);
    }
    // The choice made before stays.
    const QString chosen = m_selNum;
    m_filtro->riempi();
    caricaElenco();
    m_selNum = chosen;
}

void FormDdt::richiama()
{
    if (m_selNum.isEmpty()) {
        dialogs().message(this, QStringLiteral("Selezionare prima un DDT"), QString(), Dialogs::Icon::Information);
        return;
    }
    {
        FormRegDdt editor(this);
        if (editor.Carica(m_selNum))
            dialogs().exec(&editor);
    }
    m_filtro->riempi();
    caricaElenco();
}
