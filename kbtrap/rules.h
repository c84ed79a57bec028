// kbtrap: the decisions of the logo-key filter, over plain data (no Windows headers).
#pragma once
#include <cstdint>

namespace kbtrap {

// Stored blocking modes (registry value WhenToBlock).
enum Mode : int {
    kModeNever = 0,
    kModeFullScreenGame = 1,
    kModeFullScreenAny = 2,
    kModeAlways = 3,
};
// The mode in force when nothing valid is stored; the program shows the same default.
constexpr int kDefaultMode = kModeFullScreenGame;

// The registry value type REG_DWORD, repeated here so the rule needs no Windows header.
constexpr std::uint32_t kRegDword = 4;

// Turns the result of reading WhenToBlock into a mode: only a successful read of a 4-byte
// REG_DWORD holding 0..3 counts; anything else gives kDefaultMode.
int ModeFromStored(bool readOk, std::uint32_t type, std::uint32_t size, std::uint32_t value);

struct Rect {
    long left = 0, top = 0, right = 0, bottom = 0;
};

// True when the (non-empty) area covers all of the (non-empty) monitor rectangle.
bool CoversMonitor(const Rect& area, const Rect& monitor);

// Window classes of the desktop and of the shell, which never count as full-screen
// applications: "Progman", "WorkerW", "Shell_TrayWnd" and the desktop window "#32769".
bool IsShellClassName(const char* className);

// True when a module file name (with or without folders) is one of the graphics runtimes
// that mark a game: Direct3D 8-12, DXGI, DirectDraw, OpenGL or Vulkan.
bool IsGraphicsModuleName(const char* fileName);

// What is known about the foreground window when a logo key arrives.
struct ForegroundFacts {
    bool present = false;         // there is a foreground window at all
    bool shellOrDesktop = false;  // it is the desktop or a window of the shell
    bool minimized = false;
    bool coversMonitor = false;  // its client area covers the whole monitor it is on
    bool game = false;           // its process has loaded a graphics runtime
    bool d3dFullScreen = false;  // the shell reports a Direct3D full-screen application
};

// A full-screen application is in the foreground.
bool IsFullScreenApp(const ForegroundFacts& f);
// A full-screen game is in the foreground.
bool IsFullScreenGame(const ForegroundFacts& f);
// The verdict for a logo key under a mode (any value outside 0..3 acts as kDefaultMode).
bool ShouldBlock(int mode, const ForegroundFacts& f);

// Keeps the down and up of each logo key together: the release of a key goes the same way
// as its press, so a change of verdict while the key is held never leaves the system with
// a key held down for good, nor sends a lone release.
class LogoKeyGate {
public:
    // key: 0 for the left logo key, 1 for the right one. Returns true to swallow the event.
    bool OnKey(int key, bool up, bool blockNow);

private:
    enum State : unsigned char { kIdle, kPassedDown, kBlockedDown };
    State state_[2] = {kIdle, kIdle};
};

// When to look at a process's modules again: for a new foreground process; and, for a
// process that did not look like a game, again after recheckMs (games often load their
// graphics runtime after their first window appears). A game stays a game.
class GameVerdictCache {
public:
    explicit GameVerdictCache(std::uint32_t recheckMs = 3000) : recheckMs_(recheckMs) {}
    bool NeedsCheck(std::uint32_t pid, std::uint32_t nowMs) const;
    void Store(std::uint32_t pid, bool game, std::uint32_t nowMs);
    bool IsGame(std::uint32_t pid) const { return valid_ && pid_ == pid && game_; }
    void Clear() { valid_ = false; }

private:
    std::uint32_t recheckMs_;
    bool valid_ = false;
    std::uint32_t pid_ = 0;
    bool game_ = false;
    std::uint32_t checkedAt_ = 0;
};

}  // namespace kbtrap
