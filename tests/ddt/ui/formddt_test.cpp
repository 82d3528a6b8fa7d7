#include "../../printing/pdfprobe.h"
#include "../ddttest.h"
#include "ddt/ui/formddt.h"
#include "pagetexts.h"
#include "papers/paperseries.h"
#include "printing/pdfcommand.h"
#include "printing/registerlayout.h"
#include "printing/ui/formstampafatt.h"
#include "printing/ui/registerprint.h"
#include "scripteddialogs.h"
#include "shell/formats.h"
#include "usergestures.h"
#include "workdir.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTextStream>

namespace {

const int kAnno = QDate::currentDate().year();

QString num(int n, int anno = kAnno)
{
    return QString::number(n) + PaperSeries::suffisso(anno);
}

struct FormDdtTest : ::testing::Test {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    qint64 rossi = addCustomer(u"ROSSI"_s);
    qint64 bianchi = addCustomer(u"BIANCHI"_s);
    std::unique_ptr<FormDdt> frm;

    FormDdtTest()
    {
        issueDdt(num(1), rossi, QDate(kAnno, 1, 10));
        issueDdt(num(2), bianchi, QDate(kAnno, 2, 10));
        Ddt reso = sampleDdt(num(10), rossi, QDate(kAnno, 3, 10));
        reso.causale = u"Reso"_s;
        issueDdt(reso);
        // Numbered in this year's series but dated in the last one: listed there.
        issueDdt(num(3), bianchi, QDate(kAnno - 1, 12, 31));
        frm = std::make_unique<FormDdt>();
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
    QString date(int m, int d, int anno = kAnno) { return Formats::shortDate(QDate(anno, m, d)); }
};

} // namespace

TEST_F(FormDdtTest, ListsTheYearHighestNumberFirst)
{
    EXPECT_EQ(shown(),
              u"D.D.T. %1\n%2|ROSSI|%3|Reso\n%4|BIANCHI|%5|Vendita\n%6|ROSSI|%7|Vendita\n3 D.D.T."_s.arg(kAnno).arg(
                  num(10), date(3, 10), num(2), date(2, 10), num(1), date(1, 10)));
    auto* cli = get<QComboBox>("ComboCli");
    EXPECT_EQ(cli->count(), 3);
    EXPECT_EQ(cli->itemText(0), u"Tutti"_s);
    cli->activated(cli->findText(u"BIANCHI"_s));
    EXPECT_EQ(gridText(grid()->model()), u"%1|BIANCHI|%2|Vendita"_s.arg(num(2), date(2, 10)));
    // Another year keeps the customer filter.
    dlg.type(QString::number(kAnno - 1));
    get("BtnAnno")->click();
    EXPECT_EQ(shown(),
              u"D.D.T. %1\n%2|BIANCHI|%3|Vendita\n1 D.D.T."_s.arg(kAnno - 1).arg(num(3), date(12, 31, kAnno - 1)));
    dlg.type(u"1990"_s);
    get("BtnAnno")->click();
    EXPECT_EQ(shown(), u"D.D.T. 1990\n\n0 D.D.T."_s);
}

TEST_F(FormDdtTest, RecallAndNew)
{
    get("BtnRichiama")->click();
    EXPECT_EQ(dlg.lastText(), u"Selezionare prima un DDT"_s);
    QString shownNumber;
    dlg.onWindow([&](QDialog* w) {
        shownNumber = w->findChild<QLineEdit*>(u"TxtNum"_s)->text();
        return 1;
    });
    Gesture::doubleClick(grid()->viewport(), Gesture::cell(grid(), 1));
    EXPECT_EQ(shownNumber, num(2));
    // The choice is used once.
    get("BtnRichiama")->click();
    EXPECT_EQ(dlg.lastText(), u"Selezionare prima un DDT"_s);

    dlg.onWindow([&](QDialog* w) {
        shownNumber = w->findChild<QLineEdit*>(u"TxtNum"_s)->text();
        issueDdt(num(11), bianchi, QDate(kAnno, 4, 1));
        return 0;
    });
    get("BtnEmetti")->click();
    EXPECT_EQ(shownNumber, num(11));
    EXPECT_EQ(dlg.windowsShown, (QStringList{u"FormRegDdt"_s, u"FormRegDdt"_s}));
    EXPECT_EQ(get<QLabel>("LblRec")->text(), u"4 D.D.T."_s);
}

TEST_F(FormDdtTest, PreviewAndCommandPrintTheListAsShown)
{
    std::vector<Page> preview;
    dlg.onWindow([&](QDialog* w) {
        preview = static_cast<FormStampaFatt*>(w)->pages();
        return 0;
    });
    get("BtnAnt")->click();
    ASSERT_EQ(preview.size(), 1u);
    EXPECT_EQ(PageTexts::registerLines(preview, RegisterLayout::kPrimaRigaY).join(u'\n'), gridText(grid()->model()));
    EXPECT_NE(preview[0].findText(u"REGISTRO DDT %1"_s.arg(kAnno)), nullptr);
    EXPECT_NE(preview[0].findText(u"Causale trasporto"_s), nullptr);

    RegisterPrint::registerPdfKinds();
    QString errors;
    QTextStream err(&errors);
    const QString out = dir.path(u"ddt.pdf"_s);
    ASSERT_EQ(PdfCommand::run({u"registro-ddt"_s, QString::number(kAnno), u"-o"_s, out}, err), 0);
    const auto words = PdfProbe::words(out);
    for (const QString& w : {u"REGISTRO"_s, u"Reso"_s, num(10), num(2), u"1/1"_s})
        EXPECT_NE(PdfProbe::find(words, w), nullptr) << w.toStdString();
    // A customer filter belongs to registers only.
    EXPECT_EQ(PdfCommand::run({u"ddt"_s, num(1), u"--cliente"_s, u"1"_s, u"-o"_s, dir.path(u"x.pdf"_s)}, err), 1);
    EXPECT_FALSE(QFile::exists(dir.path(u"x.pdf"_s)));
}
