#include "monitor/ui/sort_core.h"

#include <cctype>
#include <cstddef>

namespace ui {

namespace {

bool IsGroupSeparator(unsigned char c) { return c == ',' || c == '.' || c == '\'' || c == ' ' || c == 0xA0; }

// Reads a number as lists show them: an optional minus sign, digits with groups of three
// after a separator, and optionally a decimal part after a last "." or "," that is not
// followed by exactly three digits. False when the text is anything else.
bool ReadNumber(const std::string& s, double& value) {
    std::size_t i = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (negative) i = 1;
    auto digitRun = [&](std::size_t from) {
        std::size_t k = from;
        while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) ++k;
        return k - from;
    };
    std::size_t run = digitRun(i);
    if (run == 0) return false;
    double v = 0;
    auto take = [&](std::size_t n) {
        for (std::size_t k = 0; k < n; ++k) v = v * 10 + (s[i + k] - '0');
        i += n;
    };
    take(run);
    while (i < s.size()) {
        const unsigned char sep = static_cast<unsigned char>(s[i]);
        if (!IsGroupSeparator(sep)) return false;
        run = digitRun(i + 1);
        if (run == 3 && (i + 4 == s.size() || IsGroupSeparator(static_cast<unsigned char>(s[i + 4])))) {
            ++i;
            take(3);
            continue;
        }
        // A decimal part ends the number.
        if ((sep != '.' && sep != ',') || run == 0 || i + 1 + run != s.size()) return false;
        double scale = 0.1;
        for (std::size_t k = i + 1; k < s.size(); ++k, scale /= 10) v += (s[k] - '0') * scale;
        i = s.size();
    }
    value = negative ? -v : v;
    return true;
}

}  // namespace

int CompareCellTexts(const std::string& a, const std::string& b) {
    double va = 0, vb = 0;
    const bool numA = ReadNumber(a, va), numB = ReadNumber(b, vb);
    // Numbers come before texts, so the order stays one order in a mixed column.
    if (numA != numB) return numA ? -1 : 1;
    if (numA && va != vb) return va < vb ? -1 : 1;
    // Equal numbers written differently ("1,000" and "1000") still get an order from the text.
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

}  // namespace ui
