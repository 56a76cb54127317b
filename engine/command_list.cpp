// Every command name of the system and the tables it stands in. Families add
// their entries as they are built; this list says where each name may go.
#include "engine/commands.h"

namespace kav {

namespace {

constexpr uint8_t S = kStatement, V = kValue, P = kCreate, D = kDialogCreate;

constexpr KnownCommand kKnown[] = {
    // Variables and data arrays
    {"DataInit", S | P}, {"Data", P},
    // Expression evaluator
    {"sin", V}, {"sqrt", V}, {"cos", V}, {"tan", V}, {"asin", V}, {"acos", V}, {"atan", V}, {"abs", V},
    {"fix", V}, {"rand", V},
    // Statements
    {"loop", S | P | D}, {"return", S}, {"call", S}, {"if", S | P | D}, {"end", S},
    // Small commands
    {"Beep", S}, {"WinExec", S},
    // Window setup
    {"SetWinSize", S | P | D}, {"SetWinPos", S | P | D}, {"SetCaption", S | P | D}, {"SetTimer", P | D},
    {"SetWinStyle", P}, {"SetWinStyleOption", P}, {"SetScrollBar", P}, {"SetWinColor", P | D},
    // Screens and palette
    {"FullPaint", S}, {"SetPal", S}, {"ClientToScreenX", S | V}, {"ClientToScreenY", S | V}, {"SubScreen", P},
    // Drawing primitives
    {"Arc", S}, {"Box", S}, {"Circle", S}, {"Chord", S}, {"FBox", S}, {"GetPixelR", S | V}, {"GetPixelG", S | V},
    {"GetPixelB", S | V}, {"Line", S}, {"Point", S}, {"Pie", S}, {"RBox", S}, {"Triangle", S},
    // Bitmaps
    {"BinariBMPColor", S}, {"CopyBMP", S}, {"ClipBMP", S}, {"GrayBMPColor", S}, {"LoadGrpFile", S},
    {"LoadBMP", S}, {"LoadBMPDlg", S | V}, {"RotateBMP", S}, {"ShiftBMPColor", S}, {"SaveBMP", S},
    {"SaveBMPDlg", S | V},
    // Text output
    {"Print", S}, {"PrintCode", S}, {"PrintKJCode", S}, {"PrintData", S}, {"SetFont", S}, {"AscType", V},
    // 3D packs
    {"Add3DPack", S | P}, {"Clear3DPack", S}, {"Draw3DPack", S}, {"Load3DPack", S}, {"Reset3DRotate", S},
    {"Reset3DPos", S}, {"Set3DCenter", S | P}, {"Set3DLocalRotateX", S | P}, {"Set3DLocalRotateY", S | P},
    {"Set3DLocalRotateZ", S | P}, {"Set3DLocalPosX", S | P}, {"Set3DLocalPosY", S | P},
    {"Set3DLocalPosZ", S | P}, {"Set3DWorldPosX", S | P}, {"Set3DWorldPosY", S | P}, {"Set3DWorldPosZ", S | P},
    {"Save3DPack", S}, {"Create3DPack", P},
    // QR code
    {"QRcode", S},
    // Control table
    {"SetControlSize", S}, {"SetControlFont", S}, {"SetControlFocus", S}, {"KillControlFocus", S},
    {"CreateControl", P | D},
    // Edit, list, combo, scroll-bar and button commands
    {"AllSelectEdit", S}, {"AllClearEdit", S}, {"AllClipEdit", S}, {"CmpEditText", S | V}, {"ClipEdit", S},
    {"ClearEdit", S}, {"ClearList", S}, {"CutEdit", S}, {"GetEditCursolStart", S | V},
    {"GetEditCursolEnd", S | V}, {"GetEditCode", S | V}, {"GetEditData", S | V}, {"GetEditText", S},
    {"GetEditLength", S | V}, {"GetEditLengthB", S | V}, {"GetEditChange", S | V}, {"GetListPos", S | V},
    {"GetListText", S}, {"GetButtonCheck", S | V}, {"GetComboText", S}, {"GetScrollPos", S | V},
    {"PasteEdit", S}, {"SearchEditText", S | V}, {"SetEditText", S}, {"SetEditCode", S}, {"SetEditCodeRet", S},
    {"SetEditData", S}, {"SetEditData16", S}, {"SetEditNoChange", S}, {"SetEditCursol", S},
    {"SetButtonCheck", S}, {"SetButtonText", S}, {"SetListText", S}, {"SetListPos", S}, {"SetScrollRange", S},
    {"SetScrollPos", S}, {"UndoEdit", S},
    // Bitmap buttons
    {"BmpBtBox", S}, {"BmpBtCircle", S}, {"BmpBtLine", S}, {"BmpBtPoint", S}, {"SetButtonGrpFile", S},
    {"SetButtonGrp", S},
    // Menus, dialog boxes and message boxes
    {"DlgBox", S}, {"SetMenuStyle", S}, {"MessBox", S | V}, {"Menu", P}, {"PopupMenu", P}, {"PopupMenuEX", P},
    // Files
    {"CloseFile", S}, {"FileNameDlgR", S | V}, {"FileNameDlgW", S | V}, {"GetFileLength", S | V},
    {"GetFileName", S}, {"GetFilePath", S}, {"ReadFileToEdit", S}, {"ReadFile", S | V},
    {"WriteFileFromEdit", S}, {"WriteFile", S}, {"OpenFileRead", S}, {"OpenFileWrite", S},
    {"OpenFileReadDlg", S | V}, {"OpenFileWriteDlg", S | V},
    // Sound and wave buffers
    {"EntryWaveFile", S | P}, {"EntryMidiFile", S | P}, {"GetWaveBuf", S | V}, {"PlayWaveBuf", S},
    {"PlaySound", S}, {"PauseSound", S}, {"SetWaveBuf", S}, {"StopWaveBuf", S}, {"StopSound", S},
    {"SaveWaveBuf", S}, {"WaveBuf", P},
    // Video
    {"MciOpenWin", S}, {"MciOpenFile", S}, {"MciPlay", S}, {"OpenVideoFile", S}, {"CloseVideo", S},
    {"PlayVideo", S}, {"PauseVideo", S}, {"SetVideoSize", S}, {"SetVideoSpeed", S}, {"SetVideoVolume", S},
    {"SetVideoPlayPos", S}, {"SkipVideoPlayPos", S}, {"GetVideoPlayPos", S | V},
    // Camera
    {"OpenCamera", S | V}, {"CloseCamera", S}, {"SetCameraWinSize", S}, {"SetCameraWinColor", S},
    // USB HID I/O
    {"ReOpenUsbIO", S | V}, {"UsbSet4Get1", S | V}, {"UsbSetData", S}, {"UsbGetData", S | V}, {"OpenUsbIO", P},
};

}  // namespace

std::span<const KnownCommand> knownCommands() { return kKnown; }

}  // namespace kav
