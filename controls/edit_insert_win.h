// How the script's text goes into an edit control: "insert" replaces the
// selection, undoably; bytes written one at a time join into characters.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "controls/control_table.h"
#include "win32/control_messages_win.h"

namespace kav {

// Inserts text; a lead byte waiting in the control goes in alone first.
void editInsert(ControlEntry& edit, std::string_view text);

// Writes one byte (SetEditCode): a lead byte waits in the entry for its
// trail byte, across sections, and the pair goes in as one character.
void editInsertByte(ControlEntry& edit, uint8_t byte);

// Before a change that inserts nothing (clear, cut, paste, undo) and before
// the text leaves for a file: a waiting lead byte goes in alone, as the
// control takes any lone byte, so nothing the script wrote is left out.
void editGiveUpHeld(ControlEntry& edit);

// Replaces the whole text; a waiting lead byte goes with the old text.
void editSetText(ControlEntry& edit, const std::string& text);

// Runs move(window), a change of the selection. A waiting lead byte can be
// completed only where it was written: when the selection really moves, it
// goes in alone first, and the move is made again on the text that has it.
template <class Move>
void editMoveSelection(ControlEntry& edit, Move move) {
    HWND w = static_cast<HWND>(edit.window);
    if (!edit.heldLead) return move(w);
    DWORD start = 0, end = 0, newStart = 0, newEnd = 0;
    ctl::editGetSel(w, start, end);
    move(w);
    ctl::editGetSel(w, newStart, newEnd);
    if (newStart == start && newEnd == end) return;
    ctl::editSetSel(w, static_cast<int>(start), static_cast<int>(end));
    editGiveUpHeld(edit);
    move(w);
}

}  // namespace kav
