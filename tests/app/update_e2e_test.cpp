// End to end: "Check for Update" of the real statwell.exe, through WinINet and the current
// user's proxy setting to a local server answering for the maker's host; the boxes it shows,
// the page it asks the shell to open, and the gadget staying alive while a check waits.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "monitor/app/http_client.h"
#include "tests/app/statwell_run.h"
#include "tests/support/e2e.h"
#include "tests/support/fake_proxy.h"

namespace {

using e2e::FakeProxy;
using e2e::WaitUntil;

const char kDownloadPage[] = "http://www.corvane-soft.com/download.shtml\n";
const char kUnable[] =
    "Unable to connect to the Corvane Software\n\rWebsite.  Please check that you have an\n\r"
    "active Internet connection.\n\r\n\rError: ";

std::string Offer(const std::string& latest) {
    return "An update is available.  Your version is 1.0.0.10\n\rThe latest version is " + latest +
           "\n\r\n\rWould you like to download the latest version?";
}

class UpdateCheck : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(app_.Gadget(), nullptr) << "the gadget did not appear"; }
    std::string Opened() const { return e2e::ReadText(urlLog_); }
    std::string AllRequests() {
        std::string all;
        for (const std::string& r : proxy_.Requests()) all += r + "\n--\n";
        return all;
    }

    FakeProxy proxy_;
    e2e::ProxySetting setting_{proxy_.Port()};
    // The stand-in browser's log, named to the program before it starts.
    std::string urlLog_ = [] {
        const std::string log = e2e::ExeFolder() + "\\statwell_update_urls.log";
        DeleteFileA(log.c_str());
        SetEnvironmentVariableA("E2E_URL_LOG", log.c_str());
        return log;
    }();
    e2e::ScopedDefaultValue browser_{HKEY_LOCAL_MACHINE, "Software\\Classes\\http\\shell\\open\\command",
                                     "\"" + e2e::ExeFolder() + "\\urlrecorder.exe\" \"%1\""};
    e2e::Statwell app_;
};

}  // namespace

TEST_F(UpdateCheck, AnswersOfTheServer) {
    // Exactly the running version: nothing to do.
    proxy_.Answer(FakeProxy::Kind::Body, "1.0.0.10");
    ASSERT_TRUE(app_.CheckForUpdate());
    EXPECT_EQ(app_.Answer("No Update Available", IDOK), "You have the latest version.");
    ASSERT_EQ(proxy_.Requests().size(), 1u);
    const std::string head = proxy_.Requests()[0];
    std::string line = head.substr(0, head.find("\r\n"));
    if (line.find(".com:80/") != std::string::npos)
        line.erase(line.find(":80/"), 3);  // some clients add the port
    EXPECT_EQ(line, "GET http://www.corvane-soft.com/update/corvanestatwell2.txt HTTP/1.1");
    for (const char* h :
         {"\r\nUser-Agent: DLN2\r\n", "\r\nAccept: text/html, */*\r\n", "\r\nContent-Type: text/html\r\n"})
        EXPECT_NE((head + "\r\n").find(h), std::string::npos) << h << " in\n" << head;

    // A line break after it is a different text; No opens nothing.
    proxy_.Answer(FakeProxy::Kind::Body, "1.0.0.10\r\n");
    ASSERT_TRUE(app_.CheckForUpdate());
    EXPECT_EQ(app_.Answer("Update Available", IDNO), Offer("1.0.0.10\r\n"));

    // An older version is offered too, and Yes asks the shell for the download page.
    proxy_.Answer(FakeProxy::Kind::Body, "1.0.0.9");
    ASSERT_TRUE(app_.CheckForUpdate());
    EXPECT_EQ(app_.Answer("Update Available", IDYES), Offer("1.0.0.9"));
    EXPECT_TRUE(WaitUntil([&] { return !Opened().empty(); }, 5000));
    EXPECT_EQ(Opened(), kDownloadPage);

    // An HTTP error status.
    proxy_.Answer(FakeProxy::Kind::Status, "404 Not Found");
    ASSERT_TRUE(app_.CheckForUpdate());
    EXPECT_EQ(app_.Answer("Unable to Connect", IDOK), kUnable + std::string("HTTP/1.1 404 Not Found"));

    // An endless body: the check reads a few hundred bytes, shows them cut and lets go.
    const SIZE_T before = app_.WorkingSet();
    proxy_.Answer(FakeProxy::Kind::Endless);
    ASSERT_TRUE(app_.CheckForUpdate());
    EXPECT_EQ(app_.Answer("Update Available", IDNO), Offer(std::string(256, '7')));
    EXPECT_LT(proxy_.EndlessBytesSent(), 64u << 20);
    EXPECT_LT(app_.WorkingSet(), before + (8u << 20));
    EXPECT_EQ(Opened(), kDownloadPage);  // nothing more was opened
}

TEST_F(UpdateCheck, RefusedConnection) {
    e2e::ProxySetting refused(e2e::ClosedPort());
    ASSERT_TRUE(app_.CheckForUpdate());
    const std::string text = app_.Answer("Unable to Connect", IDOK);
    ASSERT_EQ(text.substr(0, sizeof kUnable - 1), kUnable);
    EXPECT_GT(text.size(), sizeof kUnable + 5) << "no error text";
}

TEST_F(UpdateCheck, SilentServerTimesOutWhileTheGadgetPaintsAndNoSecondCheckStarts) {
    proxy_.Answer(FakeProxy::Kind::Silent);
    const DWORD t0 = GetTickCount();
    ASSERT_TRUE(app_.CheckForUpdate());
    ASSERT_TRUE(WaitUntil([&] { return proxy_.Requests().size() == 1; }, 5000));

    // The gadget answers and paints while the request waits.
    DWORD_PTR r = 0;
    EXPECT_TRUE(SendMessageTimeoutA(app_.Gadget(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &r));
    InvalidateRect(app_.Gadget(), nullptr, FALSE);
    EXPECT_TRUE(WaitUntil([&] { return !GetUpdateRect(app_.Gadget(), nullptr, FALSE); }, 3000))
        << "not painted";

    // Chosen again meanwhile: no second request. A nested one would be answered at once.
    ASSERT_TRUE(app_.CheckForUpdate());
    proxy_.Answer(FakeProxy::Kind::Body, "1.0.0.10");

    const std::string text = app_.Answer("Unable to Connect", IDOK, 30000);
    const DWORD took = GetTickCount() - t0;
    // The system's words for a time-out ("The operation timed out" on Windows).
    EXPECT_EQ(text.substr(0, sizeof kUnable - 1), kUnable);
    EXPECT_NE(text.find("timed out"), std::string::npos) << text;
    EXPECT_GE(took, 14000u);
    EXPECT_LT(took, 25000u);
    // Sentinel: a request of our own, served after anything queued before it.
    EXPECT_EQ(e2e::ProxyRoundTrip(proxy_.Port()), 200);
    EXPECT_EQ(proxy_.Requests().size(), 2u) << AllRequests();
    EXPECT_EQ(app_.Box("No Update Available", 0), nullptr);
}

namespace {
int g_ticks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++g_ticks; }
}  // namespace

// The client in this process, with limits short enough to watch.
TEST(HttpClient, WholeRequestLimitAndQuit) {
    FakeProxy proxy;
    e2e::ProxySetting setting(proxy.Port());
    app::THttpClient http;
    // The abandoned request ends by itself at its own time-out (the server is free again then).
    http.TimeoutMs = 3000;
    http.RequestLimitMs = 1500;
    app::UpdateBody body;

    // A server that keeps quiet is given up on at the whole-request limit, and a timer of this
    // thread keeps firing meanwhile.
    proxy.Answer(FakeProxy::Kind::Silent);
    g_ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, CountTick);
    const DWORD t0 = GetTickCount();
    try {
        http.Get("www.corvane-soft.com", "/update/corvanestatwell2.txt", body);
        ADD_FAILURE() << "no error";
    } catch (const app::HttpError& e) {
        EXPECT_NE(std::string(e.what()).find("timed out"), std::string::npos) << e.what();
    }
    const DWORD took = GetTickCount() - t0;
    KillTimer(nullptr, timer);
    EXPECT_GE(took, 1400u);
    EXPECT_LT(took, 5000u);
    EXPECT_GE(g_ticks, 5);
    EXPECT_FALSE(http.Busy());

    // A quit message while waiting: Get returns at once with nothing and the message is there
    // again for the outer loop.
    PostQuitMessage(7);
    http.RequestLimitMs = 20000;
    const DWORD t1 = GetTickCount();
    EXPECT_FALSE(http.Get("www.corvane-soft.com", "/update/corvanestatwell2.txt", body));
    EXPECT_LT(GetTickCount() - t1, 3000u);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(m.wParam, 7u);

    // Afterwards the client works again.
    proxy.Answer(FakeProxy::Kind::Body, "1.0.0.10");
    ASSERT_TRUE(http.Get("www.corvane-soft.com", "/update/corvanestatwell2.txt", body));
    EXPECT_EQ(body.Text(), "1.0.0.10");
}
