#pragma once

#include "data/dberror.h"
#include "quotes/quote.h"
#include "quotes/quotedata.h"

#include <QString>
#include <optional>

// The quote as a paper of the printing engine: its layout under the kind "Preventivo" and the
// command line's "pdf preventivo NUM".
namespace QuotePaper {

inline const QString kTipo = QStringLiteral("Preventivo");
inline const QString kComando = QStringLiteral("preventivo");

// A stored quote as the editor shows it once recalled, so both print the same pages.
QuoteData dati(const Quote& q);
// The stored quote of that number; nothing when there is none.
DbResult<std::optional<QuoteData>> datiPreventivo(const QString& num);

void registerLayout();
void registerPdfKind();

} // namespace QuotePaper
