#include "keyblocker/update/update_check.h"

#include <wininet.h>

#include <vector>

namespace kq {

const char kMakerHost[] = "www.velmora-soft.com";
const char kUpdateFilePath[] = "/kqelupdate.txt";
const char kProductPagePath[] = "/keyquell.shtml";
const char kHomePagePath[] = "/";

namespace {

DWORD g_timeoutMs = kDefaultUpdateTimeoutMs;

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

std::string MakerUrl(const char* path) {
    return std::string("http://") + kMakerHost + path;
}

const ProgramVersion& OwnProgramVersion() {
    static const ProgramVersion version = ReadOwnVersion();
    return version;
}

DWORD UpdateTimeoutMs() { return g_timeoutMs; }
void SetUpdateTimeoutMs(DWORD ms) { g_timeoutMs = ms; }

UpdateOutcome RequestUpdateInfo(const ProgramVersion& program) {
    InternetHandle net(InternetOpenA("KQeLUpdate", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!net) return UpdateOutcome::Failed;
    // Without time-outs an unanswering server keeps the dialog waiting for good. They are
    // set on every handle of the request: some WinINet implementations do not pass the
    // internet handle's receive time-out on to the connections made under it.
    DWORD timeout = g_timeoutMs;
    const auto limit = [&timeout](HINTERNET h) {
        InternetSetOptionA(h, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
        InternetSetOptionA(h, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
        InternetSetOptionA(h, INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof timeout);
    };
    limit(net.get());

    // The URL http://<maker's host>/kqelupdate.txt, opened in its steps so that the
    // time-outs reach the connection.
    InternetHandle server(InternetConnectA(net.get(), kMakerHost, INTERNET_DEFAULT_HTTP_PORT, nullptr, nullptr,
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
    FirstLineReader reader;
    char buf[FirstLineReader::kLineLength + 1];
    while (!reader.Done()) {
        DWORD got = 0;
        if (!InternetReadFile(file.get(), buf, sizeof buf, &got)) return UpdateOutcome::Failed;
        if (got == 0) {
            reader.End();
            break;
        }
        reader.Feed(buf, got);
    }
    return DecideUpdate(true, reader, program);
}

}  // namespace kq
