#include "tools/kav3drv/text_win.h"

#include <cstdio>
#include <memory>

#include "tools/kav3drv/driver_options.h"

namespace kavdrv {

namespace {

constexpr UINT kAppCodePage = 932;

std::wstring toWide(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int count = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), count);
    return wide;
}

std::string fromWide(UINT codePage, std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int count = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), count, nullptr, nullptr);
    return narrow;
}

struct ProcessHeapFree {
    void operator()(WCHAR* p) const { HeapFree(GetProcessHeap(), 0, p); }
};

// Wine exports this from kernel32 only; Windows itself has no drive for Unix paths.
using DosNameFunction = WCHAR*(CDECL*)(const char* unixName);

DosNameFunction wineDosName() {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    FARPROC f = kernel ? GetProcAddress(kernel, "wine_get_dos_file_name") : nullptr;
    return reinterpret_cast<DosNameFunction>(reinterpret_cast<void*>(f));
}

void writeAll(HANDLE h, std::string_view bytes) {
    // A console would read the bytes in its own code page; only files and pipes get them raw.
    DWORD mode = 0;
    if (GetConsoleMode(h, &mode)) {
        const std::wstring wide = toWide(CP_UTF8, bytes);
        DWORD written = 0;
        WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0) return;
        bytes.remove_prefix(written);
    }
}

}  // namespace

std::string cp932ToUtf8(std::string_view text) {
    return fromWide(CP_UTF8, toWide(kAppCodePage, text));
}

std::string ansiToUtf8(std::string_view text) {
    return fromWide(CP_UTF8, toWide(CP_ACP, text));
}

std::string windowsPath(const std::string& path) {
    if (!isUnixPath(path)) return path;
    if (DosNameFunction dosName = wineDosName()) {
        // Our arguments arrive in the ANSI code page; Wine wants the Unix (UTF-8) spelling.
        const std::string unixName = fromWide(CP_UTF8, toWide(CP_ACP, path));
        std::unique_ptr<WCHAR, ProcessHeapFree> dos(dosName(unixName.c_str()));
        if (dos) return fromWide(CP_ACP, dos.get());
    }
    return driveZPath(path);
}

Output::Output(bool verbose) : verbose_(verbose), startTicks_(GetTickCount64()) {}

void Output::line(std::string_view utf8) const {
    std::string text(utf8);
    text += '\n';
    writeAll(GetStdHandle(STD_OUTPUT_HANDLE), text);
}

void Output::note(std::string_view utf8) const {
    if (verbose_) line("# " + std::to_string(GetTickCount64() - startTicks_) + " ms: " + std::string(utf8));
}

void Output::error(std::string_view utf8) {
    std::string text(utf8);
    text += '\n';
    writeAll(GetStdHandle(STD_ERROR_HANDLE), text);
}

std::string hex32(unsigned long long value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "0x%08llX", value);
    return buffer;
}

}  // namespace kavdrv
