#include "tests/support/fake_proxy.h"

#include <ws2tcpip.h>

#include <cstdlib>
#include <cstring>

namespace e2e {

namespace {

const char kInternetSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

bool SendAll(SOCKET s, const std::string& data) {
    size_t off = 0;
    while (off < data.size()) {
        const int n = send(s, data.data() + off, static_cast<int>(data.size() - off), 0);
        if (n <= 0) return false;
        off += static_cast<size_t>(n);
    }
    return true;
}

// Waits up to ms for the socket to become readable; false when stopping or timed out.
bool WaitReadable(SOCKET s, int ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval tv{ms / 1000, (ms % 1000) * 1000};
    return select(0, &set, nullptr, nullptr, &tv) > 0;
}

}  // namespace

FakeProxy::FakeProxy() {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    m_listen = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    bind(m_listen, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(m_listen, 8);
    int len = sizeof a;
    getsockname(m_listen, reinterpret_cast<sockaddr*>(&a), &len);
    m_port = ntohs(a.sin_port);
    m_thread = std::thread([this] { Run(); });
}

FakeProxy::~FakeProxy() {
    m_stop = true;
    m_thread.join();
    closesocket(m_listen);
    WSACleanup();
}

void FakeProxy::Answer(Kind kind, const std::string& text) {
    std::lock_guard<std::mutex> g(m_lock);
    m_kind = kind;
    m_text = text;
}

std::vector<std::string> FakeProxy::Requests() {
    std::lock_guard<std::mutex> g(m_lock);
    return m_requests;
}

void FakeProxy::Run() {
    while (!m_stop) {
        if (!WaitReadable(m_listen, 50)) continue;
        SOCKET s = accept(m_listen, nullptr, nullptr);
        if (s == INVALID_SOCKET) continue;
        Serve(s);
        closesocket(s);
    }
}

void FakeProxy::Serve(SOCKET s) {
    std::string head;
    char buf[1024];
    while (head.find("\r\n\r\n") == std::string::npos && !m_stop) {
        if (!WaitReadable(s, 50)) continue;
        const int n = recv(s, buf, sizeof buf, 0);
        if (n <= 0) return;
        head.append(buf, static_cast<size_t>(n));
    }
    Kind kind;
    std::string text;
    {
        std::lock_guard<std::mutex> g(m_lock);
        m_requests.push_back(head.substr(0, head.find("\r\n\r\n")));
        kind = m_kind;
        text = m_text;
    }
    switch (kind) {
    case Kind::Body:
        SendAll(s, "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                       std::to_string(text.size()) + "\r\nConnection: close\r\n\r\n" + text);
        break;
    case Kind::Status:
        SendAll(s, "HTTP/1.1 " + text + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        break;
    case Kind::Silent:
        // Hold the connection open without a word until the client gives up.
        while (!m_stop) {
            if (WaitReadable(s, 50) && recv(s, buf, sizeof buf, 0) <= 0) break;
        }
        break;
    case Kind::Drip: {
        std::string more = text;
        for (int i = 0; i < 120 && !m_stop; ++i) {
            const char c = i < static_cast<int>(more.size()) ? more[static_cast<size_t>(i)] : 'a';
            if (!SendAll(s, std::string(1, c))) break;
            // 500 ms, or less once the client has gone.
            if (WaitReadable(s, 500) && recv(s, buf, sizeof buf, 0) <= 0) break;
        }
        break;
    }
    case Kind::Raw: SendAll(s, text); break;
    case Kind::Endless: {
        if (!SendAll(s, "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n")) break;
        const std::string chunk(4096, '7');
        // Bounded so that a client that reads everything fails the test instead of hanging it.
        while (!m_stop && m_endlessSent < (256u << 20)) {
            if (!SendAll(s, chunk)) break;
            m_endlessSent += chunk.size();
        }
        break;
    }
    }
    shutdown(s, SD_BOTH);
}

unsigned short ClosedPort() {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    int len = sizeof a;
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    closesocket(s);
    WSACleanup();
    return ntohs(a.sin_port);
}

int ProxyRoundTrip(unsigned short port) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(port);
    int status = 0;
    if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        SendAll(s, "GET http://sentinel.invalid/ HTTP/1.0\r\n\r\n")) {
        std::string answer;
        char buf[512];
        while (answer.find("\r\n") == std::string::npos && WaitReadable(s, 10000)) {
            const int n = recv(s, buf, sizeof buf, 0);
            if (n <= 0) break;
            answer.append(buf, static_cast<size_t>(n));
        }
        if (answer.compare(0, 5, "HTTP/") == 0 && answer.find(' ') != std::string::npos)
            status = atoi(answer.c_str() + answer.find(' ') + 1);
    }
    closesocket(s);
    WSACleanup();
    return status;
}

namespace {

void SaveValue(HKEY key, const char* name, std::vector<BYTE>& data, DWORD& type, bool& present) {
    DWORD size = 0;
    present = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    if (!present) return;
    data.resize(size ? size : 1);
    RegQueryValueExA(key, name, nullptr, &type, data.data(), &size);
}

void RestoreValue(HKEY key, const char* name, const std::vector<BYTE>& data, DWORD type, bool present) {
    if (present)
        RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
    else
        RegDeleteValueA(key, name);
}

}  // namespace

ProxySetting::ProxySetting(unsigned short port) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    SaveValue(key, "ProxyEnable", m_enable.data, m_enable.type, m_enable.present);
    SaveValue(key, "ProxyServer", m_server.data, m_server.type, m_server.present);
    SaveValue(key, "ProxyOverride", m_override.data, m_override.type, m_override.present);
    const DWORD one = 1;
    RegSetValueExA(key, "ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
    const std::string server = "127.0.0.1:" + std::to_string(port);
    RegSetValueExA(key, "ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(server.c_str()),
                   static_cast<DWORD>(server.size() + 1));
    RegDeleteValueA(key, "ProxyOverride");
    RegCloseKey(key);
}

ProxySetting::~ProxySetting() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kInternetSettings, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    RestoreValue(key, "ProxyEnable", m_enable.data, m_enable.type, m_enable.present);
    RestoreValue(key, "ProxyServer", m_server.data, m_server.type, m_server.present);
    RestoreValue(key, "ProxyOverride", m_override.data, m_override.type, m_override.present);
    RegCloseKey(key);
}

}  // namespace e2e
