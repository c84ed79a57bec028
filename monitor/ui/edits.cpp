#include "monitor/ui/edits.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "monitor/ui/window_host.h"

namespace ui {

namespace {
const std::string kNoItem;

// Runs `f` with `flag` set, so the notifications it causes are known as the program's own.
template <typename F>
void Quietly(bool& flag, F&& f) {
    const bool was = flag;
    flag = true;
    f();
    flag = was;
}
}  // namespace

// ---- Memo

Memo::Memo()
    : WinControl("EDIT", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL, WS_EX_CLIENTEDGE) {
    SetParentColor(false);
    SetColor(GetSysColor(COLOR_WINDOW));
}

void Memo::SetReadOnly(bool v) {
    readOnly_ = v;
    if (Handle()) SendMessageA(Handle(), EM_SETREADONLY, v, 0);
}

void Memo::SetBorder(bool v) {
    if (!Handle()) return;  // set after the window exists: the frame changes at once
    const LONG ex = GetWindowLongA(Handle(), GWL_EXSTYLE);
    SetWindowLongA(Handle(), GWL_EXSTYLE, v ? ex | WS_EX_CLIENTEDGE : ex & ~WS_EX_CLIENTEDGE);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Memo::SetScrollBars(bool vertical) { SetStyleBit(WS_VSCROLL, vertical); }

void Memo::SetLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) text += "\r\n";
        text += lines[i];
    }
    Quietly(setting_, [&] { SetText(text.c_str()); });
}

void Memo::AddLine(const char* line) {
    std::string text = Text();
    if (!text.empty()) text += "\r\n";
    text += line ? line : "";
    Quietly(setting_, [&] { SetText(text.c_str()); });
}

std::vector<std::string> Memo::Lines() const {
    std::vector<std::string> out;
    const std::string t = Text();
    std::size_t start = 0;
    while (start <= t.size()) {
        const std::size_t nl = t.find("\r\n", start);
        out.push_back(t.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
        if (nl == std::string::npos) break;
        start = nl + 2;
    }
    if (t.empty()) out.clear();
    return out;
}

void Memo::HandleCreated() {
    if (readOnly_) SendMessageA(Handle(), EM_SETREADONLY, TRUE, 0);
}

bool Memo::Notified(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE) {
        if (!setting_ && OnChange) OnChange(*this);
        result = 0;
        return true;
    }
    return WinControl::Notified(msg, wp, lp, result);
}

// ---- SpinEdit

namespace {
const char kSpinProp[] = "ui.WinControl";  // the up-down reports to its spin edit
constexpr int kUpDownWidth = 17;
}  // namespace

SpinEdit::SpinEdit() : WinControl("EDIT", ES_AUTOHSCROLL | ES_RIGHT, WS_EX_CLIENTEDGE) {
    SetParentColor(false);
    SetColor(GetSysColor(COLOR_WINDOW));
}

SpinEdit::~SpinEdit() {
    if (updown_ && IsWindow(updown_) && GetPropA(updown_, kSpinProp) == this) {
        RemovePropA(updown_, kSpinProp);
        DestroyWindow(updown_);
    }
}

void SpinEdit::SetRange(int min, int max) {
    min_ = std::min(min, max);
    max_ = std::max(min, max);
    ApplyRange();
    SetValue(value_);
}

void SpinEdit::SetIncrement(int step) {
    step_ = std::max(1, step);
    if (updown_) {
        UDACCEL acc{0, static_cast<UINT>(step_)};
        SendMessageA(updown_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&acc));
    }
}

int SpinEdit::Value() const {
    if (!Handle()) return value_;
    const std::string t = Text();
    char* end = nullptr;
    const long v = std::strtol(t.c_str(), &end, 10);
    if (t.empty() || end == t.c_str()) return min_;
    return static_cast<int>(std::clamp<long>(v, min_, max_));
}

void SpinEdit::SetValue(int v) {
    value_ = std::clamp(v, min_, max_);
    if (!Handle()) return;
    Quietly(setting_, [&] {
        SetText(std::to_string(value_).c_str());
        if (updown_) SendMessageA(updown_, UDM_SETPOS32, 0, value_);
    });
}

void SpinEdit::ApplyRange() {
    if (updown_) SendMessageA(updown_, UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

void SpinEdit::HandleCreated() {
    updown_ = CreateWindowExA(0, UPDOWN_CLASSA, "",
                              WS_CHILD | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_HOTTRACK |
                                  (VisibleInHost() ? WS_VISIBLE : 0) | (Enabled() ? 0 : WS_DISABLED),
                              0, 0, kUpDownWidth, Height(), GetParent(Handle()), nullptr, ModuleInstance(),
                              nullptr);
    if (updown_) {
        SetPropA(updown_, kSpinProp, static_cast<WinControl*>(this));
        SendMessageA(updown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle()), 0);
        // Right after the edit in the tab order and above it.
        SetWindowPos(updown_, Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ApplyRange();
        SetIncrement(step_);
    }
    PlaceWindow();
    SetValue(value_);
}

void SpinEdit::PlaceWindow() {
    if (!Handle()) return;
    const Rect r = HostRect();
    const int editWidth = std::max(0, r.width - (updown_ ? kUpDownWidth : 0));
    SetWindowPos(Handle(), nullptr, r.left, r.top, editWidth, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (updown_)
        SetWindowPos(updown_, nullptr, r.left + editWidth, r.top, std::min(kUpDownWidth, r.width), r.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void SpinEdit::ShowingChanged() {
    WinControl::ShowingChanged();
    if (updown_) ShowWindow(updown_, VisibleInHost() ? SW_SHOWNA : SW_HIDE);
}

void SpinEdit::EnabledChanged() {
    if (updown_) EnableWindow(updown_, Enabled());
}

bool SpinEdit::Notified(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE) {
        if (!setting_ && OnChange) OnChange(*this);
        result = 0;
        return true;
    }
    if (msg == WM_COMMAND && HIWORD(wp) == EN_KILLFOCUS) {
        // A number out of range (or none) is put right when the user leaves the field.
        const int v = Value();
        if (Text() != std::to_string(v)) {
            SetValue(v);
            if (OnChange) OnChange(*this);
        }
        result = 0;
        return true;
    }
    if ((msg == WM_VSCROLL || msg == WM_HSCROLL) && reinterpret_cast<HWND>(lp) == updown_) {
        result = 0;  // the up-down has written the new number into the edit (EN_CHANGE)
        return true;
    }
    return WinControl::Notified(msg, wp, lp, result);
}

// ---- ComboBox

ComboBox::ComboBox() : WinControl("COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | CBS_HASSTRINGS) {
    SetParentColor(false);
    SetColor(GetSysColor(COLOR_WINDOW));
    SetHeight(21);
}

int ComboBox::AddItem(const char* text, LPARAM data) {
    items_.push_back({text ? text : "", data});
    const int index = Count() - 1;
    if (Handle())
        SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_.back().text.c_str()));
    return index;
}

void ComboBox::Clear() {
    items_.clear();
    index_ = -1;
    if (Handle()) SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
}

const std::string& ComboBox::Item(int index) const {
    return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)].text : kNoItem;
}

LPARAM ComboBox::ItemData(int index) const {
    return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)].data : 0;
}

int ComboBox::ItemIndex() const {
    return Handle() ? static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)) : index_;
}

void ComboBox::SetItemIndex(int index) {
    index_ = index >= 0 && index < Count() ? index : -1;
    if (Handle()) SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index_), 0);
}

void ComboBox::HandleCreated() {
    for (const Entry& e : items_)
        SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.text.c_str()));
    SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index_), 0);
    // The closed box is as high as the system makes it for the font.
    RECT r;
    GetWindowRect(Handle(), &r);
    if (r.bottom - r.top > 0 && r.bottom - r.top != Height()) SetHeight(r.bottom - r.top);
}

void ComboBox::PlaceWindow() {
    if (!Handle()) return;
    const Rect r = HostRect();
    // The window's height includes the dropped-down list.
    SetWindowPos(Handle(), nullptr, r.left, r.top, r.width, r.height + dropHeight_,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ComboBox::Notified(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wp) == CBN_SELCHANGE) {
        index_ = ItemIndex();
        if (OnChange) OnChange(*this);
        result = 0;
        return true;
    }
    return WinControl::Notified(msg, wp, lp, result);
}

}  // namespace ui
