// Key-and-mouse playback library: event lists replayed through SendInput.
#include "injection/obkbm32.h"
