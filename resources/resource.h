// Resource identifiers of the program. Language libraries use the same numbers,
// so none of them may change.
#pragma once

// Icons
#define IDI_SETUP 2

// Bitmaps
#define IDB_PROGRESS_BANNER 131

// Dialogs
#define IDD_PROGRESS 138
#define IDD_DOTNET_FRAMEWORK 131
#define IDD_DELETE_OLD_DATA  141

// Controls of the progress dialog
#define IDC_PROGRESS_BANNER      132
#define IDC_PROGRESS_UNUSED      1031
#define IDC_PROGRESS_SOURCE      1035
#define IDC_PROGRESS_DEST        1036
#define IDC_PROGRESS_BAR         1046
#define IDC_PROGRESS_PERCENT     1047
#define IDC_PROGRESS_COPY_LABEL  1231
#define IDC_PROGRESS_TO_LABEL    1232

// Controls of the missing .NET framework prompt
#define IDC_DOTNET_TEXT          1231
#define IDC_DOTNET_URL           1013

// Controls of the replace-old-data question
#define IDC_OLDDATA_NAME         1231
#define IDC_OLDDATA_TEXT         1232
#define IDC_OLDDATA_QUESTION     1233
#define IDC_OLDDATA_ALL          1001

// Strings
#define IDS_INSERT_ORIGINAL_DVD   6
#define IDS_NOTHING_SELECTED      11
#define IDS_ENTRY_EMPTY           12
#define IDS_ENTRY_MALFORMED       13
#define IDS_ENTRY_FILE_MISSING    14
#define IDS_FILE_IN_USE           15
#define IDS_FILE_EXISTS           17
#define IDS_CREATE_FOLDER         18
#define IDS_FOLDER_NOT_CREATED    19
#define IDS_NO_INSTALLATION       29
#define IDS_SUITE_ONLY            31
#define IDS_FULL_PATH_NEEDED      66
#define IDS_DISK_SPACE_LOW        68
#define IDS_DOTNET_MISSING_TEXT   514
#define IDS_DOTNET_MISSING_TITLE  515
