#pragma once

// The papers the program knows: each kind's layout and, where a paper can be written from the
// command line, how it is found by its key. Every paper adds its lines here.
namespace BuiltinPapers {

// Hands the two lists below to printing, which reads them at its first use.
void install();

void registerLayouts();
void registerPdfKinds();

} // namespace BuiltinPapers
