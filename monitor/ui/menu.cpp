#include "monitor/ui/menu.h"

#include <algorithm>

namespace ui {

// ---- ImageList

ImageList::ImageList(int width, int height)
    : w_(width), h_(height), list_(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 16, 4)) {}

int ImageList::Count() const { return list_ ? ImageList_GetImageCount(list_.get()) : 0; }

int ImageList::AddIcon(HICON icon) { return list_ && icon ? ImageList_AddIcon(list_.get(), icon) : -1; }

int ImageList::AddMasked(HBITMAP bmp, COLORREF transparent) {
    return list_ && bmp ? ImageList_AddMasked(list_.get(), bmp, transparent) : -1;
}

void ImageList::Draw(HDC dc, int index, int x, int y) const {
    if (list_ && index >= 0 && index < Count()) ImageList_Draw(list_.get(), index, dc, x, y, ILD_TRANSPARENT);
}

Icon ImageList::GetIcon(int index) const {
    if (!list_ || index < 0 || index >= Count()) return Icon();
    return Icon(ImageList_GetIcon(list_.get(), index, ILD_TRANSPARENT));
}

// ---- MenuItem

MenuItem::MenuItem(const char* caption, std::function<void(MenuItem&)> onClick)
    : OnClick(std::move(onClick)), caption_(caption) {}

void MenuItem::SetChecked(bool v) {
    checked_ = v;
    if (v && radio_ && parent_)
        for (MenuItem* sib : parent_->items_)
            if (sib != this && sib->radio_ && sib->group_ == group_) sib->checked_ = false;
}

void MenuItem::Add(MenuItem& child) {
    child.parent_ = this;
    items_.push_back(&child);
}

void MenuItem::Clear() {
    for (MenuItem* c : items_) c->parent_ = nullptr;
    items_.clear();
}

// ---- PopupMenu

const PopupMenu* PopupMenu::showing_ = nullptr;

bool PopupMenu::HasImage(const MenuItem& item) const {
    return Images && item.ImageIndex() >= 0 && item.ImageIndex() < Images->Count();
}

// With `bitmaps`, images become bitmaps kept there; without, every item of a menu that has an
// image gets the owner-drawn image column.
void PopupMenu::Append(HMENU menu, const MenuItem& parent, std::vector<Bitmap>* bitmaps) const {
    bool imageColumn = false;
    if (!bitmaps)
        for (const MenuItem* it : parent.Items())
            if (it->Visible() && !it->IsSeparator() && HasImage(*it)) imageColumn = true;

    for (const MenuItem* it : parent.Items()) {
        if (!it->Visible()) continue;
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof(mi);
        if (it->IsSeparator()) {
            mi.fMask = MIIM_FTYPE;
            mi.fType = MFT_SEPARATOR;
            InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &mi);
            continue;
        }
        mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_ID;
        mi.fType = MFT_STRING | (it->RadioItem() ? MFT_RADIOCHECK : 0);
        mi.fState = (it->Checked() ? MFS_CHECKED : 0) | (it->Enabled() ? 0 : MFS_GRAYED) |
                    (it->Default() ? MFS_DEFAULT : 0);
        mi.dwTypeData = const_cast<char*>(it->Caption().c_str());
        commands_.push_back(const_cast<MenuItem*>(it));
        mi.wID = static_cast<UINT>(commands_.size());
        Menu sub;  // owned by the parent menu once inserted
        if (!it->Items().empty()) {
            sub.reset(CreatePopupMenu());
            Append(sub.get(), *it, bitmaps);
            mi.fMask |= MIIM_SUBMENU;
            mi.hSubMenu = sub.get();
        }
        if (imageColumn) {
            mi.fMask |= MIIM_BITMAP;
            mi.hbmpItem = HBMMENU_CALLBACK;
        } else if (bitmaps && HasImage(*it)) {
            // The image drawn over the menu's background colour.
            Bitmap bmp;
            {
                WindowDc screen(nullptr);
                MemoryDc dc(CreateCompatibleDC(screen.get()));
                bmp.reset(CreateCompatibleBitmap(screen.get(), Images->Width(), Images->Height()));
                Selected sel(dc.get(), bmp.get());
                RECT r{0, 0, Images->Width(), Images->Height()};
                FillRect(dc.get(), &r, GetSysColorBrush(COLOR_MENU));
                Images->Draw(dc.get(), it->ImageIndex(), 0, 0);
            }
            mi.fMask |= MIIM_BITMAP;
            mi.hbmpItem = bmp.get();
            bitmaps->push_back(std::move(bmp));
        }
        if (InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &mi)) sub.release();
    }
}

Menu PopupMenu::Build(std::vector<Bitmap>& bitmaps) const {
    commands_.clear();
    Menu m(CreatePopupMenu());
    Append(m.get(), Items, &bitmaps);
    return m;
}

Menu PopupMenu::BuildShown() const {
    commands_.clear();
    Menu m(CreatePopupMenu());
    Append(m.get(), Items, nullptr);
    return m;
}

MenuItem* PopupMenu::ItemOfCommand(UINT id) const {
    return id >= 1 && id <= commands_.size() ? commands_[id - 1] : nullptr;
}

bool PopupMenu::MeasureItem(MEASUREITEMSTRUCT& mis) const {
    if (mis.CtlType != ODT_MENU || !Images || !ItemOfCommand(mis.itemID)) return false;
    mis.itemWidth = static_cast<UINT>(Images->Width() + kImageGap);
    mis.itemHeight = static_cast<UINT>(Images->Height());
    return true;
}

bool PopupMenu::DrawItem(const DRAWITEMSTRUCT& dis) const {
    if (dis.CtlType != ODT_MENU) return false;
    const MenuItem* it = ItemOfCommand(dis.itemID);
    if (!it) return false;
    if (HasImage(*it)) {
        // Transparent over whatever the menu painted: its background or the highlight.
        const int y = dis.rcItem.top + (dis.rcItem.bottom - dis.rcItem.top - Images->Height()) / 2;
        const UINT style = ILD_TRANSPARENT | ((dis.itemState & ODS_GRAYED) ? ILD_BLEND50 : 0);
        ImageList_DrawEx(Images->Handle(), it->ImageIndex(), dis.hDC, dis.rcItem.left, y, 0, 0, CLR_NONE,
                         CLR_DEFAULT, style);
    }
    return true;
}

bool PopupMenu::OwnerMessage(UINT msg, LPARAM lp, LRESULT& result) {
    if (!showing_ || !lp) return false;
    bool done = false;
    if (msg == WM_MEASUREITEM)
        done = showing_->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
    else if (msg == WM_DRAWITEM)
        done = showing_->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    if (done) result = TRUE;
    return done;
}

void PopupMenu::Popup(HWND owner, int x, int y) {
    if (OnPopup) OnPopup();
    Menu m = BuildShown();
    // The owner must be the foreground window or the menu does not close when clicked away.
    SetForegroundWindow(owner);
    const PopupMenu* before = showing_;
    showing_ = this;
    const UINT cmd = static_cast<UINT>(
        TrackPopupMenu(m.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, 0, owner, nullptr));
    showing_ = before;
    PostMessageA(owner, WM_NULL, 0, 0);
    m.reset();
    if (MenuItem* it = ItemOfCommand(cmd)) it->Click();
}

}  // namespace ui
