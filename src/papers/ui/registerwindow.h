#pragma once

#include "data/dberror.h"
#include "papers/ui/paperregistermodel.h"

#include <QLabel>
#include <QString>

#include <initializer_list>

class QAbstractItemModel;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableView;
class QWidget;
class RegisterFilter;

// The pieces every paper register window is built of: the big heading, the year and customer row
// above the list and the read-only list itself.
namespace RegisterWindow {

// The heading that names the year and customer shown; family empty keeps the window's own font.
QLabel* heading(QWidget* parent, const QString& family = QString());

// The list of papers, one row chosen at a time; widths in twips, one a column of the model.
QTableView* grid(QWidget* parent, QAbstractItemModel* model, std::initializer_list<int> widths,
                 const QString& accessibleName);

// A database error, as the windows show it.
void showDbError(QWidget* parent, const DbError& error);
// Shows the rows read (none after an error, which is told) and their count: "<n> <unit>".
template <class Row>
void riempi(QWidget* parent, PaperRegisterModel<Row>* model, QLabel* count, DbResult<QList<Row>> rows,
            const QString& unit)
{
    if (!rows)
        model->setRows({});
    else
        model->setRows(std::move(rows.value()));
    count->setText(QStringLiteral("%1 %2").arg(model->rowCount()).arg(unit));
    if (!rows)
        showDbError(parent, rows.error());
}
// Heading on the left, customer filter and year button on the right.
QHBoxLayout* topRow(QLabel* heading, RegisterFilter* filter, QPushButton* anno);
// A register without a customer filter: heading and year button, the list, its count, then the
// paper buttons on the left and the close button on the right.
void simpleLayout(QWidget* window, QLabel* heading, QPushButton* anno, QWidget* grid, QLabel* count,
                  std::initializer_list<QPushButton*> buttons, QPushButton* chiudi);

} // namespace RegisterWindow
