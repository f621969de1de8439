#pragma once

// Registers the program's pictures (they live in the static library, whose resource table the
// linker would otherwise leave out).
void InitAppResources();
