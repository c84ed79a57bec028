// The scope graph's model over plain data: properties, per-channel histories, the tick and
// what a paint draws (grid lines, base line, each channel's polyline).
//
// A history is a ring of BufferSize samples, newest first, kept in storage that is sized when
// a channel is added or BufferSize changes: a tick stores one sample per channel and allocates
// nothing. The paint geometry goes into a Frame whose buffers grow only with the widget's size.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace widgets {

using ScopeInt = std::int32_t;
// The range of MinValue and MaxValue.
constexpr ScopeInt kScopeIntMin = -999999999;
constexpr ScopeInt kScopeIntMax = 999999999;
// GridSize and Frequency: 1..2147483647.
constexpr std::int32_t kMaxIntMax = 2147483647;

enum TGraphStyle { gsLine = 0, gsBar = 1 };

namespace scope {

// Samples of one channel, newest first.
class History {
public:
    // Room for `capacity` samples; the newest min(Count(), capacity) are kept.
    void Reserve(std::size_t capacity);
    // Puts v in front; then keeps only the newest `limit` samples (none when limit <= 0).
    void Push(ScopeInt v, std::int32_t limit);
    // Cuts the history to its newest `limit` samples (none when limit <= 0).
    void Trim(std::int32_t limit);
    void Clear() { count_ = 0; }
    std::size_t Count() const { return count_; }
    std::size_t Capacity() const { return ring_.size(); }
    // Sample i, 0 = newest; i < Count().
    ScopeInt At(std::size_t i) const { return ring_[(head_ + i) % ring_.size()]; }

private:
    std::vector<ScopeInt> ring_;
    std::size_t head_ = 0;  // index of the newest sample
    std::size_t count_ = 0;
};

struct Point {
    std::int32_t x = 0, y = 0;
};

// One straight line of the grid: from (x0, y0) to (x1, y1).
struct Segment {
    std::int32_t x0, y0, x1, y1;
};

// What one paint draws, in this order: grid lines, base line, channels from last to first.
struct Frame {
    std::vector<Segment> grid;  // vertical lines first, then horizontal ones
    Segment base{0, 0, 0, 0};
    std::int32_t baseY = 0;
    // Polyline of channel i (the first point is where the pen starts).
    std::vector<std::vector<Point>> lines;
};

// Rounds height * offset / 100 to the nearest integer, halves to even (offset 0..100).
std::int32_t BaseRound(std::int32_t height, std::int32_t offset);
// Height - BaseRound(height, offset) - 1.
std::int32_t BaseLineY(std::int32_t height, std::int32_t offset);
// The y of a sample: one-percent steps of the range, MinValue at height, MaxValue at 0.
std::int32_t SampleY(ScopeInt v, ScopeInt minValue, ScopeInt maxValue, std::int32_t height);

struct ChannelLook {
    std::uint32_t color = 0x00FFFF;
    std::int32_t width = 1;
    TGraphStyle style = gsLine;
};

class Model {
public:
    Model();

    ScopeInt MinValue() const { return min_; }
    ScopeInt MaxValue() const { return max_; }
    // Refused (false) unless MinValue stays below MaxValue and both within the ScopeInt
    // range. An accepted change clears every history.
    bool SetMinValue(ScopeInt v);
    bool SetMaxValue(ScopeInt v);

    std::int32_t GridSize() const { return gridSize_; }
    bool SetGridSize(std::int32_t v);  // 1..kMaxIntMax; true when it changed
    std::int32_t Frequency() const { return frequency_; }
    bool SetFrequency(std::int32_t v);  // 1..kMaxIntMax
    std::int32_t BaseOffset() const { return baseOffset_; }
    bool SetBaseOffset(std::int32_t v);  // 0..100
    std::int32_t GridLineWidth() const { return gridLineWidth_; }
    bool SetGridLineWidth(std::int32_t v);  // at least 0 (0 draws one pixel wide, as a pen does)
    std::int32_t BufferSize() const { return bufferSize_; }
    // Takes effect for every channel: what is kept beyond it goes at the next tick.
    void SetBufferSize(std::int32_t v);
    bool AnimateGrid() const { return animateGrid_; }
    void SetAnimateGrid(bool v) { animateGrid_ = v; }
    // 0 <= offset < GridSize after every tick.
    std::int32_t GridOffset() const { return offset_; }

    // Channels.
    std::size_t ChannelCount() const { return channels_.size(); }
    void SetChannelCount(std::size_t n);
    void InsertChannel(std::size_t at);
    void RemoveChannel(std::size_t at);
    ChannelLook& Look(std::size_t i) { return channels_[i].look; }
    const ChannelLook& Look(std::size_t i) const { return channels_[i].look; }
    const History& ChannelHistory(std::size_t i) const { return channels_[i].history; }

    // One tick: the grid moves on; need(i, v) (v starts at MinValue) supplies channel i's value,
    // which is clamped into MinValue..MaxValue and stored in front of its history.
    template <typename Need>
    void Tick(Need&& need) {
        AdvanceGrid();
        for (std::size_t i = 0; i < channels_.size(); ++i) {
            ScopeInt v = min_;
            need(i, v);
            Store(i, v);
        }
    }
    void AdvanceGrid();
    void Store(std::size_t channel, ScopeInt v);

    // The geometry of a paint at width x height into `out` (its buffers are reused).
    void Layout(std::int32_t width, std::int32_t height, Frame& out) const;

private:
    struct Channel {
        ChannelLook look;
        History history;
    };
    void Lines(const Channel& c, std::int32_t width, std::int32_t height, std::int32_t baseY,
               std::vector<Point>& out) const;

    ScopeInt min_ = 0, max_ = 100;
    std::int32_t gridSize_ = 16;
    std::int32_t gridLineWidth_ = 1;
    std::int32_t baseOffset_ = 50;
    std::int32_t frequency_ = 1;
    std::int32_t bufferSize_ = 999;
    bool animateGrid_ = true;
    std::int32_t offset_ = 0;
    std::vector<Channel> channels_;
};

}  // namespace scope
}  // namespace widgets
