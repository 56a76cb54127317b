// The screens on Windows: the sub-screens' bitmaps, the drawing target of one
// command (a screen by number, or a surface a family owns) and the pen and
// brush made from colour indices.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "graphics/screen_table.h"
#include "win32/critical_section_win.h"
#include "win32/gdi_win.h"

namespace kav {

struct Engine;

// The graphics state of a run with the sub-screens' bitmaps, made when the run
// window is created (one that cannot be made stays undeclared as far as
// drawing goes: code 14) and deleted when it is destroyed.
class Screens final : public GraphicsState {
public:
    Screens();
    ~Screens() override;
    void windowCreated(Engine& e, WindowRef window) override;
    void windowDestroyed(Engine& e) override;

    // The memory context of sub-screen 1..8, nullptr when it has none.
    HDC subScreenDC(int32_t scr) const;
    // Held by whoever draws on sub-screen 1..8: the script through a
    // DrawTarget, or another thread copying into it (camera frames).
    CriticalSection& subScreenLock(int32_t scr) { return locks_[static_cast<size_t>(scr)]; }

private:
    struct SubScreen;
    std::array<std::unique_ptr<SubScreen>, kSubScreens + 1> subScreens_;
    std::array<CriticalSection, kSubScreens + 1> locks_;
};

Screens& screens(Engine& e);

// Where one drawing command draws, with the surface's size. A window's context
// goes back to its window when the target ends; a sub-screen's or a family's
// own context stays with its owner.
class DrawTarget {
public:
    DrawTarget() = default;
    // A context the caller owns for longer than the target (a button's face).
    DrawTarget(HDC dc, int32_t width, int32_t height) : dc_(dc), width_(width), height_(height) {}
    DrawTarget(DrawTarget&&) = default;
    DrawTarget& operator=(DrawTarget&&) = delete;

    // A screen by number: the screen checks (codes 16 and 14, set on e), then
    // its context; false when it has none.
    [[nodiscard]] bool screen(Engine& e, int32_t scr);
    HDC dc() const { return dc_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

private:
    std::unique_ptr<CriticalLock> held_;  // a sub-screen's lock, released last
    std::optional<WindowDC> window_;
    HDC dc_ = nullptr;
    int32_t width_ = 0, height_ = 0;
};

// A target with a pen and brush made from colour indices selected into it;
// both go back out and are deleted when this ends.
class PenBrush {
public:
    PenBrush() = default;
    PenBrush(const PenBrush&) = delete;
    PenBrush& operator=(const PenBrush&) = delete;

    // The colour checks (code 1), then the screen checks; nothing is selected on failure.
    [[nodiscard]] bool select(Engine& e, int32_t scr, int32_t oc, int32_t ic);
    // The colour checks, then the pen and brush into a target of the caller's.
    [[nodiscard]] bool select(Engine& e, DrawTarget target, int32_t oc, int32_t ic);
    HDC dc() const { return target_->dc(); }
    const DrawTarget& target() const { return *target_; }

private:
    [[nodiscard]] bool checkColours(Engine& e, int32_t oc, int32_t ic);
    void choose(Engine& e, int32_t oc, int32_t ic);

    // Members end in reverse order: the old pen and brush go back first, the
    // created ones are deleted next, the window context is released last.
    std::optional<DrawTarget> target_;
    Pen pen_;
    Brush brush_;
    std::optional<SelectGuard> penSelected_, brushSelected_;
};

}  // namespace kav
