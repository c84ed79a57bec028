#include "monitor/details/frmTask.h"

#include "monitor/details/details_text.h"
#include "monitor/details/details_win.h"

namespace details {

TfrmTask::TfrmTask(ProgramLink& link, ProcessSource* source)
    : ui::Form("TfrmTask"),
      mniOptions("Options"),
      mniAlwaysOnTop("Always On Top", ui::Bind(this, &TfrmTask::mniAlwaysOnTopClick)),
      N1(ui::MenuItem::kSeparator),
      mniProgramOptions("Program Options", ui::Bind(this, &TfrmTask::mniProgramOptionsClick)),
      mniHelp("Help"),
      Contents1("Contents", ui::Bind(this, &TfrmTask::Contents1Click)),
      N2(ui::MenuItem::kSeparator),
      About1("About", ui::Bind(this, &TfrmTask::About1Click)),
      link_(link),
      source_(source) {
    if (!source_) {
        ownSource_ = std::make_unique<SnapshotSource>();
        source_ = ownSource_.get();
    }
}

TfrmTask::~TfrmTask() = default;

void TfrmTask::FormCreate() {
    font_ = ui::MakeFontPixels("MS Sans Serif", -11);
    ui::FormStyle fs;
    fs.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    // Owned by the desktop window: a taskbar button of its own.
    fs.exStyle = WS_EX_APPWINDOW;
    fs.owner = GetDesktopWindow();
    CreateHandle(fs, kDesignSize, kDesignSize, kCaption);
    SetMinSize(kDesignSize, kDesignSize);
    SetBounds(WindowRect().left, WindowRect().top, kDesignSize, kDesignSize);

    mniOptions.Add(mniAlwaysOnTop);
    mniOptions.Add(N1);
    mniOptions.Add(mniProgramOptions);
    mniHelp.Add(Contents1);
    mniHelp.Add(N2);
    mniHelp.Add(About1);
    mnMain.Items.Add(mniOptions);
    mnMain.Items.Add(mniHelp);
    mniAlwaysOnTop.SetChecked(true);
    BuildMenuBar();

    Bevel1.SetParent(this);
    Bevel1.SetAlign(ui::Align::Top);
    Bevel1.SetHeight(9);
    pnlSneaky.SetParent(this);

    SetAlwaysOnTop(true);
    FormResize();
}

// The menu bar holds the sub-menus of mnMain, so the commands keep mnMain's ids.
void TfrmTask::BuildMenuBar() {
    std::vector<ui::Bitmap> unused;
    ui::Menu built = mnMain.Build(unused);
    ui::Menu bar(CreateMenu());
    char caption[64];
    while (GetMenuItemCount(built.get()) > 0) {
        HMENU sub = GetSubMenu(built.get(), 0);
        GetMenuStringA(built.get(), 0, caption, sizeof caption, MF_BYPOSITION);
        RemoveMenu(built.get(), 0, MF_BYPOSITION);
        AppendMenuA(bar.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), caption);
    }
    SetMenu(Handle(), bar.get());
    menuBar_ = std::move(bar);  // the old bar goes now that the window no longer carries it
    DrawMenuBar(Handle());
}

void TfrmTask::CentreOnDesktop() {
    const ui::Rect r = WindowRect();
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(Handle(), nullptr, (sw - r.width) / 2, (sh - r.height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmTask::SetAlwaysOnTop(bool on) {
    const ui::Rect r = WindowRect();
    SetWindowPos(Handle(), on ? HWND_TOPMOST : HWND_NOTOPMOST, r.left, r.top, r.width, r.height, 0);
}

bool TfrmTask::ShownNotMinimised() const {
    return Handle() && IsWindowVisible(Handle()) && !IsIconic(Handle());
}

void TfrmTask::FormResize() {
    const int status = 0;
    pnlSneaky.SetBounds(5, 5, ClientWidth() - 10, ClientHeight() - status - 15);
}

void TfrmTask::FormShow() { TimerEvent(); }

void TfrmTask::TimerEvent() {}

void TfrmTask::mniAlwaysOnTopClick(ui::MenuItem&) {
    mniAlwaysOnTop.SetChecked(!mniAlwaysOnTop.Checked());
    BuildMenuBar();
    SetAlwaysOnTop(mniAlwaysOnTop.Checked());
}
void TfrmTask::mniProgramOptionsClick(ui::MenuItem&) { link_.ProgramOptions(); }
void TfrmTask::Contents1Click(ui::MenuItem&) { link_.HelpContents(); }
void TfrmTask::About1Click(ui::MenuItem&) { link_.About(); }

bool TfrmTask::CloseQuery() {
    link_.TrimWorkingSet();
    SetVisible(false);
    return false;
}

bool TfrmTask::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_COMMAND:
        if (lp == 0 && HIWORD(wp) == 0) {
            if (ui::MenuItem* it = mnMain.ItemOfCommand(LOWORD(wp))) {
                it->Click();
                result = 0;
                return true;
            }
        }
        break;
    case WM_SHOWWINDOW:
        if (wp && !shownOnce_) {
            shownOnce_ = true;
            CentreOnDesktop();
        }
        if (wp) FormShow();
        break;
    case WM_MENUCHAR:
        result = DefaultProc(msg, wp, lp);
        if (result == 0) PostMessageA(Handle(), kBringToFront, 0, 0);
        return true;
    case kBringToFront:
        BringWindowToTop(Handle());
        SetForegroundWindow(Handle());
        result = 0;
        return true;
    }
    return ui::Form::HandleMessage(msg, wp, lp, result);
}

}  // namespace details
