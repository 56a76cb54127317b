// Expressions: infix arithmetic over numbers, names, system variables, array
// elements and value functions, computed in single precision.
//
// An expression is compiled once into the loads of its operands, in the order the
// left-to-right pass meets them, and the order in which the priority reduction
// combines them. Running the compiled form gives the same results and the same
// first error as reading the text afresh every time.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/args.h"
#include "engine/sysvars.h"

namespace kav {

struct Engine;
struct CommandEntry;

constexpr int kMaxOperands = 128;
constexpr size_t kTokenMax = 127;  // tokens and call texts

// A name in the table, looked up until it exists and then remembered: names are
// never removed, and entries are only appended, so only new ones need a look.
struct NameRef {
    std::string name;
    int index = -1;
    int checked = 0;

    bool resolve(const class NameTable& t);
};

class Expr {
public:
    Expr() = default;
    explicit Expr(std::string_view text);
    ~Expr();
    Expr(Expr&&) noexcept;
    Expr& operator=(Expr&&) noexcept;

    // The value, or 0 with the status set.
    double evaluate(Engine& e, WindowRef w);
    const std::string& text() const { return text_; }

private:
    enum class Load : uint8_t { Const, Sys, DialogSys, Name, Call, Fail };
    enum class FailSubject : uint8_t { Keep, Head };
    struct Step {
        Load load;
        uint8_t status;  // Fail
        FailSubject subject;
        SysVar sys;
        uint16_t ref;  // index into names_ or calls_
        float value;
    };
    struct Reduce {
        char op;
        uint8_t dst, src;
    };
    struct CallRef;

    void compile();
    void addOperand(std::string_view token);
    bool readName(Engine& e, uint16_t ref, float& out);
    bool call(Engine& e, WindowRef w, CallRef& c, float& out);

    std::string text_;
    std::vector<Step> steps_;
    std::vector<Reduce> reduce_;
    std::vector<NameRef> names_;
    std::vector<std::unique_ptr<CallRef>> calls_;
};

}  // namespace kav
