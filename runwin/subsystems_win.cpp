#include "runwin/subsystems_win.h"

namespace kav {

extern const Subsystem kCoreSubsystem, kFilesSubsystem, kMenusSubsystem, kControlsSubsystem, kGraphicsSubsystem,
    kPack3DSubsystem, kBitmapsSubsystem, kUsbSubsystem, kSoundSubsystem, kBitmapButtonSubsystem, kVideoSubsystem,
    kCameraSubsystem;
extern const CommandFamily kWindowCommands, kDialogCommands, kMiscCommands;

namespace {

// The run-time forms of the window commands, DlgBox, and the commands that
// belong to no other family.
constexpr const CommandFamily* kWindowFamilies[] = {&kWindowCommands, &kDialogCommands, &kMiscCommands};
constexpr Subsystem kWindowSubsystem{"window", kWindowFamilies};

constexpr const Subsystem* kSubsystems[] = {
    &kCoreSubsystem,     &kWindowSubsystem,   &kFilesSubsystem,   &kMenusSubsystem,  &kControlsSubsystem,
    &kVideoSubsystem,    &kCameraSubsystem,   &kGraphicsSubsystem, &kBitmapsSubsystem, &kPack3DSubsystem,
    &kBitmapButtonSubsystem, &kSoundSubsystem, &kUsbSubsystem,
};

}  // namespace

SubsystemList allSubsystems() { return kSubsystems; }

}  // namespace kav
