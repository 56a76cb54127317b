// Text between the app (code page 932), Wine's file names and the driver's
// UTF-8 output.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace kavdrv {

// Shift-JIS (code page 932) text as UTF-8.
std::string cp932ToUtf8(std::string_view text);

// Text in the ANSI code page (our own arguments) as UTF-8.
std::string ansiToUtf8(std::string_view text);

// A Windows path for a path given on the command line: Unix paths go through
// Wine's own mapping when kernel32 offers it, else onto drive Z.
std::string windowsPath(const std::string& path);

// Where the driver's lines go: stdout, one line per write, nothing buffered.
class Output {
public:
    explicit Output(bool verbose);
    // Writes one UTF-8 line to stdout.
    void line(std::string_view utf8) const;
    // A "# " diagnostic line stamped with the milliseconds since the driver
    // started, written only with --verbose.
    void note(std::string_view utf8) const;
    // One UTF-8 line to stderr.
    static void error(std::string_view utf8);

private:
    bool verbose_;
    ULONGLONG startTicks_;
};

// "0x" and eight hex digits, for handles and styles in lines.
std::string hex32(unsigned long long value);

}  // namespace kavdrv
