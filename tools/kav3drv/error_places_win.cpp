#include "tools/kav3drv/error_places_win.h"

#include <fstream>
#include <iterator>

#include "runtime/error_channel.h"

namespace kavdrv {

ErrorPlaces::ErrorPlaces(std::string scriptName) : name_(std::move(scriptName)) {}

ErrorPlaces::~ErrorPlaces() {
    if (view_) UnmapViewOfFile(view_);
}

bool ErrorPlaces::load() {
    std::ifstream in(windowsPath(name_), std::ios::binary);
    if (!in) {
        Output::error("kav3drv: cannot read the script " + ansiToUtf8(name_));
        return false;
    }
    std::string raw(std::istreambuf_iterator<char>(in), {});
    // The application holds the script compacted as the builder does it: its
    // positions are those of this text.
    text_ = kav::ProgramText::fromScript(std::move(raw));
    return true;
}

bool ErrorPlaces::open(DWORD processId) {
    block_ = kav::UniqueHandle(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                  sizeof(kav::ErrorChannelBlock),
                                                  kav::errorChannelName(processId).c_str()));
    if (block_) view_ = MapViewOfFile(block_.get(), FILE_MAP_READ, 0, 0, sizeof(kav::ErrorChannelBlock));
    if (view_) return true;
    const DWORD error = GetLastError();
    Output::error("kav3drv: cannot make the error channel: error " + std::to_string(error));
    return false;
}

void ErrorPlaces::report(const Output& out) {
    if (!view_) return;
    auto* block = static_cast<volatile kav::ErrorChannelBlock*>(view_);
    const long reports = block->reports;
    if (reports == seen_) return;
    seen_ = reports;
    const int32_t statement = block->statement;
    if (statement < 0) return;
    const kav::SourcePlace place = text_.sourcePlace(statement);
    out.line("at: " + ansiToUtf8(name_) + ":" + std::to_string(place.line) + ":" + std::to_string(place.column));
}

}  // namespace kavdrv
