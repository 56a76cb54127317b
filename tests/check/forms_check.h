// The check that keeps the checker's argument counts honest: for every command
// a registry holds, the count it registers, or for a command that counts its
// own arguments, the counts its handler refuses.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

#include "check/command_forms.h"
#include "engine/engine.h"
#include "engine/exec.h"

namespace kav::test {

class FormsAgainst {
public:
    explicit FormsAgainst(SubsystemList list) : registry_(registryOf(list)), e_(list, registry_, host_, reporter_) {}

    // `elsewhere`: commands whose counts only show in a state this engine
    // cannot reach, tested where it can.
    void expectCountsMatch(std::initializer_list<std::string_view> elsewhere = {}) {
        for (const CommandEntry* entry : registry_.entries()) {
            const CommandForm* form = findForm(entry->name);
            ASSERT_NE(form, nullptr) << entry->name;
            if (entry->args != kArgsChecked) EXPECT_EQ(form->args, entry->args) << entry->name;
            else if (std::find(elsewhere.begin(), elsewhere.end(), entry->name) != elsewhere.end()) continue;
            else if (form->args == kAnyCount) expectAnyCountTaken(*form, entry->tables);
            else expectRefusedAround(*form, entry->tables);
        }
    }

private:
    struct NullHost : Host {
        void postClose(WindowRef) override {}
        int metric(Metric) override { return 1; }
    };
    static void nothing(void*, WindowRef, const std::string&, const char*) {}

    // One argument too few and one too many, where the command may stand.
    void expectRefusedAround(const CommandForm& form, uint8_t tables) {
        ASSERT_GT(form.args, 0) << form.name;
        // No arguments at all is "too many" (code 23), as for every command.
        const Status fewer = form.args == 1 ? Status::TooManyParams : Status::TooFewParams;
        EXPECT_EQ(call(form.name, form.args - 1, tables), static_cast<uint8_t>(fewer)) << form.name;
        EXPECT_EQ(call(form.name, form.args + 1, tables), static_cast<uint8_t>(Status::TooManyParams)) << form.name;
    }
    void expectAnyCountTaken(const CommandForm& form, uint8_t tables) {
        for (int args : {0, 3}) EXPECT_EQ(call(form.name, args, tables), 0) << form.name << " with " << args;
    }
    // In CREATE when the command belongs there, else in a section of its own.
    uint8_t call(const std::string& name, int args, uint8_t tables) {
        std::string statement = name + "(";
        for (int k = 0; k < args; ++k) statement += k ? ",\"a\"" : "\"a\"";
        statement += ");";
        const bool inCreate = tables & kCreate;
        resetRunState(e_, 1280, 1024);
        e_.load(inCreate ? "CREATE{" + statement + "}" : "S{" + statement + "}");
        (void)prepareProgram(e_);
        if (inCreate || !e_.fault.ok()) return e_.fault.status;
        const int32_t brace = e_.compiled().section("S", e_.fault);
        if (e_.fault.ok()) executeSection(e_, nullptr, brace);
        return e_.fault.status;
    }

    NullHost host_;
    CKavMes reporter_{"KAV Error", nothing};
    CommandRegistry registry_;
    Engine e_;
};

}  // namespace kav::test
