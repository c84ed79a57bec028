#include "kbtrap/rules.h"

#include <cctype>
#include <cstring>

namespace kbtrap {
namespace {

bool EqualsNoCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b)))
            return false;
    }
    return *a == *b;
}

const char* BaseName(const char* path) {
    const char* base = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':') base = p + 1;
    }
    return base;
}

bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

int ModeFromStored(bool readOk, std::uint32_t type, std::uint32_t size, std::uint32_t value) {
    if (!readOk || type != kRegDword || size != 4 || value > kModeAlways) return kDefaultMode;
    return static_cast<int>(value);
}

bool CoversMonitor(const Rect& area, const Rect& monitor) {
    if (IsEmpty(area) || IsEmpty(monitor)) return false;
    return area.left <= monitor.left && area.top <= monitor.top && area.right >= monitor.right &&
           area.bottom >= monitor.bottom;
}

bool IsShellClassName(const char* className) {
    if (!className) return false;
    static const char* const kShell[] = {"Progman", "WorkerW", "Shell_TrayWnd", "#32769"};
    for (const char* s : kShell) {
        if (EqualsNoCase(className, s)) return true;
    }
    return false;
}

bool IsGraphicsModuleName(const char* fileName) {
    if (!fileName) return false;
    static const char* const kGraphics[] = {
        "d3d8.dll",  "d3d9.dll", "d3d10.dll", "d3d10_1.dll",  "d3d11.dll",
        "d3d12.dll", "dxgi.dll", "ddraw.dll", "opengl32.dll", "vulkan-1.dll",
    };
    const char* base = BaseName(fileName);
    for (const char* g : kGraphics) {
        if (EqualsNoCase(base, g)) return true;
    }
    return false;
}

bool IsFullScreenApp(const ForegroundFacts& f) {
    if (f.d3dFullScreen) return true;
    return f.present && !f.shellOrDesktop && !f.minimized && f.coversMonitor;
}

bool IsFullScreenGame(const ForegroundFacts& f) {
    if (f.d3dFullScreen) return true;
    return IsFullScreenApp(f) && f.game;
}

bool ShouldBlock(int mode, const ForegroundFacts& f) {
    if (mode < kModeNever || mode > kModeAlways) mode = kDefaultMode;
    switch (mode) {
    case kModeNever: return false;
    case kModeFullScreenGame: return IsFullScreenGame(f);
    case kModeFullScreenAny: return IsFullScreenApp(f);
    default: return true;
    }
}

bool LogoKeyGate::OnKey(int key, bool up, bool blockNow) {
    if (key < 0 || key > 1) return false;
    State& s = state_[key];
    if (up) {
        // A release whose press was not seen passes: that cannot leave the key held.
        bool block = s == kBlockedDown;
        s = kIdle;
        return block;
    }
    if (s == kIdle) s = blockNow ? kBlockedDown : kPassedDown;
    return s == kBlockedDown;  // repeats follow the first press
}

bool GameVerdictCache::NeedsCheck(std::uint32_t pid, std::uint32_t nowMs) const {
    if (!valid_ || pid_ != pid) return true;
    if (game_) return false;
    return static_cast<std::uint32_t>(nowMs - checkedAt_) >= recheckMs_;
}

void GameVerdictCache::Store(std::uint32_t pid, bool game, std::uint32_t nowMs) {
    valid_ = true;
    pid_ = pid;
    game_ = game;
    checkedAt_ = nowMs;
}

}  // namespace kbtrap
