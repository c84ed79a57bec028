#include "keyblocker/help.h"

#include <string>

#include "keyblocker/rules.h"
#include "keyblocker/win_handles.h"

namespace kq {
namespace {

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC
constexpr UINT kCloseAll = 0x12;   // HH_CLOSE_ALL

struct HelpState {
    std::string folder;
    std::string chm;
    std::string hlp;
    bool engineTried = false;
    UniqueLibrary engine;
    HtmlHelpFn htmlHelp = nullptr;
};

HelpState& State() {
    static HelpState state;
    return state;
}

// The HTML Help engine, loaded on first use: from where its control is registered, else by name.
HtmlHelpFn Engine() {
    HelpState& s = State();
    if (!s.engineTried) {
        s.engineTried = true;
        char path[MAX_PATH] = "";
        LONG size = sizeof(path);
        if (RegQueryValueA(HKEY_CLASSES_ROOT,
                           "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", path,
                           &size) == ERROR_SUCCESS && path[0])
            s.engine.reset(LoadLibraryA(path));
        if (!s.engine) s.engine.reset(LoadLibraryA("hhctrl.ocx"));
        if (s.engine)
            s.htmlHelp = reinterpret_cast<HtmlHelpFn>(
                reinterpret_cast<void*>(GetProcAddress(s.engine.get(), MAKEINTRESOURCEA(14))));
    }
    return s.htmlHelp;
}

}  // namespace

void SetHelpFileDefaults() {
    char exe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    HelpState& s = State();
    s.folder = ProgramFolder(exe);
    s.chm = ProgramTitle(exe) + ".chm";
    s.hlp = ProgramTitle(exe) + ".hlp";
}

void ShowHelpTopic(const char* topic) {
    HelpState& s = State();
    if (HtmlHelpFn hh = Engine()) {
        const std::string target = s.folder + "\\" + s.chm + "::/" + topic;
        hh(GetDesktopWindow(), target.c_str(), kDisplayTopic, 0);
    }
}

void ShowControlHelp(HWND control, const DWORD* helpIds) {
    const std::string file = State().folder + "\\" + State().hlp;
    WinHelpA(control, file.c_str(), HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(helpIds));
}

void ShowContextMenuHelp(HWND window, const DWORD* helpIds) {
    const std::string file = State().folder + "\\" + State().hlp;
    WinHelpA(window, file.c_str(), HELP_CONTEXTMENU, reinterpret_cast<ULONG_PTR>(helpIds));
}

void CloseHelp() {
    HelpState& s = State();
    if (s.htmlHelp) s.htmlHelp(nullptr, nullptr, kCloseAll, 0);
}

}  // namespace kq
