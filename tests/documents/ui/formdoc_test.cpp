#include "../documenttest.h"
#include "currentseries.h"
#include "documents/ui/formdoc.h"
#include "shell/formats.h"
#include "windowtest.h"

#include <QLabel>
#include <QTableView>

using FormDocTest = OneWindowTest<FormDoc>;

TEST_F(FormDocTest, ListsTheYearWithTheFirstLineOfEachText)
{
    registraDoc(num(9), QDate(kAnno, 2, 1), u"Nove\r\nseconda riga\r\nterza"_s);
    registraDoc(num(10), QDate(kAnno, 1, 5), u"Dieci su una riga"_s);
    registraDoc(num(1), QDate(kAnno - 1, 12, 30), u"Anno prima"_s);
    frm = std::make_unique<FormDoc>();
    const auto shown = [this] {
        return QStringList{get<QLabel>("LabelInt")->text(), gridText(get<QTableView>("FGrid")->model()),
                           get<QLabel>("LblRec")->text()}
            .join(u'\n');
    };
    EXPECT_EQ(shown(),
              u"Documenti %1\n%2|%3|Dieci su una riga\n%4|%5|Nove\n2 documenti"_s.arg(kAnno).arg(
                  num(10), Formats::shortDate(QDate(kAnno, 1, 5)), num(9), Formats::shortDate(QDate(kAnno, 2, 1))));
    dlg.type(QString::number(kAnno - 1));
    click("BtnAnno");
    EXPECT_EQ(shown(), u"Documenti %1\n%2|%3|Anno prima\n1 documenti"_s.arg(kAnno - 1).arg(
                           num(1), Formats::shortDate(QDate(kAnno - 1, 12, 30))));
}
