// The SetFont generator: the Shift-JIS fonts of the system, a style, and a
// sample drawn in the chosen face.
#include <cstring>

#include "editor/assist_dialog_win.h"
#include "editor/resource_ids.h"
#include "win32/control_messages_win.h"
#include "win32/gdi_win.h"

namespace kav::editor {

namespace {

constexpr char kSample[] = "Aa12あぁアァ亜宇";
static_assert(sizeof kSample - 1 == 16, "the sample is 16 bytes of Shift-JIS");
constexpr RECT kSampleArea{14, 268, 310, 300};
constexpr POINT kSampleAt{22, 272};

int CALLBACK collectFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM names) {
    const std::string_view face(font->lfFaceName, strnlen(font->lfFaceName, LF_FACESIZE));
    return reinterpret_cast<FontNames*>(names)->add(face) ? 1 : 0;
}

class FontAssist : public AssistDialog {
public:
    using AssistDialog::AssistDialog;

private:
    void init() override {
        FontNames names;
        LOGFONTA wanted{};
        wanted.lfCharSet = SHIFTJIS_CHARSET;
        {
            WindowDC dc(dialog());
            EnumFontFamiliesExA(dc.get(), &wanted, collectFace, reinterpret_cast<LPARAM>(&names), 0);
        }
        HWND list = item(IDC_FONT_LIST);
        for (const std::string& face : names.names()) ctl::listAdd(list, false, face);
        ctl::listSelect(list, false, 0);
        CheckRadioButton(dialog(), IDC_FONT_STANDARD, IDC_FONT_BOLD_ITALIC, IDC_FONT_STANDARD);
    }

    std::string text() override { return fontText(face(), style_, nameOnly_); }

    void command(int id, int notification) override {
        if (id >= IDC_FONT_STANDARD && id <= IDC_FONT_BOLD_ITALIC && notification == BN_CLICKED) {
            style_ = id - IDC_FONT_STANDARD;
            CheckRadioButton(dialog(), IDC_FONT_STANDARD, IDC_FONT_BOLD_ITALIC, id);
            redrawSample();
        } else if (id == IDC_FONT_LIST && notification == LBN_SELCHANGE) {
            redrawSample();
        } else if (id == IDC_FONT_NAME_ONLY && notification == BN_CLICKED) {
            nameOnly_ = ctl::buttonChecked(item(IDC_FONT_NAME_ONLY));
        }
    }

    void paint(HDC dc) override {
        {
            SelectGuard brush(dc, GetStockObject(WHITE_BRUSH));
            Rectangle(dc, kSampleArea.left, kSampleArea.top, kSampleArea.right, kSampleArea.bottom);
        }
        Font font(CreateFontA(24, 12, 0, 0, isBold(style_) ? FW_BOLD : FW_DONTCARE, isItalic(style_), FALSE, FALSE,
                              SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH, face().c_str()));
        SelectGuard chosen(dc, font.get());
        SetTextColor(dc, RGB(0, 0, 255));
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, kSampleAt.x, kSampleAt.y, kSample, sizeof kSample - 1);
    }

    // The face selected in the list; empty when the system offered none.
    std::string face() const {
        HWND list = item(IDC_FONT_LIST);
        const int chosen = ctl::listSelection(list, false);
        return chosen < 0 ? std::string() : ctl::listItemText(list, false, chosen);
    }

    void redrawSample() { InvalidateRect(dialog(), &kSampleArea, FALSE); }

    int style_ = 0;
    bool nameOnly_ = false;
};

}  // namespace

std::unique_ptr<AssistDialog> makeFontAssist(AssistState& state, HWND) {
    return std::make_unique<FontAssist>(state.output);
}

}  // namespace kav::editor
