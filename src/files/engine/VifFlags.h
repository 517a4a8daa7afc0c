// The result bits of the version-aware install of one file, with the values
// of the platform's VerInstallFile flags.
#pragma once

enum : unsigned {
    kVifTempFile = 0x1,
    kVifMismatch = 0x2,
    kVifSrcOld = 0x4,
    kVifDiffLang = 0x8,
    kVifDiffCodePg = 0x10,
    kVifDiffType = 0x20,
    kVifWriteProt = 0x40,
    kVifFileInUse = 0x80,
    kVifOutOfSpace = 0x100,
    kVifAccessViolation = 0x200,
    kVifSharingViolation = 0x400,
    kVifCannotCreate = 0x800,
    kVifCannotDelete = 0x1000,
    kVifCannotRename = 0x2000,
    kVifCannotDeleteCur = 0x4000,
    kVifOutOfMemory = 0x8000,
    kVifCannotReadSrc = 0x10000,
    kVifCannotReadDst = 0x20000,
    kVifBuffTooSmall = 0x40000,
};
