// The caregiver's settings window, "Configura\xE7\xF5es do Acenora": every setting on its tab,
// each labelled for a screen reader and reached with the keyboard alone, its range and
// default beside it. "Aplicar" and "OK" write what changed and start a running panel again
// with it; a value refused is said beside its field and nothing is written.
#pragma once

int ConfigMain();  // until the window is closed; 0
