// The drawing commands of bitmap buttons: shapes, points, the built-in
// pictures and picture files on a button's face, each followed at once by the
// raised frame.
#include <windows.h>

#include <string>
#include <string_view>

#include "controls/bitmap_buttons_win.h"
#include "controls/button_icons.h"
#include "controls/control_access_win.h"
#include "controls/control_windows_win.h"
#include "engine/engine.h"
#include "engine/subsystem.h"
#include "graphics/picture_file_win.h"
#include "graphics/screen_table.h"
#include "graphics/screens_win.h"

namespace kav {

namespace {

constexpr int kIconSize = 32;

bool bitmapButtonRange(int32_t t) { return t == 1; }

// The bitmap button named by argument 0: its entry index, or -1 with the
// status set (24 unknown, 26 not a bitmap button).
int buttonArgument(Call& c) {
    ControlEntry* entry = controlArgument(c, 0, bitmapButtonRange);
    if (!entry) return -1;
    return static_cast<int>(entry - &c.part<ControlTable>()[0]);
}

// Draws on button i's face with the pen and brush of the colour indices (code
// 1 when they are bad), then shows the raised frame. A type-1 control without
// a face (a push button in a dialog) takes the checks and draws nothing.
template <class Draw>
void drawOnFace(Call& c, int i, int32_t oc, int32_t ic, Draw draw) {
    BitmapButtons& buttons = controls(c.e).buttons();
    ButtonFace* face = buttons.face(i);
    if (!face) {
        Status s = checkOutline(oc);
        if (s == Status::Ok) s = checkInside(ic);
        if (s != Status::Ok) c.fail(s);
        return;
    }
    {
        PenBrush pb;
        if (!pb.select(c.e, DrawTarget(face->dc(), face->width(), face->height()), oc, ic)) return;
        draw(pb.dc());
    }
    buttons.showRaised(i);
}

// BmpBtBox, BmpBtCircle: "ID_button", XL, YT, XR, YB, OC, IC.
template <BOOL (*Shape)(HDC, int, int, int, int)>
void buttonShape(Call& c) {
    const int i = buttonArgument(c);
    int32_t v[6];
    if (i < 0 || !c.integers(1, 6, v)) return;
    drawOnFace(c, i, v[4], v[5], [&](HDC dc) { Shape(dc, v[0], v[1], v[2], v[3]); });
}

void buttonLine(Call& c) {
    const int i = buttonArgument(c);
    int32_t v[5];
    if (i < 0 || !c.integers(1, 5, v)) return;
    drawOnFace(c, i, v[4], -1, [&](HDC dc) {
        MoveToEx(dc, v[0], v[1], nullptr);
        LineTo(dc, v[2], v[3]);
    });
}

void buttonPoint(Call& c) {
    const int i = buttonArgument(c);
    int32_t v[3];
    if (i < 0 || !c.integers(1, 3, v)) return;
    const Status s = checkSingle(v[2]);
    if (s != Status::Ok) return c.fail(s);
    BitmapButtons& buttons = controls(c.e).buttons();
    if (ButtonFace* face = buttons.face(i)) {
        SetPixel(face->dc(), v[0], v[1], c.part<GraphicsState>().palette[v[2]]);
        buttons.showRaised(i);
    }
}

// Types outside 1..20 draw nothing and raise nothing.
void setButtonGrp(Call& c) {
    const int i = buttonArgument(c);
    int32_t type = 0;
    if (i < 0 || !c.integers(1, 1, &type)) return;
    if (type < 1 || type > BUTTON_ICON_COUNT) return;
    BitmapButtons& buttons = controls(c.e).buttons();
    ButtonFace* face = buttons.face(i);
    if (!face) return;
    // The program's own resources: the runtime and the editor both carry them.
    auto* icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_BUTTON_ICON_BASE + type),
                                               IMAGE_ICON, kIconSize, kIconSize, LR_DEFAULTCOLOR));
    if (icon) {
        DrawIconEx(face->dc(), 0, 0, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
    }
    buttons.showRaised(i);
}

// The file name is taken as written, never as a control's text. A file that
// cannot be read is code 15; one the system's picture loader cannot decode
// draws nothing and raises nothing. The picture keeps its own size (its
// physical size in the face's pixels), cut off at the face's edges.
void setButtonGrpFile(Call& c) {
    const int i = buttonArgument(c);
    std::string_view name;
    if (i < 0 || !c.string(1, name)) return;
    Picture picture;
    if (picture.load(std::string(name)) == PictureRead::Unreadable) return c.fail(Status::FileOpenFailed);
    BitmapButtons& buttons = controls(c.e).buttons();
    ButtonFace* face = buttons.face(i);
    if (!face || !picture) return;
    const RECT bounds{0, 0, face->width(), face->height()};
    picture.draw(face->dc(), 0, 0, bounds);
    buttons.showRaised(i);
}

constexpr CommandEntry kEntries[] = {
    {"BmpBtBox", 7, kStatement, buttonShape<Rectangle>},
    {"BmpBtCircle", 7, kStatement, buttonShape<Ellipse>},
    {"BmpBtLine", 6, kStatement, buttonLine},
    {"BmpBtPoint", 4, kStatement, buttonPoint},
    {"SetButtonGrp", 2, kStatement, setButtonGrp},
    {"SetButtonGrpFile", 2, kStatement, setButtonGrpFile},
};

}  // namespace

extern constinit const CommandFamily kBitmapButtonCommands{kEntries};

// Bitmap buttons draw with the graphics subsystem's pens and palette on faces
// the controls subsystem keeps: a family of their own between the two.
constexpr const CommandFamily* kBitmapButtonFamilies[] = {&kBitmapButtonCommands};
extern constinit const Subsystem kBitmapButtonSubsystem{"buttons", kBitmapButtonFamilies};

}  // namespace kav
