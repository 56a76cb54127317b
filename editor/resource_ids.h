// Resource and command identifiers of the editor, shared by its resource
// script and its code (plain defines: the resource compiler reads this too).
#ifndef KAV3_EDITOR_RESOURCE_IDS_H
#define KAV3_EDITOR_RESOURCE_IDS_H

#define IDI_PROGRAM 107
#define IDI_STANDARD 120
#define IDR_MAIN 109

#define IDC_SCRIPT_EDIT 200
#define IDC_SEARCH_BOX 201

#define IDM_NEW 32789
#define IDM_OPEN 32771
#define IDM_SAVE 32772
#define IDM_SAVE_AS 32773
#define IDM_RUN 32781
#define IDM_COMPILE 32790
#define IDM_EXIT 105
#define IDM_UNDO 32777
#define IDM_CUT 32774
#define IDM_COPY 32775
#define IDM_PASTE 32776
#define IDM_DELETE 32778
#define IDM_SELECT_ALL 32779
#define IDM_COMMAND_ASSIST 32780
#define IDM_PALETTE_ASSIST 132
#define IDM_FONT_ASSIST 32784
#define IDM_STYLE_ASSIST 32783
#define IDM_CONTROL_ASSIST 32788
#define IDM_FILE_NAME_ASSIST 32785
#define IDM_VERSION 104

#define IDB_SAVE 139
#define IDB_RUN 140
#define IDB_SEARCH 143

#define IDD_COMPILE 167
#define IDC_ICON_FILE 1028
#define IDC_OUTPUT_NAME 1029
#define IDC_ICON_STANDARD 1030

#endif
