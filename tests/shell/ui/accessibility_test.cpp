#include "invoices/ui/formfatt.h"
#include "invoices/ui/formregfatt.h"
#include "invoices/ui/frmeditfatt.h"
#include "printing/ui/formstampa.h"
#include "printing/ui/formstampafatt.h"
#include "printing/ui/frmcopie.h"
#include "printing/ui/frmprinters.h"
#include "registry/ui/formana.h"
#include "registry/ui/frmana.h"
#include "scripteddialogs.h"
#include "shell/ui/form1.h"
#include "shell/ui/frmazi.h"
#include "warehouse/ui/formmag.h"
#include "warehouse/ui/frmart.h"
#include "warehouse/ui/frmimpcat.h"
#include "workdir.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

// Controls a screen reader lands on must say what they are.
QStringList unnamedControls(QWidget* window)
{
    QStringList missing;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                             qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w);
        // Parts Qt builds inside a control (a combo's line edit, a view's header) speak for their owner.
        if (!control || w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (w->accessibleName().trimmed().isEmpty())
            missing << window->objectName() + u'.' + w->objectName();
    }
    return missing;
}

TEST(Accessibility, EveryControlOfEveryWindowHasAName)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    auto* fattura = new FormRegFatt;
    fattura->Carica(QString(), 2026);
    auto* stampa = new FormStampaFatt(QStringLiteral("Anagrafica"), std::any(CustomerSheetData{}));
    QList<QWidget*> windows{fattura, stampa};
    windows << new Form1 << new FrmAzi << new FormAna << new FrmAna << new FrmImpCat << new FormMag << new FrmArt
            << new FormFatt << new FrmEditFatt << new FrmCopie << new FrmPrinters
            << new FormStampa(CustomerSheetData{});
    QStringList missing;
    for (QWidget* w : windows)
        missing << unnamedControls(w);
    qDeleteAll(windows);
    EXPECT_TRUE(missing.isEmpty()) << missing.join(QStringLiteral(", ")).toStdString();
}

} // namespace
