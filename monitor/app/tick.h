// The main sampling tick's decisions, over plain data.
//
// MainTick runs one tick over the platform figures it reads through MetricSource and writes
// every result into a TickResult; the form applies that result to its controls. The tick's own
// counters (TickCounters) belong to the main window.
#pragma once
#include <cstddef>
#include <cstdint>

namespace app {

// One row of the interface table: the interface index and its 32-bit byte counters.
struct InterfaceCounters {
    uint32_t index = 0;
    uint32_t inOctets = 0;
    uint32_t outOctets = 0;
};

struct MemoryReading {
    uint32_t memoryLoad = 0;   // percent
    double totalPageFile = 0;  // bytes
    double availPageFile = 0;  // bytes
};

// Every platform figure the tick reads. The program forwards to the metric sources and the
// memory and working-set calls; tests feed readings.
class MetricSource {
public:
    virtual void SampleProcessors() = 0;          // may throw
    virtual double ProcessorLoad(int index) = 0;  // fraction 0..1; may throw
    virtual MemoryReading Memory() = 0;
    // The interface table sorted by interface index; nullptr or count 0 when there is none.
    // The rows stay valid until the next call. May throw.
    virtual const InterfaceCounters* ReadInterfaces(std::size_t& count) = 0;
    virtual void TrimWorkingSet() = 0;
    virtual ~MetricSource() = default;
};

// The System Details adapters list, while that window is shown: told every row's counters.
class AdapterListSink {
public:
    virtual void AdapterCounters(const InterfaceCounters& row) = 0;

protected:
    ~AdapterListSink() = default;
};

// Measures a text in the status line's font.
class TextMeasure {
public:
    virtual int TextWidth(const char* text) = 0;

protected:
    ~TextMeasure() = default;
};

// Counters of the tick owned by the main window.
struct TickCounters {
    uint32_t DownOctets = 0;
    uint32_t UpOctets = 0;
    int AdapterIndex = 1;
    int TrimCounter = 540;
    bool DualCPU = false;
};

// What one tick decided. `reached` says how far the tick got (an error ends it early; what was
// decided before that still applies).
struct TickResult {
    enum Stage { None, Cpu, Cpu2, Memory, Network, Status };
    Stage reached = None;
    bool trimmed = false;

    int barCPU1 = 0, barCPU2 = 0, barRAM = 0, barSwap = 0;  // positions after the bar's range rule
    int trayImage = 0;
    bool trayImageChanged = false;
    char hint[64] = "";
    char trayText[16] = "";

    int lcdDown1 = 0, lcdDown2 = 0, lcdUp1 = 0, lcdUp2 = 0;
    char downText[32] = "";
    char upText[32] = "";

    bool statusClear = false;   // pnlStatus text cleared (previous text did not fit)
    bool statusCopy = false;    // pnlStatus text := measureText
    char measureText[64] = "";  // the new text of pnlMeasure
};

// Tray image index for CPU percentage p: 0 up to 8, then one image per 8 %, 12 from 97 on.
int TrayImageFor(int percent);
// Rounds to the nearest integer, ties to even. Out-of-range or non-finite values give `fallback`.
int RoundHalfEven(double x, int fallback);
// round(x / 0.1) as a count of tenths (ties to even).
long long TenthsHalfEven(double x);
// Swap-file load: 100 - trunc(avail / total * 100); 0 when the division fails.
int SwapPercent(double availPageFile, double totalPageFile);
// Text of a rate given in tenths, shortest form ("2.7", "0", "15"), with `decimal` as separator.
void FormatTenths(long long tenths, char decimal, char* out, std::size_t size);
// Variable blending target: trunc(p / 100 * range) + base, kept within 0..255.
int BlendTarget(int percent, int alphaBase, int alphaRange);

// A floating meter window as variable blending sees it.
class BlendWindow {
public:
    virtual bool Visible() const = 0;
    virtual bool VariableBlend() const = 0;
    virtual bool AlphaBlend() const = 0;
    virtual int AlphaBase() const = 0;
    virtual int AlphaRange() const = 0;
    virtual int Opacity() const = 0;
    virtual void SetOpacity(int value) = 0;

protected:
    ~BlendWindow() = default;
};
// Steps the window's opacity one value at a time to its target for `percent`.
void StepVariableBlend(BlendWindow& window, int percent);

class MainTick {
public:
    MainTick(TickCounters& counters, char decimalSeparator = '.')
        : c_(counters), decimal_(decimalSeparator) {}

    // The published readings as the bars hold them (the bars keep a position outside 0..100
    // out).
    int BarCPU1() const { return cpu1_; }
    int BarCPU2() const { return cpu2_; }
    int BarRAM() const { return ram_; }
    int BarSwap() const { return swap_; }
    int TrayImage() const { return trayImage_; }
    const char* MeasureText() const { return measure_; }

    // One tick. `details` is the System Details adapters list while that window is shown (and
    // not minimised), else nullptr. `statusWidth` is the status panel's width. Errors of the
    // metric source propagate; `out` then holds what was decided before.
    void Run(MetricSource& src, AdapterListSink* details, TextMeasure& measure, int statusWidth,
             TickResult& out);

    // Reads the interface table into DownOctets/UpOctets for `index`.
    void GetOctets(MetricSource& src, AdapterListSink* details, int index);
    // Tells the adapters list every row's counters and nothing else: the counters of the rates
    // stay those of the last tick, so the next rate still covers the whole second.
    static void ReadAdapterCounters(MetricSource& src, AdapterListSink& details);

    // The system resumed from sleep: the counters moved on (or were reset) while it slept,
    // so the next tick primes them again and shows 0 rather than a wrapped difference.
    void Resumed() { resumed_ = true; }

private:
    static void SetBar(int& bar, int value) {
        if (value >= 0 && value <= 100) bar = value;
    }
    void Rate(uint32_t now, uint32_t prev, int& whole, int& tenths, char* text, std::size_t size);

    // What the last table read looked like: its row count and the interface index of the
    // chosen row (0 when all rows are summed). When that changes, the previous counters belong
    // to another interface (an adapter came or went, the table was renumbered) and the tick
    // takes the new reading as its baseline.
    struct TableShape {
        std::size_t rows = 0;
        uint32_t interfaceIndex = 0;
        bool operator!=(const TableShape& o) const {
            return rows != o.rows || interfaceIndex != o.interfaceIndex;
        }
    };

    TickCounters& c_;
    TableShape shape_;
    bool resumed_ = false;
    char decimal_;
    int cpu1_ = 0, cpu2_ = 0, ram_ = 0, swap_ = 0;
    int trayImage_ = 0;
    char measure_[64] = "";
};

}  // namespace app
