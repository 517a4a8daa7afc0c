#include "framework/Subclass.h"

namespace fw {

namespace {

// Window properties: the object that handles first, and the window's own
// procedure, which stays as long as ours may still be called.
constexpr wchar_t kHandlerProperty[] = L"OrvekSetup.Subclass";
constexpr wchar_t kOriginalProperty[] = L"OrvekSetup.Subclass.Original";

}  // namespace

bool Subclass::Install(HWND window, Handler handler)
{
    Remove();
    if (!window || !::IsWindow(window) || ::GetPropW(window, kOriginalProperty)) return false;
    const auto original = ::GetWindowLongPtrW(window, GWLP_WNDPROC);
    if (!::SetPropW(window, kOriginalProperty, reinterpret_cast<HANDLE>(original)) ||
        !::SetPropW(window, kHandlerProperty, this)) {
        ::RemovePropW(window, kOriginalProperty);
        return false;
    }
    handler_ = std::move(handler);
    window_ = window;
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass::Procedure));
    return true;
}

void Subclass::Remove()
{
    if (!window_) return;
    ::RemovePropW(window_, kHandlerProperty);
    // Our procedure goes only while it is the window's: a subclass installed
    // after ours still calls it, and it then passes everything on.
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window_, GWLP_WNDPROC)) == &Subclass::Procedure) {
        ::SetWindowLongPtrW(window_, GWLP_WNDPROC,
                            reinterpret_cast<LONG_PTR>(::GetPropW(window_, kOriginalProperty)));
        ::RemovePropW(window_, kOriginalProperty);
    }
    window_ = nullptr;
    handler_ = nullptr;
}

LRESULT CALLBACK Subclass::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto original = reinterpret_cast<WNDPROC>(::GetPropW(window, kOriginalProperty));
    auto* self = static_cast<Subclass*>(::GetPropW(window, kHandlerProperty));
    LRESULT result = 0;
    if (self && message != WM_NCDESTROY && self->handler_ && self->handler_(message, wParam, lParam, result))
        return result;
    if (message == WM_NCDESTROY) {
        if (self) self->Remove();  // the window goes: the object lets go first
        ::RemovePropW(window, kOriginalProperty);
    }
    return original ? ::CallWindowProcW(original, window, message, wParam, lParam)
                    : ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace fw
