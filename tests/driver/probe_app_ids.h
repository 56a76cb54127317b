// Identifiers of the probe application's menu, controls and dialog, shared by
// its code and its resource script.
#pragma once

#define IDM_PROBE_OPEN 101
#define IDM_PROBE_SAVE 102
#define IDM_PROBE_CHECKED 103
#define IDM_PROBE_GREYED 104
#define IDM_PROBE_ASK 105
#define IDM_PROBE_SECOND 106
#define IDM_PROBE_COPY 107

#define IDC_PROBE_EDIT 201
#define IDC_PROBE_BUTTON 202
#define IDC_PROBE_LIST 203
#define IDC_PROBE_COMBO 204
#define IDC_PROBE_SCROLL 205
#define IDC_PROBE_SECOND_BUTTON 301

#define IDD_PROBE_ASK 400
#define IDC_PROBE_ASK_TEXT 401
