#include "shell/ui/closeguard.h"

#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>

CloseGuard::CloseGuard(QDialog* window) : QObject(window)
{
    window->installEventFilter(this);
}

bool CloseGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (m_consentita)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Close) {
        event->ignore();
        return true;
    }
    // A dialog rejects itself on Escape without a close event.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier)
        return true;
    return QObject::eventFilter(watched, event);
}
