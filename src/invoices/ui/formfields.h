#pragma once

#include "shell/ui/windowbehaviour.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QString>

// The data dialogs' fields: a named line of limited length, and a form row whose label is what a
// screen reader says of the field.
namespace FormFields {

inline QLineEdit* riga(QWidget* parent, const char* name, int maxLength)
{
    auto* b = new QLineEdit(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setMaxLength(maxLength);
    return b;
}

inline void aggiungi(QFormLayout* form, const QString& label, QWidget* field)
{
    form->addRow(label, field);
    WindowBehaviour::setAccessible(field, label);
}

} // namespace FormFields
