#include "widgets/lcd_core.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace widgets {
namespace {

using lcd::BuildCellRow;
using lcd::CellRow;
using lcd::NumModel;
using lcd::RowInput;

std::vector<int> Cells(const CellRow& r) { return std::vector<int>(r.cell, r.cell + r.count); }
std::vector<int> Row(std::int32_t value, int digits, bool lz = false, bool zb = false, bool sign = false) {
    return Cells(BuildCellRow(RowInput{value, digits, lz, zb, sign}));
}

TEST(LcdCellRow, PaddingZeroBlankOverflowAndSign) {
    const int B = lcd::kBlankCell, M0 = lcd::kMinusUnlitCell, M1 = lcd::kMinusLitCell;
    EXPECT_EQ(Row(7, 3), (std::vector<int>{B, B, 7}));
    EXPECT_EQ(Row(7, 3, true), (std::vector<int>{0, 0, 7}));
    EXPECT_EQ(Row(0, 3), (std::vector<int>{B, B, 0}));
    EXPECT_EQ(Row(0, 3, false, true), (std::vector<int>{B, B, B}));
    EXPECT_EQ(Row(0, 3, true, true), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Row(12345, 3), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(Row(-5, 2, false, false, true), (std::vector<int>{M1, B, 5}));
    EXPECT_EQ(Row(5, 2, false, false, true), (std::vector<int>{M0, B, 5}));
    // A negative value without a sign cell shows its magnitude.
    EXPECT_EQ(Row(-42, 2), (std::vector<int>{4, 2}));
    // The lowest 32-bit value has a magnitude too, and the row never overruns.
    EXPECT_EQ(Row(INT_MIN, 1, false, false, true), (std::vector<int>{M1, 2, 1, 4, 7, 4, 8, 3, 6, 4, 8}));
    EXPECT_EQ(BuildCellRow(RowInput{0, 16, true, false, true}).count, 17);
}

TEST(LcdLayout, RowPlacementAndAutoSize) {
    // Digits 3 in ns5x7 (cells 4 x 7), spacing 2: 16 x 7; one digit: 4 x 7.
    const lcd::StyleInfo& s = lcd::StyleOf(ns5x7);
    EXPECT_STREQ(s.resource, "NUM5x7");
    EXPECT_EQ(s.stripWidth / lcd::kStripCells, 4);
    EXPECT_EQ(lcd::AutoSizeExtent(3, 4, 7, 2).width, 16);
    EXPECT_EQ(lcd::AutoSizeExtent(3, 4, 7, 2).height, 7);
    EXPECT_EQ(lcd::AutoSizeExtent(1, 4, 7, 2).width, 4);
    EXPECT_EQ(lcd::StyleOf(ns13x24).stripWidth, 169);
    EXPECT_EQ(lcd::StyleOf(ns12x17).stripHeight, 17);

    EXPECT_EQ(lcd::RowWidth(3, false, 4, 2), 16);
    EXPECT_EQ(lcd::RowWidth(3, true, 4, 2), 22);
    EXPECT_EQ(lcd::RowLeft(naLeftJustify, 30, 16), 0);
    EXPECT_EQ(lcd::RowLeft(naCenter, 30, 16), 7);
    EXPECT_EQ(lcd::RowLeft(naRightJustify, 30, 16), 14);
    // A row wider than the control: centring rounds toward zero.
    EXPECT_EQ(lcd::RowLeft(naCenter, 10, 17), -3);
    EXPECT_EQ(lcd::RowTop(100, 24), 38);
    EXPECT_EQ(lcd::RowTop(6, 7), 0);
}

TEST(LcdModel, PropertyRules) {
    NumModel m;
    EXPECT_EQ(m.Max(), 9999);
    EXPECT_EQ(m.SetValue(12000), NumModel::kRepaint | NumModel::kChanged);
    EXPECT_EQ(m.Value(), 9999);
    EXPECT_EQ(m.SetValue(20000), NumModel::kNone);  // still Max: no second change
    EXPECT_EQ(m.SetValue(-3), NumModel::kRepaint | NumModel::kChanged);
    EXPECT_EQ(m.Value(), 0);

    EXPECT_EQ(m.SetMin(9999), NumModel::kNone);  // not below Max
    EXPECT_EQ(m.SetMax(0), NumModel::kNone);     // not above Min
    EXPECT_EQ(m.SetMin(-10), NumModel::kRepaint);
    EXPECT_TRUE(m.SignCell());
    EXPECT_EQ(m.SetValue(-5) & NumModel::kChanged, NumModel::kChanged);
    EXPECT_EQ(m.SetMin(0), NumModel::kRepaint);  // Value is not re-clamped
    EXPECT_EQ(m.Value(), -5);
    EXPECT_FALSE(m.SignCell());

    EXPECT_EQ(m.SetDigits(0), NumModel::kNone);
    EXPECT_EQ(m.SetDigits(17), NumModel::kNone);
    EXPECT_EQ(m.SetDigits(16), NumModel::kResize | NumModel::kRepaint);
    EXPECT_EQ(m.SetSpacing(-1), NumModel::kNone);
    EXPECT_EQ(m.SetSpacing(0), NumModel::kResize | NumModel::kRepaint);
    EXPECT_EQ(m.SetStyle(ns5x7), NumModel::kReload | NumModel::kResize | NumModel::kRepaint);
    EXPECT_EQ(m.SetStyle(ns5x7), NumModel::kNone);
    EXPECT_EQ(m.SetStyle(static_cast<TVrNumStyle>(9)), NumModel::kNone);
    EXPECT_EQ(m.SetAlignment(static_cast<TVrNumAlignment>(3)), NumModel::kNone);
    EXPECT_EQ(m.SetTransparent(true), NumModel::kRepaint);
    EXPECT_FALSE(m.ToPaint().fillBackground);
}

TEST(LcdPalette, ColoursAndChangeNotice) {
    TVrPalette p;
    EXPECT_EQ(p.Low(), 0x008000u);
    EXPECT_EQ(p.High(), 0x00FF00u);
    EXPECT_EQ(p.Colors(0), p.Low());
    EXPECT_EQ(p.Colors(-1), p.Low());
    EXPECT_EQ(p.Colors(1), p.High());
    int notices = 0;
    p.SetOnChange([&] { ++notices; });
    p.SetLow(0x008000);
    EXPECT_EQ(notices, 0);
    p.Assign(TVrPalette(0x005533, 0x00FE99));
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(p.High(), 0x00FE99u);
    p.SetHigh(0x123456);
    EXPECT_EQ(notices, 2);
}

// A strip drawn in the test: cell c has an unlit pixel at (0, 0), a lit one at (1, 1) and
// background elsewhere, in 2 x 3 cells.
Image TinyStrip() {
    Image img;
    img.Resize(2 * 13, 3);
    for (int c = 0; c < 13; ++c) {
        img.px[c * 2] = lcd::kStripUnlit;
        img.px[img.width + c * 2 + 1] = lcd::kStripLit;
    }
    return img;
}

TEST(LcdStrip, RecolourChangesOnlySegmentsEvenWhenColoursCollide) {
    lcd::Strip strip;
    ASSERT_TRUE(strip.Load(TinyStrip()));
    EXPECT_EQ(strip.CellWidth(), 2);
    EXPECT_EQ(strip.CellHeight(), 3);
    // Low equal to the lit key colour must not turn unlit pixels lit in the second pass.
    strip.Recolour(ToColour(lcd::kStripLit), 0x0000FF);
    const Image& r = strip.Recoloured();
    EXPECT_EQ(r.At(0, 0), lcd::kStripLit);
    EXPECT_EQ(r.At(1, 1), ToPixel(0x0000FF));
    EXPECT_EQ(r.At(1, 0), 0u);
    EXPECT_EQ(r.At(0, 2), 0u);

    lcd::Strip narrow;
    Image img;
    img.Resize(12, 3);
    EXPECT_FALSE(narrow.Load(img));
    EXPECT_FALSE(narrow.Loaded());
}

TEST(LcdPaint, CellsLandInPlaceAndBackgroundShowsThrough) {
    lcd::Strip strip;
    ASSERT_TRUE(strip.Load(TinyStrip()));
    strip.Recolour(0x000000 /* black segments stay drawn */, 0x00FF00);
    Image out;
    out.Resize(12, 5);
    std::fill(out.px.begin(), out.px.end(), 0xABCDEF);
    lcd::PaintInput in;
    in.row = RowInput{7, 3, false, false, false};
    in.spacing = 1;
    in.alignment = naRightJustify;
    in.fillBackground = false;  // transparent: what is there stays
    lcd::Paint(out.View(), strip, in);
    // Row 3 * 2 + 2 * 1 = 8 wide, right-justified at x = 4, y = (5 - 3) / 2 = 1.
    EXPECT_EQ(out.At(4, 1), 0u);         // unlit pixel of the first cell, drawn black
    EXPECT_EQ(out.At(5, 2), 0x00FF00u);  // lit pixel of the first cell
    EXPECT_EQ(out.At(5, 1), 0xABCDEFu);  // background pixel of the strip left out
    EXPECT_EQ(out.At(10, 1), 0u);        // third cell
    EXPECT_EQ(out.At(0, 0), 0xABCDEFu);

    in.fillBackground = true;
    in.background = ToPixel(0x0000FF);
    lcd::Paint(out.View(), strip, in);
    EXPECT_EQ(out.At(0, 0), 0xFF0000u);  // red as a pixel
}

// Sizes, spacings and positions at the ends of the int range: no signed overflow (UBSan
// stops the test) and no pixel written or pointed at outside the picture (ASan).
TEST(LcdPaint, ExtremeGeometryNeitherOverflowsNorLeavesThePicture) {
    EXPECT_EQ(lcd::RowWidth(16, true, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(lcd::RowLeft(naRightJustify, INT_MIN, INT_MAX), INT_MIN);
    EXPECT_EQ(lcd::RowLeft(naCenter, INT_MAX, INT_MIN), INT_MAX);
    EXPECT_EQ(lcd::RowTop(INT_MIN, INT_MAX), INT_MIN + 1);
    const lcd::Extent e = lcd::AutoSizeExtent(16, 13, 24, INT_MAX);
    EXPECT_EQ(e.width, lcd::kMaxExtent) << "no size beyond what a window can have";
    EXPECT_EQ(lcd::AutoSizeExtent(3, 5, 7, 2).width, 19) << "ordinary sizes unchanged";

    lcd::Strip strip;
    ASSERT_TRUE(strip.Load(TinyStrip()));
    Image out;
    out.Resize(12, 5);
    for (int x : {INT_MIN, INT_MIN + 1, -3, -1, 11, 12, INT_MAX})
        for (int y : {INT_MIN, -2, 4, INT_MAX}) strip.DrawCell(out.View(), 8, x, y);
    strip.DrawCell(out.View(), 8, -1, 0);  // half off the left edge: the rest still lands
    EXPECT_EQ(out.At(0, 1), 0xC0C0C0u);
    lcd::PaintInput in;
    in.row = RowInput{INT_MIN, 16, true, false, true};
    for (int spacing : {0, 1000, INT_MAX})
        for (auto a : {naLeftJustify, naCenter, naRightJustify}) {
            in.spacing = spacing;
            in.alignment = a;
            lcd::Paint(out.View(), strip, in);
        }
    lcd::Paint(PixelView{nullptr, 0, 0}, strip, in);
}

TEST(LcdPixels, DecodeDibRefusesBadDataAndReadsPalettes) {
    // 3 x 2, 4 bits per pixel, two colours, bottom-up.
    std::vector<std::uint8_t> dib(40 + 2 * 4 + 2 * 4, 0);
    dib[0] = 40;
    dib[4] = 3;
    dib[8] = 2;
    dib[12] = 1;
    dib[14] = 4;
    dib[32] = 2;
    dib[40 + 4] = 0x33;
    dib[40 + 5] = 0x22;
    dib[40 + 6] = 0x11;  // colour 1 = 0x112233
    dib[48] = 0x10;      // bottom row: 1, 0, 0
    dib[52] = 0x01;      // top row: 0, 1, 0
    Image img;
    ASSERT_TRUE(DecodeDib(dib.data(), dib.size(), img));
    EXPECT_EQ(img.At(1, 0), 0x112233u);
    EXPECT_EQ(img.At(0, 1), 0x112233u);
    EXPECT_EQ(img.At(0, 0), 0u);
    EXPECT_FALSE(DecodeDib(dib.data(), dib.size() - 1, img));
    EXPECT_TRUE(img.Empty());
    dib[52] = 0x02;  // index beyond the colour table
    EXPECT_FALSE(DecodeDib(dib.data(), dib.size(), img));
    dib[52] = 0x01;
    dib[16] = 1;  // compressed
    EXPECT_FALSE(DecodeDib(dib.data(), dib.size(), img));
    EXPECT_FALSE(DecodeDib(nullptr, 0, img));
}

// The committed digit strips follow the strip format and look like seven-segment digits.
std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::vector<std::uint8_t> data;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        std::uint8_t buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.insert(data.end(), buf, buf + n);
        std::fclose(f);
    }
    return data;
}

TEST(LcdStripFiles, FormatSizesAndDigitShapes) {
    for (int s = ns13x24; s <= ns5x7; ++s) {
        const lcd::StyleInfo& info = lcd::StyleOf(static_cast<TVrNumStyle>(s));
        SCOPED_TRACE(info.resource);
        const std::vector<std::uint8_t> file =
            ReadFile(std::string(WIDGETS_RES_DIR) + "/" + info.resource + ".bmp");
        ASSERT_GT(file.size(), 14u);
        Image img;
        ASSERT_TRUE(DecodeDib(file.data() + 14, file.size() - 14, img));
        EXPECT_EQ(img.width, info.stripWidth);
        EXPECT_EQ(img.height, info.stripHeight);
        for (Pixel p : img.px)
            ASSERT_TRUE(p == lcd::kStripBackground || p == lcd::kStripUnlit || p == lcd::kStripLit);

        const int cw = img.width / 13;
        auto count = [&](int cell, Pixel key) {
            int n = 0;
            for (int y = 0; y < img.height; ++y)
                for (int x = 0; x < cw; ++x) n += img.At(cell * cw + x, y) == key;
            return n;
        };
        auto segments = [&](int cell) { return count(cell, lcd::kStripUnlit) + count(cell, lcd::kStripLit); };
        const int all = segments(8);
        EXPECT_EQ(count(8, lcd::kStripUnlit), 0);
        EXPECT_EQ(count(10, lcd::kStripLit), 0);
        EXPECT_EQ(count(10, lcd::kStripUnlit), all);
        std::set<std::vector<bool>> shapes;
        for (int d = 0; d <= 9; ++d) {
            EXPECT_EQ(segments(d), all) << d;  // every digit shows all segments, lit or not
            std::vector<bool> lit;
            for (int y = 0; y < img.height; ++y)
                for (int x = 0; x < cw; ++x) lit.push_back(img.At(d * cw + x, y) == lcd::kStripLit);
            shapes.insert(lit);
        }
        EXPECT_EQ(shapes.size(), 10u);
        // Minus cells: the middle bar alone, unlit then lit.
        EXPECT_EQ(count(11, lcd::kStripLit), 0);
        EXPECT_GT(count(11, lcd::kStripUnlit), 0);
        EXPECT_EQ(count(12, lcd::kStripLit), count(11, lcd::kStripUnlit));
        EXPECT_LT(count(12, lcd::kStripLit), count(1, lcd::kStripLit) + 1);
    }
}

}  // namespace
}  // namespace widgets
