#include "monitor/app/http_client.h"

#include <wininet.h>

#include <mutex>
#include <thread>
#include <vector>

#include "monitor/ui/form.h"
#include "monitor/ui/handles.h"

namespace app {

// What the worker thread and the waiting thread share. The waiting thread may give up on a
// request (time limit, quit); the worker then finishes on its own and frees nothing of it.
struct THttpClient::Request {
    // Filled before the worker starts.
    std::string host, path, agent, headers;
    DWORD timeoutMs = 0;
    ui::KernelHandle done{CreateEventA(nullptr, TRUE, FALSE, nullptr)};

    // Guarded by `lock`.
    std::mutex lock;
    HINTERNET session = nullptr;
    bool abandoned = false;

    // Written by the worker before `done` is set.
    UpdateBody body;
    bool failed = false;
    std::string error;

    // Closes the session (and with it every handle under it), which cancels a pending call.
    void Abandon() {
        std::lock_guard<std::mutex> g(lock);
        abandoned = true;
        if (session) InternetCloseHandle(session);
        session = nullptr;
    }
};

namespace {

std::string SystemErrorText(DWORD code) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS,
        GetModuleHandleA("wininet.dll"), code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string s = n && text ? std::string(text, n) : std::string();
    if (text) LocalFree(text);
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ' || s.back() == '.'))
        s.pop_back();
    return s.empty() ? InternetErrorText(code) : s;
}

std::string QueryText(HINTERNET request, DWORD info) {
    char buf[256] = "";
    DWORD size = sizeof buf - 1;
    if (!HttpQueryInfoA(request, info, buf, &size, nullptr)) return {};
    return std::string(buf, size < sizeof buf ? size : 0);
}

// The request on the worker thread. Every handle below the session is closed here unless the
// waiting thread has closed the session (and so all of them) first.
void Perform(THttpClient::Request& rq) {
    const auto fail = [&rq](const std::string& text) {
        rq.failed = true;
        rq.error = text;
    };
    // Each blocking call below starts this clock, so that a failure at its time-out counts
    // as the time-out it is.
    DWORD started = GetTickCount();
    const auto lastError = [&] {
        const DWORD code = GetLastError();
        fail(SystemErrorText(FailureCode(code, GetTickCount() - started, rq.timeoutMs)));
    };

    HINTERNET session = InternetOpenA(rq.agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session) return lastError();
    {
        std::lock_guard<std::mutex> g(rq.lock);
        if (rq.abandoned) {
            InternetCloseHandle(session);
            return;
        }
        rq.session = session;
    }
    // The time-outs go on every handle: not every WinINet passes the session's on to the
    // connections made under it.
    DWORD timeout = rq.timeoutMs;
    const auto limit = [&timeout](HINTERNET h) {
        InternetSetOptionA(h, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
        InternetSetOptionA(h, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
        InternetSetOptionA(h, INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof timeout);
    };
    limit(session);

    HINTERNET connection = nullptr, request = nullptr;
    [&] {
        connection = InternetConnectA(session, rq.host.c_str(), INTERNET_DEFAULT_HTTP_PORT, nullptr, nullptr,
                                      INTERNET_SERVICE_HTTP, 0, 0);
        if (!connection) return lastError();
        limit(connection);
        // A fresh answer every time: a cached copy of the file could hide a new release.
        request =
            HttpOpenRequestA(connection, "GET", rq.path.c_str(), nullptr, nullptr, nullptr,
                             INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI, 0);
        if (!request) return lastError();
        limit(request);
        started = GetTickCount();
        if (!HttpSendRequestA(request, rq.headers.c_str(), static_cast<DWORD>(rq.headers.size()), nullptr, 0))
            return lastError();
        DWORD status = 0, size = sizeof status;
        if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                            nullptr))
            return lastError();
        if (status != HTTP_STATUS_OK)
            return fail(HttpStatusText(QueryText(request, HTTP_QUERY_VERSION), status,
                                       QueryText(request, HTTP_QUERY_STATUS_TEXT)));
        char buf[UpdateBody::kLimit + 1];
        while (!rq.body.Full()) {
            DWORD got = 0;
            started = GetTickCount();
            if (!InternetReadFile(request, buf, static_cast<DWORD>(rq.body.Wanted()), &got))
                return lastError();
            if (got == 0) break;
            rq.body.Feed(buf, got);
        }
    }();

    std::lock_guard<std::mutex> g(rq.lock);
    if (rq.abandoned) return;
    if (request) InternetCloseHandle(request);
    if (connection) InternetCloseHandle(connection);
    InternetCloseHandle(session);
    rq.session = nullptr;
}

}  // namespace

THttpClient::THttpClient() = default;
THttpClient::~THttpClient() = default;

bool THttpClient::Get(const char* host, const char* path, UpdateBody& body) {
    if (busy_) throw HttpError("A request is already running");
    auto rq = std::make_shared<Request>();
    rq->host = host;
    rq->path = path;
    rq->agent = UserAgent;
    rq->headers = "Accept: " + Accept + "\r\nContent-Type: " + ContentType + "\r\n";
    rq->timeoutMs = TimeoutMs;
    if (!rq->done) throw HttpError(SystemErrorText(GetLastError()));

    busy_ = true;
    struct Idle {
        bool& busy;
        ~Idle() { busy = false; }
    } idle{busy_};

    std::thread worker([rq] {
        Perform(*rq);
        SetEvent(rq->done.get());
    });
    worker.detach();

    bool quit = false;
    const bool answered = PumpMessagesUntil(rq->done.get(), GetTickCount() + RequestLimitMs, quit);
    if (!answered) {
        rq->Abandon();
        if (quit) return false;
        throw HttpError(SystemErrorText(kTimeoutError));
    }
    if (rq->failed) throw HttpError(rq->error);
    body = rq->body;
    return true;
}

bool PumpMessagesUntil(HANDLE event, DWORD deadline, bool& quit) {
    quit = false;
    for (;;) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(m.wParam));
                quit = true;
                return false;
            }
            if (ui::Application* app = ui::Application::Current()) {
                app->ProcessMessage(m);
            } else {
                TranslateMessage(&m);
                DispatchMessageA(&m);
            }
        }
        const DWORD now = GetTickCount();
        const LONG left = static_cast<LONG>(deadline - now);
        if (left <= 0) return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
        const DWORD r = MsgWaitForMultipleObjects(1, &event, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return true;
        if (r == WAIT_FAILED) return false;
    }
}

std::string OwnVersionText() {
    char path[MAX_PATH * 2] = "";
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n >= sizeof path) return {};
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
    return VersionText(info->dwFileVersionMS, info->dwFileVersionLS);
}

}  // namespace app
