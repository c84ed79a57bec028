#include "monitor/details/ip_watch.h"

#include <exception>
#include <stdexcept>

#include "monitor/details/system_probe_win.h"
#include "monitor/ui/form.h"

namespace details {

namespace {
constexpr UINT kStatusChanged = WM_APP + 0x120;
constexpr const char* kWindowClass = "TIdIPWatch";
}  // namespace

std::string IdIPWatch::SystemLocalAddress() {
    try {
        return LocalAddress(ReadAddressRows());
    } catch (const std::exception&) {
        return std::string();  // no table this second: no address
    }
}

IdIPWatch::IdIPWatch(Probe probe) : probe_(std::move(probe)) {}

IdIPWatch::~IdIPWatch() { SetActive(false); }

std::string IdIPWatch::CurrentIP() const {
    std::lock_guard<std::mutex> hold(ipLock_);
    return currentIP_;
}

void IdIPWatch::SetActive(bool on) {
    if (on == Active()) return;
    if (!on) {
        SetEvent(stop_.get());
        WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
        stop_.reset();
        threadId_ = 0;
        window_.reset();  // a change posted meanwhile goes with the window
        return;
    }
    const HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = &IdIPWatch::WindowProc;
    wc.hInstance = inst;
    wc.lpszClassName = kWindowClass;
    RegisterClassA(&wc);  // already there for a second watcher: fine
    window_.reset(CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, inst, nullptr));
    if (!window_) throw std::runtime_error("The address watcher cannot create its window.");
    SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    stop_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    interval_ = WatchInterval;
    state_ = OnlineState();
    thread_.reset(CreateThread(nullptr, 0, &IdIPWatch::ThreadMain, this, 0, &threadId_));
    if (!stop_ || !thread_) {
        thread_.reset();
        stop_.reset();
        window_.reset();
        threadId_ = 0;
        throw std::runtime_error("The address watcher cannot start its thread.");
    }
}

DWORD WINAPI IdIPWatch::ThreadMain(void* self) {
    static_cast<IdIPWatch*>(self)->Watch();
    return 0;
}

void IdIPWatch::Watch() {
    const HWND target = window_.get();
    do {
        std::string address;
        try {
            address = probe_();
        } catch (...) {
            address.clear();
        }
        const bool flipped = state_.Update(address);
        online_ = state_.Online();
        {
            std::lock_guard<std::mutex> hold(ipLock_);
            currentIP_.swap(address);
        }
        if (flipped) PostMessageA(target, kStatusChanged, 0, 0);
    } while (WaitForSingleObject(stop_.get(), interval_) == WAIT_TIMEOUT);
}

LRESULT CALLBACK IdIPWatch::WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kStatusChanged) {
        auto* self = reinterpret_cast<IdIPWatch*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
        if (self && self->Active() && self->OnStatusChanged) ui::Guarded([&] { self->OnStatusChanged(); });
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

}  // namespace details
