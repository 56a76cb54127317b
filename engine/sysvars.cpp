#include "engine/sysvars.h"

#include <ctime>

namespace kav {

SysVar findSysVar(std::string_view name) {
    // A quick filter: every system variable is upper case and starts with one of these.
    if (name.size() < 2 || name.size() > 9 || !(name[0] >= 'A' && name[0] <= 'Y')) return SysVar::None;
#define KAV_SYSVAR_MATCH(n) \
    if (name == #n) return SysVar::n;
    KAV_SYSVARS(KAV_SYSVAR_MATCH)
#undef KAV_SYSVAR_MATCH
    return SysVar::None;
}

namespace {

std::tm localNow() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    return tm;
}

}  // namespace

double readSysVar(SysVar v, const SystemState& s) {
    switch (v) {
    case SysVar::MOUSE_X: return s.mouseX;
    case SysVar::MOUSE_Y: return s.mouseY;
    case SysVar::MOUSE_WH: return s.mouseWheel;
    case SysVar::WIN_W:
    case SysVar::WIN_X: return s.winW;
    case SysVar::WIN_H:
    case SysVar::WIN_Y: return s.winH;
    case SysVar::WIN_L: return s.winL;
    case SysVar::WIN_T: return s.winT;
    case SysVar::SCR_W:
    case SysVar::SCR_X: return s.screenW;
    case SysVar::SCR_H:
    case SysVar::SCR_Y: return s.screenH;
    case SysVar::SCROLL_V: return s.scrollV;
    case SysVar::SCROLL_H: return s.scrollH;
    case SysVar::KEY: return s.key;
    case SysVar::ASC: return s.asc;
    case SysVar::ANSWER: return s.answer;
    case SysVar::PI: return 3.14159265359;
    case SysVar::YEAR: return localNow().tm_year + 1900;
    case SysVar::MONTH: return localNow().tm_mon + 1;
    case SysVar::DAY: return localNow().tm_mday;
    case SysVar::HOUR: return localNow().tm_hour;
    case SysVar::MIN: return localNow().tm_min;
    case SysVar::SEC: return localNow().tm_sec;
    case SysVar::DLGMS_X: return s.dialogMouseX;
    case SysVar::DLGMS_Y: return s.dialogMouseY;
    case SysVar::CAMERA_W: return s.cameraW;
    case SysVar::CAMERA_H: return s.cameraH;
    case SysVar::VIDEO_LEN: return s.videoLength;
    case SysVar::None: break;
    }
    return 0;
}

}  // namespace kav
