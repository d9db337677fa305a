#pragma once
// Names and control ids of the logon and lookup dialog templates (shared by the
// resource script and the views).
#define IDD_DB_LOGON 2101
#define IDD_LOOKUP 2102
#define IDI_SERVER_LOOKUP 2103
#define IDI_LOGON 2104

// frmUtilDbLogon (OK and Cancel are IDOK and IDCANCEL).
#define IDC_LOGON_PICTURE 1101
#define IDC_LOGON_PROMPT 1102
#define IDC_LOGON_LINE 1103
#define IDC_LOGON_SERVER_LABEL 1104
#define IDC_LOGON_SERVER 1105
#define IDC_LOGON_LOOKUP 1106
#define IDC_LOGON_USER_LABEL 1107
#define IDC_LOGON_USER 1108
#define IDC_LOGON_PASSWORD_LABEL 1109
#define IDC_LOGON_PASSWORD 1110

// frmUtilLookupCode (OK and Cancel are IDOK and IDCANCEL).
#define IDC_LOOKUP_GRID 1201
#define IDC_LOOKUP_LABEL 1202
#define IDC_LOOKUP_SEARCH 1203
#define IDC_LOOKUP_ADD_NEW 1204
#define IDC_LOOKUP_FILTER_PICTURE 1205
#define IDC_LOOKUP_FILTER_LABEL 1206
