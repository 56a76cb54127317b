// Per-run state of a subsystem: made fresh for each run, owned by the engine
// and reached through the call (c.part<GraphicsState>()), never through a
// process-wide object. Its hooks tell it where the run's windows stand.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kav {

struct Engine;
using WindowRef = void*;

class Part {
public:
    Part() = default;
    virtual ~Part() = default;
    Part(const Part&) = delete;
    Part& operator=(const Part&) = delete;

    // The run window exists (its creation message, before INIT): make what
    // the CREATE phase declared. Called in the order of the subsystem list.
    virtual void windowCreated(Engine&, WindowRef) {}
    // The run window is gone: release what the run made, in list order.
    virtual void windowDestroyed(Engine&) {}
    // The dialog's window exists, before its INIT.
    virtual void dialogCreated(Engine&, WindowRef) {}
    // The dialog closed, or failed to open after its creation section ran.
    virtual void dialogClosed(Engine&) {}
    // An event's section failed; its error is reported next.
    virtual void sectionFailed(Engine&) {}
    // A message to the run window that no event of its own handles (sound
    // notifications, player events, device changes); true when handled.
    virtual bool message(Engine&, WindowRef, uint32_t, uintptr_t, intptr_t, intptr_t&) { return false; }
    // A text argument that names an object of this subsystem (a single-line
    // edit): its text, at most `limit` bytes.
    virtual bool textArgument(std::string_view, size_t, std::string&) { return false; }
};

// Tells Part types apart: the address of a variable of each type's own.
using PartKey = const void*;
template <class T>
inline constexpr char kPartTag = 0;
template <class T>
constexpr PartKey partKey() {
    return &kPartTag<T>;
}

template <class T>
std::unique_ptr<Part> makePart() {
    return std::make_unique<T>();
}

}  // namespace kav
