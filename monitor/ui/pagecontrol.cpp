#include "monitor/ui/pagecontrol.h"

#include <commctrl.h>

#include <algorithm>

namespace ui {

// ---- TabSheet

TabSheet::TabSheet(const char* className) : WindowHost(className) { SetColor(GetSysColor(COLOR_BTNFACE)); }

TabSheet::~TabSheet() {
    if (owner_) owner_->RemovePage(*this);
}

void TabSheet::SetCaption(const char* text) {
    caption_.assign(text ? text : "");
    if (owner_) owner_->RebuildTabs();
}

void TabSheet::SetTabVisible(bool v) {
    if (v == tabVisible_) return;
    tabVisible_ = v;
    if (!owner_) return;
    if (!v && owner_->active_ == this) {
        // The next page with a tab takes over, else the one before.
        const int i = PageIndex();
        TabSheet* next = nullptr;
        for (int k = i + 1; k < owner_->PageCount() && !next; ++k)
            if (owner_->pages_[k]->tabVisible_) next = owner_->pages_[k];
        for (int k = i - 1; k >= 0 && !next; --k)
            if (owner_->pages_[k]->tabVisible_) next = owner_->pages_[k];
        owner_->active_ = next;
    }
    owner_->RebuildTabs();
    owner_->ShowActive();
}

int TabSheet::PageIndex() const {
    if (!owner_) return -1;
    const auto& p = owner_->pages_;
    const auto it = std::find(p.begin(), p.end(), this);
    return it == p.end() ? -1 : static_cast<int>(it - p.begin());
}

HWND TabSheet::ParentWindow() const { return owner_ ? owner_->Handle() : WindowHost::ParentWindow(); }

Rect TabSheet::WindowBounds() const {
    if (!owner_) return WindowHost::WindowBounds();
    const Rect cr = owner_->ClientRect();
    return {cr.left + Left(), cr.top + Top(), Width(), Height()};
}

// ---- PageControl

PageControl::PageControl()
    : WinControl(WC_TABCONTROLA, WS_CLIPCHILDREN | TCS_TABS | TCS_FOCUSONBUTTONDOWN, WS_EX_CONTROLPARENT) {}

PageControl::~PageControl() {
    for (TabSheet* s : pages_) s->owner_ = nullptr;
}

void PageControl::AddPage(TabSheet& sheet) {
    if (sheet.owner_ == this) return;
    if (sheet.owner_) sheet.owner_->RemovePage(sheet);
    pages_.push_back(&sheet);
    sheet.owner_ = this;
    if (!active_ && sheet.tabVisible_) active_ = &sheet;
    sheet.Control::SetVisible(active_ == &sheet);
    sheet.SetParent(this);
    SizePages();
    RebuildTabs();
}

void PageControl::RemovePage(TabSheet& sheet) {
    const auto it = std::find(pages_.begin(), pages_.end(), &sheet);
    if (it == pages_.end()) return;
    pages_.erase(it);
    sheet.owner_ = nullptr;
    if (active_ == &sheet) {
        active_ = nullptr;
        for (TabSheet* s : pages_)
            if (s->tabVisible_) {
                active_ = s;
                break;
            }
    }
    sheet.SetParent(nullptr);
    RebuildTabs();
    ShowActive();
}

TabSheet* PageControl::Page(int index) const {
    return index >= 0 && index < PageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

void PageControl::SetActivePage(TabSheet* sheet) {
    if (sheet && (sheet->owner_ != this || !sheet->tabVisible_)) return;
    if (sheet == active_) return;
    active_ = sheet;
    ShowActive();
}

bool PageControl::SelectNextPage(bool forward) {
    int tabs = 0;
    for (const TabSheet* s : pages_) tabs += s->tabVisible_ ? 1 : 0;
    if (tabs < 2 || !Handle() || !IsWindowEnabled(Handle())) return false;
    const int now = TabOf(active_);
    const int next = now < 0 ? 0 : (now + (forward ? 1 : tabs - 1)) % tabs;
    const HWND focus = GetFocus();
    const bool inPage = focus && active_ && active_->Handle() && IsChild(active_->Handle(), focus);
    active_ = PageOfTab(next);
    ShowActive();
    if (inPage)
        if (HWND first = FirstTabStop(active_->Handle())) ::SetFocus(first);
    if (OnChange) OnChange(*this);
    return true;
}

int PageControl::TabOf(const TabSheet* sheet) const {
    int tab = 0;
    for (const TabSheet* s : pages_) {
        if (!s->tabVisible_) continue;
        if (s == sheet) return tab;
        ++tab;
    }
    return -1;
}

TabSheet* PageControl::PageOfTab(int tab) const {
    for (TabSheet* s : pages_)
        if (s->tabVisible_ && tab-- == 0) return s;
    return nullptr;
}

void PageControl::RebuildTabs() {
    if (!Handle()) return;
    SendMessageA(Handle(), TCM_DELETEALLITEMS, 0, 0);
    int tab = 0;
    for (TabSheet* s : pages_) {
        if (!s->tabVisible_) continue;
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(s->caption_.c_str());
        SendMessageA(Handle(), TCM_INSERTITEMA, static_cast<WPARAM>(tab++), reinterpret_cast<LPARAM>(&item));
    }
    SizePages();  // the rows of tabs may have changed
    SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(TabOf(active_)), 0);
}

void PageControl::ShowActive() {
    // The focus leaves a page that goes out of sight.
    HWND focus = GetFocus();
    for (TabSheet* s : pages_) {
        const bool show = s == active_;
        if (!show && focus && s->Handle() && IsChild(s->Handle(), focus) && Handle()) ::SetFocus(Handle());
        s->Control::SetVisible(show);
    }
    if (Handle()) SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(TabOf(active_)), 0);
}

Rect PageControl::ClientRect() const {
    if (!Handle()) return {4, 24, std::max(0, Width() - 8), std::max(0, Height() - 28)};
    RECT r{0, 0, Width(), Height()};
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return {r.left, r.top, std::max(0L, r.right - r.left), std::max(0L, r.bottom - r.top)};
}

void PageControl::SizePages() {
    const Rect cr = ClientRect();
    for (TabSheet* s : pages_) {
        s->SetBounds(0, 0, cr.width, cr.height);
        s->PlaceWindow();
    }
}

void PageControl::HandleCreated() {
    RebuildTabs();
    ShowActive();
}

void PageControl::BoundsChanged() { SizePages(); }

bool PageControl::Notified(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_NOTIFY) {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
        if (hdr->code == TCN_SELCHANGE) {
            const int tab = static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
            TabSheet* s = PageOfTab(tab);
            if (s && s != active_) {
                active_ = s;
                ShowActive();
                if (OnChange) OnChange(*this);
            }
            result = 0;
            return true;
        }
    }
    return WinControl::Notified(msg, wp, lp, result);
}

}  // namespace ui
