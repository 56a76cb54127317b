// A real run window under Wine, made from a script, with every command family
// and a reporter that records error boxes instead of showing them.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/control_table.h"
#include "engine/engine.h"
#include "runwin/win_host_win.h"

namespace kav::test {

class RunWindowTest : public ::testing::Test {
protected:
    RunWindowTest();
    ~RunWindowTest() override;

    // Runs CREATE and creates the run window (INIT runs); false on failure.
    bool start(std::string script);
    // Runs a section as its event would (errors are recorded in boxes).
    uint8_t run(const char* section);
    // Executes a section without the event runner; returns the status left.
    uint8_t exec(const char* section);
    double var(const char* name);
    HWND control(const char* name);
    ControlTable& table() { return e.part<ControlTable>(); }
    std::string text(const char* name);

    CommandRegistry registry;
    WinHost host;
    std::vector<std::string> boxes;
    CKavMes reporter;
    Engine e;
    HWND window = nullptr;
};

}  // namespace kav::test
