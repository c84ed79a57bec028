#include "monitor/ui/listview.h"

#include <algorithm>
#include <stdexcept>

#include "monitor/ui/menu.h"
#include "monitor/ui/sort_core.h"
#include "monitor/ui/window_host.h"

#ifndef HDF_SORTUP
#define HDF_SORTUP 0x0400
#define HDF_SORTDOWN 0x0200
#endif

namespace ui {

namespace {
const std::string kEmpty;
}

const std::string& ListView::Item::Text(int column) const {
    return column >= 0 && static_cast<std::size_t>(column) < texts.size()
               ? texts[static_cast<std::size_t>(column)]
               : kEmpty;
}

ListView::ListView()
    : WinControl(WC_LISTVIEWA, LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_SHAREIMAGELISTS,
                 WS_EX_CLIENTEDGE) {
    SetParentColor(false);
    SetColor(GetSysColor(COLOR_WINDOW));
}

ListView::~ListView() = default;

int ListView::CompareTexts(const std::string& a, const std::string& b) { return CompareCellTexts(a, b); }

// ---- columns

int ListView::AddColumn(const char* caption, int width, int format) {
    const bool autoSize = width == kAutoSize;
    columns_.push_back({caption ? caption : "", autoSize ? kDefaultWidth : width, format, autoSize});
    const int index = ColumnCount() - 1;
    if (Handle()) {
        InsertColumnWindow(index);
        FitAutoSizeColumns();
    }
    return index;
}

void ListView::InsertColumnWindow(int index) {
    const Column& c = columns_[static_cast<std::size_t>(index)];
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    col.fmt = c.format;
    col.cx = c.width;
    col.pszText = const_cast<char*>(c.caption.c_str());
    col.iSubItem = index;
    SendMessageA(Handle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&col));
}

int ListView::ColumnWidth(int column) const {
    if (column < 0 || column >= ColumnCount()) return 0;
    if (!Handle()) return columns_[static_cast<std::size_t>(column)].width;
    return static_cast<int>(SendMessageA(Handle(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void ListView::FitAutoSizeColumns() {
    if (!Handle() || fitting_) return;
    int fixed = 0, autos = 0;
    for (int i = 0; i < ColumnCount(); ++i) {
        if (columns_[static_cast<std::size_t>(i)].autoSize) {
            ++autos;
        } else {
            fixed += ColumnWidth(i);
        }
    }
    if (autos == 0) return;
    RECT r;
    GetClientRect(Handle(), &r);
    const int each = std::max(30, static_cast<int>((r.right - fixed) / autos));
    fitting_ = true;
    for (int i = 0; i < ColumnCount(); ++i)
        if (columns_[static_cast<std::size_t>(i)].autoSize && ColumnWidth(i) != each)
            SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(each, 0));
    fitting_ = false;
}

// ---- rows

ListView::Row* ListView::RowAt(int row) const {
    if (!Handle() || row < 0) return nullptr;
    LVITEMA it{};
    it.mask = LVIF_PARAM;
    it.iItem = row;
    if (!SendMessageA(Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it))) return nullptr;
    return reinterpret_cast<Row*>(it.lParam);
}

int ListView::Count() const {
    return Handle() ? static_cast<int>(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0)) : 0;
}

int ListView::AddItem(const char* caption, LPARAM data, int image, int at) {
    if (!Handle()) throw std::logic_error("ListView::AddItem before the list has its window");
    auto row = std::make_unique<Row>();
    row->data = data;
    row->texts.emplace_back(caption ? caption : "");
    LVITEMA it{};
    it.mask = LVIF_TEXT | LVIF_PARAM | (image >= 0 ? LVIF_IMAGE : 0);
    it.iItem = at < 0 ? Count() : at;
    it.pszText = const_cast<char*>(row->texts[0].c_str());
    it.iImage = image;
    it.lParam = reinterpret_cast<LPARAM>(row.get());
    const int index =
        static_cast<int>(SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it)));
    if (index < 0) return -1;
    const Row* key = row.get();
    rows_.emplace(key, std::move(row));
    if (AutoResort && sortColumn_ >= 0) {
        Sort();
        LVFINDINFOA fi{};
        fi.flags = LVFI_PARAM;
        fi.lParam = reinterpret_cast<LPARAM>(key);
        return static_cast<int>(
            SendMessageA(Handle(), LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&fi)));
    }
    if (!updating_) FitAutoSizeColumns();
    return index;
}

void ListView::DeleteItem(int row) {
    Row* r = RowAt(row);
    if (!r) return;
    SendMessageA(Handle(), LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    rows_.erase(r);
    if (!updating_) FitAutoSizeColumns();
}

void ListView::Clear() {
    if (Handle()) SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
    rows_.clear();
}

std::string ListView::Caption(int row) const {
    const Row* r = RowAt(row);
    return r ? r->Text(0) : std::string();
}

void ListView::SetCaption(int row, const char* text) { SetSubItem(row, -1, text); }

LPARAM ListView::Data(int row) const {
    const Row* r = RowAt(row);
    return r ? r->data : 0;
}

void ListView::SetData(int row, LPARAM data) {
    if (Row* r = RowAt(row)) r->data = data;
}

int ListView::FindData(LPARAM data) const {
    const int n = Count();
    for (int i = 0; i < n; ++i)
        if (const Row* r = RowAt(i); r && r->data == data) return i;
    return -1;
}

void ListView::SetImage(int row, int image) {
    if (!Handle()) return;
    LVITEMA it{};
    it.mask = LVIF_IMAGE;
    it.iItem = row;
    it.iImage = image;
    SendMessageA(Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
}

std::string ListView::SubItem(int row, int sub) const {
    const Row* r = RowAt(row);
    return r ? r->Text(sub + 1) : std::string();
}

void ListView::SetSubItem(int row, int sub, const char* text) {
    Row* r = RowAt(row);
    if (!r || sub < -1) return;
    const std::size_t k = static_cast<std::size_t>(sub + 1);
    if (r->texts.size() <= k) r->texts.resize(k + 1);
    if (r->texts[k] == (text ? text : "")) return;
    r->texts[k].assign(text ? text : "");
    if (sub + 1 < std::max(1, ColumnCount())) {
        LVITEMA it{};
        it.iSubItem = sub + 1;
        it.pszText = const_cast<char*>(r->texts[k].c_str());
        SendMessageA(Handle(), LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
    }
    if (AutoResort && sortColumn_ == sub + 1 && !updating_) Sort();
}

LPARAM ListView::SubItemData(int row, int sub) const {
    const Row* r = RowAt(row);
    if (!r || sub < 0 || static_cast<std::size_t>(sub) >= r->objects.size()) return 0;
    return r->objects[static_cast<std::size_t>(sub)];
}

void ListView::SetSubItemData(int row, int sub, LPARAM object) {
    Row* r = RowAt(row);
    if (!r || sub < 0) return;
    if (r->objects.size() <= static_cast<std::size_t>(sub))
        r->objects.resize(static_cast<std::size_t>(sub) + 1);
    r->objects[static_cast<std::size_t>(sub)] = object;
}

int ListView::SubItemCount(int row) const {
    const Row* r = RowAt(row);
    return r ? static_cast<int>(r->texts.size()) - 1 : 0;
}

// ---- selection

int ListView::Selected() const {
    return Handle() ? static_cast<int>(
                          SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED))
                    : -1;
}

int ListView::FocusedItem() const {
    return Handle() ? static_cast<int>(
                          SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED))
                    : -1;
}

bool ListView::IsSelected(int row) const {
    return Handle() && (SendMessageA(Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) &
                        LVIS_SELECTED);
}

void ListView::SetSelected(int row) {
    if (!Handle()) return;
    LVITEMA it{};
    it.stateMask = LVIS_SELECTED | (row >= 0 ? LVIS_FOCUSED : 0);
    it.state = row >= 0 ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
}

void ListView::MakeVisible(int row, bool partlyIsEnough) {
    if (Handle()) SendMessageA(Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), partlyIsEnough);
}

// ---- updates

void ListView::BeginUpdate() {
    if (updating_++ == 0 && Handle()) SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
}

void ListView::EndUpdate() {
    if (updating_ == 0 || --updating_ > 0) return;
    if (!Handle()) return;
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    FitAutoSizeColumns();
    InvalidateRect(Handle(), nullptr, TRUE);
}

// ---- sorting

int CALLBACK ListView::CompareRows(LPARAM a, LPARAM b, LPARAM self) {
    auto* lv = reinterpret_cast<ListView*>(self);
    const Row& ra = *reinterpret_cast<const Row*>(a);
    const Row& rb = *reinterpret_cast<const Row*>(b);
    const int col = lv->sortColumn_;
    const int c = lv->OnCompare ? lv->OnCompare(ra, rb, col) : CompareCellTexts(ra.Text(col), rb.Text(col));
    return lv->ascending_ ? c : -c;
}

void ListView::Sort() {
    if (!Handle() || sortColumn_ < 0) return;
    SendMessageA(Handle(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(this),
                 reinterpret_cast<LPARAM>(&ListView::CompareRows));
}

void ListView::SortBy(int column, bool ascending) {
    sortColumn_ = column;
    ascending_ = ascending;
    Sort();
    ShowSortArrow();
}

void ListView::ShowSortArrow() {
    if (!Handle()) return;
    const HWND header = reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_GETHEADER, 0, 0));
    if (!header) return;
    for (int i = 0; i < ColumnCount(); ++i) {
        HDITEMA hd{};
        hd.mask = HDI_FORMAT;
        SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&hd));
        int fmt = hd.fmt & ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == sortColumn_) fmt |= ascending_ ? HDF_SORTUP : HDF_SORTDOWN;
        if (fmt == hd.fmt) continue;
        hd.fmt = fmt;
        SendMessageA(header, HDM_SETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&hd));
    }
}

// ---- looks

void ListView::SetSmallImages(ImageList* images) {
    images_ = images;
    if (Handle())
        SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL,
                     reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void ListView::SetExtendedStyle(DWORD style) {
    exStyle_ = style;
    if (Handle()) SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style));
}

void ListView::SetExStyleBit(DWORD bit, bool on) { SetExtendedStyle(on ? exStyle_ | bit : exStyle_ & ~bit); }

void ListView::HandleCreated() {
    SetExtendedStyle(exStyle_);
    SetSmallImages(images_);
    for (int i = 0; i < ColumnCount(); ++i) InsertColumnWindow(i);
    FitAutoSizeColumns();
    ShowSortArrow();
}

void ListView::DrawItemDefault(const DRAWITEMSTRUCT& dis) {
    const Row* r = reinterpret_cast<const Row*>(dis.itemData);
    if (!r) r = RowAt(static_cast<int>(dis.itemID));
    HDC dc = dis.hDC;
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    const bool active =
        GetFocus() == Handle() || (GetWindowLongA(Handle(), GWL_STYLE) & LVS_SHOWSELALWAYS) == 0;
    const int back = selected ? (active ? COLOR_HIGHLIGHT : COLOR_BTNFACE) : COLOR_WINDOW;
    const int fore = selected ? (active ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT) : COLOR_WINDOWTEXT;
    RECT row = dis.rcItem;
    FillRect(dc, &row, GetSysColorBrush(back));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(fore));
    const int item = static_cast<int>(dis.itemID);
    if (images_) {
        LVITEMA it{};
        it.mask = LVIF_IMAGE;
        it.iItem = item;
        SendMessageA(Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
        RECT ir{LVIR_ICON, 0, 0, 0};
        if (it.iImage >= 0 &&
            SendMessageA(Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&ir)))
            images_->Draw(dc, it.iImage, ir.left, ir.top + (ir.bottom - ir.top - images_->Height()) / 2);
    }
    for (int col = 0; col < std::max(1, ColumnCount()); ++col) {
        RECT cr{};
        cr.top = col;
        if (col == 0) {
            cr.left = LVIR_LABEL;
            if (!SendMessageA(Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(item),
                              reinterpret_cast<LPARAM>(&cr)))
                continue;
        } else {
            cr.left = LVIR_BOUNDS;
            if (!SendMessageA(Handle(), LVM_GETSUBITEMRECT, static_cast<WPARAM>(item),
                              reinterpret_cast<LPARAM>(&cr)))
                continue;
        }
        cr.left += col == 0 ? 2 : 6;
        cr.right -= 6;
        const std::string& text = r ? r->Text(col) : kEmpty;
        const int fmt = col < ColumnCount()
                            ? columns_[static_cast<std::size_t>(col)].format & LVCFMT_JUSTIFYMASK
                            : LVCFMT_LEFT;
        const UINT align = fmt == LVCFMT_RIGHT ? DT_RIGHT : fmt == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &cr,
                  align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if ((dis.itemState & ODS_FOCUS) && GetFocus() == Handle()) DrawFocusRect(dc, &row);
}

// ---- notifications

bool ListView::Notified(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_DRAWITEM) {
        const auto& dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (!(OnDrawItem && OnDrawItem(*this, dis))) DrawItemDefault(dis);
        result = TRUE;
        return true;
    }
    if (msg != WM_NOTIFY) return WinControl::Notified(msg, wp, lp, result);
    const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
    switch (hdr->code) {
    case LVN_ITEMCHANGED: {
        const auto* nm = reinterpret_cast<const NMLISTVIEW*>(lp);
        if (nm->iItem >= 0 && (nm->uChanged & LVIF_STATE) &&
            ((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED) && OnSelectItem)
            OnSelectItem(*this, nm->iItem, (nm->uNewState & LVIS_SELECTED) != 0);
        break;
    }
    case LVN_COLUMNCLICK: {
        const int col = reinterpret_cast<const NMLISTVIEW*>(lp)->iSubItem;
        if (SortOnColumnClick) SortBy(col, col == sortColumn_ ? !ascending_ : true);
        if (OnColumnClick) OnColumnClick(*this, col);
        break;
    }
    case NM_DBLCLK:
        if (OnDblClick) OnDblClick(*this);
        break;
    default: return false;
    }
    result = 0;
    return true;
}

bool ListView::WindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_SIZE:
        result = CallDefault(msg, wp, lp);
        FitAutoSizeColumns();
        return true;
    case WM_NOTIFY: {
        // The header telling its list that a column was sized by the user.
        const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
        if (hdr->code == HDN_ENDTRACKA || hdr->code == HDN_ENDTRACKW || hdr->code == HDN_ITEMCHANGEDA ||
            hdr->code == HDN_ITEMCHANGEDW) {
            result = CallDefault(msg, wp, lp);
            if (!fitting_) {
                // The user's width of a fixed column stays; the auto-size columns take the rest.
                for (int i = 0; i < ColumnCount(); ++i)
                    columns_[static_cast<std::size_t>(i)].width = ColumnWidth(i);
                FitAutoSizeColumns();
            }
            return true;
        }
        return false;
    }
    case WM_CONTEXTMENU: {
        WindowHost* host = HostOf();
        if (!popup_ || !host || !host->Handle()) return false;
        POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        if (p.x == -1 && p.y == -1) {
            // From the keyboard: under the focused row, else the list's corner.
            RECT r{LVIR_LABEL, 0, 0, 0};
            const int f = FocusedItem();
            if (f >= 0 && SendMessageA(Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(f),
                                       reinterpret_cast<LPARAM>(&r))) {
                p = {r.left, r.bottom};
            } else {
                p = {0, 0};
            }
            ClientToScreen(Handle(), &p);
        }
        popup_->Popup(host->Handle(), p.x, p.y);
        result = 0;
        return true;
    }
    }
    return false;
}

}  // namespace ui
