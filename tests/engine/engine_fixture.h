// A test engine: the portable core and a recording part, with any further
// subsystems a test names; a host that records close requests and a reporter
// that records message boxes.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/exec.h"
#include "engine/expr.h"

namespace kav::test {

struct FakeHost : Host {
    std::vector<WindowRef> closes;
    int metrics[6] = {1, 1, 19, 19, 16, 16};  // CxBorder, CyBorder, CyCaption, CyMenu, CyVThumb, CxHThumb
    void postClose(WindowRef w) override { closes.push_back(w); }
    int metric(Metric m) override { return metrics[static_cast<int>(m)]; }
};

// Counts the hooks a run gives its parts.
struct Recorder : Part {
    int failures = 0;  // sections that failed (the open file closes at each)
    void sectionFailed(Engine&) override { ++failures; }
};
extern const Subsystem kRecorderSubsystem;

struct Box {
    WindowRef owner;
    std::string text, title;
};

// The core, the recorder and `extra`, in that order.
std::vector<const Subsystem*> withCore(std::initializer_list<const Subsystem*> extra = {});

class EngineTest : public ::testing::Test {
protected:
    explicit EngineTest(std::initializer_list<const Subsystem*> extra = {});

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
    int failures() { return e.part<Recorder>().failures; }

    FakeHost host;
    std::vector<const Subsystem*> subsystems;
    CommandRegistry registry;
    std::vector<Box> boxes;
    CKavMes reporter;
    Engine e;
    WindowRef window = reinterpret_cast<WindowRef>(0x1234);

private:
    std::deque<Expr> exprs_;
};

}  // namespace kav::test
