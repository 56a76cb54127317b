// kav3check FILE.kav3...: the static checker. Prints "FILE:LINE:COLUMN: " and
// the system's message for every problem found without running the scripts
// (Shift-JIS in, UTF-8 out); exit status 1 when it found any, 2 when a file
// cannot be read.
#include <iconv.h>

#include <cerrno>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "check/script_check.h"

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
