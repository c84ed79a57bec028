#include "keyblocker/update/update_check.h"

#include <wininet.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace kq {

const char kMakerHost[] = "www.velmora-soft.com";
const char kUpdateFilePath[] = "/kqelupdate.txt";
const char kProductPagePath[] = "/keyquell.shtml";
const char kHomePagePath[] = "/";

namespace {

DWORD g_timeoutMs = kDefaultUpdateTimeoutMs;
DWORD g_boundMs = kDefaultUpdateBoundMs;

// Closes a WinINet handle when it goes out of scope.
class InternetHandle {
public:
    explicit InternetHandle(HINTERNET h) : m_h(h) {}
    ~InternetHandle() {
        if (m_h) InternetCloseHandle(m_h);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }

private:
    HINTERNET m_h;
};

ProgramVersion ReadOwnVersion() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return {};
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path, 0, size, data.data())) return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &len) || !info ||
        len < sizeof(VS_FIXEDFILEINFO))
        return {};
    return DecodeProductVersion(info->dwProductVersionMS, info->dwProductVersionLS);
}

}  // namespace

std::string MakerUrl(const char* path) { return std::string("http://") + kMakerHost + path; }

const ProgramVersion& OwnProgramVersion() {
    static const ProgramVersion version = ReadOwnVersion();
    return version;
}

DWORD UpdateTimeoutMs() { return g_timeoutMs; }
void SetUpdateTimeoutMs(DWORD ms) { g_timeoutMs = ms; }
DWORD UpdateBoundMs() { return g_boundMs; }
void SetUpdateBoundMs(DWORD ms) { g_boundMs = ms; }

namespace {

// What the asking thread and the worker share; freed by whichever lets go last.
struct Request {
    ProgramVersion program;
    DWORD timeoutMs = 0;
    HANDLE done = nullptr;  // set once outcome is in
    std::atomic<UpdateOutcome> outcome{UpdateOutcome::Failed};
    std::mutex lock;
    HINTERNET net = nullptr;  // under lock; whoever takes it out closes it
    bool abandoned = false;   // under lock: the asking thread gave up

    ~Request() {
        if (done) CloseHandle(done);
    }
    // Hands the internet handle to the request; false (and closed) when it was given up.
    bool Adopt(HINTERNET h) {
        std::lock_guard<std::mutex> g(lock);
        if (abandoned) {
            InternetCloseHandle(h);
            return false;
        }
        net = h;
        return true;
    }
    // Takes the internet handle out; closing it ends whatever WinINet waits for under it.
    void CloseNet(bool giveUp) {
        HINTERNET h = nullptr;
        {
            std::lock_guard<std::mutex> g(lock);
            if (giveUp) abandoned = true;
            h = std::exchange(net, nullptr);
        }
        if (h) InternetCloseHandle(h);
    }
};

UpdateOutcome Fetch(Request& request) {
    HINTERNET net = InternetOpenA("KQeLUpdate", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!net || !request.Adopt(net)) return UpdateOutcome::Failed;
    // Without time-outs an unanswering server keeps the dialog waiting for good. They are
    // set on every handle of the request: some WinINet implementations do not pass the
    // internet handle's receive time-out on to the connections made under it.
    DWORD timeout = request.timeoutMs;
    const auto limit = [&timeout](HINTERNET h) {
        InternetSetOptionA(h, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
        InternetSetOptionA(h, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
        InternetSetOptionA(h, INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof timeout);
    };
    limit(net);

    // The URL http://<maker's host>/kqelupdate.txt, opened in its steps so that the
    // time-outs reach the connection.
    InternetHandle server(InternetConnectA(net, kMakerHost, INTERNET_DEFAULT_HTTP_PORT, nullptr, nullptr,
                                           INTERNET_SERVICE_HTTP, 0, 1));
    if (!server) return UpdateOutcome::Failed;
    limit(server.get());
    InternetHandle file(HttpOpenRequestA(server.get(), "GET", kUpdateFilePath, nullptr, nullptr, nullptr,
                                         INTERNET_FLAG_TRANSFER_ASCII, 1));
    if (!file) return UpdateOutcome::Failed;
    limit(file.get());
    if (!HttpSendRequestA(file.get(), nullptr, 0, nullptr, 0)) return UpdateOutcome::Failed;

    DWORD status = 0;
    DWORD size = sizeof status;
    const bool statusOk = HttpQueryInfoA(file.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                                         &size, nullptr) &&
                          status == HTTP_STATUS_OK;
    if (!statusOk) return UpdateOutcome::Failed;

    // Only the first line counts, and only up to its fourth character: read no further,
    // so that a huge or endless body costs nothing.
    DWORD announced = 0;
    size = sizeof announced;
    const bool lengthKnown = HttpQueryInfoA(file.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER,
                                            &announced, &size, nullptr) != FALSE;
    FirstLineReader reader;
    char buf[FirstLineReader::kLineLength + 1];
    size_t bytesRead = 0;
    bool endOfBody = false;
    while (!reader.Done()) {
        DWORD got = 0;
        if (!InternetReadFile(file.get(), buf, sizeof buf, &got)) return UpdateOutcome::Failed;
        if (got == 0) {
            reader.End();
            endOfBody = true;
            break;
        }
        bytesRead += got;
        reader.Feed(buf, got);
    }
    // A connection closed in the middle of the headers is a failed connection too.
    if (ResponseCutOff(endOfBody, bytesRead, lengthKnown, announced)) return UpdateOutcome::Failed;
    return DecideUpdate(true, reader, request.program);
}

// Waits for `event` at most ms milliseconds, dispatching this thread's messages meanwhile.
// False on time-out, a failed wait or WM_QUIT (which is posted again for the loop above).
bool WaitDispatching(HANDLE event, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
        const DWORD r = MsgWaitForMultipleObjects(1, &event, FALSE, ms - elapsed, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return true;
        if (r != WAIT_OBJECT_0 + 1) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return false;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

}  // namespace

UpdateOutcome RequestUpdateInfo(const ProgramVersion& program) {
    auto request = std::make_shared<Request>();
    request->program = program;
    request->timeoutMs = g_timeoutMs;
    request->done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!request->done) return UpdateOutcome::Failed;
    try {
        std::thread([request] {
            request->outcome = Fetch(*request);
            request->CloseNet(false);
            SetEvent(request->done);
        }).detach();
    } catch (const std::system_error&) {
        return UpdateOutcome::Failed;
    }
    if (WaitDispatching(request->done, g_boundMs)) return request->outcome;
    // Time is up. Closing the internet handle makes WinINet give up what it waits for; a
    // worker still busy after that ends on its own later and frees what it shares with us.
    request->CloseNet(true);
    return UpdateOutcome::Failed;
}

}  // namespace kq
