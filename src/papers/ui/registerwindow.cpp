#include "papers/ui/registerwindow.h"

#include "papers/ui/registerfilter.h"
#include "shell/ui/windowbehaviour.h"

#include <QComboBox>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace RegisterWindow {

QLabel* heading(QWidget* parent, const QString& family)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("LabelInt"));
    QFont big = family.isEmpty() ? label->font() : QFont(family);
    big.setPointSize(label->font().pointSize() + 8);
    big.setBold(true);
    label->setFont(big);
    return label;
}

QTableView* grid(QWidget* parent, QAbstractItemModel* model, std::initializer_list<int> widths,
                 const QString& accessibleName)
{
    auto* view = new QTableView(parent);
    view->setObjectName(QStringLiteral("FGrid"));
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    // Rows of one height let the view place thousands of rows without measuring them.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    int c = 0;
    for (int w : widths)
        view->setColumnWidth(c++, WindowBehaviour::twipsToPixels(w, parent));
    WindowBehaviour::setAccessible(view, accessibleName);
    return view;
}

void showDbError(QWidget* parent, const DbError& error)
{
    WindowBehaviour::showDbError(parent, error);
}

QHBoxLayout* topRow(QLabel* heading, RegisterFilter* filter, QPushButton* anno)
{
    auto* top = new QHBoxLayout;
    top->addWidget(heading);
    top->addStretch();
    top->addWidget(filter->label());
    top->addWidget(filter->combo());
    top->addWidget(anno);
    return top;
}

void simpleLayout(QWidget* window, QLabel* heading, QPushButton* anno, QWidget* grid, QLabel* count,
                  std::initializer_list<QPushButton*> buttons, QPushButton* chiudi)
{
    auto* top = new QHBoxLayout;
    top->addWidget(heading);
    top->addStretch();
    top->addWidget(anno);
    auto* actions = new QHBoxLayout;
    for (QPushButton* b : buttons)
        actions->addWidget(b);
    actions->addStretch();
    actions->addWidget(chiudi);
    auto* root = new QVBoxLayout(window);
    root->addLayout(top);
    root->addWidget(grid, 1);
    root->addWidget(count);
    root->addLayout(actions);
}

} // namespace RegisterWindow
