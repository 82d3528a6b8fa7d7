#pragma once

#include "printing/layoutcontext.h"
#include "printing/page.h"
#include "printing/pageview.h"

#include <QString>
#include <QStringList>
#include <any>
#include <functional>
#include <vector>

// The layout of each kind of paper (TipoDocumento: "Fattura", "Ddt", "Preventivo",
// "Documento", "Anagrafica"): a function turning the paper's plain data into pages.
namespace LayoutRegistry {

using Layout = std::function<std::vector<Page>(const std::any& data, const LayoutContext& ctx)>;

struct Entry {
    Layout layout;
    // Whether a print shifts the paper by the side margin of the settings.
    bool appliesMargin = true;
    // Whether the paper prints the company header (and so needs it loaded).
    bool needsHeader = true;
    // What names the paper in a file name: its number, or the customer of a sheet.
    std::function<QString(const std::any& data)> name = nullptr;
};

// What adds the layouts of the papers the program knows, run once before the registry is first
// used. The program sets it when it starts; printing knows no kind of paper by itself.
void setBuiltins(void (*addAll)());
// Registers or replaces the layout of a kind.
void add(const QString& kind, Entry entry);
// Nothing when the kind has no layout.
const Entry* find(const QString& kind);
QStringList kinds();

// DisegnaPagina: the pages of the paper, loading the company header when the kind prints it.
// An unknown kind, or data of the wrong type for it, gives no pages.
std::vector<Page> compose(const QString& kind, const std::any& data, QWidget* parent);
// How a printed copy of that kind is placed: zoom 1 and, when the kind applies it, the margin.
PageView printView(const QString& kind);
// "<kind>_<name with - for />.pdf", e.g. "Preventivo_7-09.pdf"; "<kind>.pdf" without a name.
QString fileName(const QString& kind, const QString& name);
// The file name of a paper, made from the paper itself.
QString fileName(const QString& kind, const std::any& data);

} // namespace LayoutRegistry
