#include "monitor/details/adapters_list.h"

#include <exception>

namespace details {

namespace {
struct UpdateScope {
    explicit UpdateScope(AdapterListView& v) : view(v) { view.BeginUpdate(); }
    ~UpdateScope() { view.EndUpdate(); }
    AdapterListView& view;
};
}  // namespace

void AdapterList::RefreshAdapters(int32_t choice) {
    std::exception_ptr failure;
    std::vector<InterfaceRow> interfaces;
    std::vector<AddressRow> addresses;
    try {
        interfaces = tables_.Interfaces();
        if (!interfaces.empty()) addresses = tables_.Addresses();
    } catch (...) {
        failure = std::current_exception();
    }
    {
        const UpdateScope update(view_);
        view_.Clear();
        rows_.Rebuild(interfaces, addresses);
        rows_.Mark(choice);
        for (const AdapterRow& r : rows_.Rows()) view_.AddRow(r);
    }
    if (failure) std::rethrow_exception(failure);
}

void AdapterList::MarkRateAdapters(int32_t choice) {
    std::vector<int> before;
    before.reserve(rows_.Size());
    for (const AdapterRow& r : rows_.Rows()) before.push_back(r.image);
    rows_.Mark(choice);
    for (std::size_t i = 0; i < rows_.Size(); ++i)
        if (rows_.Rows()[i].image != before[i]) view_.SetImage(i, rows_.Rows()[i].image);
}

void AdapterList::ResetTotals() {
    rows_.ResetTotals();
    const UpdateScope update(view_);
    for (std::size_t i = 0; i < rows_.Size(); ++i) view_.TrafficChanged(i, rows_.Rows()[i]);
}

void AdapterList::Counters(uint32_t index, uint32_t in, uint32_t out) {
    rows_.Counters(index, in, out, [this](std::size_t at) { view_.TrafficChanged(at, rows_.Rows()[at]); });
}

}  // namespace details
