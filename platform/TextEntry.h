#pragma once

// One entry of a layer's table of fixed texts: the name the code uses and the text (UTF-8).
struct TextEntry { const char* name; const char* text; };
