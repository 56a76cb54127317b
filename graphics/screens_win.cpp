#include "graphics/screens_win.h"

#include "engine/subsystem.h"
#include "engine/engine.h"

namespace kav {

// A sub-screen: its bitmap selected into its memory context for the life of
// the run window. Members go in reverse: the old bitmap back, then the bitmap
// deleted, then the context.
struct Screens::SubScreen {
    SubScreen(HDC memory, HBITMAP bits) : dc(memory), bitmap(bits), selected(memory, bits) {}
    MemoryDC dc;
    Bitmap bitmap;
    SelectGuard selected;
};

Screens::Screens() = default;
Screens::~Screens() = default;

void Screens::windowCreated(Engine&, WindowRef window) {
    palette.reset();
    WindowDC client(static_cast<HWND>(window));
    for (int32_t k = 1; k <= kSubScreens; ++k) {
        const auto i = static_cast<size_t>(k);
        subScreens_[i].reset();
        if (width[i] == 0) continue;
        HDC memory = CreateCompatibleDC(client.get());
        if (!memory) continue;
        HBITMAP bits = CreateCompatibleBitmap(client.get(), width[i], height[i]);
        if (!bits) {
            DeleteDC(memory);
            continue;
        }
        subScreens_[i] = std::make_unique<SubScreen>(memory, bits);
        // A fresh bitmap holds whatever the memory held: start from black.
        PatBlt(memory, 0, 0, width[i], height[i], BLACKNESS);
    }
}

void Screens::windowDestroyed(Engine&) {
    for (auto& s : subScreens_) s.reset();
}

HDC Screens::subScreenDC(int32_t scr) const {
    if (scr < 1 || scr > kSubScreens || !subScreens_[static_cast<size_t>(scr)]) return nullptr;
    return subScreens_[static_cast<size_t>(scr)]->dc.get();
}

Screens& screens(Engine& e) { return static_cast<Screens&>(e.part<GraphicsState>()); }

bool DrawTarget::screen(Engine& e, int32_t scr) {
    const Screens& s = screens(e);
    const Status status = screenStatus(scr, e.dialogWindow != nullptr, s.subScreenDC(scr) != nullptr);
    if (status != Status::Ok) {
        e.fault.raise(status);
        return false;
    }
    if (scr > kMainScreen) {
        held_ = std::make_unique<CriticalLock>(screens(e).subScreenLock(scr));
        dc_ = s.subScreenDC(scr);
        width_ = s.width[static_cast<size_t>(scr)];
        height_ = s.height[static_cast<size_t>(scr)];
        return true;
    }
    // Screen 0 before its window exists has no surface to draw on: the
    // desktop's context (GetDC of nullptr) must never stand in for it.
    HWND window = static_cast<HWND>(scr == kDialogScreen ? e.dialogWindow : e.runWindow);
    if (!window) {
        e.fault.raise(Status::ParamInvalid);
        return false;
    }
    if (scr == kDialogScreen) {
        RECT r{};
        GetClientRect(window, &r);
        width_ = r.right;
        height_ = r.bottom;
    } else {
        width_ = s.width[kMainScreen];
        height_ = s.height[kMainScreen];
    }
    window_.emplace(window);
    dc_ = window_->get();
    return dc_ != nullptr;
}

bool PenBrush::checkColours(Engine& e, int32_t oc, int32_t ic) {
    Status s = checkOutline(oc);
    if (s == Status::Ok) s = checkInside(ic);
    if (s == Status::Ok) return true;
    e.fault.raise(s);
    return false;
}

void PenBrush::choose(Engine& e, int32_t oc, int32_t ic) {
    const Palette& palette = e.part<GraphicsState>().palette;
    const PenChoice p = penOf(oc);
    pen_ = Pen(CreatePen(p.dotted ? PS_DOT : PS_SOLID, 1, palette[p.index]));
    if (ic >= 0) brush_ = Brush(CreateSolidBrush(palette[ic]));
    HGDIOBJ brush = ic >= 0 ? static_cast<HGDIOBJ>(brush_.get()) : GetStockObject(NULL_BRUSH);
    if (pen_) penSelected_.emplace(dc(), pen_.get());
    if (brush) brushSelected_.emplace(dc(), brush);
}

bool PenBrush::select(Engine& e, int32_t scr, int32_t oc, int32_t ic) {
    if (!checkColours(e, oc, ic)) return false;
    if (!target_.emplace().screen(e, scr)) return false;
    choose(e, oc, ic);
    return true;
}

bool PenBrush::select(Engine& e, DrawTarget target, int32_t oc, int32_t ic) {
    if (!checkColours(e, oc, ic)) return false;
    target_.emplace(std::move(target));
    choose(e, oc, ic);
    return true;
}

// The graphics subsystem: screens and palette, drawing primitives, text output,
// bitmap copies and QR codes.
extern const CommandFamily kScreenCommands, kPrimitiveCommands, kTextCommands, kCopyCommands, kQrCommands;
constexpr const CommandFamily* kGraphicsFamilies[] = {&kScreenCommands, &kPrimitiveCommands, &kTextCommands,
                                                      &kCopyCommands, &kQrCommands};
extern constinit const Subsystem kGraphicsSubsystem{"graphics", kGraphicsFamilies, partKey<GraphicsState>(),
                                                    makePart<Screens>};

}  // namespace kav
