// The floating meter windows as real windows in this process: over a stand-in main window
// (values, captions, hit testing, modes, menu, closing, opacity) and over the real gadget (the
// settings of all five windows read, applied and saved back).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "monitor/app/frmMain.h"
#include "monitor/meters/frmInternet.h"
#include "monitor/meters/frmMeter.h"
#include "monitor/settings/profile_store.h"
#include "tests/support/gadget_fixture.h"

namespace {

using settings::Meter;

struct FakeHost : meters::MeterHost {
    int readings[4] = {0, 0, 0, 0};
    int down = 0, up = 0;
    bool one = false, mainVisible = true;
    int toggles = 0, options = 0, help = 0;
    std::vector<std::pair<int, bool>> floatChecks;

    int Reading(Meter m) const override { return readings[static_cast<int>(m)]; }
    int DownRate() const override { return down; }
    int UpRate() const override { return up; }
    bool OneProcessor() const override { return one; }
    void SetFloatChecked(int w, bool c) override { floatChecks.emplace_back(w, c); }
    bool MainVisible() const override { return mainVisible; }
    void ToggleMain() override { ++toggles; }
    void ShowOptions() override { ++options; }
    void ShowHelp() override { ++help; }
    HWND owner = nullptr;  // destroyed with the host, after the windows it owns
    HWND OwnerWindow() const override { return owner; }
    ~FakeHost() {
        if (owner) DestroyWindow(owner);
    }
};

void Pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

LRESULT HitAt(const ui::Form& f, int x, int y) {
    RECT r;
    GetWindowRect(f.Handle(), &r);
    return SendMessageA(f.Handle(), WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
}

// Visible with all its parents inside the (possibly hidden) form.
bool Shown(const ui::Control& c) {
    for (const ui::Control* p = &c; p && p->Parent(); p = p->Parent())
        if (!p->Visible()) return false;
    return true;
}

// The tooltip text for a point of the window (client coordinates), after the mouse moved
// there: the body answers the hit test as a caption, so the window sees non-client moves.
std::string HintAt(meters::TMeterFrame& f, int x, int y) {
    RECT wr;
    GetWindowRect(f.Handle(), &wr);
    SendMessageA(f.Handle(), WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(wr.left + x, wr.top + y));
    const HWND tip = f.Hints.Handle();
    TTHITTESTINFOA hit{};
    hit.hwnd = f.Handle();
    hit.pt = POINT{x, y};
    hit.ti.cbSize = sizeof hit.ti;
    if (!tip || !SendMessageA(tip, TTM_HITTESTA, 0, reinterpret_cast<LPARAM>(&hit))) return "";
    char text[80] = "";
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = f.Handle();
    ti.uId = hit.ti.uId;
    ti.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    return text;
}

std::vector<std::string> Captions(const ui::PopupMenu& menu) {
    std::vector<std::string> v;
    for (const ui::MenuItem* i : menu.Items.Items())
        if (i->Visible()) v.push_back(i->Caption());
    return v;
}

TEST(MeterWindow, ValuesCaptionsEdgesModesMenuAndClose) {
    FakeHost host;
    host.one = true;
    // Owned by a hidden window, as the program's are by the application window.
    host.owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    meters::TfrmCPU1 f(host);
    f.FormCreate(nullptr);
    // Hidden tool window of its own class at its design place and size.
    char cls[32] = "";
    GetClassNameA(f.Handle(), cls, sizeof cls);
    EXPECT_STREQ(cls, "TfrmCPU1");
    EXPECT_FALSE(IsWindowVisible(f.Handle()));
    EXPECT_TRUE(GetWindowLongA(f.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    const ui::Rect r = f.WindowRect();
    EXPECT_EQ(r.left, 460);
    EXPECT_EQ(r.top, 102);
    EXPECT_EQ(f.ClientWidth(), 143);
    EXPECT_EQ(f.ClientHeight(), 25);
    // One processor: the CPU 1 window speaks of the CPU.
    EXPECT_EQ(f.mniClose.Caption(), "Close CPU");
    EXPECT_STREQ(f.Hint(), "CPU");
    EXPECT_EQ(HintAt(f, 70, 12), "CPU");

    // The hint really shows when the mouse rests on the window.
    f.SetVisible(true);
    SetCursorPos(460 + 70, 102 + 12);
    HintAt(f, 70, 12);
    const DWORD until = GetTickCount() + 5000;
    while (!IsWindowVisible(f.Hints.Handle()) && GetTickCount() < until) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Pump();
    }
    EXPECT_TRUE(IsWindowVisible(f.Hints.Handle()));
    char shown[80] = "";
    TTTOOLINFOA current{};
    current.cbSize = sizeof current;
    current.lpszText = shown;
    EXPECT_TRUE(SendMessageA(f.Hints.Handle(), TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&current)));
    EXPECT_STREQ(shown, "CPU");
    // A press hides it (the drag or the menu starts; the window's own press would start the
    // system's move loop here).
    f.Hints.Relay(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(460 + 70, 102 + 12));
    EXPECT_FALSE(IsWindowVisible(f.Hints.Handle()));
    f.SetVisible(false);

    // The scope asks; the window reads its bar and shows it everywhere.
    host.readings[0] = 5;
    f.Scope->Tick();
    EXPECT_EQ(f.lblValue.Caption(), " 5 %");
    EXPECT_EQ(f.VrGauge->Position(), 5);
    EXPECT_EQ(f.pbBar->Position(), 5);
    host.readings[0] = 10;
    f.Scope->Tick();
    EXPECT_EQ(f.lblValue.Caption(), "10 %");
    EXPECT_EQ(f.Scope->Model().ChannelHistory(0).At(0), 10);

    // Standard mode: 5-pixel edges, the bar drags the window.
    EXPECT_EQ(HitAt(f, 2, 12), HTLEFT);
    EXPECT_EQ(HitAt(f, 4, 12), HTLEFT);
    EXPECT_EQ(HitAt(f, 5, 12), HTCAPTION);
    EXPECT_EQ(HitAt(f, 140, 22), HTBOTTOMRIGHT);
    EXPECT_EQ(HitAt(f, 70, 1), HTTOP);
    // Under 15 pixels high the edges are 3 pixels.
    f.SetClientSize(143, 14);
    EXPECT_EQ(HitAt(f, 2, 7), HTLEFT);
    EXPECT_EQ(HitAt(f, 4, 7), HTCAPTION);

    // Enhanced mode: 125 x 40, gauge and value beside the scope, which takes the mouse.
    f.mniEnhanced.Click();
    EXPECT_EQ(f.ClientWidth(), 125);
    EXPECT_EQ(f.ClientHeight(), 40);
    EXPECT_FALSE(f.pbBar.Visible());
    EXPECT_TRUE(Shown(f.Scope));
    EXPECT_TRUE(Shown(f.VrGauge));
    EXPECT_TRUE(Shown(f.lblValue));
    EXPECT_EQ(f.Scope.HostRect().left, 27);
    EXPECT_EQ(HitAt(f, 80, 20), HTCLIENT);
    EXPECT_EQ(HitAt(f, 123, 20), HTRIGHT);
    // Without the bar graph the scope fills the window inside its one-pixel bevel.
    f.mniGraph.Click();
    EXPECT_FALSE(Shown(f.VrGauge));
    EXPECT_EQ(f.Scope.HostRect().left, 1);
    EXPECT_EQ(f.Scope.Width(), 123);
    EXPECT_EQ(f.Scope.Height(), 38);

    // The menu as it pops up in each mode.
    host.mainVisible = false;
    f.PopupMenu1Popup();
    EXPECT_EQ(Captions(f.PopupMenu1),
              (std::vector<std::string>{"Always On Top", "Show Bar Graph", "-", "Enhanced Mode",
                                        "Show Main Window", "-", "Snap", "Show Windows Border", "-",
                                        "Alpha Blending", "-", "Options", "-", "Help", "Close CPU"}));
    f.mniEnhanced.Click();
    host.mainVisible = true;
    f.PopupMenu1Popup();
    EXPECT_EQ(f.mniHide.Caption(), "Hide Main Window");
    EXPECT_FALSE(f.mniGraph.Visible());
    EXPECT_TRUE(f.mniHorizontal.Visible());
    EXPECT_TRUE(f.mniTransparent.Visible());
    EXPECT_TRUE(f.pbBar.Visible());
    EXPECT_EQ(f.ClientWidth(), 125);  // the size stays
    f.mniHide.Click();
    f.mniOptions.Click();
    f.mniHelp.Click();
    EXPECT_EQ(host.toggles + host.options + host.help, 3);

    // Horizontal off: the bar fills from the bottom.
    f.mniHorizontal.Click();
    EXPECT_EQ(f.pbBar->Direction(), widgets::TALProgressBar::BottomToTop);

    // The close item hides the window and unchecks its float item.
    f.SetVisible(true);
    f.mniClose.Click();
    Pump();
    EXPECT_FALSE(IsWindowVisible(f.Handle()));
    ASSERT_FALSE(host.floatChecks.empty());
    EXPECT_EQ(host.floatChecks.back(), std::make_pair(0, false));
}

TEST(MeterWindow, WindowsBorderKeepsTheOpacityAndVariableBlendingFollowsTheBar) {
    FakeHost host;
    meters::TfrmRAM f(host);
    // The graph's frame takes its outline from the template: here none.
    ui::Panel flat;
    f.FormCreate(nullptr, &flat);
    EXPECT_EQ(f.mniClose.Caption(), "Close RAM");
    EXPECT_EQ(HintAt(f, 70, 12), "RAM");
    f.mniEnhanced.Click();
    EXPECT_EQ(f.Scope.HostRect().left, 26);
    EXPECT_EQ(f.Scope.Width(), 99);
    EXPECT_EQ(f.Scope.Height(), 40);
    f.mniEnhanced.Click();
    f.SetVisible(true);
    auto layered = [&] { return (GetWindowLongA(f.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0; };
    // No blending before: none after either (black must not turn transparent).
    EXPECT_FALSE(layered());
    f.mniBorder.Click();
    EXPECT_TRUE(GetWindowLongA(f.Handle(), GWL_STYLE) & WS_THICKFRAME);
    EXPECT_FALSE(layered());
    EXPECT_FALSE(f.Blend.TransparentColor());
    EXPECT_EQ(HitAt(f, 6, 15), HTLEFT);  // 8-pixel edges with the border
    f.mniBorder.Click();
    EXPECT_FALSE(layered());
    // With alpha blending on, the border keeps it, still without the colour key.
    f.mniAlpha.Click();
    f.mniBorder.Click();
    EXPECT_TRUE(layered());
    EXPECT_TRUE(f.Blend.AlphaBlend());
    EXPECT_FALSE(f.Blend.TransparentColor());
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(f.Handle(), &key, &alpha, &flags));
    EXPECT_EQ(alpha, 180);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));

    f.VariableBlend = true;
    f.AlphaBase = 73;
    f.AlphaRange = 182;
    app::StepVariableBlend(f.BlendSeam(), 50);
    EXPECT_EQ(f.Blend.AlphaBlendValue(), 164);
    ASSERT_TRUE(GetLayeredWindowAttributes(f.Handle(), &key, &alpha, &flags));
    EXPECT_EQ(alpha, 164);
}

TEST(MeterWindow, SnapStayOnTopAndTransparentBackground) {
    FakeHost host;
    meters::TfrmSwap f(host);
    f.FormCreate(nullptr);
    f.SetVisible(true);
    // The tooltip is not the window's own popup (under Wine one would keep the window from
    // becoming top-most again), but goes with the window's owner.
    EXPECT_EQ(GetWindow(f.Hints.Handle(), GW_OWNER), GetWindow(f.Handle(), GW_OWNER));
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    auto moveTo = [&](int x, int y) {
        SetWindowPos(f.Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return f.WindowRect();
    };
    // Within 10 pixels of an edge the window goes flush to it; Snap off leaves it where put.
    EXPECT_EQ(moveTo(work.left + 8, 300).left, work.left);
    EXPECT_EQ(moveTo(400, work.bottom - f.WindowRect().height - 9).top, work.bottom - f.WindowRect().height);
    EXPECT_EQ(moveTo(work.left + 11, 300).left, work.left + 11);
    f.mniSnap.Click();
    EXPECT_EQ(moveTo(work.left + 8, 300).left, work.left + 8);

    auto topmost = [&] { return (GetWindowLongA(f.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    EXPECT_TRUE(topmost());
    f.mniAlwaysOnTop.Click();
    EXPECT_FALSE(topmost());
    f.mniAlwaysOnTop.Click();
    EXPECT_TRUE(topmost());

    // The black background keyed out in standard mode only, and again after Enhanced mode.
    auto keyed = [&] {
        COLORREF key = 1;
        BYTE alpha = 0;
        DWORD flags = 0;
        return GetLayeredWindowAttributes(f.Handle(), &key, &alpha, &flags) && (flags & LWA_COLORKEY) &&
               key == 0;
    };
    f.mniTransparent.Click();
    EXPECT_TRUE(keyed());
    f.mniEnhanced.Click();
    EXPECT_FALSE(f.Blend.TransparentColor());
    f.mniEnhanced.Click();
    EXPECT_TRUE(keyed());
    f.mniTransparent.Click();
    EXPECT_FALSE(GetWindowLongA(f.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST(NetworkWindow, RatesLimitLabelsAndBarGraph) {
    FakeHost host;
    settings::MemoryProfileStore store;
    store.Parse("[Network]\nUpperLimit=50\n");
    settings::SettingsFile file(store);
    meters::TfrmInternet f(host);
    f.FormCreate(&file);
    EXPECT_EQ(f.ClientWidth(), 155);
    EXPECT_EQ(f.ClientHeight(), 50);
    EXPECT_EQ(f.WindowRect().left, 387);
    EXPECT_EQ(f.Scope->MaxValue(), 50);
    EXPECT_EQ(f.DownGauge->MaxValue(), 50);
    EXPECT_EQ(f.UpGauge->MaxValue(), 50);
    // The white design markers take the gauges' active colours from the section's defaults.
    EXPECT_EQ(f.lblDownArrow.MarkColor(), 65177u);
    EXPECT_EQ(f.lblUpArrow.MarkColor(), 16750949u);
    EXPECT_EQ(Captions(f.PopupMenu1),
              (std::vector<std::string>{"Always On Top", "Show Bar Graph", "Hide Main Window", "-", "Snap",
                                        "Show Windows Border", "-", "Alpha Blending", "-", "Options", "-",
                                        "Help", "Close Network"}));

    // Channel 0 is the upload rate, channel 1 the download rate; past the limit the gauges
    // read full and the scope keeps the limit.
    host.up = 80;
    host.down = 7;
    f.Scope->Tick();
    EXPECT_EQ(f.UpGauge->Position(), 50);
    EXPECT_EQ(f.DownGauge->Position(), 7);
    EXPECT_EQ(f.Scope->Model().ChannelHistory(0).At(0), 50);
    EXPECT_EQ(f.Scope->Model().ChannelHistory(1).At(0), 7);
    EXPECT_EQ(f.lblUpValue.Caption(), " 80");
    EXPECT_EQ(f.lblDownValue.Caption(), " 7");
    host.down = 100;
    f.Scope->Tick();
    EXPECT_EQ(f.lblDownValue.Caption(), "100");
    EXPECT_EQ(f.DownGauge->Position(), 50);

    EXPECT_TRUE(Shown(f.UpGauge));
    EXPECT_EQ(f.UpGauge.Left(), 26);
    // The markers' cells: down at 3, two below the digits' top; up at 25, level with it; both
    // arrows drawn at one height.
    EXPECT_EQ(f.lblDownArrow.Left(), 3);
    EXPECT_EQ(f.lblDownArrow.Top(), f.lblDownValue.Top() + 2);
    EXPECT_EQ(f.lblUpArrow.Left(), 25);
    EXPECT_EQ(f.lblUpArrow.Top(), f.lblUpValue.Top());
    EXPECT_EQ(f.lblDownArrow.Top() + f.lblDownArrow.GlyphTop(), f.lblUpArrow.Top() + f.lblUpArrow.GlyphTop());
    // Each gauge names its rate; the labels, the scope and the rest name the window.
    EXPECT_EQ(HintAt(f, 6, 10), "Download Rate");
    EXPECT_EQ(HintAt(f, 28, 10), "Upload Rate");
    EXPECT_EQ(HintAt(f, 10, 44), "Network Transfer Rates");
    EXPECT_EQ(HintAt(f, 100, 25), "Network Transfer Rates");
    EXPECT_EQ(HitAt(f, 30, 10), HTCLIENT);  // a gauge: a left press there drags
    EXPECT_EQ(HitAt(f, 48, 25), HTCAPTION);
    f.mniGraph.Click();
    EXPECT_FALSE(Shown(f.DownGauge));
    EXPECT_EQ(f.Scope.HostRect().left, 1);
    EXPECT_EQ(f.Scope.Width(), 153);
    EXPECT_EQ(f.Scope.Height(), 48);
    EXPECT_EQ(HintAt(f, 6, 10), "Network Transfer Rates");
    // An upper limit of 0 or less is refused: the scope keeps a range.
    f.SetUpperLimit(0);
    EXPECT_EQ(f.Scope->MaxValue(), 50);
}

// Every key of the five sections, as stored (WindowsBorder is written, never read back).
const char* const kSections[][2] = {
    {"CPU1",
     "Show=1\nWidth=150\nHeight=30\nLeft=300\nTop=200\nAlwaysOnTop=0\nSnap=0\nHorizontal=0\n"
     "BarGraph=0\nEnhanced=0\nWindowsBorder=0\nTransparentBackground=1\nAlphaBlend=1\n"
     "VariableBlend=1\nAlphaBlendValue=99\nAlphaBase=12\nAlphaRange=200\nStandardBackground=1118481\n"
     "StandardLow=2236962\nStandardMedium=3355443\nStandardHigh=4473924\nEnBackground=5592405\n"
     "EnGrid=6710886\nEnLine=7829367\nEnGaugeBack=8947848\nEnGauge=10066329\n"},
    {"CPU2",
     "Show=0\nWidth=125\nHeight=40\nLeft=310\nTop=260\nAlwaysOnTop=1\nSnap=1\nHorizontal=1\n"
     "BarGraph=1\nEnhanced=1\nWindowsBorder=0\nTransparentBackground=0\nAlphaBlend=0\n"
     "VariableBlend=0\nAlphaBlendValue=300\nAlphaBase=-5\nAlphaRange=255\nStandardBackground=-1\n"
     "StandardLow=1\nStandardMedium=2\nStandardHigh=3\nEnBackground=4\nEnGrid=5\nEnLine=6\n"
     "EnGaugeBack=7\nEnGauge=8\n"},
    {"Swap",
     "Show=0\nWidth=160\nHeight=22\nLeft=320\nTop=330\nAlwaysOnTop=1\nSnap=0\nHorizontal=0\n"
     "BarGraph=1\nEnhanced=0\nWindowsBorder=0\nTransparentBackground=0\nAlphaBlend=1\n"
     "VariableBlend=0\nAlphaBlendValue=10\nAlphaBase=0\nAlphaRange=100\nStandardBackground=0\n"
     "StandardLow=3394611\nStandardMedium=131071\nStandardHigh=255\nEnBackground=0\nEnGrid=21760\n"
     "EnLine=65535\nEnGaugeBack=32768\nEnGauge=65280\n"},
    {"Network",
     "Show=1\nWidth=200\nHeight=60\nLeft=330\nTop=400\nAdapter=3\nUpperLimit=70\nAlphaBlend=1\n"
     "AlphaBlendValue=77\nDownloadGaugeBackground=11\nDownloadGaugeActive=12\nUploadGaugeBackground=13\n"
     "UploadGaugeActive=14\nNetworkBackground=15\nGraphBackground=16\nGridColor=17\nDownloadColor=18\n"
     "UploadColor=19\nAlwaysOnTop=0\n"},
};

TEST(FloatingWindowSettings, EveryKeyOfTheFiveSectionsRoundTripsThroughTheLiveWindows) {
    std::string ini = "[Main]\nFirstTime=0\nShow=0\n";
    for (const auto& s : kSections) ini += std::string("[") + s[0] + "]\n" + s[1];
    // A stored Enhanced window opens at 125 x 40 whatever its size says.
    ini += "[RAM]\nEnhanced=1\nWidth=300\nHeight=90\nWindowsBorder=1\n";
    settings::MemoryProfileStore store;

    app::TfrmMain frm;
    testgadget::Load(frm, store, ini);
    const settings::SettingsFile* file = frm.SettingsFile.get();
    meters::TfrmCPU1 cpu1(frm);
    cpu1.FormCreate(file);
    meters::TfrmSwap swap(frm);
    swap.FormCreate(file);
    meters::TfrmCPU2 cpu2(frm);
    cpu2.FormCreate(file);
    meters::TfrmInternet net(frm);
    net.FormCreate(file);
    meters::TfrmRAM ram(frm);
    ram.FormCreate(file);
    frm.AttachFloatingWindows({&cpu1, &cpu2, &ram, &swap}, &net);

    // Applied to the windows.
    EXPECT_EQ(ram.ClientWidth(), 125);
    EXPECT_EQ(ram.ClientHeight(), 40);
    EXPECT_FALSE(ram.mniBorder.Checked());
    EXPECT_TRUE(IsWindowVisible(cpu1.Handle()));
    EXPECT_TRUE(IsWindowVisible(net.Handle()));
    EXPECT_FALSE(IsWindowVisible(cpu2.Handle()));
    EXPECT_TRUE(frm.mniFloatCPU1.Checked());
    EXPECT_TRUE(frm.mniFloatInternet.Checked());
    EXPECT_FALSE(frm.mniFloatRAM.Checked());
    EXPECT_EQ(cpu1.pbBar->Direction(), widgets::TALProgressBar::BottomToTop);
    EXPECT_EQ(cpu1.StickTo, ui::TdfsStickyForm::soNothing);
    EXPECT_FALSE(GetWindowLongA(cpu1.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(cpu1.Blend.TransparentColor());
    EXPECT_EQ(cpu1.Blend.AlphaBlendValue(), 99);
    EXPECT_EQ(cpu2.Blend.AlphaBlendValue(), 300 % 256);
    EXPECT_EQ(cpu1.lblValue.Caption(), "");
    EXPECT_EQ(cpu1.Scope->Channels()[0].Color(), 7829367u);
    EXPECT_EQ(net.Scope->MaxValue(), 70);
    EXPECT_EQ(net.UpGauge->MaxValue(), 70);
    EXPECT_EQ(net.lblUpArrow.MarkColor(), 14u);
    EXPECT_EQ(frm.AdapterIndex, 3);

    // The float items show and hide the windows; the tick's blending reaches them.
    frm.mniFloatRAM.Click();
    EXPECT_TRUE(IsWindowVisible(ram.Handle()));
    EXPECT_EQ(frm.FloatBlend[2], &ram.BlendSeam());

    frm.mniFloatRAM.Click();
    frm.SaveSettings();
    for (const auto& s : kSections) {
        std::string text = s[1];
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t eq = text.find('=', at), nl = text.find('\n', at);
            const std::string key = text.substr(at, eq - at), value = text.substr(eq + 1, nl - eq - 1);
            EXPECT_EQ(store.Read(s[0], key.c_str(), "?"), value) << s[0] << "/" << key;
            at = nl + 1;
        }
    }
    EXPECT_EQ(store.Read("RAM", "Width", "?"), "125");
    EXPECT_EQ(store.Read("RAM", "Height", "?"), "40");
    EXPECT_EQ(store.Read("RAM", "Show", "?"), "0");
    EXPECT_EQ(store.Read("RAM", "WindowsBorder", "?"), "0");
    frm.AttachFloatingWindows({nullptr, nullptr, nullptr, nullptr}, nullptr);
}

}  // namespace
