// Resource identifiers of the program. Language libraries use the same numbers,
// so none of them may change.
#pragma once

// Icons
#define IDI_SETUP 2

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

// --- Wizard pages: banner, check list, options page, path dialog, language page
#define IDB_CHECK        103
#define IDB_UNCHECK      104
#define IDB_BANNER       131   // also the progress dialog's
#define IDB_CHECK_GREY   133
// The same boxes drawn for 100, 125, 150 and 200 % (13, 16, 20 and 26 pixels):
// variant k (1 to 4) of a box is its id + k * 1000 (CheckBoxPictures).
#define IDB_CHECK_13       1103
#define IDB_UNCHECK_13     1104
#define IDB_CHECK_GREY_13  1133
#define IDB_CHECK_16       2103
#define IDB_UNCHECK_16     2104
#define IDB_CHECK_GREY_16  2133
#define IDB_CHECK_20       3103
#define IDB_UNCHECK_20     3104
#define IDB_CHECK_GREY_20  3133
#define IDB_CHECK_26       4103
#define IDB_UNCHECK_26     4104
#define IDB_CHECK_GREY_26  4133

#define IDD_OPTIONS      102
#define IDD_EDIT_PATH    105
#define IDD_LANGUAGE     114

#define IDC_BANNER       132   // the banner picture of every page

// Controls of the options page
#define IDC_OPTIONS_END          3
#define IDC_OPTIONS_APPLICATION  1001
#define IDC_OPTIONS_PATH         1007
#define IDC_OPTIONS_FOLDER       1008
#define IDC_OPTIONS_DIR          1016
#define IDC_OPTIONS_FROM_DVD     1028
#define IDC_OPTIONS_TO_DISK      1029
#define IDC_OPTIONS_CHECK_ALL    1030
#define IDC_OPTIONS_CLEAR_ALL    1031
#define IDC_OPTIONS_HEAD_NAME    1035
#define IDC_OPTIONS_HEAD_DIR     1036
#define IDC_OPTIONS_DIR_LABEL    1037
#define IDC_OPTIONS_LIST         1091
#define IDC_OPTIONS_DIR_FRAME    1232
#define IDC_OPTIONS_GROUP        1233

// Controls of the path dialog
#define IDC_EDITPATH_DETERMINE     1008
#define IDC_EDITPATH_PATH          1012
#define IDC_EDITPATH_DRIVE         1013
#define IDC_EDITPATH_FREE          1014
#define IDC_EDITPATH_NEEDED        1015
#define IDC_EDITPATH_GROUP         1231
#define IDC_EDITPATH_DRIVE_LABEL   1232
#define IDC_EDITPATH_FREE_LABEL    1233
#define IDC_EDITPATH_NEEDED_LABEL  1234
#define IDC_EDITPATH_NEEDED_FRAME  1235
#define IDC_EDITPATH_FREE_FRAME    1236
#define IDC_EDITPATH_DRIVE_FRAME   1237
#define IDC_EDITPATH_PATH_LABEL    1239

// Controls of the language page
#define IDC_LANGUAGE_LIST  1051
// --- end of the wizard pages

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
#define IDS_ANOTHER_RUN           70
