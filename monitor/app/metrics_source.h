// The tick's figures from the running system: the CPU sampler, the memory status (64-bit where
// the system has it), the interface table and SetProcessWorkingSetSize.
#pragma once
#include <vector>

#include "monitor/app/tick.h"

namespace app {

class PlatformMetrics final : public MetricSource {
public:
    PlatformMetrics();
    void SampleProcessors() override;
    double ProcessorLoad(int index) override;
    MemoryReading Memory() override;
    const InterfaceCounters* ReadInterfaces(std::size_t& count) override;
    void TrimWorkingSet() override;

private:
    std::vector<InterfaceCounters> rows_;  // reused from tick to tick
};

}  // namespace app
