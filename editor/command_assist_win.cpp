// The command assist: the command reference by category, pasted into the
// editor as often as the user likes before the dialog is closed.
#include "editor/assist_dialog_win.h"
#include "editor/command_reference.h"
#include "editor/resource_ids.h"
#include "win32/control_messages_win.h"

namespace kav::editor {

namespace {

class CommandAssist : public AssistDialog {
public:
    CommandAssist(AssistOutput& output, HWND edit) : AssistDialog(output), edit_(edit) {}

private:
    void init() override {
        HWND categories = item(IDC_CATEGORY_LIST);
        for (const ReferenceCategory& c : commandReference()) ctl::listAdd(categories, true, c.name);
        ctl::listSelect(categories, true, 0);
        showCategory();
    }

    std::string text() override {
        const ReferenceCategory* c = nullptr;
        size_t entry = 0;
        return selected(c, entry) ? insertedText(*c, entry) : std::string();
    }

    // Paste writes into the editor at once and leaves the dialog open.
    void produce(int button) override {
        if (button != IDC_ASSIST_PASTE) return AssistDialog::produce(button);
        output().set(text());
        if (!output().text().empty()) ctl::editReplaceSel(edit_, output().text(), false);
    }

    void command(int id, int notification) override {
        if (id == IDC_CATEGORY_LIST && notification == CBN_SELCHANGE) {
            showCategory();
            SetFocus(item(IDC_TEMPLATE_LIST));
        } else if (id == IDC_TEMPLATE_LIST && notification == LBN_SELCHANGE) {
            showExplanation();
        }
    }

    const ReferenceCategory* category() const {
        const auto all = commandReference();
        const int chosen = ctl::listSelection(item(IDC_CATEGORY_LIST), true);
        return chosen >= 0 && static_cast<size_t>(chosen) < all.size() ? &all[static_cast<size_t>(chosen)] : nullptr;
    }

    // The chosen category's templates, the first of them selected.
    void showCategory() {
        HWND list = item(IDC_TEMPLATE_LIST);
        ctl::listClear(list, false);
        if (const ReferenceCategory* c = category())
            for (const ReferenceEntry& e : c->entries) ctl::listAdd(list, false, e.text);
        ctl::listSelect(list, false, 0);
        showExplanation();
    }

    void showExplanation() {
        const ReferenceCategory* c = nullptr;
        size_t entry = 0;
        SetDlgItemTextA(dialog(), IDC_EXPLANATION, selected(c, entry) ? c->entries[entry].explanation : "");
    }

    // The category and entry the two lists show selected; false when either has none.
    bool selected(const ReferenceCategory*& c, size_t& entry) const {
        c = category();
        const int chosen = ctl::listSelection(item(IDC_TEMPLATE_LIST), false);
        if (!c || chosen < 0 || static_cast<size_t>(chosen) >= c->entries.size()) return false;
        entry = static_cast<size_t>(chosen);
        return true;
    }

    HWND edit_;
};

}  // namespace

std::unique_ptr<AssistDialog> makeCommandAssist(AssistState& state, HWND edit) {
    return std::make_unique<CommandAssist>(state.output, edit);
}

}  // namespace kav::editor
