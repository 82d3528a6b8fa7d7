#include "shell/ui/accessiblecombo.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QVariant>

namespace {

// The list a screen reader walks has the shown entry selected, however it came to be shown: the
// toolkit selects it only when the user opens the list.
void selezionaMostrata(QComboBox* combo)
{
    QItemSelectionModel* selection = combo->view()->selectionModel();
    if (!selection)
        return;
    const QModelIndex shown =
        combo->model()->index(combo->currentIndex(), combo->modelColumn(), combo->rootModelIndex());
    if (shown.isValid())
        selection->setCurrentIndex(shown, QItemSelectionModel::ClearAndSelect);
    else
        selection->clear();
}

} // namespace

AccessibleCombo::AccessibleCombo(QWidget* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

void AccessibleCombo::install(QComboBox* combo)
{
    static const char* const kInstalled = "corvalistoAccessibleCombo";
    if (combo->property(kInstalled).toBool())
        return;
    combo->setProperty(kInstalled, true);
    // The toolkit's own factory answers first for every QComboBox: registering the interface up
    // front is the way past it. The registry deletes it with the combo.
    QAccessible::registerAccessibleInterface(new AccessibleCombo(combo));
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [combo] { selezionaMostrata(combo); });
    selezionaMostrata(combo);
}

QComboBox* AccessibleCombo::combo() const
{
    return static_cast<QComboBox*>(widget());
}

QString AccessibleCombo::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return combo()->isEditable() ? combo()->lineEdit()->text() : combo()->currentText();
    // The name: the accessible name given, else the label that has the combo as buddy.
    return QAccessibleWidget::text(t);
}

int AccessibleCombo::childCount() const
{
    return combo()->isEditable() ? 2 : 1;
}

QAccessibleInterface* AccessibleCombo::child(int index) const
{
    if (index == 0)
        return QAccessible::queryAccessibleInterface(combo()->view());
    if (index == 1 && combo()->isEditable())
        return QAccessible::queryAccessibleInterface(combo()->lineEdit());
    return nullptr;
}

int AccessibleCombo::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    if (child->object() == combo()->view())
        return 0;
    if (combo()->isEditable() && child->object() == combo()->lineEdit())
        return 1;
    return -1;
}

QAccessibleInterface* AccessibleCombo::childAt(int x, int y) const
{
    if (combo()->isEditable() && combo()->lineEdit()->rect().contains(combo()->lineEdit()->mapFromGlobal(QPoint(x, y))))
        return child(1);
    return nullptr;
}

QStringList AccessibleCombo::actionNames() const
{
    return {showMenuAction(), pressAction()};
}

void AccessibleCombo::doAction(const QString& actionName)
{
    if (actionName != showMenuAction() && actionName != pressAction())
        return;
    if (combo()->view()->isVisible())
        combo()->hidePopup();
    else
        combo()->showPopup();
}

QStringList AccessibleCombo::keyBindingsForAction(const QString&) const
{
    return {};
}
