#pragma once
#include <QIcon>

// The picture of the rows of the print-form lists: 16 × 16, magenta transparent.
QIcon FormListIcon();
