#include "dialogs/BmpListBox.h"

#include "framework/Dpi.h"
#include "resources/resource.h"

#include <algorithm>

namespace {

// Sent to each child once its parent has handled WM_DPICHANGED (Windows 10 1703
// on; the headers of the oldest system the program runs on lack it).
constexpr UINT kDpiChangedAfterParent = 0x02E3;

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
      greyBitmap(LoadBoxBitmap(resources, IDB_CHECK_GREY)),
      boxes_(resources)
{
}

void CBmpListBox::SetColumns(const int* headingIds, int count)
{
    columnPositions.clear();
    columnAlignments.clear();
    if (count < 0 || !headingIds) {
        headingIds_.clear();
        return;
    }
    headingIds_.assign(headingIds, headingIds + count);
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

void CBmpListBox::Begin()
{
    dpi_ = fw::WindowDpi(Handle());
    subclass_.Install(Handle(), [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        switch (message) {
        case WM_GETOBJECT:
            return accessibility_.Answer(Handle(), wParam, lParam, result);
        case kDpiChangedAfterParent:
            // The dialog has its new size and fonts by now.
            ScaleTo(fw::WindowDpi(Handle()));
            return false;
        case WM_DESTROY:
            accessibility_.Disconnect();
            return false;
        default:
            return false;
        }
    });
}

void CBmpListBox::RowChanged(int index) const
{
    RECT rect{};
    if (Send(LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) != LB_ERR)
        ::InvalidateRect(Handle(), &rect, FALSE);
    CheckListAccessibility::RowChanged(Handle(), index);
}

void CBmpListBox::ScaleTo(int dpi)
{
    if (dpi <= 0) return;
    dpi_ = dpi;
    if (!headingIds_.empty()) {
        const std::vector<int> headings = headingIds_;
        SetColumns(headings.data(), static_cast<int>(headings.size()));
    }
    const int height = RowHeight();
    for (int i = 0, count = Count(); i < count; ++i) Send(LB_SETITEMHEIGHT, i, height);
    Invalidate(true);
}

int CBmpListBox::Dpi() const
{
    return dpi_ > 0 ? dpi_ : fw::WindowDpi(Handle());
}

int CBmpListBox::BoxSize() const
{
    return fw::ScaleToDpi(kBoxSize, Dpi());
}

int CBmpListBox::TextHeight() const
{
    fw::WindowDC dc(Handle());
    if (!dc.Get()) return 0;
    fw::SelectGuard font(dc.Get(), reinterpret_cast<HGDIOBJ>(Send(WM_GETFONT)));
    TEXTMETRICW metrics{};
    return ::GetTextMetricsW(dc.Get(), &metrics) ? metrics.tmHeight : 0;
}

int CBmpListBox::RowHeight() const
{
    // 18 pixels at 100 %, and never less than the box or a line of the list's
    // font with a margin above and below.
    const int dpi = Dpi();
    const int content = std::max(BoxSize(), TextHeight()) + 2 * fw::ScaleToDpi(kTextTop, dpi);
    return std::max(fw::ScaleToDpi(kRowHeight, dpi), content);
}

bool CBmpListBox::OnMeasureItem(MEASUREITEMSTRUCT& item)
{
    item.itemHeight = static_cast<UINT>(RowHeight());
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
    const BoxState state =
        !row->checked ? BoxState::kUnchecked : (row->enabled ? BoxState::kChecked : BoxState::kCheckedGrey);
    boxes_.Prepare({checkedBitmap.Get(), uncheckedBitmap.Get(), greyBitmap.Get()}, BoxSize());
    DrawBox(dc, item.rcItem, boxes_.Box(state));
    ::RestoreDC(dc, saved);
    return true;
}

void CBmpListBox::DrawColumns(HDC dc, const RECT& rowRect, const std::wstring& text) const
{
    // The line in the middle of the row: 2 pixels from the top at 100 %.
    TEXTMETRICW metrics{};
    const int lineHeight = ::GetTextMetricsW(dc, &metrics) ? metrics.tmHeight : 0;
    const int y = rowRect.top + std::max(0, static_cast<int>(rowRect.bottom - rowRect.top - lineHeight) / 2);
    if (columnPositions.empty()) {
        const int x = rowRect.left + fw::ScaleToDpi(kTextLeft, Dpi());
        ::TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
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
    const int size = boxes_.Size();
    fw::ScopedMemoryDC memory(::CreateCompatibleDC(dc));
    if (!memory) return;
    fw::SelectGuard select(memory.Get(), bitmap);
    if (!select.Selected()) return;
    // In the middle of the row, and of the margin the text leaves it; AND keeps
    // the row colour where the box is white.
    const int x = rowRect.left + std::max(0, (fw::ScaleToDpi(kTextLeft, Dpi()) - size) / 2);
    const int y = rowRect.top + std::max(0, static_cast<int>(rowRect.bottom - rowRect.top - size) / 2);
    ::BitBlt(dc, x, y, size, size, memory.Get(), 0, 0, SRCAND);
}
