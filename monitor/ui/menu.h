// Pop-up menus with check and radio items, separators, sub-menus and images, and image lists.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "monitor/ui/handles.h"

namespace ui {

// A list of equally sized images (masked), drawn into menus and used for icons.
class ImageList {
public:
    ImageList(int width = 16, int height = 16);
    int Width() const { return w_; }
    int Height() const { return h_; }
    int Count() const;
    // Adds a copy of the icon; returns its index.
    int AddIcon(HICON icon);
    // Adds a copy of a bitmap whose `transparent` colour pixels are left out.
    int AddMasked(HBITMAP bmp, COLORREF transparent);
    void Draw(HDC dc, int index, int x, int y) const;
    // A new icon for image `index` (the caller owns it).
    Icon GetIcon(int index) const;
    HIMAGELIST Handle() const { return list_.get(); }

private:
    int w_, h_;
    ImageListHandle list_;
};

class MenuItem {
public:
    MenuItem(const char* caption = "", std::function<void(MenuItem&)> onClick = nullptr);
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    static constexpr const char* kSeparator = "-";

    const std::string& Caption() const { return caption_; }
    void SetCaption(const char* c) { caption_ = c; }
    bool IsSeparator() const { return caption_ == kSeparator; }
    bool Checked() const { return checked_; }
    // Checking a radio item clears the other radio items of its group under the same parent.
    void SetChecked(bool v);
    bool RadioItem() const { return radio_; }
    void SetRadioItem(bool v, int group) {
        radio_ = v;
        group_ = group;
    }
    int GroupIndex() const { return group_; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }
    int ImageIndex() const { return image_; }
    void SetImageIndex(int i) { image_ = i; }
    bool Default() const { return default_; }
    void SetDefault(bool v) { default_ = v; }

    // Sub-items (not owned). Adding gives the item a parent.
    void Add(MenuItem& child);
    void Clear();
    const std::vector<MenuItem*>& Items() const { return items_; }
    MenuItem* Parent() const { return parent_; }

    std::function<void(MenuItem&)> OnClick;
    void Click() {
        if (OnClick) OnClick(*this);
    }

private:
    std::string caption_;
    bool checked_ = false, radio_ = false, visible_ = true, enabled_ = true, default_ = false;
    int group_ = 0;
    int image_ = -1;
    MenuItem* parent_ = nullptr;
    std::vector<MenuItem*> items_;
};

// A pop-up menu: a root item whose children are the entries.
class PopupMenu {
public:
    MenuItem Items;
    ImageList* Images = nullptr;
    std::function<void()> OnPopup;

    // Shows the menu (as BuildShown builds it) at a screen point for `owner` and runs the
    // chosen item's command. The owner window passes WM_MEASUREITEM and WM_DRAWITEM to
    // OwnerMessage first.
    void Popup(HWND owner, int x, int y);
    // The menu's content as Windows holds it (for tests): built, not shown; an item with an
    // image carries it as a bitmap, which lives in `bitmaps`.
    Menu Build(std::vector<Bitmap>& bitmaps) const;
    // The menu as Popup shows it. In a menu where any item has an image, every item carries
    // HBMMENU_CALLBACK, so each one is measured with the same image column (Wine sizes an item
    // without a bitmap as if there were no column, yet draws its text after the column, which
    // cut the longest caption and pushed text onto the sub-menu arrows); the owner draws the
    // images through MeasureItem and DrawItem, over the item's own background.
    Menu BuildShown() const;
    // The item of a command id handed out by Build or BuildShown, or nullptr.
    MenuItem* ItemOfCommand(UINT id) const;

    // Answers WM_MEASUREITEM and WM_DRAWITEM for an image column item of the built menu.
    bool MeasureItem(MEASUREITEMSTRUCT& mis) const;
    bool DrawItem(const DRAWITEMSTRUCT& dis) const;
    // For the owner windows: answers those two messages for the menu Popup is showing.
    static bool OwnerMessage(UINT msg, LPARAM lp, LRESULT& result);

    // Space between an image and its caption.
    static constexpr int kImageGap = 3;

private:
    bool HasImage(const MenuItem& item) const;
    void Append(HMENU menu, const MenuItem& parent, std::vector<Bitmap>* bitmaps) const;
    mutable std::vector<MenuItem*> commands_;
    static const PopupMenu* showing_;
};

}  // namespace ui
