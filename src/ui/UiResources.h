#pragma once

// Registers the pictures and translations embedded in the ui library. The library is static, so
// its resources are registered on first use instead of by a static initialiser that the linker
// may drop. Safe to call any number of times.
void InitUiResources();
