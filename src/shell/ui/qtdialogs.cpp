#include "shell/ui/qtdialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon qtIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Exclamation:
        return QMessageBox::Warning;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString programTitle()
{
    return QStringLiteral("Corvalisto");
}

} // namespace

Dialogs::Answer QtDialogs::message(QWidget* parent, const QString& text, const QString& title, Icon icon,
                                   Buttons buttons)
{
    QMessageBox box(qtIcon(icon), title.isEmpty() ? programTitle() : title, text, QMessageBox::NoButton,
                    parent ? parent : QApplication::activeWindow());
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    switch (buttons) {
    case Buttons::Ok:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        break;
    case Buttons::OkCancel:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        cancel = box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
        break;
    case Buttons::YesNo:
        yes = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
        break;
    case Buttons::YesNoCancel:
        yes = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
        cancel = box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
        break;
    }
    box.setDefaultButton(ok ? ok : yes);
    if (cancel)
        box.setEscapeButton(cancel);
    else if (no)
        box.setEscapeButton(no);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == yes && yes)
        return Answer::Yes;
    if (clicked == no && no)
        return Answer::No;
    if (clicked == ok && ok)
        return Answer::Ok;
    if (cancel)
        return Answer::Cancel;
    return no ? Answer::No : Answer::Ok;
}

std::optional<QString> QtDialogs::input(QWidget* parent, const QString& prompt, const QString& title,
                                        const QString& defaultText)
{
    QInputDialog dlg(parent ? parent : QApplication::activeWindow());
    dlg.setWindowTitle(title.isEmpty() ? programTitle() : title);
    dlg.setLabelText(prompt);
    dlg.setTextValue(defaultText);
    dlg.setOkButtonText(QStringLiteral("OK"));
    dlg.setCancelButtonText(QStringLiteral("Annulla"));
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.textValue();
}

int QtDialogs::exec(QDialog* window)
{
    return window->exec();
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& title, const QString& proposedPath,
                                const QString& filter)
{
    return QFileDialog::getSaveFileName(parent ? parent : QApplication::activeWindow(), title, proposedPath, filter);
}

QString QtDialogs::openFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent ? parent : QApplication::activeWindow(), title, folder, filter);
}
