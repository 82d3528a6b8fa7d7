#pragma once

#include <QString>

// The free document as a paper of the printing engine: its layout under the kind "Documento"
// and the command line's "pdf documento NUM".
namespace DocumentPaper {

inline const QString kTipo = QStringLiteral("Documento");
inline const QString kComando = QStringLiteral("documento");

void registerLayout();
void registerPdfKind();

} // namespace DocumentPaper
