// CTarnixApp: kqel's application object. Start-up, the hook's stop, and exit.
#pragma once
#include <windows.h>

#include <memory>

#include "keyblocker/app_sequence.h"
#include "keyblocker/configuration.h"
#include "keyblocker/registry_win.h"
#include "keyblocker/rules.h"
#include "keyblocker/win_handles.h"

class CMainWnd;

class CTarnixApp : private kq::AppSteps {
public:
    // Everything the program gathers when it loads: the registered messages, the settings
    // record with its defaults and the taskbar window, the system version.
    explicit CTarnixApp(HINSTANCE instance);
    ~CTarnixApp() override;
    CTarnixApp(const CTarnixApp&) = delete;
    CTarnixApp& operator=(const CTarnixApp&) = delete;

    bool InitInstance();
    // The message loop until the tray window is gone.
    void Run();
    // Returns the program's exit code.
    int ExitInstance();
    // Stops the hook (Exit command, end of the logon).
    void UnhookAll() { m_sequence.Stop(); }
    // The shell restarted: find its taskbar again and restart the hook side there.
    void ShellRestarted() { m_sequence.ShellRestarted(); }

    HINSTANCE Instance() const { return m_hInstance; }
    CConfiguration& Configuration() { return m_config; }
    const kq::OsVersion& Os() const { return m_os; }

    kq::UniqueHandle m_hMutex;
    std::unique_ptr<CMainWnd> m_pTrayWnd;

private:
    void InitCommonControls() override;
    bool HasTaskbar() override;
    void ShowNeedExplorer() override;
    bool TakeInstanceMutex() override;
    void AnnounceSecondCopy() override;
    void LoadConfiguration() override;
    void SetHook() override;
    void PostHookStart() override;
    void SetHelpFileDefaults() override;
    bool CreateTrayWindow() override;
    void SendHookStop() override;
    void UnsetHook() override;
    void BroadcastNull() override;
    void Pause(unsigned milliseconds) override;
    void FindTaskbarAgain() override;

    HINSTANCE m_hInstance;
    kq::WinRegistry m_registry;
    CConfiguration m_config;
    kq::OsVersion m_os;
    kq::AppSequence m_sequence{*this};
};

// Seconds since 1970-01-01 UTC.
int64_t NowUnixSeconds();
// The program's own full path.
std::string ExePath();
