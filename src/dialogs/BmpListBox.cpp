#include "dialogs/BmpListBox.h"

#include "resources/resource.h"

namespace {

HBITMAP LoadBoxBitmap(HINSTANCE resources, UINT id)
{
    HBITMAP bitmap = nullptr;
    if (resources) bitmap = ::LoadBitmapW(resources, MAKEINTRESOURCEW(id));
    // A language library without its own boxes uses the program's.
    if (!bitmap) bitmap = ::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
    return bitmap;
}

}  // namespace

CBmpListBox::CBmpListBox(HINSTANCE resources)
    : checkedBitmap(LoadBoxBitmap(resources, IDB_CHECK)),
      uncheckedBitmap(LoadBoxBitmap(resources, IDB_UNCHECK)),
      greyBitmap(LoadBoxBitmap(resources, IDB_CHECK_GREY))
{
}

void CBmpListBox::SetColumns(const int* headingIds, int count)
{
    columnPositions.clear();
    columnAlignments.clear();
    if (count < 0 || !headingIds) return;
    HWND parent = ::GetParent(Handle());
    for (int i = 0; i < count; ++i) {
        int x = 0;
        if (HWND heading = parent ? ::GetDlgItem(parent, headingIds[i]) : nullptr) {
            RECT rect{};
            ::GetWindowRect(heading, &rect);
            POINT left{rect.left, rect.top};
            ::ScreenToClient(Handle(), &left);
            x = left.x;
        }
        columnPositions.push_back(x);
        columnAlignments.push_back(TA_LEFT);
    }
}

CheckListRow* CBmpListBox::Row(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return reinterpret_cast<CheckListRow*>(ItemData(index));
}

bool CBmpListBox::OnMeasureItem(MEASUREITEMSTRUCT& item)
{
    item.itemHeight = kRowHeight;
    return true;
}

bool CBmpListBox::OnCompareItem(const COMPAREITEMSTRUCT& item, int& result)
{
    const auto a = static_cast<uintptr_t>(item.itemData1);
    const auto b = static_cast<uintptr_t>(item.itemData2);
    result = a < b ? -1 : (a > b ? 1 : 0);
    return true;
}

bool CBmpListBox::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    // A change of focus alone draws nothing: the selection colours show the row.
    if (item.itemID == static_cast<UINT>(-1) || !(item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) return true;
    const auto* row = reinterpret_cast<const CheckListRow*>(item.itemData);
    if (!row) return true;

    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    COLORREF text = ::GetSysColor(row->enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    COLORREF back = ::GetSysColor(COLOR_WINDOW);
    if (selected && row->enabled) {
        text = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        back = ::GetSysColor(COLOR_HIGHLIGHT);
    }

    HDC dc = item.hDC;  // not owned: the list's
    const int saved = ::SaveDC(dc);
    ::SetBkColor(dc, back);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &item.rcItem, nullptr, 0, nullptr);  // fills the row
    ::SetTextColor(dc, text);
    DrawColumns(dc, item.rcItem, row->text);
    HBITMAP box = !row->checked ? uncheckedBitmap.Get() : (row->enabled ? checkedBitmap.Get() : greyBitmap.Get());
    DrawBox(dc, item.rcItem, box);
    ::RestoreDC(dc, saved);
    return true;
}

void CBmpListBox::DrawColumns(HDC dc, const RECT& rowRect, const std::wstring& text) const
{
    const int y = rowRect.top + kTextTop;
    if (columnPositions.empty()) {
        ::TextOutW(dc, rowRect.left + kTextLeft, y, text.c_str(), static_cast<int>(text.size()));
        return;
    }
    // Segments beyond the last column are not drawn.
    size_t start = 0;
    for (size_t i = 0; i < columnPositions.size() && start <= text.size(); ++i) {
        size_t tab = text.find(L'\t', start);
        if (tab == std::wstring::npos) tab = text.size();
        ::SetTextAlign(dc, columnAlignments[i]);
        ::TextOutW(dc, rowRect.left + columnPositions[i], y, text.c_str() + start, static_cast<int>(tab - start));
        if (tab == text.size()) break;
        start = tab + 1;
    }
}

void CBmpListBox::DrawBox(HDC dc, const RECT& rowRect, HBITMAP bitmap) const
{
    if (!bitmap) return;
    BITMAP info{};
    if (!::GetObjectW(bitmap, sizeof(info), &info)) return;
    fw::ScopedMemoryDC memory(::CreateCompatibleDC(dc));
    if (!memory) return;
    fw::SelectGuard select(memory.Get(), bitmap);
    if (!select.Selected()) return;
    // AND keeps the row colour where the box is white.
    ::BitBlt(dc, rowRect.left, rowRect.top, info.bmWidth, info.bmHeight, memory.Get(), 0, 0, SRCAND);
}
