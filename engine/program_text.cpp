#include "engine/program_text.h"

#include <algorithm>
#include <cstring>

#include "engine/sjis.h"

namespace kav {

size_t compactText(char* text, std::vector<int32_t>* origins) {
    const char* r = text;
    char* w = text;
    auto keep = [&] {
        if (origins) origins->push_back(static_cast<int32_t>(r - text));
        *w++ = *r++;
    };
    while (*r) {
        char c = *r;
        if (c == '\t' || c == '\n' || c == '\r' || c == ' ') {
            ++r;
        } else if (c == '"') {
            keep();
            while (*r && *r != '"') keep();
            if (*r) keep();
        } else if (c == '/' && r[1] == '/') {
            // A comment ends only with a CR LF pair; a lone LF does not end it.
            r += 2;
            while (*r && !(r[0] == '\r' && r[1] == '\n')) ++r;
            if (*r) r += 2;
        } else {
            keep();
        }
    }
    if (origins) origins->push_back(static_cast<int32_t>(r - text));
    *w = '\0';
    return static_cast<size_t>(w - text);
}

std::string compacted(std::string_view raw) {
    std::string s(raw.substr(0, raw.find('\0')));
    s.resize(compactText(s.data()));
    return s;
}

bool isCompact(std::string_view text) {
    bool literal = false;
    for (char c : text) {
        if (c == '"') literal = !literal;
        else if (!literal && (c == '\t' || c == '\n' || c == '\r' || c == ' ')) return false;
    }
    return true;
}

ProgramText::ProgramText(std::string raw) : bytes_(std::move(raw)) {
    size_t nul = bytes_.find('\0');
    if (nul != std::string::npos) bytes_.resize(nul);
    if (!isCompact(bytes_)) compactKeepingSource();
}

ProgramText ProgramText::fromScript(std::string raw) {
    ProgramText t;
    t.bytes_ = std::move(raw);
    t.bytes_.resize(std::min(t.bytes_.size(), t.bytes_.find('\0')));
    t.compactKeepingSource();
    return t;
}

void ProgramText::compactKeepingSource() {
    source_ = bytes_;
    origins_.clear();
    origins_.reserve(bytes_.size() + 1);
    bytes_.resize(compactText(bytes_.data(), &origins_));
}

int32_t ProgramText::sourceOffset(int32_t pos) const {
    pos = std::clamp(pos, 0, size());
    return origins_.empty() ? pos : origins_[static_cast<size_t>(pos)];
}

SourcePlace ProgramText::sourcePlace(int32_t pos) const {
    const std::string_view s = source();
    const size_t at = static_cast<size_t>(sourceOffset(pos));
    SourcePlace place;
    size_t lineStart = 0;
    for (size_t i = 0; i < at; ++i) {
        if (s[i] == '\n') {
            ++place.line;
            lineStart = i + 1;
        }
    }
    for (size_t i = lineStart; i < at; i = nextChar(s, i)) ++place.column;
    return place;
}

bool ProgramText::skipLiteral(const char*& p) const {
    ++p;
    while (*p && *p != '"') p = charNext(p);
    if (!*p) return false;
    ++p;
    return true;
}

int32_t ProgramText::findSection(std::string_view name, Fault& f) const {
    const char* t = data();
    const int32_t n = size();
    int32_t pos = 0;
    while (pos < n) {
        size_t room = static_cast<size_t>(n - pos);
        if (name.size() < room && std::memcmp(t + pos, name.data(), name.size()) == 0 &&
            t[pos + static_cast<int32_t>(name.size())] == '{')
            return pos + static_cast<int32_t>(name.size());
        const void* close = std::memchr(t + pos, '}', room);
        if (!close) break;
        pos = static_cast<int32_t>(static_cast<const char*>(close) - t);
        while (pos < n && t[pos] == '}') ++pos;
    }
    f.raise(Status::NoSection, name);
    return 0;
}

int32_t ProgramText::blockEnd(int32_t pos, Fault& f) const {
    const char* p = data() + pos;
    int depth = 0;
    while (*p) {
        if (*p == '"') {
            if (!skipLiteral(p)) break;
            continue;
        }
        if (*p == '{') {
            ++depth;
        } else if (*p == '}') {
            if (--depth == 0) return static_cast<int32_t>(p - data());
            if (depth < 0) break;
        }
        ++p;
    }
    f.raise(Status::Bracket);
    return pos;
}

int32_t ProgramText::blockStart(int32_t pos, Fault& f) const {
    const char* p = data() + pos;
    while (*p && *p != '{') {
        if (*p != '"') ++p;
        else if (!skipLiteral(p)) break;
    }
    if (*p) return static_cast<int32_t>(p - data());
    f.raise(Status::Bracket);
    return pos;
}

int32_t ProgramText::nextStatement(int32_t pos, Fault& f) const {
    const char* p = data() + pos;
    while (*p && *p != ';') {
        if (*p == '"') {
            if (!skipLiteral(p)) {
                f.raise(Status::Bracket);
                return size();
            }
            continue;
        }
        ++p;
    }
    return static_cast<int32_t>(p - data()) + (*p ? 1 : 0);
}

bool ProgramText::copyStatement(int32_t pos, std::string& out, Fault& f) const {
    const char* start = data() + pos;
    const char* p = start;
    while (*p && *p != ';' && *p != '{') {
        if (*p == '"') {
            if (!skipLiteral(p)) {
                out.assign(start, static_cast<size_t>(p - start));
                if (out.size() > kStatementMax) f.raise(Status::TooLong, head(out));
                else f.raise(Status::Bracket, out);
                return false;
            }
        } else {
            ++p;
        }
        if (static_cast<size_t>(p - start) > kStatementMax) break;
    }
    size_t len = static_cast<size_t>(p - start);
    if (len > kStatementMax) {
        f.raise(Status::TooLong, std::string_view(start, 31));
        return false;
    }
    out.assign(start, len);
    return true;
}

int32_t ProgramText::statementEnd(int32_t pos) const {
    const char* p = data() + std::clamp(pos, 0, size());
    while (*p && *p != ';' && *p != '{' && *p != '}') {
        if (*p != '"') ++p;
        else if (!skipLiteral(p)) break;
    }
    if (*p == ';' || *p == '{') ++p;
    return static_cast<int32_t>(p - data());
}

namespace {

bool isBoundary(char c) { return c == ';' || c == '{' || c == '}'; }

// Whether the '{' at brace, preceded by ')', opens a loop or if block: the word in
// front of the matching '(' is "loop" or "if" and starts a statement.
bool opensBlock(const char* t, int32_t brace) {
    int32_t i = brace - 1, depth = 0;
    for (; i >= 0; --i) {
        if (t[i] == ')') ++depth;
        else if (t[i] == '(' && --depth == 0) break;
    }
    if (i < 0) return false;
    for (std::string_view word : {std::string_view("loop"), std::string_view("if")}) {
        int32_t w = i - static_cast<int32_t>(word.size());
        if (w >= 0 && std::string_view(t + w, word.size()) == word && (w == 0 || isBoundary(t[w - 1]))) return true;
    }
    return false;
}

}  // namespace

std::string ProgramText::sectionOf(int32_t pos) const {
    if (pos < 0) return "CREATE";
    const char* t = data();
    int32_t i = pos < size() ? pos : size() - 1;
    for (; i >= 0; --i) {
        if (t[i] == '"') {
            do --i;
            while (i >= 0 && t[i] != '"');
            if (i < 0) break;
            continue;
        }
        if (t[i] == '{' && (i == 0 || t[i - 1] != ')' || !opensBlock(t, i))) break;
    }
    if (i < 0) return {};
    int32_t start = i;
    while (start > 0 && t[start - 1] != '}') --start;
    return std::string(t + start, static_cast<size_t>(i - start));
}

}  // namespace kav
