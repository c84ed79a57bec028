#pragma once
// The adapters list of the Network tab as an operation over its list view: RefreshAdapters,
// MarkRateAdapters, "Reset Totals" and the tick's traffic columns. The view is a seam, so the
// rules run over a recording view in tests and over the real list view in the window.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "monitor/details/adapters.h"

namespace details {

// What the list view does for the adapters list. Row positions are the list's own order.
class AdapterListView {
public:
    virtual ~AdapterListView() = default;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual void Clear() = 0;
    // Appends a row: caption, sub-items 0..7 as in AdapterRow.
    virtual void AddRow(const AdapterRow& row) = 0;
    // Sub-items 1 and 2 (the shown totals) of row `at` changed.
    virtual void TrafficChanged(std::size_t at, const AdapterRow& row) = 0;
    virtual void SetImage(std::size_t at, int image) = 0;
};

// The interface and address tables; errors of the readers propagate.
class NetworkTables {
public:
    virtual ~NetworkTables() = default;
    virtual std::vector<InterfaceRow> Interfaces() = 0;
    virtual std::vector<AddressRow> Addresses() = 0;
};

class AdapterList {
public:
    AdapterList(AdapterListView& view, NetworkTables& tables) : view_(view), tables_(tables) {}

    // Rebuilds every row from the tables, then marks them for `choice` (the "Adapter" setting).
    // An error of the interface table leaves the list empty; one of the address table leaves
    // the rows without addresses. Either error is raised after the list is consistent.
    void RefreshAdapters(int32_t choice);
    // The row images for `choice`; only rows whose image changes are touched.
    void MarkRateAdapters(int32_t choice);
    // "Reset Totals": every row restarts at 0 from the counters last read. The caller then runs
    // the tick's counter reading once, which brings the rows up to date.
    void ResetTotals();
    // The tick's traffic rule for one interface of the table (only while the window is shown).
    void Counters(uint32_t index, uint32_t inOctets, uint32_t outOctets);

    const AdapterRows& Rows() const { return rows_; }

private:
    AdapterListView& view_;
    NetworkTables& tables_;
    AdapterRows rows_;
};

}  // namespace details
