// The decisions of "Check for Update" and of the About window, without Windows: the version
// text of a version resource, the bounded update body, the verdict and the message texts.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace app {

// The maker's web server and the paths on it.
extern const char kMakerHost[];
extern const char kUpdateFilePath[];
extern const char kDownloadPagePath[];
// "http://" + the maker's host + path.
std::string MakerUrl(const char* path);

// "a.b.c.d" from the file version halves of a fixed version block (dwFileVersionMS/LS):
// high and low word of the most significant half, then of the least significant half.
std::string VersionText(uint32_t versionMS, uint32_t versionLS);

// The About window's version line: "Version " + v, or "Version 1.0.0.x" without a version.
std::string AboutVersionLine(const std::string& version);

// The body of the update file as far as it matters. A version text is a few bytes, so only
// the first kLimit bytes are kept; a longer body is certainly a different text and is shown
// cut. Feed stops taking bytes once it knows the body is longer than the limit.
class UpdateBody {
public:
    static constexpr std::size_t kLimit = 256;

    // Takes the next piece; returns how many of its bytes were kept.
    std::size_t Feed(const char* data, std::size_t size);
    // True once the body is known to be longer than kLimit: read no further.
    bool Full() const { return cut_; }
    // The kept bytes, exactly as received.
    const std::string& Text() const { return text_; }
    bool Cut() const { return cut_; }
    // How many bytes a read should ask for next (one more than the room left, so that a body
    // of exactly kLimit bytes is told from a longer one).
    std::size_t Wanted() const { return kLimit + 1 - text_.size(); }

private:
    std::string text_;
    bool cut_ = false;
};

// What the answer means for the user.
enum class UpdateVerdict { Latest, Available };

// Byte-for-byte equality of the whole body with the program's version; a cut body always
// differs (also when the running version is newer, any difference offers the update), and
// without a version of its own (empty `mine`) the program always offers it.
UpdateVerdict DecideUpdate(const std::string& mine, const UpdateBody& latest);

// The message boxes' titles and texts. The line breaks are a line feed followed by a carriage
// return.
extern const char kNoUpdateTitle[];
extern const char kNoUpdateText[];
extern const char kUpdateTitle[];
extern const char kUnableTitle[];
// The update offer; `latest` is shown as received, NUL bytes as '?' (a message box ends its
// text at the first one).
std::string UpdateAvailableText(const std::string& mine, const std::string& latest);
std::string UnableToConnectText(const std::string& error);

// The error text of a failed request when the system has none of its own: the common WinINet
// codes in words, any other code as "Internet error N".
std::string InternetErrorText(unsigned long code);
// The error text of an HTTP answer other than 200: "HTTP/1.1 404 Not Found". `version` and
// `reason` are as the server sent them and may be empty.
std::string HttpStatusText(const std::string& version, unsigned long status, const std::string& reason);

// WinINet's code for a time-out, used when the whole request runs out of time.
constexpr unsigned long kTimeoutError = 12002;

// The code to report for a call that failed with `code` after `elapsedMs` under a time-out of
// `timeoutMs`: a call that failed only once its time was up timed out, whatever the client
// says (some WinINet implementations report a receive time-out as a closed connection).
unsigned long FailureCode(unsigned long code, unsigned long elapsedMs, unsigned long timeoutMs);

}  // namespace app
