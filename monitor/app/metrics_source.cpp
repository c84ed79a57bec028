#include "monitor/app/metrics_source.h"

#include <windows.h>

#include "monitor/metrics/cpu_usage.h"
#include "monitor/metrics/ip_functions.h"
#include "monitor/metrics/memory_status_win.h"
#include "monitor/ui/handles.h"

namespace app {

PlatformMetrics::PlatformMetrics() { rows_.reserve(64); }

void PlatformMetrics::SampleProcessors() { metrics::SampleProcessors(); }

double PlatformMetrics::ProcessorLoad(int index) { return metrics::ProcessorLoad(index); }

MemoryReading PlatformMetrics::Memory() {
    // 64-bit figures: the 32-bit call caps the page file at 4 GB (2 GB without large-address
    // awareness), which made the swap bar read near 0 % on today's machines.
    const metrics::MemoryStatus ms = metrics::ReadMemoryStatus();
    MemoryReading m;
    m.memoryLoad = ms.memoryLoad;
    m.totalPageFile = static_cast<double>(ms.totalPageFile);
    m.availPageFile = static_cast<double>(ms.availPageFile);
    return m;
}

const InterfaceCounters* PlatformMetrics::ReadInterfaces(std::size_t& count) {
    metrics::IfTablePtr table;
    uint32_t size = 0;
    metrics::GetInterfaceTable(table, size, true);
    count = 0;
    if (!table) return nullptr;
    rows_.clear();
    // Only rows that lie inside the block: its count is not trusted.
    metrics::ForEachInterfaceRow(table.get(), size, [this](const metrics::InterfaceRow& r) {
        rows_.push_back({r.index, r.inOctets, r.outOctets});
    });
    count = rows_.size();
    return rows_.data();
}

void PlatformMetrics::TrimWorkingSet() {
    const ui::KernelHandle self(OpenProcess(PROCESS_ALL_ACCESS, FALSE, GetCurrentProcessId()));
    if (self) SetProcessWorkingSetSize(self.get(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

}  // namespace app
