// kav3pack STUB SCRIPT OUT: a stand-alone application from the runtime stub and a
// script, laid out as the editor's builder lays it out.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "engine/payload.h"
#include "engine/program_text.h"

namespace {

bool readFile(const char* path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: kav3pack STUB SCRIPT.kav3 OUT.exe\n";
        return 2;
    }
    std::string stub, script;
    if (!readFile(argv[1], stub) || stub.empty()) {
        std::cerr << "kav3pack: cannot read the runtime stub " << argv[1] << "\n";
        return 1;
    }
    if (!readFile(argv[2], script)) {
        std::cerr << "kav3pack: cannot read the script " << argv[2] << "\n";
        return 1;
    }
    // The builder's limit: the compacted text must stay below 65536 bytes.
    if (kav::compacted(script).size() >= 65536) {
        std::cerr << "kav3pack: the script is too large (65536 bytes or more after compaction)\n";
        return 1;
    }
    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    out << stub << kav::scriptPayload(script);
    out.close();
    if (!out) {
        std::cerr << "kav3pack: cannot write " << argv[3] << "\n";
        return 1;
    }
    return 0;
}
