#include "graphics/screens_win.h"

#include <array>
#include <memory>

#include "engine/engine.h"
#include "graphics/screen_table.h"

namespace kav {

namespace {

// A sub-screen: its bitmap selected into its memory context for the life of
// the run window. Members go in reverse: the old bitmap back, then the
// bitmap deleted, then the context.
struct SubScreen {
    SubScreen(HDC memory, HBITMAP bits) : dc(memory), bitmap(bits), selected(memory, bits) {}
    MemoryDC dc;
    Bitmap bitmap;
    SelectGuard selected;
};

std::array<std::unique_ptr<SubScreen>, kSubScreens + 1> subScreens;

HWND dialogOf(Engine& e) { return static_cast<HWND>(e.dialogWindow); }

}  // namespace

void resetPalette() { graphics().palette.reset(); }

void makeSubScreens(HWND window) {
    const GraphicsState& g = graphics();
    for (int32_t k = 1; k <= kSubScreens; ++k) {
        const auto i = static_cast<size_t>(k);
        subScreens[i].reset();
        if (g.width[i] == 0) continue;
        WindowDC client(window);
        HDC memory = CreateCompatibleDC(client.get());
        if (!memory) continue;
        HBITMAP bits = CreateCompatibleBitmap(client.get(), g.width[i], g.height[i]);
        if (!bits) {
            DeleteDC(memory);
            continue;
        }
        subScreens[i] = std::make_unique<SubScreen>(memory, bits);
        // A fresh bitmap holds whatever the memory held: start from black.
        PatBlt(memory, 0, 0, g.width[i], g.height[i], BLACKNESS);
    }
}

void releaseSubScreens() {
    for (auto& s : subScreens) s.reset();
}

void setMainScreenSize(int32_t w, int32_t h) {
    graphics().width[kMainScreen] = w;
    graphics().height[kMainScreen] = h;
}

void forgetGraphics() {
    releaseSubScreens();
    graphics().forgetRun();
}

HDC subScreenDC(int32_t scr) {
    if (scr < 1 || scr > kSubScreens || !subScreens[static_cast<size_t>(scr)]) return nullptr;
    return subScreens[static_cast<size_t>(scr)]->dc.get();
}

bool ScreenDC::acquire(Engine& e, int32_t scr) {
    const Status s = screenStatus(scr, dialogOf(e) != nullptr, subScreenDC(scr) != nullptr);
    if (s != Status::Ok) {
        e.fault.raise(s);
        return false;
    }
    if (scr > kMainScreen) {
        dc_ = subScreenDC(scr);
        return true;
    }
    // Screen 0 before its window exists has no surface to draw on: the
    // desktop's context (GetDC of nullptr) must never stand in for it.
    HWND window = scr == kDialogScreen ? dialogOf(e) : static_cast<HWND>(e.runWindow);
    if (!window) {
        e.fault.raise(Status::ParamInvalid);
        return false;
    }
    window_.emplace(window);
    dc_ = window_->get();
    return dc_ != nullptr;
}

bool PenBrush::select(Engine& e, int32_t scr, int32_t oc, int32_t ic) {
    Status s = checkOutline(oc);
    if (s == Status::Ok) s = checkInside(ic);
    if (s != Status::Ok) {
        e.fault.raise(s);
        return false;
    }
    if (!screen_.acquire(e, scr)) return false;
    const Palette& palette = graphics().palette;
    const PenChoice p = penOf(oc);
    pen_ = Pen(CreatePen(p.dotted ? PS_DOT : PS_SOLID, 1, palette[p.index]));
    if (ic >= 0) brush_ = Brush(CreateSolidBrush(palette[ic]));
    HGDIOBJ brush = ic >= 0 ? static_cast<HGDIOBJ>(brush_.get()) : GetStockObject(NULL_BRUSH);
    if (pen_) penSelected_.emplace(dc(), pen_.get());
    if (brush) brushSelected_.emplace(dc(), brush);
    return true;
}

void screenSize(Engine& e, int32_t scr, int32_t& w, int32_t& h) {
    if (scr == kDialogScreen) {
        RECT r{};
        GetClientRect(dialogOf(e), &r);
        w = r.right;
        h = r.bottom;
        return;
    }
    w = graphics().width[static_cast<size_t>(scr)];
    h = graphics().height[static_cast<size_t>(scr)];
}

}  // namespace kav
