#include "keyblocker/about/widget_layout.h"

namespace kq {

namespace {
constexpr int kEdge = 8;  // distance of picture and text from the button's edge
constexpr int kGap = 10;  // distance between picture and text
}  // namespace

ButtonLayout LayoutBitButton(const WRect& button, int pictureWidth, int pictureHeight, bool hasPicture,
                             unsigned placement) {
    ButtonLayout out;
    out.text = button;
    if (hasPicture) {
        WRect& p = out.picture;
        p.left = button.left + (button.Width() - pictureWidth) / 2;
        p.top = button.top + (button.Height() - pictureHeight) / 2;
        if (placement & kPicLeft) {
            p.left = button.left + kEdge;
            out.text.left = p.left + pictureWidth + kGap;
        } else if (placement & kPicRight) {
            p.left = button.right - kEdge - pictureWidth;
            out.text.right = p.left - kGap;
        }
        if (placement & kPicTop) {
            p.top = button.top + kEdge;
            out.text.top = p.top + pictureHeight + kGap;
        } else if (placement & kPicBottom) {
            p.top = button.bottom - kEdge - pictureHeight;
            out.text.bottom = p.top - kGap;
        }
        p.right = p.left + pictureWidth;
        p.bottom = p.top + pictureHeight;
    }
    WRect& t = out.text;
    if (t.left < button.left + kEdge) t.left = button.left + kEdge;
    if (t.top < button.top + kEdge) t.top = button.top + kEdge;
    if (t.right > button.right - kEdge) t.right = button.right - kEdge;
    if (t.bottom > button.bottom - kEdge) t.bottom = button.bottom - kEdge;
    return out;
}

LabelLayout LayoutUrlLabel(const WRect& label, int textWidth, int textHeight) {
    LabelLayout out;
    const int d = (label.Height() - textHeight) / 2;
    out.focus.left = label.left;
    out.focus.right = label.left + textWidth + 4;
    out.focus.top = label.top + d - 2;
    out.focus.bottom = label.top + d + textHeight + 4;
    out.text = out.focus;
    out.text.left += 2;
    out.text.top += 2;
    out.text.right -= 2;
    out.text.bottom -= 2;
    return out;
}

}  // namespace kq
