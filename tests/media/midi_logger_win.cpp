// A MIDI mapper for the tests: these machines have no MIDI output at all (Wine's
// only one needs the kernel's sequencer), so this driver takes the mapper's
// place and writes every message it is sent into a text file instead.
//
// Built as midimap.dll; a test puts it beside the program and runs Wine with
// midimap=n. The log is MIDILOG (a Windows path) or midi.log in the current
// folder. Each line is "<ms since open> <event>", the event one of
// "open", "close", "reset", "short SS DD DD" (the message's bytes in wire order)
// or "long N" (a system-exclusive block of N bytes).
#include <windows.h>
#include <mmddk.h>
#include <mmsystem.h>

#include <cstdarg>
#include <cstdio>

extern "C" BOOL WINAPI DriverCallback(DWORD_PTR callback, DWORD flags, HDRVR device, DWORD message, DWORD_PTR user,
                                      DWORD_PTR param1, DWORD_PTR param2);

namespace {

MIDIOPENDESC g_client;
DWORD g_callbackType = 0;
DWORD g_openedAt = 0;
FILE* g_log = nullptr;

void logLine(const char* format, ...) {
    if (!g_log) return;
    std::fprintf(g_log, "%lu ", static_cast<unsigned long>(timeGetTime() - g_openedAt));
    va_list args;
    va_start(args, format);
    std::vfprintf(g_log, format, args);
    va_end(args);
    std::fputc('\n', g_log);
    std::fflush(g_log);
}

void tellClient(UINT message, DWORD_PTR param) {
    DriverCallback(g_client.dwCallback, g_callbackType, reinterpret_cast<HDRVR>(g_client.hMidi), message,
                   g_client.dwInstance, param, 0);
}

DWORD openClient(const MIDIOPENDESC* client, DWORD_PTR flags) {
    g_client = *client;
    g_callbackType = HIWORD(flags & CALLBACK_TYPEMASK);
    if (!g_log) {
        char path[MAX_PATH];
        DWORD n = GetEnvironmentVariableA("MIDILOG", path, sizeof path);
        g_log = std::fopen(n && n < sizeof path ? path : "midi.log", "ab");  // lines end in LF, as the tests read them
    }
    g_openedAt = timeGetTime();
    logLine("open");
    tellClient(MOM_OPEN, 0);
    return MMSYSERR_NOERROR;
}

DWORD longData(MIDIHDR* header) {
    if (!(header->dwFlags & MHDR_PREPARED)) return MIDIERR_UNPREPARED;
    logLine("long %lu", static_cast<unsigned long>(header->dwBufferLength));
    header->dwFlags = (header->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
    tellClient(MOM_DONE, reinterpret_cast<DWORD_PTR>(header));
    return MMSYSERR_NOERROR;
}

void capabilities(MIDIOUTCAPSW* caps, DWORD_PTR size) {
    MIDIOUTCAPSW c = {};
    c.wMid = 0xFF;
    c.wPid = 1;
    c.vDriverVersion = 0x100;
    lstrcpyW(c.szPname, L"MIDI log");
    c.wTechnology = MOD_MAPPER;
    c.wChannelMask = 0xFFFF;
    CopyMemory(caps, &c, size < sizeof c ? size : sizeof c);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK DriverProc(DWORD_PTR id, HDRVR driver, UINT message, LPARAM p1,
                                                             LPARAM p2) {
    switch (message) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_OPEN:
    case DRV_CLOSE:
    case DRV_ENABLE:
    case DRV_DISABLE: return 1;
    case DRV_QUERYCONFIGURE: return 0;
    case DRV_INSTALL:
    case DRV_REMOVE: return DRVCNF_OK;
    default: return DefDriverProc(id, driver, message, p1, p2);
    }
}

extern "C" __declspec(dllexport) DWORD CALLBACK modMessage(UINT device, UINT message, DWORD_PTR user, DWORD_PTR p1,
                                                           DWORD_PTR p2) {
    switch (message) {
    case DRVM_INIT:
    case DRVM_EXIT:
    case DRVM_ENABLE:
    case DRVM_DISABLE: return MMSYSERR_NOERROR;
    case MODM_GETNUMDEVS: return 1;
    case MODM_GETDEVCAPS: capabilities(reinterpret_cast<MIDIOUTCAPSW*>(p1), p2); return MMSYSERR_NOERROR;
    case MODM_OPEN: return openClient(reinterpret_cast<const MIDIOPENDESC*>(p1), p2);
    case MODM_CLOSE:
        logLine("close");
        tellClient(MOM_CLOSE, 0);
        return MMSYSERR_NOERROR;
    case MODM_DATA:
        logLine("short %02x %02x %02x", static_cast<unsigned>(p1 & 0xFF), static_cast<unsigned>(p1 >> 8 & 0xFF),
                static_cast<unsigned>(p1 >> 16 & 0xFF));
        return MMSYSERR_NOERROR;
    case MODM_LONGDATA: return longData(reinterpret_cast<MIDIHDR*>(p1));
    case MODM_RESET: logLine("reset"); return MMSYSERR_NOERROR;
    case MODM_GETVOLUME: *reinterpret_cast<DWORD*>(p1) = 0xFFFFFFFF; return MMSYSERR_NOERROR;
    case MODM_SETVOLUME: return MMSYSERR_NOERROR;
    // winmm prepares and unprepares headers itself when the driver does not.
    default: return MMSYSERR_NOTSUPPORTED;
    }
}
