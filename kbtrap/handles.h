// kbtrap: owners for the Windows handles the library holds.
#pragma once
#include <windows.h>

#include <utility>

namespace kbtrap {

// Owns a value released by Close(value) unless it equals Invalid().
template <typename T, typename Traits>
class Owned {
public:
    Owned() = default;
    explicit Owned(T v) : v_(v) {}
    ~Owned() { reset(); }
    Owned(Owned&& o) noexcept : v_(std::exchange(o.v_, Traits::Invalid())) {}
    Owned& operator=(Owned&& o) noexcept {
        if (this != &o) {
            reset();
            v_ = std::exchange(o.v_, Traits::Invalid());
        }
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    T get() const { return v_; }
    explicit operator bool() const { return v_ != Traits::Invalid(); }
    void reset(T v = Traits::Invalid()) {
        if (v_ != Traits::Invalid()) Traits::Close(v_);
        v_ = v;
    }
    // Gives up ownership without closing.
    T release() { return std::exchange(v_, Traits::Invalid()); }

private:
    T v_ = Traits::Invalid();
};

struct HandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct SnapshotTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct ViewTraits {
    static void* Invalid() { return nullptr; }
    static void Close(void* p) { UnmapViewOfFile(p); }
};
struct KeyTraits {
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY k) { RegCloseKey(k); }
};
struct HookTraits {
    static HHOOK Invalid() { return nullptr; }
    static void Close(HHOOK h) { UnhookWindowsHookEx(h); }
};
struct WinEventTraits {
    static HWINEVENTHOOK Invalid() { return nullptr; }
    static void Close(HWINEVENTHOOK h) { UnhookWinEvent(h); }
};

using UniqueHandle = Owned<HANDLE, HandleTraits>;
using UniqueSnapshot = Owned<HANDLE, SnapshotTraits>;
using MappedView = Owned<void*, ViewTraits>;
using RegKey = Owned<HKEY, KeyTraits>;
using HookHandle = Owned<HHOOK, HookTraits>;
using WinEventHook = Owned<HWINEVENTHOOK, WinEventTraits>;

}  // namespace kbtrap
