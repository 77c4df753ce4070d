// Whether the control with the keyboard's focus in the window in front takes a password, so
// that nothing typed there is learned or offered back. Asks the control's own style and the
// platform's accessibility of the focused element.
#pragma once

bool PasswordInFront();  // true also when the window in front does not answer in time
