#include "ddt/ui/formregddt.h"
#include "invoices/ui/formregfatt.h"
#include "invoices/ui/frmbancariba.h"
#include "qstringprint.h"
#include "registry/ui/frmana.h"
#include "registry/ui/frmcondizioni.h"
#include "shell/ui/frmazi.h"
#include "windowtest.h"

#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QTest>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

using Answer = Dialogs::Answer;

const QString kDomanda = u"Chiudere senza salvare ? I dati inseriti andranno persi."_s;

struct ClosingTest : WindowTest {
    bool shown(QDialog* window)
    {
        window->show();
        return QTest::qWaitForWindowExposed(window);
    }
};

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
    const auto addRow = [this](QDialog* w, QStringList typed) {
        for (const QString& t : typed)
            dlg.type(t);
        w->findChild<QPushButton*>(u"BtnIns"_s)->click();
    };
    const struct {
        const char* name;
        std::function<QDialog*()> open;
        const char* box; // typed into, or nullptr when `work` does the work
        std::function<void(QDialog*)> work;
    } cases[] = {
        {"DDT nuovo, una riga", loaded<FormRegDdt>(QString()), nullptr,
         [&](QDialog* w) {
             addRow(w, {u"Cancello"_s, u"2"_s});
         }},
        {"DDT nuovo, causale", loaded<FormRegDdt>(QString()), "ComboCausale", {}},
        {"fattura nuova", loaded<FormRegFatt>(QString(), QDate::currentDate().year()), nullptr,
         [&](QDialog* w) {
             addRow(w, {u"Cancello"_s, u"1"_s, u"100"_s});
         }},
        {"cliente nuovo", loaded<FrmAna>(QString()), "TxtNome", {}},
        {"condizione di pagamento nuova",
         [] {
             auto* w = new FrmCondizioni;
             w->findChild<QPushButton*>(u"BtnNuova"_s)->click();
             return w;
         },
         "TxtDescrizione",
         {}},
        {"banca per le Ri.Ba.", loaded<FrmBancaRiba>(), "TxtSia", {}},
        {"intestazione", [] { return static_cast<QDialog*>(new FrmAzi); }, "TxtRiga1", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QDialog> w(c.open());
        ASSERT_TRUE(shown(w.get()));
        const std::size_t told = dlg.messages.size();
        QTest::keyClick(w.get(), Qt::Key_Escape);
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(dlg.messages.size(), told);

        ASSERT_TRUE(shown(w.get()));
        if (c.box)
            QTest::keyClicks(w->findChild<QWidget*>(QString::fromLatin1(c.box)), u"Nuovo"_s);
        else
            c.work(w.get());
        dlg.answer(Answer::No);
        QTest::keyClick(w.get(), Qt::Key_Escape);
        dlg.answer(Answer::No);
        w->close();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(dlg.texts().mid(static_cast<int>(told)), (QStringList{kDomanda, kDomanda}));
        dlg.answer(Answer::Yes);
        w->close();
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->result(), QDialog::Rejected);
        EXPECT_TRUE(dlg.allAnswersUsed());
    }
}

} // namespace
