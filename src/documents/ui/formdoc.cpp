#include "documents/ui/formdoc.h"

#include "documents/documentstore.h"
#include "documents/ui/documentregistermodel.h"
#include "documents/ui/formregdoc.h"
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

FormDoc::FormDoc(QWidget* parent) : QDialog(parent), m_anno(QDate::currentDate().year())
{
    setObjectName(QStringLiteral("FormDoc"));
    setWindowTitle(CompanyStore::windowTitle(QStringLiteral("DOCUMENTI")));

    m_labelInt = RegisterWindow::heading(this, QStringLiteral("Times New Roman"));
    m_model = new DocumentRegisterModel(this);
    m_grid = RegisterWindow::grid(this, m_model, {400, 1200, 1400, 7600}, QStringLiteral("Documenti"));
    m_lblRec = new QLabel(this);
    m_lblRec->setObjectName(QStringLiteral("LblRec"));

    auto* registraBtn = WindowBehaviour::button(this, "BtnRegistra", QStringLiteral("&REGISTRA DOCUMENTO"));
    auto* richiamaBtn = WindowBehaviour::button(this, "BtnRichiama", QStringLiteral("RICHIAMA &DOCUMENTO"));
    auto* anno = WindowBehaviour::button(this, "BtnAnno", QStringLiteral("CAMBIA A&NNO"));
    auto* chiudi = WindowBehaviour::button(this, "BtnChiudi", QStringLiteral("&CHIUDI"));

    RegisterWindow::simpleLayout(this, m_labelInt, anno, m_grid, m_lblRec, {registraBtn, richiamaBtn}, chiudi);

    m_choice = new GridChoice(m_grid);
    connect(m_choice, &GridChoice::chosen, this, &FormDoc::seleziona);
    m_choice->doubleClickPresses(richiamaBtn);
    connect(registraBtn, &QPushButton::clicked, this, &FormDoc::registra);
    connect(richiamaBtn, &QPushButton::clicked, this, &FormDoc::richiama);
    connect(anno, &QPushButton::clicked, this, &FormDoc::cambiaAnno);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::close);

    WindowBehaviour::sizeAndCentre(this, 12000, 9000);
    WindowBehaviour::setBackground(this, QStringLiteral("Img/Sfondo2.jpg"));
    aggiornaElenco();
}

void FormDoc::aggiornaElenco()
{
    m_labelInt->setText(QStringLiteral("Documenti %1").arg(m_anno));
    m_selNum.clear();
    RegisterWindow::riempi(this, m_model, m_lblRec, DocumentStore::registro(m_anno), QStringLiteral("documenti"));
}

void FormDoc::seleziona(int r)
{
    const DocumentStore::RegisterRow* row = m_model->row(r);
    m_selNum = row ? row->num : QString();
}

void FormDoc::cambiaAnno()
{
    if (const auto anno = WindowBehaviour::askYear(this)) {
        m_anno = *anno;
        aggiornaElenco();
    }
}

void FormDoc::registra()
{
    {
        FormRegDoc editor(this);
        if (editor.Carica(QString()))
            dialogs().exec(&editor);
    }
    // The choice made before stays.
    const QString chosen = m_selNum;
    aggiornaElenco();
    m_selNum = chosen;
}

void FormDoc::richiama()
{
    if (m_selNum.isEmpty()) {
        dialogs().message(this, QStringLiteral("Selezionare prima un DOCUMENTO"), QString(),
                          Dialogs::Icon::Information);
        return;
    }
    {
        FormRegDoc editor(this);
        if (editor.Carica(m_selNum))
            dialogs().exec(&editor);
    }
    aggiornaElenco();
}
