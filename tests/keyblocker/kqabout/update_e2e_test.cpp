// The update dialog end to end: the real WinINet request, through the current user's
// preconfigured proxy, to a local server that answers for the maker's host.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "keyblocker/update/CheckUpdatesDlg.h"
#include "keyblocker/update/update_check.h"
#include "keyblocker/update/update_res.h"
#include "tests/support/e2e.h"
#include "tests/support/fake_proxy.h"

using e2e::FakeProxy;
using kq::CCheckUpdatesDlg;

namespace {

const char kFailText[] = "Cannot connect to updates server.";

struct DialogRun {
    std::string status;  // status line after the check
    bool yes = false, no = false, download = false, closeAfterNews = false, close = false;
    INT_PTR result = 0;
    double seconds = 0;  // time the check took
};

HWND WaitForDialog() {
    for (int i = 0; i < 500; ++i) {
        HWND w = FindWindowA(reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(32770)), "Update Keyquell");
        if (w) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            // Found once shown, that is after its initialisation.
            if (pid == GetCurrentProcessId() && IsWindowVisible(w)) return w;
        }
        Sleep(10);
    }
    return nullptr;
}

bool Visible(HWND dlg, int id) { return IsWindowVisible(GetDlgItem(dlg, id)) != FALSE; }

// Saves what the dialog shows as KQ_SHOTS\update-<name>.bmp when KQ_SHOTS names a folder.
void SaveShot(HWND dlg, const char* name) {
    char folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("KQ_SHOTS", folder, sizeof folder)) return;
    RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(200);  // a picture for people to look at, not a condition to wait for
    e2e::SaveWindowBitmap(dlg, std::string(folder) + "\\update-" + name + ".bmp");
}

// Every shown button has room for its caption beside its edges and focus rectangle, lies
// inside the dialog and clear of the others.
void ExpectCaptionsFit(HWND dlg, const char* state) {
    SCOPED_TRACE(state);
    RECT client{};
    GetClientRect(dlg, &client);
    std::vector<RECT> shown;
    for (int id : {IDC_UPD_YES, IDC_UPD_NO, IDOK, IDC_UPD_CLOSE_AFTER_DL, IDC_UPD_CLOSE}) {
        HWND b = GetDlgItem(dlg, id);
        if (!IsWindowVisible(b)) continue;
        RECT r{};
        GetWindowRect(b, &r);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
        char text[128] = {};
        GetWindowTextA(b, text, sizeof text);
        HDC dc = GetDC(b);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(b, WM_GETFONT, 0, 0)));
        RECT t{};
        DrawTextA(dc, text, -1, &t, DT_CALCRECT | DT_SINGLELINE);
        SelectObject(dc, old);
        ReleaseDC(b, dc);
        RECT unit{0, 0, 4, 0};  // 4 dialog units: edge, focus rectangle and a little air
        MapDialogRect(dlg, &unit);
        EXPECT_GE(r.right - r.left, t.right + 2 * unit.right) << text;
        EXPECT_GE(r.left, client.left) << text;
        EXPECT_LE(r.right, client.right) << text;
        for (const RECT& o : shown) EXPECT_TRUE(r.right <= o.left || o.right <= r.left) << text;
        shown.push_back(r);
    }
}

// Opens the dialog, presses "Yes, check for updates now", notes what it shows, then
// presses the button `finish` (when visible) or dismisses it.
DialogRun RunDialog(int finish) {
    DialogRun run;
    std::thread driver([&] {
        HWND dlg = WaitForDialog();
        if (!dlg) return;
        char text[256] = {};
        GetDlgItemTextA(dlg, IDC_UPD_STATUS, text, sizeof text);
        EXPECT_STREQ(text, "Make your choice, please.");
        EXPECT_TRUE(Visible(dlg, IDC_UPD_YES));
        EXPECT_FALSE(Visible(dlg, IDOK));
        ExpectCaptionsFit(dlg, "asking");
        SaveShot(dlg, "asking");
        const auto t0 = std::chrono::steady_clock::now();
        SendMessageA(dlg, WM_COMMAND, IDC_UPD_YES, 0);  // returns when the check is over
        run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        GetDlgItemTextA(dlg, IDC_UPD_STATUS, text, sizeof text);
        run.status = text;
        run.yes = Visible(dlg, IDC_UPD_YES);
        run.no = Visible(dlg, IDC_UPD_NO);
        run.download = Visible(dlg, IDOK);
        run.closeAfterNews = Visible(dlg, IDC_UPD_CLOSE_AFTER_DL);
        run.close = Visible(dlg, IDC_UPD_CLOSE);
        ExpectCaptionsFit(dlg, text);
        SaveShot(dlg, run.download ? "news" : run.status == kFailText ? "failed" : "none");
        if (finish && Visible(dlg, finish))
            PostMessageA(dlg, WM_COMMAND, finish, 0);
        else
            PostMessageA(dlg, WM_CLOSE, 0, 0);
    });
    CCheckUpdatesDlg dlg;
    run.result = dlg.DoModal();
    driver.join();
    return run;
}

const char kNone[] = "Sorry, there are no updates of the program at the moment.";
const char kNews[] = "There is a new version of the program available now! Do you want to download it?";
const char kFail[] = "Cannot connect to updates server.";

class UpdateDialog : public ::testing::Test {
protected:
    FakeProxy proxy;
    e2e::ProxySetting setting{proxy.Port()};

    void ExpectNoUpdate(const DialogRun& r) {
        EXPECT_EQ(r.status, kNone);
        EXPECT_FALSE(r.yes || r.no || r.download || r.closeAfterNews);
        EXPECT_TRUE(r.close);
        EXPECT_EQ(r.result, CCheckUpdatesDlg::kLater);
    }
};

}  // namespace

TEST_F(UpdateDialog, ProgramVersionComesFromTheVersionResource) {
    const kq::ProgramVersion& v = kq::OwnProgramVersion();
    EXPECT_EQ(v.major, 1u);
    EXPECT_EQ(v.minor, 1u);
    EXPECT_EQ(v.build, 0u);
    EXPECT_EQ(v.revision, 10u);
}

TEST_F(UpdateDialog, NewerVersionOffersTheDownload) {
    proxy.Answer(FakeProxy::Kind::Body, "1.2");
    DialogRun r = RunDialog(IDOK);
    EXPECT_EQ(r.status, kNews);
    EXPECT_FALSE(r.yes || r.no || r.close);
    EXPECT_TRUE(r.download && r.closeAfterNews);
    EXPECT_EQ(r.result, CCheckUpdatesDlg::kDownload);
    EXPECT_TRUE(CCheckUpdatesDlg::ResultCompletesCheck(r.result));

    // The request went to the maker's host through the proxy, as KQeLUpdate.
    const auto requests = proxy.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const std::string& head = requests[0];
    EXPECT_TRUE(head.rfind("GET http://www.velmora-soft.com/kqelupdate.txt HTTP/1.", 0) == 0 ||
                head.rfind("GET http://www.velmora-soft.com:80/kqelupdate.txt HTTP/1.", 0) == 0)
        << head;
    EXPECT_NE((head + "\r\n").find("\r\nUser-Agent: KQeLUpdate\r\n"), std::string::npos) << head;

    proxy.Answer(FakeProxy::Kind::Body, "2.0\r\n");  // the CR keeps the line too long...
    ExpectNoUpdate(RunDialog(IDC_UPD_CLOSE));
    proxy.Answer(FakeProxy::Kind::Body, "2.0\nsome notes\n");  // ...a bare LF does not
    r = RunDialog(IDC_UPD_CLOSE_AFTER_DL);
    EXPECT_EQ(r.status, kNews);
    EXPECT_EQ(r.result, CCheckUpdatesDlg::kCloseAfterNews);
    EXPECT_TRUE(CCheckUpdatesDlg::ResultCompletesCheck(r.result));
}

TEST_F(UpdateDialog, SameOlderOrMalformedVersionsAreNoUpdate) {
    for (const char* body : {"1.1", "0.9", "1.2\r\n", "10.1", "1..", ""}) {
        SCOPED_TRACE(body);
        proxy.Answer(FakeProxy::Kind::Body, body);
        const DialogRun r = RunDialog(IDC_UPD_CLOSE);
        ExpectNoUpdate(r);
        EXPECT_FALSE(CCheckUpdatesDlg::ResultCompletesCheck(r.result));
    }
}

TEST_F(UpdateDialog, ServerErrorsAndNoServerCannotConnect) {
    proxy.Answer(FakeProxy::Kind::Status, "404 Not Found");
    DialogRun r = RunDialog(IDC_UPD_CLOSE);
    EXPECT_EQ(r.status, kFail);
    EXPECT_FALSE(r.yes || r.no || r.download || r.closeAfterNews);
    EXPECT_TRUE(r.close);
    EXPECT_EQ(r.result, CCheckUpdatesDlg::kLater);

    proxy.Answer(FakeProxy::Kind::Status, "500 Internal Server Error");
    EXPECT_EQ(RunDialog(IDC_UPD_CLOSE).status, kFail);

    // Nobody listens where the proxy setting points.
    e2e::ProxySetting refused(e2e::ClosedPort());
    r = RunDialog(IDC_UPD_CLOSE);
    EXPECT_EQ(r.status, kFail);
    EXPECT_EQ(r.result, CCheckUpdatesDlg::kLater);
}

TEST_F(UpdateDialog, UnansweringServerTimesOut) {
    const DWORD saved = kq::UpdateTimeoutMs();
    EXPECT_EQ(saved, 15000u);
    kq::SetUpdateTimeoutMs(1000);
    proxy.Answer(FakeProxy::Kind::Silent);
    const DialogRun r = RunDialog(IDC_UPD_CLOSE);
    kq::SetUpdateTimeoutMs(saved);
    EXPECT_EQ(r.status, kFail);
    EXPECT_EQ(r.result, CCheckUpdatesDlg::kLater);
    EXPECT_LT(r.seconds, 8.0);
}

TEST_F(UpdateDialog, DrippingServerFailsWithinTheWholeBoundWhileTheThreadAnswers) {
    const DWORD savedTimeout = kq::UpdateTimeoutMs(), savedBound = kq::UpdateBoundMs();
    EXPECT_EQ(savedBound, 20000u);
    kq::SetUpdateTimeoutMs(1500);  // every byte comes well within it
    kq::SetUpdateBoundMs(3000);
    proxy.Answer(FakeProxy::Kind::Drip, "HTTP/1.1 200 OK\r\nX-Slow: ");
    // A window of the dialog's thread stands for the tray window.
    HWND tray = CreateWindowExA(0, "STATIC", "tray", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(tray, nullptr);
    int probes = 0, answered = 0;
    bool sawChecking = false;
    std::string status;
    double seconds = 0;
    std::thread driver([&] {
        HWND dlg = WaitForDialog();
        if (!dlg) return;
        const auto t0 = std::chrono::steady_clock::now();
        const auto elapsed = [&] {
            return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        };
        PostMessageA(dlg, WM_COMMAND, IDC_UPD_YES, 0);
        while (elapsed() < 90) {
            char text[256] = {};
            DWORD_PTR r = 0;
            ++probes;
            if (SendMessageTimeoutA(tray, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &r)) ++answered;
            if (SendMessageTimeoutA(GetDlgItem(dlg, IDC_UPD_STATUS), WM_GETTEXT, sizeof text,
                                    reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 1000, &r)) {
                status = text;
                if (status == "Checking for updates...") sawChecking = true;
                if (status == kFail || status == kNone || status == kNews) break;
            }
            Sleep(100);
        }
        seconds = elapsed();
        PostMessageA(dlg, WM_COMMAND, IDC_UPD_CLOSE, 0);
    });
    CCheckUpdatesDlg dlg;
    const INT_PTR result = dlg.DoModal();
    driver.join();
    DestroyWindow(tray);
    kq::SetUpdateTimeoutMs(savedTimeout);
    kq::SetUpdateBoundMs(savedBound);
    EXPECT_EQ(status, kFail);
    EXPECT_EQ(result, CCheckUpdatesDlg::kLater);
    EXPECT_LT(seconds, 6.0);
    EXPECT_TRUE(sawChecking);
    EXPECT_GE(probes, 3);
    EXPECT_EQ(answered, probes) << "the thread stopped answering during the request";
}

TEST_F(UpdateDialog, ResponseCutOffInItsHeadersCannotConnect) {
    for (const char* raw :
         {"HTTP/1.1 200 OK\r\nContent-Type: text/pl", "HTTP/1.1 200 OK\r\nContent-Length: 3\r\n",
          "HTTP/1.1 200 OK\r\n", "HTTP/1.1 200 OK"}) {
        SCOPED_TRACE(raw);
        proxy.Answer(FakeProxy::Kind::Raw, raw);
        EXPECT_EQ(RunDialog(IDC_UPD_CLOSE).status, kFail);
    }
    // A body cut short of its announced length is no answer either.
    proxy.Answer(FakeProxy::Kind::Raw, "HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\n1.");
    EXPECT_EQ(RunDialog(IDC_UPD_CLOSE).status, kFail);
    // An announced empty body is no update, as before; a body that ends with the
    // connection counts as it stands.
    proxy.Answer(FakeProxy::Kind::Raw, "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
    ExpectNoUpdate(RunDialog(IDC_UPD_CLOSE));
    proxy.Answer(FakeProxy::Kind::Raw, "HTTP/1.0 200 OK\r\n\r\n1.2");
    EXPECT_EQ(RunDialog(IDOK).status, kNews);
}

TEST_F(UpdateDialog, EndlessBodyIsNotReadToTheEnd) {
    proxy.Answer(FakeProxy::Kind::Endless);
    DialogRun r = RunDialog(IDC_UPD_CLOSE);
    ExpectNoUpdate(r);
    EXPECT_LT(r.seconds, 8.0);
    EXPECT_LT(proxy.EndlessBytesSent(), size_t(16) << 20);
}

TEST_F(UpdateDialog, DismissingBeforeCheckingIsLater) {
    proxy.Answer(FakeProxy::Kind::Body, "1.2");
    for (int how : {IDC_UPD_NO, IDCANCEL, IDOK}) {
        SCOPED_TRACE(how);
        std::thread driver([how] {
            HWND dlg = WaitForDialog();
            ASSERT_NE(dlg, nullptr);
            // Enter on the hidden "Download now" must not count as a download.
            if (how == IDOK) {
                SendMessageA(dlg, WM_COMMAND, IDOK, 0);
                EXPECT_TRUE(IsWindow(dlg));
                PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
            } else {
                PostMessageA(dlg, WM_COMMAND, how, 0);
            }
        });
        CCheckUpdatesDlg dlg;
        EXPECT_EQ(dlg.DoModal(), CCheckUpdatesDlg::kLater);
        driver.join();
    }
    EXPECT_TRUE(proxy.Requests().empty());
}
