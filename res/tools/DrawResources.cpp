// Draws the program's bitmaps and icons into the res folder: the MDI background tile, the splash
// picture, the application icon, the status-pane icons, the import dialogs' arrow, the strip of
// main toolbar buttons, the pictures of the price lists, the strips of the 歩掛, 変化率・補正率, 諸経費 and trade-selection list
// pictures, the company picture and the picture of the print-form lists. Magenta (0xFF00FF) is the transparent
// colour of the small pictures. Run with the res folder as the only argument, then commit the pictures.
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>

namespace {

const QColor kMagenta(0xFF, 0x00, 0xFF);
const QColor kInk(0x20, 0x3A, 0x60);
const QColor kPaper(0xFA, 0xFA, 0xF4);
const QColor kAccent(0x2F, 0x80, 0xC8);

QImage Canvas(int w, int h, QColor fill) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void Save(const QImage& image, const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    image.save(path, "PNG");
}

QFont Jp(int pixels, int weight = QFont::Normal) {
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(pixels);
    font.setWeight(QFont::Weight(weight));
    return font;
}

void Page(QPainter& p, QRectF r) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 5, r.top());
    path.lineTo(r.right(), r.top() + 5);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.drawPath(path);
}

void Lines(QPainter& p, QRectF r, int count) {
    p.setPen(QPen(QColor(0x80, 0x90, 0xA8), 1));
    for (int i = 0; i < count; ++i) {
        double y = r.top() + 5 + i * 3.5;
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    }
}

void Folder(QPainter& p, QRectF r, QColor colour) {
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(colour);
    QPainterPath path;
    path.moveTo(r.left(), r.top() + 2);
    path.lineTo(r.left() + r.width() * 0.4, r.top() + 2);
    path.lineTo(r.left() + r.width() * 0.5, r.top() + 4);
    path.lineTo(r.right(), r.top() + 4);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.drawPath(path);
}

void Arrow(QPainter& p, bool up) {
    QPainterPath path;
    if (up) {
        path.moveTo(12, 3);
        path.lineTo(21, 12);
        path.lineTo(16, 12);
        path.lineTo(16, 21);
        path.lineTo(8, 21);
        path.lineTo(8, 12);
        path.lineTo(3, 12);
    } else {
        path.moveTo(12, 21);
        path.lineTo(21, 12);
        path.lineTo(16, 12);
        path.lineTo(16, 3);
        path.lineTo(8, 3);
        path.lineTo(8, 12);
        path.lineTo(3, 12);
    }
    path.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(0x4C, 0xA0, 0x50));
    p.drawPath(path);
}

void Window(QPainter& p, QRectF r) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.fillRect(QRectF(r.left() + 1, r.top() + 1, r.width() - 1, 3), kAccent);
}

void Glyph(QPainter& p, QRectF r, const QString& text, QColor colour, int pixels) {
    p.setPen(colour);
    p.setFont(Jp(pixels, QFont::Bold));
    p.drawText(r, Qt::AlignCenter, text);
}

QImage Icon(int size, const std::function<void(QPainter&)>& draw) {
    QImage image = Canvas(size, size, kMagenta);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    draw(p);
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    const QString res = QString::fromLocal8Bit(argv[1]);

    // MDI background tile, 250 × 250, seamless: a soft field with a dot grid every 25 pixels.
    {
        QImage tile = Canvas(250, 250, QColor(0x5E, 0x7A, 0x96));
        QPainter p(&tile);
        p.setRenderHint(QPainter::Antialiasing);
        for (int y = 0; y < 250; y += 25)
            for (int x = 0; x < 250; x += 25) {
                bool odd = ((x + y) / 25) % 2;
                p.setPen(Qt::NoPen);
                p.setBrush(odd ? QColor(0x6A, 0x86, 0xA2) : QColor(0x56, 0x72, 0x8E));
                p.drawEllipse(QPointF(x + 12.5, y + 12.5), 3.0, 3.0);
            }
        Save(tile, res + "/bitmaps/mdi_tile.png");
    }

    // Splash picture, 480 × 300; the program writes its version at the lower right.
    {
        QImage splash = Canvas(480, 300, Qt::black);
        QPainter p(&splash);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, 480, 300);
        g.setColorAt(0, QColor(0x14, 0x3C, 0x6E));
        g.setColorAt(1, QColor(0x06, 0x18, 0x30));
        p.fillRect(splash.rect(), g);
        p.setPen(QPen(QColor(0x3E, 0x90, 0xD0), 3));
        p.drawLine(30, 150, 450, 150);
        p.setPen(Qt::white);
        p.setFont(Jp(40, QFont::Bold));
        p.drawText(QRect(30, 60, 420, 60), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Vemo Ovra 農林版"));
        p.setFont(Jp(18));
        p.drawText(QRect(30, 160, 420, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("委託業務見積書作成システム"));
        p.setFont(Jp(14));
        p.setPen(QColor(0xC8, 0xDC, 0xF0));
        p.drawText(QRect(30, 195, 420, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("令和7年度積算基準対応版"));
        p.setFont(Jp(11));
        p.drawText(QRect(30, 262, 420, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("ZORVA Development Corp."));
        Save(splash, res + "/bitmaps/splash.png");
    }

    // Application icon, 32 × 32.
    {
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        QPainter p(&icon);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x14, 0x3C, 0x6E));
        p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
        p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(8, 8), QPointF(16, 24), QPointF(24, 8)}));
        Save(icon, res + "/icons/app.png");
    }

    // Status-pane icons, 16 × 16.
    Save(Icon(16, [](QPainter& p) { Folder(p, QRectF(1, 2, 14, 12), QColor(0xF0, 0xC8, 0x50)); }),
         res + "/icons/pane_master.png");
    Save(Icon(16, [](QPainter& p) {
             p.setPen(QPen(QColor(0x90, 0x70, 0x10), 1));
             p.setBrush(QColor(0xF8, 0xD8, 0x40));
             p.drawEllipse(QRectF(1, 1, 13, 13));
             Glyph(p, QRectF(1, 1, 14, 14), QStringLiteral("¥"), QColor(0x70, 0x50, 0x00), 10);
         }),
         res + "/icons/pane_tanka.png");
    Save(Icon(16, [](QPainter& p) {
             p.setPen(QPen(QColor(0x70, 0x40, 0x20), 1));
             p.setBrush(QColor(0xC8, 0x80, 0x48));
             p.drawRect(QRectF(2, 6, 12, 8));
             p.setBrush(QColor(0xE0, 0xA0, 0x68));
             p.drawRect(QRectF(4, 2, 8, 4));
         }),
         res + "/icons/pane_zairyo.png");

    // The arrow between the import dialogs' lists, 32 × 32: entries go down from the source list
    // above into the destination list below.
    Save(Icon(32, [](QPainter& p) {
             p.scale(32.0 / 24.0, 32.0 / 24.0);
             Arrow(p, false);
         }),
         res + "/icons/import_arrow.png");

    // Main toolbar buttons, 24 × 24, side by side in one strip in the order of their picture index
    // in the command table (each named by its command).
    const std::function<void(QPainter&)> buttons[] = {
        // FileNew
        [](QPainter& p) {
            Page(p, QRectF(5, 2, 14, 19));
            p.setPen(QPen(QColor(0xE0, 0xA0, 0x00), 2));
            p.drawLine(17, 15, 17, 21);
            p.drawLine(14, 18, 20, 18);
        },
        // FileOpen
        [](QPainter& p) { Folder(p, QRectF(2, 5, 20, 15), QColor(0xF0, 0xC8, 0x50)); },
        // FileSave
        [](QPainter& p) {
            p.setPen(QPen(kInk, 1));
            p.setBrush(kAccent);
            p.drawRect(QRectF(3, 3, 18, 18));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(6, 3, 12, 7));
            p.setBrush(QColor(0xC0, 0xC0, 0xC0));
            p.drawRect(QRectF(7, 14, 10, 7));
        },
        // EditClear
        [](QPainter& p) {
            p.setPen(QPen(QColor(0xC0, 0x20, 0x20), 3));
            p.drawLine(6, 6, 18, 18);
            p.drawLine(18, 6, 6, 18);
        },
        // KenmeiInput
        [](QPainter& p) {
            Page(p, QRectF(4, 2, 16, 20));
            Glyph(p, QRectF(4, 4, 16, 18), QStringLiteral("件"), kInk, 12);
        },
        // NameEdit
        [](QPainter& p) {
            Page(p, QRectF(3, 3, 14, 18));
            Lines(p, QRectF(3, 3, 14, 18), 4);
            p.setPen(QPen(QColor(0xD0, 0x80, 0x20), 3));
            p.drawLine(11, 19, 21, 9);
        },
        // TekiyoEdit
        [](QPainter& p) {
            Page(p, QRectF(4, 2, 16, 20));
            Glyph(p, QRectF(4, 4, 16, 18), QStringLiteral("摘"), kInk, 12);
        },
        // MoveUp
        [](QPainter& p) { Arrow(p, true); },
        // MoveDown
        [](QPainter& p) { Arrow(p, false); },
        // Recalc
        [](QPainter& p) { Glyph(p, QRectF(0, 0, 24, 24), QStringLiteral("Σ"), QColor(0x20, 0x70, 0x30), 18); },
        // WindowCascade
        [](QPainter& p) {
            Window(p, QRectF(2, 2, 13, 11));
            Window(p, QRectF(6, 6, 13, 11));
            Window(p, QRectF(10, 10, 12, 11));
        },
        // WindowTileHorz
        [](QPainter& p) {
            Window(p, QRectF(2, 3, 20, 8));
            Window(p, QRectF(2, 13, 20, 8));
        },
        // FilePrint
        [](QPainter& p) {
            p.setPen(QPen(kInk, 1));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(7, 2, 10, 8));
            p.setBrush(QColor(0xA0, 0xA8, 0xB0));
            p.drawRect(QRectF(3, 9, 18, 9));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(7, 15, 10, 7));
        },
        // FilePrintPreview
        [](QPainter& p) {
            Page(p, QRectF(3, 2, 14, 19));
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(kInk, 2));
            p.setBrush(QColor(0xD8, 0xEC, 0xFF));
            p.drawEllipse(QRectF(10, 10, 8, 8));
            p.drawLine(QPointF(17, 17), QPointF(22, 22));
        },
        // AppAbout
        [](QPainter& p) {
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(kInk, 1));
            p.setBrush(QColor(0x30, 0x70, 0xC0));
            p.drawEllipse(QRectF(2, 2, 20, 20));
            Glyph(p, QRectF(2, 2, 20, 20), QStringLiteral("?"), Qt::white, 16);
        },
    };
    const int count = static_cast<int>(std::size(buttons));
    QImage strip = Canvas(24 * count, 24, kMagenta);
    {
        QPainter p(&strip);
        for (int i = 0; i < count; ++i) p.drawImage(24 * i, 0, Icon(24, buttons[i]));
    }
    Save(strip, res + "/toolbar/main.png");

    // Pictures of the price lists, 16 × 16, side by side in the order of their image index:
    // 0 a price column with a title, 1 one without; 2 a trade with a price in the chosen column,
    // 3 one without, 4 any trade while the travel-cost method is off; 5/6 材料費 (and 測量材料費)
    // with / without a price, 7/8 動力費 (and 測量その他経費), 9/10 機械器具損料 (and 測量機械経費);
    // 11 "なし".
    const QColor grey(0xA8, 0xA8, 0xA8);
    auto column = [](QPainter& p, QColor head, QColor frame, bool lines) {
        p.setPen(QPen(frame, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3, 1, 9, 13));
        p.fillRect(QRectF(4, 2, 8, 3), head);
        if (lines) {
            p.setPen(QPen(QColor(0x80, 0x90, 0xA8), 1));
            for (int y = 7; y <= 12; y += 2) p.drawLine(5, y, 10, y);
        }
    };
    auto trade = [](QPainter& p, QColor body, QColor coin) {
        p.setPen(QPen(body.darker(150), 1));
        p.setBrush(body);
        p.drawEllipse(QRectF(2.5, 1.5, 5, 5));
        p.drawRoundedRect(QRectF(1.5, 7.5, 8, 7), 2, 2);
        if (coin.isValid()) {
            p.setPen(QPen(coin.darker(160), 1));
            p.setBrush(coin);
            p.drawEllipse(QRectF(8.5, 6.5, 7, 7));
        }
    };
    auto box = [](QPainter& p, QColor colour) {
        p.setPen(QPen(colour.darker(170), 1));
        p.setBrush(colour);
        p.drawRect(QRectF(2, 6, 11, 8));
        p.setBrush(colour.lighter(130));
        p.drawPolygon(QPolygonF({QPointF(2, 6), QPointF(5, 3), QPointF(15, 3), QPointF(13, 6)}));
        p.drawPolygon(QPolygonF({QPointF(13, 6), QPointF(15, 3), QPointF(15, 11), QPointF(13, 14)}));
    };
    auto drop = [](QPainter& p, QColor colour) {
        QPainterPath path;
        path.moveTo(8, 1);
        path.cubicTo(10, 5, 13, 7, 13, 10);
        path.cubicTo(13, 13, 11, 15, 8, 15);
        path.cubicTo(5, 15, 3, 13, 3, 10);
        path.cubicTo(3, 7, 6, 5, 8, 1);
        p.setPen(QPen(colour.darker(160), 1));
        p.setBrush(colour);
        p.drawPath(path);
    };
    auto gear = [](QPainter& p, QColor colour) {
        p.setPen(QPen(colour.darker(160), 1));
        p.setBrush(colour);
        QPolygonF teeth;
        for (int i = 0; i < 16; ++i) {
            const double angle = i * 3.14159265358979 / 8;
            const double radius = i % 2 ? 5.0 : 7.0;
            teeth << QPointF(8 + radius * std::cos(angle), 8 + radius * std::sin(angle));
        }
        p.drawPolygon(teeth);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
    };
    const std::function<void(QPainter&)> priceImages[] = {
        [&](QPainter& p) { column(p, kAccent, kInk, true); },
        [&](QPainter& p) { column(p, grey, grey, false); },
        [&](QPainter& p) { trade(p, QColor(0x40, 0x80, 0xD0), QColor(0xF8, 0xD0, 0x30)); },
        [&](QPainter& p) { trade(p, QColor(0x40, 0x80, 0xD0), QColor()); },
        [&](QPainter& p) { trade(p, grey, QColor()); },
        [&](QPainter& p) { box(p, QColor(0xC8, 0x80, 0x48)); },
        [&](QPainter& p) { box(p, grey); },
        [&](QPainter& p) { drop(p, QColor(0x48, 0xA8, 0x58)); },
        [&](QPainter& p) { drop(p, grey); },
        [&](QPainter& p) { gear(p, QColor(0x50, 0x70, 0xC0)); },
        [&](QPainter& p) { gear(p, grey); },
        [](QPainter& p) {
                p.setPen(QPen(QColor(0xC0, 0x30, 0x30), 2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(2, 2, 12, 12));
            p.drawLine(QPointF(4, 12), QPointF(12, 4));
        },
    };
    const int images = static_cast<int>(std::size(priceImages));
    QImage prices = Canvas(16 * images, 16, kMagenta);
    {
        QPainter p(&prices);
        for (int i = 0; i < images; ++i) p.drawImage(16 * i, 0, Icon(16, priceImages[i]));
    }
    Save(prices, res + "/bitmaps/price_images.png");
    // 歩掛 list pictures, 16 × 16, 45 in one strip: five blocks of nine, one per kind of entry
    // (standard, user-created, 全地連 edition, user-created by the traditional method, standard by the
    // traditional method), each a 業務 binder, the 工種 folders of code groups -1..5 (group g + 1
    // squares) and a 種別 page, in the colour the dialogs' legends give the kind.
    {
        const QColor kinds[] = {QColor(0xF0, 0xD0, 0x30), QColor(0x70, 0xC8, 0xF0), QColor(0x48, 0xB0, 0x58),
                                QColor(0xA8, 0x70, 0xD0), QColor(0xA8, 0x70, 0x38)};
        QImage list = Canvas(16 * 45, 16, kMagenta);
        QPainter p(&list);
        for (int block = 0; block < 5; ++block) {
            const QColor colour = kinds[block];
            for (int cell = 0; cell < 9; ++cell) {
                p.drawImage(16 * (9 * block + cell), 0, Icon(16, [&](QPainter& q) {
                    if (cell == 0) {
                        q.setPen(QPen(colour.darker(170), 1));
                        q.setBrush(colour);
                        q.drawRect(QRectF(3, 1, 10, 13));
                        q.fillRect(QRectF(4, 2, 2, 12), colour.darker(140));
                        q.fillRect(QRectF(7, 4, 5, 3), Qt::white);
                    } else if (cell == 8) {
                        q.setPen(QPen(colour.darker(170), 1));
                        q.setBrush(colour.lighter(150));
                        q.drawRect(QRectF(3, 1, 10, 13));
                        q.setPen(QPen(colour.darker(200), 1));
                        for (int y = 4; y <= 11; y += 3) q.drawLine(5, y, 11, y);
                    } else {
                        Folder(q, QRectF(1, 2, 13, 11), colour);
                        for (int i = 0; i < cell - 1; ++i)
                            q.fillRect(QRectF(3 + (i % 3) * 3, 7 + (i / 3) * 3, 2, 2), Qt::white);
                    }
                }));
            }
        }
        p.end();
        Save(list, res + "/bitmaps/bukake_list.png");
    }

    // 変化率・補正率 list pictures, 16 × 16, 3 in one strip: 0 a 業務 group (a binder), 1 a rate record
    // (a page with a rising line), 2 "なし".
    auto binder = [](QPainter& q, QColor colour) {
        q.setPen(QPen(colour.darker(170), 1));
        q.setBrush(colour);
        q.drawRect(QRectF(3, 1, 10, 13));
        q.fillRect(QRectF(4, 2, 2, 12), colour.darker(140));
        q.fillRect(QRectF(7, 4, 5, 3), Qt::white);
    };
    {
        const QColor teal(0x40, 0xA8, 0xA0);
        const std::function<void(QPainter&)> rateImages[] = {
            [&](QPainter& q) { binder(q, teal); },
            [&](QPainter& q) {
                Page(q, QRectF(2, 1, 11, 13));
                q.setPen(QPen(teal.darker(150), 1));
                q.drawLine(4, 11, 7, 8);
                q.drawLine(7, 8, 9, 9);
                q.drawLine(9, 9, 11, 4);
                q.setPen(QPen(QColor(0x80, 0x90, 0xA8), 1));
                q.drawLine(4, 12, 11, 12);
            },
            [](QPainter& q) {
                q.setPen(QPen(QColor(0xC0, 0x30, 0x30), 2));
                q.setBrush(Qt::NoBrush);
                q.drawEllipse(QRectF(2, 2, 12, 12));
                q.drawLine(QPointF(4, 12), QPointF(12, 4));
            },
        };
        const int rates = static_cast<int>(std::size(rateImages));
        QImage list = Canvas(16 * rates, 16, kMagenta);
        QPainter p(&list);
        for (int i = 0; i < rates; ++i) p.drawImage(16 * i, 0, Icon(16, rateImages[i]));
        p.end();
        Save(list, res + "/bitmaps/henkaritsu_list.png");
    }

    // 諸経費 list picture, 16 × 16: a 業務 binder with a coin.
    Save(Icon(16, [&](QPainter& q) {
             binder(q, QColor(0xE0, 0x90, 0x40));
             q.setPen(QPen(QColor(0x90, 0x70, 0x10), 1));
             q.setBrush(QColor(0xF8, 0xD8, 0x40));
             q.drawEllipse(QRectF(8.5, 8.5, 6, 6));
         }),
         res + "/bitmaps/shokeihi_list.png");

    // Trade and material-price selection list pictures, 16 × 16 each, 12 in a strip: 2 a trade with a
    // price in the default column, 3 one without; 5, 7 and 9 material, power and machine items, each
    // followed by a faded one for an item without a price; 11 "なし". 0, 1 and 4 are spare trades.
    {
        const auto person = [](QPainter& q, QColor colour) {
            q.setPen(QPen(colour.darker(150), 1));
            q.setBrush(colour);
            q.drawEllipse(QRectF(5, 1.5, 6, 6));
            q.drawRoundedRect(QRectF(3, 8.5, 10, 6.5), 2, 2);
        };
        const auto box = [](QPainter& q, QColor colour) {
            q.setPen(QPen(colour.darker(160), 1));
            q.setBrush(colour);
            q.drawRect(QRectF(2.5, 4.5, 11, 9));
            q.drawLine(QPointF(2.5, 7.5), QPointF(13.5, 7.5));
        };
        const auto bolt = [](QPainter& q, QColor colour) {
            q.setPen(QPen(colour.darker(160), 1));
            q.setBrush(colour);
            const QPointF points[] = {{9, 1}, {3, 9}, {7.5, 9}, {6, 15}, {13, 6}, {8.5, 6}, {10, 1}};
            q.drawPolygon(points, static_cast<int>(std::size(points)));
        };
        const auto gear = [](QPainter& q, QColor colour) {
            q.setPen(QPen(colour, 3));
            q.setBrush(Qt::NoBrush);
            q.drawEllipse(QRectF(4, 4, 8, 8));
            q.setPen(QPen(colour, 2));
            for (int i = 0; i < 8; ++i) {
                const double a = i * 3.14159265358979 / 4;
                q.drawLine(QPointF(8 + 5 * std::cos(a), 8 + 5 * std::sin(a)),
                           QPointF(8 + 7 * std::cos(a), 8 + 7 * std::sin(a)));
            }
        };
        const QColor grey(0xB0, 0xB0, 0xB0);
        const QColor trade(0x30, 0x70, 0xC8), material(0xC0, 0x50, 0xC0), power(0x30, 0xA8, 0x30),
            machine(0x90, 0x30, 0x30);
        const std::function<void(QPainter&)> pictures[] = {
            [&](QPainter& q) { person(q, trade.lighter(130)); },
            [&](QPainter& q) { person(q, trade.darker(130)); },
            [&](QPainter& q) { person(q, trade); },
            [&](QPainter& q) { person(q, grey); },
            [&](QPainter& q) { person(q, QColor(0xE0, 0x90, 0x40)); },
            [&](QPainter& q) { box(q, material); },
            [&](QPainter& q) { box(q, grey); },
            [&](QPainter& q) { bolt(q, power); },
            [&](QPainter& q) { bolt(q, grey); },
            [&](QPainter& q) { gear(q, machine); },
            [&](QPainter& q) { gear(q, grey); },
            [](QPainter& q) {
                q.setPen(QPen(QColor(0xC0, 0x30, 0x30), 2));
                q.setBrush(Qt::NoBrush);
                q.drawEllipse(QRectF(2, 2, 12, 12));
                q.drawLine(QPointF(4, 12), QPointF(12, 4));
            },
        };
        const int count = static_cast<int>(std::size(pictures));
        QImage list = Canvas(16 * count, 16, kMagenta);
        QPainter p(&list);
        for (int i = 0; i < count; ++i) p.drawImage(16 * i, 0, Icon(16, pictures[i]));
        p.end();
        Save(list, res + "/bitmaps/shokushu_list.png");
    }

    // The company picture of the company-name dialog, 64 × 64: an office building.
    {
        QImage company = Canvas(64, 64, kMagenta);
        QPainter p(&company);
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xC8, 0xD4, 0xE2));
        p.drawRect(QRectF(14, 8, 30, 52));
        p.setBrush(QColor(0xA8, 0xB8, 0xCC));
        p.drawRect(QRectF(44, 26, 14, 34));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3A, 0x6E, 0xA8));
        for (int row = 0; row < 6; ++row)
            for (int col = 0; col < 3; ++col) p.drawRect(QRectF(18 + col * 9, 13 + row * 7, 5, 4));
        for (int row = 0; row < 4; ++row) p.drawRect(QRectF(48, 31 + row * 7, 6, 4));
        p.setBrush(QColor(0x5A, 0x40, 0x28));
        p.drawRect(QRectF(25, 52, 8, 8));
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
        p.drawLine(6, 61, 60, 61);
        Save(company, res + "/bitmaps/company.png");
    }

    // The picture of the print-form lists, 16 × 16: a workbook page with a coloured heading band,
    // ruled cells and a folded corner.
    Save(Icon(16, [](QPainter& p) {
             const QColor frame(0x2E, 0x6B, 0x3E);
             p.setPen(QPen(frame, 1));
             p.setBrush(Qt::white);
             QPainterPath page;
             page.moveTo(2.5, 0.5);
             page.lineTo(10.5, 0.5);
             page.lineTo(13.5, 3.5);
             page.lineTo(13.5, 15.5);
             page.lineTo(2.5, 15.5);
             page.closeSubpath();
             p.drawPath(page);
             p.drawLine(QPointF(10.5, 0.5), QPointF(10.5, 3.5));
             p.drawLine(QPointF(10.5, 3.5), QPointF(13.5, 3.5));
             p.fillRect(QRectF(4, 5, 8, 2), QColor(0x3C, 0x9A, 0x56));
             p.setPen(QPen(QColor(0x9A, 0xB8, 0xA2), 1));
             for (int y = 9; y <= 13; y += 2) p.drawLine(4, y, 11, y);
             p.drawLine(7, 8, 7, 13);
         }),
         res + "/bitmaps/form_list.png");
    return 0;
}
