#pragma once

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

// Heading on the left, customer filter and year button on the right.
QHBoxLayout* topRow(QLabel* heading, RegisterFilter* filter, QPushButton* anno);

} // namespace RegisterWindow
