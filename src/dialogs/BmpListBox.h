// The check list of the pages: an owner-drawn list box without strings whose
// entries point at row records; each row is drawn with a check box and its
// text in columns.
#pragma once

#include "framework/Controls.h"
#include "framework/Handles.h"

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
    static constexpr int kRowHeight = 18;
    static constexpr int kTextLeft = 18;  // text start without columns: beside the box
    static constexpr int kTextTop = 2;

    // Loads the three box bitmaps from resources (null: the program), or from
    // the program when resources lacks them.
    explicit CBmpListBox(HINSTANCE resources = nullptr);

    // One text column per heading of the parent dialog: each starts below the
    // left edge of its heading, left-aligned; a heading that is missing gives 0.
    // A negative count leaves no columns (the text then starts at kTextLeft).
    void SetColumns(const int* headingIds, int count);

    // The row of entry index, or null.
    CheckListRow* Row(int index) const;

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
};
