#include "monitor/app/details_link.h"

namespace app {

void DetailsLink::TrimWorkingSet() {
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

}  // namespace app

namespace app {

int DetailsLink::UpperLimit() const {
    // Network/UpperLimit, the graph's own maximum (100) when the file has none.
    constexpr int kGraphMaximum = 100;
    return main_.SettingsFile ? main_.SettingsFile->ReadInteger("Network", "UpperLimit", kGraphMaximum)
                              : kGraphMaximum;
}

}  // namespace app
