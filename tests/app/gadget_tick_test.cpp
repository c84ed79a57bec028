// The real gadget's TimerTimer over fake readings: what lands in the bars, the rate digits and
// labels, the tray icons, the status line, System Details and the floating windows' opacity.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "monitor/app/frmMain.h"
#include "tests/support/fake_metrics.h"

namespace app {
namespace {

using FakeSource = FakeMetricSource;

struct FakeDetails : DetailsWindow, AdapterListSink {
    bool shown = true;
    std::vector<std::string>* log = nullptr;
    std::vector<uint32_t> rows;
    bool ShownNotMinimised() const override { return shown; }
    void Refresh() override { log->push_back("details"); }
    AdapterListSink& Adapters() override { return *this; }
    void AdapterCounters(const InterfaceCounters& r) override { rows.push_back(r.index); }
};

struct FakeFloat : BlendWindow {
    int opacity = 180;
    int base = 100;
    int calls = 0;
    bool Visible() const override { return true; }
    bool VariableBlend() const override { return true; }
    bool AlphaBlend() const override { return true; }
    int AlphaBase() const override { return base; }
    int AlphaRange() const override { return 155; }
    int Opacity() const override { return opacity; }
    void SetOpacity(int v) override {
        opacity = v;
        if (++calls > 100000) throw std::runtime_error("runaway blending");
    }
};

std::string Decimal(const char* whole, const char* tenths) {
    char sep[8] = ".";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, sizeof sep);
    return std::string(whole) + (sep[0] ? sep[0] : '.') + tenths;
}

struct GadgetTick : ::testing::Test {
    ui::Application application{GetModuleHandleA(nullptr), "Corvane Statwell"};
    FakeSource src;
    TfrmMain frm{&src};

    void SetUp() override {
        frm.dfsStickyFormCreate();
        frm.Timer.SetEnabled(false);
        // Whatever Statwell.ini beside the test said: the design size, interface row 1.
        frm.SetClientSize(kDesignClientWidth, kDesignClientHeight);
        frm.AdapterIndex = 1;
        frm.DownOctets = frm.UpOctets = 0;
    }
};

TEST_F(GadgetTick, ReadingsReachBarsDigitsLabelsAndTrayIcons) {
    src.load[0] = 0.37;
    frm.TimerTimer();
    EXPECT_EQ(frm.barCPU1->Position(), 37);
    EXPECT_EQ(frm.barRAM->Position(), 40);
    EXPECT_EQ(frm.barSwap->Position(), 3);
    EXPECT_STREQ(frm.CoolTrayIcon.Hint(), "CPU Usage: 37%");
    EXPECT_STREQ(frm.TextTrayIcon.Hint(), "CPU Usage: 37%");
    EXPECT_STREQ(frm.TextTrayIcon.Text(), "37");
    EXPECT_EQ(frm.Tick().TrayImage(), 4);

    // 2765 bytes down and 15 KB up in one second.
    src.rows[1].inOctets += 2765;
    src.rows[1].outOctets += 15 * 1024;
    frm.TimerTimer();
    EXPECT_EQ(frm.lcdDown1->Value(), 2);
    EXPECT_EQ(frm.lcdDown2->Value(), 7);
    EXPECT_EQ(frm.lblDownload.Caption(), Decimal("2", "7"));
    EXPECT_EQ(frm.lcdUp1->Value(), 15);
    EXPECT_EQ(frm.lcdUp2->Value(), 0);
    EXPECT_EQ(frm.lblUpload.Caption(), "15");

    // The tray picture: 8 and 0 share image 0, 9 starts image 1, 97 and 100 share image 12.
    src.load[0] = 0.0;
    frm.TimerTimer();
    const HICON idle = frm.CoolTrayIcon.GetIcon();
    src.load[0] = 0.08;
    frm.TimerTimer();
    EXPECT_EQ(frm.CoolTrayIcon.GetIcon(), idle);
    src.load[0] = 0.09;
    frm.TimerTimer();
    EXPECT_NE(frm.CoolTrayIcon.GetIcon(), idle);
    src.load[0] = 0.97;
    frm.TimerTimer();
    const HICON full = frm.CoolTrayIcon.GetIcon();
    src.load[0] = 1.0;
    frm.TimerTimer();
    EXPECT_EQ(frm.CoolTrayIcon.GetIcon(), full);
    EXPECT_EQ(frm.Tick().TrayImage(), 12);

    // A load past 100 %: the bar keeps 100, the hint and the text icon say what was read.
    src.load[0] = 1.02;
    frm.TimerTimer();
    EXPECT_EQ(frm.barCPU1->Position(), 100);
    EXPECT_STREQ(frm.CoolTrayIcon.Hint(), "CPU Usage: 102%");
    EXPECT_STREQ(frm.TextTrayIcon.Text(), "102");
}

TEST_F(GadgetTick, StatusLineSingleDualAndBlankAfterATextThatDidNotFit) {
    src.load[0] = 0.12;
    frm.DualCPU = false;
    frm.TimerTimer();
    EXPECT_EQ(frm.pnlStatus.Caption(), "CPU 12  RAM 40 Swap 3");

    frm.DualCPU = true;
    src.load[1] = 0.30;
    frm.TimerTimer();
    EXPECT_EQ(frm.barCPU2->Position(), 30);
    EXPECT_EQ(frm.pnlStatus.Caption(), "CPU 12  CPU 30  RAM 40 Swap 3");

    // Narrower than the last text: blank, while the new text waits in pnlMeasure.
    frm.SetClientSize(30, kDesignClientHeight);
    ASSERT_LT(frm.pnlStatus.Width(), 60);
    frm.TimerTimer();
    EXPECT_EQ(frm.pnlStatus.Caption(), "");
    EXPECT_EQ(frm.pnlMeasure.Caption(), "CPU 12  CPU 30  RAM 40 Swap 3");
    frm.TimerTimer();
    EXPECT_EQ(frm.pnlStatus.Caption(), "") << "stays blank";
    frm.SetClientSize(kDesignClientWidth, kDesignClientHeight);
    frm.TimerTimer();
    EXPECT_EQ(frm.pnlStatus.Caption(), "CPU 12  CPU 30  RAM 40 Swap 3") << "fits again";
}

TEST_F(GadgetTick, DetailsRefreshFirstAdaptersToldAndFloatingOpacityStepped) {
    std::vector<std::string> log;
    FakeDetails details;
    details.log = &log;
    src.log = &log;
    frm.Details = &details;
    FakeFloat cpu1;
    frm.FloatBlend[0] = &cpu1;

    src.load[0] = 1.0;
    frm.TimerTimer();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "details") << "System Details shows the previous tick's readings";
    EXPECT_EQ(log[1], "sample");
    EXPECT_FALSE(details.rows.empty()) << "the adapters list hears every table read while shown";
    EXPECT_EQ(cpu1.opacity, 255);

    details.shown = false;
    details.rows.clear();
    log.clear();
    src.load[0] = 0.0;
    frm.TimerTimer();
    EXPECT_EQ(log, std::vector<std::string>{"sample"});
    EXPECT_TRUE(details.rows.empty());
    EXPECT_EQ(cpu1.opacity, 100);

    // A sampler error ends the tick: the bars keep their readings, the opacity its value.
    src.failSample = true;
    src.load[0] = 0.5;
    EXPECT_THROW(frm.TimerTimer(), std::runtime_error);
    EXPECT_EQ(frm.barCPU1->Position(), 0);
    EXPECT_EQ(cpu1.opacity, 100);
    frm.Details = nullptr;
    frm.FloatBlend[0] = nullptr;
}

TEST_F(GadgetTick, HandEditedAlphaBaseFinishesTheTickAtOnce) {
    FakeFloat swap;
    swap.base = 1000000000;
    frm.FloatBlend[3] = &swap;
    ASSERT_NO_THROW(frm.TimerTimer());
    EXPECT_EQ(swap.opacity, 255);
    EXPECT_LE(swap.calls, 256);
    frm.FloatBlend[3] = nullptr;
}

// Saves what the screen shows of `wnd` as a 24-bit .bmp file (to look at it enlarged).
void SaveScreenPicture(HWND wnd, const char* path) {
    UpdateWindow(wnd);
    RECT r;
    GetWindowRect(wnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD size = static_cast<DWORD>(((w * 3 + 3) & ~3) * h);
    BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader + size), 0, 0,
                        static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader)};
    if (FILE* f = fopen(path, "wb")) {
        fwrite(&fh, sizeof fh, 1, f);
        fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f);
        fwrite(bits, size, 1, f);
        fclose(f);
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

// Nothing of a rate LCD's number lies past its right edge, and the digit groups neither
// overlap each other nor leave the network panel.
void ExpectRatesUncut(TfrmMain& f) {
    for (TVrNumControl* lcd : {&f.lcdDown1, &f.lcdUp1, &f.lcdDown2, &f.lcdUp2}) {
        const widgets::TVrNum& n = *lcd->operator->();
        const widgets::lcd::CellRow row =
            widgets::lcd::BuildCellRow({n.Value(), n.Digits(), n.LeadingZero(), n.ZeroBlank(), n.Min() < 0});
        EXPECT_EQ(row.count, n.Digits()) << "a cell beyond the LCD's own";
        EXPECT_LE(widgets::lcd::RowWidth(n.Digits(), false, n.CellWidth(), n.Spacing()), lcd->Width());
        EXPECT_GE(lcd->Left(), 0);
        EXPECT_LE(lcd->Left() + lcd->Width(), f.pnlNetwork.Width());
    }
    EXPECT_LT(f.lcdDown1.Left() + f.lcdDown1.Width(), f.lblDownPoint.Left() + 2);
    EXPECT_LE(f.lcdDown2.Left() + f.lcdDown2.Width(), f.lcdUp1.Left());
    EXPECT_LT(f.lcdUp1.Left() + f.lcdUp1.Width(), f.lblUpPoint.Left() + 2);
}

TEST_F(GadgetTick, FourDigitRatesGetAFourthCellOnBothLcdsAndGiveItBack) {
    frm.Show();
    frm.TimerTimer();
    EXPECT_EQ(frm.lcdDown1->Digits(), 3);
    const int narrow = frm.lcdDown1.Width();

    // 1515.5 KB/s down, 2 KB/s up.
    src.rows[1].inOctets += 1515 * 1024 + 512;
    src.rows[1].outOctets += 2 * 1024;
    frm.TimerTimer();
    EXPECT_EQ(frm.lcdDown1->Value(), 1515);
    EXPECT_EQ(frm.lcdDown2->Value(), 5);
    EXPECT_EQ(frm.lcdDown1->Digits(), 4);
    EXPECT_EQ(frm.lcdUp1->Digits(), 4) << "both whole-part LCDs alike";
    EXPECT_GT(frm.lcdDown1.Width(), narrow);
    ExpectRatesUncut(frm);
    // GADGET_PICTURES names a folder (with its trailing backslash) for pictures to look at.
    const char* pictures = getenv("GADGET_PICTURES");
    if (pictures) SaveScreenPicture(frm.Handle(), (std::string(pictures) + "rates-small.bmp").c_str());

    frm.mniBigClick(frm.mniBig);  // the larger digits keep the fourth cell and fit too
    EXPECT_EQ(frm.lcdDown1->Digits(), 4);
    ExpectRatesUncut(frm);
    if (pictures) SaveScreenPicture(frm.Handle(), (std::string(pictures) + "rates-big.bmp").c_str());
    frm.mniSmallClick(frm.mniSmall);

    // The top of the range reads 9999.
    src.rows[1].inOctets += 20000 * 1024;
    frm.TimerTimer();
    EXPECT_EQ(frm.lcdDown1->Value(), 9999);
    ExpectRatesUncut(frm);

    // 999.9 KB/s: three cells again, where they were before.
    src.rows[1].inOctets += 999 * 1024 + 900;
    frm.TimerTimer();
    EXPECT_EQ(frm.lcdDown1->Value(), 999);
    EXPECT_EQ(frm.lcdDown1->Digits(), 3);
    EXPECT_EQ(frm.lcdUp1->Digits(), 3);
    EXPECT_EQ(frm.lcdDown1.Width(), narrow);
    ExpectRatesUncut(frm);
}

TEST_F(GadgetTick, ResumeFromSleepGivesOneZeroReadingInsteadOfASpike) {
    frm.TimerTimer();
    src.rows[1].inOctets += 3 * 1024;
    frm.TimerTimer();
    EXPECT_EQ(frm.lcdDown1->Value(), 3);
    // Asleep: the counter was reset meanwhile (a wrapped difference would read 4 GB).
    src.rows[1].inOctets = 10;
    SendMessageA(frm.Handle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    frm.TimerTimer();
    EXPECT_EQ(frm.lcdDown1->Value(), 0);
    EXPECT_EQ(frm.lcdDown1->Digits(), 3) << "no spike, so no fourth cell either";
    src.rows[1].inOctets += 2 * 1024;
    frm.TimerTimer();
    EXPECT_EQ(frm.lcdDown1->Value(), 2);
}

bool NeedsPaint(HWND wnd) {
    RECT r;
    return GetUpdateRect(wnd, &r, FALSE) != FALSE;
}

TEST_F(GadgetTick, RepaintsOnlyWhatChangedOnTheScreen) {
    frm.Show();
    src.load[0] = 0.25;
    frm.TimerTimer();
    frm.TimerTimer();
    UpdateWindow(frm.Handle());
    ASSERT_FALSE(NeedsPaint(frm.Handle()));

    frm.TimerTimer();  // the same readings again
    EXPECT_FALSE(NeedsPaint(frm.Handle())) << "nothing changed, nothing to repaint";

    // Rates under the hidden network panel change: nothing on the screen does.
    frm.pnlNetwork.Hide();
    UpdateWindow(frm.Handle());
    src.rows[1].inOctets += 50 * 1024;
    frm.TimerTimer();
    EXPECT_EQ(frm.lcdDown1->Value(), 50);
    EXPECT_FALSE(NeedsPaint(frm.Handle())) << "digits under a hidden panel are not repainted";

    src.load[0] = 0.75;
    frm.TimerTimer();
    EXPECT_TRUE(NeedsPaint(frm.Handle())) << "a new CPU reading repaints its bar";
    frm.pnlNetwork.Show();
}

TEST(HostedWidgets, StartAtTheWidgetsOwnSize) {
    ui::Hosted<widgets::TVrNum> lcd;
    EXPECT_EQ(lcd.Width(), 26);
    EXPECT_EQ(lcd.Height(), 100);
    lcd->SetStyle(widgets::ns5x7);
    lcd->SetDigits(3);
    lcd->SetAutoSize(true);
    EXPECT_EQ(lcd.Width(), 16);
    EXPECT_EQ(lcd.Height(), 7);
}

}  // namespace
}  // namespace app
