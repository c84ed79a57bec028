// Performance data as the registry hands it over: the walk, the instance read and the
// sampler's query loop over whatever bytes arrive.
#include <cstdint>
#include <cstring>
#include <vector>

#include "monitor/metrics/cpu_sampler.h"
#include "monitor/metrics/errors.h"

namespace {
// Answers every query with the input (cut to the buffer), first asking for more room when
// the input's first byte says so.
class BytesQuery : public metrics::PerfDataQuery {
public:
    BytesQuery(const uint8_t* d, size_t n) : data_(d), size_(n) {}
    int32_t Query(uint8_t* buffer, uint32_t* size) override {
        if (size_ > *size) {
            *size = static_cast<uint32_t>(size_);
            return 234;
        }
        if (size_) std::memcpy(buffer, data_, size_);
        *size = static_cast<uint32_t>(size_);
        return 0;
    }

private:
    const uint8_t* data_;
    size_t size_;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The walk reads only inside the copy (ASan sees any read past it).
    std::vector<uint8_t> copy(data, data + size);
    const metrics::PerfWalk w = metrics::WalkPerfData(copy.data(), copy.size());
    if (w.status == metrics::PerfWalk::kOk && w.numInstances >= 0 && w.numInstances < 4096) {
        std::vector<int64_t> out(static_cast<size_t>(w.numInstances) + 1);
        metrics::ReadPerfInstances(copy.data(), copy.size(), w, w.numInstances, out.data());
    }
    BytesQuery q(data, size);
    metrics::CpuSampler s(true, &q, nullptr, nullptr);
    for (int i = 0; i < 2; ++i) {
        try {
            s.SampleProcessors();
            for (int32_t p = 0; p < s.ProcessorCount(); ++p) s.ProcessorLoad(p);
        } catch (const metrics::Error&) {}
    }
    return 0;
}
