#pragma once
// The texts of the text tables and of the core, which are UTF-8, as the strings Qt shows.
#include <QString>
#include <string>

inline QString Tx(const char* text) { return QString::fromUtf8(text); }
inline QString Tx(const std::string& text) { return QString::fromStdString(text); }
