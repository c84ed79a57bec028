// The tick writes the System Details adapters list: each second while the window is shown,
// never while it is hidden or minimised; "Reset Totals" restarts the totals from the counters
// of that moment without disturbing the gadget's rates.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "monitor/app/details_link.h"
#include "monitor/app/frmMain.h"
#include "monitor/details/system_probe_win.h"
#include "tests/support/e2e.h"

namespace app {
namespace {

struct TableSource : MetricSource {
    std::vector<InterfaceCounters> rows;
    void SampleProcessors() override {}
    double ProcessorLoad(int) override { return 0.25; }
    MemoryReading Memory() override { return {40, 1000, 970}; }
    const InterfaceCounters* ReadInterfaces(std::size_t& n) override {
        n = rows.size();
        return rows.empty() ? nullptr : rows.data();
    }
    void TrimWorkingSet() override {}
};

}  // namespace

TEST(DetailsTraffic, ColumnsMoveOnlyWhileTheWindowIsShown) {
    ui::Application application{GetModuleHandleA(nullptr), "Corvane Statwell"};
    // The window lists this machine's interfaces: the fake table carries the same indexes and
    // counters, so the tick's rows meet the list's rows.
    TableSource src;
    for (const details::InterfaceRow& r : details::ReadInterfaceRows())
        src.rows.push_back({r.index, r.inOctets, r.outOctets});
    ASSERT_FALSE(src.rows.empty());
    TfrmMain frm{&src};
    frm.dfsStickyFormCreate();
    frm.Timer.SetEnabled(false);
    frm.AdapterIndex = -1;
    DetailsLink link(frm);
    details::TfrmTask task(link);
    task.FormCreate();
    link.SetWindow(&task);
    frm.Details = &link;
    ui::ListView& lv = task.Info.lvAdapters;
    ASSERT_EQ(static_cast<int>(src.rows.size()), lv.Count());
    // The row of the first interface, wherever the list shows it.
    const int row = lv.FindData(0);
    auto received = [&] { return lv.SubItem(row, 1); };
    const std::string start = received();

    // Hidden: the tick leaves the list alone.
    src.rows[0].inOctets += 10 * 1024;
    frm.TimerTimer();
    EXPECT_EQ(start, received());

    // Shown: every tick brings the traffic.
    task.Show();
    e2e::Pump();
    frm.TimerTimer();
    const std::string moved = received();
    EXPECT_NE(start, moved);
    src.rows[0].inOctets += 4096;
    frm.TimerTimer();
    EXPECT_EQ(std::to_string(std::stoull(moved) + 4), received());

    // Reset Totals in the middle of a second: 0, then growth from the counters read at the
    // reset; the gadget's rate of that second still counts all of it (5 KB before, 2 KB after).
    src.rows[0].inOctets += 5 * 1024;
    task.Info.btnResetClick();
    EXPECT_EQ("0", received());
    EXPECT_EQ("0", lv.SubItem(row, 2));
    src.rows[0].inOctets += 2048;
    frm.TimerTimer();
    EXPECT_EQ("2", received());
    EXPECT_EQ(7, frm.lcdDown1->Value());

    // Minimised: nothing moves.
    ShowWindow(task.Handle(), SW_MINIMIZE);
    e2e::Pump();
    src.rows[0].inOctets += 5 * 1024;
    frm.TimerTimer();
    EXPECT_EQ("2", received());

    frm.Details = nullptr;
    link.SetWindow(nullptr);
}

}  // namespace app
