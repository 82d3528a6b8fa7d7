#include "ddt/ui/formregddt.h"
#include "invoices/ui/formregfatt.h"
#include "invoices/ui/frmbancariba.h"
#include "qstringprint.h"
#include "registry/ui/frmana.h"
#include "shell/ui/frmazi.h"
#include "windowtest.h"

#include <QDate>
#include <QTest>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

using Answer = Dialogs::Answer;
using ClosingTest = WindowTest;

template <class W, class... A> std::function<QDialog*()> loaded(A... args)
{
    return [=] {
        auto* w = new W;
        w->Carica(args...);
        return w;
    };
}

// A window holding what the user typed neither closes on Escape nor on its close box without
// asking; one holding nothing closes at once, and Yes drops the work.
TEST_F(ClosingTest, EscapeAndTheCloseBoxAskBeforeDroppingTypedWork)
{
    const QString question = u"Chiudere senza salvare ? I dati inseriti andranno persi."_s;
    const struct {
        const char* name;
        std::function<QDialog*()> open;
        const char* box; // typed into, or nullptr when a row is added
        QStringList row; // the answers to the new row's prompts
    } cases[] = {
        {"DDT nuovo, una riga", loaded<FormRegDdt>(QString()), nullptr, {u"Cancello"_s, u"2"_s}},
        {"fattura nuova",
         loaded<FormRegFatt>(QString(), QDate::currentDate().year()),
         nullptr,
         {u"Cancello"_s, u"1"_s, u"100"_s}},
        {"cliente nuovo", loaded<FrmAna>(QString()), "TxtNome", {}},
        {"banca per le Ri.Ba.", loaded<FrmBancaRiba>(), "TxtSia", {}},
        {"intestazione", [] { return static_cast<QDialog*>(new FrmAzi); }, "TxtRiga1", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QDialog> w(c.open());
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        const qsizetype told = dlg.texts().size();
        QTest::keyClick(w.get(), Qt::Key_Escape);
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(dlg.texts().size(), told);

        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        if (c.box)
            QTest::keyClicks(w->findChild<QWidget*>(QString::fromLatin1(c.box)), u"Nuovo"_s);
        for (const QString& t : c.row)
            dlg.type(t);
        if (!c.row.isEmpty())
            w->findChild<QPushButton*>(u"BtnIns"_s)->click();
        dlg.answer(Answer::No);
        QTest::keyClick(w.get(), Qt::Key_Escape);
        dlg.answer(Answer::No);
        w->close();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(dlg.texts().mid(told), (QStringList{question, question}));
        dlg.answer(Answer::Yes);
        w->close();
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->result(), QDialog::Rejected);
        EXPECT_TRUE(dlg.allAnswersUsed());
    }
}

} // namespace
