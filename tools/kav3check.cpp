// kav3check FILE.kav3...: the static checker. Prints "FILE:LINE:COLUMN: " and
// the system's message for every problem found without running the scripts
// (Shift-JIS in, UTF-8 out), and a line of its own where lines ending with LF
// alone let a comment swallow statements; exit status 1 when it found any, 2
// when a file cannot be read.
#include <iconv.h>

#include <cerrno>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "check/script_check.h"
#include "engine/sjis.h"

namespace {

// Shift-JIS as UTF-8; a byte that is no character shows as '?'.
std::string toUtf8(const std::string& sjis) {
    static iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return sjis;
    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(sjis.data());
    size_t left = sjis.size();
    while (left > 0) {
        char* to = buffer;
        size_t room = sizeof buffer;
        const size_t r = iconv(cd, &in, &left, &to, &room);
        out.append(buffer, static_cast<size_t>(to - buffer));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            out += '?';
            ++in;
            --left;
        }
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    return out;
}

// Line and column (in characters) of a byte of the script as written; lines
// end at each LF.
kav::SourcePlace placeOf(const std::string& raw, size_t offset) {
    kav::SourcePlace at{1, 1};
    for (size_t i = 0; i < offset; i = kav::nextChar(raw, i)) {
        if (raw[i] == '\n') {
            ++at.line;
            at.column = 1;
        } else {
            ++at.column;
        }
    }
    return at;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: kav3check FILE.kav3...\n";
        return 2;
    }
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::cerr << "kav3check: cannot read " << argv[i] << "\n";
            status = 2;
            continue;
        }
        const std::string raw(std::istreambuf_iterator<char>(in), {});
        if (const int32_t lf = kav::swallowingLineEnd(raw); lf >= 0) {
            // No message of the system's says this: the interpreter just skips the lines.
            const kav::SourcePlace at = placeOf(raw, static_cast<size_t>(lf));
            std::cout << argv[i] << ":" << at.line << ":" << at.column
                      << ": (kav3check) this line ends with LF alone, so a // comment runs on past it to the next"
                         " CR LF and the lines between are never run; save the script with CR LF line ends\n";
            status = status == 0 ? 1 : status;
        }
        // As the builder compacts it, so positions are those of the application.
        const kav::ProgramText text = kav::ProgramText::fromScript(raw);
        for (const kav::Finding& f : kav::checkScript(text)) {
            const kav::SourcePlace at = text.sourcePlace(f.position);
            std::cout << argv[i] << ":" << at.line << ":" << at.column << ": " << toUtf8(kav::describeFinding(f))
                      << "\n";
            if (status == 0) status = 1;
        }
    }
    return status;
}
