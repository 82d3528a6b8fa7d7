#include "ddt/ui/formregddt.h"
#include "invoices/ui/formregfatt.h"
#include "invoices/ui/frmbancariba.h"
#include "qstringprint.h"
#include "registry/ui/frmana.h"
#include "registry/ui/frmcondizioni.h"
#include "shell/ui/frmazi.h"
#include "warehouse/ui/frmart.h"
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
    // Types into a box of the window as the user does.
    static void typeInto(QDialog* window, const char* box)
    {
        auto* edit = window->findChild<QLineEdit*>(QString::fromLatin1(box));
        ASSERT_NE(edit, nullptr) << box;
        QTest::keyClicks(edit, u"Nuovo"_s);
    }
    bool shown(QDialog* window)
    {
        window->show();
        return QTest::qWaitForWindowExposed(window);
    }
};

// A window holding what the user typed neither closes on Escape nor on its close box without
// asking; one holding nothing closes at once, and Yes drops the work.
TEST_F(ClosingTest, EscapeAndTheCloseBoxAskBeforeDroppingTypedWork)
{
    const struct {
        const char* name;
        std::function<QDialog*()> open;
        std::function<void(QDialog*)> work;
    } cases[] = {
        {"DDT nuovo, una riga",
         [] {
             auto* w = new FormRegDdt;
             w->Carica(QString());
             return w;
         },
         [this](QDialog* w) {
             dlg.type(u"Cancello"_s);
             dlg.type(u"2"_s);
             w->findChild<QPushButton*>(u"BtnIns"_s)->click();
         }},
        {"DDT nuovo, causale",
         [] {
             auto* w = new FormRegDdt;
             w->Carica(QString());
             return w;
         },
         [](QDialog* w) { QTest::keyClicks(w->findChild<QComboBox*>(u"ComboCausale"_s), u"Vendita"_s); }},
        {"fattura nuova",
         [] {
             auto* w = new FormRegFatt;
             w->Carica(QString(), QDate::currentDate().year());
             return w;
         },
         [this](QDialog* w) {
             dlg.type(u"Cancello"_s);
             dlg.type(u"1"_s);
             dlg.type(u"100"_s);
             w->findChild<QPushButton*>(u"BtnIns"_s)->click();
         }},
        {"cliente nuovo",
         [] {
             auto* w = new FrmAna;
             w->Carica(QString());
             return w;
         },
         [](QDialog* w) { typeInto(w, "TxtNome"); }},
        {"cliente nuovo, banca",
         [] {
             auto* w = new FrmAna;
             w->Carica(QString());
             return w;
         },
         [](QDialog* w) { typeInto(w, "TxtIban"); }},
        {"condizione di pagamento nuova",
         [] {
             auto* w = new FrmCondizioni;
             w->findChild<QPushButton*>(u"BtnNuova"_s)->click();
             return w;
         },
         [](QDialog* w) { typeInto(w, "TxtDescrizione"); }},
        {"banca per le Ri.Ba.",
         [] {
             auto* w = new FrmBancaRiba;
             w->Carica();
             return w;
         },
         [](QDialog* w) { typeInto(w, "TxtSia"); }},
        {"articolo nuovo",
         [] {
             auto* w = new FrmArt;
             w->CaricaArt(0);
             return w;
         },
         [](QDialog* w) { typeInto(w, "TxtDes"); }},
        {"intestazione", [] { return new FrmAzi; }, [](QDialog* w) { typeInto(w, "TxtRiga1"); }},
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
