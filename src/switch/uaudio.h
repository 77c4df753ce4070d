// Sound capture ring: the default wave-input device kept recording into a ring of buffers,
// each copied out once and queued again, and opened again on request when it was lost.
// Knows nothing of thresholds, ticks or the switch.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <cstdint>

#include "switch/logic/capture_math.h"

struct CaptureSlot {
  HGLOBAL dataBlock;     // global-memory handle of the data block
  unsigned char* data;   // its locked address
  HGLOBAL headerBlock;   // global-memory handle of the header block (one WAVEHDR)
  WAVEHDR* header;       // its locked address; null: the slot is empty
};

extern HWAVEIN CaptureDevice;       // the device opened by CaptureOpen; null once closed
extern uint32_t BufferBytes;        // size of every data buffer
extern CaptureSlot CaptureRing[RingSlots];  // filled by the device in slot order
extern int32_t RingIndex;           // the slot read next; a filled one whenever any is

MMRESULT OpenWaveInput(UINT deviceId, uint32_t rate, uint16_t bits, uint16_t channels);
// 0 or the open's error in 16 bits; the request is kept for CaptureReopen. Closed by
// itself before the process ends.
uint16_t CaptureOpen(uint32_t rate, uint16_t bits, uint16_t channels, uint32_t bufferBytes);
uint16_t CaptureReopen();               // close, then open as last asked; 0xFFFF before any open
bool CaptureRunning();                  // a device is open with at least one slot filled
void QueueCaptureBuffer(int slot);      // zero the header, point it at the data, hand it over
bool CaptureReady();                    // the slot at RingIndex is filled; never waits
void WaitCaptureReady();                // until CaptureReady, waiting for messages
uint32_t CaptureRead(unsigned char* destination);  // copy the oldest filled buffer out
MMRESULT CaptureClose();                // stop, free every slot, close the device
int64_t CapturePosition();              // samples read out since the open
int64_t DevicePosition();               // samples the device has recorded, at least CapturePosition
