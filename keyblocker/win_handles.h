// Owners for the Windows handles kqel holds.
#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>

namespace kq {

struct HandleCloser {
    void operator()(HANDLE h) const {
        if (h) CloseHandle(h);
    }
};
struct IconDestroyer {
    void operator()(HICON h) const {
        if (h) DestroyIcon(h);
    }
};
struct MenuDestroyer {
    void operator()(HMENU h) const {
        if (h) DestroyMenu(h);
    }
};

using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

}  // namespace kq
