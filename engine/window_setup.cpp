// CREATE forms of the window setup commands: they only record the settings that
// the run window is created with.
#include "engine/window_setup.h"

#include "engine/commands.h"
#include "engine/engine.h"

namespace kav {

unsigned styleOfCode(int code) {
    using namespace style;
    switch (code) {
    case 1: return Popup | Border | ThickFrame;
    case 2: return Popup | Caption | SysMenu | MinimizeBox;
    case 3: return Popup | Border;
    case 4: return Popup;
    default: return Popup | OverlappedWindow;
    }
}

namespace {

bool captionless(int code) { return code == 1 || code == 3 || code == 4; }

void setWinStyle(Call& c) {
    int32_t type = 0;
    if (!c.integers(0, 0, &type)) return;
    c.e.setup.styleCode = type >= 0 && type <= 4 ? type : 0;
    c.e.setup.style = styleOfCode(c.e.setup.styleCode);
}

void setWinStyleOption(Call& c) {
    int32_t v[3];
    if (!c.integers(0, 2, v)) return;
    c.e.setup.shape = v[0] == 1 || v[0] == 2 ? v[0] : 0;
    c.e.setup.cornerW = v[1];
    c.e.setup.cornerH = v[2];
}

void setScrollBar(Call& c) {
    int32_t v[2];
    if (!c.integers(0, 1, v)) return;
    if (v[0] > 0) c.e.setup.scrollRangeH = v[0], c.e.setup.style |= style::HScroll;
    if (v[1] > 0) c.e.setup.scrollRangeV = v[1], c.e.setup.style |= style::VScroll;
}

void setWinColor(Call& c) {
    int32_t colour = 0;
    if (!c.integers(0, 0, &colour)) return;
    if (colour < -1 || colour > 16) return c.fail(Status::ColourInvalid);
    c.e.setup.colour = colour;
}

void setWinSize(Call& c) {
    int32_t v[2];
    if (!c.integers(0, 1, v)) return;
    Host& h = c.e.host;
    c.e.sys.winW = v[0] + 2 * h.metric(Metric::CxBorder);
    c.e.sys.winH = v[1] + h.metric(Metric::CyBorder) + h.metric(Metric::CyCaption);
    c.e.setup.clientSizeSet = true;
    c.e.setup.clientW = v[0];
    c.e.setup.clientH = v[1];
}

void setWinPos(Call& c) {
    int32_t v[3];
    if (!c.integers(0, 2, v)) return;
    c.e.sys.winL = v[0];
    c.e.sys.winT = v[1];
    c.e.setup.topmost = v[2] == 1;
}

void setCaption(Call& c) {
    std::string_view text;
    if (!c.string(0, text)) return;
    c.e.setup.caption = text.substr(0, 255);
}

void setTimer(Call& c) {
    int32_t t = 0;
    if (!c.integers(0, 0, &t)) return;
    if (t <= 0) return c.fail(Status::TimerFailed);
    c.e.setup.timerInterval = t;
}

}  // namespace

void Host::outerSize(int styleCode, uint32_t, bool menu, int32_t& w, int32_t& h) {
    w += 2 * metric(Metric::CxBorder);
    h += metric(Metric::CyBorder) + metric(Metric::CyCaption);
    if (menu) h += metric(Metric::CyMenu) + metric(Metric::CyBorder);
    if (captionless(styleCode)) h -= metric(Metric::CyCaption) + metric(Metric::CyBorder);
}

void adjustWindowSize(Engine& e) {
    Host& h = e.host;
    WindowSetup& s = e.setup;
    if (s.clientSizeSet) {
        // The frame of the final style and menu, so that the client area is
        // exactly what SetWinSize asked for (the metrics alone miss a border
        // pixel with some styles).
        e.sys.winW = s.clientW;
        e.sys.winH = s.clientH;
        h.outerSize(s.styleCode, s.style & ~(style::HScroll | style::VScroll), s.hasMenu, e.sys.winW, e.sys.winH);
    } else {
        if (s.hasMenu) e.sys.winH += h.metric(Metric::CyMenu) + h.metric(Metric::CyBorder);
        if (captionless(s.styleCode)) e.sys.winH -= h.metric(Metric::CyCaption) + h.metric(Metric::CyBorder);
    }
    if (s.scrollRangeH > 0) e.sys.winH += h.metric(Metric::CyVThumb);
    if (s.scrollRangeV > 0) e.sys.winW += h.metric(Metric::CxHThumb);
}

namespace {

constexpr CommandEntry kEntries[] = {
    {"SetTimer", 1, kCreate, setTimer},
    {"SetWinStyle", 1, kCreate, setWinStyle},
    {"SetWinStyleOption", 3, kCreate, setWinStyleOption},
    {"SetScrollBar", 2, kCreate, setScrollBar},
    {"SetWinColor", 1, kCreate, setWinColor},
    {"SetWinSize", 2, kCreate, setWinSize},
    {"SetWinPos", 3, kCreate, setWinPos},
    {"SetCaption", 1, kCreate, setCaption},
};

}  // namespace

extern constinit const CommandFamily kWindowSetupCommands{kEntries};

}  // namespace kav
