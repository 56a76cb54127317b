// The video commands: a file played in a child window of the run window
// through the platform's media session.
#include <windows.h>

#include "engine/commands.h"
#include "engine/engine.h"
#include "engine/subsystem.h"
#include "media/video_rules.h"
#include "media/video_state_win.h"
#include "media/video_window_win.h"

namespace kav {

namespace {

// The file name as the media session takes it: UTF-16 from the Japanese code
// page, at most this many characters with the terminator.
constexpr int kVideoNameMax = 1024;

std::wstring wideName(const std::string& name) {
    wchar_t wide[kVideoNameMax];
    const int n = MultiByteToWideChar(932, 0, name.data(), static_cast<int>(name.size()), wide, kVideoNameMax - 1);
    return std::wstring(wide, n > 0 ? n : 0);
}

VideoWindow* videoWindow(Call& c) { return c.part<VideoState>().video; }

// The player of an opened video, if there is one.
Player* player(Call& c) {
    VideoWindow* w = videoWindow(c);
    return w ? w->player() : nullptr;
}

void openVideoFile(Call& c) {
    int32_t box[4];
    std::string_view literal;
    if (!c.integers(0, 3, box) || !c.string(4, literal)) return;
    const std::string name = resolveTextArgument(c.e, literal);
    VideoState& state = c.part<VideoState>();
    if (state.video || !c.e.runWindow) return;
    VideoWindow::create(c.e, state, static_cast<HWND>(c.e.runWindow), box[0], box[1], box[2], box[3],
                        wideName(name));
}

void closeVideo(Call& c) {
    if (VideoWindow* w = videoWindow(c)) DestroyWindow(w->hwnd());
}

void playVideo(Call& c) {
    if (Player* p = player(c)) p->play();
}

void pauseVideo(Call& c) {
    if (Player* p = player(c)) p->pause();
}

void setVideoSize(Call& c) {
    int32_t box[4];
    if (!c.integers(0, 3, box)) return;
    // Its size event gives the renderer the new client area.
    if (VideoWindow* w = videoWindow(c))
        SetWindowPos(w->hwnd(), nullptr, box[0], box[1], box[2], box[3], SWP_NOZORDER | SWP_SHOWWINDOW);
}

void setVideoSpeed(Call& c) {
    double percent = 0;
    if (!c.number(0, percent)) return;
    if (Player* p = player(c)) p->setRate(playbackRate(percent));
}

void setVideoVolume(Call& c) {
    double percent = 0;
    if (!c.number(0, percent)) return;
    if (Player* p = player(c)) p->setVolume(masterVolume(percent));
}

void setVideoPlayPos(Call& c) {
    double tm = 0;
    if (!c.number(0, tm)) return;
    if (Player* p = player(c)) p->seek(seekTarget(tm, c.e.sys.videoLength));
}

void skipVideoPlayPos(Call& c) {
    double tm = 0;
    if (!c.number(0, tm)) return;
    VideoWindow* w = videoWindow(c);
    Player* p = w ? w->player() : nullptr;
    if (p) p->seek(skipTarget(w->positionSeconds(), tm, c.e.sys.videoLength));
}

void getVideoPlayPos(Call& c) {
    VideoWindow* w = videoWindow(c);
    c.result(w ? w->positionSeconds() : 0);
}

constexpr CommandEntry kEntries[] = {
    {"OpenVideoFile", 5, kStatement, openVideoFile},
    {"CloseVideo", 0, kStatement, closeVideo},
    {"PlayVideo", 0, kStatement, playVideo},
    {"PauseVideo", 0, kStatement, pauseVideo},
    {"SetVideoSize", 4, kStatement, setVideoSize},
    {"SetVideoSpeed", 1, kStatement, setVideoSpeed},
    {"SetVideoVolume", 1, kStatement, setVideoVolume},
    {"SetVideoPlayPos", 1, kStatement, setVideoPlayPos},
    {"SkipVideoPlayPos", 1, kStatement, skipVideoPlayPos},
    {"GetVideoPlayPos", 0, kStatement | kValue, getVideoPlayPos},
};

}  // namespace

extern constinit const CommandFamily kVideoCommands{kEntries};

VideoState::~VideoState() { closeAll(); }

void VideoState::windowDestroyed(Engine&) { closeAll(); }

void VideoState::closeAll() {
    if (video) DestroyWindow(video->hwnd());
    // The popup's destruction closes the MCI window in it.
    if (playWindow) DestroyWindow(playWindow);
    if (mciWindow && IsWindow(mciWindow)) SendMessageA(mciWindow, WM_CLOSE, 0, 0);
    video = nullptr;
    playWindow = mciWindow = nullptr;
}

// The video subsystem: the media-session player and the older MCI player.
extern const CommandFamily kMciCommands;
constexpr const CommandFamily* kVideoFamilies[] = {&kVideoCommands, &kMciCommands};
extern constinit const Subsystem kVideoSubsystem{"video", kVideoFamilies, partKey<VideoState>(),
                                                 makePart<VideoState>};

}  // namespace kav
