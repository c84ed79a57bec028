// The gadget's parts as its layout, show commands and settings see them (inside the program).
#pragma once
#include "monitor/app/frmMain.h"
#include "monitor/app/gadget_layout.h"

namespace app {

// The four bars in the order of gadget::BarId.
TMyBar* const* BarsOf(TfrmMain& f);
// Which parts show, and their sizes, as the show-command rules take and give them.
gadget::Parts ReadParts(TfrmMain& f);
void WriteParts(TfrmMain& f, const gadget::Parts& p);
// The network display chosen in the menu.
gadget::NetDisplay CurrentDisplay(const TfrmMain& f);

}  // namespace app
