#include "invoices/ui/formregfatt.h"
#include "printing/ui/frmcopie.h"
#include "scripteddialogs.h"
#include "shell/ui/windowbehaviour.h"
#include "usergestures.h"
#include "warehouse/ui/frmart.h"
#include "workdir.h"

#include <QCheckBox>
#include <QDate>
#include <QFrame>
#include <QLayout>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Where a control sits in its window, once the window is laid out at its designed size.
QRect placed(QWidget* window, const char* name)
{
    window->show();
    window->layout()->activate();
    const auto* control = window->findChild<QWidget*>(QString::fromLatin1(name));
    return control ? QRect(control->mapTo(window, QPoint()), control->size()) : QRect();
}

} // namespace

// Inside the designed window sizes: boxes as wide as what they hold, pairs alike, no empty bands.
TEST(Look, ProportionsInsideTheDesignedSizes)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    {
        FrmArt item;
        const QRect cat = placed(&item, "ComboCat"), des = placed(&item, "TxtDes"), qta = placed(&item, "TxtQta");
        const QRect add = placed(&item, "BtnAdd"), sub = placed(&item, "BtnSub");
        // Load and unload alike; the description ends with its row; no band above the buttons wider
        // than one row.
        EXPECT_EQ(add.width(), sub.width());
        EXPECT_EQ(des.right(), placed(&item, "BtnInsCat").right());
        EXPECT_LE(placed(&item, "BtnSalva").top() - qta.bottom(), des.top() - cat.top());
    }
    {
        FormRegFatt invoice;
        invoice.Carica(QString(), QDate::currentDate().year());
        auto* data = invoice.findChild<QLineEdit*>(u"TxtData"_s);
        const int date = data->fontMetrics().horizontalAdvance(u"00/00/0000"_s);
        const int width = placed(&invoice, "TxtData").width();
        EXPECT_GE(width, date);
        EXPECT_LE(width, 2 * date);
    }
    {
        FrmCopie copies;
        auto* one = copies.findChild<QCheckBox*>(u"ChkCopie0"_s);
        ASSERT_TRUE(Gesture::focus(one));
        // The focus frame hugs the option it surrounds.
        const int margin = WindowBehaviour::twipsToPixels(4, &copies);
        EXPECT_LE(copies.findChild<QFrame*>(u"Shape1"_s)->width(), one->sizeHint().width() + 2 * margin + 2);
    }
}
