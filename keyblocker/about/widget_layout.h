// Layout arithmetic of the bitmap button and the link label, free of Windows types.
#pragma once

namespace kq {

struct WRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const WRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// Picture placement flags of the bitmap button; none of the four means centred.
enum PicturePlacement : unsigned {
    kPicTop = 1,
    kPicBottom = 2,
    kPicRight = 4,
    kPicLeft = 8,
};

// Text alignment of the bitmap button: 1 left, 4 centred, anything else right.
enum TextAlign : unsigned { kTextLeft = 1, kTextCenter = 4 };

struct ButtonLayout {
    WRect picture;  // where the picture goes (empty when there is none)
    WRect text;     // where the text goes
};

// Places picture and text inside a button's rectangle.
ButtonLayout LayoutBitButton(const WRect& button, int pictureWidth, int pictureHeight, bool hasPicture,
                             unsigned placement);

struct LabelLayout {
    WRect focus;  // the focus rectangle around the text
    WRect text;   // where the text is drawn
};

// Places a link label's text of the measured size inside its text rectangle (the label's
// rectangle as LayoutBitButton lays its text out).
LabelLayout LayoutUrlLabel(const WRect& textRect, int textWidth, int textHeight);

// True when the system's (major, minor) is at least (wantMajor, wantMinor).
inline bool VersionAtLeast(unsigned major, unsigned minor, unsigned wantMajor, unsigned wantMinor) {
    return major > wantMajor || (major == wantMajor && minor >= wantMinor);
}

}  // namespace kq
