#pragma once

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>

// What a user does with the mouse, the keyboard or a screen reader, sent as the toolkit would.
namespace Gesture {

// A real double click: press, release, the double click itself, release.
inline void doubleClick(QWidget* target, QPoint at = QPoint())
{
    QTest::mousePress(target, Qt::LeftButton, {}, at);
    QTest::mouseRelease(target, Qt::LeftButton, {}, at);
    QTest::mouseDClick(target, Qt::LeftButton, {}, at);
    QTest::mouseRelease(target, Qt::LeftButton, {}, at);
}

// Where a cell of a grid shows; the window is laid out first.
inline QPoint cell(QAbstractItemView* view, int row, int column = 1)
{
    view->window()->show();
    const QModelIndex index = view->model()->index(row, column, view->rootIndex());
    view->scrollTo(index);
    return view->visualRect(index).center();
}

inline void click(QAbstractItemView* view, int row, int column = 1)
{
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell(view, row, column));
}

// Tab into a control of the active window: a grid puts its current cell on the first row by itself.
inline bool focus(QWidget* control)
{
    QWidget* window = control->window();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return false;
    control->setFocus(Qt::TabFocusReason);
    return control->hasFocus();
}

// A screen reader selects a row through the table interface; a grid of single cells takes the
// selection action of the row's cell instead. False when the interface refused.
inline bool readerSelects(QAbstractItemView* view, int row, int column = 1)
{
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
    QAccessibleTableInterface* rows = table ? table->tableInterface() : nullptr;
    if (!rows)
        return false;
    if (view->selectionBehavior() == QAbstractItemView::SelectRows || view->model()->columnCount() == 1)
        return rows->selectRow(row);
    QAccessibleInterface* cellAt = rows->cellAt(row, column);
    QAccessibleActionInterface* actions = cellAt ? cellAt->actionInterface() : nullptr;
    if (!actions || !actions->actionNames().contains(QAccessibleActionInterface::toggleAction()))
        return false;
    actions->doAction(QAccessibleActionInterface::toggleAction());
    return true;
}

} // namespace Gesture
