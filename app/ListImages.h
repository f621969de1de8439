#pragma once
#include <QIcon>

// The 16 × 16 pictures of the 歩掛 lists (業務, 工種 and 種別 entries in the colours of their kind), one
// strip of 45 cells in the order the list rules address them (ItemSelection.h). Null for an index
// outside the strip.
QIcon BukakeListImage(int index);

// Number of cells of the strip.
inline constexpr int kBukakeListImages = 45;
