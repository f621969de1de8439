#include "pictures/ImageList.h"

#include <QBitmap>
#include <QPixmap>

std::vector<QIcon> LoadImageList(const QString& resource, int cellSize) {
    std::vector<QIcon> icons;
    QPixmap strip(resource);
    if (strip.isNull() || cellSize <= 0) return icons;
    for (int x = 0; x + cellSize <= strip.width(); x += cellSize) {
        QPixmap cell = strip.copy(x, 0, cellSize, cellSize);
        cell.setMask(cell.createMaskFromColor(QColor(0xFF, 0x00, 0xFF), Qt::MaskInColor));
        icons.emplace_back(cell);
    }
    return icons;
}
