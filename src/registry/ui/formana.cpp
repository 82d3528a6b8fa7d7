#include "registry/ui/formana.h"

#include "registry/customerstore.h"
#include "registry/registryrules.h"
#include "registry/ui/frmana.h"
#include "shell/dialogs.h"
#include "shell/ui/gridchoice.h"
#include "shell/ui/windowbehaviour.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace {

const QString kSelezionare = QStringLiteral("Selezionare prima un CLIENTE");

} // namespace

FormAna::FormAna(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAna"));
    setWindowTitle(QStringLiteral("ANAGRAFICA"));

    auto* labelInt = new QLabel(QStringLiteral("Anagrafica"), this);
    labelInt->setObjectName(QStringLiteral("LabelInt"));
    QFont big = labelInt->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    labelInt->setFont(big);

    m_names = new QStringListModel(this);
    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setModel(m_names);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Equal rows let the view lay out thousands of names without measuring each.
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    WindowBehaviour::setAccessible(m_list, QStringLiteral("Elenco clienti"));

    m_lblN = new QLabel(QStringLiteral("   clienti"), this);
    m_lblN->setObjectName(QStringLiteral("LblN"));

    auto* letters = new QGridLayout;
    letters->setSpacing(4);
    const QStringList& captions = RegistryRules::initialButtons();
    for (int i = 0; i < captions.size(); ++i) {
        auto* b = WindowBehaviour::button(this, "", captions.at(i));
        b->setObjectName(QStringLiteral("Btn") + QString::number(i));
        b->setMinimumWidth(40);
        connect(b, &QPushButton::clicked, this, [this, i] { filtra(m_btn.at(i)->text()); });
        letters->addWidget(b, i / 6, i % 6);
        m_btn.append(b);
    }

    auto* apri = WindowBehaviour::button(this, "BtnApri", QStringLiteral("&APRI"));
    auto* nuovo = WindowBehaviour::button(this, "BtnNuovo", QStringLiteral("&NUOVO CLIENTE"));
    auto* elimina = WindowBehaviour::button(this, "BtnElimina", QStringLiteral("&ELIMINA"));
    auto* elenco = WindowBehaviour::button(this, "BtnElenco", QStringLiteral("E&lenco completo"));
    auto* chiudi = WindowBehaviour::button(this, "BtnChiudi", QStringLiteral("&CHIUDI"));
    connect(apri, &QPushButton::clicked, this, &FormAna::apri);
    m_choice = new GridChoice(m_list);
    m_choice->doubleClickPresses(apri);
    connect(nuovo, &QPushButton::clicked, this, &FormAna::nuovo);
    connect(elimina, &QPushButton::clicked, this, &FormAna::elimina);
    connect(elenco, &QPushButton::clicked, this, [this] { filtra(QString()); });
    connect(chiudi, &QPushButton::clicked, this, &QDialog::close);

    auto* side = new QVBoxLayout;
    side->addLayout(letters);
    side->addSpacing(12);
    side->addWidget(elenco);
    side->addStretch();
    side->addWidget(apri);
    side->addWidget(nuovo);
    side->addWidget(elimina);
    side->addSpacing(12);
    side->addWidget(chiudi);

    auto* left = new QVBoxLayout;
    left->addWidget(m_list, 1);
    left->addWidget(m_lblN);

    // Names run up to 50 characters: the list gets the larger share of the window.
    m_list->setMinimumWidth(300);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 3);
    body->addLayout(side, 2);

    auto* root = new QVBoxLayout(this);
    root->addWidget(labelInt);
    root->addLayout(body, 1);

    resize(720, 520);
    WindowBehaviour::centreOnly(this);
    WindowBehaviour::setBackground(this, QStringLiteral("Img/Sfondo2.jpg"));
    riempi();
}

void FormAna::riempi()
{
    const auto names = CustomerStore::names(m_filtro);
    // The whole list in one reset: thousands of names arrive as a single change.
    m_names->setStringList(names ? names.value() : QStringList());
    m_lblN->setText(RegistryRules::countText(m_names->rowCount()));
    if (!names)
        WindowBehaviour::showDbError(this, names.error());
}

bool FormAna::selezionato(QString& nome)
{
    if (m_choice->row() < 0) {
        dialogs().message(this, kSelezionare, QString(), Dialogs::Icon::Exclamation);
        return false;
    }
    nome = m_names->index(m_choice->row()).data().toString();
    return true;
}

void FormAna::apri()
{
    QString nome;
    if (!selezionato(nome))
        return;
    FrmAna frm(this);
    if (frm.Carica(nome))
        dialogs().exec(&frm);
    riempi();
}

void FormAna::nuovo()
{
    FrmAna frm(this);
    if (frm.Carica(QString()))
        dialogs().exec(&frm);
    riempi();
}

void FormAna::elimina()
{
    QString nome;
    if (!selezionato(nome))
        return;
    const auto answer =
        dialogs().message(this, QStringLiteral("Cliente '") + nome.toUpper() + QStringLiteral("' ?"),
                          QStringLiteral("CONFERMI ELIMINAZIONE"), Dialogs::Icon::Question, Dialogs::Buttons::YesNo);
    if (answer != Dialogs::Answer::Yes)
        return;
    const auto removed = CustomerStore::remove(nome);
    if (!removed) {
        WindowBehaviour::showDbError(this, removed.error());
        return;
    }
    if (!removed.value()) {
        dialogs().message(this, QStringLiteral("Errore durante l'eliminazione"), QString(), Dialogs::Icon::Critical);
        return;
    }
    riempi();
    dialogs().message(this, QStringLiteral("Eliminazione effettuata con successo"), QString(),
                      Dialogs::Icon::Information);
}

void FormAna::filtra(const QString& iniziali)
{
    m_filtro = iniziali;
    riempi();
}
