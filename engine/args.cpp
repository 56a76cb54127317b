#include "engine/args.h"

#include "engine/engine.h"
#include "engine/expr.h"
#include "engine/expr_tree.h"
#include "engine/number.h"
#include "engine/sjis.h"

namespace kav {

ArgList::ArgList() : ArgList(std::string_view{}) {}

ArgList::ArgList(std::string_view text) : text_(text) {
    const char* t = text_.c_str();
    uint32_t start = 0;
    int depth = 0;
    for (const char* p = t; *p;) {
        if (*p == '"') {
            ++p;
            while (*p && *p != '"') p = charNext(p);
            if (*p) ++p;
            continue;
        }
        if (*p == '(') ++depth;
        else if (*p == ')') --depth;
        else if (*p == ',' && depth == 0) {
            const auto at = static_cast<uint32_t>(p - t);
            parts_.emplace_back(start, at - start);
            start = at + 1;
        }
        ++p;
    }
    parts_.emplace_back(start, static_cast<uint32_t>(text_.size()) - start);
    compiled_.resize(parts_.size());
}

ArgList::~ArgList() = default;
ArgList::ArgList(ArgList&&) noexcept = default;
ArgList& ArgList::operator=(ArgList&&) noexcept = default;

std::string_view ArgList::raw(int k) const {
    if (k < 0 || k >= count()) return {};
    const auto& [offset, length] = parts_[static_cast<size_t>(k)];
    return std::string_view(text_).substr(offset, length);
}

bool ArgList::number(Engine& e, WindowRef w, int k, double& out) {
    out = 0;
    if (k < 0 || k >= count()) return true;
    // Compiled once the length has passed.
    if (Expr* x = compiled_[static_cast<size_t>(k)].get()) [[likely]] {
        const TreeNode* tree = x->treeRoot();
        out = tree && !e.stepwiseExpressions ? evaluateTree(*tree, e, w, x->text()) : x->evaluate(e, w);
        return e.fault.ok();
    }
    std::string_view arg = raw(k);
    if (arg.size() > kArgumentMax) {
        e.fault.raise(Status::TooLong);
        return false;
    }
    out = expression(k)->evaluate(e, w);
    return e.fault.ok();
}

Expr* ArgList::expression(int k) {
    if (k < 0 || k >= count()) return nullptr;
    std::string_view arg = raw(k);
    if (arg.size() > kArgumentMax) return nullptr;
    auto& expr = compiled_[static_cast<size_t>(k)];
    if (!expr) expr = std::make_unique<Expr>(arg);
    return expr.get();
}

bool ArgList::integers(Engine& e, WindowRef w, int first, int last, int32_t* out) {
    if (raw(first).empty()) {
        e.fault.raise(Status::TooFewParams);
        return false;
    }
    for (int k = first; k <= last; ++k) {
        double v = 0;
        if (!number(e, w, k, v)) return false;
        out[k - first] = toInt32(v);
    }
    return true;
}

bool quotedText(std::string_view s, std::string_view& out) {
    size_t open = s.find('"');
    if (open == std::string_view::npos) return false;
    // Step by characters: a closing quote is never the trail byte of a kanji.
    size_t i = open + 1;
    while (i < s.size() && s[i] != '"') i = nextChar(s, i);
    if (i >= s.size()) return false;
    out = s.substr(open + 1, i - open - 1);
    return true;
}

bool ArgList::string(Engine& e, int k, std::string_view& out) const {
    if (quotedText(raw(k), out)) return true;
    e.fault.raise(Status::NoString);
    return false;
}

}  // namespace kav
