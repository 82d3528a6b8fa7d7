#pragma once

#include "shell/dialogs.h"

// The dialog seam on real Qt windows, with Italian button texts.
class QtDialogs : public Dialogs {
public:
    Answer message(QWidget* parent, const QString& text, const QString& title, Icon icon, Buttons buttons) override;
    std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    int exec(QDialog* window) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& proposedPath,
                         const QString& filter) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter) override;
};
