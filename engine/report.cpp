#include "engine/report.h"

#include "engine/program_text.h"
#include "engine/status.h"

namespace kav {

std::string errorMessage(uint8_t code, std::string_view section, std::string_view subject) {
    std::string text = "サブルーチン : ";
    text += section;
    const ErrorText e = errorText(code);
    if (!e.message) return text;
    switch (e.line) {
    case SubjectLine::None: return text + e.message;
    case SubjectLine::Command: text += "\r\n\r\n コマンド : "; break;
    case SubjectLine::Variable: text += "\r\n\r\n 変数 : "; break;
    case SubjectLine::Array: text += "\r\n\r\n 配列変数 : "; break;
    case SubjectLine::Alone: text += "\r\n\r\n "; break;
    case SubjectLine::SetTimer: subject = "SetTimer", text += "\r\n\r\n コマンド : "; break;
    case SubjectLine::CreateControl: subject = "CreateControl", text += "\r\n\r\n コマンド : "; break;
    }
    text += subject;
    text += "\r\n\r\n";
    text += e.message;
    return text;
}

void CKavMes::report(WindowRef owner, uint8_t code, const ProgramText& text, int32_t position,
                     std::string_view subject, int32_t statement) const {
    const std::string message = errorMessage(code, text.sectionOf(position), subject);
    if (statement < 0) statement = position;
    if (listener_) listener_->boxShowing(text, statement);
    show_(context_, owner, message, title_);
    if (listener_) listener_->boxClosed(text, statement);
}

}  // namespace kav
