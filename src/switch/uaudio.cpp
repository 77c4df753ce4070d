// The capture ring over the seam's wave-input calls.
#include "switch/uaudio.h"

#include <cstdlib>
#include <cstring>

#include "console/ObCrt.h"
#include "switch/logic/capture_math.h"
#include "seam/seam.h"

HWAVEIN CaptureDevice = nullptr;
uint32_t BufferBytes = 0;
CaptureSlot CaptureRing[RingSlots] = {};
int32_t RingIndex = 0;

namespace {
int64_t SamplesRead = 0;  // since the open, for dating what was read
}

namespace {
// The platform's own header record: 32 bytes in a 32-bit build, 48 in a 64-bit one. The
// device writes every field, and refuses a header whose stated size is short.
constexpr UINT kHeaderBytes = sizeof(WAVEHDR);
constexpr UINT kSharedMoveable = GMEM_MOVEABLE | GMEM_DDESHARE;

// A locked global block, or both null when either step failed.
void* AllocLocked(SIZE_T bytes, HGLOBAL* handle) {
  *handle = GlobalAlloc(kSharedMoveable, bytes);
  if (*handle == nullptr) return nullptr;
  void* address = GlobalLock(*handle);
  if (address == nullptr) {
    GlobalFree(*handle);
    *handle = nullptr;
  }
  return address;
}

void FreeLocked(HGLOBAL handle) {
  if (handle == nullptr) return;
  GlobalUnlock(handle);
  GlobalFree(handle);
}

void FreeSlot(CaptureSlot& slot) {
  FreeLocked(slot.dataBlock);
  FreeLocked(slot.headerBlock);
  slot = CaptureSlot{};
}

// Both blocks or none: a slot never points at a missing block.
bool FillSlot(CaptureSlot& slot) {
  slot.data = static_cast<unsigned char*>(AllocLocked(BufferBytes, &slot.dataBlock));
  slot.header = static_cast<WAVEHDR*>(AllocLocked(kHeaderBytes, &slot.headerBlock));
  if (slot.data != nullptr && slot.header != nullptr) return true;
  FreeSlot(slot);
  return false;
}

bool RingOpen() { return CaptureRing[RingIndex].header != nullptr; }

// Slots whose blocks could not be had stay empty; reading passes over them.
uint64_t FilledSlots() {
  uint64_t filled = 0;
  for (int slot = 0; slot < RingSlots; ++slot)
    if (CaptureRing[slot].header != nullptr) filled |= uint64_t{1} << slot;
  return filled;
}

struct CaptureRequest {
  uint32_t rate;
  uint16_t bits, channels;
  uint32_t bufferBytes;
};
CaptureRequest LastRequest{};
bool Requested = false;

// The platform tears the process down with the sound system's threads still serving a
// recording device, and one of them can crash it then: whatever way the program ends, the
// device is stopped and closed first. Registered after the console's end handler, so it
// runs before that handler waits on the ended window.
void CloseCaptureAtEnd() { CaptureClose(); }

void CloseAtEndOnce() {
  static bool registered = false;
  if (!registered) std::atexit(CloseCaptureAtEnd);
  registered = true;
}
}  // namespace

MMRESULT OpenWaveInput(UINT deviceId, uint32_t rate, uint16_t bits, uint16_t channels) {
  auto* format = new PCMWAVEFORMAT{};
  format->wf.wFormatTag = WAVE_FORMAT_PCM;
  format->wf.nChannels = channels;
  format->wf.nSamplesPerSec = rate;
  format->wf.nBlockAlign = BlockAlign(bits, channels);
  format->wf.nAvgBytesPerSec = format->wf.nBlockAlign * rate;
  format->wBitsPerSample = bits;
  MMRESULT result = SeamWaveInOpen(&CaptureDevice, deviceId,
                                   reinterpret_cast<const WAVEFORMATEX*>(format),
                                   reinterpret_cast<DWORD_PTR>(ConsoleWindow), 0,
                                   CALLBACK_WINDOW);
  delete format;
  return result;
}

// The device fills the queued slots in the order 0 to 7, so reading starts at the first.
uint16_t CaptureOpen(uint32_t rate, uint16_t bits, uint16_t channels, uint32_t bufferBytes) {
  BufferBytes = bufferBytes;
  LastRequest = {rate, bits, channels, bufferBytes};
  Requested = true;
  CloseAtEndOnce();
  SamplesRead = 0;
  uint16_t result = static_cast<uint16_t>(OpenWaveInput(WAVE_MAPPER, rate, bits, channels));
  if (result != 0) return result;
  for (int slot = 0; slot < RingSlots; ++slot) {
    if (FillSlot(CaptureRing[slot])) QueueCaptureBuffer(slot);
  }
  RingIndex = NextFilledSlot(0, FilledSlots());
  SeamWaveInStart(CaptureDevice);
  return 0;
}

uint16_t CaptureReopen() {
  if (!Requested) return 0xFFFF;
  CaptureClose();
  return CaptureOpen(LastRequest.rate, LastRequest.bits, LastRequest.channels,
                     LastRequest.bufferBytes);
}

bool CaptureRunning() { return CaptureDevice != nullptr && FilledSlots() != 0; }

void QueueCaptureBuffer(int slot) {
  WAVEHDR* header = CaptureRing[slot].header;
  if (header == nullptr) return;
  std::memset(header, 0, kHeaderBytes);
  header->lpData = reinterpret_cast<LPSTR>(CaptureRing[slot].data);
  header->dwBufferLength = BufferBytes;
  SeamWaveInPrepareHeader(CaptureDevice, header, kHeaderBytes);
  SeamWaveInAddBuffer(CaptureDevice, header, kHeaderBytes);
}

bool CaptureReady() {
  return RingOpen() && (CaptureRing[RingIndex].header->dwFlags & WHDR_DONE) != 0;
}

void WaitCaptureReady() {
  while (RingOpen() && !CaptureReady()) SeamWaitMessage();
}

uint32_t CaptureRead(unsigned char* destination) {
  WaitCaptureReady();
  if (!CaptureReady()) return 0;
  CaptureSlot& slot = CaptureRing[RingIndex];
  uint32_t count = BoundedCopyCount(slot.header->dwBytesRecorded, BufferBytes);
  std::memcpy(destination, slot.data, count);
  SamplesRead += count;
  SeamWaveInUnprepareHeader(CaptureDevice, slot.header, kHeaderBytes);
  QueueCaptureBuffer(RingIndex);
  RingIndex = NextFilledSlot(NextRingIndex(RingIndex), FilledSlots());
  return count;
}

MMRESULT CaptureClose() {
  SeamWaveInStop(CaptureDevice);
  SeamWaveInReset(CaptureDevice);
  for (int visited = 0; visited < RingSlots; ++visited) {
    CaptureSlot& slot = CaptureRing[RingIndex];
    if (slot.header != nullptr) SeamWaveInUnprepareHeader(CaptureDevice, slot.header, kHeaderBytes);
    FreeSlot(slot);
    RingIndex = NextRingIndex(RingIndex);
  }
  MMRESULT result = SeamWaveInClose(CaptureDevice);
  CaptureDevice = nullptr;  // a later close, such as the one at the end, names no device
  return result;
}

int64_t CapturePosition() { return SamplesRead; }

// The device's count runs from its start; what it holds beyond the buffers read is the one
// being filled. Anything else (no device, a count gone back or run ahead) says nothing more.
int64_t DevicePosition() {
  MMTIME time{};
  time.wType = TIME_BYTES;
  if (CaptureDevice == nullptr ||
      SeamWaveInGetPosition(CaptureDevice, &time, sizeof time) != MMSYSERR_NOERROR ||
      time.wType != TIME_BYTES)
    return SamplesRead;
  const int64_t recorded = time.u.cb;
  if (recorded < SamplesRead || recorded > SamplesRead + BufferBytes) return SamplesRead;
  return recorded;
}
