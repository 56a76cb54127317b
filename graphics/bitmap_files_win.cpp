// BMP files and pictures: LoadBMP, LoadBMPDlg, SaveBMP, SaveBMPDlg and
// LoadGrpFile, with the current picture they share. Each refuses while a
// script file is open (code 17), before it counts its arguments.
#include <algorithm>

#include "engine/commands.h"
#include "engine/engine.h"
#include "engine/open_file.h"
#include "engine/subsystem.h"
#include "files/file_names.h"
#include "graphics/bitmap_files.h"
#include "graphics/bitmap_gdi_win.h"
#include "graphics/picture_file_win.h"
#include "graphics/screens_win.h"
#include "win32/file_dialog_win.h"

namespace kav {

namespace {

// The current picture of the BMP commands and the last decoded picture.
class BitmapFiles final : public Part {
public:
    // A decoded file becomes the current picture; false (the old one kept)
    // when the system cannot hold it.
    [[nodiscard]] bool adopt(const BmpPicture& picture) {
        LogicalPalette colours = paletteOf(picture);
        Bitmap bitmap = deviceBitmapOf(picture, colours.get());
        if (!bitmap) return false;
        bitmap_ = std::move(bitmap);
        palette_ = std::move(colours);
        return true;
    }
    void draw(HDC dc, int32_t x, int32_t y) const { drawDeviceBitmap(dc, x, y, bitmap_.get(), palette_.get()); }

    // A block of a screen becomes the current picture and is written; then
    // the picture and its palette are gone, whatever the outcome.
    [[nodiscard]] bool save(HDC dc, const int32_t* block, const std::string& path) {
        bitmap_ = captureDeviceBitmap(dc, block[0], block[1], block[2], block[3]);
        const bool written = bitmap_ && writeBmpFile(path, bitmap_.get(), palette_.get());
        bitmap_.reset();
        palette_.reset();
        return written;
    }

    Picture& decoded() { return decoded_; }

    void windowDestroyed(Engine&) override {
        bitmap_.reset();
        palette_.reset();
        decoded_.reset();
    }

private:
    Bitmap bitmap_;
    LogicalPalette palette_;
    Picture decoded_;
};

[[nodiscard]] bool startFileCommand(Call& c, int8_t args) {
    if (c.part<OpenFile>().isOpen()) {
        c.fail(Status::FileAlreadyOpen);
        return false;
    }
    const Status s = checkArgCount(c.args, args);
    if (s != Status::Ok) c.fail(s);
    return s == Status::Ok;
}

// The result of the dialog commands goes to the register and ANSWER alike.
void answer(Call& c, int32_t v) {
    c.result(v);
    c.e.sys.answer = v;
}

// Shows the load or save dialog, starting at "*.BMP"; the chosen path lands in path.
DialogChoice askBmpName(Call& c, bool save, std::string& path) {
    char name[kPathMax] = {};
    std::copy_n(kBmpStartName, sizeof kBmpStartName, name);
    const DWORD flags = OFN_PATHMUSTEXIST | (save ? OFN_OVERWRITEPROMPT : 0);
    const FileDialog d{static_cast<HWND>(c.window), save ? kBmpSaveTitle : kBmpLoadTitle, kBmpDialogFilter, flags,
                       save};
    const DialogChoice choice = askFileName(d, name, sizeof name);
    if (choice == DialogChoice::Chosen) path = name;
    return choice;
}

// scr, X, Y, "Name": the file by the text-argument rule.
void loadBmp(Call& c) {
    int32_t v[3];
    std::string_view literal;
    if (!startFileCommand(c, 4) || !c.integers(0, 2, v) || !c.string(3, literal)) return;
    const std::string name = resolveTextArgument(c.e, literal);
    DrawTarget target;
    if (!target.screen(c.e, v[0])) return;
    BmpPicture picture;
    BitmapFiles& files = c.part<BitmapFiles>();
    if (readBmpFile(name, picture) != BmpError::None || !files.adopt(picture)) return c.fail(Status::FileOpenFailed);
    setCurrentFileName(c.e, name);
    files.draw(target.dc(), v[1], v[2]);
}

void loadBmpDlg(Call& c) {
    int32_t v[3];
    if (!startFileCommand(c, 3) || !c.integers(0, 2, v)) return;
    answer(c, 0);
    std::string path;
    const DialogChoice choice = askBmpName(c, false, path);
    if (choice != DialogChoice::Chosen) return answer(c, static_cast<int32_t>(choice));
    BmpPicture picture;
    BitmapFiles& files = c.part<BitmapFiles>();
    if (readBmpFile(path, picture) != BmpError::None || !files.adopt(picture)) {
        answer(c, -1);
        return c.fail(Status::FileOpenFailed);
    }
    setCurrentFileName(c.e, path);
    DrawTarget target;
    if (!target.screen(c.e, v[0])) return;
    files.draw(target.dc(), v[1], v[2]);
    answer(c, 1);
}

// A save has to have pixels to take: a block of none, or more than a
// picture may hold, is refused (code 16) before any file is touched.
[[nodiscard]] bool checkBlock(Call& c, const int32_t* v) {
    if (imageSizeAllowed(v[3], v[4])) return true;
    c.fail(Status::ParamInvalid);
    return false;
}

// scr, X, Y, W, H, "Name". FILE_NAME is the name even when the write fails.
void saveBmp(Call& c) {
    int32_t v[5];
    std::string_view literal;
    if (!startFileCommand(c, 6) || !c.integers(0, 4, v) || !c.string(5, literal)) return;
    const std::string name = resolveTextArgument(c.e, literal);
    DrawTarget target;
    if (!target.screen(c.e, v[0]) || !checkBlock(c, v)) return;
    const bool written = c.part<BitmapFiles>().save(target.dc(), v + 1, name);
    setCurrentFileName(c.e, name);
    if (!written) c.fail(Status::FileOpenFailed);
}

void saveBmpDlg(Call& c) {
    int32_t v[5];
    if (!startFileCommand(c, 5) || !c.integers(0, 4, v)) return;
    if (!checkBlock(c, v)) return answer(c, -1);
    answer(c, 0);
    std::string chosen;
    const DialogChoice choice = askBmpName(c, true, chosen);
    if (choice != DialogChoice::Chosen) return answer(c, static_cast<int32_t>(choice));
    const std::string path = withBmpExtension(chosen);
    DrawTarget target;
    if (!target.screen(c.e, v[0])) return;
    if (!c.part<BitmapFiles>().save(target.dc(), v + 1, path)) {
        answer(c, -1);
        return c.fail(Status::FileOpenFailed);
    }
    setCurrentFileName(c.e, path);
    answer(c, 1);
}

// scr, X, Y, "FileName". A file that does not decode draws nothing and is no error.
void loadGrpFile(Call& c) {
    int32_t v[3];
    std::string_view literal;
    if (!startFileCommand(c, 4) || !c.integers(0, 2, v) || !c.string(3, literal)) return;
    const std::string name = resolveTextArgument(c.e, literal);
    Picture& picture = c.part<BitmapFiles>().decoded();
    if (picture.load(name) == PictureRead::Unreadable) return c.fail(Status::FileOpenFailed);
    DrawTarget target;
    if (!target.screen(c.e, v[0]) || !picture) return;
    setCurrentFileName(c.e, name);
    RECT client{};
    GetClientRect(static_cast<HWND>(c.window), &client);
    picture.draw(target.dc(), v[1], v[2], client);
}

constexpr CommandEntry kEntries[] = {
    {"LoadBMP", kArgsChecked, kStatement, loadBmp},
    {"LoadBMPDlg", kArgsChecked, kStatement | kValue, loadBmpDlg},
    {"SaveBMP", kArgsChecked, kStatement, saveBmp},
    {"SaveBMPDlg", kArgsChecked, kStatement | kValue, saveBmpDlg},
    {"LoadGrpFile", kArgsChecked, kStatement, loadGrpFile},
};

}  // namespace

extern constinit const CommandFamily kBitmapFileCommands{kEntries};
extern const CommandFamily kBitmapEffectCommands;

// Bitmaps: copies to the clipboard, pixel effects, BMP files and pictures,
// with the current picture they share. CopyBMP is the screens' own.
constexpr const CommandFamily* kBitmapFamilies[] = {&kBitmapEffectCommands, &kBitmapFileCommands};
extern constinit const Subsystem kBitmapsSubsystem{"bitmaps", kBitmapFamilies, partKey<BitmapFiles>(),
                                                   makePart<BitmapFiles>};

}  // namespace kav
