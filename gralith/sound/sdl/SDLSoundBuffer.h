#pragma once

#include "gralith/Ref.h"
#include "gralith/sound/Buffer.h"

namespace Gralith::Sound {

class MixerVoice;
class SDLSoundDevice;

/// A buffer of the SDL sound device: a voice of its software mixer. It keeps a reference to the
/// device, so the device (and its mixer) outlives every buffer.
class SDLSoundBuffer : public Buffer {
public:
    /// Takes over voice; made by SDLSoundDevice::CreateBuffer.
    SDLSoundBuffer(SDLSoundDevice* device, MixerVoice* voice, int samplesPerSecond);
    ~SDLSoundBuffer() override;

    void Play(unsigned priority) override;
    void PlayLooped(unsigned priority) override;
    void Stop() override;
    /// Throws "Unable to lock sound buffer" for an offset outside the buffer or more bytes than it holds.
    void SetData(const void* data, int offset, int size) override;
    /// Throws "Unable to lock sound buffer" for more bytes than the buffer holds.
    void Write(const void* data, int size) override;
    /// Throws "Unable to set sound buffer position" outside 0..size.
    void SetPlayPosition(int offset) override;
    /// A negative position counts back from the start: -1 is the last byte, lap -1.
    int SetWriteCursor(int position) override;
    /// 100..200000, or 0 for the creation rate; otherwise throws "Unable to set sound buffer frequency".
    void SetFrequency(int samplesPerSecond) override;
    /// Outside -1..1 throws "Unable to set sound buffer pan" and keeps the old pan.
    void SetPan(float pan) override;
    /// Outside 0..1 throws "Unable to set sound buffer volume" and keeps the old volume.
    void SetVolume(float volume) override;
    int GetPlayPosition() override;
    int GetWritePosition() override;
    int GetWritableSize() override;
    int GetFrequency() override { return frequency; }
    float GetPan() override { return pan; }
    float GetVolume() override { return volume; }
    int GetChannels() override { return channels; }
    int GetBitsPerSample() override { return bits; }

    int GetSize() const { return size; }
    int GetWriteCursor() const { return writeCursor; }
    /// The pan and volume as applied, in hundredths of a decibel.
    int GetPanMillibels() const { return panMillibels; }
    int GetVolumeMillibels() const { return volumeMillibels; }
    bool IsPlaying() const;

private:
    void ApplyGains();

    Ref<SDLSoundDevice> device;
    MixerVoice* voice;
    float pan = 0.0f;
    float volume = 1.0f;
    int frequency;
    int creationFrequency;
    int channels;
    int bits;
    int writeCursor = 0;
    int size;
    int panMillibels = 0;
    int volumeMillibels = 0;
};

} // namespace Gralith::Sound
