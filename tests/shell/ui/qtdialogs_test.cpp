#include "shell/ui/qtdialogs.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Answer = Dialogs::Answer;
using Buttons = Dialogs::Buttons;
using Icon = Dialogs::Icon;

// What the user saw: title, text, icon and the buttons (sorted), or the input's default text.
struct Seen {
    QString title;
    QString text;
    int icon = -1;
    QStringList buttons;
};

// Once the real modal dialog is up, reads it into `seen` and lets `act` close it. A dialog of
// another kind is closed after a while, so that a wrong one fails the test instead of hanging it.
template <typename W> void whenShown(Seen& seen, std::function<void(W*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, &seen, act, tries = 0]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        auto* w = qobject_cast<W*>(modal);
        if (!w) {
            if (++tries > 400) {
                timer->deleteLater();
                if (modal)
                    modal->close();
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        seen.title = w->windowTitle();
        if constexpr (std::is_same_v<W, QMessageBox>) {
            seen.text = w->text();
            seen.icon = w->icon();
            for (QAbstractButton* b : w->buttons())
                seen.buttons << b->text();
            seen.buttons.sort();
        } else {
            seen.text = w->labelText() + u'=' + w->textValue();
        }
        act(w);
    });
    timer->start();
}

// Closes a dialog with a key, or by clicking the button with this text.
template <typename W> std::function<void(W*)> press(const QString& what)
{
    return [what](W* w) {
        if (what == u"Esc"_s || what == u"Invio"_s) {
            QTest::keyClick(w, what == u"Esc"_s ? Qt::Key_Escape : Qt::Key_Return);
            return;
        }
        for (QPushButton* b : w->template findChildren<QPushButton*>())
            if (b->text() == what)
                return b->click();
        ADD_FAILURE() << "no button " << what.toStdString();
        w->close();
    };
}

TEST(QtDialogs, MessagesShowTitleIconAndItalianButtonsAndEscIsNoOrCancel)
{
    QtDialogs real;
    const struct {
        Buttons buttons;
        Icon icon;
        QString title;
        QString press;
        Answer answer;
        QString shownTitle;
        QMessageBox::Icon shownIcon;
        QStringList shownButtons;
    } cases[] = {
        {Buttons::Ok,
         Icon::Exclamation,
         u"AVVISO"_s,
         u"Invio"_s,
         Answer::Ok,
         u"AVVISO"_s,
         QMessageBox::Warning,
         {u"OK"_s}},
        // An empty title shows the program's name.
        {Buttons::Ok,
         Icon::Information,
         QString(),
         u"Esc"_s,
         Answer::Ok,
         u"Corvalisto"_s,
         QMessageBox::Information,
         {u"OK"_s}},
        {Buttons::YesNo,
         Icon::Question,
         u"ATTENZIONE"_s,
         u"Sì"_s,
         Answer::Yes,
         u"ATTENZIONE"_s,
         QMessageBox::Question,
         {u"No"_s, u"Sì"_s}},
        {Buttons::YesNo,
         Icon::Question,
         u"ATTENZIONE"_s,
         u"Esc"_s,
         Answer::No,
         u"ATTENZIONE"_s,
         QMessageBox::Question,
         {u"No"_s, u"Sì"_s}},
        {Buttons::OkCancel,
         Icon::Critical,
         u"Errore 6"_s,
         u"Esc"_s,
         Answer::Cancel,
         u"Errore 6"_s,
         QMessageBox::Critical,
         {u"Annulla"_s, u"OK"_s}},
        {Buttons::YesNoCancel,
         Icon::None,
         u"SALVA"_s,
         u"Esc"_s,
         Answer::Cancel,
         u"SALVA"_s,
         QMessageBox::NoIcon,
         {u"Annulla"_s, u"No"_s, u"Sì"_s}},
        {Buttons::YesNoCancel,
         Icon::None,
         u"SALVA"_s,
         u"No"_s,
         Answer::No,
         u"SALVA"_s,
         QMessageBox::NoIcon,
         {u"Annulla"_s, u"No"_s, u"Sì"_s}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shownTitle.toStdString() + " " + c.press.toStdString());
        Seen seen;
        whenShown<QMessageBox>(seen, press<QMessageBox>(c.press));
        EXPECT_EQ(real.message(nullptr, u"Proseguire ?"_s, c.title, c.icon, c.buttons), c.answer);
        EXPECT_EQ(seen.title, c.shownTitle);
        EXPECT_EQ(seen.text, u"Proseguire ?"_s);
        EXPECT_EQ(seen.icon, c.shownIcon);
        EXPECT_EQ(seen.buttons, c.shownButtons);
    }
}

TEST(QtDialogs, InputBoxesAndWindows)
{
    QtDialogs real;
    Seen seen;
    whenShown<QInputDialog>(seen, [](QInputDialog* w) {
        w->setTextValue(u"2,5"_s);
        QTest::keyClick(w, Qt::Key_Return);
    });
    EXPECT_EQ(real.input(nullptr, u"Quantità ?"_s, u"Inserimento RIGA"_s, u"0"_s), std::optional(u"2,5"_s));
    EXPECT_EQ(seen.title + u": "_s + seen.text, u"Inserimento RIGA: Quantità ?=0"_s);
    // Esc and "Annulla" cancel; an empty title shows the program's name.
    for (const QString& key : {u"Esc"_s, u"Annulla"_s}) {
        whenShown<QInputDialog>(seen, press<QInputDialog>(key));
        EXPECT_EQ(real.input(nullptr, u"Descrizione ?"_s, QString(), u"Cancello"_s), std::nullopt) << key.toStdString();
        EXPECT_EQ(seen.title + u": "_s + seen.text, u"Corvalisto: Descrizione ?=Cancello"_s);
    }
    // An empty answer confirmed is an answer, not a cancel.
    whenShown<QInputDialog>(seen, [](QInputDialog* w) {
        w->setTextValue(QString());
        press<QInputDialog>(u"OK"_s)(w);
    });
    EXPECT_EQ(real.input(nullptr, u"Descrizione ?"_s, QString(), u"x"_s), std::optional(QString()));

    QDialog window;
    QTimer::singleShot(0, &window, [&window] { window.done(7); });
    EXPECT_EQ(real.exec(&window), 7);
}

} // namespace
