// Opens the program's help: topics of the compiled HTML help file through the HTML Help
// engine (loaded on first use), and the context help of dialog controls: WinHelp when a
// WinHelp file sits beside the program, else the engine's pop-up texts from the compiled
// help file.
#pragma once
#include <windows.h>

#include <string>

namespace kq {

class CakHelpSupport {
public:
    CakHelpSupport();
    ~CakHelpSupport();
    CakHelpSupport(const CakHelpSupport&) = delete;
    CakHelpSupport& operator=(const CakHelpSupport&) = delete;

    // The one instance of the program.
    static CakHelpSupport& Get();

    // Names both help files after the program: "<name>.chm" and "<name>.hlp".
    void SetDefaultFiles();
    void SetHtmlHelpFile(const std::string& name) { m_strHtmlHelp = name; }
    void SetWinHelpFile(const std::string& name) { m_strWinHelp = name; }
    const std::string& Folder() const { return m_strFolder; }
    // "<folder>\<file>".
    std::string HtmlHelpPath() const;
    std::string WinHelpPath() const;

    // Shows a topic (a file inside the compiled help file), e.g. "intro.htm".
    HWND ShowTopic(const char* topic);
    // Context help for the control that asked (WM_HELP).
    BOOL ContextHelp(const HELPINFO* info, const DWORD* helpIds);
    // Context help for a right click on `wnd` (WM_CONTEXTMENU).
    BOOL ContextMenuHelp(HWND wnd, const DWORD* helpIds);
    // The pop-up text file inside the compiled help file that context help shows without
    // WinHelp: "<folder>\<chm>::/cshelp.txt".
    std::string PopupTextsPath() const;
    // True when the WinHelp file exists beside the program (WinHelp answers then).
    bool HasWinHelpFile() const;
    // Closes every help window the engine opened (program exit).
    void CloseAll();

    // The HTML Help entry point, or null when the engine cannot be loaded.
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    HtmlHelpFn Engine();

    // The WinHelp call the context help goes through (the system's WinHelpA; tests watch it).
    using WinHelpFn = BOOL(WINAPI*)(HWND, LPCSTR, UINT, ULONG_PTR);
    void SetWinHelp(WinHelpFn fn) { m_pWinHelp = fn; }

private:
    std::string m_strFolder;
    std::string m_strHtmlHelp;
    std::string m_strWinHelp;
    HMODULE m_hEngine = nullptr;
    HtmlHelpFn m_pHtmlHelp = nullptr;
    bool m_bTried = false;
    WinHelpFn m_pWinHelp = &::WinHelpA;
};

// Where the HTML Help control is registered ("" when it is not).
std::string RegisteredHtmlHelpControl();

}  // namespace kq
