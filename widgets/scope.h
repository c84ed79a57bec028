// TVrScope: an oscilloscope-style strip chart. On every tick of its own timer it asks its owner
// for one value per channel (OnNeedData), keeps a history per channel and draws the histories
// as polylines scrolling from right to left over a grid. What it draws is decided in
// scope_core.h; this side runs the timer and draws through GDI into the widget's off-screen
// buffer.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "widgets/offscreen.h"
#include "widgets/pixels.h"
#include "widgets/scope_core.h"
#include "widgets/widget.h"

namespace widgets {

class TVrScope;

// A GDI pen made when first asked for and deleted with its owner or on Reset.
class ScopePen {
public:
    ScopePen() = default;
    ~ScopePen() { Reset(); }
    ScopePen(const ScopePen&) = delete;
    ScopePen& operator=(const ScopePen&) = delete;
    HPEN Get(Colour colour, int width) {
        if (!pen_) pen_ = CreatePen(PS_SOLID, width, colour);
        return pen_;
    }
    void Reset() {
        if (pen_) DeleteObject(pen_);
        pen_ = nullptr;
    }

private:
    HPEN pen_ = nullptr;
};

// One plotted series of a scope. Any change repaints the scope.
class TVrChannel {
public:
    explicit TVrChannel(TVrScope& owner) : owner_(&owner) {}
    TVrChannel(const TVrChannel&) = delete;
    TVrChannel& operator=(const TVrChannel&) = delete;

    Colour Color() const { return look_.color; }
    void SetColor(Colour c);
    int Width() const { return look_.width; }
    void SetWidth(int w);
    TGraphStyle Style() const { return look_.style; }
    void SetStyle(TGraphStyle s);
    // Takes another channel's colour, width and style.
    void Assign(const TVrChannel& other);

    const scope::ChannelLook& Look() const { return look_; }
    HPEN Pen();

private:
    void Changed();
    TVrScope* owner_;
    scope::ChannelLook look_;
    ScopePen pen_;
};

// The ordered channels of a scope, owned by it.
class TVrChannels {
public:
    explicit TVrChannels(TVrScope& owner) : owner_(owner) {}
    int Count() const { return static_cast<int>(items_.size()); }
    TVrChannel& operator[](int i) { return *items_[static_cast<std::size_t>(i)]; }
    const TVrChannel& operator[](int i) const { return *items_[static_cast<std::size_t>(i)]; }
    TVrChannel& Add();
    void Delete(int i);
    void Clear();
    // Copies the items of `other` (their looks; the histories here are kept for the channels
    // that stay).
    void Assign(const TVrChannels& other);
    int IndexOf(const TVrChannel& c) const;

private:
    TVrScope& owner_;
    std::vector<std::unique_ptr<TVrChannel>> items_;
};

class TVrScope : public Widget {
public:
    static constexpr int kDefaultWidth = 137;
    static constexpr int kDefaultHeight = 249;

    TVrScope();
    ~TVrScope() override;
    TVrScope(const TVrScope&) = delete;
    TVrScope& operator=(const TVrScope&) = delete;

    // The timer runs while Active. Starting a window timer that the system refuses raises
    // std::runtime_error("No timer resources left.").
    bool Active() const { return active_; }
    void SetActive(bool v);
    // Milliseconds; 0 or less: no ticks while it stays so.
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    // True: a timer thread waits the interval and then has the tick run on the user-interface
    // thread; false: a window timer.
    bool Threaded() const { return threaded_; }
    void SetThreaded(bool v);

    // Refused unless MinValue stays below MaxValue; an accepted change clears every history.
    ScopeInt MinValue() const { return model_.MinValue(); }
    void SetMinValue(ScopeInt v);
    ScopeInt MaxValue() const { return model_.MaxValue(); }
    void SetMaxValue(ScopeInt v);

    TVrChannels& Channels() { return channels_; }
    const TVrChannels& Channels() const { return channels_; }
    void SetChannels(const TVrChannels& c) { channels_.Assign(c); }

    int GridSize() const { return model_.GridSize(); }
    void SetGridSize(int v);
    int GridLineWidth() const { return model_.GridLineWidth(); }
    void SetGridLineWidth(int v);
    Colour GridColor() const { return gridColor_; }
    void SetGridColor(Colour c);
    // Percent of the height from the bottom, 0..100.
    int BaseOffset() const { return model_.BaseOffset(); }
    void SetBaseOffset(int v);
    Colour BaseColor() const { return baseColor_; }
    void SetBaseColor(Colour c);
    // Pixels between samples, and the grid's scroll per tick.
    int Frequency() const { return model_.Frequency(); }
    void SetFrequency(int v);
    int BufferSize() const { return model_.BufferSize(); }
    void SetBufferSize(int v) { model_.SetBufferSize(v); }
    bool AnimateGrid() const { return model_.AnimateGrid(); }
    void SetAnimateGrid(bool v) { model_.SetAnimateGrid(v); }
    Colour Color() const { return color_; }
    void SetColor(Colour c) { Set(color_, c); }
    // The pixels under the widget are its background instead of Color.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v) { Set(transparent_, v); }

    // Supplies channel `channel`'s value for this tick; `value` starts at MinValue and is
    // clamped into MinValue..MaxValue afterwards.
    std::function<void(TVrScope& sender, int channel, int& value)> OnNeedData;
    // An exception that escaped OnNeedData during a timer tick; by default a modal error box.
    std::function<void(const char* text)> OnError;

    // One tick: grid, one value per channel, repaint. The timer runs it; tests may too.
    void Tick();

    const scope::Model& Model() const { return model_; }
    int GridOffset() const { return model_.GridOffset(); }

    void Paint(HDC dc, const RECT& bounds) override;
    bool Opaque() const override { return !transparent_; }

    // For TVrChannel and TVrChannels.
    void ChannelsChanged();
    scope::Model& MutableModel() { return model_; }

private:
    class Ticker;
    void Restart();
    void TimerTick();

    scope::Model model_;
    TVrChannels channels_{*this};
    bool active_ = false;
    int interval_ = 100;
    bool threaded_ = true;
    Colour gridColor_ = 0x008000;
    Colour baseColor_ = 0x00FF00;
    Colour color_ = 0x000000;
    bool transparent_ = false;
    bool painting_ = false;
    bool reporting_ = false;
    std::unique_ptr<Ticker> ticker_;
    scope::Frame frame_;
    Offscreen offscreen_;
    ScopePen gridPen_;
    ScopePen basePen_;
};

}  // namespace widgets
