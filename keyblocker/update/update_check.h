// The update request: fetches the first line of the update file from the maker's web
// server through WinINet with the system's proxy settings, and compares it with the
// program's own version.
#pragma once
#include <windows.h>

#include <string>

#include "keyblocker/update/update_rule.h"

namespace kq {

// The maker's web server and the paths on it.
extern const char kMakerHost[];
extern const char kUpdateFilePath[];
extern const char kProductPagePath[];
extern const char kHomePagePath[];

// "http://" + maker's host + path.
std::string MakerUrl(const char* path);

// The product version of the program's own version resource, read on first use.
const ProgramVersion& OwnProgramVersion();

// Time allowed for connecting and for each receive, in milliseconds.
constexpr DWORD kDefaultUpdateTimeoutMs = 15000;
// Time allowed for the whole request, from connecting to the last byte read: a server
// that sends a byte now and then never lets a per-receive time-out expire.
constexpr DWORD kDefaultUpdateBoundMs = 20000;
// The time-outs the next requests use (tests shorten them).
DWORD UpdateTimeoutMs();
void SetUpdateTimeoutMs(DWORD ms);
DWORD UpdateBoundMs();
void SetUpdateBoundMs(DWORD ms);

// Requests the update file and decides. The request runs on a thread of its own; the
// calling thread waits for the answer, a failure or the whole-request bound (then Failed)
// and meanwhile dispatches its messages, so that its windows keep painting and answering.
UpdateOutcome RequestUpdateInfo(const ProgramVersion& program);

}  // namespace kq
