// The scripted quiet-second wait used by the key-repeat tests.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

void ScriptQuiet(std::initializer_list<bool> answers);  // answers of the next QuietFor calls
const std::vector<int32_t>& QuietRequests();            // the ms each call asked for
