#pragma once

#include "shell/dialogs.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

// Dialog seam for tests: answers come from queues the test fills, and every
// message, prompt and window shown is recorded for the test to read back.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Next answers, in order. Without a queued answer a message gets its first button
    // (OK or Yes) and an input box is cancelled.
    void answer(Answer a) { m_answers.push_back(a); }
    void type(const QString& text) { m_inputs.push_back({true, text}); }
    void cancelInput() { m_inputs.push_back({false, QString()}); }
    // Runs while the window would be shown modally; returns its result code. Without one the
    // window is closed at once, rejected.
    void onWindow(std::function<int(QDialog*)> handler) { m_windows.push_back(std::move(handler)); }
    void chooseFile(const QString& path) { m_files.push_back(path); }
    // Runs while a message is on screen, before it is answered: what another program or the
    // user does meanwhile.
    std::function<void(const QString& text)> whileShown;

    Answer message(QWidget* parent, const QString& text, const QString& title, Icon icon, Buttons buttons) override;
    std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    int exec(QDialog* window) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& proposedPath,
                         const QString& filter) override;
    // Takes the next chosen file too, and records the folder proposed.
    QString openFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter) override;

    std::vector<Shown> messages;
    QStringList prompts;
    QStringList inputDefaults;
    QStringList windowsShown; // objectName of each window opened modally
    QStringList proposedFiles;

    QString lastText() const { return messages.empty() ? QString() : messages.back().text; }
    QStringList texts() const;
    bool allAnswersUsed() const { return m_answers.empty() && m_inputs.empty() && m_windows.empty(); }

private:
    std::deque<Answer> m_answers;
    std::deque<std::pair<bool, QString>> m_inputs; // (answered, text)
    std::deque<std::function<int(QDialog*)>> m_windows;
    std::deque<QString> m_files;
    Dialogs* m_previous = nullptr;
};
