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
#include <memory>

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
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.emplace_back(new Form1);
    windows.emplace_back(new FrmAzi);
    windows.emplace_back(new FormAna);
    windows.emplace_back(new FrmAna);
    windows.emplace_back(new FrmImpCat);
    windows.emplace_back(new FormMag);
    windows.emplace_back(new FrmArt);
    auto* fattura = new FormRegFatt;
    fattura->Carica(QString(), 2026);
    windows.emplace_back(fattura);
    windows.emplace_back(new FormFatt);
    windows.emplace_back(new FrmEditFatt);
    windows.emplace_back(new FrmCopie);
    windows.emplace_back(new FrmPrinters);
    windows.emplace_back(new FormStampa(CustomerSheetData{}));
    windows.emplace_back(new FormStampaFatt(QStringLiteral("Anagrafica"), std::any(CustomerSheetData{})));
    QStringList missing;
    for (const auto& w : windows)
        missing << unnamedControls(w.get());
    EXPECT_TRUE(missing.isEmpty()) << missing.join(QStringLiteral(", ")).toStdString();
}

} // namespace
