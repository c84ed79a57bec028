#pragma once
// The adapters list of the Network tab, decided over plain data: the rows built from the
// interface and address tables, their traffic since the last "Reset Totals", and the marks of
// the interfaces that enter the program's transfer rates.
//
// Totals are kept in 64 bits: each reading adds the 32-bit difference to the previous one, so
// they stay right past 4 GB as long as less than 4 GB pass between two readings (one second
// while the window is shown).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace details {

// "Received (K)" / "Sent (K)": kilobytes rounded up; 0 shows "0", 1 to 1024 bytes "1".
uint64_t KBCount(uint64_t bytes);
std::string KBText(uint64_t bytes);
void KBText(uint64_t bytes, char* out, std::size_t size);

// The dotted form of an address as the address table holds it (first octet in the low byte).
std::string DottedAddress(uint32_t addr);

// One row of the interface table and of the address table, as the list needs them.
struct InterfaceRow {
    uint32_t index = 0;
    std::string description;
    uint32_t inOctets = 0, outOctets = 0;
};
struct AddressRow {
    uint32_t index = 0;
    uint32_t addr = 0;
};

// Image of a marked row (the legend's mark); unmarked rows have none.
constexpr int kRateMark = 1, kNoImage = -1;

struct AdapterRow {
    std::string description;             // caption
    std::string address;                 // sub-item 0, empty when the interface has none
    uint32_t index = 0;                  // sub-item 3
    uint32_t lastIn = 0, lastOut = 0;    // sub-items 4, 5: counters last read
    uint32_t baseIn = 0, baseOut = 0;    // sub-items 6, 7: counters at the last reset
    uint64_t totalIn = 0, totalOut = 0;  // bytes since the last reset
    char received[24] = "0";             // sub-item 1
    char sent[24] = "0";                 // sub-item 2
    int image = kNoImage;
};

class AdapterRows {
public:
    // RefreshAdapters: one row per interface in table order (totals from the interfaces' own
    // counters), then the addresses, the last of an interface's addresses winning. The marks
    // are set afterwards by Mark.
    void Rebuild(const std::vector<InterfaceRow>& interfaces, const std::vector<AddressRow>& addresses);

    // The tick's traffic rule for one interface row read now: every list row of that interface
    // takes the counters. Returns how many rows changed their shown totals; `changed(position)`
    // is told each of them.
    template <typename F>
    int Counters(uint32_t index, uint32_t inOctets, uint32_t outOctets, F&& changed) {
        int n = 0;
        for (std::size_t i = 0; i < rows_.size(); ++i)
            if (rows_[i].index == index && Take(rows_[i], inOctets, outOctets)) {
                ++n;
                changed(i);
            }
        return n;
    }
    int Counters(uint32_t index, uint32_t inOctets, uint32_t outOctets) {
        return Counters(index, inOctets, outOctets, [](std::size_t) {});
    }

    // "Reset Totals": every total restarts at 0 from the counters last read.
    void ResetTotals();

    // MarkRateAdapters for the "Adapter" choice: past the last row (taken unsigned, so -1 too)
    // means "All Interfaces", every row marked; otherwise only the row at that position.
    void Mark(int32_t choice);

    const std::vector<AdapterRow>& Rows() const { return rows_; }
    std::size_t Size() const { return rows_.size(); }

private:
    // Adds the reading to the row's totals; true when the shown texts changed.
    static bool Take(AdapterRow& r, uint32_t in, uint32_t out);
    std::vector<AdapterRow> rows_;
};

}  // namespace details
