// The table of script-created controls: 256 entries shared by the run window
// and the open dialog, addressed by their ID_ names.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "engine/part.h"

namespace kav {

constexpr int kControlMax = 256;
constexpr int kControlIdBase = 600;  // system identifier of entry i: 600 + i
constexpr size_t kControlTextMax = 63;
constexpr size_t kControlNameMax = 35;

struct ControlEntry {
    void* window = nullptr;  // empty until the owning window is created
    int32_t type = 0;
    int32_t x = 0, y = 0, width = 0, height = 0;
    int32_t scrollPos = 0, scrollMax = 0;  // scroll bars; the range starts at 0
    int32_t commandId = 0;                 // bitmap buttons: 600 + index
    int32_t pressed = 0;                   // bitmap buttons: 1 while held down
    char text[kControlTextMax + 1] = {};   // caption, initial text, or a bitmap button's tip
    char name[kControlNameMax + 1] = {};
    void* font = nullptr;  // owned by the Windows side of the table
    int32_t fontW = 0, fontH = 0;
    bool running = false;  // its section is running: its own notifications are dropped
    uint8_t heldLead = 0;  // edits: a lead byte SetEditCode wrote, waiting for its trail byte (0: none)

    std::string_view nameView() const { return name; }
};

// Copies at most max bytes of s into a NUL-terminated field of max + 1 bytes,
// never splitting a double-byte character.
void copyField(char* field, size_t max, std::string_view s);

// The controls' state of one run; the Windows build keeps their windows and
// fonts in a subclass.
class ControlTable : public Part {
public:
    int count() const { return count_; }
    ControlEntry& operator[](int i) { return entries_[static_cast<size_t>(i)]; }
    const ControlEntry& operator[](int i) const { return entries_[static_cast<size_t>(i)]; }

    // Appends a declared control (no window yet); false when the table is full.
    [[nodiscard]] bool append(int32_t type, std::string_view text, std::string_view name, int32_t x, int32_t y,
                              int32_t w, int32_t h);
    // Index of the first entry of that name, or -1.
    int find(std::string_view name) const;
    // Index of the entry in [from, to) whose window is w, or -1.
    int findWindow(const void* w, int from, int to) const;
    // Forgets the entries from index n on (a dialog closes: n is its first index).
    void truncate(int n);
    void clear() { truncate(0); }

private:
    std::array<ControlEntry, kControlMax> entries_{};
    int count_ = 0;
};

// What a name stands for in a control command.
constexpr int kNotFound = -1;
constexpr int kFileNameControl = -2;  // "FILE_NAME", when no control carries that name
int findControl(const ControlTable& t, std::string_view name);

// The window a type code gets and the ranges the commands accept.
enum class ControlClass : uint8_t {
    PushButton, BitmapButton, Radio, Check, Combo, List, GroupBox, Static, ScrollBar, Edit
};
ControlClass controlClass(int32_t type);

namespace range {
inline bool button(int32_t t) { return t >= 0 && t <= 29; }
inline bool checkable(int32_t t) { return t >= 10 && t <= 29; }
inline bool list(int32_t t) { return t >= 30 && t <= 49; }
inline bool combo(int32_t t) { return t >= 30 && t <= 39; }
inline bool scroll(int32_t t) { return t >= 70 && t <= 79; }
inline bool edit(int32_t t) { return t >= 100; }
inline bool singleLine(int32_t t) { return t == 101; }
}  // namespace range

// Whether a WM_COMMAND notification code of a control of this type runs its
// section: combo boxes and the sorted list box only for a selection change.
bool notificationRuns(int32_t type, unsigned code);

}  // namespace kav
