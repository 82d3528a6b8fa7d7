#pragma once

#include "data/customerlist.h"
#include "data/dberror.h"

#include <QObject>
#include <QString>
#include <optional>

class QAbstractButton;
class QComboBox;
class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// Behaviours shared by the windows: size and position, background, date check,
// year prompt, customer list and error reporting.
namespace WindowBehaviour {

// Window sizes are designed in twips (1440 per inch).
int twipsToPixels(int twips, const QWidget* reference = nullptr);
void sizeAndCentre(QWidget* window, int widthTwips, int heightTwips);
void centreOnly(QWidget* window);
// Uses the picture of the working folder when present, the designed background otherwise.
void setBackground(QWidget* window, const QString& relativeFile);

// On leaving a date box: re-shows the date as dd/mm/yy; a text that is not a date gets
// "Data non valida" and the focus back. Returns whether the date is valid.
bool checkDateBox(QLineEdit* box);

// "Inserire ANNO": the new year, or nothing when the answer is empty or cancelled.
std::optional<int> askYear(QWidget* parent);

// Fills the id and name lists with the valid customers, position by position.
DbStatus riempiClienti(QComboBox* ids, QComboBox* names);
// Fills an id list and a name list so that the same position holds one customer's id and name.
void fillCustomerLists(QComboBox* ids, QComboBox* names, const QList<CustomerEntry>& customers);

// A database error the window does not trap: "Errore " + number, with its text.
void showDbError(QWidget* parent, const DbError& error);
// A run-time error of the classic table: "Errore " + number, with its Italian text.
void showRuntimeError(QWidget* parent, int code);

// A push button with its objectName, caption and tooltip, named for screen readers after its
// caption (its tooltip when it has no caption); Enter does not press it unasked.
QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QString& tooltip = QString());

// A locked box that shows an amount, right-aligned.
QLineEdit* amountBox(QWidget* parent, const QString& name);

// Names a control for screen readers (a button's caption without "&" by default).
void setAccessible(QWidget* control, const QString& name);

} // namespace WindowBehaviour

// Keeps `Shape1` around the focused control: 4 twips larger on every side. The editor
// variant hides the frame while it moves.
class FocusFrame : public QObject {
    Q_OBJECT
public:
    FocusFrame(QWidget* window, bool editorVariant);
    void track(QWidget* control);
    QFrame* shape() const { return m_shape; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void frame(QWidget* control);
    QFrame* m_shape;
    bool m_editorVariant;
};

// The window's modified flag, raised by every edit of a watched control.
class ModifiedFlag : public QObject {
    Q_OBJECT
public:
    explicit ModifiedFlag(QObject* parent = nullptr) : QObject(parent) {}
    void watch(QLineEdit* box);
    void watch(QPlainTextEdit* box);
    void watch(QComboBox* combo);
    void watch(QAbstractButton* button);
    bool isSet() const { return m_set; }
    void set() { m_set = true; }
    void clear() { m_set = false; }

private:
    bool m_set = false;
};
