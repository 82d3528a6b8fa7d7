#include "../documenttest.h"
#include "documents/ui/formdoc.h"
#include "papers/paperseries.h"
#include "scripteddialogs.h"
#include "shell/formats.h"
#include "usergestures.h"
#include "workdir.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

const int kAnno = QDate::currentDate().year();

QString num(int n, int anno = kAnno)
{
    return QString::number(n) + PaperSeries::suffisso(anno);
}

struct FormDocTest : ::testing::Test {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    std::unique_ptr<FormDoc> frm;

    FormDocTest()
    {
        registraDoc(num(9), QDate(kAnno, 2, 1), u"Nove\r\nseconda riga\r\nterza"_s);
        registraDoc(num(10), QDate(kAnno, 1, 5), u"Dieci su una riga"_s);
        registraDoc(num(1), QDate(kAnno - 1, 12, 30), u"Anno prima"_s);
        frm = std::make_unique<FormDoc>();
    }
    template <typename T = QPushButton> T* get(const char* name)
    {
        auto* w = frm->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QTableView* grid() { return get<QTableView>("FGrid"); }
    QString shown()
    {
        return QStringList{get<QLabel>("LabelInt")->text(), gridText(grid()->model()), get<QLabel>("LblRec")->text()}
            .join(u'\n');
    }
};

} // namespace

TEST_F(FormDocTest, ListsTheYearWithTheFirstLineOfEachText)
{
    EXPECT_EQ(shown(),
              u"Documenti %1\n%2|%3|Dieci su una riga\n%4|%5|Nove\n2 documenti"_s.arg(kAnno).arg(
                  num(10), Formats::shortDate(QDate(kAnno, 1, 5)), num(9), Formats::shortDate(QDate(kAnno, 2, 1))));
    EXPECT_EQ(grid()->model()->headerData(3, Qt::Horizontal).toString(), u"Testo"_s);
    dlg.type(QString::number(kAnno - 1));
    get("BtnAnno")->click();
    EXPECT_EQ(shown(), u"Documenti %1\n%2|%3|Anno prima\n1 documenti"_s.arg(kAnno - 1).arg(
                           num(1), Formats::shortDate(QDate(kAnno - 1, 12, 30))));
    dlg.type(u"1990"_s);
    get("BtnAnno")->click();
    EXPECT_EQ(shown(), u"Documenti 1990\n\n0 documenti"_s);
}

TEST_F(FormDocTest, RecallAndNew)
{
    get("BtnRichiama")->click();
    EXPECT_EQ(dlg.lastText(), u"Selezionare prima un DOCUMENTO"_s);
    QString shownNumber;
    dlg.onWindow([&](QDialog* w) {
        shownNumber = w->findChild<QLineEdit*>(u"TxtNum"_s)->text();
        return 1;
    });
    Gesture::doubleClick(grid()->viewport(), Gesture::cell(grid(), 1));
    EXPECT_EQ(shownNumber, num(9));
    // The choice is used once.
    get("BtnRichiama")->click();
    EXPECT_EQ(dlg.lastText(), u"Selezionare prima un DOCUMENTO"_s);

    dlg.onWindow([&](QDialog* w) {
        shownNumber = w->findChild<QLineEdit*>(u"TxtNum"_s)->text();
        registraDoc(num(11), QDate(kAnno, 4, 1));
        return 1;
    });
    get("BtnRegistra")->click();
    EXPECT_EQ(shownNumber, num(11));
    EXPECT_EQ(dlg.windowsShown, (QStringList{u"FormRegDoc"_s, u"FormRegDoc"_s}));
    EXPECT_EQ(get<QLabel>("LblRec")->text(), u"3 documenti"_s);
}
