#pragma once

#include "printing/layoutcontext.h"
#include "printing/page.h"

// What every paper's page starts with, in one place.
namespace PageFurniture {

constexpr double kLogoX = 5;
constexpr double kLogoY = 8;
constexpr double kLogoSize = 30;

// Font reset: Arial 10, not bold. (The preview's backdrop and sheet come from the renderer.)
void start(Page& page);
// The logo stretched to 30 x 30 mm at (5, 8).
void logo(Page& page, const LayoutContext& ctx);
// Riga1 in Arial Black 11 at (45, 10); Riga2 in Arial 16 at (51, 16), red with the colour logo.
void companyName(Page& page, const LayoutContext& ctx);
// A new page of a paper with a header: start, logo, company name.
Page headedPage(const LayoutContext& ctx);

} // namespace PageFurniture
