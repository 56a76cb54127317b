// The evaluator's fast form: an expression as a tree of small evaluation
// functions, one per operator and operand kind, over variable slots found once.
// It is built from the same loads and reduction order as the stepwise form, and
// agrees with it in every value, status and subject:
// - operands are met left to right, and the first load that fails stops the
//   evaluation before any later operand is touched (a later value function
//   would move the random generator or the subject);
// - a division by zero is only noted on the way and raised once every operand
//   has loaded, as the reduction after the loads would raise it.
#pragma once
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/args.h"
#include "engine/expr.h"
#include "engine/sysvars.h"

namespace kav {

struct TreeNode;

// The indices of an element read or write, arguments 0 and 1 (a missing column
// is 0), by their trees when every index present has one.
struct ElementIndex {
    const TreeNode* row = nullptr;
    const TreeNode* column = nullptr;
    const Expr* rowExpr = nullptr;
    const Expr* columnExpr = nullptr;
    bool usable = false;

    void prepare(ArgList& args);
};

struct ExprCall {
    NameRef array;  // the call name, when it is an array or variable
    ArgList args;
    ElementIndex index = {};
    const CommandEntry* function = nullptr;
    bool functionLooked = false;
    uint8_t argStatus = 0;  // the function's argument-count verdict
    // A function of one number that cannot fail, with its argument's tree: the
    // tree calls it without the command's argument handling.
    double (*pure)(double) = nullptr;
    const TreeNode* pureArgument = nullptr;
    const Expr* pureExpr = nullptr;
};

// The value function of a call whose name is not in the table.
bool evaluateFunction(Engine& e, WindowRef w, ExprCall& c, float& out);

// a % b with the sign of a, as the double-precision library remainder gives it.
float libraryRemainder(float a, float b);

// The same. Whole numbers take the integer remainder, which is exact as fmod
// is, and spares the library call that would otherwise dominate such
// statements. Below 2^31 in magnitude both fit 32 bits (INT32_MIN is not
// reached, so % cannot overflow), and 32-bit division is the quicker one.
inline float remainderOf(float a, float b) {
    constexpr float kLimit = 2147483648.0f;
    if (std::fabs(a) < kLimit && std::fabs(b) < kLimit) {
        const auto ia = static_cast<int32_t>(a), ib = static_cast<int32_t>(b);
        if (ib != 0 && static_cast<float>(ia) == a && static_cast<float>(ib) == b) {
            const int32_t r = ia % ib;
            return r == 0 ? std::copysign(0.0f, a) : static_cast<float>(r);
        }
    }
    return libraryRemainder(a, b);
}

struct TreeContext {
    Engine& e;
    WindowRef w;
    bool failed = false;   // a load failed: the status and subject are set
    bool divZero = false;  // a division by zero waits for the loads to finish
};

struct TreeNode {
    using Fn = float (*)(const TreeNode&, TreeContext&);
    Fn fn = nullptr;
    // The two operands of an operator, by kind: a subtree, a variable or a
    // constant; a leaf uses the left ones.
    const TreeNode* l = nullptr;
    const TreeNode* r = nullptr;
    NameRef* lv = nullptr;
    NameRef* rv = nullptr;
    float lk = 0, rk = 0;
    ExprCall* call = nullptr;
    SysVar sys = SysVar::None;
};

struct ExprTree {
    // An operand as the stepwise form loads it.
    struct Leaf {
        enum class Kind : uint8_t { Const, Sys, DialogSys, Name, Call } kind;
        float value;
        SysVar sys;
        NameRef* name;
        ExprCall* call;
    };
    struct Join {
        char op;
        uint8_t dst, src;
    };

    ExprTree(const std::vector<Leaf>& leaves, const std::vector<Join>& joins);

    double evaluate(Engine& e, WindowRef w, const std::string& text) const;

    std::vector<TreeNode> nodes;  // never grows after building: nodes point at each other
    const TreeNode* root = nullptr;
};

// The element an index pair selects in the array `ref` (found), as a slot
// offset; -1 with the status set when an index fails or is out of range.
int32_t elementOffset(const ElementIndex& ix, const NameRef& ref, Engine& e, WindowRef w);

// A tree that is one constant (its value) or one variable (its name): callers
// that meet such a tree often read it without a call.
bool isConstantTree(const TreeNode& n, float& value);
NameRef* variableOfTree(const TreeNode& n);

// Raises the division by zero a tree noted; the value is then 0.
double raiseDivisionByZero(Engine& e, const std::string& text);

// What Expr::evaluate gives for an expression whose tree is at root, for callers
// that keep the root at hand.
inline double evaluateTree(const TreeNode& root, Engine& e, WindowRef w, const std::string& text) {
    TreeContext c{e, w};
    const float v = root.fn(root, c);
    if (c.failed | c.divZero) [[unlikely]]
        return c.failed ? 0 : raiseDivisionByZero(e, text);
    return static_cast<double>(v);
}

}  // namespace kav
