// The check list of the pages: an owner-drawn list box without strings whose
// entries point at row records; each row is drawn with a check box and its
// text in columns, at the scale of the monitor the list is on, and told to
// screen readers with its tick.
#pragma once

#include "dialogs/CheckBoxPictures.h"
#include "dialogs/CheckListAccessible.h"
#include "framework/Controls.h"
#include "framework/Handles.h"
#include "framework/Subclass.h"

#include <string>
#include <vector>

// What a list entry's item data points at. Pages derive their own rows from it.
struct CheckListRow {
    int checked = 0;
    int enabled = 1;      // 0: drawn grey and left alone by the page
    std::wstring text;    // columns separated by tab characters
};

class CBmpListBox : public fw::ListBox {
public:
    // At 100 % (96 dots per inch); other scales in proportion.
    static constexpr int kRowHeight = 18;
    static constexpr int kTextLeft = 18;  // text start without columns: beside the box
    static constexpr int kTextTop = 2;
    static constexpr int kBoxSize = 13;   // the system's own check box

    // Loads the box bitmaps from resources (null: the program), or from
    // the program when resources lacks them.
    explicit CBmpListBox(HINSTANCE resources = nullptr);

    // One text column per heading of the parent dialog: each starts below the
    // left edge of its heading, left-aligned; a heading that is missing gives 0.
    // A negative count leaves no columns (the text then starts at kTextLeft).
    void SetColumns(const int* headingIds, int count);

    // The row of entry index, or null.
    CheckListRow* Row(int index) const;

    // Once the list window is there (the page's initialisation): takes the
    // scale of its monitor and answers screen readers from now on.
    void Begin();
    // Redraws row index after its tick changed, and tells screen readers.
    void RowChanged(int index) const;
    // The list moved to a monitor of another scale: rows and boxes at dpi,
    // the columns where their headings are now.
    void ScaleTo(int dpi);

    // Sizes at the list's scale, in pixels.
    int Dpi() const;
    int RowHeight() const;
    int BoxSize() const;

    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    bool OnMeasureItem(MEASUREITEMSTRUCT& item) override;
    bool OnCompareItem(const COMPAREITEMSTRUCT& item, int& result) override;

    fw::ScopedBitmap checkedBitmap;    // 103: black mark
    fw::ScopedBitmap uncheckedBitmap;  // 104: empty box
    fw::ScopedBitmap greyBitmap;       // 133: grey mark, checked but disabled
    std::vector<int> columnPositions;  // x in the list's client area
    std::vector<UINT> columnAlignments;

private:
    void DrawColumns(HDC dc, const RECT& rowRect, const std::wstring& text) const;
    void DrawBox(HDC dc, const RECT& rowRect, HBITMAP bitmap) const;
    int TextHeight() const;

    CheckBoxPictures boxes_;
    std::vector<int> headingIds_;  // of SetColumns: the columns follow them to a new scale
    int dpi_ = 0;  // 0: not yet known
    CheckListAccessibility accessibility_;
    fw::Subclass subclass_;  // after accessibility_: it goes first
};
