#include "printing/pdfcommand.h"

#include "printing/layoutregistry.h"
#include "printing/pdfoutput.h"
#include "shell/commandargs.h"
#include "shell/dialogs.h"

#include <QTextStream>
#include <map>

namespace {

const QString kUsage = QStringLiteral("Uso: corvalisto [--dir CARTELLA] pdf TIPO CHIAVE -o FILE\n"
                                      "     corvalisto [--dir CARTELLA] pdf registro-fatture|registro-ddt ANNO "
                                      "[--cliente ID] -o FILE");

std::map<QString, PdfCommand::Finder>& table()
{
    static std::map<QString, PdfCommand::Finder> finders;
    return finders;
}

std::map<QString, PdfCommand::ListFinder>& lists()
{
    static std::map<QString, PdfCommand::ListFinder> finders;
    return finders;
}

void (*g_builtins)() = nullptr;

void ensureBuiltins()
{
    static bool done = false;
    if (done || !g_builtins)
        return;
    done = true;
    g_builtins();
}

// Without a window, whatever a layout would show goes to the error stream.
class StreamDialogs : public Dialogs {
public:
    explicit StreamDialogs(QTextStream& err) : m_err(err) {}
    Answer message(QWidget*, const QString& text, const QString& title, Icon, Buttons buttons) override
    {
        m_err << (title.isEmpty() ? QString() : title + QStringLiteral(": ")) << text << Qt::endl;
        m_shown = true;
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::No : Answer::Cancel;
    }
    std::optional<QString> input(QWidget*, const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    int exec(QDialog*) override { return 0; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    // Whether a layout had something to say: the paper is then not as it should be.
    bool shown() const { return m_shown; }

private:
    QTextStream& m_err;
    bool m_shown = false;
};

struct Arguments {
    QString kind;
    QString key;
    QString output;
    QString cliente;
    bool ok = false;
};

Arguments parse(QStringList args)
{
    if (!args.isEmpty() && args.first() == QStringLiteral("pdf"))
        args.removeFirst();
    Arguments a;
    QStringList positional;
    for (int i = 0; i < args.size(); ++i) {
        const QString& word = args[i];
        if (word == QStringLiteral("-o") || word == QStringLiteral("--output")) {
            if (i + 1 >= args.size())
                return a;
            a.output = args[++i];
        } else if (word == QStringLiteral("--cliente")) {
            if (i + 1 >= args.size())
                return a;
            a.cliente = args[++i];
        } else if (word.startsWith(QStringLiteral("--output="))) {
            a.output = word.mid(9);
        } else {
            positional << word;
        }
    }
    if (positional.size() != 2 || a.output.isEmpty())
        return a;
    a.kind = positional[0].toLower();
    a.key = positional[1];
    a.ok = true;
    return a;
}

} // namespace

void PdfCommand::setBuiltins(void (*addAll)())
{
    g_builtins = addAll;
}

void PdfCommand::addKind(const QString& kind, Finder finder)
{
    ensureBuiltins();
    table()[kind.toLower()] = std::move(finder);
}

void PdfCommand::addListKind(const QString& kind, ListFinder finder)
{
    lists()[kind.toLower()] = std::move(finder);
}

QStringList PdfCommand::kinds()
{
    ensureBuiltins();
    QStringList out;
    for (const auto& [kind, finder] : table())
        out << kind;
    for (const auto& [kind, finder] : lists())
        out << kind;
    return out;
}

int PdfCommand::run(const QStringList& args, QTextStream& err)
{
    const Arguments a = parse(args);
    if (!a.ok) {
        err << kUsage << Qt::endl;
        return 1;
    }
    ensureBuiltins();
    const auto list = lists().find(a.kind);
    const auto it = table().find(a.kind);
    if (list == lists().end() && !a.cliente.isEmpty()) {
        err << kUsage << Qt::endl;
        return 1;
    }
    if (it == table().end() && list == lists().end()) {
        err << QStringLiteral("Tipo di documento sconosciuto: \"%1\". Tipi disponibili: %2.")
                   .arg(a.kind, kinds().join(QStringLiteral(", ")))
            << Qt::endl;
        return 1;
    }
    QString error;
    std::optional<Paper> paper;
    if (list != lists().end()) {
        const std::optional<int> anno = CommandArgs::anno(a.key, error);
        const std::optional<qint64> idCliente = anno ? CommandArgs::cliente(a.cliente, error) : std::nullopt;
        if (!anno || !idCliente) {
            err << error << Qt::endl;
            return 1;
        }
        paper = list->second(*anno, *idCliente, error);
    } else {
        paper = it->second(a.key, error);
    }
    if (!paper) {
        err << error << Qt::endl;
        return 1;
    }

    Dialogs& previous = dialogs();
    StreamDialogs streamed(err);
    setDialogs(&streamed);
    const std::vector<Page> pages = LayoutRegistry::compose(paper->tipoDocumento, paper->data, nullptr);
    setDialogs(&previous);
    if (streamed.shown()) {
        err << QStringLiteral("Nessun file scritto per \"%1\": il documento non sarebbe completo.").arg(a.key)
            << Qt::endl;
        return 1;
    }
    if (pages.empty()) {
        err << QStringLiteral("Nessuna pagina da scrivere per \"%1\".").arg(a.key) << Qt::endl;
        return 1;
    }
    if (!PdfOutput::write(pages, LayoutRegistry::printView(paper->tipoDocumento), a.output, &error)) {
        err << QStringLiteral("Impossibile scrivere \"%1\": %2").arg(a.output, error) << Qt::endl;
        return 1;
    }
    return 0;
}
