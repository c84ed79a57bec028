// Notification-area icons: one showing an image, one drawing a short text into an icon. Both
// come back when the shell restarts ("TaskbarCreated").
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "monitor/ui/handles.h"

namespace ui {

class PopupMenu;

class TrayIcon {
public:
    TrayIcon();
    virtual ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Shows or hides the icon in the notification area.
    virtual void SetVisible(bool v);
    bool Visible() const { return visible_; }
    // The icon shown (not owned; keep it alive while shown).
    void SetIcon(HICON icon);
    HICON GetIcon() const { return icon_; }
    // At most 127 characters reach the shell (the rest is cut).
    void SetHint(const char* hint);
    const char* Hint() const { return nid_.szTip; }
    // Balloon with title (63 characters) and text (255), flags NIIF_INFO etc., time in seconds.
    // Only a visible icon shows one.
    void ShowBalloon(const char* title, const char* text, DWORD iconFlags, UINT seconds);

    // Between BeginUpdate and EndUpdate changes of icon and hint reach the shell in one call.
    void BeginUpdate() { ++updating_; }
    void EndUpdate();

    PopupMenu* Menu = nullptr;
    std::function<void()> OnDblClick;
    HWND Window() const { return wnd_; }

protected:
    void Update();

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    bool Notify(DWORD what);
    HWND wnd_ = nullptr;
    NOTIFYICONDATAA nid_{};
    HICON icon_ = nullptr;
    bool visible_ = false;
    bool added_ = false;
    UINT changed_ = 0;  // NIF_ICON, NIF_TIP: what the shell has not been told yet
    int updating_ = 0;
    bool pending_ = false;
};

// A tray icon whose picture is a short text (a number) drawn in a small font.
class TextTrayIcon : public TrayIcon {
public:
    TextTrayIcon();
    void SetFont(HFONT font) {
        font_ = font;
        drawn_dirty_ = true;
        if (Visible()) Redraw();
    }
    void SetFontColor(COLORREF c) {
        color_ = c;
        drawn_dirty_ = true;
        if (Visible()) Redraw();
    }
    // Redraws the icon only when the text differs (and only while it is shown).
    void SetText(const char* text);
    void SetVisible(bool v) override;
    const char* Text() const { return text_; }

private:
    void Redraw();
    char text_[16] = "";
    HFONT font_ = nullptr;
    COLORREF color_ = RGB(0, 0, 0);
    Icon drawn_;
    bool drawn_dirty_ = true;
};

}  // namespace ui
