#include "tests/support/e2e.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace e2e {

namespace {

// An open registry key, closed at the end of the scope.
struct Key {
    HKEY h = nullptr;
    Key() = default;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() {
        if (h) RegCloseKey(h);
    }
};

// A file search, closed at the end of the scope.
struct Search {
    HANDLE h;
    explicit Search(HANDLE v) : h(v) {}
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;
    ~Search() {
        if (h != INVALID_HANDLE_VALUE) FindClose(h);
    }
};

bool Poll(const std::function<bool()>& done, DWORD ms, bool pump) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (pump) Pump();
        if (done()) return true;
        if (GetTickCount() - start > ms) return false;
        Sleep(10);
    }
}

struct WindowSearch {
    const WindowMatch* match;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND wnd, LPARAM lp) {
    auto* s = reinterpret_cast<WindowSearch*>(lp);
    const WindowMatch& m = *s->match;
    if (m.pid) {
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        if (pid != m.pid) return TRUE;
    }
    if (m.visible && !IsWindowVisible(wnd)) return TRUE;
    if (m.cls) {
        char cls[256] = "";
        GetClassNameA(wnd, cls, sizeof cls);
        if (std::strcmp(cls, m.cls) != 0) return TRUE;
    }
    if (m.title) {
        char title[256] = "";
        GetWindowTextA(wnd, title, sizeof title);
        if (m.titlePart ? std::strstr(title, m.title) == nullptr : std::strcmp(title, m.title) != 0)
            return TRUE;
    }
    s->found.push_back(wnd);
    return TRUE;
}

}  // namespace

std::string ExePath() {
    char path[MAX_PATH] = "";
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n);
}

std::string ExeFolder() {
    const std::string path = ExePath();
    return path.substr(0, path.find_last_of("\\/"));
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms) { return Poll(done, ms, false); }

bool PumpUntil(const std::function<bool()>& done, DWORD ms) { return Poll(done, ms, true); }

void Pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

// ---- Process ------------------------------------------------------------------------------

Process::~Process() {
    if (!pi_.hProcess) return;
    Kill();
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
}

bool Process::Start(const std::string& exe, const std::string& args, const char* folder,
                    const char* desktop) {
    if (pi_.hProcess) return false;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string desk = desktop ? desktop : "";
    if (desktop) si.lpDesktop = &desk[0];
    std::string cmd = "\"" + exe + "\"";
    if (!args.empty()) cmd += " " + args;
    if (CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder, &si, &pi_))
        return true;
    pi_ = PROCESS_INFORMATION{};
    return false;
}

bool Process::Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

bool Process::WaitExit(DWORD ms) const {
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (pi_.hProcess) GetExitCodeProcess(pi_.hProcess, &code);
    return code;
}

void Process::Kill() {
    if (!Running()) return;
    TerminateProcess(pi_.hProcess, 99);
    WaitForSingleObject(pi_.hProcess, 5000);
}

// ---- windows ------------------------------------------------------------------------------

std::vector<HWND> FindWindows(const WindowMatch& match, HDESK desktop) {
    WindowSearch s{&match, {}};
    if (desktop)
        EnumDesktopWindows(desktop, Collect, reinterpret_cast<LPARAM>(&s));
    else
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND FindWindowOf(const WindowMatch& match, HDESK desktop) {
    const std::vector<HWND> found = FindWindows(match, desktop);
    return found.empty() ? nullptr : found.front();
}

HWND FindWindowOfProcess(DWORD pid, const char* cls) {
    WindowMatch m;
    m.pid = pid;
    m.cls = cls;
    return FindWindowOf(m);
}

HWND WaitForWindow(const WindowMatch& match, DWORD ms, HDESK desktop) {
    HWND wnd = nullptr;
    WaitUntil([&] { return (wnd = FindWindowOf(match, desktop)) != nullptr; }, ms);
    return wnd;
}

bool BringToFront(HWND wnd, DWORD ms) {
    return PumpUntil(
        [&] {
            if (GetForegroundWindow() == wnd) return true;
            SetForegroundWindow(wnd);
            return false;
        },
        ms);
}

DWORD ForegroundProcess() {
    DWORD pid = 0;
    if (HWND fg = GetForegroundWindow()) GetWindowThreadProcessId(fg, &pid);
    return pid;
}

// ---- input --------------------------------------------------------------------------------

void SendKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (vk == VK_LWIN || vk == VK_RWIN) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    SendInput(1, &in, sizeof in);
}

void Tap(WORD vk) {
    SendKey(vk, false);
    SendKey(vk, true);
}

// ---- files --------------------------------------------------------------------------------

bool SaveWindowBitmap(HWND wnd, const std::string& path) {
    RECT r{};
    if (!GetWindowRect(wnd, &r) || r.right <= r.left || r.bottom <= r.top) return false;
    const int w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFOHEADER bi{};
    bi.biSize = sizeof bi;
    bi.biWidth = w;
    bi.biHeight = h;  // bottom-up, as the file stores it
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    bi.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
    bi.biSizeImage = stride * static_cast<DWORD>(h);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bmp =
        CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (mem && bmp) {
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        BITMAPFILEHEADER fh{};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof fh + sizeof bi;
        fh.bfSize = fh.bfOffBits + bi.biSizeImage;
        std::string file(reinterpret_cast<const char*>(&fh), sizeof fh);
        file.append(reinterpret_cast<const char*>(&bi), sizeof bi);
        file.append(static_cast<const char*>(bits), bi.biSizeImage);
        ok = WriteBytes(path, file);
        SelectObject(mem, old);
    }
    if (bmp) DeleteObject(bmp);
    if (mem) DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

TempFolder::TempFolder(const std::string& prefix) {
    char tmp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, tmp);
    path_ = std::string(tmp) + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
}

namespace {

// Removes `folder` (with a trailing backslash) and everything in it.
void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    {
        Search s(FindFirstFileA((folder + "*").c_str(), &fd));
        if (s.h != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = fd.cFileName;
                if (name == "." || name == "..") continue;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(folder + name + "\\");
                else
                    DeleteFileA((folder + name).c_str());
            } while (FindNextFileA(s.h, &fd));
        }
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string ReadBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

std::string ReadText(const std::string& path) {
    std::string text = ReadBytes(path);
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << bytes;
    return static_cast<bool>(f);
}

// ---- registry -----------------------------------------------------------------------------

ScopedDefaultValue::ScopedDefaultValue(HKEY root, const char* path, const std::string& value)
    : root_(root), path_(path) {
    Key key;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key.h, nullptr) != ERROR_SUCCESS)
        return;
    char old[1024] = {};
    DWORD size = sizeof old - 1, type = 0;
    had_ = RegQueryValueExA(key.h, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) ==
           ERROR_SUCCESS;
    old_ = old;
    if (had_) type_ = type;
    RegSetValueExA(key.h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

ScopedDefaultValue::~ScopedDefaultValue() {
    Key key;
    if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_ALL_ACCESS, &key.h) != ERROR_SUCCESS) return;
    if (had_)
        RegSetValueExA(key.h, nullptr, 0, type_, reinterpret_cast<const BYTE*>(old_.c_str()),
                       static_cast<DWORD>(old_.size() + 1));
    else
        RegDeleteValueA(key.h, nullptr);
}

}  // namespace e2e
