#include "speaking/utocador.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <vector>

#include "console/ObCrt.h"
#include "speaking/logic/prompt_sound.h"

namespace {

constexpr size_t kLargestPrompt = 16 << 20;

HWAVEOUT Device = nullptr;
WAVEHDR Header{};
std::string Sound;  // the samples the device plays, kept until it is closed

// The format as the device takes it: the file's own, or sixteen bits for eight.
// The extra bytes the format claims are never more than the file holds: the device reads
// that many.
std::string FormatOf(const std::string& file, const WavParts& parts) {
  std::string format = file.substr(parts.formatAt, parts.formatSize);
  if (format.size() < sizeof(WAVEFORMATEX)) format.resize(sizeof(WAVEFORMATEX), '\0');
  constexpr size_t kExtraAt = offsetof(WAVEFORMATEX, cbSize);
  WORD extra = 0;
  std::memcpy(&extra, format.data() + kExtraAt, sizeof extra);
  extra = static_cast<WORD>(std::min<size_t>(extra, format.size() - sizeof(WAVEFORMATEX)));
  std::memcpy(format.data() + kExtraAt, &extra, sizeof extra);
  if (parts.bitsPerSample != 8) return format;
  WAVEFORMATEX wide{WAVE_FORMAT_PCM, parts.channels, parts.samplesPerSecond,
                    parts.samplesPerSecond * parts.channels * 2u, static_cast<WORD>(parts.channels * 2), 16, 0};
  return std::string(reinterpret_cast<const char*>(&wide), sizeof wide);
}

std::string SamplesOf(const std::string& file, const WavParts& parts) {
  const std::string_view data = std::string_view(file).substr(parts.dataAt, parts.dataSize);
  if (parts.bitsPerSample != 8) return std::string(data);
  const std::vector<int16_t> wide = Widened(data);
  return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
}

bool Open(const std::string& format) {
  return waveOutOpen(&Device, WAVE_MAPPER, reinterpret_cast<const WAVEFORMATEX*>(format.data()), 0, 0,
                     CALLBACK_NULL) == MMSYSERR_NOERROR;
}

bool Start() {
  Header = WAVEHDR{};
  Header.lpData = Sound.data();
  Header.dwBufferLength = static_cast<DWORD>(Sound.size());
  return waveOutPrepareHeader(Device, &Header, sizeof Header) == MMSYSERR_NOERROR &&
         waveOutWrite(Device, &Header, sizeof Header) == MMSYSERR_NOERROR;
}

// The file's bytes and the parts of them that play; none when it holds no PCM sound.
std::optional<WavParts> ReadPrompt(const std::wstring& path, std::string& file) {
  if (!ReadWholeFile(path, kLargestPrompt, file)) return std::nullopt;
  std::optional<WavParts> parts = ParseWav(file);
  if (parts && parts->dataSize == 0) return std::nullopt;
  return parts;
}

}  // namespace

int64_t PlayWavFile(const std::wstring& path) {
  StopWav();
  std::string file;
  const std::optional<WavParts> parts = ReadPrompt(path, file);
  if (!parts) return -1;
  Sound = SamplesOf(file, *parts);
  if (!Open(FormatOf(file, *parts))) {
    Device = nullptr;
    return -1;
  }
  if (!Start()) {
    StopWav();
    return -1;
  }
  return parts->DurationMs();
}

bool WavPlaying() { return Device && !(Header.dwFlags & WHDR_DONE); }

void StopWav() {
  if (!Device) return;
  waveOutReset(Device);
  if (Header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(Device, &Header, sizeof Header);
  waveOutClose(Device);
  Device = nullptr;
  Header = WAVEHDR{};
}

int64_t WavFileLength(const std::wstring& path) {
  std::string file;
  const std::optional<WavParts> parts = ReadPrompt(path, file);
  return parts ? parts->DurationMs() : -1;
}
