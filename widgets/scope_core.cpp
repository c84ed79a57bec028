#include "widgets/scope_core.h"

#include <algorithm>

namespace widgets {
namespace scope {

namespace {

// Storage taken at once for a history; a larger BufferSize grows it as samples arrive.
constexpr std::size_t kEagerCapacity = 4096;

std::size_t EagerCapacity(std::int32_t bufferSize) {
    if (bufferSize <= 0) return 0;
    return std::min<std::size_t>(static_cast<std::size_t>(bufferSize), kEagerCapacity);
}

std::int32_t Clip(std::int64_t v, std::int64_t lo, std::int64_t hi) {
    return static_cast<std::int32_t>(v < lo ? lo : v > hi ? hi : v);
}

}  // namespace

// ---- History

void History::Reserve(std::size_t capacity) {
    if (capacity == ring_.size()) return;
    const std::size_t keep = std::min(count_, capacity);
    std::vector<ScopeInt> ring(capacity);
    for (std::size_t i = 0; i < keep; ++i) ring[i] = At(i);
    ring_.swap(ring);
    head_ = 0;
    count_ = keep;
}

void History::Push(ScopeInt v, std::int32_t limit) {
    if (limit <= 0) {
        count_ = 0;
        return;
    }
    const std::size_t want = static_cast<std::size_t>(limit);
    if (count_ == ring_.size() && ring_.size() < want)
        Reserve(std::min(want, std::max<std::size_t>(ring_.size() * 2, 64)));
    const std::size_t cap = ring_.size();
    head_ = (head_ + cap - 1) % cap;
    ring_[head_] = v;
    if (count_ < cap) ++count_;
    if (count_ > want) count_ = want;
}

void History::Trim(std::int32_t limit) {
    if (limit <= 0)
        count_ = 0;
    else if (count_ > static_cast<std::size_t>(limit))
        count_ = static_cast<std::size_t>(limit);
}

// ---- rules

std::int32_t BaseRound(std::int32_t height, std::int32_t offset) {
    const std::int64_t n = static_cast<std::int64_t>(height) * offset;
    // Floor division, then the remainder decides (halves to even).
    std::int64_t q = n / 100, r = n % 100;
    if (r < 0) {
        r += 100;
        --q;
    }
    if (r > 50 || (r == 50 && (q & 1) != 0)) ++q;
    return static_cast<std::int32_t>(q);
}

std::int32_t BaseLineY(std::int32_t height, std::int32_t offset) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(height) - BaseRound(height, offset) - 1);
}

std::int32_t SampleY(ScopeInt v, ScopeInt minValue, ScopeInt maxValue, std::int32_t height) {
    const std::int64_t range = static_cast<std::int64_t>(maxValue) - minValue;
    std::int64_t p = range == 0 ? 0 : (static_cast<std::int64_t>(v) - minValue) * 100 / range;
    // A value outside MinValue..MaxValue (the model clamps what it stores) lies on the edge,
    // as on the scale beside the graph; so no product below can overflow.
    p = std::clamp<std::int64_t>(p, 0, 100);
    return static_cast<std::int32_t>(height - static_cast<std::int64_t>(height) * p / 100);
}

// ---- Model

Model::Model() = default;

bool Model::SetMinValue(ScopeInt v) {
    if (v < kScopeIntMin || v > kScopeIntMax || v >= max_) return false;
    if (v == min_) return true;
    min_ = v;
    for (Channel& c : channels_) c.history.Clear();
    return true;
}

bool Model::SetMaxValue(ScopeInt v) {
    if (v < kScopeIntMin || v > kScopeIntMax || v <= min_) return false;
    if (v == max_) return true;
    max_ = v;
    for (Channel& c : channels_) c.history.Clear();
    return true;
}

bool Model::SetGridSize(std::int32_t v) {
    if (v < 1 || v == gridSize_) return false;
    gridSize_ = v;
    return true;
}

bool Model::SetFrequency(std::int32_t v) {
    if (v < 1 || v == frequency_) return false;
    frequency_ = v;
    return true;
}

bool Model::SetBaseOffset(std::int32_t v) {
    if (v < 0 || v > 100 || v == baseOffset_) return false;
    baseOffset_ = v;
    return true;
}

bool Model::SetGridLineWidth(std::int32_t v) {
    if (v < 0 || v == gridLineWidth_) return false;
    gridLineWidth_ = v;
    return true;
}

void Model::SetBufferSize(std::int32_t v) {
    bufferSize_ = v;
    // Samples beyond a smaller size stay until the next tick cuts them.
    for (Channel& c : channels_) c.history.Reserve(std::max(EagerCapacity(v), c.history.Count()));
}

void Model::SetChannelCount(std::size_t n) {
    while (channels_.size() > n) channels_.pop_back();
    while (channels_.size() < n) InsertChannel(channels_.size());
}

void Model::InsertChannel(std::size_t at) {
    if (at > channels_.size()) at = channels_.size();
    Channel c;
    c.history.Reserve(EagerCapacity(bufferSize_));
    channels_.insert(channels_.begin() + static_cast<std::ptrdiff_t>(at), std::move(c));
}

void Model::RemoveChannel(std::size_t at) {
    if (at < channels_.size()) channels_.erase(channels_.begin() + static_cast<std::ptrdiff_t>(at));
}

void Model::AdvanceGrid() {
    if (!animateGrid_) return;
    // Kept within 0..GridSize-1 also when Frequency is larger than GridSize, or GridSize was
    // made smaller than the offset.
    offset_ = static_cast<std::int32_t>((static_cast<std::int64_t>(offset_) + frequency_) % gridSize_);
}

void Model::Store(std::size_t channel, ScopeInt v) {
    if (channel >= channels_.size()) return;
    if (v < min_) v = min_;
    if (v > max_) v = max_;
    channels_[channel].history.Push(v, bufferSize_);
}

void Model::Layout(std::int32_t width, std::int32_t height, Frame& out) const {
    const std::int64_t g = gridSize_;
    const std::int32_t baseY = BaseLineY(height, baseOffset_);
    out.baseY = baseY;
    // Lines off the picture are kept just off it, so no coordinate overflows.
    const std::int64_t margin = 2 + static_cast<std::int64_t>(gridLineWidth_);
    const std::int64_t yLo = -margin, yHi = static_cast<std::int64_t>(height) + margin;

    out.grid.clear();
    const std::int64_t start = -static_cast<std::int64_t>(offset_ % gridSize_);
    for (std::int64_t x = start; x <= width; x += g)
        out.grid.push_back({static_cast<std::int32_t>(x), 0, static_cast<std::int32_t>(x), height});
    std::int64_t y = baseY;
    do {
        y -= g;
        const std::int32_t cy = Clip(y, yLo, yHi);
        out.grid.push_back({0, cy, width, cy});
    } while (y >= 0);
    y = baseY;
    do {
        y += g;
        const std::int32_t cy = Clip(y, yLo, yHi);
        out.grid.push_back({0, cy, width, cy});
    } while (y <= height);
    out.base = {0, baseY, width, baseY};

    if (out.lines.size() < channels_.size()) out.lines.resize(channels_.size());
    for (std::size_t i = 0; i < channels_.size(); ++i)
        Lines(channels_[i], width, height, baseY, out.lines[i]);
    for (std::size_t i = channels_.size(); i < out.lines.size(); ++i) out.lines[i].clear();
}

namespace {

// Builds a polyline whose points run from right to left, keeping only the part between lo and
// hi (in x): a point beyond either is replaced by where its segment crosses that bound.
class Polyline {
public:
    Polyline(std::vector<Point>& out, std::int64_t lo, std::int64_t hi) : out_(out), lo_(lo), hi_(hi) {
        out_.clear();
    }
    void MoveTo(std::int64_t x, std::int64_t y) {
        px_ = x;
        py_ = y;
    }
    void LineTo(std::int64_t x, std::int64_t y) {
        if (done_) return;
        if (x > hi_) {  // still right of the picture
            MoveTo(x, y);
            return;
        }
        if (out_.empty()) Add(px_ > hi_ ? hi_ : px_, px_ > hi_ ? Cross(x, y, hi_) : py_);
        if (x < lo_) {
            Add(lo_, Cross(x, y, lo_));
            done_ = true;
            return;
        }
        Add(x, y);
        MoveTo(x, y);
    }

private:
    // The y where the segment from the pen to (x, y) meets the vertical line at bx.
    std::int64_t Cross(std::int64_t x, std::int64_t y, std::int64_t bx) const {
        if (x == px_) return y;
        const double t = static_cast<double>(bx - px_) / static_cast<double>(x - px_);
        return py_ + static_cast<std::int64_t>(static_cast<double>(y - py_) * t + (y >= py_ ? 0.5 : -0.5));
    }
    void Add(std::int64_t x, std::int64_t y) {
        out_.push_back({static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)});
    }
    std::vector<Point>& out_;
    std::int64_t lo_, hi_;
    std::int64_t px_ = 0, py_ = 0;
    bool done_ = false;
};

}  // namespace

void Model::Lines(const Channel& c, std::int32_t width, std::int32_t height, std::int32_t baseY,
                  std::vector<Point>& out) const {
    const std::int64_t f = frequency_;
    const std::int64_t margin = 2 + static_cast<std::int64_t>(std::max<std::int32_t>(c.look.width, 1));
    Polyline line(out, -margin, static_cast<std::int64_t>(width) + margin);
    std::int64_t x = static_cast<std::int64_t>(width) + f;
    line.MoveTo(x, baseY);
    std::size_t next = 0;
    while (x > 0) {
        if (next < c.history.Count()) {
            const std::int32_t y = SampleY(c.history.At(next++), min_, max_, height);
            line.LineTo(x - f, y);
            x -= f;
            if (c.look.style == gsBar) line.LineTo(x - f, y);
        } else {
            line.LineTo(x - f, baseY);
            break;
        }
    }
}

}  // namespace scope
}  // namespace widgets
