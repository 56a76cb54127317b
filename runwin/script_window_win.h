// What the run window (class RUN) and the dialog window (class DLG) share: the
// events both turn into sections, routed by one table. Their differences are
// data (where the events come from, which mouse variables they set, where the
// window's controls start) and the handlers each adds of its own.
#pragma once
#include <windows.h>

#include <cstdint>

#include "engine/engine.h"
#include "engine/exec.h"

namespace kav {

class ScriptWindow {
public:
    ScriptWindow(const ScriptWindow&) = delete;
    ScriptWindow& operator=(const ScriptWindow&) = delete;

protected:
    ScriptWindow(Engine& e, EventSource source);
    ~ScriptWindow() = default;

    template <class T>
    struct Route {
        UINT message;
        LRESULT (T::*handler)(UINT, WPARAM, LPARAM);
    };
    // Runs the handler of `message` in `routes`; false when it has none.
    template <class T, size_t N>
    static bool dispatch(T* self, const Route<T> (&routes)[N], UINT message, WPARAM w, LPARAM l, LRESULT& result) {
        for (const Route<T>& r : routes)
            if (r.message == message) return result = (self->*r.handler)(message, w, l), true;
        return false;
    }
    // The events both windows handle alike; false for any other message.
    bool shared(UINT message, WPARAM w, LPARAM l, LRESULT& result);

    void event(const char* name) { runEvent(e_, hwnd_, name, source_); }
    bool dialog() const { return source_ == EventSource::Dialog; }

    Engine& e_;
    const EventSource source_;
    HWND hwnd_ = nullptr;

private:
    LRESULT onSetFocus(UINT, WPARAM, LPARAM);
    LRESULT onKillFocus(UINT, WPARAM, LPARAM);
    LRESULT onPaint(UINT, WPARAM, LPARAM);
    LRESULT onKey(UINT, WPARAM, LPARAM);
    LRESULT onChar(UINT, WPARAM, LPARAM);
    LRESULT onMouseMove(UINT, WPARAM, LPARAM);
    LRESULT onMouseButton(UINT, WPARAM, LPARAM);
    LRESULT onCommand(UINT, WPARAM, LPARAM);
    LRESULT onScroll(UINT, WPARAM, LPARAM);

    static const Route<ScriptWindow> kShared[];
    // The window's mouse position variables: MOUSE_X/Y, or DLGMS_X/Y.
    int32_t SystemState::*mouseX_;
    int32_t SystemState::*mouseY_;
};

}  // namespace kav
