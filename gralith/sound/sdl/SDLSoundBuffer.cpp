#include "gralith/sound/sdl/SDLSoundBuffer.h"

#include "gralith/Exception.h"
#include "gralith/sound/MixerVoice.h"
#include "gralith/sound/sdl/SDLSoundDevice.h"
#include "gralith/utils/Timer.h"

#include <cmath>

namespace Gralith::Sound {

SDLSoundBuffer::SDLSoundBuffer(SDLSoundDevice* device, MixerVoice* voice, int samplesPerSecond)
    : device(device), voice(voice), frequency(samplesPerSecond), creationFrequency(samplesPerSecond),
      channels(voice->GetChannels()), bits(voice->GetBitsPerSample()), size(voice->GetSize()) {}

SDLSoundBuffer::~SDLSoundBuffer() { device->GetMixer()->DestroyVoice(voice); }

void SDLSoundBuffer::Play(unsigned) { voice->Play(false, Utils::GetTime()); }

void SDLSoundBuffer::PlayLooped(unsigned) { voice->Play(true, Utils::GetTime()); }

void SDLSoundBuffer::Stop() { voice->Stop(Utils::GetTime()); }

bool SDLSoundBuffer::IsPlaying() const { return voice->IsPlaying(); }

void SDLSoundBuffer::SetData(const void* data, int offset, int count) {
    if (count == 0)
        return;
    if (!data || count < 0 || count > size || offset < 0 || offset >= size)
        throw Exception("Unable to lock sound buffer");
    voice->CopyIn(data, offset, count);
}

void SDLSoundBuffer::Write(const void* data, int count) {
    if (count == 0)
        return;
    if (!data || count < 0 || count > size)
        throw Exception("Unable to lock sound buffer");
    voice->CopyIn(data, writeCursor, count);
    writeCursor = static_cast<int>((static_cast<long long>(writeCursor) + count) % size);
}

void SDLSoundBuffer::SetPlayPosition(int offset) {
    if (offset < 0 || offset > size)
        throw Exception("Unable to set sound buffer position");
    voice->SetPosition(offset, Utils::GetTime());
}

int SDLSoundBuffer::SetWriteCursor(int position) {
    int laps = position / size;
    int rest = position % size;
    if (rest < 0) {
        rest += size;
        --laps;
    }
    writeCursor = rest;
    return laps;
}

void SDLSoundBuffer::SetFrequency(int samplesPerSecond) {
    if (samplesPerSecond == 0)
        samplesPerSecond = creationFrequency;
    if (samplesPerSecond < 100 || samplesPerSecond > 200000)
        throw Exception("Unable to set sound buffer frequency");
    frequency = samplesPerSecond;
    voice->SetRate(samplesPerSecond);
}

void SDLSoundBuffer::SetPan(float value) {
    if (!(value >= -1.0f && value <= 1.0f))
        throw Exception("Unable to set sound buffer pan");
    pan = value;
    panMillibels = Mixer::PanToMillibels(value);
    ApplyGains();
}

void SDLSoundBuffer::SetVolume(float value) {
    if (!(value >= 0.0f && value <= 1.0f))
        throw Exception("Unable to set sound buffer volume");
    volume = value;
    volumeMillibels = Mixer::VolumeToMillibels(value);
    ApplyGains();
}

void SDLSoundBuffer::ApplyGains() {
    float left, right;
    Mixer::Gains(volumeMillibels, panMillibels, left, right);
    voice->SetGains(left, right);
}

int SDLSoundBuffer::GetPlayPosition() { return voice->GetHeardPosition(Utils::GetTime()); }

int SDLSoundBuffer::GetWritePosition() { return voice->GetMixedPosition(); }

int SDLSoundBuffer::GetWritableSize() {
    int play = GetPlayPosition();
    if (writeCursor <= play)
        return play - writeCursor;
    return size - writeCursor + play;
}

} // namespace Gralith::Sound
