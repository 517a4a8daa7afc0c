// Dialog templates built in memory, so the framework's tests need no resources.
#pragma once

#include <windows.h>

#include <vector>

class DialogTemplate {
public:
    enum : WORD { kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kListBox = 0x83, kComboBox = 0x85 };

    DialogTemplate(DWORD style, short cx, short cy)
    {
        // Style, extended style, item count (set by Get), x, y, cx, cy, no menu,
        // the standard class, the title, and the font.
        Words({LOWORD(style | DS_SETFONT), HIWORD(style | DS_SETFONT), 0, 0, 0, 0, 0, WORD(cx), WORD(cy), 0, 0});
        String(L"Test");
        Words({8});
        String(L"MS Shell Dlg");
    }

    DialogTemplate& Add(WORD classAtom, int id, DWORD style, short x, short y, short cx, short cy,
                        const wchar_t* text = L"")
    {
        if (data_.size() % 2) Words({0});  // items start on a DWORD boundary
        style |= WS_CHILD | WS_VISIBLE;
        Words({LOWORD(style), HIWORD(style), 0, 0, WORD(x), WORD(y), WORD(cx), WORD(cy), WORD(id), 0xFFFF, classAtom});
        String(text);
        Words({0});  // no creation data
        ++data_[4];
        return *this;
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

private:
    void Words(std::initializer_list<WORD> words)
    {
        for (WORD word : words) data_.push_back(word);
    }
    void String(const wchar_t* text) { do data_.push_back(*text); while (*text++); }

    std::vector<WORD> data_;  // the heap keeps it DWORD-aligned
};
