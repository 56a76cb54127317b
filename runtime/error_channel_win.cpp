#include "runtime/error_channel_win.h"

#include <windows.h>

#include "runtime/error_channel.h"

namespace kav {

void tellErrorPlace(int32_t statement) {
    HANDLE block = OpenFileMappingA(FILE_MAP_WRITE, FALSE, errorChannelName(GetCurrentProcessId()).c_str());
    if (!block) return;
    if (void* view = MapViewOfFile(block, FILE_MAP_WRITE, 0, 0, sizeof(ErrorChannelBlock))) {
        auto* place = static_cast<ErrorChannelBlock*>(view);
        // The position first: the driver reads it once it sees the count rise.
        InterlockedExchange(reinterpret_cast<volatile LONG*>(&place->statement), statement);
        InterlockedIncrement(reinterpret_cast<volatile LONG*>(&place->reports));
        UnmapViewOfFile(view);
    }
    CloseHandle(block);
}

}  // namespace kav
