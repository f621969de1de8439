#pragma once
#include <QIcon>
#include <QString>
#include <vector>

// The pictures of the combo boxes' image lists: rows of square cells side by side in one
// resource picture, magenta (0xFF00FF) transparent.
inline constexpr char kPriceImagesResource[] = ":/bitmaps/price_images.png";

// The cells of a picture, left to right; empty when the picture cannot be loaded.
std::vector<QIcon> LoadImageList(const QString& resource, int cellSize);
