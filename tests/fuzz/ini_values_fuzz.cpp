// The settings file as a user may leave it: any text, parsed as INI and read into every
// section's record, the gadget's stored geometry placed on a screen, then written back.
#include <cstdint>
#include <string>

#include "monitor/ui/screen_fit.h"
#include "monitor/settings/settings_records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    settings::MemoryProfileStore store;
    store.Parse(std::string(reinterpret_cast<const char*>(data), size));
    settings::SettingsFile file(store);
    settings::AllSettings all;
    all.main = settings::ReadMain(file, settings::MainDesign(true));
    all.adapter = settings::ReadAdapter(file, 1);
    all.network = settings::ReadNetworkWindow(file, settings::NetworkDesign());
    for (int m = 0; m < settings::kMeterCount; ++m) {
        const auto meter = static_cast<settings::Meter>(m);
        all.meters[m] = settings::ReadMeter(file, meter, settings::MeterDesign(meter));
    }
    settings::OpacityFromSetting(all.main.alphaBlendValue);

    // Placed on a 1024 x 768 screen beside a second monitor at the left.
    const ui::MonitorArea monitors[2] = {{{0, 0, 1024, 768}, {0, 0, 1024, 738}},
                                         {{-1280, -200, 0, 824}, {-1280, -200, 0, 824}}};
    const ui::ScreenRect vs{-1280, -200, 1024, 824};
    const ui::WindowBounds placed = ui::FitStoredBounds(
        {all.main.left, all.main.top, all.main.width, all.main.height}, vs, monitors, 2, 2);
    if (placed.width > 2304 || placed.height > 1024 || placed.width < 2 || placed.height < 2)
        __builtin_trap();
    const bool onSome = (placed.left < 1024 && placed.left + placed.width > 0 && placed.top < 768 &&
                         placed.top + placed.height > 0) ||
                        (placed.left < 0 && placed.left + placed.width > -1280 && placed.top < 824 &&
                         placed.top + placed.height > -200);
    if (!onSome) __builtin_trap();

    settings::MemoryProfileStore out;
    settings::SettingsFile written(out);
    settings::WriteAll(written, all);
    return 0;
}
