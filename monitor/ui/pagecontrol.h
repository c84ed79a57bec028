// PageControl and TabSheet: a tab control (SysTabControl32) whose pages are child hosts.
//
//     pgMain.SetParent(&pnlSneaky); pgMain.SetAlign(ui::Align::Client);
//     tsGeneral.SetCaption("General"); pgMain.AddPage(tsGeneral);
//     lblName.SetParent(&tsGeneral);            // controls go into the sheet
//     pgMain.OnChange = ui::Bind(this, &TfrmTask::pgMainChange);
//
// Only the active page shows; hiding it hides its child windows and windowless controls
// together. A page whose tab is switched off (SetTabVisible(false)) keeps its place in the
// page order but has no tab and never becomes active. Tab moves into the active page;
// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp switch pages (the form's loop).
#pragma once
#include <string>
#include <vector>

#include "monitor/ui/win_control.h"
#include "monitor/ui/window_host.h"

namespace ui {

class PageControl;

class TabSheet : public WindowHost {
public:
    // `className` names the sheet's window class ("TTabSheet" unless a form wants its own).
    explicit TabSheet(const char* className = "TTabSheet");
    ~TabSheet() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const char* text);
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool v);
    // The page's place among all pages of its control (-1: in none).
    int PageIndex() const;
    PageControl* PageOwner() const { return owner_; }

protected:
    // The sheet's window is a child of the tab control, over its display area.
    HWND ParentWindow() const override;
    Rect WindowBounds() const override;

private:
    friend class PageControl;
    std::string caption_;
    bool tabVisible_ = true;
    PageControl* owner_ = nullptr;
};

class PageControl : public WinControl {
public:
    PageControl();
    ~PageControl() override;

    // Puts the sheet last into the control (a sheet is in one control at a time).
    void AddPage(TabSheet& sheet);
    void RemovePage(TabSheet& sheet);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    TabSheet* Page(int index) const;

    // The shown page (nullptr: none). Setting it raises no OnChange.
    TabSheet* ActivePage() const { return active_; }
    void SetActivePage(TabSheet* sheet);
    int ActivePageIndex() const { return active_ ? active_->PageIndex() : -1; }
    void SetActivePageIndex(int index) { SetActivePage(Page(index)); }
    // The user picked another tab (after the new page shows).
    NotifyEvent OnChange;
    // Ctrl+Tab and Ctrl+PageDown (forward), Ctrl+Shift+Tab and Ctrl+PageUp: the next page with
    // a tab, round the end, as the user's choice (OnChange). A focus inside the page left
    // moves to the first control of the new one. False when there is no other page.
    bool SelectNextPage(bool forward);

    // The display area inside the tabs, in the control's coordinates.
    Rect ClientRect() const override;
    bool Notified(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    void HandleCreated() override;
    void BoundsChanged() override;

private:
    friend class TabSheet;
    // Tab items are the pages with a visible tab, in page order.
    void RebuildTabs();
    int TabOf(const TabSheet* sheet) const;
    TabSheet* PageOfTab(int tab) const;
    void ShowActive();
    void SizePages();

    std::vector<TabSheet*> pages_;
    TabSheet* active_ = nullptr;
};

}  // namespace ui
