// TfrmAbout: the About window. A dialog-framed, top-most form owned by the desktop window,
// centred on the screen and shown modally from the "About" commands: the program's picture and
// name, its version, the maker's links and legal notice, and OK.
#pragma once
#include <windows.h>

#include <string>

#include "monitor/ui/buttons.h"
#include "monitor/ui/control.h"
#include "monitor/ui/form.h"
#include "monitor/ui/handles.h"

namespace app {

// The maker's web address behind both links of the About window.
extern const char kMakerHomePage[];
extern const char kLegalNotice[];

// The banner across the top: the program's icon large on a dark band with the name, and the
// gadget's three bar colours as a strip along its foot.
class TAboutBanner : public ui::Control {
public:
    void SetIcon(HICON icon) {
        icon_ = icon;
        Invalidate();
    }
    void SetFonts(HFONT title, HFONT subtitle) {
        title_ = title;
        subtitle_ = subtitle;
        Invalidate();
    }
    void PaintSelf(HDC dc, const ui::Rect& r) override;

private:
    HICON icon_ = nullptr;
    HFONT title_ = nullptr, subtitle_ = nullptr;
};

// Text broken into lines within the control's width.
class TWrapLabel : public ui::Control {
public:
    TWrapLabel() { SetParentColor(true); }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const char* text) {
        caption_ = text;
        Invalidate();
    }
    void SetFont(HFONT f) {
        font_ = f;
        Invalidate();
    }
    void SetFontColor(COLORREF c) {
        colour_ = c;
        Invalidate();
    }
    void PaintSelf(HDC dc, const ui::Rect& r) override;

private:
    std::string caption_;
    HFONT font_ = nullptr;
    COLORREF colour_ = RGB(0, 0, 0);
};

// A link: blue text that is underlined while the mouse is over it; its hint is the address.
class TLinkLabel : public ui::Label {
public:
    TLinkLabel();
    std::string Hint;
    // The plain and the underlined face.
    void SetFonts(HFONT plain, HFONT hover);
    bool Hovered() const { return hovered_; }

private:
    HFONT plain_ = nullptr, hover_ = nullptr;
    bool hovered_ = false;
};

class TfrmAbout : public ui::Form {
public:
    static constexpr int kClientWidth = 308;
    static constexpr int kClientHeight = 325;

    TfrmAbout();

    // Creation handler: the window, its controls, the hand cursor of the links, the notice.
    void FormCreate();
    // Each time the window appears: the version line, and the window centred on the screen.
    void FormShow();
    void OKButtonClick(ui::Control& sender);
    // Both links: opens the label's hint with the shell.
    void lblCorvaneClick(ui::Control& sender);

    TAboutBanner imgBanner;
    ui::Label VersionLabel;
    ui::Label lblDescription;
    ui::Panel bvlLine;
    TLinkLabel lblCorvane;
    TLinkLabel lblURL;
    TWrapLabel lblLegal;
    ui::Button OKButton;

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    ui::Font fontForm, fontBold, fontTitle, fontSubtitle, fontLink, fontLinkHover;
    ui::Icon icon_;
};

}  // namespace app
