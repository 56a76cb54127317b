#include "controls/edit_insert_win.h"

#include "controls/control_access_win.h"
#include "controls/edit_text.h"
#include "win32/control_messages_win.h"

namespace kav {

void editInsert(ControlEntry& edit, std::string_view text) {
    editGiveUpHeld(edit);
    ctl::editReplaceSel(hwndOf(edit), text);
}

void editInsertByte(ControlEntry& edit, uint8_t byte) {
    const ByteWrite w = writeByte(edit.heldLead, byte);
    if (!w.givenUp.empty()) ctl::editReplaceSel(hwndOf(edit), w.givenUp);
    if (!w.insert.empty()) ctl::editReplaceSel(hwndOf(edit), w.insert);
}

void editGiveUpHeld(ControlEntry& edit) {
    const std::string alone = giveUpHeld(edit.heldLead);
    if (!alone.empty()) ctl::editReplaceSel(hwndOf(edit), alone);
}

void editSetText(ControlEntry& edit, const std::string& text) {
    edit.heldLead = 0;
    SetWindowTextA(hwndOf(edit), text.c_str());
}

}  // namespace kav
