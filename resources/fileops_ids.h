// Resource identifiers of the file operations: the questions and the progress dialog.
#pragma once

// Templates, English and Japanese: "DlgYesNo", "DlgYesAllNoCancel", "FDlgConfReplaceFile",
// "FDlgConfReplaceMultiFile", "FDlgFileOp"

// Answers beside IDYES, IDNO and IDCANCEL
#define IDC_ALL 20

// Controls
#define IDC_QUESTION_ICON 10901
#define IDC_EXISTING_ICON 10902 // the file that would be replaced
#define IDC_NEW_ICON 10903      // the file that would replace it
#define IDC_QUESTION_TEXT 11901
#define IDC_EXISTING_TEXT 11904
#define IDC_NEW_TEXT 11905
#define IDC_FIRST_LABEL 11901 // progress dialog: what is done to
#define IDC_FIRST_VALUE 11902
#define IDC_SECOND_LABEL 11903 // and where to
#define IDC_SECOND_VALUE 11904
#define IDC_PROGRESS_PLACE 11100 // hidden; the percentage bar is drawn where it lies

// Icons
#define IDI_REPLACE_FILE 152
#define IDI_REPLACE_FOLDER 153
#define IDI_DELETE 155
