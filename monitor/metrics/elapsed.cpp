#include "monitor/metrics/elapsed.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace metrics {

namespace {
struct Unit {
    int64_t seconds;
    const char* singular;
    const char* plural;
    const char* abbrev;
};

constexpr int64_t kDay = 86400;
constexpr int64_t kYear = 365 * kDay;
const Unit kUnits[] = {
    {kYear, "year", "years", "y"}, {kYear / 12, "month", "months", "mo"}, {7 * kDay, "week", "weeks", "w"},
    {kDay, "day", "days", "d"},    {3600, "hour", "hours", "h"},          {60, "minute", "minutes", "m"},
};

// The text being written: appends, cut at the buffer's end.
struct Out {
    char* p;
    std::size_t size;
    std::size_t len = 0;
    bool empty() const { return len == 0; }
    void Add(const char* piece) {
        while (*piece && len + 1 < size) p[len++] = *piece++;
        p[len] = '\0';
    }
};

void Append(Out& out, const char* piece, bool shortUnits) {
    if (!out.empty()) out.Add(shortUnits ? " " : ", ");
    out.Add(piece);
}

void Count(char (&buf)[48], int64_t n, const Unit& u, bool shortUnits) {
    if (shortUnits)
        std::snprintf(buf, sizeof buf, "%lld%s", static_cast<long long>(n), u.abbrev);
    else
        std::snprintf(buf, sizeof buf, "%lld %s", static_cast<long long>(n), n == 1 ? u.singular : u.plural);
}
}  // namespace

void FormatElapsed(double seconds, const ElapsedOptions& o, char* text, std::size_t size) {
    if (size == 0) return;
    // Work in hundredths of a second; beyond ~290 million years the figure is capped.
    constexpr double kMaxSeconds = 9.0e15;
    if (!(seconds > 0)) seconds = 0;  // negative or not a number
    if (seconds > kMaxSeconds) seconds = kMaxSeconds;
    int64_t centis = static_cast<int64_t>(std::floor(seconds * 100.0 + 1e-6));
    if (o.wholeSeconds) centis -= centis % 100;

    Out out{text, size};
    text[0] = '\0';
    char buf[48];
    bool started = false;
    int64_t rest = centis;
    for (const Unit& u : kUnits) {
        const int64_t n = rest / (u.seconds * 100);
        rest -= n * u.seconds * 100;
        if (n > 0 || (started && o.showZeros)) {
            Count(buf, n, u, o.shortUnits);
            Append(out, buf, o.shortUnits);
            started = true;
        }
    }
    // Seconds close the text whenever they are non-zero, listed zeros are wanted or nothing
    // else was said.
    if (rest > 0 || (started && o.showZeros) || out.empty()) {
        if (o.wholeSeconds) {
            const Unit s{1, "second", "seconds", "s"};
            Count(buf, rest / 100, s, o.shortUnits);
        } else {
            std::snprintf(buf, sizeof buf, o.shortUnits ? "%lld.%02llds" : "%lld.%02lld seconds",
                          static_cast<long long>(rest / 100), static_cast<long long>(rest % 100));
        }
        Append(out, buf, o.shortUnits);
    }
}

std::string FormatElapsed(double seconds, const ElapsedOptions& o) {
    char text[kElapsedTextSize];
    FormatElapsed(seconds, o, text, sizeof text);
    return text;
}

}  // namespace metrics
