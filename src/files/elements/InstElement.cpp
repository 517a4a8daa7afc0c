#include "files/elements/InstElement.h"

#include "platform/PathUtil.h"
#include "platform/Profile.h"

#include <windows.h>

namespace {

std::wstring FromAnsi(const char* text)
{
    if (!text || !*text) return std::wstring();
    int length = ::MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

constexpr DWORD kFolderNameBufferChars = 80;

}  // namespace

CInstElement::CInstElement(const char* displayNameAnsi, const char* folderKeyAnsi, int selectedFlag)
    : displayName(FromAnsi(displayNameAnsi)), folderKey(FromAnsi(folderKeyAnsi)), selected(selectedFlag)
{
}

std::size_t CIEArray::Add(std::unique_ptr<CInstElement> element)
{
    elements_.push_back(std::move(element));
    return elements_.size() - 1;
}

namespace {

constexpr wchar_t kFolderNameSection[] = L"DTBPath";

}  // namespace

namespace {

// The DTBPath value of folderKey, whole; true when it is taken: one plain
// folder name that its buffer holds (a cut name would be another folder).
bool FolderNameValue(const std::wstring& scriptFile, const std::wstring& folderKey, std::wstring& value)
{
    value = ReadProfileText(scriptFile, kFolderNameSection, folderKey, kFolderNameBufferChars);
    if (value.size() + 1 >= kFolderNameBufferChars)
        value = ReadWholeProfileText(scriptFile, kFolderNameSection, folderKey);
    return value.size() < kFolderNameBufferChars && IsPlainFolderName(value);
}

}  // namespace

std::wstring ElementFolderName(const std::wstring& scriptFile, const std::wstring& folderKey)
{
    if (folderKey.empty()) return folderKey;
    // Only the last folder name is redirected; a value that would lead elsewhere
    // (a path, "..") is not followed.
    std::wstring name;
    return FolderNameValue(scriptFile, folderKey, name) ? name : folderKey;
}

std::wstring RefusedFolderName(const std::wstring& scriptFile, const std::wstring& folderKey)
{
    std::wstring name;
    if (folderKey.empty() || FolderNameValue(scriptFile, folderKey, name)) return std::wstring();
    return name;
}

void SetElementDestination(CInstElement& element, const std::wstring& baseFolder, const std::wstring& scriptFile)
{
    element.destination = JoinPath(baseFolder, ElementFolderName(scriptFile, element.folderKey));
}

ElementFolderNames::ElementFolderNames(const std::wstring& scriptFile) : scriptFile_(scriptFile)
{
    for (const std::wstring& key : ReadProfileKeys(scriptFile, kFolderNameSection)) keys_.insert(FileNameKey(key));
}

std::wstring ElementFolderNames::Of(const std::wstring& folderKey) const
{
    if (folderKey.empty() || !keys_.count(FileNameKey(folderKey))) return folderKey;
    return ElementFolderName(scriptFile_, folderKey);
}

std::wstring ElementFolderNames::Refused(const std::wstring& folderKey) const
{
    if (folderKey.empty() || !keys_.count(FileNameKey(folderKey))) return std::wstring();
    return RefusedFolderName(scriptFile_, folderKey);
}

void SetElementDestination(CInstElement& element, const std::wstring& baseFolder, const ElementFolderNames& names)
{
    element.destination = JoinPath(baseFolder, names.Of(element.folderKey));
}
