// The interpreter of this process on Windows: its command tables, its host and
// its one error reporter.
#pragma once
#include <windows.h>

#include "engine/engine.h"

namespace kav {

class WinHost final : public Host {
public:
    void postClose(WindowRef window) override;
    int metric(Metric m) override;
    void outerSize(int styleCode, uint32_t style, bool menu, int32_t& w, int32_t& h) override;
    void closeOpenFile() override;
    bool singleLineEditText(std::string_view name, size_t limit, std::string& out) override;
    void resetParts() override;
};

// Adds every command family built so far: the portable ones and the Windows ones.
void addAllFamilies(CommandRegistry& r);

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
