#include "report/qt/FormListImage.h"

#include <QBitmap>
#include <QPixmap>

// The resources of a static library are registered by hand.
static void InitReportDialogResources() { Q_INIT_RESOURCE(ReportDialogs); }

QIcon FormListIcon() {
    static const QIcon icon = [] {
        InitReportDialogResources();
        QPixmap picture(QStringLiteral(":/bitmaps/form_list.png"));
        if (picture.isNull()) return QIcon();
        picture.setMask(picture.createMaskFromColor(QColor(0xFF, 0x00, 0xFF)));
        return QIcon(picture);
    }();
    return icon;
}
