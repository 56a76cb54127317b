// A test engine: the portable command families, a host that records close
// requests, a reporter that records message boxes.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/exec.h"
#include "engine/expr.h"

namespace kav::test {

struct FakeHost : Host {
    std::vector<WindowRef> closes;
    int fileCloses = 0;
    int metrics[6] = {1, 1, 19, 19, 16, 16};  // CxBorder, CyBorder, CyCaption, CyMenu, CyVThumb, CxHThumb
    void postClose(WindowRef w) override { closes.push_back(w); }
    int metric(Metric m) override { return metrics[static_cast<int>(m)]; }
    void closeOpenFile() override { ++fileCloses; }
};

struct Box {
    WindowRef owner;
    std::string text, title;
};

class EngineTest : public ::testing::Test {
protected:
    EngineTest();

    // Start state, program text and preparation as at a program's start.
    bool load(std::string script);
    // Runs a section as an event would; returns the status.
    uint8_t run(std::string_view section);
    // Executes a section directly; returns the status.
    uint8_t exec(std::string_view section);
    double var(std::string_view name);
    // Evaluates from a clean status.
    double eval(std::string_view expression);
    std::string subject() const { return std::string(e.fault.subject.view()); }

    FakeHost host;
    CommandRegistry registry;
    std::vector<Box> boxes;
    CKavMes reporter;
    Engine e;
    WindowRef window = reinterpret_cast<WindowRef>(0x1234);

private:
    std::deque<Expr> exprs_;
};

}  // namespace kav::test
