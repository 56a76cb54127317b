// The one file a script has open at a time, as every family that reads or
// writes it sees it (the files subsystem keeps it; 3D packs and wave buffers
// save into it). Its part closes it when a section fails and when the run
// window is destroyed.
#pragma once
#include <cstddef>
#include <cstdint>

#include "engine/part.h"

namespace kav {

class OpenFile : public Part {
public:
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    // Reads up to n bytes at byte position pos (0 or more); the count read,
    // or -1 when the file cannot be read there.
    virtual int64_t readAt(int64_t pos, void* out, size_t n) = 0;
    // Writes n bytes at pos, or at the current position for pos < 0; false
    // when not all of them were written.
    virtual bool writeAt(int64_t pos, const void* data, size_t n) = 0;
    // The file's length in bytes, or -1.
    virtual int64_t length() = 0;

    void sectionFailed(Engine&) override { close(); }
    void windowDestroyed(Engine&) override { close(); }
};

}  // namespace kav
