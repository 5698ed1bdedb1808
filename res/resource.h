#pragma once
// Identifiers of the program's resources.

// Message texts
#define IDS_NO_UPDATE_NEEDED   1
#define IDS_TITLE              2
#define IDS_UP_TO_DATE         3
#define IDS_TIP_UPDATE         4
#define IDS_TIP_FINISH         5
#define IDS_SUITE_NAME         6
#define IDS_APPLICATIONS_FOUND 7
#define IDS_QUILL_UNINSTALLED  8
#define IDS_CANNOT_REINSTALL   9
#define IDS_CLOSE_APPLICATIONS 10
// Why « Mettre à jour » is disabled, in its tip
#define IDS_BLOCKED_NO_FOLDER  20
#define IDS_BLOCKED_RUNNING    21
#define IDS_BLOCKED_ERROR      22

// Main dialog and its controls
#define IDD_MISEAJOUR_DIALOG   102
#define IDC_FOLDERS            1000
#define IDC_APPLICATIONS       1001
#define IDC_UPDATE             1002
#define IDC_CAPTION_FOLDERS    1004
#define IDC_CAPTION_APPS       1005
#define IDC_STATUS             1007

// Icons: the program's own and the buttons' normal and hot looks
#define IDI_UPDATE             128
#define IDI_FINISH             130
#define IDI_FINISH_HOT         131
#define IDI_UPDATE_HOT         132
