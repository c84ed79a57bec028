// TfrmStopWatch: the Network Stopwatch window. Times a run of up to a day in tenths of a
// second and shows the current, average, maximum and total download and upload figures of
// the interface the monitor watches. The decisions are StopwatchRun (stopwatch_core.h).
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "monitor/stopwatch/stopwatch_core.h"
#include "monitor/ui/buttons.h"
#include "monitor/ui/control.h"
#include "monitor/ui/form.h"
#include "monitor/ui/hyperbutton.h"
#include "widgets/vrnum.h"

namespace stopwatch {

// A monotonic millisecond clock (the performance counter by default).
class Clock {
public:
    virtual std::uint64_t NowMs() = 0;

protected:
    ~Clock() = default;
};

// The colon and decimal-point pictures between the time digits, in the digits' lit colour.
class TimeSeparator : public ui::Control {
public:
    enum Kind { Colon, Point };
    explicit TimeSeparator(Kind k) : kind_(k) {}
    void SetDotColor(COLORREF c) {
        dot_ = c;
        Invalidate();
    }
    void PaintSelf(HDC dc, const ui::Rect& r) override;

private:
    Kind kind_;
    COLORREF dot_ = 0;
};

// A value of the table: a sunken cell with its figure centred.
class ValuePanel : public ui::Panel {
public:
    void PaintSelf(HDC dc, const ui::Rect& r) override;
};

constexpr int kClientWidth = 291;
constexpr int kClientHeight = 147;
constexpr COLORREF kValueColour = 15263976;
constexpr COLORREF kDigitLow = 0x800000;  // clNavy
constexpr COLORREF kDigitHigh = 16751001;

class TfrmStopWatch : public ui::Form {
public:
    // `counters` and `clock` default to the interface table (through AdapterIndex) and the
    // performance counter.
    explicit TfrmStopWatch(CounterSource* counters = nullptr, Clock* clock = nullptr);
    ~TfrmStopWatch() override;

    // The monitor's interface choice (the "Adapter" setting), asked at every reading.
    std::function<std::int32_t()> AdapterIndex;

    // Creation handler: the window (hidden), its controls, always on top.
    void FormCreate();

    // ---- controls
    ui::HyperButton btnStart;
    ui::Panel pnlTime;
    ui::Hosted<widgets::TVrNum> lcdHour, lcdMin, lcdSec, lcdMSec;
    TimeSeparator imgColon1{TimeSeparator::Colon}, imgColon2{TimeSeparator::Colon},
        imgPoint{TimeSeparator::Point};
    ui::Label lblDownload, lblUpload, lblNow, lblAvg, lblMax, lblTotal;
    ValuePanel pnlNowDown, pnlNowUp, pnlAvgDown, pnlAvgUp, pnlMaxDown, pnlMaxUp, pnlTotalDown, pnlTotalUp;
    ui::CheckBox cbTop;
    ui::Timer Timer;
    ui::Font fontForm;

    // ---- handlers
    void btnStartClick();
    void TimerTimer();
    void cbTopClick(ui::Control& sender);
    // Always on top: on or off, keeping the window where it is.
    void SetAlwaysOnTop(bool on);
    bool AlwaysOnTop() const;
    // Shows the window; the first time it is centred on the desktop.
    void SetVisible(bool v) override;

    const StopwatchRun& Run() const { return run_; }

protected:
    // A resume from sleep makes the next reading a new base.
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    // Closing stops a run and only hides the window.
    bool CloseQuery() override;

private:
    void BuildControls();
    void ShowTime();
    void ShowFigures();
    void SetFigure(ui::Panel& p, double value);

    class TableCounters;
    class PerformanceClock;
    std::unique_ptr<TableCounters> ownCounters_;
    std::unique_ptr<PerformanceClock> ownClock_;
    CounterSource* counters_;
    Clock* clock_;
    StopwatchRun run_;
    bool placed_ = false;
};

}  // namespace stopwatch
