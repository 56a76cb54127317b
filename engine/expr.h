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
    double* slot = nullptr;  // its first value once found
    uint16_t rows = 0, columns = 0;

    bool resolve(class NameTable& t);
};

struct ExprCall;  // a call inside an expression: an element read or a value function
struct ExprTree;  // the same expression as a tree of evaluation functions

class Expr {
public:
    Expr() = default;
    explicit Expr(std::string_view text);
    ~Expr();
    Expr(Expr&&) noexcept;
    Expr& operator=(Expr&&) noexcept;

    // The value, or 0 with the status set.
    double evaluate(Engine& e, WindowRef w);
    // The same by the plain method: every operand loaded left to right, then the
    // priority reduction. The tree must agree with it in value, status and subject.
    double evaluateStepwise(Engine& e, WindowRef w);
    // Whether evaluate runs the tree (every text but one whose failure is known
    // from the text alone).
    bool hasTree() const { return tree_ != nullptr; }
    // The tree's root, for callers that evaluate it directly; nullptr without one.
    const struct TreeNode* treeRoot() const { return root_; }
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

    void compile();
    void addOperand(std::string_view token);
    void buildTree();
    bool readName(Engine& e, uint16_t ref, float& out);

    std::string text_;
    std::vector<Step> steps_;
    std::vector<Reduce> reduce_;
    std::vector<NameRef> names_;
    std::vector<std::unique_ptr<ExprCall>> calls_;
    std::unique_ptr<ExprTree> tree_;
    const TreeNode* root_ = nullptr;
};

// One call inside an expression evaluated: an element read when the name is in
// the table, else a value function; false with the status set on failure.
bool evaluateCall(Engine& e, WindowRef w, ExprCall& c, float& out);

}  // namespace kav
