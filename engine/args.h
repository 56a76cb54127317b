// Argument lists of commands and value-function calls: split once at the commas
// outside literals and parentheses, each argument compiled on first use.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

struct Engine;
class Expr;
using WindowRef = void*;

// Numeric argument texts longer than this exceed the evaluation buffers.
constexpr size_t kArgumentMax = 128;

class ArgList {
public:
    ArgList();
    explicit ArgList(std::string_view text);
    ~ArgList();
    ArgList(ArgList&&) noexcept;
    ArgList& operator=(ArgList&&) noexcept;

    bool empty() const { return text_.empty(); }
    // 1 + the commas outside literals and parentheses.
    int count() const { return static_cast<int>(parts_.size()); }
    const std::string& text() const { return text_; }
    // Argument k's text; empty when there is no such argument.
    std::string_view raw(int k) const;

    [[nodiscard]] bool number(Engine& e, WindowRef w, int k, double& out);
    // Argument k's expression, compiled once; nullptr when there is no argument k
    // or its text is too long to evaluate (number() then raises status 3).
    Expr* expression(int k);
    [[nodiscard]] bool integers(Engine& e, WindowRef w, int first, int last, int32_t* out);
    [[nodiscard]] bool string(Engine& e, int k, std::string_view& out) const;

private:
    std::string text_;
    std::vector<std::pair<uint32_t, uint32_t>> parts_;  // offset, length
    std::vector<std::unique_ptr<Expr>> compiled_;
};

// The text between the first pair of double quotes, if there is one.
bool quotedText(std::string_view s, std::string_view& out);

}  // namespace kav
