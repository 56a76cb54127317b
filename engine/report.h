// Error reporting: the message text of a status and the program's one reporter.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace kav {

class ProgramText;
using WindowRef = void*;

// "サブルーチン : " + section, then the subject line and the message as the
// code asks for.
std::string errorMessage(uint8_t code, std::string_view section, std::string_view subject);

// Hears where the failing statement of each reported error stands (a position
// in the program text): while its box is about to show, and once it is closed.
// The box itself is the same with or without a listener.
class ReportListener {
public:
    virtual ~ReportListener() = default;
    virtual void boxShowing(const ProgramText& text, int32_t statement) {}
    virtual void boxClosed(const ProgramText& text, int32_t statement) {}
};

// The one error reporter of a program; the runtime titles its boxes "KAV Error",
// the editor "KAV3 Error".
class CKavMes {
public:
    // Shows a finished message: a warning box owned by `owner` on Windows.
    using Show = void (*)(void* context, WindowRef owner, const std::string& text, const char* title);

    CKavMes(const char* title, Show show, void* context = nullptr)
        : title_(title), show_(show), context_(context) {}
    virtual ~CKavMes() = default;

    // Reports `code`, naming the section that holds `position` of `text`; the
    // failing statement starts at `statement`, or at `position` when that is
    // not given (negative: CREATE-phase errors name "CREATE" whatever failed).
    void report(WindowRef owner, uint8_t code, const ProgramText& text, int32_t position,
                std::string_view subject, int32_t statement = -1) const;
    const char* title() const { return title_; }
    // The listener (nullptr for none) hears of every later report.
    void listen(ReportListener* listener) { listener_ = listener; }

private:
    const char* title_;
    Show show_;
    void* context_;
    ReportListener* listener_ = nullptr;
};

}  // namespace kav
