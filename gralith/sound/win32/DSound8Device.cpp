#include "gralith/sound/win32/DSound8Device.h"

#include "gralith/Exception.h"
#include "gralith/sound/win32/DSound8Buffer.h"

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

#include <cstdio>

namespace Gralith::Sound {

namespace {

IDirectSound8* DirectSound(void* object) { return static_cast<IDirectSound8*>(object); }

// Everything a buffer operation of the interface needs, and playing on when the window loses
// the focus. Placement is deferred to play time, which lets Play end lower-priority sounds.
constexpr DWORD BufferFlags = DSBCAPS_LOCDEFER | DSBCAPS_GLOBALFOCUS | DSBCAPS_GETCURRENTPOSITION2 |
                              DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;

} // namespace

DSound8Device::DSound8Device(void* window) {
    IDirectSound8* object = nullptr;
    if (FAILED(DirectSoundCreate8(nullptr, &object, nullptr)) || !object)
        throw Exception("Unable to create sound device", ErrorCreation);
    directSound = object;
    HWND owner = window ? static_cast<HWND>(window) : GetDesktopWindow();
    if (FAILED(object->SetCooperativeLevel(owner, DSSCL_PRIORITY))) {
        object->Release();
        directSound = nullptr;
        throw Exception("Unable to set cooperative level");
    }
}

DSound8Device::~DSound8Device() {
    if (directSound)
        DirectSound(directSound)->Release();
}

std::string DSound8Device::BufferFailureMessage(long result) {
    const char* reason = nullptr;
    switch (static_cast<HRESULT>(result)) {
    case DSERR_INVALIDCALL: reason = "Invalid call"; break;
    case DSERR_BADFORMAT: reason = "Bad format"; break;
    case DSERR_BUFFERTOOSMALL: reason = "Buffer too small"; break;
    case DSERR_DS8_REQUIRED: reason = "DirectSound 8 required"; break;
    case DSERR_UNINITIALIZED: reason = "Uninitialized"; break;
    case DSERR_CONTROLUNAVAIL: reason = "Control unavailable"; break;
    case DSERR_OUTOFMEMORY: reason = "Out of memory"; break;
    case DSERR_UNSUPPORTED: reason = "Unsupported"; break;
    case DSERR_NOAGGREGATION: reason = "No aggregation"; break;
    case DSERR_INVALIDPARAM: reason = "Invalid parameter"; break;
    case DSERR_ALLOCATED: reason = "DSERR_ALLOCATED"; break;
    default: break;
    }
    char code[16];
    if (!reason) {
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
        reason = code;
    }
    return std::string("Unable to create sound buffer (") + reason + ")";
}

Buffer* DSound8Device::CreateBuffer(int size, int channels, int bitsPerSample, int samplesPerSecond) {
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = static_cast<DWORD>(samplesPerSecond);
    format.wBitsPerSample = static_cast<WORD>(bitsPerSample);
    format.nBlockAlign = static_cast<WORD>(channels * bitsPerSample / 8);
    format.nAvgBytesPerSec =
        static_cast<DWORD>(static_cast<long long>(channels) * bitsPerSample * samplesPerSecond / 8);
    format.cbSize = 0;

    DSBUFFERDESC description = {};
    description.dwSize = sizeof description;
    description.dwFlags = BufferFlags;
    description.dwBufferBytes = static_cast<DWORD>(size);
    description.lpwfxFormat = &format;
    // guid3DAlgorithm stays zero: DS3DALG_DEFAULT, which is GUID_NULL.

    // Values the platform's records cannot hold would reach it truncated: refuse them as it
    // refuses a bad format.
    if (channels < 1 || channels > 0xFFFF || bitsPerSample < 1 || bitsPerSample > 0xFFFF || samplesPerSecond < 1)
        throw Exception(BufferFailureMessage(DSERR_BADFORMAT).c_str());
    if (size <= 0)
        throw Exception(BufferFailureMessage(DSERR_INVALIDPARAM).c_str());

    IDirectSoundBuffer* plain = nullptr;
    HRESULT result = DirectSound(directSound)->CreateSoundBuffer(&description, &plain, nullptr);
    if (FAILED(result) || !plain)
        throw Exception(BufferFailureMessage(FAILED(result) ? result : E_FAIL).c_str());
    IDirectSoundBuffer8* buffer = nullptr;
    result = plain->QueryInterface(IID_IDirectSoundBuffer8, reinterpret_cast<void**>(&buffer));
    plain->Release();
    if (FAILED(result) || !buffer)
        throw Exception(BufferFailureMessage(DSERR_DS8_REQUIRED).c_str());
    return new DSound8Buffer(this, buffer, size, channels, bitsPerSample, samplesPerSecond);
}

} // namespace Gralith::Sound
