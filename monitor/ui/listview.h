// ListView: a report-style list view (SysListView32), read-only, sortable by a column with the
// sort arrow in its header.
//
//     lvProcesses.AddColumn("Process", 110);
//     lvProcesses.AddColumn("Threads", 0, ui::ListView::kAutoSize);   // takes the rest
//     int row = lvProcesses.AddItem("explorer.exe", pid);             // caption and row data
//     lvProcesses.SetSubItem(row, 0, "1234");                         // first column after it
//     lvProcesses.SetSubItem(row, 3, "GUI");                          // past the columns: hidden
//     lvProcesses.OnSelectItem = ui::Bind(this, &TfrmTask::lvProcessesSelectItem);
//
// Rows carry an integer of data, an image and any number of sub-item texts, each with an
// integer object of its own; sub-items beyond the columns are kept but not shown. A click on a
// column header sorts by it, a second click turns the direction round. Sorting compares
// texts, numbers as numbers; OnCompare replaces that. Between BeginUpdate and EndUpdate the
// list does not redraw.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "monitor/ui/win_control.h"

namespace ui {

class ImageList;
class PopupMenu;

class ListView : public WinControl {
public:
    ListView();
    ~ListView() override;

    static constexpr int kAutoSize = -2;  // AddColumn width: the rest of the list's width
    static constexpr int kDefaultWidth = 50;

    // ---- columns
    int AddColumn(const char* caption, int width = kDefaultWidth, int format = LVCFMT_LEFT);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    int ColumnWidth(int column) const;

    // ---- rows (row numbers are the rows' current places in the list)
    int Count() const;
    // Adds a row at the end (or at `at`); returns its place.
    int AddItem(const char* caption, LPARAM data = 0, int image = -1, int at = -1);
    void DeleteItem(int row);
    void Clear();
    std::string Caption(int row) const;
    void SetCaption(int row, const char* text);
    LPARAM Data(int row) const;
    void SetData(int row, LPARAM data);
    // The first row whose data is `data`, or -1.
    int FindData(LPARAM data) const;
    void SetImage(int row, int image);
    // Sub-item `sub` is the text of column sub + 1 (or a hidden one past the columns).
    std::string SubItem(int row, int sub) const;
    void SetSubItem(int row, int sub, const char* text);
    LPARAM SubItemData(int row, int sub) const;
    void SetSubItemData(int row, int sub, LPARAM object);
    int SubItemCount(int row) const;

    // ---- selection and focus
    int Selected() const;     // the first selected row, or -1
    int FocusedItem() const;  // the focused row, or -1
    // Selects and focuses `row` (-1: clears the selection).
    void SetSelected(int row);
    bool IsSelected(int row) const;
    void MakeVisible(int row, bool partlyIsEnough = true);

    // ---- updates
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return updating_ > 0; }

    // ---- sorting
    int SortColumn() const { return sortColumn_; }  // -1: unsorted
    bool SortAscending() const { return ascending_; }
    void SortBy(int column, bool ascending);
    // Sorts again by the current column (no-op when unsorted).
    void Sort();
    // Sort when a header is clicked (on by default).
    bool SortOnColumnClick = true;
    // Keep the order after every added or changed row (for lists that change rarely).
    bool AutoResort = false;
    // One row as the sort sees it.
    struct Item {
        LPARAM data = 0;
        std::vector<std::string> texts;  // [0] the caption, then the sub-items
        std::vector<LPARAM> objects;     // per sub-item
        // The text shown in `column` (0: the caption); empty past the texts.
        const std::string& Text(int column) const;
    };
    // Compares two rows by `column` (0 the caption); < 0, 0, > 0 for the ascending order.
    std::function<int(const Item& a, const Item& b, int column)> OnCompare;
    // The default comparison: numbers as numbers, texts case-insensitively.
    static int CompareTexts(const std::string& a, const std::string& b);

    // ---- looks
    void SetSmallImages(ImageList* images);
    void SetFullRowSelect(bool v) { SetExStyleBit(LVS_EX_FULLROWSELECT, v); }
    void SetDoubleBuffered(bool v) { SetExStyleBit(0x00010000 /* LVS_EX_DOUBLEBUFFER */, v); }
    void SetGridLines(bool v) { SetExStyleBit(LVS_EX_GRIDLINES, v); }
    DWORD ExtendedStyle() const { return exStyle_; }
    // The whole extended style at once (LVM_SETEXTENDEDLISTVIEWSTYLE).
    void SetExtendedStyle(DWORD style);
    void SetMultiSelect(bool v) { SetStyleBit(LVS_SINGLESEL, !v); }
    void SetShowColumnHeaders(bool v) { SetStyleBit(LVS_NOCOLUMNHEADER, !v); }
    // Owner-drawn fixed rows: OnDrawItem draws a row, or returns false for the list's own
    // drawing of it (full-row selection, image, every column's text).
    void SetOwnerDraw(bool v) { SetStyleBit(LVS_OWNERDRAWFIXED, v); }
    std::function<bool(ListView& sender, const DRAWITEMSTRUCT& item)> OnDrawItem;
    void DrawItemDefault(const DRAWITEMSTRUCT& item);

    // ---- events
    // A row became selected or unselected.
    std::function<void(ListView& sender, int row, bool selected)> OnSelectItem;
    // A column header was clicked (after the sort it caused).
    std::function<void(ListView& sender, int column)> OnColumnClick;
    NotifyEvent OnDblClick;
    // The menu a right click (or the menu key) opens over the list; nullptr: none.
    void SetPopupMenu(PopupMenu* menu) { popup_ = menu; }
    PopupMenu* GetPopupMenu() const { return popup_; }

    bool Notified(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    void HandleCreated() override;
    bool WindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    struct Column {
        std::string caption;
        int width;
        int format;
        bool autoSize;
    };
    using Row = Item;
    Row* RowAt(int row) const;
    void InsertColumnWindow(int index);
    void FitAutoSizeColumns();
    void ShowSortArrow();
    void SetExStyleBit(DWORD bit, bool on);
    void Resorted();
    static int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM self);

    std::vector<Column> columns_;
    // The rows, owned here; the list view keeps a pointer to each as its item data.
    std::unordered_map<const Row*, std::unique_ptr<Row>> rows_;
    DWORD exStyle_ = 0;
    ImageList* images_ = nullptr;
    PopupMenu* popup_ = nullptr;
    int updating_ = 0;
    int sortColumn_ = -1;
    bool ascending_ = true;
    bool fitting_ = false;
};

}  // namespace ui
