#include "scripteddialogs.h"

#include <QDialog>

ScriptedDialogs::ScriptedDialogs()
{
    // Installs itself for the life of the test.
    setDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    setDialogs(nullptr);
}

Dialogs::Answer ScriptedDialogs::message(QWidget*, const QString& text, const QString& title, Icon icon,
                                         Buttons buttons)
{
    messages.push_back({text, title, icon, buttons});
    if (whileShown)
        whileShown(text);
    if (!m_answers.empty()) {
        const Answer a = m_answers.front();
        m_answers.pop_front();
        return a;
    }
    return (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel) ? Answer::Yes : Answer::Ok;
}

std::optional<QString> ScriptedDialogs::input(QWidget*, const QString& prompt, const QString&,
                                              const QString& defaultText)
{
    prompts << prompt;
    inputDefaults << defaultText;
    if (m_inputs.empty())
        return std::nullopt;
    const auto [answered, text] = m_inputs.front();
    m_inputs.pop_front();
    if (!answered)
        return std::nullopt;
    return text;
}

int ScriptedDialogs::exec(QDialog* window)
{
    windowsShown << (window ? window->objectName() : QString());
    if (m_windows.empty())
        return 0;
    auto handler = std::move(m_windows.front());
    m_windows.pop_front();
    return handler(window);
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString&, const QString& proposedPath, const QString&)
{
    proposedFiles << proposedPath;
    if (m_files.empty())
        return QString();
    const QString f = m_files.front();
    m_files.pop_front();
    return f;
}

QString ScriptedDialogs::openFileName(QWidget* parent, const QString& title, const QString& folder,
                                      const QString& filter)
{
    return saveFileName(parent, title, folder, filter);
}

QStringList ScriptedDialogs::texts() const
{
    QStringList out;
    for (const auto& m : messages)
        out << m.text;
    return out;
}
