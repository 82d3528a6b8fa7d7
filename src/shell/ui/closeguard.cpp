#include "shell/ui/closeguard.h"

#include "shell/dialogs.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>

CloseGuard::CloseGuard(QDialog* window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

CloseGuard::CloseGuard(QDialog* window, std::function<bool()> daPerdere) : CloseGuard(window)
{
    m_daPerdere = std::move(daPerdere);
}

CloseGuard* CloseGuard::suiCampi(QDialog* window, std::function<bool()> inoltre)
{
    auto* guard = new CloseGuard(window);
    guard->m_daPerdere = [guard, inoltre = std::move(inoltre)] { return guard->m_toccato || (inoltre && inoltre()); };
    const auto toccato = [guard] { guard->m_toccato = true; };
    for (QLineEdit* box : window->findChildren<QLineEdit*>())
        connect(box, &QLineEdit::textEdited, guard, toccato);
    for (QComboBox* combo : window->findChildren<QComboBox*>())
        connect(combo, &QComboBox::activated, guard, toccato);
    for (QAbstractButton* check : window->findChildren<QAbstractButton*>())
        if (check->isCheckable())
            connect(check, &QAbstractButton::clicked, guard, toccato);
    return guard;
}

bool CloseGuard::chiusuraConfermata()
{
    if (m_consentita || (m_daPerdere && !m_daPerdere()))
        return true;
    if (!m_daPerdere)
        return false;
    return dialogs().message(m_window, QStringLiteral("Chiudere senza salvare ? I dati inseriti andranno persi."),
                             QStringLiteral("ATTENZIONE"), Dialogs::Icon::Question,
                             Dialogs::Buttons::YesNo) == Dialogs::Answer::Yes;
}

bool CloseGuard::eventFilter(QObject* watched, QEvent* event)
{
    // A dialog rejects itself on Escape without a close event.
    const bool escape = event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
                        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier;
    if ((event->type() != QEvent::Close && !escape) || chiusuraConfermata())
        return QObject::eventFilter(watched, event);
    event->ignore();
    return true;
}
