#pragma once

// One fixed text of a layer's text table: its name in the code and the text itself (UTF-8).
struct TextEntry {
    const char* name;
    const char* text;
};
