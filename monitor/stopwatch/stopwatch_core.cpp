#include "monitor/stopwatch/stopwatch_core.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace stopwatch {

TimeParts SplitTenths(std::int32_t tenths) {
    if (tenths < 0) tenths = 0;
    TimeParts t;
    t.tenths = tenths % 10;
    const std::int32_t seconds = tenths / 10;
    t.seconds = seconds % 60;
    t.minutes = seconds / 60 % 60;
    t.hours = seconds / 3600;
    return t;
}

std::int32_t ElapsedTenths(std::uint64_t startMs, std::uint64_t nowMs) {
    if (nowMs <= startMs) return 0;
    const std::uint64_t tenths = (nowMs - startMs) / 100;
    return tenths >= static_cast<std::uint64_t>(kLastTenths) ? kLastTenths
                                                             : static_cast<std::int32_t>(tenths);
}

double RoundTo1(double x) {
    // Each step is held in a double: on the x87 unit an extended-precision quotient would
    // decide some ties differently (2.75 / 0.1 is 27.5 as a double, just below in 80 bits).
    // nearbyint follows the current rounding mode, round-to-nearest-even by default.
    volatile double q = x / 0.1;
    volatile double r = std::nearbyint(q) * 0.1;
    return r;
}

std::size_t FormatFigure(double x, char* out, std::size_t size) {
    if (!out || size == 0) return 0;
    if (x == 0) x = 0;  // no "-0"
    const int n = std::snprintf(out, size, "%.15g", x);
    if (n < 0) {
        out[0] = '\0';
        return 0;
    }
    return std::min(static_cast<std::size_t>(n), size - 1);
}

void StopwatchRun::Start(std::uint64_t nowMs, CounterSource& counters) {
    // Read first: when the reader throws, the last run stays as it is shown, stopped.
    metrics::Octets base = counters_;
    // Without a table now, the first reading that has one is the base.
    TableShape shape;
    counters.Read(base, shape);
    counters_ = base;
    shape_ = shape;
    tenths_ = 0;
    dueSecond_ = readSecond_ = 0;
    down_ = up_ = Figures{};
    dir_[0] = dir_[1] = Direction{};
    resumed_ = false;
    dir_[0].start = counters_.down;
    dir_[1].start = counters_.up;
    startMs_ = nowMs;
    running_ = true;
}

StopwatchRun::Step StopwatchRun::Advance(std::uint64_t nowMs, CounterSource& counters) {
    Step step;
    if (!running_) return step;
    if (tenths_ > kLastTenths - 1) {
        step.stop = true;
        return step;
    }
    tenths_ = std::max(tenths_, ElapsedTenths(startMs_, nowMs));
    const std::int32_t second = tenths_ / 10;
    if (second <= dueSecond_) return step;
    dueSecond_ = second;
    metrics::Octets previous = counters_;
    const TableShape before = shape_;
    if (counters.Read(counters_, shape_)) {  // on an error the event ends here
        if (resumed_ || shape_ != before) previous = counters_;
        resumed_ = false;
    }
    Reading(second - readSecond_, previous);
    readSecond_ = second;
    step.reading = true;
    return step;
}

void StopwatchRun::Reading(std::int32_t seconds, const metrics::Octets& previous) {
    // 32-bit differences: one wrap of a counter between two readings still gives the bytes.
    Update(dir_[0], down_, counters_.down - previous.down, seconds, tenths_);
    Update(dir_[1], up_, counters_.up - previous.up, seconds, tenths_);
}

void StopwatchRun::Update(Direction& d, Figures& f, std::uint32_t difference, std::int32_t seconds,
                          std::int32_t tenths) {
    d.total += difference;
    // Normally one second; when the events stalled for longer, the rate over the gap.
    const double perSecond = static_cast<double>(difference) / std::max(seconds, 1);
    d.maxPerSecond = std::max(d.maxPerSecond, perSecond);
    const double total = static_cast<double>(d.total);
    f.total = RoundTo1(total / 1024);
    f.average = RoundTo1(total / (tenths / 10.0) / 1024);
    f.current = RoundTo1(perSecond / 1024);
    f.max = RoundTo1(d.maxPerSecond / 1024);
}

}  // namespace stopwatch
