// The gadget's HTTP client: a blocking GET through WinINet with the system's proxy settings.
// The request itself runs on a worker thread while the calling (user-interface) thread pumps
// its messages, so every window keeps painting and the timers keep ticking while it waits.
#pragma once
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "monitor/app/update_core.h"

namespace app {

// A failed request (refused connection, unknown host, an HTTP status other than 200, a
// time-out); what() is the text shown to the user.
class HttpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class THttpClient {
public:
    THttpClient();
    ~THttpClient();
    THttpClient(const THttpClient&) = delete;
    THttpClient& operator=(const THttpClient&) = delete;

    std::string UserAgent = "DLN2";
    std::string Accept = "text/html, */*";
    std::string ContentType = "text/html";
    // Connecting and each send and receive give up after this long.
    DWORD TimeoutMs = 15000;
    // The whole request gives up after this long, however slowly the answer trickles in.
    DWORD RequestLimitMs = 30000;

    // True while a Get waits for its answer.
    bool Busy() const { return busy_; }

    // GET http://host/path; the body (bounded, see UpdateBody) goes to `body`. Pumps this
    // thread's messages while it waits. Returns false, with nothing to show, when the program
    // was told to quit meanwhile (the quit message is posted again). Throws HttpError.
    bool Get(const char* host, const char* path, UpdateBody& body);

    struct Request;  // shared with the worker thread

private:
    bool busy_ = false;
};

// Dispatches this thread's messages until `event` is signalled (true), the tick count passes
// `deadline` (false, `quit` false) or the quit message arrives (false, `quit` true; posted
// again for the outer loop).
bool PumpMessagesUntil(HANDLE event, DWORD deadline, bool& quit);

// The version text of this program's own version resource ("" without one).
std::string OwnVersionText();

}  // namespace app
