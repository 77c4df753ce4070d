// The switches a caregiver sets in the section ACIONADOR, beside the sound, by the names the
// settings file gives them: TECLA, MOUSE and CONTROLE.
#pragma once
#include <string>

#include "seam/logic/switch_inputs.h"

struct SwitchChoice {
  SwitchInputs inputs;
  std::string unknown;  // the first value not understood; its setting kept its default
};

// The three values as read, in any case, blanks around them dropped. With no key, no button
// and a sound that cannot fire (a Volume of 128 or more), Ctrl stays the switch.
SwitchChoice SwitchChoiceFrom(const std::string& key, const std::string& mouse,
                              const std::string& pad, int threshold);
