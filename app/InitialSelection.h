#pragma once
#include <span>
#include <string>
#include <vector>

// The initial 工種 selection list of a 業務: the text file beside the program named by the 業務
// code and the variant (0 the new list, 1 the older one), one formula per line. At most
// values.size() lines are read; each non-empty line's value (plus 1e-7, truncated) goes into the
// next element, an empty line stores nothing, and when the text ends first -1 follows the last
// value. 0 when the file was read, -1 for an unknown 業務 code or variant or an unreadable file.
int LoadInitialSelection(const std::string& programFolder, int gyomuCode, std::span<int> values, int variant);

// The file name of that list; "" for an unknown 業務 code or variant.
std::string InitialSelectionFileName(int gyomuCode, int variant);

// 0 when the text twin of print form formType (its path with the extension replaced by ".txt") is a
// regular file that can be opened for reading, -1 otherwise (also for an index outside the list).
int CheckFormTextFile(const std::vector<std::string>& forms, int formType);
