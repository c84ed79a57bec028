#include "widgets/scope.h"

#include <atomic>
#include <stdexcept>

namespace widgets {

// ---- TVrChannel

void TVrChannel::Changed() {
    pen_.Reset();
    owner_->ChannelsChanged();
}

void TVrChannel::SetColor(Colour c) {
    if (c == look_.color) return;
    look_.color = c;
    Changed();
}

void TVrChannel::SetWidth(int w) {
    if (w < 0 || w == look_.width) return;
    look_.width = w;
    Changed();
}

void TVrChannel::SetStyle(TGraphStyle s) {
    if ((s != gsLine && s != gsBar) || s == look_.style) return;
    look_.style = s;
    Changed();
}

void TVrChannel::Assign(const TVrChannel& other) {
    look_ = other.look_;
    Changed();
}

HPEN TVrChannel::Pen() { return pen_.Get(look_.color, look_.width); }

// ---- TVrChannels

TVrChannel& TVrChannels::Add() {
    owner_.MutableModel().InsertChannel(items_.size());
    items_.push_back(std::make_unique<TVrChannel>(owner_));
    owner_.ChannelsChanged();
    return *items_.back();
}

void TVrChannels::Delete(int i) {
    if (i < 0 || i >= Count()) return;
    owner_.MutableModel().RemoveChannel(static_cast<std::size_t>(i));
    items_.erase(items_.begin() + i);
    owner_.ChannelsChanged();
}

void TVrChannels::Clear() {
    while (Count() > 0) Delete(Count() - 1);
}

void TVrChannels::Assign(const TVrChannels& other) {
    if (&other == this) return;
    while (Count() > other.Count()) Delete(Count() - 1);
    while (Count() < other.Count()) Add();
    for (int i = 0; i < Count(); ++i) items_[static_cast<std::size_t>(i)]->Assign(other[i]);
}

int TVrChannels::IndexOf(const TVrChannel& c) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == &c) return static_cast<int>(i);
    return -1;
}

// ---- the timer

// A message-only window receives the ticks: WM_TIMER from a window timer, or a posted message
// from the timer thread, so the tick always runs on the thread that made the scope.
class TVrScope::Ticker {
public:
    Ticker(TVrScope& scope, int interval, bool threaded) : scope_(scope) {
        static const char kClass[] = "TVrScopeTimer";
        const HINSTANCE inst = GetModuleHandleA(nullptr);
        WNDCLASSA wc{};
        if (!GetClassInfoA(inst, kClass, &wc)) {
            wc = {};
            wc.lpfnWndProc = &Ticker::Proc;
            wc.hInstance = inst;
            wc.lpszClassName = kClass;
            RegisterClassA(&wc);
        }
        wnd_ = CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, inst, nullptr);
        if (!wnd_) throw std::runtime_error("No timer resources left.");
        SetWindowLongPtrA(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        const UINT ms = static_cast<UINT>(interval);
        if (threaded) {
            stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
            interval_ = ms;
            if (stop_) thread_ = CreateThread(nullptr, 0, &Ticker::Wait, this, 0, nullptr);
            if (!thread_) {
                Release();
                throw std::runtime_error("No timer resources left.");
            }
        } else if (!SetTimer(wnd_, kTimerId, ms, nullptr)) {
            Release();
            throw std::runtime_error("No timer resources left.");
        }
    }
    ~Ticker() { Release(); }
    Ticker(const Ticker&) = delete;
    Ticker& operator=(const Ticker&) = delete;

private:
    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kThreadTick = WM_APP + 1;

    void Release() {
        if (thread_) {
            SetEvent(stop_);
            WaitForSingleObject(thread_, INFINITE);
            CloseHandle(thread_);
            thread_ = nullptr;
        }
        if (stop_) {
            CloseHandle(stop_);
            stop_ = nullptr;
        }
        if (wnd_) {
            KillTimer(wnd_, kTimerId);
            SetWindowLongPtrA(wnd_, GWLP_USERDATA, 0);
            DestroyWindow(wnd_);
            wnd_ = nullptr;
        }
    }

    static DWORD WINAPI Wait(void* p) {
        auto* t = static_cast<Ticker*>(p);
        while (WaitForSingleObject(t->stop_, t->interval_) == WAIT_TIMEOUT) {
            // One tick waits at a time: a busy user-interface thread does not pile them up.
            if (!t->pending_.exchange(true) && !PostMessageA(t->wnd_, kThreadTick, 0, 0)) t->pending_ = false;
        }
        return 0;
    }

    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto* t = reinterpret_cast<Ticker*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
        if (t && ((msg == WM_TIMER && wp == kTimerId) || msg == kThreadTick)) {
            if (msg == kThreadTick) t->pending_ = false;
            t->scope_.TimerTick();
            return 0;
        }
        return DefWindowProcA(wnd, msg, wp, lp);
    }

    TVrScope& scope_;
    HWND wnd_ = nullptr;
    HANDLE stop_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD interval_ = 0;
    std::atomic<bool> pending_{false};
};

// ---- TVrScope

TVrScope::TVrScope() = default;

TVrScope::~TVrScope() { ticker_.reset(); }

void TVrScope::Restart() {
    ticker_.reset();
    // As with any timer, an interval of 0 or less gives no ticks (not a busy stream of them).
    if (active_ && interval_ > 0) ticker_ = std::make_unique<Ticker>(*this, interval_, threaded_);
}

void TVrScope::SetActive(bool v) {
    if (v == active_) return;
    active_ = v;
    try {
        Restart();
    } catch (...) {
        active_ = false;
        throw;
    }
}

void TVrScope::SetInterval(int ms) {
    if (ms == interval_) return;
    interval_ = ms;
    if (active_) Restart();
}

void TVrScope::SetThreaded(bool v) {
    if (v == threaded_) return;
    threaded_ = v;
    if (active_) Restart();
}

void TVrScope::SetMinValue(ScopeInt v) {
    const ScopeInt old = model_.MinValue();
    if (model_.SetMinValue(v) && v != old) Invalidate();
}

void TVrScope::SetMaxValue(ScopeInt v) {
    const ScopeInt old = model_.MaxValue();
    if (model_.SetMaxValue(v) && v != old) Invalidate();
}

void TVrScope::SetGridSize(int v) {
    if (model_.SetGridSize(v)) Invalidate();
}

void TVrScope::SetGridLineWidth(int v) {
    if (!model_.SetGridLineWidth(v)) return;
    gridPen_.Reset();
    basePen_.Reset();
    Invalidate();
}

void TVrScope::SetGridColor(Colour c) {
    if (c == gridColor_) return;
    gridColor_ = c;
    gridPen_.Reset();
    Invalidate();
}

void TVrScope::SetBaseOffset(int v) {
    if (model_.SetBaseOffset(v)) Invalidate();
}

void TVrScope::SetBaseColor(Colour c) {
    if (c == baseColor_) return;
    baseColor_ = c;
    basePen_.Reset();
    Invalidate();
}

void TVrScope::SetFrequency(int v) {
    if (model_.SetFrequency(v)) Invalidate();
}

void TVrScope::ChannelsChanged() {
    for (int i = 0; i < channels_.Count() && static_cast<std::size_t>(i) < model_.ChannelCount(); ++i)
        model_.Look(static_cast<std::size_t>(i)) = channels_[i].Look();
    Invalidate();
}

void TVrScope::Tick() {
    model_.Tick([this](std::size_t channel, ScopeInt& v) {
        if (!OnNeedData) return;
        int value = v;
        OnNeedData(*this, static_cast<int>(channel), value);
        v = value;
    });
    if (!painting_) Invalidate();
}

void TVrScope::TimerTick() {
    try {
        Tick();
    } catch (const std::exception& e) {
        if (OnError) {
            OnError(e.what());
        } else if (!reporting_) {
            reporting_ = true;
            MessageBoxA(nullptr, e.what(), "Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
            reporting_ = false;
        }
    }
}

void TVrScope::Paint(HDC dc, const RECT& bounds) {
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (w <= 0 || h <= 0 || !offscreen_.Ensure(w, h)) return;
    painting_ = true;
    HDC mem = offscreen_.Dc();
    const RECT all{0, 0, w, h};
    if (transparent_) {
        BitBlt(mem, 0, 0, w, h, dc, bounds.left, bounds.top, SRCCOPY);
    } else {
        SetBkColor(mem, color_);
        ExtTextOutA(mem, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    }
    model_.Layout(w, h, frame_);
    const int penWidth = model_.GridLineWidth();
    SetROP2(mem, R2_COPYPEN);
    const HGDIOBJ oldPen = SelectObject(mem, gridPen_.Get(gridColor_, penWidth));
    for (const scope::Segment& s : frame_.grid) {
        MoveToEx(mem, s.x0, s.y0, nullptr);
        LineTo(mem, s.x1, s.y1);
    }
    SelectObject(mem, basePen_.Get(baseColor_, penWidth));
    MoveToEx(mem, frame_.base.x0, frame_.base.y0, nullptr);
    LineTo(mem, frame_.base.x1, frame_.base.y1);
    static_assert(sizeof(scope::Point) == sizeof(POINT), "points are passed to Polyline as they are");
    for (int i = channels_.Count() - 1; i >= 0; --i) {
        const std::vector<scope::Point>& pts = frame_.lines[static_cast<std::size_t>(i)];
        if (pts.size() < 2) continue;
        SelectObject(mem, channels_[i].Pen());
        Polyline(mem, reinterpret_cast<const POINT*>(pts.data()), static_cast<int>(pts.size()));
    }
    SelectObject(mem, oldPen);
    BitBlt(dc, bounds.left, bounds.top, w, h, mem, 0, 0, SRCCOPY);
    painting_ = false;
}

}  // namespace widgets
