#include "printing/pdfprinter.h"

#include "data/runtimeerrors.h"
#include "printing/pdfoutput.h"
#include "shell/dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

constexpr int kMaxNameLength = 180;
const QString kFallbackName = QStringLiteral("Documento.pdf");

QString& folder()
{
    static QString last;
    return last;
}

} // namespace

namespace PdfPrinter {

QString safeFileName(const QString& suggested)
{
    QString name = suggested.section(QLatin1Char('\n'), 0, 0).trimmed();
    static const QRegularExpression unsafe(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    name.replace(unsafe, QStringLiteral("-"));
    while (name.contains(QStringLiteral("..")))
        name.replace(QStringLiteral(".."), QStringLiteral("."));
    while (name.startsWith(QLatin1Char('.')) || name.startsWith(QLatin1Char(' ')))
        name.remove(0, 1);
    if (name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        name.chop(4);
    name = name.left(kMaxNameLength).trimmed();
    if (name.isEmpty() || name == QStringLiteral("."))
        return kFallbackName;
    return name + QStringLiteral(".pdf");
}

QString lastFolder()
{
    if (folder().isEmpty()) {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QDir(documents).exists() ? documents : QDir::homePath();
    }
    return folder();
}

void setLastFolder(const QString& f)
{
    folder() = f;
}

Outcome print(QWidget* parent, const std::vector<Page>& pages, const PageView& view, const QString& suggested)
{
    const QString proposed = QDir(lastFolder()).filePath(safeFileName(suggested));
    QString chosen = dialogs().saveFileName(parent, QStringLiteral("Salva il PDF"), proposed,
                                            QStringLiteral("Documenti PDF (*.pdf)"));
    if (chosen.isEmpty())
        return Outcome::Cancelled;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".pdf");
    QString error;
    if (!PdfOutput::write(pages, view, chosen, &error)) {
        dialogs().message(parent, RuntimeErrors::text(RuntimeErrors::PrinterError) + QStringLiteral(": ") + error,
                          RuntimeErrors::title(RuntimeErrors::PrinterError), Dialogs::Icon::Critical);
        return Outcome::Failed;
    }
    setLastFolder(QFileInfo(chosen).absolutePath());
    return Outcome::Written;
}

} // namespace PdfPrinter
