#include "keyblocker/help.h"

#include "keyblocker/about/akHelpSupport.h"

// The program's help goes through the one help launcher of the About part.
namespace kq {

void SetHelpFileDefaults() { CakHelpSupport::Get().SetDefaultFiles(); }

void ShowHelpTopic(const char* topic) { CakHelpSupport::Get().ShowTopic(topic); }

void ShowControlHelp(HWND control, const DWORD* helpIds) {
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.hItemHandle = control;
    info.iCtrlId = GetDlgCtrlID(control);
    CakHelpSupport::Get().ContextHelp(&info, helpIds);
}

void ShowContextMenuHelp(HWND window, const DWORD* helpIds) {
    CakHelpSupport::Get().ContextMenuHelp(window, helpIds);
}

void CloseHelp() { CakHelpSupport::Get().CloseAll(); }

}  // namespace kq
