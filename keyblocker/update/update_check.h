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
// The time-out the next requests use (tests shorten it).
DWORD UpdateTimeoutMs();
void SetUpdateTimeoutMs(DWORD ms);

// Requests the update file and decides. Blocks the calling thread until the answer, a
// failure or the time-out.
UpdateOutcome RequestUpdateInfo(const ProgramVersion& program);

}  // namespace kq
