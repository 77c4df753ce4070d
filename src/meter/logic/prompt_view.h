// The meter's page for recording what the panel says as each item lights: which text, its
// recording, what the last key did, and the keys, in words a caregiver reads.
#pragma once
#include <cstdint>
#include <string>

#include "meter/logic/level_view.h"

struct PromptPage {
  int index = 0;            // of the text shown, from 0
  int count = 0;            // texts in all
  std::string text;
  int64_t recordedMs = -1;  // the length of its recording; -1: none
  bool recording = false;   // the microphone is being recorded now
  std::string status;       // what the last key did
};

void ComposePromptScreen(const PromptPage& page, MeterScreen& screen);
std::string PromptCaption(const PromptPage& page);  // "Gravar falas - 1 de 97: Clica (sem grava\xE7\xE3o)"
std::string Seconds(int64_t ms);                     // "1,2 s"
