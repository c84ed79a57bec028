// One fake metric source for the tick's tests (host and Wine): readings set by the test,
// counts of what the tick asked for, failures on request.
#pragma once
#include <stdexcept>
#include <string>
#include <vector>

#include "monitor/app/tick.h"

namespace app {

struct FakeMetricSource : MetricSource {
    double load[2] = {0, 0};
    MemoryReading mem{40, 1000, 970};
    std::vector<InterfaceCounters> rows{{1, 1000, 500}, {2, 2000, 700}};
    int samples = 0, reads = 0, trims = 0;
    bool failSample = false, failRead = false;
    // When set, every sample is noted as "sample".
    std::vector<std::string>* log = nullptr;

    void SampleProcessors() override {
        if (log) log->push_back("sample");
        if (failSample) throw std::runtime_error("sampler");
        ++samples;
    }
    double ProcessorLoad(int i) override { return load[i]; }
    MemoryReading Memory() override { return mem; }
    const InterfaceCounters* ReadInterfaces(std::size_t& n) override {
        if (failRead) throw std::runtime_error("table");
        ++reads;
        n = rows.size();
        return rows.empty() ? nullptr : rows.data();
    }
    void TrimWorkingSet() override { ++trims; }
};

}  // namespace app
