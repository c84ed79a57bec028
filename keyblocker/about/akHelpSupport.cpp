#include "keyblocker/about/akHelpSupport.h"

#include <cstdio>
#include <cstring>

namespace kq {

namespace {

constexpr UINT kDisplayTopic = 0x0000;   // HH_DISPLAY_TOPIC
constexpr UINT kCloseAll = 0x0012;       // HH_CLOSE_ALL
constexpr UINT kTpContextMenu = 0x0010;  // HH_TP_HELP_CONTEXTMENU
constexpr UINT kTpWmHelp = 0x0011;       // HH_TP_HELP_WM_HELP

// The pop-up texts of the controls, a file of the compiled help.
const char kPopupTexts[] = "cshelp.txt";
constexpr int kHtmlHelpAOrdinal = 14;

const char kHtmlHelpControlKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";

class RegKey {
public:
    RegKey(HKEY root, const char* path) {
        if (RegOpenKeyExA(root, path, 0, KEY_READ, &m_key) != ERROR_SUCCESS) m_key = nullptr;
    }
    ~RegKey() {
        if (m_key) RegCloseKey(m_key);
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

}  // namespace

std::string RegisteredHtmlHelpControl() {
    RegKey key(HKEY_CLASSES_ROOT, kHtmlHelpControlKey);
    if (!key.get()) return {};
    char value[MAX_PATH] = {};
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
        ERROR_SUCCESS)
        return {};
    if (type == REG_EXPAND_SZ) {
        char expanded[MAX_PATH] = {};
        const DWORD n = ExpandEnvironmentStringsA(value, expanded, sizeof expanded);
        if (n == 0 || n > sizeof expanded) return {};
        return expanded;
    }
    if (type != REG_SZ) return {};
    return value;
}

CakHelpSupport::CakHelpSupport() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        std::string full(path);
        const size_t slash = full.rfind('\\');
        m_strFolder = slash == std::string::npos ? std::string() : full.substr(0, slash);
    }
}

CakHelpSupport::~CakHelpSupport() {
    if (m_hEngine) FreeLibrary(m_hEngine);
}

CakHelpSupport& CakHelpSupport::Get() {
    static CakHelpSupport help;
    return help;
}

void CakHelpSupport::SetDefaultFiles() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    std::string name(path);
    const size_t slash = name.rfind('\\');
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    char buf[MAX_PATH];
    std::snprintf(buf, sizeof buf, "%s.chm", name.c_str());
    m_strHtmlHelp = buf;
    std::snprintf(buf, sizeof buf, "%s.hlp", name.c_str());
    m_strWinHelp = buf;
}

std::string CakHelpSupport::HtmlHelpPath() const {
    char buf[2 * MAX_PATH];
    std::snprintf(buf, sizeof buf, "%s\\%s", m_strFolder.c_str(), m_strHtmlHelp.c_str());
    return buf;
}

std::string CakHelpSupport::WinHelpPath() const {
    char buf[2 * MAX_PATH];
    std::snprintf(buf, sizeof buf, "%s\\%s", m_strFolder.c_str(), m_strWinHelp.c_str());
    return buf;
}

CakHelpSupport::HtmlHelpFn CakHelpSupport::Engine() {
    if (!m_bTried) {
        m_bTried = true;
        const std::string registered = RegisteredHtmlHelpControl();
        if (!registered.empty()) m_hEngine = LoadLibraryA(registered.c_str());
        if (!m_hEngine) m_hEngine = LoadLibraryA("hhctrl.ocx");
        if (m_hEngine)
            m_pHtmlHelp = reinterpret_cast<HtmlHelpFn>(
                reinterpret_cast<void*>(GetProcAddress(m_hEngine, MAKEINTRESOURCEA(kHtmlHelpAOrdinal))));
    }
    return m_pHtmlHelp;
}

HWND CakHelpSupport::ShowTopic(const char* topic) {
    HtmlHelpFn engine = Engine();
    if (!engine) return nullptr;
    char target[3 * MAX_PATH];
    std::snprintf(target, sizeof target, "%s::/%s", HtmlHelpPath().c_str(), topic);
    return engine(GetDesktopWindow(), target, kDisplayTopic, 0);
}

std::string CakHelpSupport::PopupTextsPath() const { return HtmlHelpPath() + "::/" + kPopupTexts; }

bool CakHelpSupport::HasWinHelpFile() const {
    const DWORD attributes = GetFileAttributesA(WinHelpPath().c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// WinHelp cannot be built here and recent Windows versions open no WinHelp file without an
// extra download: without one beside the program the same requests go to the HTML Help
// engine's pop-ups, with the same help-id table.
BOOL CakHelpSupport::ContextHelp(const HELPINFO* info, const DWORD* helpIds) {
    if (!info) return FALSE;
    HWND control = static_cast<HWND>(info->hItemHandle);
    if (HasWinHelpFile())
        return m_pWinHelp(control, WinHelpPath().c_str(), HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(helpIds));
    HtmlHelpFn engine = Engine();
    return engine &&
           engine(control, PopupTextsPath().c_str(), kTpWmHelp, reinterpret_cast<DWORD_PTR>(helpIds));
}

BOOL CakHelpSupport::ContextMenuHelp(HWND wnd, const DWORD* helpIds) {
    if (HasWinHelpFile())
        return m_pWinHelp(wnd, WinHelpPath().c_str(), HELP_CONTEXTMENU, reinterpret_cast<ULONG_PTR>(helpIds));
    HtmlHelpFn engine = Engine();
    return engine &&
           engine(wnd, PopupTextsPath().c_str(), kTpContextMenu, reinterpret_cast<DWORD_PTR>(helpIds));
}

void CakHelpSupport::CloseAll() {
    // Only an engine that was loaded can have windows open.
    if (m_pHtmlHelp) m_pHtmlHelp(nullptr, nullptr, kCloseAll, 0);
}

}  // namespace kq
