#include "monitor/stopwatch/frmStopWatch.h"

#include "monitor/metrics/ip_functions.h"

namespace stopwatch {

// ---- the platform sources

// The octet rule over the system's interface table, with the monitor's current choice.
class TfrmStopWatch::TableCounters final : public CounterSource {
public:
    explicit TableCounters(const TfrmStopWatch& form) : form_(form) {}
    bool Read(metrics::Octets& octets, TableShape& shape) override {
        metrics::IfTablePtr table;
        std::uint32_t size = 0;
        metrics::GetInterfaceTable(table, size, true);
        if (!table) return false;
        // Only rows that lie inside the block count.
        const std::uint32_t rows = metrics::InterfaceRowsInBlock(table->dwNumEntries, size);
        if (rows == 0) return false;
        const std::int32_t choice = form_.AdapterIndex ? form_.AdapterIndex() : 1;
        metrics::SelectOctets(choice, table->table, rows, octets);
        shape = ShapeOf(choice, table->table, rows);
        return true;
    }

private:
    const TfrmStopWatch& form_;
};

class TfrmStopWatch::PerformanceClock final : public Clock {
public:
    PerformanceClock() {
        LARGE_INTEGER f;
        if (QueryPerformanceFrequency(&f) && f.QuadPart > 0)
            frequency_ = static_cast<std::uint64_t>(f.QuadPart);
    }
    std::uint64_t NowMs() override {
        LARGE_INTEGER c;
        if (!frequency_ || !QueryPerformanceCounter(&c)) return GetTickCount();
        const std::uint64_t n = static_cast<std::uint64_t>(c.QuadPart);
        // Split so that the product cannot overflow however long the system has run.
        return n / frequency_ * 1000 + n % frequency_ * 1000 / frequency_;
    }

private:
    std::uint64_t frequency_ = 0;
};

// ---- the pictures between the digits and the value cells

void TimeSeparator::PaintSelf(HDC dc, const ui::Rect& r) {
    Control::PaintSelf(dc, r);
    ui::Brush dot(CreateSolidBrush(dot_));
    // Two-pixel dots like the digits' segments: the colon at a third and two thirds of the
    // digit height, the point on its base line.
    const int x = r.left + (r.width - 2) / 2;
    auto square = [&](int y) {
        RECT d{x, y, x + 2, y + 2};
        FillRect(dc, &d, dot.get());
    };
    if (kind_ == Colon) {
        square(r.top + r.height * 3 / 10);
        square(r.top + r.height * 13 / 20);
    } else {
        square(r.bottom() - 2);
    }
}

void ValuePanel::PaintSelf(HDC dc, const ui::Rect& r) {
    Control::PaintSelf(dc, r);
    RECT rc{r.left, r.top, r.right(), r.bottom()};
    DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);
    if (Caption().empty()) return;
    ui::Selected font(dc, GetFont() ? static_cast<HGDIOBJ>(GetFont()) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextA(dc, Caption().c_str(), static_cast<int>(Caption().size()), &rc,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// ---- the form

TfrmStopWatch::TfrmStopWatch(CounterSource* counters, Clock* clock)
    : ui::Form("TfrmStopWatch"), Timer(*this, 100), counters_(counters), clock_(clock) {
    if (!counters_) {
        ownCounters_ = std::make_unique<TableCounters>(*this);
        counters_ = ownCounters_.get();
    }
    if (!clock_) {
        ownClock_ = std::make_unique<PerformanceClock>();
        clock_ = ownClock_.get();
    }
}

TfrmStopWatch::~TfrmStopWatch() { Timer.SetEnabled(false); }

void TfrmStopWatch::FormCreate() {
    ui::FormStyle fs;
    fs.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    fs.exStyle = WS_EX_APPWINDOW;  // owned by the desktop: a taskbar button of its own
    CreateHandle(fs, kClientWidth, kClientHeight, "Network Stopwatch");
    fontForm = ui::MakeFont("MS Sans Serif", 8);
    BuildControls();
    Timer.SetEnabled(false);
    Timer.OnTimer = [this] { TimerTimer(); };
    SetAlwaysOnTop(true);
}

void TfrmStopWatch::BuildControls() {
    HFONT font = fontForm.get();

    btnStart.SetParent(this);
    btnStart.SetBounds(183, 8, 100, 25);
    btnStart->SetCaption(run_.ButtonCaption());
    btnStart->SetFont(font);
    btnStart->SetBorderColors(0x808080, 0x000000, 0x000000);  // clGray, clBlack, clBlack
    btnStart->SetColorEnter(11974332);
    btnStart->SetColorLeave(widgets::SysColour(COLOR_BTNFACE));
    btnStart->OnClick = [this](widgets::TVrHyperButton&) { btnStartClick(); };

    cbTop.SetParent(this);
    cbTop.SetBounds(183, 36, 100, 17);
    cbTop.SetText("Always On Top");
    cbTop.SetFont(font);
    cbTop.SetChecked(true);
    cbTop.SetTabStop(false);
    cbTop.OnClick = ui::Bind(this, &TfrmStopWatch::cbTopClick);

    // hh:mm:ss.t centred on the black panel.
    pnlTime.SetParent(this);
    pnlTime.SetBounds(8, 8, 167, 42);
    pnlTime.SetColor(RGB(0, 0, 0));
    constexpr int kColonWidth = 8, kPointWidth = 6;
    ui::Hosted<widgets::TVrNum>* lcds[] = {&lcdHour, &lcdMin, &lcdSec, &lcdMSec};
    int width = 2 * kColonWidth + kPointWidth;
    for (auto* l : lcds) {
        l->SetParent(&pnlTime);
        (*l)->SetStyle(widgets::ns11x20);
        (*l)->SetDigits(l == &lcdMSec ? 1 : 2);
        (*l)->SetLeadingZero(true);
        (*l)->SetMax(99);
        (*l)->SetColor(RGB(0, 0, 0));
        (*l)->SetPalette(kDigitLow, kDigitHigh);
        (*l)->SetAutoSize(true);
        l->ApplyAutoSize();
        width += l->Width();
    }
    const int digitTop = (pnlTime.Height() - lcdHour.Height()) / 2;
    int x = (pnlTime.Width() - width) / 2;
    auto place = [&](ui::Control& c, int w) {
        c.SetBounds(x, digitTop, w, lcdHour.Height());
        x += w;
    };
    TimeSeparator* seps[] = {&imgColon1, &imgColon2, &imgPoint};
    for (TimeSeparator* s : seps) {
        s->SetParent(&pnlTime);
        s->SetColor(RGB(0, 0, 0));
        s->SetDotColor(kDigitHigh);
    }
    place(lcdHour, lcdHour.Width());
    place(imgColon1, kColonWidth);
    place(lcdMin, lcdMin.Width());
    place(imgColon2, kColonWidth);
    place(lcdSec, lcdSec.Width());
    place(imgPoint, kPointWidth);
    place(lcdMSec, lcdMSec.Width());

    // The value table: two columns under their heads, four rows.
    constexpr int kColumnLeft[2] = {102, 194};
    constexpr int kCellWidth = 89, kCellHeight = 17, kHeadTop = 55, kFirstRow = 70, kRowStep = 19;
    ui::Label* heads[2] = {&lblDownload, &lblUpload};
    const char* headText[2] = {"Download", "Upload"};
    for (int i = 0; i < 2; ++i) {
        heads[i]->SetParent(this);
        heads[i]->SetFont(font);
        heads[i]->SetCaption(headText[i]);
        heads[i]->SetBounds(kColumnLeft[i] + (kCellWidth - heads[i]->Width()) / 2, kHeadTop,
                            heads[i]->Width(), heads[i]->Height());
    }
    ui::Label* rows[4] = {&lblNow, &lblAvg, &lblMax, &lblTotal};
    const char* rowText[4] = {"Current KB/s", "Average KB/s", "Max KB/s", "Total KB"};
    ValuePanel* cells[4][2] = {{&pnlNowDown, &pnlNowUp},
                               {&pnlAvgDown, &pnlAvgUp},
                               {&pnlMaxDown, &pnlMaxUp},
                               {&pnlTotalDown, &pnlTotalUp}};
    for (int r = 0; r < 4; ++r) {
        const int top = kFirstRow + r * kRowStep;
        rows[r]->SetParent(this);
        rows[r]->SetFont(font);
        rows[r]->SetCaption(rowText[r]);
        rows[r]->SetBounds(8, top + (kCellHeight - rows[r]->Height()) / 2, rows[r]->Width(),
                           rows[r]->Height());
        for (int c = 0; c < 2; ++c) {
            ValuePanel* p = cells[r][c];
            p->SetParent(this);
            p->SetBounds(kColumnLeft[c], top, kCellWidth, kCellHeight);
            p->SetColor(kValueColour);
            p->SetFont(font);
            SetFigure(*p, 0);
        }
    }
    ShowTime();
}

void TfrmStopWatch::SetFigure(ui::Panel& p, double value) {
    char text[32];
    FormatFigure(value, text, sizeof text);
    p.SetCaption(text);
}

void TfrmStopWatch::ShowTime() {
    const TimeParts t = SplitTenths(run_.Tenths());
    lcdHour->SetValue(t.hours);
    lcdMin->SetValue(t.minutes);
    lcdSec->SetValue(t.seconds);
    lcdMSec->SetValue(t.tenths);
}

void TfrmStopWatch::ShowFigures() {
    const Figures& d = run_.Down();
    const Figures& u = run_.Up();
    SetFigure(pnlTotalDown, d.total);
    SetFigure(pnlTotalUp, u.total);
    SetFigure(pnlAvgDown, d.average);
    SetFigure(pnlAvgUp, u.average);
    SetFigure(pnlNowDown, d.current);
    SetFigure(pnlNowUp, u.current);
    SetFigure(pnlMaxDown, d.max);
    SetFigure(pnlMaxUp, u.max);
}

void TfrmStopWatch::btnStartClick() {
    if (run_.Running()) {
        run_.Stop();
        Timer.SetEnabled(false);
        btnStart->SetCaption(run_.ButtonCaption());
        return;  // the figures stay as they are
    }
    run_.Start(clock_->NowMs(), *counters_);  // on an error the run does not start
    ShowFigures();
    ShowTime();
    btnStart->SetCaption(run_.ButtonCaption());
    Timer.SetEnabled(true);
}

void TfrmStopWatch::TimerTimer() {
    StopwatchRun::Step step;
    try {
        step = run_.Advance(clock_->NowMs(), *counters_);
    } catch (...) {
        ShowTime();  // the time moved on even though this second's reading failed
        throw;
    }
    if (step.stop) {
        btnStartClick();
        return;
    }
    ShowTime();
    if (step.reading) ShowFigures();
}

void TfrmStopWatch::SetAlwaysOnTop(bool on) {
    if (!Handle()) return;
    const ui::Rect r = WindowRect();
    // Creation runs hidden and must not take the activation from the gadget.
    const UINT flags = IsWindowVisible(Handle()) ? 0 : SWP_NOACTIVATE;
    SetWindowPos(Handle(), on ? HWND_TOPMOST : HWND_NOTOPMOST, r.left, r.top, r.width, r.height, flags);
}

bool TfrmStopWatch::AlwaysOnTop() const {
    return Handle() && (GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void TfrmStopWatch::cbTopClick(ui::Control&) { SetAlwaysOnTop(cbTop.Checked()); }

void TfrmStopWatch::SetVisible(bool v) {
    if (v && !placed_ && Handle()) {
        placed_ = true;
        RECT desktop;
        GetWindowRect(GetDesktopWindow(), &desktop);
        const ui::Rect w = WindowRect();
        SetWindowPos(Handle(), nullptr, desktop.left + (desktop.right - desktop.left - w.width) / 2,
                     desktop.top + (desktop.bottom - desktop.top - w.height) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ui::Form::SetVisible(v);
}

bool TfrmStopWatch::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_POWERBROADCAST &&
        (wp == PBT_APMRESUMESUSPEND || wp == PBT_APMRESUMEAUTOMATIC || wp == PBT_APMRESUMECRITICAL)) {
        run_.Resumed();
        result = TRUE;
        return true;
    }
    return ui::Form::HandleMessage(msg, wp, lp, result);
}

bool TfrmStopWatch::CloseQuery() {
    if (run_.Running()) btnStartClick();
    SetVisible(false);
    return false;
}

}  // namespace stopwatch
