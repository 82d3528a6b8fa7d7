#pragma once

#include <QString>

// The transport document as a paper of the printing engine: its layout under the kind "Ddt"
// and the command line's "pdf ddt NUM".
namespace DdtPaper {

inline const QString kTipo = QStringLiteral("Ddt");
inline const QString kComando = QStringLiteral("ddt");

void registerLayout();
void registerPdfKind();

} // namespace DdtPaper
