// TfrmMain: "Check for Update".
#include <windows.h>
#include <shellapi.h>

#include "monitor/app/frmMain.h"
#include "monitor/app/http_client.h"
#include "monitor/app/update_core.h"

namespace app {

void TfrmMain::CheckforUpdate1Click(ui::MenuItem&) { CheckForUpdate(); }

void TfrmMain::CheckForUpdate() {
    // Chosen again from the menu while the first check waits: that one answers for both.
    if (HTTP.Busy()) return;
    const std::string mine = OwnVersionText();
    UpdateBody latest;
    try {
        if (!HTTP.Get(kMakerHost, kUpdateFilePath, latest)) return;  // quitting
    } catch (const HttpError& e) {
        MessageBoxA(Handle(), UnableToConnectText(e.what()).c_str(), kUnableTitle, MB_OK | MB_ICONWARNING);
        return;
    }
    if (DecideUpdate(mine, latest) == UpdateVerdict::Latest) {
        MessageBoxA(Handle(), kNoUpdateText, kNoUpdateTitle, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const int answer = MessageBoxA(Handle(), UpdateAvailableText(mine, latest.Text()).c_str(), kUpdateTitle,
                                   MB_YESNO | MB_ICONINFORMATION);
    if (answer == IDYES)
        ShellExecuteA(GetDesktopWindow(), "open", MakerUrl(kDownloadPagePath).c_str(), nullptr, nullptr,
                      SW_SHOWNORMAL);
}

}  // namespace app
