// MessBox: the system's message box, as a statement or as a value.
#include <windows.h>

#include "controls/message_box.h"
#include "engine/engine.h"

namespace kav {

namespace {

static_assert(MB_OKCANCEL == 0x1 && MB_YESNOCANCEL == 0x3 && MB_YESNO == 0x4 && MB_ICONHAND == 0x10 &&
              MB_ICONQUESTION == 0x20 && MB_ICONEXCLAMATION == 0x30 && MB_ICONASTERISK == 0x40 && IDYES == 6 &&
              IDNO == 7 && IDOK == 1);

void messBox(Call& c) {
    std::string_view message, title;
    int32_t v[2];
    if (!c.integers(2, 3, v) || !c.string(0, message) || !c.string(1, title)) return;
    const std::string text = resolveTextArgument(c.e, message);
    const std::string caption = resolveTextArgument(c.e, title);
    // Modal: the window's other events keep running, nested, while the box is up.
    const int answer = MessageBoxA(static_cast<HWND>(c.window), text.c_str(), caption.c_str(),
                                   messageBoxButtons(v[0]) | messageBoxIcon(v[1]));
    c.result(messageBoxResult(answer));
}

constexpr CommandEntry kEntries[] = {
    {"MessBox", 4, kStatement | kValue, messBox},
};

}  // namespace

extern constinit const CommandFamily kMessageBoxCommands{kEntries};

}  // namespace kav
