#include "monitor/app/tick.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <climits>
#include <cstring>

namespace app {

int TrayImageFor(int p) {
    if (p <= 8) return 0;
    if (p <= 96) return (p - 1) / 8;
    return 12;
}

int RoundHalfEven(double x, int fallback) {
    if (!std::isfinite(x) || x > 2e9 || x < -2e9) return fallback;
    // nearbyint rounds in the current mode, which is to nearest with ties to even.
    return static_cast<int>(std::nearbyint(x));
}

long long TenthsHalfEven(double x) {
    if (!std::isfinite(x)) return 0;
    return static_cast<long long>(std::nearbyint(x / 0.1));
}

int SwapPercent(double avail, double total) {
    if (!(total > 0) || !std::isfinite(avail)) return 0;
    const double q = avail / total * 100.0;
    if (!std::isfinite(q) || q > 2e9 || q < -2e9) return 0;
    return 100 - static_cast<int>(std::trunc(q));
}

void FormatTenths(long long tenths, char decimal, char* out, std::size_t size) {
    if (size == 0) return;
    const long long whole = tenths / 10, part = tenths % 10;
    if (part == 0)
        std::snprintf(out, size, "%lld", whole);
    else
        std::snprintf(out, size, "%lld%c%lld", whole, decimal, part < 0 ? -part : part);
}

int BlendTarget(int percent, int alphaBase, int alphaRange) {
    // In whole numbers: in floating point 29 % of 100 comes out as 28.999... and truncates to
    // 28. A hand-edited file may hold any base and range: the sum is taken in 64 bits and kept
    // to the opacities a window can have.
    const long long t = static_cast<long long>(percent) * alphaRange / 100 + alphaBase;
    return static_cast<int>(t < 0 ? 0 : t > 255 ? 255 : t);
}

void StepVariableBlend(BlendWindow& w, int percent) {
    if (!w.Visible() || !w.VariableBlend() || !w.AlphaBlend()) return;
    const int target = BlendTarget(percent, w.AlphaBase(), w.AlphaRange());
    int v = std::clamp(w.Opacity(), 0, 255);
    const int step = v < target ? 1 : -1;
    for (;; v += step) {
        w.SetOpacity(v);
        if (v == target) break;
    }
}

void MainTick::GetOctets(MetricSource& src, AdapterListSink* details, int index) {
    std::size_t count = 0;
    const InterfaceCounters* rows = src.ReadInterfaces(count);
    if (!rows || count == 0) return;
    const uint32_t chosen = static_cast<uint32_t>(index);
    const bool all = chosen >= count;
    shape_.rows = count;
    shape_.interfaceIndex = all ? 0 : rows[chosen].index;
    if (!all) {
        c_.DownOctets = rows[chosen].inOctets;
        c_.UpOctets = rows[chosen].outOctets;
    }
    if (!all && !details) return;
    uint32_t down = 0, up = 0;  // sums wrap around like the counters
    for (std::size_t i = 0; i < count; ++i) {
        down += rows[i].inOctets;
        up += rows[i].outOctets;
        if (details) details->AdapterCounters(rows[i]);
    }
    if (all) {
        c_.DownOctets = down;
        c_.UpOctets = up;
    }
}

void MainTick::ReadAdapterCounters(MetricSource& src, AdapterListSink& details) {
    std::size_t count = 0;
    const InterfaceCounters* rows = src.ReadInterfaces(count);
    if (!rows) return;
    for (std::size_t i = 0; i < count; ++i) details.AdapterCounters(rows[i]);
}

void MainTick::Rate(uint32_t now, uint32_t prev, int& whole, int& tenths, char* text, std::size_t size) {
    // The counters wrap at 2^32: the unsigned difference is the bytes moved since the last tick.
    const uint32_t bytes = now - prev;
    const long long t = TenthsHalfEven(static_cast<double>(bytes) / 1024.0);
    whole = static_cast<int>(t / 10 > 2000000000 ? 2000000000 : t / 10);
    tenths = static_cast<int>(t % 10);
    FormatTenths(t, decimal_, text, size);
}

void MainTick::Run(MetricSource& src, AdapterListSink* details, TextMeasure& measure, int statusWidth,
                   TickResult& out) {
    out.reached = TickResult::None;
    out.trimmed = false;
    out.trayImageChanged = false;
    out.statusClear = out.statusCopy = false;

    // Working set: the first trim on the 60th tick, then every 600.
    if (++c_.TrimCounter >= 600) {
        c_.TrimCounter = 0;
        src.TrimWorkingSet();
        out.trimmed = true;
    }

    // CPU 1, the tray image and hint.
    src.SampleProcessors();
    const int p1 = RoundHalfEven(src.ProcessorLoad(0) * 100.0, INT_MIN);
    SetBar(cpu1_, p1);
    out.barCPU1 = cpu1_;
    const int image = TrayImageFor(cpu1_);
    out.trayImageChanged = image != trayImage_;
    trayImage_ = image;
    out.trayImage = image;
    const int shown = p1 == INT_MIN ? cpu1_ : p1;
    std::snprintf(out.hint, sizeof out.hint, "CPU Usage: %d%%", shown);
    std::snprintf(out.trayText, sizeof out.trayText, "%d", shown);
    out.reached = TickResult::Cpu;

    if (c_.DualCPU) {
        SetBar(cpu2_, RoundHalfEven(src.ProcessorLoad(1) * 100.0, INT_MIN));
        out.barCPU2 = cpu2_;
        out.reached = TickResult::Cpu2;
    }

    // RAM and swap.
    const MemoryReading m = src.Memory();
    SetBar(ram_, static_cast<int>(m.memoryLoad > 1000 ? 1000 : m.memoryLoad));
    SetBar(swap_, SwapPercent(m.availPageFile, m.totalPageFile));
    out.barRAM = ram_;
    out.barSwap = swap_;
    out.reached = TickResult::Memory;

    // Network: prime the counters while either is 0 and after a resume, then take the
    // difference; a reading from a table of another shape is a new baseline (rate 0).
    const bool prime = c_.DownOctets == 0 || c_.UpOctets == 0 || resumed_;
    resumed_ = false;
    if (prime) GetOctets(src, details, c_.AdapterIndex);
    const TableShape before = shape_;
    uint32_t prevDown = c_.DownOctets, prevUp = c_.UpOctets;
    GetOctets(src, details, c_.AdapterIndex);
    if (shape_ != before) {
        prevDown = c_.DownOctets;
        prevUp = c_.UpOctets;
    }
    Rate(c_.DownOctets, prevDown, out.lcdDown1, out.lcdDown2, out.downText, sizeof out.downText);
    Rate(c_.UpOctets, prevUp, out.lcdUp1, out.lcdUp2, out.upText, sizeof out.upText);
    out.reached = TickResult::Network;

    // Status line: the previous text decides whether this one is shown.
    const bool fits = measure.TextWidth(measure_) <= statusWidth;
    out.statusClear = !fits;
    if (c_.DualCPU)
        std::snprintf(measure_, sizeof measure_, "CPU %d  CPU %d  RAM %d Swap %d", cpu1_, cpu2_, ram_, swap_);
    else
        std::snprintf(measure_, sizeof measure_, "CPU %d  RAM %d Swap %d", cpu1_, ram_, swap_);
    std::memcpy(out.measureText, measure_, sizeof measure_);
    out.statusCopy = fits;
    out.reached = TickResult::Status;
}

}  // namespace app
