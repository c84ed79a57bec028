// The real statwell.exe for the end-to-end tests of its menu commands: a private copy started
// in a fresh folder, its menu driven as a user drives it, its message boxes answered.
#pragma once
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/e2e.h"

namespace e2e {

inline void CopyFolder(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((from + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileA((from + "\\" + fd.cFileName).c_str(), (to + "\\" + fd.cFileName).c_str(), FALSE);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

// The text of a message box: its one static control with text.
inline std::string BoxText(HWND box) {
    std::string found;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = "", text[1024] = "";
        GetClassNameA(c, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextA(c, text, sizeof text) > 0) found = text;
    }
    return found;
}

// A copy of the program in a fresh folder (no welcome balloon), with its help pages when
// asked, started, and quit at the end.
class Statwell {
public:
    explicit Statwell(bool withHelp = false) {
        CopyFileA((ExeFolder() + "\\statwell.exe").c_str(), (folder_.Path() + "statwell.exe").c_str(), FALSE);
        if (withHelp) CopyFolder(ExeFolder() + "\\help", folder_.Path() + "help");
        WriteBytes(folder_.Path() + "Statwell.ini", "[Main]\r\nFirstTime=0\r\n");
        if (!process_.Start(folder_.Path() + "statwell.exe", "", folder_.Path().c_str())) return;
        WindowMatch m;
        m.pid = process_.Pid();
        m.cls = "TfrmMain";
        m.visible = true;
        gadget_ = WaitForWindow(m, 15000);
    }
    ~Statwell() {
        if (gadget_) PostMessageA(gadget_, WM_CLOSE, 0, 0);
        process_.WaitExit(10000);
    }
    HWND Gadget() const { return gadget_; }
    const std::string& Folder() const { return folder_.Path(); }
    DWORD Pid() const { return process_.Pid(); }

    // Opens the gadget's menu with a right click and picks the item `fromBottom` places up
    // from its end (1 "Quit", 2 "About", 3 "Help", 4 "Check for Update").
    bool Choose(int fromBottom) const {
        RECT r{};
        GetWindowRect(gadget_, &r);
        // The mouse away from where the menu opens: an item under it would be selected, and
        // the keys would count from there.
        SetCursorPos(0, 0);
        PostMessageA(gadget_, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + 20, r.top + 20));
        WindowMatch m;
        m.pid = process_.Pid();
        m.cls = "#32768";
        m.visible = true;
        const HWND menu = WaitForWindow(m, 5000);
        if (!menu) return false;
        for (int i = 0; i < fromBottom; ++i) PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        return WaitUntil([&] { return !IsWindowVisible(menu); }, 5000);
    }
    bool CheckForUpdate() const { return Choose(4); }
    // The program's shown message box with this title, waited for up to `ms`.
    HWND Box(const char* title, DWORD ms = 8000) const {
        WindowMatch m;
        m.pid = process_.Pid();
        m.cls = "#32770";
        m.title = title;
        m.visible = true;
        return WaitForWindow(m, ms);
    }
    // Waits for the box, checks its owner, presses `button` and returns its text.
    std::string Answer(const char* title, int button, DWORD ms = 8000) const {
        const HWND box = Box(title, ms);
        if (!box) return "(no box \"" + std::string(title) + "\")";
        EXPECT_EQ(GetWindow(box, GW_OWNER), gadget_) << title;
        const std::string text = BoxText(box);
        PostMessageA(box, WM_COMMAND, button, 0);
        WaitUntil([&] { return !IsWindow(box); }, 5000);
        return text;
    }

    SIZE_T WorkingSet() const {
        PROCESS_MEMORY_COUNTERS pmc{};
        HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process_.Pid());
        if (!p) return 0;
        GetProcessMemoryInfo(p, &pmc, sizeof pmc);
        CloseHandle(p);
        return pmc.WorkingSetSize;
    }

private:
    TempFolder folder_{"statwell-update"};
    Process process_;
    HWND gadget_ = nullptr;
};

}  // namespace e2e
