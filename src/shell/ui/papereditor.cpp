#include "shell/ui/papereditor.h"

#include "registry/ui/frmana.h"
#include "shell/dialogs.h"
#include "shell/ui/windowbehaviour.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>

namespace PaperEditor {

QPushButton* pictureButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, const QString& tip)
{
    auto* b = WindowBehaviour::button(parent, name, QString(), tip);
    b->setIcon(parent->style()->standardIcon(icon));
    return b;
}

QLabel* labelFor(QWidget* parent, const QString& text, QWidget* buddy, const QString& accessible)
{
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    QString name = accessible.isEmpty() ? text : accessible;
    if (name.endsWith(u':'))
        name.chop(1);
    WindowBehaviour::setAccessible(buddy, name.trimmed());
    return l;
}

bool realFocusOut(QEvent* event)
{
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

void apriCliente(QWidget* parent, const QString& nome)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && qobject_cast<FrmAna*>(w)) {
            dialogs().message(parent, QStringLiteral("La finestra richiesta è già aperta"),
                              QStringLiteral("Impossibile procedere"), Dialogs::Icon::Information);
            return;
        }
    FrmAna frm(parent);
    if (frm.Carica(nome))
        dialogs().exec(&frm);
}

} // namespace PaperEditor
