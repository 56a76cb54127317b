#include "check/command_forms.h"

namespace kav {

namespace {

// Bits of the string arguments.
constexpr uint16_t s(int k) { return static_cast<uint16_t>(1u << k); }
constexpr uint16_t s(int a, int b) { return static_cast<uint16_t>(s(a) | s(b)); }

constexpr CommandForm kForms[] = {
    // Variables and data arrays
    {"DataInit", 2, s(0)}, {"Data", 3, s(0)},
    // Expression evaluator
    {"sin", 1, 0}, {"sqrt", 1, 0}, {"cos", 1, 0}, {"tan", 1, 0}, {"asin", 1, 0}, {"acos", 1, 0}, {"atan", 1, 0},
    {"abs", 1, 0}, {"fix", 1, 0}, {"rand", 1, 0},
    // Statements
    {"loop", 1, 0}, {"return", 0, 0}, {"call", 1, s(0)}, {"if", 1, 0}, {"end", 0, 0},
    // Small commands
    {"Beep", 1, 0}, {"WinExec", 1, s(0)},
    // Window setup
    {"SetWinSize", 2, 0}, {"SetWinPos", 3, 0}, {"SetCaption", 1, s(0)}, {"SetTimer", 1, 0}, {"SetWinStyle", 1, 0},
    {"SetWinStyleOption", 3, 0}, {"SetScrollBar", 2, 0}, {"SetWinColor", 1, 0},
    // Screens and palette
    {"FullPaint", 2, 0}, {"SetPal", 4, 0}, {"ClientToScreenX", 1, 0}, {"ClientToScreenY", 1, 0},
    {"SubScreen", 3, 0},
    // Drawing primitives
    {"Arc", 8, 0}, {"Box", 7, 0}, {"Circle", 7, 0}, {"Chord", 9, 0}, {"FBox", 11, 0}, {"GetPixelR", 3, 0},
    {"GetPixelG", 3, 0}, {"GetPixelB", 3, 0}, {"Line", 6, 0}, {"Point", 4, 0}, {"Pie", 9, 0}, {"RBox", 9, 0},
    {"Triangle", 9, 0},
    // Bitmaps
    {"BinariBMPColor", 8, 0}, {"CopyBMP", 11, 0}, {"ClipBMP", 5, 0}, {"GrayBMPColor", 6, 0},
    {"LoadGrpFile", 4, s(3)}, {"LoadBMP", 4, s(3)}, {"LoadBMPDlg", 3, 0}, {"RotateBMP", 5, 0},
    {"ShiftBMPColor", 9, 0}, {"SaveBMP", 6, s(5)}, {"SaveBMPDlg", 5, 0},
    // Text output
    {"Print", 8, s(7)}, {"PrintCode", 8, 0}, {"PrintKJCode", 9, 0}, {"PrintData", 9, 0}, {"SetFont", 2, s(0)},
    {"AscType", 1, 0},
    // 3D packs
    {"Add3DPack", 13, 0}, {"Clear3DPack", 1, 0}, {"Draw3DPack", 2, 0}, {"Load3DPack", 1, 0},
    {"Reset3DRotate", 1, 0}, {"Reset3DPos", 1, 0}, {"Set3DCenter", 3, 0}, {"Set3DLocalRotateX", 2, 0},
    {"Set3DLocalRotateY", 2, 0}, {"Set3DLocalRotateZ", 2, 0}, {"Set3DLocalPosX", 2, 0}, {"Set3DLocalPosY", 2, 0},
    {"Set3DLocalPosZ", 2, 0}, {"Set3DWorldPosX", 2, 0}, {"Set3DWorldPosY", 2, 0}, {"Set3DWorldPosZ", 2, 0},
    {"Save3DPack", 1, 0}, {"Create3DPack", 2, 0},
    // QR code
    {"QRcode", 7, s(6)},
    // Control table
    {"SetControlSize", 5, s(0)}, {"SetControlFont", 5, s(0, 1)}, {"SetControlFocus", 1, s(0)},
    {"KillControlFocus", 0, 0}, {"CreateControl", 7, s(1, 2)},
    // Edit, list, combo, scroll-bar and button commands
    {"AllSelectEdit", 1, s(0)}, {"AllClearEdit", 1, s(0)}, {"AllClipEdit", 1, s(0)}, {"CmpEditText", 3, s(0, 2)},
    {"ClipEdit", 1, s(0)}, {"ClearEdit", 1, s(0)}, {"ClearList", 1, s(0)}, {"CutEdit", 1, s(0)},
    {"GetEditCursolStart", 1, s(0)}, {"GetEditCursolEnd", 1, s(0)}, {"GetEditCode", 2, s(0)},
    {"GetEditData", 1, s(0)}, {"GetEditText", 4, s(0, 3)}, {"GetEditLength", 1, s(0)}, {"GetEditLengthB", 1, s(0)},
    {"GetEditChange", 1, s(0)}, {"GetListPos", 1, s(0)}, {"GetListText", 2, s(0, 1)}, {"GetButtonCheck", 1, s(0)},
    {"GetComboText", 2, s(0, 1)}, {"GetScrollPos", 1, s(0)}, {"PasteEdit", 1, s(0)}, {"SearchEditText", 3, s(0, 2)},
    {"SetEditText", 2, s(0, 1)}, {"SetEditCode", 2, s(0)}, {"SetEditCodeRet", 1, s(0)}, {"SetEditData", 3, s(0)},
    {"SetEditData16", 2, s(0)}, {"SetEditNoChange", 1, s(0)}, {"SetEditCursol", 3, s(0)},
    {"SetButtonCheck", 2, s(0)}, {"SetButtonText", 2, s(0, 1)}, {"SetListText", 2, s(0, 1)},
    {"SetListPos", 2, s(0)}, {"SetScrollRange", 2, s(0)}, {"SetScrollPos", 2, s(0)}, {"UndoEdit", 1, s(0)},
    // Bitmap buttons
    {"BmpBtBox", 7, s(0)}, {"BmpBtCircle", 7, s(0)}, {"BmpBtLine", 6, s(0)}, {"BmpBtPoint", 4, s(0)},
    {"SetButtonGrpFile", 2, s(0, 1)}, {"SetButtonGrp", 2, s(0)},
    // Menus, dialog boxes and message boxes
    {"DlgBox", 1, s(0)}, {"SetMenuStyle", 3, s(0)}, {"MessBox", 4, s(0, 1)}, {"Menu", 1, s(0)},
    {"PopupMenu", 1, s(0)}, {"PopupMenuEX", 2, s(0, 1)},
    // Files
    {"CloseFile", 0, 0}, {"FileNameDlgR", 3, s(0, 1)}, {"FileNameDlgW", 3, s(0, 1)}, {"GetFileLength", 1, s(0)},
    {"GetFileName", 2, s(0, 1)}, {"GetFilePath", 2, s(0, 1)}, {"ReadFileToEdit", 1, s(0)}, {"ReadFile", 1, 0},
    {"WriteFileFromEdit", 1, s(0)}, {"WriteFile", 2, 0}, {"OpenFileRead", 1, s(0)}, {"OpenFileWrite", 1, s(0)},
    {"OpenFileReadDlg", 1, s(0)}, {"OpenFileWriteDlg", 1, s(0)},
    // Sound and wave buffers; StopWaveBuf ignores whatever follows its name
    {"EntryWaveFile", 2, s(1)}, {"EntryMidiFile", 2, s(1)}, {"GetWaveBuf", 2, s(0)}, {"PlayWaveBuf", 2, s(0)},
    {"PlaySound", 2, 0}, {"PauseSound", 1, 0}, {"SetWaveBuf", 3, s(0)}, {"StopWaveBuf", kAnyCount, 0},
    {"StopSound", 1, 0}, {"SaveWaveBuf", 1, s(0)}, {"WaveBuf", 2, s(0)},
    // Video
    {"MciOpenWin", 5, 0}, {"MciOpenFile", 2, s(0)}, {"MciPlay", 1, 0}, {"OpenVideoFile", 5, s(4)},
    {"CloseVideo", 0, 0}, {"PlayVideo", 0, 0}, {"PauseVideo", 0, 0}, {"SetVideoSize", 4, 0},
    {"SetVideoSpeed", 1, 0}, {"SetVideoVolume", 1, 0}, {"SetVideoPlayPos", 1, 0}, {"SkipVideoPlayPos", 1, 0},
    {"GetVideoPlayPos", 0, 0},
    // Camera
    {"OpenCamera", 6, 0}, {"CloseCamera", 1, 0}, {"SetCameraWinSize", 5, 0}, {"SetCameraWinColor", 4, 0},
    // USB HID I/O
    {"ReOpenUsbIO", 1, 0}, {"UsbSet4Get1", 5, 0}, {"UsbSetData", 2, 0}, {"UsbGetData", 1, 0}, {"OpenUsbIO", 1, 0},
};

}  // namespace

std::span<const CommandForm> commandForms() { return kForms; }

const CommandForm* findForm(std::string_view name) {
    for (const CommandForm& f : kForms)
        if (name == f.name) return &f;
    return nullptr;
}

}  // namespace kav
