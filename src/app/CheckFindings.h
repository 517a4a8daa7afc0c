// The findings of a medium check: one line each, naming the file (and the
// section and key where there is one), what is wrong, and what a run does with
// it. The lines go to the console the check was started from and to its log.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class SetupLog;

enum class FindingKind {
    Refused,  // a run refuses it and ends with 1603
    LeftOut,  // a run does not offer it
    Told,     // a run tells the user (a quiet run: its log) and goes on
    Note,     // a run goes on; what it does depends on the machine or is harmless
};

struct Finding {
    FindingKind kind = FindingKind::Note;
    std::wstring file;  // the file or folder it is about; may be empty
    std::wstring text;  // what is wrong, in the setup log's words
};

class CheckFindings {
public:
    void Add(FindingKind kind, const std::wstring& file, const std::wstring& text);
    const std::vector<Finding>& All() const { return findings_; }
    std::size_t Count(FindingKind kind) const;

    // 1603 when a run would refuse something, else 0.
    int ExitCode() const;

    // "FILE: TEXT: refused, the run ends with 1603".
    static std::wstring Line(const Finding& finding);
    // "check: 2 refused, 1 left out, 0 told, 3 notes; exit code 1603".
    std::wstring CountLine() const;

private:
    std::vector<Finding> findings_;
};

// Writes each line to the standard output of the process (the console it was
// started from, or the pipe or file it was given) and, when open, to log.
void WriteCheckLines(const std::vector<std::wstring>& lines, SetupLog* log);
