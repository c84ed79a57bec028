// TVrNum: a whole number as seven-segment LCD digits cut from a digit strip resource
// ("NUM13x24" ... "NUM5x7", widgets.rc), recoloured with the widget's palette.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

#include "widgets/lcd_core.h"
#include "widgets/offscreen.h"
#include "widgets/widget.h"

namespace widgets {

class TVrNum : public Widget {
public:
    // Bounds a new control gets before its host sizes it.
    static constexpr int kDefaultWidth = 26;
    static constexpr int kDefaultHeight = 100;

    TVrNum();
    TVrNum(const TVrNum&) = delete;
    TVrNum& operator=(const TVrNum&) = delete;

    // Kept within Min..Max; OnChange follows a change.
    std::int32_t Value() const { return model_.Value(); }
    void SetValue(std::int32_t v);
    // Refused unless Min stays below Max; Value is not re-clamped. A negative Min adds a sign cell.
    std::int32_t Min() const { return model_.Min(); }
    void SetMin(std::int32_t v);
    std::int32_t Max() const { return model_.Max(); }
    void SetMax(std::int32_t v);
    int Digits() const { return model_.Digits(); }  // 1..16
    void SetDigits(int v);
    int Spacing() const { return model_.Spacing(); }  // pixels between cells
    void SetSpacing(int v);
    TVrNumStyle Style() const { return model_.Style(); }
    void SetStyle(TVrNumStyle v);
    bool LeadingZero() const { return model_.LeadingZero(); }
    void SetLeadingZero(bool v);
    bool ZeroBlank() const { return model_.ZeroBlank(); }
    void SetZeroBlank(bool v);
    TVrNumAlignment Alignment() const { return model_.Alignment(); }
    void SetAlignment(TVrNumAlignment v);
    // Changing Palette().SetLow/SetHigh recolours at once.
    TVrPalette& Palette() { return palette_; }
    const TVrPalette& Palette() const { return palette_; }
    void SetPalette(const TVrPalette& p) { palette_.Assign(p); }
    void SetPalette(Colour low, Colour high) { palette_.Assign(TVrPalette(low, high)); }
    // Transparent: the pixels the host dc holds under the control are the background.
    bool Transparent() const { return model_.Transparent(); }
    void SetTransparent(bool v);
    Colour Color() const { return model_.Color(); }
    void SetColor(Colour v);
    bool AutoSize() const { return model_.AutoSize(); }
    void SetAutoSize(bool v);

    // Raised after Value changed.
    std::function<void(TVrNum&)> OnChange;

    int CellWidth() const { return strip_.CellWidth(); }
    int CellHeight() const { return strip_.CellHeight(); }
    const lcd::Strip& Strip() const { return strip_; }

    void Paint(HDC dc, const RECT& bounds) override;
    bool AutoSizeExtent(SIZE& size) const override;
    bool Opaque() const override { return !model_.Transparent(); }
    void SysColorChange() override;

private:
    void Apply(unsigned effects);
    void LoadStrip();

    lcd::NumModel model_;
    TVrPalette palette_{0x008000, 0x00FF00};
    lcd::Strip strip_;
    Offscreen offscreen_;
};

}  // namespace widgets
