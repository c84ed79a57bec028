#include "widgets/vrnum.h"

namespace widgets {

using lcd::NumModel;

TVrNum::TVrNum() {
    palette_.SetOnChange([this] {
        LoadStrip();
        Invalidate();
    });
    LoadStrip();
}

void TVrNum::LoadStrip() {
    Image original;
    if (!LoadBitmapResource(ResourceModule(), lcd::StyleOf(model_.Style()).resource, original) ||
        !strip_.Load(original)) {
        strip_ = lcd::Strip{};
        return;
    }
    strip_.Recolour(palette_.Low(), palette_.High());
}

void TVrNum::Apply(unsigned effects) {
    if (effects & NumModel::kReload) LoadStrip();
    if (effects & NumModel::kResize) {
        SIZE size;
        if (AutoSizeExtent(size)) RequestSize(size.cx, size.cy);
    }
    if (effects & (NumModel::kRepaint | NumModel::kReload)) Invalidate();
    if ((effects & NumModel::kChanged) && OnChange) OnChange(*this);
}

void TVrNum::SetValue(std::int32_t v) { Apply(model_.SetValue(v)); }
void TVrNum::SetMin(std::int32_t v) { Apply(model_.SetMin(v)); }
void TVrNum::SetMax(std::int32_t v) { Apply(model_.SetMax(v)); }
void TVrNum::SetDigits(int v) { Apply(model_.SetDigits(v)); }
void TVrNum::SetSpacing(int v) { Apply(model_.SetSpacing(v)); }
void TVrNum::SetStyle(TVrNumStyle v) { Apply(model_.SetStyle(v)); }
void TVrNum::SetLeadingZero(bool v) { Apply(model_.SetLeadingZero(v)); }
void TVrNum::SetZeroBlank(bool v) { Apply(model_.SetZeroBlank(v)); }
void TVrNum::SetAlignment(TVrNumAlignment v) { Apply(model_.SetAlignment(v)); }
void TVrNum::SetTransparent(bool v) { Apply(model_.SetTransparent(v)); }
void TVrNum::SetColor(Colour v) { Apply(model_.SetColor(v)); }
void TVrNum::SetAutoSize(bool v) { Apply(model_.SetAutoSize(v)); }

void TVrNum::SysColorChange() {
    LoadStrip();
    Invalidate();
}

bool TVrNum::AutoSizeExtent(SIZE& size) const {
    if (!model_.AutoSize() || !strip_.Loaded()) return false;
    const lcd::Extent e =
        lcd::AutoSizeExtent(model_.Digits(), strip_.CellWidth(), strip_.CellHeight(), model_.Spacing());
    size.cx = e.width;
    size.cy = e.height;
    return true;
}

void TVrNum::Paint(HDC dc, const RECT& bounds) {
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (w <= 0 || h <= 0 || !offscreen_.Ensure(w, h)) return;
    if (model_.Transparent()) BitBlt(offscreen_.Dc(), 0, 0, w, h, dc, bounds.left, bounds.top, SRCCOPY);
    GdiFlush();
    lcd::Paint(offscreen_.Pixels(), strip_, model_.ToPaint());
    BitBlt(dc, bounds.left, bounds.top, w, h, offscreen_.Dc(), 0, 0, SRCCOPY);
}

}  // namespace widgets
