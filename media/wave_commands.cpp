// Wave buffers: declared in CREATE, written and read sample by sample, played
// from memory and saved into the open file.
#include "engine/commands.h"
#include "engine/engine.h"
#include "engine/open_file.h"
#include "media/sound_state.h"

namespace kav {

namespace {

void report(Call& c, Status s) {
    if (s != Status::Ok) c.fail(s);
}

// The buffer name of argument 0, resolved as a text argument.
bool bufferName(Call& c, std::string& out) {
    std::string_view literal;
    if (!c.string(0, literal)) return false;
    out = resolveTextArgument(c.e, literal);
    return true;
}

// The name stands as written: it is no text argument here.
void waveBuf(Call& c) {
    std::string_view name;
    int32_t size = 0;
    if (c.string(0, name) && c.integers(1, 1, &size)) report(c, c.part<SoundState>().buffers().create(name, size));
}

// A name no buffer has plays nothing and is no error.
void playWaveBuf(Call& c) {
    std::string name;
    int32_t flag = 0;
    if (!bufferName(c, name) || !c.integers(1, 1, &flag)) return;
    if (flag < -1 || flag > 1) return c.fail(Status::ParamInvalid);
    SoundState& sound = c.part<SoundState>();
    if (const WaveBuffer* b = sound.buffers().find(name)) sound.play(*b, flag);
}

void setWaveBuf(Call& c) {
    std::string name;
    int32_t v[2];
    if (bufferName(c, name) && c.integers(1, 2, v)) report(c, c.part<SoundState>().buffers().set(name, v[0], v[1]));
}

void getWaveBuf(Call& c) {
    std::string name;
    int32_t pos = 0, sample = 0;
    if (!bufferName(c, name) || !c.integers(1, 1, &pos)) return;
    const Status s = c.part<SoundState>().buffers().get(name, pos, sample);
    if (s != Status::Ok) return c.fail(s);
    c.result(sample);
}

// The whole image goes where the open file stands, so a script writes a .wav
// file with OpenFileWrite, SaveWaveBuf and CloseFile.
void saveWaveBuf(Call& c) {
    OpenFile& file = c.part<OpenFile>();
    if (!file.isOpen()) return c.fail(Status::FileNotOpen);
    std::string name;
    if (!bufferName(c, name)) return;
    const WaveBuffer* b = c.part<SoundState>().buffers().find(name);
    if (!b) return c.fail(Status::NoWaveBuf);
    (void)file.writeAt(-1, b->image.data(), b->image.size());
}

// Takes no arguments and looks at none it is given.
void stopWaveBuf(Call& c) { c.part<SoundState>().stop(); }

constexpr CommandEntry kEntries[] = {
    {"WaveBuf", 2, kCreate, waveBuf},
    {"PlayWaveBuf", 2, kStatement, playWaveBuf},
    {"SetWaveBuf", 3, kStatement, setWaveBuf},
    {"GetWaveBuf", 2, kStatement | kValue, getWaveBuf},
    {"SaveWaveBuf", 1, kStatement, saveWaveBuf},
    {"StopWaveBuf", kArgsChecked, kStatement, stopWaveBuf},
};

}  // namespace

extern constinit const CommandFamily kWaveBufferCommands{kEntries};

}  // namespace kav
