// The Network Stopwatch's decisions over plain data: the run's clock, its whole-second
// readings of the interface counters and the four figures shown for each direction.
//
// The elapsed time comes from a monotonic millisecond clock read at Start; the window's
// 100 ms timer only asks for the display to be brought up to date, so a timer that fires
// late never makes the stopwatch run slow.
#pragma once
#include <cstddef>
#include <cstdint>

#include "monitor/metrics/ip_tables.h"

namespace stopwatch {

// The longest run, 23:59:59.9, in tenths of a second. A run that shows it stops on the
// next timer event.
constexpr std::int32_t kLastTenths = 863999;

struct TimeParts {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int tenths = 0;  // 0..9
};
TimeParts SplitTenths(std::int32_t tenths);

// Whole tenths of a second from `startMs` to `nowMs`, held at kLastTenths (0 if the clock
// reads earlier than the start).
std::int32_t ElapsedTenths(std::uint64_t startMs, std::uint64_t nowMs);

// x rounded to one decimal, ties to even: round(x / 0.1) x 0.1.
double RoundTo1(double x);

// The shortest general decimal text of `x` (at most 15 significant digits: 2.7, 0, 15).
// Writes into `out` (always terminated) and returns its length.
std::size_t FormatFigure(double x, char* out, std::size_t size);

// What the table of a reading looked like: its row count and which interface the counters
// came from. When it differs from the last reading's (an adapter came or went, the table was
// renumbered, another interface was chosen in Options), the previous counters belong to
// another interface and their difference means nothing.
struct TableShape {
    std::uint32_t rows = 0;
    bool all = true;                  // every row summed
    std::uint32_t interfaceIndex = 0;  // dwIndex of the chosen row (0 when all)
    bool operator!=(const TableShape& o) const {
        return rows != o.rows || all != o.all || interfaceIndex != o.interfaceIndex;
    }
};

// The shape of a table read by the octet rule with `choice` (SelectOctets). `Row` has dwIndex.
template <class Row>
TableShape ShapeOf(std::int32_t choice, const Row* rows, std::uint32_t numRows) {
    TableShape s;
    s.rows = numRows;
    const std::uint32_t a = static_cast<std::uint32_t>(choice);
    s.all = numRows == 0 || a > numRows - 1;
    s.interfaceIndex = s.all ? 0 : static_cast<std::uint32_t>(rows[a].dwIndex);
    return s;
}

// Where the run reads the received and sent byte counters (the octet rule with the
// monitor's current interface choice) and the table's shape. Returns false, leaving both as
// they are, when there is no table; may throw.
class CounterSource {
public:
    virtual bool Read(metrics::Octets& octets, TableShape& shape) = 0;

protected:
    ~CounterSource() = default;
};

// One direction's figures in KB and KB/s, each already rounded to one decimal.
struct Figures {
    double current = 0;
    double average = 0;
    double max = 0;
    double total = 0;
};

class StopwatchRun {
public:
    // What one timer event asks of the window.
    struct Step {
        bool stop = false;     // the time limit is reached: stop the run (time unchanged)
        bool reading = false;  // a whole second passed: the figures are new
    };

    bool Running() const { return running_; }
    // The start button's caption for this state.
    const char* ButtonCaption() const { return running_ ? "Stop" : "Start"; }
    // Clears every figure, reads the counters as the run's base and starts the clock. When the
    // reader throws, nothing changes: the last run's time and figures stay and no run starts.
    void Start(std::uint64_t nowMs, CounterSource& counters);
    // The figures and the time stay as they are.
    void Stop() { running_ = false; }
    // The system resumed from sleep: the counters moved on, or were reset, meanwhile, so the
    // next reading of the table is a new base (that second shows 0, not a wrapped difference).
    void Resumed() { resumed_ = true; }
    // One timer event: brings Tenths up to the clock and, when the shown seconds moved on,
    // reads the counters once. An error from the counters leaves the figures as they were
    // and ends this event only; that second's reading is not retried. A reading from a table
    // of another shape, or the first one after a resume, is a new base: it adds nothing.
    Step Advance(std::uint64_t nowMs, CounterSource& counters);

    std::int32_t Tenths() const { return tenths_; }
    const Figures& Down() const { return down_; }
    const Figures& Up() const { return up_; }
    // The run's byte totals (64-bit: a run may move more than 4 GB).
    std::uint64_t TotalDownBytes() const { return dir_[0].total; }
    std::uint64_t TotalUpBytes() const { return dir_[1].total; }

private:
    struct Direction {
        std::uint32_t start = 0;  // counter at Start
        std::uint64_t total = 0;  // sum of every second's 32-bit difference
        double maxPerSecond = 0;  // bytes
    };
    void Reading(std::int32_t seconds, const metrics::Octets& previous);
    static void Update(Direction& d, Figures& f, std::uint32_t difference, std::int32_t seconds,
                       std::int32_t tenths);

    bool running_ = false;
    std::uint64_t startMs_ = 0;
    std::int32_t tenths_ = 0;
    std::int32_t dueSecond_ = 0;   // the last whole second a reading was made for (or tried)
    std::int32_t readSecond_ = 0;  // the whole second of the last reading that succeeded
    metrics::Octets counters_;     // the counters at the last reading
    TableShape shape_;             // the table they came from
    bool resumed_ = false;
    Direction dir_[2];
    Figures down_, up_;
};

}  // namespace stopwatch
