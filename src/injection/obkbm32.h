// The exports of the key-and-mouse playback library obkbm32.dll, which lies beside the
// program. Every argument is a 32-bit word; only the low byte of keys and flags counts.
#pragma once
#include <windows.h>

// Every event the library injects carries this in its extra information, so the program can
// tell its own keys from a person's (raw input's 32-bit ExtraInformation holds it whole).
constexpr ULONG PlaybackMark = 0x41434E52;

extern "C" {
UINT WINAPI PlayInit(UINT count);                                  // begin a new, empty list
UINT WINAPI PlayMouse(UINT message, UINT x, UINT y, UINT delayMs);  // WM_MOUSEMOVE, button messages
UINT WINAPI PlayInsertKeyEvent(UINT message, UINT virtualKey, UINT delayMs);  // bare key down/up
UINT WINAPI PlayKey(UINT character, UINT delayMs);                  // type a code page 1252 character
UINT WINAPI PlayVirtKey(UINT virtualKey, UINT ctrl, UINT shift, UINT alt, UINT delayMs);
UINT WINAPI PlayStart();                                            // replay the list; returns at once
UINT WINAPI PlayIsActive();                                         // non-zero while a replay runs
UINT WINAPI PlayWaitEnd(UINT timeoutMs);  // until no replay runs or the time is up; 1: none runs
}
