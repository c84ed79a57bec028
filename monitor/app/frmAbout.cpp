#include "monitor/app/frmAbout.h"

#include <shellapi.h>

#include "monitor/app/http_client.h"
#include "monitor/app/update_core.h"
#include "widgets/widgets_res.h"

namespace app {

const char kMakerHomePage[] = "http://www.corvane-soft.com/";
const char kLegalNotice[] =
    "Copyright \xA9 Corvane Software. All rights reserved.\r\n"
    "This program is provided \"as is\", without warranty of any kind. You may use it and give "
    "unchanged copies of it away free of charge.";

namespace {

constexpr COLORREF kBand = RGB(0x1C, 0x2F, 0x4A);
constexpr COLORREF kBandText = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kBandSubtext = RGB(0xA8, 0xC4, 0xE8);
constexpr COLORREF kLink = RGB(0x00, 0x33, 0xCC);
constexpr int kBannerHeight = 96;

ui::Font LinkFont(bool underline) {
    return ui::Font(CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE, ANSI_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
}

}  // namespace

// ---- the controls

void TAboutBanner::PaintSelf(HDC dc, const ui::Rect& r) {
    ui::Brush band(CreateSolidBrush(kBand));
    RECT all{r.left, r.top, r.right(), r.bottom()};
    FillRect(dc, &all, band.get());
    // The gadget's low, medium and high bar colours as a strip along the foot.
    const COLORREF strip[] = {RGB(0x33, 0xCC, 0x33), RGB(0xFF, 0xFF, 0x01), RGB(0xFF, 0x00, 0x00)};
    const int third = r.width / 3;
    for (int i = 0; i < 3; ++i) {
        ui::Brush b(CreateSolidBrush(strip[i]));
        RECT s{r.left + i * third, r.bottom() - 3, i == 2 ? r.right() : r.left + (i + 1) * third, r.bottom()};
        FillRect(dc, &s, b.get());
    }
    // The program's icon at twice its size: the pixels stay crisp, like the gadget's digits.
    constexpr int kIcon = 64;
    const int iconTop = r.top + (r.height - 3 - kIcon) / 2;
    if (icon_) DrawIconEx(dc, r.left + 16, iconTop, icon_, kIcon, kIcon, 0, nullptr, DI_NORMAL);
    SetBkMode(dc, TRANSPARENT);
    RECT title{r.left + 16 + kIcon + 14, iconTop + 8, r.right() - 8, iconTop + 36};
    {
        ui::Selected f(dc, title_ ? static_cast<HGDIOBJ>(title_) : GetStockObject(DEFAULT_GUI_FONT));
        SetTextColor(dc, kBandText);
        DrawTextA(dc, "Corvane Statwell", -1, &title, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
    RECT sub{title.left, title.bottom + 2, title.right, title.bottom + 20};
    ui::Selected f(dc, subtitle_ ? static_cast<HGDIOBJ>(subtitle_) : GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(dc, kBandSubtext);
    DrawTextA(dc, "System monitor", -1, &sub, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

void TWrapLabel::PaintSelf(HDC dc, const ui::Rect& r) {
    Control::PaintSelf(dc, r);
    RECT rc{r.left, r.top, r.right(), r.bottom()};
    ui::Selected f(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour_);
    DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &rc,
              DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
}

TLinkLabel::TLinkLabel() {
    SetFontColor(kLink);
    OnMouseEnter = [this](ui::Control&) {
        hovered_ = true;
        if (hover_) SetFont(hover_);
    };
    OnMouseLeave = [this](ui::Control&) {
        hovered_ = false;
        if (plain_) SetFont(plain_);
    };
}

void TLinkLabel::SetFonts(HFONT plain, HFONT hover) {
    plain_ = plain;
    hover_ = hover;
    SetFont(hovered_ ? hover : plain);
}

// ---- the form

TfrmAbout::TfrmAbout() : ui::Form("TfrmAbout") {}

void TfrmAbout::FormCreate() {
    ui::FormStyle fs;
    fs.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_CLIPCHILDREN;
    fs.exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
    fs.owner = GetDesktopWindow();
    fontForm = ui::MakeFont("MS Sans Serif", 8);
    fontBold = ui::MakeFont("MS Sans Serif", 8, true);
    fontTitle = ui::MakeFontPixels("Tahoma", -22, true);
    fontSubtitle = ui::MakeFontPixels("Tahoma", -12);
    fontLink = LinkFont(false);
    fontLinkHover = LinkFont(true);
    icon_.reset(static_cast<HICON>(LoadImageA(ui::ModuleInstance(), MAKEINTRESOURCEA(IDI_STATWELL),
                                              IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    SetColor(GetSysColor(COLOR_BTNFACE));

    imgBanner.SetParent(this);
    imgBanner.SetBounds(0, 0, kClientWidth, kBannerHeight);
    imgBanner.SetIcon(icon_.get());
    imgBanner.SetFonts(fontTitle.get(), fontSubtitle.get());

    constexpr int kLeft = 20;
    VersionLabel.SetParent(this);
    VersionLabel.SetFont(fontBold.get());
    VersionLabel.SetBounds(kLeft, kBannerHeight + 16, kClientWidth - 2 * kLeft, 16);
    VersionLabel.SetCaption(AboutVersionLine("").c_str());

    lblDescription.SetParent(this);
    lblDescription.SetFont(fontForm.get());
    lblDescription.SetBounds(kLeft, kBannerHeight + 36, kClientWidth - 2 * kLeft, 16);
    lblDescription.SetCaption("CPU, memory and network at a glance.");

    bvlLine.SetParent(this);
    bvlLine.SetBounds(kLeft, kBannerHeight + 62, kClientWidth - 2 * kLeft, 1);
    bvlLine.SetColor(GetSysColor(COLOR_BTNSHADOW));

    // The hand cursor of the system (IDC_HAND, 32649) over both links.
    const HCURSOR hand = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));
    lblCorvane.SetParent(this);
    lblCorvane.SetFonts(fontLink.get(), fontLinkHover.get());
    lblCorvane.SetCaption("Corvane Software");
    lblCorvane.SetBounds(kLeft, kBannerHeight + 74, lblCorvane.Width(), lblCorvane.Height());
    lblCorvane.Hint = kMakerHomePage;
    lblCorvane.SetCursor(hand);
    lblCorvane.OnClick = ui::Bind(this, &TfrmAbout::lblCorvaneClick);

    lblURL.SetParent(this);
    lblURL.SetFonts(fontLink.get(), fontLinkHover.get());
    lblURL.SetCaption("www.corvane-soft.com");
    lblURL.SetBounds(kLeft, kBannerHeight + 92, lblURL.Width(), lblURL.Height());
    lblURL.Hint = kMakerHomePage;
    lblURL.SetCursor(hand);
    lblURL.OnClick = ui::Bind(this, &TfrmAbout::lblCorvaneClick);

    lblLegal.SetParent(this);
    lblLegal.SetFont(fontForm.get());
    lblLegal.SetFontColor(GetSysColor(COLOR_GRAYTEXT));
    lblLegal.SetBounds(kLeft, kBannerHeight + 122, kClientWidth - 2 * kLeft, 64);
    lblLegal.SetCaption(kLegalNotice);

    OKButton.SetParent(this);
    OKButton.SetBounds(kClientWidth - 20 - 75, kClientHeight - 14 - 23, 75, 23);
    OKButton.SetText("OK");
    OKButton.SetFont(fontForm.get());
    OKButton.SetDefault(true);
    OKButton.SetCancel(true);
    OKButton.OnClick = ui::Bind(this, &TfrmAbout::OKButtonClick);

    CreateHandle(fs, kClientWidth, kClientHeight, "About Corvane Statwell");
}

void TfrmAbout::FormShow() {
    VersionLabel.SetCaption(AboutVersionLine(OwnVersionText()).c_str());
    const ui::Rect w = WindowRect();
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    SetBounds((cx - w.width) / 2, (cy - w.height) / 2, w.width, w.height);
}

void TfrmAbout::OKButtonClick(ui::Control&) { SetModalResult(ui::mrOk); }

void TfrmAbout::lblCorvaneClick(ui::Control& sender) {
    const TLinkLabel& link = static_cast<const TLinkLabel&>(sender);
    const ui::Application* app = ui::Application::Current();
    ShellExecuteA(app ? app->Handle() : nullptr, "open", link.Hint.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool TfrmAbout::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_SHOWWINDOW && wp) FormShow();
    return Form::HandleMessage(msg, wp, lp, result);
}

}  // namespace app
