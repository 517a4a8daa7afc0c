#include "dialogs/CheckListAccessible.h"

#include "dialogs/BmpListBox.h"
#include "platform/SystemLibrary.h"

#include <oleacc.h>

#include <vector>

namespace {

// oleacc.dll is not among the libraries the loader always takes from the system
// folder, so it is not imported: it is found there when a client first asks.
using CreateStdAccessibleObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);

std::vector<std::wstring> Columns(const std::wstring& text)
{
    std::vector<std::wstring> columns;
    size_t start = 0;
    for (;;) {
        const size_t tab = text.find(L'\t', start);
        columns.push_back(text.substr(start, tab == std::wstring::npos ? std::wstring::npos : tab - start));
        if (tab == std::wstring::npos) return columns;
        start = tab + 1;
    }
}

std::wstring Joined(const std::vector<std::wstring>& parts, size_t from)
{
    std::wstring text;
    for (size_t i = from; i < parts.size(); ++i) {
        if (parts[i].empty()) continue;
        if (!text.empty()) text += L", ";
        text += parts[i];
    }
    return text;
}

HRESULT AsBstr(const std::wstring& text, BSTR* out)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

void SetChild(VARIANT* out, LONG child)
{
    ::VariantInit(out);
    out->vt = VT_I4;
    out->lVal = child;
}

}  // namespace

std::wstring AccessibleRowName(const CheckListRow& row)
{
    return Joined(Columns(row.text), 0);
}

std::wstring AccessibleRowValue(const CheckListRow& row)
{
    return Joined(Columns(row.text), 1);
}

// The client object of the list. Rows are read from the window each time (its
// item data point at the rows), so it never holds a row the page has let go.
struct CheckListAccessibility::Object final : IAccessible {
    Object(HWND list, IAccessible* standard) : list_(list), standard_(standard) {}
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    void Disconnect()
    {
        list_ = nullptr;
        if (standard_) standard_->Release();
        standard_ = nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) {
            Disconnect();
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch: clients use the interface's own calls.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        if (!Alive()) return E_FAIL;
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        if (!count) return E_POINTER;
        *count = 0;
        if (!Alive()) return E_FAIL;
        *count = Count();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!Alive()) return E_FAIL;
        return RowOf(child) ? S_FALSE : E_INVALIDARG;  // rows are simple elements
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (!Alive()) return E_FAIL;
        if (IsSelf(child)) return standard_->get_accName(child, name);
        const CheckListRow* row = RowOf(child);
        return row ? AsBstr(AccessibleRowName(*row), name) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        if (!Alive()) return E_FAIL;
        if (IsSelf(child)) return standard_->get_accValue(child, value);
        const CheckListRow* row = RowOf(child);
        return row ? AsBstr(AccessibleRowValue(*row), value) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        if (!Alive()) return E_FAIL;
        if (IsSelf(child)) return standard_->get_accDescription(child, description);
        return RowOf(child) ? AsBstr(std::wstring(), description) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!role) return E_POINTER;
        if (!Alive()) return E_FAIL;
        if (IsSelf(child)) {
            SetChild(role, ROLE_SYSTEM_LIST);
            return S_OK;
        }
        if (!RowOf(child)) return E_INVALIDARG;
        // A check button: readers say "not checked" for a row without the
        // checked state, which a plain list item would leave unsaid.
        SetChild(role, ROLE_SYSTEM_CHECKBUTTON);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        if (!state) return E_POINTER;
        if (!Alive()) return E_FAIL;
        if (IsSelf(child)) return standard_->get_accState(child, state);
        const CheckListRow* row = RowOf(child);
        if (!row) return E_INVALIDARG;
        const int index = child.lVal - 1;
        LONG flags = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
        if (row->checked) flags |= STATE_SYSTEM_CHECKED;
        if (!row->enabled) flags |= STATE_SYSTEM_UNAVAILABLE;
        if (::SendMessageW(list_, LB_GETCURSEL, 0, 0) == index) {
            flags |= STATE_SYSTEM_SELECTED;
            if (::GetFocus() == list_) flags |= STATE_SYSTEM_FOCUSED;
        }
        RECT item{};
        RECT client{};
        RECT shown{};
        ::SendMessageW(list_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        ::GetClientRect(list_, &client);
        if (!::IntersectRect(&shown, &item, &client)) flags |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
        SetChild(state, flags);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        if (!Alive()) return E_FAIL;
        if (IsSelf(child)) return standard_->get_accHelp(child, help);
        return RowOf(child) ? AsBstr(std::wstring(), help) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        if (!Alive()) return E_FAIL;
        if (IsSelf(child)) return standard_->get_accHelpTopic(file, child, topic);
        return RowOf(child) ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        if (!Alive()) return E_FAIL;
        if (IsSelf(child)) return standard_->get_accKeyboardShortcut(child, shortcut);
        return RowOf(child) ? AsBstr(std::wstring(), shortcut) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        if (!focus) return E_POINTER;
        ::VariantInit(focus);
        if (!Alive()) return E_FAIL;
        if (::GetFocus() != list_) return S_FALSE;
        const LRESULT selected = ::SendMessageW(list_, LB_GETCURSEL, 0, 0);
        SetChild(focus, selected >= 0 ? static_cast<LONG>(selected) + 1 : CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        if (!selection) return E_POINTER;
        ::VariantInit(selection);
        if (!Alive()) return E_FAIL;
        const LRESULT selected = ::SendMessageW(list_, LB_GETCURSEL, 0, 0);
        if (selected < 0) return S_FALSE;
        SetChild(selection, static_cast<LONG>(selected) + 1);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        if (!Alive()) return E_FAIL;
        if (IsSelf(child)) return standard_->get_accDefaultAction(child, action);
        return RowOf(child) ? AsBstr(std::wstring(), action) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        if (!Alive()) return E_FAIL;
        if (IsSelf(child)) return standard_->accSelect(flags, child);
        if (!RowOf(child)) return E_INVALIDARG;
        if (flags & (SELFLAG_TAKEFOCUS)) ::SetFocus(list_);
        if (flags & (SELFLAG_TAKESELECTION | SELFLAG_ADDSELECTION))
            ::SendMessageW(list_, LB_SETCURSEL, child.lVal - 1, 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        if (!left || !top || !width || !height) return E_POINTER;
        if (!Alive()) return E_FAIL;
        if (IsSelf(child)) return standard_->accLocation(left, top, width, height, child);
        if (!RowOf(child)) return E_INVALIDARG;
        RECT item{};
        if (::SendMessageW(list_, LB_GETITEMRECT, child.lVal - 1, reinterpret_cast<LPARAM>(&item)) == LB_ERR)
            return E_FAIL;
        ::MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&item), 2);
        *left = item.left;
        *top = item.top;
        *width = item.right - item.left;
        *height = item.bottom - item.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        if (!end) return E_POINTER;
        ::VariantInit(end);
        if (!Alive()) return E_FAIL;
        const LONG count = Count();
        LONG to = 0;
        if (IsSelf(start)) {
            if (direction == NAVDIR_FIRSTCHILD) to = 1;
            else if (direction == NAVDIR_LASTCHILD) to = count;
            else return standard_->accNavigate(direction, start, end);
        } else {
            if (!RowOf(start)) return E_INVALIDARG;
            if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) to = start.lVal + 1;
            else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) to = start.lVal - 1;
            else return S_FALSE;
        }
        if (to < 1 || to > count) return S_FALSE;
        SetChild(end, to);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* at) override
    {
        if (!at) return E_POINTER;
        ::VariantInit(at);
        if (!Alive()) return E_FAIL;
        POINT point{x, y};
        ::ScreenToClient(list_, &point);
        RECT client{};
        ::GetClientRect(list_, &client);
        if (!::PtInRect(&client, point)) return standard_->accHitTest(x, y, at);
        const LRESULT hit = ::SendMessageW(list_, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
        // The high word says the point lies outside every item.
        SetChild(at, HIWORD(hit) ? CHILDID_SELF : static_cast<LONG>(LOWORD(hit)) + 1);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!Alive()) return E_FAIL;
        if (IsSelf(child)) return standard_->accDoDefaultAction(child);
        return RowOf(child) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~Object() = default;

    bool Alive() const { return list_ && standard_ && ::IsWindow(list_); }
    static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
    LONG Count() const
    {
        const LRESULT count = ::SendMessageW(list_, LB_GETCOUNT, 0, 0);
        return count > 0 ? static_cast<LONG>(count) : 0;
    }
    // The row of a child id (1 .. count), or null.
    const CheckListRow* RowOf(const VARIANT& child) const
    {
        if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > Count()) return nullptr;
        const LRESULT data = ::SendMessageW(list_, LB_GETITEMDATA, child.lVal - 1, 0);
        if (data == LB_ERR || data == 0) return nullptr;
        return reinterpret_cast<const CheckListRow*>(data);
    }

    LONG references_ = 1;
    HWND list_;               // not owned; null once disconnected
    IAccessible* standard_;   // the system's object of the list, one reference
};

bool CheckListAccessibility::Answer(HWND list, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) return false;
    static const auto fromObject = SystemFunctionAs<LresultFromObjectFunction>(L"oleacc.dll", "LresultFromObject");
    static const auto createStandard =
        SystemFunctionAs<CreateStdAccessibleObjectFunction>(L"oleacc.dll", "CreateStdAccessibleObject");
    if (!fromObject || !createStandard) return false;
    if (!object_) {
        IAccessible* standard = nullptr;
        if (FAILED(createStandard(list, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard))) ||
            !standard)
            return false;
        object_ = new Object(list, standard);
    }
    result = fromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object_));
    return true;
}

void CheckListAccessibility::Disconnect()
{
    if (!object_) return;
    object_->Disconnect();
    object_->Release();
    object_ = nullptr;
}

void CheckListAccessibility::RowChanged(HWND list, int index)
{
    if (list && index >= 0) ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, list, OBJID_CLIENT, index + 1);
}
