// Braille chord input on the console and the tones that announce its mode.
#include "console/ObCrt.h"
#include "console/logic/braille_decode.h"
#include "console/logic/keys_tables.h"

int BrailleMode = 0;
unsigned char ChordDots = 0, ChordKeysDown = 0;
bool NumberMode = false, CapitalNext = false, CapitalLock = false;

static BrailleState LoadState() {
  BrailleState state;
  state.mode = BrailleMode;
  state.chordDots = ChordDots;
  state.chordKeysDown = ChordKeysDown;
  state.numberMode = NumberMode;
  state.capitalNext = CapitalNext;
  state.capitalLock = CapitalLock;
  return state;
}

static void StoreState(const BrailleState& state) {
  ChordDots = state.chordDots;
  ChordKeysDown = state.chordKeysDown;
  NumberMode = state.numberMode;
  CapitalNext = state.capitalNext;
  CapitalLock = state.capitalLock;
}

static void Beep200(uint16_t frequency) {
  ToneStart(frequency);
  Delay(200);
  ToneStop();
}

static void Announce(int mode) {
  if (mode == 0) {
    Beep200(100);
    return;
  }
  Beep200(800);
  Beep200(mode == 1 ? 1600 : 400);
}

// The tones' delays dispatch keys, so a mode key can arrive during an announcement. The
// mode changes at once; its announcement waits for the one playing, and of several waiting
// only the newest is worth hearing.
static bool Announcing = false;
static int WaitingAnnouncement = -1;  // mode to announce next, -1 for none

static void AnnounceInTurn(int mode) {
  WaitingAnnouncement = mode;
  if (Announcing) return;
  Announcing = true;
  while (WaitingAnnouncement >= 0) {
    int next = WaitingAnnouncement;
    WaitingAnnouncement = -1;
    Announce(next);
  }
  Announcing = false;
}

void CutAnnouncement() {
  ToneStop();
  Announcing = false;
  WaitingAnnouncement = -1;
}

void SetBrailleMode(int mode) {
  mode = NormaliseBrailleMode(mode);
  bool wasOn = BrailleMode != 0;
  if (mode == 0) StoreState(BrailleState{});
  BrailleMode = mode;
  if (mode != 0 || wasOn) AnnounceInTurn(mode);
}

bool ChordKeyDown(unsigned char key) {
  BrailleState state = LoadState();
  bool chordKey = BrailleKeyDown(state, key);
  StoreState(state);
  return chordKey;
}

bool ChordKeyUp(unsigned char key) {
  BrailleState state = LoadState();
  unsigned char decoded;
  bool taken = BrailleKeyUp(state, key, GetKeyState(VK_CONTROL) < 0, decoded);
  StoreState(state);
  if (decoded != NoCharacter) QueueByte(KeyQueue, KeyCount, decoded);
  return taken;
}

void ApplyBrailleSigns(unsigned char& ch) {
  BrailleState state = LoadState();
  BrailleSigns(state, ch);
  StoreState(state);
}
