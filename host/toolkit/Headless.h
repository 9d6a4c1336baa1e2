#pragma once

// Prepares the process to run without a display, before QApplication is created: the offscreen
// platform unless one is chosen, and a private runtime folder so Qt has nothing to warn about.
void PrepareHeadless();
