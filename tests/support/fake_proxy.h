// A tiny HTTP proxy on 127.0.0.1 inside the test process: WinINet reaches it through the
// proxy setting of the current user, and it answers every request with the reply the test
// chose. It records what it was asked.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace e2e {

class FakeProxy {
public:
    enum class Kind {
        Body,     // 200 with the given body
        Status,   // the given status line, no body
        Silent,   // accepts and never answers
        Endless,  // 200 and a body that never ends
        Drip,     // the given text and then more header text, a byte every 500 ms (for 60 s at most)
        Raw,      // the given bytes as they stand, then the connection is closed
    };

    FakeProxy();
    ~FakeProxy();
    FakeProxy(const FakeProxy&) = delete;
    FakeProxy& operator=(const FakeProxy&) = delete;

    unsigned short Port() const { return m_port; }
    void Answer(Kind kind, const std::string& text = {});

    // Request head (request line and headers) of every request so far.
    std::vector<std::string> Requests();
    // Bytes of the endless body sent so far.
    size_t EndlessBytesSent() const { return m_endlessSent; }

private:
    void Run();
    void Serve(SOCKET s);

    SOCKET m_listen = INVALID_SOCKET;
    unsigned short m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<size_t> m_endlessSent{0};
    std::mutex m_lock;
    Kind m_kind = Kind::Body;
    std::string m_text;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

// A port on 127.0.0.1 that nobody listens on.
unsigned short ClosedPort();

// Sends one plain request of the test's own to the proxy on `port` and returns the status of
// its answer (0 without one). The proxy serves one request after the other, so when this
// returns every request that reached it earlier has been recorded: the sentinel for "no
// further request came".
int ProxyRoundTrip(unsigned short port);

// Points the current user's preconfigured proxy at 127.0.0.1:port for its lifetime and
// puts the previous setting back afterwards.
class ProxySetting {
public:
    explicit ProxySetting(unsigned short port);
    ~ProxySetting();
    ProxySetting(const ProxySetting&) = delete;
    ProxySetting& operator=(const ProxySetting&) = delete;

private:
    struct Saved {
        bool present = false;
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    Saved m_enable, m_server, m_override;
};

}  // namespace e2e
