#include "warehouse/ui/formmag.h"

#include "shell/companystore.h"
#include "shell/dialogs.h"
#include "shell/ui/gridchoice.h"
#include "shell/ui/windowbehaviour.h"
#include "warehouse/stockmovement.h"
#include "warehouse/ui/frmart.h"
#include "warehouse/warehouserules.h"
#include "warehouse/warehousestore.h"

#include <QComboBox>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

enum Column { Fixed = 0, IdArt = 1, Categoria = 2, Descrizione = 3, Um = 4, Qta = 5, ColumnCount = 6 };

const QString kSelezionare = QStringLiteral("Selezionare un ARTICOLO");

// Puts the text in the cell, reusing the cell's item: a refill mostly shows the same rows again,
// and rewriting an item costs far less than deleting it and making a new one.
void setCell(QTableWidget* grid, int row, int column, const QString& text)
{
    if (QTableWidgetItem* item = grid->item(row, column)) {
        item->setText(text);
        return;
    }
    auto* item = new QTableWidgetItem(text);
    // Quantities are numbers: they line up on the right, as the registers' amounts do.
    if (column == Qta)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->setItem(row, column, item);
}

} // namespace

FormMag::FormMag(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormMag"));
    setWindowTitle(CompanyStore::windowTitle(QStringLiteral("MAGAZZINO")));

    auto* labelInt = new QLabel(QStringLiteral("Magazzino"), this);
    labelInt->setObjectName(QStringLiteral("LabelInt"));
    QFont big = labelInt->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    labelInt->setFont(big);

    m_comboCat = new QComboBox(this);
    m_comboCat->setObjectName(QStringLiteral("ComboCat"));
    m_comboCod = new QComboBox(this);
    m_comboCod->setObjectName(QStringLiteral("ComboCod"));
    WindowBehaviour::setAccessible(m_comboCod, QStringLiteral("Codici categoria"));
    m_comboCod->hide();
    auto* labelCat = new QLabel(QStringLiteral("Visualizza Categoria"), this);
    labelCat->setObjectName(QStringLiteral("LabelCat"));
    labelCat->setBuddy(m_comboCat);
    WindowBehaviour::setAccessible(m_comboCat, labelCat->text());

    m_grid = new QTableWidget(0, ColumnCount, this);
    m_grid->setObjectName(QStringLiteral("FGrid"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    // Rows of one height let the view place thousands of rows without measuring them.
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->setHorizontalHeaderLabels({QString(), QString(), QStringLiteral("Categoria"), QStringLiteral("Descrizione"),
                                       QStringLiteral("U.M."), QStringLiteral("Quantità")});
    const int widths[ColumnCount] = {500, 0, 2500, 5500, 800, 1040};
    for (int c = 0; c < ColumnCount; ++c)
        m_grid->setColumnWidth(c, WindowBehaviour::twipsToPixels(widths[c], this));
    m_grid->setColumnHidden(IdArt, true);
    WindowBehaviour::setAccessible(m_grid, QStringLiteral("Articoli"));

    m_labelN = new QLabel(QStringLiteral("  articoli"), this);
    m_labelN->setObjectName(QStringLiteral("LabelN"));
    auto* label1 = new QLabel(QStringLiteral("ARTICOLO: "), this);
    label1->setObjectName(QStringLiteral("Label1"));

    auto* insArt = WindowBehaviour::button(this, "BtnInsArt", QStringLiteral("&INSERISCI"));
    auto* modArt = WindowBehaviour::button(this, "BtnModArt", QStringLiteral("&MODIFICA"));
    auto* eliArt = WindowBehaviour::button(this, "BtnEliArt", QStringLiteral("&ELIMINA"));
    auto* ricArt = WindowBehaviour::button(this, "BtnRicArt", QStringLiteral("&RICERCA"));
    auto* btnTutti = WindowBehaviour::button(this, "BtnTutti", QStringLiteral("&Visualizza Tutti"));
    auto* chiudi = WindowBehaviour::button(this, "BtnChiudi", QStringLiteral("&CHIUDI"));

    connect(m_comboCat, &QComboBox::activated, this, &FormMag::sceltaCategoria);
    m_grid->viewport()->installEventFilter(this);
    m_choice = new GridChoice(m_grid);
    connect(m_choice, &GridChoice::chosen, this, [this](int row) { m_selectedId = idAt(row); });
    m_choice->doubleClickPresses(modArt);
    connect(insArt, &QPushButton::clicked, this, &FormMag::inserisci);
    connect(modArt, &QPushButton::clicked, this, &FormMag::modifica);
    connect(eliArt, &QPushButton::clicked, this, &FormMag::elimina);
    connect(ricArt, &QPushButton::clicked, this, &FormMag::ricerca);
    connect(btnTutti, &QPushButton::clicked, this, &FormMag::tutti);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::close);

    auto* filter = new QHBoxLayout;
    filter->addWidget(labelCat);
    filter->addWidget(m_comboCat, 1);
    filter->addWidget(btnTutti);
    auto* actions = new QHBoxLayout;
    actions->addWidget(label1);
    actions->addWidget(insArt);
    actions->addWidget(modArt);
    actions->addWidget(eliArt);
    actions->addWidget(ricArt);
    actions->addStretch();
    actions->addWidget(m_labelN);
    actions->addSpacing(24);
    actions->addWidget(chiudi);
    auto* root = new QVBoxLayout(this);
    root->addWidget(labelInt);
    root->addLayout(filter);
    root->addWidget(m_grid, 1);
    root->addLayout(actions);

    WindowBehaviour::sizeAndCentre(this, 12000, 9000);
    WindowBehaviour::setBackground(this, QStringLiteral("Img/Sfondo2.jpg"));
    riempiCategorie();
    riempiGriglia();
}

void FormMag::riempiCategorie()
{
    m_comboCat->clear();
    m_comboCod->clear();
    const auto categories = WarehouseStore::categories();
    if (!categories) {
        WindowBehaviour::showDbError(this, categories.error());
        return;
    }
    for (const auto& c : categories.value()) {
        m_comboCod->addItem(QString::number(c.id));
        m_comboCat->addItem(c.nome);
    }
    m_comboCat->setCurrentIndex(m_catFilter == 0 ? -1 : m_comboCod->findText(QString::number(m_catFilter)));
}

void FormMag::riempiGriglia()
{
    const auto rows = WarehouseStore::stockList(m_catFilter, m_desFilter);
    const int n = rows ? static_cast<int>(rows->size()) : 0;
    const QSignalBlocker blockGrid(m_grid);
    m_grid->setUpdatesEnabled(false);
    m_choice->clear();
    m_grid->setRowCount(n);
    int selectedRow = -1;
    {
        // The whole grid changes: one repaint below instead of a change notice per cell.
        const QSignalBlocker blockModel(m_grid->model());
        for (int r = 0; r < n; ++r) {
            const WarehouseStore::StockRow& s = rows->at(r);
            setCell(m_grid, r, IdArt, QString::number(s.id));
            setCell(m_grid, r, Categoria, s.categoria);
            setCell(m_grid, r, Descrizione, s.descrizione);
            setCell(m_grid, r, Um, s.um);
            setCell(m_grid, r, Qta, StockMovement::show(s.qta));
            if (s.id == m_selectedId)
                selectedRow = r;
        }
    }
    // The chosen item stays chosen wherever the new order puts it.
    if (selectedRow >= 0)
        m_choice->keep(selectedRow, Categoria);
    else
        m_selectedId = 0;
    m_grid->setUpdatesEnabled(true);
    m_grid->viewport()->update();
    m_labelN->setText(WarehouseRules::itemCount(n));
    if (!rows)
        WindowBehaviour::showDbError(this, rows.error());
}

qint64 FormMag::idAt(int row) const
{
    const QTableWidgetItem* id = row >= 0 ? m_grid->item(row, IdArt) : nullptr;
    return id ? id->text().toLongLong() : 0;
}

bool FormMag::eventFilter(QObject* watched, QEvent* event)
{
    // Category and description show their full text on hover: long ones are cut by the column.
    if (watched == m_grid->viewport() && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QTableWidgetItem* item = m_grid->itemAt(help->pos());
        if (item && (item->column() == Categoria || item->column() == Descrizione))
            QToolTip::showText(help->globalPos(), item->text(), m_grid->viewport(), m_grid->visualItemRect(item));
        else
            QToolTip::hideText();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FormMag::sceltaCategoria(int index)
{
    if (index < 0 || index >= m_comboCod->count())
        return;
    m_desFilter.clear();
    m_catFilter = m_comboCod->itemText(index).toLongLong();
    riempiGriglia();
}

void FormMag::tutti()
{
    m_comboCat->setCurrentIndex(-1);
    m_catFilter = 0;
    m_desFilter.clear();
    m_selectedId = 0;
    riempiGriglia();
}

void FormMag::ricerca()
{
    const auto answer =
        dialogs().input(this, QStringLiteral("Descrizione ?"), QStringLiteral("RICERCA ARTICOLO"), m_lastSearch);
    if (!answer || answer->isEmpty())
        return;
    m_desFilter = *answer;
    m_lastSearch = *answer;
    m_selectedId = 0;
    riempiGriglia();
    if (m_grid->rowCount() == 0) {
        dialogs().message(this, QStringLiteral("Nessun articolo trovato"), QString(), Dialogs::Icon::Information);
        m_desFilter.clear();
        riempiGriglia();
    }
}

int FormMag::rigaScelta()
{
    for (int row = 0; m_selectedId != 0 && row < m_grid->rowCount(); ++row)
        if (idAt(row) == m_selectedId)
            return row;
    dialogs().message(this, kSelezionare, QString(), Dialogs::Icon::Information);
    return -1;
}

void FormMag::inserisci()
{
    {
        FrmArt frm(this);
        frm.CaricaArt(0);
        dialogs().exec(&frm);
    }
    m_selectedId = 0;
    // The editor may have added a category.
    riempiCategorie();
    riempiGriglia();
}

void FormMag::modifica()
{
    const int row = rigaScelta();
    if (row < 0)
        return;
    {
        FrmArt frm(this);
        frm.CaricaArt(m_selectedId);
        dialogs().exec(&frm);
    }
    riempiCategorie();
    riempiGriglia();
}

void FormMag::elimina()
{
    const int row = rigaScelta();
    if (row < 0)
        return;
    const QString categoria = m_grid->item(row, Categoria)->text().toUpper();
    const QString descrizione = m_grid->item(row, Descrizione)->text().toUpper();
    const auto answer =
        dialogs().message(this,
                          QStringLiteral("Sicuro di voler eliminare l'articolo:\r\n\r\nCategoria: ") + categoria +
                              QStringLiteral("\r\nDescrizione: ") + descrizione,
                          QStringLiteral("CONFERMA ELIMINAZIONE"), Dialogs::Icon::Question, Dialogs::Buttons::YesNo);
    if (answer != Dialogs::Answer::Yes)
        return;
    const auto removed = WarehouseStore::deleteItem(m_selectedId);
    if (!removed) {
        WindowBehaviour::showDbError(this, removed.error());
        return;
    }
    if (!removed.value())
        dialogs().message(this, QStringLiteral("Errore durante l'eliminazione"), QStringLiteral("Corvalisto"),
                          Dialogs::Icon::None);
    m_selectedId = 0;
    riempiGriglia();
}
