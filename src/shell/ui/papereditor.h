#pragma once

#include <QString>
#include <QStyle>

class QEvent;
class QLabel;
class QPushButton;
class QWidget;

// Pieces every paper editor builds its window from.
namespace PaperEditor {

// A button with a standard picture and its tooltip, named for screen readers after the tooltip.
QPushButton* pictureButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, const QString& tip);
// A caption for `buddy`, which is named after it (or after `accessible`), without a final ":".
QLabel* labelFor(QWidget* parent, const QString& text, QWidget* buddy, const QString& accessible = QString());
// Leaving a box for a popup or another application is not leaving it.
bool realFocusOut(QEvent* event);
// The customer editor with that customer (empty: a new one), unless it is already open.
void apriCliente(QWidget* parent, const QString& nome);

} // namespace PaperEditor
