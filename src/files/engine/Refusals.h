// What the run says when it will not take what the medium or the disk gives
// it: an entry of the data script that would lead outside its folder or does
// not fit, a folder link on the way to where a package goes.
#pragma once

#include "files/elements/PackageOutcome.h"
#include "platform/FileLinks.h"
#include "platform/Win32Error.h"

#include <string>

class InstallRun;
namespace fw {
class UserInterface;
}

// The answer to a refused entry of the data script.
enum class EntryAnswer { Abort, Retry, Skip };

// The entry key of section is not taken as it stands, because of why (for the
// setup log, e.g. "leads outside its folder: ..\x"). The user is asked as for
// the entry's other faults (Abort, Retry, Ignore; a quiet run answers Ignore);
// unless Retry, the run is refused, so it ends as failed.
EntryAnswer RefuseEntry(fw::UserInterface& ui, InstallRun& run, const std::wstring& key, const std::wstring& section,
                        const std::wstring& why);

// A value of the data script as its reader's buffer of bufferChars characters
// holds it (cut as the platform cuts it), and whole. A value is taken as read
// only when the cut changes none of the fields the program uses; otherwise it
// is refused (CutFieldText): a cut value would mean something else.
struct ScriptValue {
    std::wstring read;
    std::wstring whole;
    bool Cut() const { return read.size() != whole.size(); }
};
// Read from the script loaded once: a section of thousands of entries is not
// searched through the file for each.
class ProfileDocument;
ScriptValue ReadScriptValue(const ProfileDocument& script, const std::wstring& section, const std::wstring& key,
                            unsigned long bufferChars);
// why for RefuseEntry: a field of the value lies beyond what the buffer holds.
std::wstring CutFieldText(unsigned long bufferChars);

// what (e.g. "The package Lumina Leuchten") would be written or deleted
// through the folder link link: the user is told (unless quiet), naming the
// link, and the run refused. The refusal as the setup log has it.
std::wstring RefuseFolderLink(InstallRun& run, const std::wstring& what, const std::wstring& link, bool quiet = false);

class CInstElement;
// The element is not installed: the run is refused (the outcome's line told
// to the setup log) and the element keeps the first refusal or failure it was given.
void FailElement(InstallRun& run, CInstElement& element, const PackageOutcome& outcome);

// The name a package element goes by in the setup log.
std::wstring ElementName(const CInstElement& element);

// what (e.g. "the copy log") at path is a file link or has more than one name
// (link): it is left as it is, unwritten, and the run refused. The refusal as
// the setup log has it.
std::wstring RefuseLinkedFile(InstallRun& run, const std::wstring& what, const std::wstring& path, FileLink link);

// Why what at path is not written (link is not None), for the setup log.
std::wstring LinkedFileText(const std::wstring& what, const std::wstring& path, FileLink link);
