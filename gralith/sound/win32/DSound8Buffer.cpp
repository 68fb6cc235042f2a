#include "gralith/sound/win32/DSound8Buffer.h"

#include "gralith/Exception.h"
#include "gralith/sound/win32/DSound8Device.h"
#include "gralith/utils/Timer.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// Before dsound.h: the lean windows.h leaves WAVEFORMATEX out.
#include <mmsystem.h>

#include <dsound.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Gralith::Sound {

namespace {

IDirectSoundBuffer8* Platform(void* buffer) { return static_cast<IDirectSoundBuffer8*>(buffer); }

} // namespace

DSound8Buffer::DSound8Buffer(DSound8Device* device, void* buffer, int size, int channels, int bitsPerSample,
                             int samplesPerSecond)
    : device(device), buffer(buffer), frequency(samplesPerSecond), creationFrequency(samplesPerSecond),
      channels(channels), bits(bitsPerSample), size(size), blockAlign(std::max(1, channels * bitsPerSample / 8)) {}

DSound8Buffer::~DSound8Buffer() {
    Platform(buffer)->Stop();
    Platform(buffer)->Release();
}

void DSound8Buffer::Start(unsigned priority, bool looped) {
    IDirectSoundBuffer8* platform = Platform(buffer);
    if (!playing && !looped && stoppedAt >= size)
        platform->SetCurrentPosition(0);
    DWORD flags = DSBPLAY_TERMINATEBY_PRIORITY | (looped ? DSBPLAY_LOOPING : 0);
    if (FAILED(platform->Play(0, priority, flags)))
        throw Exception("Unable to play sound buffer");
    if (!playing) {
        DWORD play = 0, write = 0;
        platform->GetCurrentPosition(&play, &write);
        laps = 0;
        lastCursor = play;
        clock.Start(Utils::GetTime(), static_cast<double>(play), static_cast<double>(frequency) * blockAlign);
    }
    playing = true;
    looping = looped;
}

void DSound8Buffer::Play(unsigned priority) { Start(priority, false); }

void DSound8Buffer::PlayLooped(unsigned priority) { Start(priority, true); }

void DSound8Buffer::Stop() {
    if (!playing) {
        Platform(buffer)->Stop();
        return;
    }
    // Resume from what was heard, as the software mixer does: DirectSound's own cursor may
    // stand up to a mixing period away from it.
    int heard = size;
    try {
        heard = Follow();
    } catch (const Exception&) {
        heard = GetPlatformPlayPosition();
    }
    Platform(buffer)->Stop();
    if (!playing)
        return; // a single play had already ended
    playing = false;
    stoppedAt = heard;
    if (heard < size)
        Platform(buffer)->SetCurrentPosition(static_cast<DWORD>(heard));
}

bool DSound8Buffer::IsPlaying() {
    DWORD status = 0;
    return SUCCEEDED(Platform(buffer)->GetStatus(&status)) && (status & DSBSTATUS_PLAYING) != 0;
}

void DSound8Buffer::CopyIn(const void* data, int offset, int count) {
    if (!data || count < 0 || count > size || offset < 0 || offset >= size)
        throw Exception("Unable to lock sound buffer");
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstLength = 0, secondLength = 0;
    HRESULT result = Platform(buffer)->Lock(static_cast<DWORD>(offset), static_cast<DWORD>(count), &first, &firstLength,
                                            &second, &secondLength, 0);
    if (result == DSERR_BUFFERLOST) {
        // The output was taken away and given back: the memory must be restored first.
        Platform(buffer)->Restore();
        result = Platform(buffer)->Lock(static_cast<DWORD>(offset), static_cast<DWORD>(count), &first, &firstLength,
                                        &second, &secondLength, 0);
    }
    if (FAILED(result))
        throw Exception("Unable to lock sound buffer");
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::memcpy(first, bytes, firstLength);
    if (second && secondLength > 0)
        std::memcpy(second, bytes + firstLength, secondLength);
    if (FAILED(Platform(buffer)->Unlock(first, firstLength, second, secondLength)))
        throw Exception("Unable to unlock sound buffer");
}

void DSound8Buffer::SetData(const void* data, int offset, int count) {
    if (count == 0)
        return;
    CopyIn(data, offset, count);
}

void DSound8Buffer::Write(const void* data, int count) {
    if (count == 0)
        return;
    CopyIn(data, writeCursor, count);
    writeCursor = static_cast<int>((static_cast<long long>(writeCursor) + count) % size);
}

void DSound8Buffer::SetPlayPosition(int offset) {
    if (offset < 0 || offset > size)
        throw Exception("Unable to set sound buffer position");
    offset -= offset % blockAlign;
    if (offset >= size) {
        // DirectSound has no position at the end: the buffer stops there, as a single play does.
        Platform(buffer)->Stop();
        playing = false;
        stoppedAt = size;
        return;
    }
    if (FAILED(Platform(buffer)->SetCurrentPosition(static_cast<DWORD>(offset))))
        throw Exception("Unable to set sound buffer position");
    stoppedAt = offset;
    if (playing) {
        laps = 0;
        lastCursor = static_cast<unsigned long>(offset);
        clock.Start(Utils::GetTime(), offset, clock.GetRate());
    }
}

int DSound8Buffer::SetWriteCursor(int position) {
    int lapsDone = position / size;
    int rest = position % size;
    if (rest < 0) {
        rest += size;
        --lapsDone;
    }
    writeCursor = rest;
    return lapsDone;
}

void DSound8Buffer::SetFrequency(int samplesPerSecond) {
    if (FAILED(Platform(buffer)->SetFrequency(static_cast<DWORD>(samplesPerSecond))))
        throw Exception("Unable to set sound buffer frequency");
    frequency = samplesPerSecond == DSBFREQUENCY_ORIGINAL ? creationFrequency : samplesPerSecond;
    if (playing)
        clock.SetRate(Utils::GetTime(), static_cast<double>(frequency) * blockAlign);
}

void DSound8Buffer::SetPan(float value) {
    if (!(value >= -1.0f && value <= 1.0f))
        throw Exception("Unable to set sound buffer pan");
    auto platformPan = static_cast<LONG>((value + 1.0f) * 20000.0f * 0.5f - 10000.0f);
    if (FAILED(Platform(buffer)->SetPan(platformPan)))
        throw Exception("Unable to set sound buffer pan");
    pan = value;
}

void DSound8Buffer::SetVolume(float value) {
    if (!(value >= 0.0f && value <= 1.0f))
        throw Exception("Unable to set sound buffer volume");
    auto platformVolume = static_cast<LONG>(value * 10000.0f - 10000.0f);
    if (FAILED(Platform(buffer)->SetVolume(platformVolume)))
        throw Exception("Unable to set sound buffer volume");
    volume = value;
}

void DSound8Buffer::ReadCursors(unsigned long& play, unsigned long& write) {
    DWORD playCursor = 0, writeCursorOfPlatform = 0;
    if (FAILED(Platform(buffer)->GetCurrentPosition(&playCursor, &writeCursorOfPlatform)))
        throw Exception("Unable to get sound buffer position");
    play = playCursor;
    write = writeCursorOfPlatform;
}

int DSound8Buffer::Follow() {
    unsigned long play = 0, write = 0;
    ReadCursors(play, write);
    double now = Utils::GetTime();
    if (!IsPlaying()) {
        // Only a single play stops by itself: it ran to its end.
        playing = false;
        stoppedAt = looping ? static_cast<int>(play) : size;
        return stoppedAt;
    }
    if (play < lastCursor && looping)
        ++laps;
    lastCursor = play;
    double unwrapped = static_cast<double>(laps) * size + static_cast<double>(play);
    double heard = clock.Observe(now, unwrapped);
    int position = looping ? static_cast<int>(std::fmod(heard, static_cast<double>(size)))
                           : std::min(size, static_cast<int>(heard));
    return position >= size ? size : position - position % blockAlign;
}

int DSound8Buffer::GetPlayPosition() { return playing ? Follow() : stoppedAt; }

int DSound8Buffer::GetWritePosition() {
    unsigned long play = 0, write = 0;
    ReadCursors(play, write);
    return static_cast<int>(write);
}

int DSound8Buffer::GetPlatformPlayPosition() {
    DWORD play = 0, write = 0;
    if (FAILED(Platform(buffer)->GetCurrentPosition(&play, &write)))
        return 0;
    return static_cast<int>(play);
}

int DSound8Buffer::GetWritableSize() {
    int play = playing ? GetPlatformPlayPosition() : stoppedAt % size;
    if (writeCursor <= play)
        return play - writeCursor;
    return size - writeCursor + play;
}

long DSound8Buffer::GetPlatformPan() {
    LONG value = 0;
    Platform(buffer)->GetPan(&value);
    return value;
}

long DSound8Buffer::GetPlatformVolume() {
    LONG value = 0;
    Platform(buffer)->GetVolume(&value);
    return value;
}

} // namespace Gralith::Sound
