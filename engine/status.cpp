#include "engine/status.h"

namespace kav {

ErrorText errorText(uint8_t code) {
    switch (code) {
#define KAV_STATUS_CASE(c, name, text, line) \
    case c:                                  \
        return {text, SubjectLine::line};
        KAV_ERRORS(KAV_STATUS_CASE)
#undef KAV_STATUS_CASE
    }
    return {nullptr, SubjectLine::Command};
}

}  // namespace kav
