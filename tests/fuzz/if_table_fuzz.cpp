// Interface table blocks as the IP helper fills them, read row by row and turned into the
// tick's rates over two readings.
#include <cstdint>
#include <cstring>
#include <vector>

#include "monitor/app/tick.h"
#include "monitor/metrics/ip_tables.h"

namespace {
struct Rows : app::MetricSource {
    std::vector<app::InterfaceCounters> rows;
    void SampleProcessors() override {}
    double ProcessorLoad(int) override { return 0.5; }
    app::MemoryReading Memory() override { return {}; }
    const app::InterfaceCounters* ReadInterfaces(std::size_t& n) override {
        n = rows.size();
        return rows.empty() ? nullptr : rows.data();
    }
    void TrimWorkingSet() override {}
};
struct Width : app::TextMeasure {
    int TextWidth(const char* t) override { return static_cast<int>(std::strlen(t)) * 5; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    int32_t adapter;
    std::memcpy(&adapter, data, 4);
    std::vector<uint8_t> block(data + 4, data + size);  // exactly the block, for ASan
    Rows src;
    const uint32_t n =
        metrics::ForEachInterfaceRow(block.data(), block.size(), [&](const metrics::InterfaceRow& r) {
            src.rows.push_back({r.index, r.inOctets, r.outOctets});
        });
    if (n != src.rows.size()) __builtin_trap();
    app::TickCounters c;
    c.AdapterIndex = adapter;
    app::MainTick tick(c);
    Width w;
    app::TickResult out;
    tick.Run(src, nullptr, w, 100, out);
    // Second reading: every counter moved by the row's own index (wrapping), one row less.
    for (auto& r : src.rows) r.inOctets += r.index, r.outOctets -= r.index;
    if (!src.rows.empty() && (adapter & 1)) src.rows.pop_back();
    tick.Run(src, nullptr, w, 100, out);
    if (out.lcdDown2 < 0 || out.lcdDown2 > 9 || out.lcdUp2 < 0 || out.lcdUp2 > 9) __builtin_trap();
    return 0;
}
