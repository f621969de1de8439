#include "app/ListImages.h"

#include <QPixmap>

#include "pictures/Resources.h"
#include "app/ShellWindows.h"

QIcon BukakeListImage(int index) {
    InitAppResources();
    static const QPixmap strip(QStringLiteral(":/bitmaps/bukake_list.png"));
    const int size = strip.height();
    if (strip.isNull() || index < 0 || (index + 1) * size > strip.width()) return QIcon();
    return QIcon(CBitmapStatic::Masked(strip.copy(index * size, 0, size, size)));
}
