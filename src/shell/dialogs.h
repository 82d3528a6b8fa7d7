#pragma once

#include <QString>
#include <optional>

class QWidget;
class QDialog;

// Everything that waits for the user goes through here, so that tests can
// script the answers and read back what was shown.
class Dialogs {
public:
    enum class Icon { None, Information, Exclamation, Question, Critical };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Dialogs() = default;

    virtual Answer message(QWidget* parent, const QString& text, const QString& title, Icon icon,
                           Buttons buttons = Buttons::Ok) = 0;
    // Empty optional when the user cancels.
    virtual std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& title,
                                         const QString& defaultText) = 0;
    // Shows a window modally and returns its result code.
    virtual int exec(QDialog* window) = 0;
    // Empty text when the user cancels.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& proposedPath,
                                 const QString& filter) = 0;
    // An existing file to read; empty text when the user cancels (and where nobody can choose).
    virtual QString openFileName(QWidget* /*parent*/, const QString& /*title*/, const QString& /*folder*/,
                                 const QString& /*filter*/)
    {
        return QString();
    }
};

Dialogs& dialogs();
// Installs the implementation in use (the real one at start-up, a scripted one in tests).
void setDialogs(Dialogs* impl);
