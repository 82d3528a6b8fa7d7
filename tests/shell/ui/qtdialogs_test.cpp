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

TEST(QtDialogs, ItalianButtonsTitlesAndIconsEscIsNoOrCancelInputsGiveWhatWasTyped)
{
    QtDialogs real;
    // What is asked, the key or button pressed, then the answer and what the user saw.
    const struct {
        Buttons buttons;
        Icon icon;
        QString title, press;
        Answer answer;
        QString shownTitle;
        QMessageBox::Icon shownIcon;
        QStringList shownButtons;
    } cases[] = {
        // clang-format off
        {Buttons::Ok, Icon::Exclamation, "AVVISO", "Invio", Answer::Ok, "AVVISO", QMessageBox::Warning, {"OK"}},
        // An empty title shows the program's name.
        {Buttons::Ok, Icon::Information, {}, "Esc", Answer::Ok, "Corvalisto", QMessageBox::Information, {"OK"}},
        {Buttons::YesNo, Icon::Question, "ATTENZIONE", "Esc", Answer::No, "ATTENZIONE", QMessageBox::Question,
         {"No", "Sì"}},
        {Buttons::OkCancel, Icon::Critical, "Errore 6", "Esc", Answer::Cancel, "Errore 6", QMessageBox::Critical,
         {"Annulla", "OK"}},
        {Buttons::YesNoCancel, Icon::None, "SALVA", "Esc", Answer::Cancel, "SALVA", QMessageBox::NoIcon,
         {"Annulla", "No", "Sì"}},
        {Buttons::YesNoCancel, Icon::None, "SALVA", "Sì", Answer::Yes, "SALVA", QMessageBox::NoIcon,
         {"Annulla", "No", "Sì"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shownTitle.toStdString() + " " + c.press.toStdString());
        Seen seen;
        whenShown<QMessageBox>(seen, press<QMessageBox>(c.press));
        EXPECT_EQ(real.message(nullptr, u"Proseguire ?"_s, c.title, c.icon, c.buttons), c.answer);
        EXPECT_EQ(std::tie(seen.title, seen.text, seen.icon, seen.buttons),
                  std::tuple(c.shownTitle, u"Proseguire ?"_s, int(c.shownIcon), c.shownButtons));
    }
    // Input boxes give what was typed, and nothing on Esc or "Annulla".
    Seen seen;
    whenShown<QInputDialog>(seen, [](QInputDialog* w) {
        w->setTextValue(u"2,5"_s);
        QTest::keyClick(w, Qt::Key_Return);
    });
    EXPECT_EQ(real.input(nullptr, u"Quantità ?"_s, u"Inserimento RIGA"_s, u"0"_s), std::optional(u"2,5"_s));
    EXPECT_EQ(seen.title + u": "_s + seen.text, u"Inserimento RIGA: Quantità ?=0"_s);
    // An empty title shows the program's name.
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
}

} // namespace
