#include "printing/layoutregistry.h"

#include "printing/printsources.h"
#include "shell/appstate.h"

#include <map>

namespace {

std::map<QString, LayoutRegistry::Entry>& table()
{
    static std::map<QString, LayoutRegistry::Entry> entries;
    return entries;
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

} // namespace

namespace LayoutRegistry {

void setBuiltins(void (*addAll)())
{
    g_builtins = addAll;
}

void add(const QString& kind, Entry entry)
{
    ensureBuiltins();
    table()[kind] = std::move(entry);
}

const Entry* find(const QString& kind)
{
    ensureBuiltins();
    const auto it = table().find(kind);
    return it == table().end() || !it->second.layout ? nullptr : &it->second;
}

QStringList kinds()
{
    ensureBuiltins();
    QStringList out;
    for (const auto& [kind, entry] : table())
        out << kind;
    return out;
}

std::vector<Page> compose(const QString& kind, const std::any& data, QWidget* parent)
{
    const Entry* entry = find(kind);
    if (!entry)
        return {};
    LayoutContext ctx;
    if (entry->needsHeader)
        ctx = PrintSources::context(parent);
    ctx.parent = parent;
    try {
        return entry->layout(data, ctx);
    } catch (const std::bad_any_cast&) {
        return {};
    }
}

QString fileName(const QString& kind, const QString& name)
{
    if (name.trimmed().isEmpty())
        return kind + QStringLiteral(".pdf");
    QString n = name;
    return kind + QLatin1Char('_') + n.replace(QLatin1Char('/'), QLatin1Char('-')) + QStringLiteral(".pdf");
}

QString fileName(const QString& kind, const std::any& data)
{
    const Entry* entry = find(kind);
    QString name;
    if (entry && entry->name) {
        try {
            name = entry->name(data);
        } catch (const std::bad_any_cast&) {
        }
    }
    return fileName(kind, name);
}

PageView printView(const QString& kind)
{
    const Entry* entry = find(kind);
    PageView view;
    view.zoom = 1.0f;
    view.margine = entry && entry->appliesMargin ? app().margineLaterale : 0.0f;
    return view;
}

} // namespace LayoutRegistry
