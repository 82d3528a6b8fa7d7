#include "app/demodata.h"
#include "app/ui/form1.h"
#include "ddt/ui/formddt.h"
#include "ddt/ui/formregddt.h"
#include "invoices/ui/formfatt.h"
#include "invoices/ui/formregfatt.h"
#include "invoices/ui/frmbancariba.h"
#include "invoices/ui/frmeditfatt.h"
#include "invoices/ui/frmscadenzario.h"
#include "printing/ui/formstampa.h"
#include "printing/ui/formstampafatt.h"
#include "printing/ui/frmcopie.h"
#include "printing/ui/frmprinters.h"
#include "registry/ui/formana.h"
#include "registry/ui/frmana.h"
#include "registry/ui/frmcondizioni.h"
#include "scripteddialogs.h"
#include "shell/ui/frmazi.h"
#include "shell/ui/frmbackup.h"
#include "shell/ui/frmripristino.h"
#include "warehouse/ui/formmag.h"
#include "warehouse/ui/frmart.h"
#include "warehouse/ui/frmimpcat.h"
#include "workdir.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Every window built so far, over the demo data so that grids, lists and combo boxes hold entries.
struct EveryWindow : ::testing::Test {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    QList<QWidget*> windows;

    EveryWindow()
    {
        const DbStatus filled = DemoData::fill();
        EXPECT_FALSE(filled) << filled->text.toStdString();
        auto* fattura = new FormRegFatt;
        fattura->Carica(QString(), QDate::currentDate().year());
        auto* ddt = new FormRegDdt;
        ddt->Carica(QString());
        windows << fattura << ddt << new FormDdt << new FormStampaFatt(u"Anagrafica"_s, std::any(CustomerSheetData{}))
                << new Form1 << new FrmAzi << new FormAna << new FrmAna << new FrmImpCat << new FormMag << new FrmArt
                << new FormFatt << new FrmEditFatt << new FrmCopie << new FrmPrinters
                << new FormStampa(CustomerSheetData{}) << new FrmBackup << new FrmRipristino << new FrmCondizioni
                << new FrmBancaRiba << new FrmScadenzario;
    }
    ~EveryWindow() override { qDeleteAll(windows); }
};

QString spoken(QObject* control, QAccessible::Text what = QAccessible::Name)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    return iface ? iface->text(what) : u"(nessuna interfaccia)"_s;
}

// Every control has a name; a label is read out as what it shows and keeps up when its text
// changes (counts, headings, positions); a combo box is named by its label, its value is what it shows.
TEST_F(EveryWindow, EveryControlIsReadAsItShows)
{
    QStringList wrong;
    int withValue = 0;
    for (QWidget* window : windows)
        for (QWidget* w : window->findChildren<QWidget*>()) {
            // The parts Qt builds inside a control (a combo's list, a view's header) speak for their owner.
            if (w->objectName().isEmpty() || w->objectName().startsWith(u"qt_"_s))
                continue;
            const QString name = window->objectName() + u'.' + w->objectName();
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                                 qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                                 qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w);
            if (control && w->accessibleName().trimmed().isEmpty())
                wrong << name + u": senza nome"_s;
            if (auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull()) {
                const QString before = label->text();
                if (spoken(label) != (label->buddy() ? QString(before).remove(u'&') : before))
                    wrong << name + u" letto \""_s + spoken(label) + u'"';
                label->setText(u"21 clienti"_s);
                if (spoken(label) != u"21 clienti"_s)
                    wrong << name + u" non segue il testo"_s;
                label->setText(before);
            }
            if (auto* combo = qobject_cast<QComboBox*>(w)) {
                withValue += !combo->currentText().isEmpty();
                if (spoken(combo) != combo->accessibleName() ||
                    spoken(combo, QAccessible::Value) != combo->currentText())
                    wrong << name + u": \""_s + spoken(combo) + u"\" / \""_s + spoken(combo, QAccessible::Value) + u'"';
            }
        }
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(u"\n"_s).toStdString();
    EXPECT_GE(withValue, 3);
}

} // namespace
