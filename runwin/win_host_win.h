// The interpreter of this process on Windows: every subsystem, the host the
// window system provides and the one error reporter.
#pragma once
#include <windows.h>

#include "engine/engine.h"

namespace kav {

class WinHost final : public Host {
public:
    void postClose(WindowRef window) override;
    int metric(Metric m) override;
    void outerSize(int styleCode, uint32_t style, bool menu, int32_t& w, int32_t& h) override;
};

struct Interpreter {
    explicit Interpreter(const char* errorTitle);
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    CommandRegistry commands;
    WinHost host;
    CKavMes reporter;
    Engine engine;
};

inline HWND hwndOf(WindowRef w) { return static_cast<HWND>(w); }

}  // namespace kav
