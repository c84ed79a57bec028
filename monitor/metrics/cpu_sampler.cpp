#include "monitor/metrics/cpu_sampler.h"

#include <algorithm>

#include "monitor/metrics/errors.h"

namespace metrics {

const char* const kMsgNoVersion = "Can't get the Windows version";
const char* const kMsgNoProcessorObject = "Unable to locate the \"Processor\" performance object";
const char* const kMsgNoProcessorCounter = "Unable to locate the \"% of CPU usage\" performance counter";
const char* const kMsgCannotStart9x = "Unable to start performance monitoring";
const char* const kMsgCannotRead9x = "Unable to read performance data";
const char* const kMsgIndexOutOfBounds = "CPU index out of bounds";

namespace {
constexpr int32_t kErrorMoreData = 234;
constexpr uint32_t kKeyAllAccess = 0xF003F;
constexpr uint32_t kKeyRead = 0x20019;
constexpr const char* kCpuUsageValue = "KERNEL\\CPUUsage";
// Processors the idle-time source can report (the platform's own limit on 32-bit systems).
constexpr size_t kMaxIdleProcessors = 64;

// a - b in two's complement, wrapping like the platform's 64-bit arithmetic: counter values
// come from outside and may be anything.
int64_t Difference(int64_t a, int64_t b) {
    return static_cast<int64_t>(static_cast<uint64_t>(a) - static_cast<uint64_t>(b));
}
}  // namespace

CpuSampler::CpuSampler(bool isNT, PerfDataQuery* perf, IdleTimeSource* fallback, DynDataRegistry* dyn)
    : isNT_(isNT),
      perf_(perf),
      fallback_(fallback),
      dyn_(dyn),
      source_(isNT ? Source::kUndecided : Source::kDynData) {
    if (isNT_) buffer_.assign(kInitialBufferSize, 0);
}

CpuSampler::~CpuSampler() { StopProcessorSampling(); }

int32_t CpuSampler::ProcessorCount() {
    if (!isNT_) return 1;
    if (count_ == -1) SampleProcessors();
    return count_;
}

void CpuSampler::SampleProcessors() {
    if (isNT_)
        SampleNT();
    else
        Sample9x();
}

double CpuSampler::ProcessorLoad(int32_t index) {
    if (!isNT_) {
        if (index != 0) throw Error(kMsgIndexOutOfBounds);
        if (!started9x_) SampleProcessors();
        return load9x_ / 100.0;
    }
    if (count_ == -1) SampleProcessors();
    if (index >= count_ || index < 0) throw Error(kMsgIndexOutOfBounds);
    if (currentTime_ == previousTime_) return 0.0;
    const double idle = static_cast<double>(Difference(current_[index], previous_[index]));
    const double span = static_cast<double>(Difference(currentTime_, previousTime_));
    return 1.0 - idle / span;
}

void CpuSampler::StopProcessorSampling() {
    if (!isNT_ && started9x_) {
        started9x_ = false;
        dyn_->Close(dataKey9x_);
        dataKey9x_ = 0;
        uintptr_t stop = 0;
        if (dyn_->Open("PerfStats\\StopStat", kKeyAllAccess, &stop)) {
            dyn_->ReadDword(stop, kCpuUsageValue, &load9x_);
            dyn_->Close(stop);
        }
    }
    std::vector<uint8_t>().swap(buffer_);
}

void CpuSampler::FixCount(int32_t count) {
    count_ = count;
    current_.assign(static_cast<size_t>(count), 0);
    previous_.assign(static_cast<size_t>(count), 0);
}

void CpuSampler::SampleNT() {
    if (source_ == Source::kIdleTimes)
        SampleIdleTimes();
    else
        SamplePerfData();
}

void CpuSampler::SamplePerfData() {
    if (buffer_.empty()) buffer_.assign(kInitialBufferSize, 0);  // sampling after the stop
    uint32_t size = static_cast<uint32_t>(buffer_.size());
    int32_t code = perf_->Query(buffer_.data(), &size);
    while (code == kErrorMoreData) {
        if (buffer_.size() >= kMaxBufferSize) {
            // A source that never has enough: give up rather than grow without end.
            buffer_.assign(kInitialBufferSize, 0);
            buffer_.shrink_to_fit();
            throw Error(kMsgNoProcessorObject);
        }
        // Exactly 4096 bytes more (reserve first: a plain resize would grow the block by half
        // or double, beyond the size the query is told); doubling past the linear range.
        const size_t grown = buffer_.size() < kLinearGrowthLimit
                                 ? buffer_.size() + kBufferStep
                                 : std::min<size_t>(buffer_.size() * 2, kMaxBufferSize);
        buffer_.reserve(grown);
        buffer_.resize(grown);
        size = static_cast<uint32_t>(buffer_.size());
        code = perf_->Query(buffer_.data(), &size);
    }
    // On success only the bytes written count; otherwise whatever the buffer holds is parsed.
    const size_t valid = (code == 0 && size < buffer_.size()) ? size : buffer_.size();

    const PerfWalk walk = WalkPerfData(buffer_.data(), valid);
    if (walk.status == PerfWalk::kNoObjects && source_ == Source::kUndecided && fallback_) {
        // Performance data without any object (Wine): take the idle times from the system.
        source_ = Source::kIdleTimes;
        std::vector<uint8_t>().swap(buffer_);
        SampleIdleTimes();
        return;
    }
    if (walk.status == PerfWalk::kNoObjects || walk.status == PerfWalk::kMissingObject)
        throw Error(kMsgNoProcessorObject);
    source_ = Source::kPerfData;
    if (count_ == -1) FixCount(walk.numInstances);
    if (walk.status == PerfWalk::kMissingCounter) throw Error(kMsgNoProcessorCounter);
    // The fixed count of instances must still be there; the values then land in previous_
    // first and are swapped in, so a damaged buffer changes nothing.
    if (!ReadPerfInstances(buffer_.data(), valid, walk, count_, previous_.data()))
        throw Error(kMsgNoProcessorCounter);
    current_.swap(previous_);
    previousTime_ = currentTime_;
    currentTime_ = walk.time;
}

void CpuSampler::SampleIdleTimes() {
    if (idle_.empty()) idle_.assign(kMaxIdleProcessors, 0);
    int64_t stamp = 0;
    const size_t n = fallback_->Read(idle_.data(), idle_.size(), &stamp);
    if (n == 0) throw Error(kMsgNoProcessorObject);
    if (count_ == -1) FixCount(static_cast<int32_t>(n));
    if (n < static_cast<size_t>(count_)) throw Error(kMsgNoProcessorCounter);
    current_.swap(previous_);
    for (int32_t i = 0; i < count_; ++i) current_[i] = idle_[i];
    previousTime_ = currentTime_;
    currentTime_ = stamp;
}

void CpuSampler::Sample9x() {
    if (!started9x_) {
        uintptr_t start = 0;
        if (!dyn_->Open("PerfStats\\StartStat", kKeyAllAccess, &start)) throw Error(kMsgCannotStart9x);
        dyn_->ReadDword(start, kCpuUsageValue, &load9x_);
        dyn_->Close(start);
        if (!dyn_->Open("PerfStats\\StatData", kKeyRead, &dataKey9x_)) throw Error(kMsgCannotRead9x);
        started9x_ = true;
    }
    dyn_->ReadDword(dataKey9x_, kCpuUsageValue, &load9x_);
}

}  // namespace metrics
