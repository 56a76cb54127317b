// The check that keeps the checker's argument counts honest: for every command
// a registry holds, the count it registers, or for a command that counts its
// own arguments, the counts its handler refuses.
#pragma once
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "check/command_forms.h"
#include "engine/engine.h"

namespace kav::test {

class FormsAgainst {
public:
    explicit FormsAgainst(SubsystemList list) : registry_(registryOf(list)), e_(list, registry_, host_, reporter_) {}

    void expectCountsMatch() {
        for (const CommandEntry* entry : registry_.entries()) {
            const CommandForm* form = findForm(entry->name);
            ASSERT_NE(form, nullptr) << entry->name;
            if (entry->args != kArgsChecked) EXPECT_EQ(form->args, entry->args) << entry->name;
            else if (entry->tables & kCreate) expectRefusedAround(*form);
            else ADD_FAILURE() << entry->name << " counts its own arguments outside CREATE: test it here";
        }
    }

private:
    struct NullHost : Host {
        void postClose(WindowRef) override {}
        int metric(Metric) override { return 1; }
    };
    static void nothing(void*, WindowRef, const std::string&, const char*) {}

    // In a CREATE section, one argument too few and one too many.
    void expectRefusedAround(const CommandForm& form) {
        ASSERT_GT(form.args, 0) << form.name;
        EXPECT_EQ(create(form.name, form.args - 1), static_cast<uint8_t>(Status::TooFewParams)) << form.name;
        EXPECT_EQ(create(form.name, form.args + 1), static_cast<uint8_t>(Status::TooManyParams)) << form.name;
    }
    uint8_t create(const std::string& name, int args) {
        std::string text = "CREATE{" + name + "(";
        for (int k = 0; k < args; ++k) text += k ? ",\"a\"" : "\"a\"";
        resetRunState(e_, 1280, 1024);
        e_.load(text + ");}");
        (void)prepareProgram(e_);
        return e_.fault.status;
    }

    NullHost host_;
    CKavMes reporter_{"KAV Error", nothing};
    CommandRegistry registry_;
    Engine e_;
};

}  // namespace kav::test
