// CMainWnd: kqel's hidden main window. Owns the tray icon and its menu, answers a second
// copy, offers the update check and ends the program.
#pragma once
#include <windows.h>

#include "keyblocker/win_handles.h"

class CTarnixApp;

class CMainWnd {
public:
    explicit CMainWnd(CTarnixApp& app);
    ~CMainWnd();
    CMainWnd(const CMainWnd&) = delete;
    CMainWnd& operator=(const CMainWnd&) = delete;

    // Creates the window (and the tray icon); false when the tray icon cannot be added.
    bool Create();
    HWND Hwnd() const { return m_hWnd; }

    HICON m_hIcon = nullptr;  // icon 128, shared from the resources
    bool m_bBusy = false;     // one of this window's modal dialogs is open
    bool m_bCreated = false;

private:
    static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);

    bool OnCreate();
    bool AddTrayIcon();
    void RemoveTrayIcon();
    void OnTrayNotify(LPARAM event);
    void ShowTrayMenu();
    void ShowSecondCopyBalloon();
    void OnConfiguration();
    void OnCheckUpdates();
    void OnExit();
    LRESULT OnQueryEndSession(WPARAM wp, LPARAM lp);
    void OnTaskbarCreated();
    // Runs one of the window's modal dialogs with tray events shut out meanwhile.
    template <typename F>
    auto RunModal(F run) {
        m_bBusy = true;
        auto result = run();
        m_bBusy = false;
        return result;
    }

    CTarnixApp& m_app;
    HWND m_hWnd = nullptr;
    kq::UniqueIcon m_hTrayIcon;
};
