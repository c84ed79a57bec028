#include "monitor/app/update_core.h"

#include <algorithm>

namespace app {

const char kMakerHost[] = "www.corvane-soft.com";
const char kUpdateFilePath[] = "/update/corvanestatwell2.txt";
const char kDownloadPagePath[] = "/download.shtml";

const char kNoUpdateTitle[] = "No Update Available";
const char kNoUpdateText[] = "You have the latest version.";
const char kUpdateTitle[] = "Update Available";
const char kUnableTitle[] = "Unable to Connect";

std::string MakerUrl(const char* path) { return std::string("http://") + kMakerHost + path; }

std::string VersionText(uint32_t versionMS, uint32_t versionLS) {
    return std::to_string(versionMS >> 16) + "." + std::to_string(versionMS & 0xFFFF) + "." +
           std::to_string(versionLS >> 16) + "." + std::to_string(versionLS & 0xFFFF);
}

std::string AboutVersionLine(const std::string& version) {
    return "Version " + (version.empty() ? std::string("1.0.0.x") : version);
}

std::size_t UpdateBody::Feed(const char* data, std::size_t size) {
    if (cut_) return 0;
    const std::size_t room = kLimit - text_.size();
    const std::size_t take = std::min(room, size);
    text_.append(data, take);
    if (size > room) cut_ = true;
    return take;
}

UpdateVerdict DecideUpdate(const std::string& mine, const UpdateBody& latest) {
    return !mine.empty() && !latest.Cut() && latest.Text() == mine ? UpdateVerdict::Latest
                                                                   : UpdateVerdict::Available;
}

std::string UpdateAvailableText(const std::string& mine, const std::string& latest) {
    std::string shown = latest;
    std::replace(shown.begin(), shown.end(), '\0', '?');
    return "An update is available.  Your version is " + mine + "\n\r" + "The latest version is " + shown +
           "\n\r" + "\n\r" + "Would you like to download the latest version?";
}

std::string UnableToConnectText(const std::string& error) {
    return "Unable to connect to the Corvane Software\n\rWebsite.  Please check that you have an\n\r"
           "active Internet connection.\n\r\n\rError: " +
           error;
}

std::string InternetErrorText(unsigned long code) {
    switch (code) {
    case 12002: return "The operation timed out";
    case 12005: return "The URL is invalid";
    case 12007: return "The server name or address could not be resolved";
    case 12029: return "A connection with the server could not be established";
    case 12030: return "The connection with the server was terminated abnormally";
    case 12031: return "The connection with the server was reset";
    case 12152: return "The server returned an invalid or unrecognized response";
    default: return "Internet error " + std::to_string(code);
    }
}

unsigned long FailureCode(unsigned long code, unsigned long elapsedMs, unsigned long timeoutMs) {
    // A little slack: the client's own clock runs from slightly later than ours.
    constexpr unsigned long kSlackMs = 250;
    return elapsedMs + kSlackMs >= timeoutMs ? kTimeoutError : code;
}

std::string HttpStatusText(const std::string& version, unsigned long status, const std::string& reason) {
    std::string s = (version.empty() ? std::string("HTTP/1.1") : version) + " " + std::to_string(status);
    if (!reason.empty()) s += " " + reason;
    return s;
}

}  // namespace app
