// System variables: read-only names answered before the name table.
#pragma once
#include <cstdint>
#include <string_view>

namespace kav {

#define KAV_SYSVARS(X)                                                  \
    X(MOUSE_X) X(MOUSE_Y) X(MOUSE_WH) X(WIN_W) X(WIN_H) X(WIN_X) X(WIN_Y) \
    X(WIN_L) X(WIN_T) X(SCR_W) X(SCR_H) X(SCR_X) X(SCR_Y) X(SCROLL_V)     \
    X(SCROLL_H) X(KEY) X(ASC) X(ANSWER) X(PI) X(YEAR) X(MONTH) X(DAY)      \
    X(HOUR) X(MIN) X(SEC) X(DLGMS_X) X(DLGMS_Y) X(CAMERA_W) X(CAMERA_H)    \
    X(VIDEO_LEN)

enum class SysVar : uint8_t {
#define KAV_SYSVAR_ENUM(n) n,
    KAV_SYSVARS(KAV_SYSVAR_ENUM)
#undef KAV_SYSVAR_ENUM
    None
};

// Values behind the system variables. The run window, the dialog, the camera and
// the video player keep them current; the interpreter only reads them.
struct SystemState {
    int32_t mouseX = 0, mouseY = 0, mouseWheel = 0;
    int32_t winW = 0, winH = 0, winL = 40, winT = 40;
    int32_t screenW = 0, screenH = 0;
    int32_t scrollH = 0, scrollV = 0;
    uint32_t key = 0, asc = 0;
    int32_t answer = 0;
    int32_t dialogMouseX = 0, dialogMouseY = 0;
    double cameraW = 0, cameraH = 0, videoLength = 0;
};

// The system variable of that exact name, or SysVar::None.
SysVar findSysVar(std::string_view name);

// DLGMS_X and DLGMS_Y are system variables only while a dialog box is open.
inline bool isDialogSysVar(SysVar v) { return v == SysVar::DLGMS_X || v == SysVar::DLGMS_Y; }

// Current value; date and time are read from the local clock at each call.
double readSysVar(SysVar v, const SystemState& s);

}  // namespace kav
