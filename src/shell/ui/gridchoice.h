#pragma once

#include <QObject>
#include <QPersistentModelIndex>

class QAbstractButton;
class QAbstractItemView;
class QItemSelection;

// The row the user chose in a grid. A click, a key move or a screen reader's selection chooses it;
// the current cell the view puts on its first row by itself when it gets the focus does not, so
// nothing is acted on that the user never picked. Made after the view has its model.
class GridChoice : public QObject {
    Q_OBJECT
public:
    explicit GridChoice(QAbstractItemView* view);

    // The cell last chosen; -1 when none, or when its row has gone.
    int row() const { return m_chosen.isValid() ? m_chosen.row() : -1; }
    int column() const { return m_chosen.isValid() ? m_chosen.column() : -1; }
    // Shows a row as chosen again from code (a refill keeping the user's choice), without reporting it.
    void keep(int row, int column = 0);
    // Nothing chosen any more, on screen either.
    void clear();
    // A double click anywhere on the grid, an empty list included, presses `button`: the user gets
    // what the button answers, "select first" when nothing is chosen.
    void doubleClickPresses(QAbstractButton* button);

    // The choice of a grid, if it has one.
    static GridChoice* of(const QAbstractItemView* view);

signals:
    void chosen(int row);
    void doubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectionChanged(const QItemSelection& selected);

    QAbstractItemView* m_view;
    QPersistentModelIndex m_chosen;
    bool m_quiet = false;
};
