// The generators of SetPal, SetWinStyle / SetWinStyleOption and CreateControl lines.
#include "editor/assist_dialog_win.h"
#include "editor/resource_ids.h"
#include "win32/control_messages_win.h"
#include "win32/gdi_win.h"

namespace kav::editor {

namespace {

static_assert(kScrollLineLeft == SB_LINELEFT && kScrollLineRight == SB_LINERIGHT &&
              kScrollThumbTrack == SB_THUMBTRACK);

class PaletteAssist : public AssistDialog {
public:
    PaletteAssist(AssistOutput& output, Rgb& colour) : AssistDialog(output), colour_(colour) {}

private:
    struct Bar {
        int id;
        int Rgb::*value;
    };
    static constexpr Bar kBars[] = {
        {IDC_RED_BAR, &Rgb::red}, {IDC_GREEN_BAR, &Rgb::green}, {IDC_BLUE_BAR, &Rgb::blue}};
    // The colour sample, in the dialog's client pixels.
    static constexpr RECT kPreview{202, 44, 310, 115};

    void init() override {
        for (const Bar& b : kBars) {
            SetScrollRange(item(b.id), SB_CTL, 0, kColourMax, FALSE);
            SetScrollPos(item(b.id), SB_CTL, colour_.*b.value, TRUE);
        }
    }

    std::string text() override { return paletteText(colour_, dataOnly_); }

    void command(int id, int notification) override {
        if (id == IDC_PALETTE_DATA_ONLY && notification == BN_CLICKED)
            dataOnly_ = ctl::buttonChecked(item(IDC_PALETTE_DATA_ONLY));
    }

    void scroll(HWND bar, int code, int position) override {
        for (const Bar& b : kBars) {
            if (item(b.id) != bar) continue;
            int& value = colour_.*b.value;
            value = scrolledColour(value, code, position);
            SetScrollPos(bar, SB_CTL, value, TRUE);
            InvalidateRect(dialog(), &kPreview, FALSE);
        }
    }

    void paint(HDC dc) override {
        Brush fill(CreateSolidBrush(RGB(colour_.red, colour_.green, colour_.blue)));
        SelectGuard pen(dc, GetStockObject(BLACK_PEN));
        SelectGuard brush(dc, fill.get());
        Rectangle(dc, kPreview.left, kPreview.top, kPreview.right, kPreview.bottom);
    }

    Rgb& colour_;
    bool dataOnly_ = false;
};

// One choice among consecutive radio buttons; the first is chosen at opening.
class RadioAssist : public AssistDialog {
public:
    RadioAssist(AssistOutput& output, int first, int last) : AssistDialog(output), first_(first), last_(last) {}

protected:
    int choice() const { return choice_; }

private:
    void init() override { CheckRadioButton(dialog(), first_, last_, choice_); }

    void command(int id, int notification) override {
        if (id < first_ || id > last_ || notification != BN_CLICKED) return;
        choice_ = id;
        CheckRadioButton(dialog(), first_, last_, choice_);
    }

    int first_, last_;
    int choice_ = first_;
};

class StyleAssist : public RadioAssist {
public:
    explicit StyleAssist(AssistOutput& output) : RadioAssist(output, IDC_STYLE_0, IDC_OUTLINE_ELLIPSE) {}

private:
    std::string text() override { return windowStyleText(choice()); }
};

class ControlAssist : public RadioAssist {
public:
    explicit ControlAssist(AssistOutput& output) : RadioAssist(output, IDC_CONTROL_PUSH, IDC_CONTROL_BITMAP_BUTTON) {}

private:
    std::string text() override {
        const std::optional<int> type = controlType(choice());
        return type ? controlText(*type) : std::string();
    }
};

}  // namespace

std::unique_ptr<AssistDialog> makePaletteAssist(AssistState& state, HWND) {
    return std::make_unique<PaletteAssist>(state.output, state.palette);
}

std::unique_ptr<AssistDialog> makeStyleAssist(AssistState& state, HWND) {
    return std::make_unique<StyleAssist>(state.output);
}

std::unique_ptr<AssistDialog> makeControlAssist(AssistState& state, HWND) {
    return std::make_unique<ControlAssist>(state.output);
}

}  // namespace kav::editor
