#include "../documenttest.h"
#include "documents/ui/formdoc.h"
#include "papers/paperseries.h"
#include "shell/formats.h"
#include "usergestures.h"
#include "windowtest.h"

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

struct FormDocTest : OneWindowTest<FormDoc> {
    FormDocTest()
    {
        registraDoc(num(9), QDate(kAnno, 2, 1), u"Nove\r\nseconda riga\r\nterza"_s);
        registraDoc(num(10), QDate(kAnno, 1, 5), u"Dieci su una riga"_s);
        registraDoc(num(1), QDate(kAnno - 1, 12, 30), u"Anno prima"_s);
        frm = std::make_unique<FormDoc>();
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
    QStringList opened;
    const auto numberShown = [&](QDialog* w) {
        opened << w->findChild<QLineEdit*>(u"TxtNum"_s)->text();
        return 1;
    };
    // Nothing chosen: asked to choose first, both before any click and after a recall.
    click("BtnRichiama");
    dlg.onWindow(numberShown);
    Gesture::click(grid(), 1, 1);
    click("BtnRichiama");
    click("BtnRichiama");
    // A new document, then the list read again with it; the choice made before stays.
    dlg.onWindow([&](QDialog* w) {
        numberShown(w);
        registraDoc(num(11), QDate(kAnno, 4, 1));
        return 1;
    });
    Gesture::click(grid(), 0, 1);
    click("BtnRegistra");
    dlg.onWindow(numberShown);
    click("BtnRichiama");
    EXPECT_EQ(opened, (QStringList{num(9), num(11), num(10)}));
    EXPECT_EQ(dlg.texts(), QStringList(2, u"Selezionare prima un DOCUMENTO"_s));
    EXPECT_EQ(get<QLabel>("LblRec")->text(), u"3 documenti"_s);
}
