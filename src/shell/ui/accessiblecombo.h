#pragma once

#include <QAccessibleWidget>

class QComboBox;

// A combo box as screen readers see it: named by its label (or its own accessible name), with the
// shown entry as its value. The toolkit's own interface names it by its entry on this platform,
// so "Pz" or "22" is read where "Unita'" or "IVA %" is meant. Its list has the shown entry selected
// in every state, as when the user picks it.
class AccessibleCombo : public QAccessibleWidget {
public:
    explicit AccessibleCombo(QWidget* combo);

    // Takes the place of the toolkit's interface for the combo; done once, before anything reads it.
    static void install(QComboBox* combo);

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    QComboBox* combo() const;
};
