#include "warehouse/ui/frmimpcat.h"

#include "shell/dialogs.h"
#include "shell/formats.h"
#include "shell/ui/gridchoice.h"
#include "shell/ui/windowbehaviour.h"
#include "warehouse/warehouserules.h"
#include "warehouse/warehousestore.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { Fixed = 0, Nome = 1, Id = 2 };

const QString kSelezionare = QStringLiteral("Selezionare una CATEGORIA");

QString alreadyThere(const QString& name)
{
    return QStringLiteral("Categoria ") + name + QStringLiteral(" già esistente");
}

} // namespace

FrmImpCat::FrmImpCat(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmImpCat"));
    setWindowTitle(QStringLiteral("Impostazione CATEGORIE MAGAZZINO"));

    m_grid = new QTableWidget(0, 3, this);
    m_grid->setObjectName(QStringLiteral("FGrid"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->setHorizontalHeaderLabels({QString(), QStringLiteral("Categoria"), QStringLiteral("Id")});
    m_grid->setColumnWidth(Fixed, WindowBehaviour::twipsToPixels(400, this));
    m_grid->setColumnWidth(Nome, WindowBehaviour::twipsToPixels(3780, this));
    m_grid->setColumnWidth(Id, WindowBehaviour::twipsToPixels(400, this));
    WindowBehaviour::setAccessible(m_grid, QStringLiteral("Categorie"));

    auto* inserisci = WindowBehaviour::button(this, "BtnInserisci", QStringLiteral("&INSERISCI"));
    m_btnRinomina = WindowBehaviour::button(this, "BtnRinomina", QStringLiteral("&RINOMINA"));
    m_btnElimina = WindowBehaviour::button(this, "BtnElimina", QStringLiteral("&ELIMINA"));
    auto* chiudi = WindowBehaviour::button(this, "BtnChiudi", QStringLiteral("&CHIUDI"));
    m_btnRinomina->setEnabled(false);
    m_btnElimina->setEnabled(false);

    m_choice = new GridChoice(m_grid);
    connect(m_choice, &GridChoice::chosen, this, &FrmImpCat::clickGriglia);
    connect(inserisci, &QPushButton::clicked, this, &FrmImpCat::inserisci);
    connect(m_btnRinomina, &QPushButton::clicked, this, &FrmImpCat::rinomina);
    connect(m_btnElimina, &QPushButton::clicked, this, &FrmImpCat::elimina);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(inserisci);
    buttons->addWidget(m_btnRinomina);
    buttons->addWidget(m_btnElimina);
    buttons->addStretch();
    buttons->addWidget(chiudi);
    auto* root = new QVBoxLayout(this);
    root->addWidget(m_grid, 1);
    root->addLayout(buttons);

    resize(WindowBehaviour::twipsToPixels(5200, this), WindowBehaviour::twipsToPixels(5400, this));
    WindowBehaviour::centreOnly(this);
    riempiGriglia();
}

void FrmImpCat::riempiGriglia()
{
    const auto categories = WarehouseStore::categories();
    if (!categories) {
        WindowBehaviour::showDbError(this, categories.error());
        return;
    }
    const QSignalBlocker block(m_grid);
    m_grid->setRowCount(0);
    m_grid->setRowCount(static_cast<int>(categories->size()));
    int row = 0;
    int selectedRow = -1;
    for (const auto& c : categories.value()) {
        auto* name = new QTableWidgetItem(c.nome);
        name->setToolTip(c.nome);
        auto* id = new QTableWidgetItem(Formats::code(c.id, 2));
        id->setData(Qt::UserRole, c.id);
        m_grid->setItem(row, Nome, name);
        m_grid->setItem(row, Id, id);
        if (c.id == m_selectedId)
            selectedRow = row;
        ++row;
    }
    // The chosen category stays chosen when the list is sorted again.
    if (selectedRow >= 0)
        m_choice->keep(selectedRow, Nome);
    else
        m_selectedId = 0;
}

void FrmImpCat::clickGriglia(int row)
{
    QTableWidgetItem* id = row >= 0 ? m_grid->item(row, Id) : nullptr;
    m_selectedId = id ? id->data(Qt::UserRole).toLongLong() : 0;
    if (m_selectedId != 0) {
        m_btnElimina->setEnabled(true);
        m_btnRinomina->setEnabled(true);
    }
}

int FrmImpCat::rigaScelta()
{
    for (int row = 0; m_selectedId != 0 && row < m_grid->rowCount(); ++row)
        if (m_grid->item(row, Id)->data(Qt::UserRole).toLongLong() == m_selectedId)
            return row;
    dialogs().message(this, kSelezionare, QString(), Dialogs::Icon::Exclamation);
    return -1;
}

bool FrmImpCat::refused(const QString& name, const DbError& err)
{
    if (err.number == DbError::Duplicate) {
        dialogs().message(this, alreadyThere(name), QString(), Dialogs::Icon::Critical);
        return false;
    }
    WindowBehaviour::showDbError(this, err);
    return true;
}

void FrmImpCat::inserisci()
{
    const auto answer = dialogs().input(this, QStringLiteral("Nome CATEGORIA ?"),
                                        QStringLiteral("Inserimento NUOVA Categoria"), QString());
    if (!answer || answer->trimmed().isEmpty())
        return;
    const QString name = WarehouseRules::categoryName(*answer);
    // The store refuses a name in use, also one another seat has just saved.
    if (const auto id = WarehouseStore::insertCategory(name); !id && !refused(name, id.error()))
        return;
    riempiGriglia();
}

void FrmImpCat::rinomina()
{
    const int row = rigaScelta();
    if (row < 0)
        return;
    const QString oldName = m_grid->item(row, Nome)->text();
    const auto answer =
        dialogs().input(this, QStringLiteral("NUOVO NOME Categoria ?"), QStringLiteral("RINOMINA Categoria"), oldName);
    if (!answer || answer->trimmed().isEmpty())
        return;
    const QString name = WarehouseRules::categoryName(*answer);
    if (auto err = WarehouseStore::renameCategory(m_selectedId, name); err && !refused(name, *err))
        return;
    riempiGriglia();
}

void FrmImpCat::elimina()
{
    const int row = rigaScelta();
    if (row < 0)
        return;
    const QString name = m_grid->item(row, Nome)->text();
    const auto answer =
        dialogs().message(this, QStringLiteral("Categoria ") + name, QStringLiteral("CONFERMA ELIMINAZIONE"),
                          Dialogs::Icon::Question, Dialogs::Buttons::YesNo);
    if (answer != Dialogs::Answer::Yes)
        return;
    const auto used = WarehouseStore::categoryHasValidItems(m_selectedId);
    if (!used) {
        WindowBehaviour::showDbError(this, used.error());
        return;
    }
    if (used.value()) {
        dialogs().message(this, QStringLiteral("La CATEGORIA contiene degli Articoli"),
                          QStringLiteral("Impossibile eliminare la CATEGORIA"), Dialogs::Icon::Information);
        return;
    }
    if (auto err = WarehouseStore::deleteCategory(m_selectedId)) {
        WindowBehaviour::showDbError(this, *err);
        return;
    }
    m_selectedId = 0;
    m_choice->clear();
    riempiGriglia();
}
