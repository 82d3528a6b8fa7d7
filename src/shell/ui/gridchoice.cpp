#include "shell/ui/gridchoice.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScopedValueRollback>

GridChoice::GridChoice(QAbstractItemView* view) : QObject(view), m_view(view)
{
    setObjectName(QStringLiteral("GridChoice"));
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) { selectionChanged(selected); });
    view->viewport()->installEventFilter(this);
}

GridChoice* GridChoice::of(const QAbstractItemView* view)
{
    return view->findChild<GridChoice*>(QStringLiteral("GridChoice"), Qt::FindDirectChildrenOnly);
}

void GridChoice::selectionChanged(const QItemSelection& selected)
{
    // Focusing the grid only moves the current cell; what selects is the user (or code, kept quiet).
    if (m_quiet || selected.isEmpty())
        return;
    QItemSelectionModel* model = m_view->selectionModel();
    const QModelIndex current = model->currentIndex();
    const QModelIndex index = selected.contains(current) ? current : selected.indexes().first();
    m_chosen = index;
    // A screen reader selects without moving the current cell: the keys go on from the chosen row.
    if (index != current) {
        const QScopedValueRollback quiet(m_quiet, true);
        model->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    }
    emit chosen(index.row());
}

void GridChoice::keep(int row, int column)
{
    const QScopedValueRollback quiet(m_quiet, true);
    const QModelIndex index = m_view->model()->index(row, column, m_view->rootIndex());
    m_chosen = index;
    QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
    if (m_view->selectionBehavior() == QAbstractItemView::SelectRows)
        flags |= QItemSelectionModel::Rows;
    m_view->selectionModel()->setCurrentIndex(index, flags);
}

void GridChoice::clear()
{
    const QScopedValueRollback quiet(m_quiet, true);
    m_chosen = QModelIndex();
    m_view->selectionModel()->clear();
}

void GridChoice::doubleClickPresses(QAbstractButton* button)
{
    connect(this, &GridChoice::doubleClicked, button, &QAbstractButton::click);
}

bool GridChoice::eventFilter(QObject* watched, QEvent* event)
{
    // The view would answer a double click off its rows with a second press, and none at all on an
    // empty list: one answer here, wherever it lands.
    if (watched == m_view->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit doubleClicked();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
