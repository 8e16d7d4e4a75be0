#include "MenuPicture.h"

#include "MenuTemplates.h"
#include "data/Csv.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <stdexcept>

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 960;

struct Layer {
    const char *title;
    QColor color;
};

const Layer kLayers[] = {
    {"油、盐", QColor(0xf3, 0xd2, 0x7a)},
    {"奶类、大豆及坚果", QColor(0xc9, 0xe3, 0xf6)},
    {"畜禽肉、鱼、蛋类", QColor(0xf6, 0xc6, 0xb8)},
    {"蔬菜类、水果类", QColor(0xc8, 0xe6, 0xb4)},
    {"谷薯类", QColor(0xf1, 0xe1, 0xc2)},
};

QFont font(int pixels, bool bold = false)
{
    QFont f(QStringLiteral("Noto Sans CJK SC"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// The food's name without the table's aliases and "代表值" notes.
QString shortName(const QString &name)
{
    static const QRegularExpression alias(QStringLiteral("［[^］]*］"));
    QString s = name;
    s.remove(alias);
    s.replace(QStringLiteral("（代表值）"), QString());
    s.replace(QStringLiteral("代表值，"), QString());
    s.replace(QStringLiteral("（代表值"), QStringLiteral("（"));
    return s.trimmed();
}

QString gramsText(double g)
{
    const double rounded = std::round(g * 10) / 10;
    return QLocale::c().toString(rounded, 'g', 6) + QStringLiteral(" 克");
}

double number(const QString &text)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? v : 0.0;
}

}  // namespace

int MenuPictureLayer(const QString &foodId)
{
    const int category = foodId.left(2).toInt();
    switch (category) {
    case 1: case 2:
        return 4;
    case 4: case 5: case 6:
        return 3;
    case 8: case 9: case 11: case 12:
        return 2;
    case 3: case 7: case 10:
        return 1;
    case 18: case 19: case 20:
        return 0;
    default:
        return -1;
    }
}

QImage RenderMenuPicture(const QString &ageGroup, const QList<MenuPictureItem> &items)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(0xfd, 0xfb, 0xf5));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Title.
    p.setPen(QColor(0x8a, 0x3b, 0x12));
    p.setFont(font(38, true));
    p.drawText(QRect(0, 24, kWidth, 52), Qt::AlignCenter, QStringLiteral("推荐食谱 · %1").arg(ageGroup));
    p.setPen(QColor(0x55, 0x55, 0x55));
    p.setFont(font(19));
    p.drawText(QRect(0, 80, kWidth, 30), Qt::AlignCenter, QStringLiteral("一日食物与用量（每人每日，市品重量）"));

    QList<QList<MenuPictureItem>> layers(5);
    double energy = 0, protein = 0;
    for (const MenuPictureItem &item : items) {
        const int l = MenuPictureLayer(item.foodId);
        layers[l < 0 ? 4 : l] << item;
        energy += item.energy;
        protein += item.protein;
    }

    // The pagoda: five layers, narrow at the top, each as high as its foods need. A layer
    // lists its foods in two columns unless a name would not fit, then in one.
    const int top = 126, bottom = kHeight - 112;
    const int lineHeight = 30, pad = 16, titleHeight = 34, gap = 8;
    const double narrow = 300, wide = kWidth - 60, total = bottom - top;
    const auto widthAt = [&](double yy) { return narrow + (wide - narrow) * (yy - top) / total; };
    const QFont itemFont = font(17);
    const QFontMetrics fm(itemFont);
    const auto fits = [&](const MenuPictureItem &item, double width) {
        return fm.horizontalAdvance(shortName(item.foodName)) + fm.horizontalAdvance(gramsText(item.grams)) + 20 <=
               width - 12;
    };
    QList<int> columns(5, 2);
    QList<double> ys(5), hs(5);
    for (int pass = 0; pass < 3; ++pass) {
        QList<int> heights;
        int needed = 0;
        for (int l = 0; l < 5; ++l) {
            const qsizetype n = layers.at(l).size();
            const int lines = int(columns.at(l) == 2 ? (n + 1) / 2 : n);
            heights << titleHeight + std::max(1, lines) * lineHeight + pad;
            needed += heights.last();
        }
        const double stretch = double(bottom - top - gap * 4) / needed;
        double y = top;
        bool changed = false;
        for (int l = 0; l < 5; ++l) {
            ys[l] = y;
            hs[l] = heights.at(l) * stretch;
            const double inner = widthAt(y) - 56;
            if (columns.at(l) == 2)
                for (const MenuPictureItem &item : layers.at(l))
                    if (!fits(item, inner / 2)) {
                        columns[l] = 1;
                        changed = true;
                        break;
                    }
            y += hs.at(l) + gap;
        }
        if (!changed)
            break;
    }
    for (int l = 0; l < 5; ++l) {
        const double y = ys.at(l), h = hs.at(l);
        const double wTop = widthAt(y), wBottom = widthAt(y + h);
        QPainterPath path;
        path.moveTo(kWidth / 2.0 - wTop / 2, y);
        path.lineTo(kWidth / 2.0 + wTop / 2, y);
        path.lineTo(kWidth / 2.0 + wBottom / 2, y + h);
        path.lineTo(kWidth / 2.0 - wBottom / 2, y + h);
        path.closeSubpath();
        QLinearGradient fill(0, y, 0, y + h);
        fill.setColorAt(0, kLayers[l].color.lighter(112));
        fill.setColorAt(1, kLayers[l].color);
        p.setPen(QPen(kLayers[l].color.darker(135), 2));
        p.setBrush(fill);
        p.drawPath(path);

        p.setPen(kLayers[l].color.darker(260));
        p.setFont(font(20, true));
        p.drawText(QRectF(0, y + 6, kWidth, titleHeight - 6), Qt::AlignHCenter | Qt::AlignVCenter,
                   QString::fromUtf8(kLayers[l].title));

        // Foods inside the layer's narrower (upper) width.
        const QList<MenuPictureItem> &foods = layers.at(l);
        const int cols = foods.size() > 1 ? columns.at(l) : 1;
        const double inner = cols == 1 ? std::min(wTop - 56, 340.0) : wTop - 56;
        const double colWidth = inner / cols;
        const double left = kWidth / 2.0 - inner / 2;
        const int rows = int((foods.size() + cols - 1) / cols);
        const double lineStep = std::min<double>(lineHeight, (h - titleHeight - pad / 2.0) / std::max(1, rows));
        p.setFont(itemFont);
        for (int i = 0; i < foods.size(); ++i) {
            const int col = i % cols, row = i / cols;
            const QRectF cell(left + col * colWidth + 6, y + titleHeight + row * lineStep, colWidth - 12, lineStep);
            const QString amount = gramsText(foods.at(i).grams);
            const int amountWidth = fm.horizontalAdvance(amount);
            p.setPen(QColor(0x33, 0x33, 0x33));
            p.drawText(cell.adjusted(0, 0, -amountWidth - 8, 0), Qt::AlignLeft | Qt::AlignVCenter,
                       fm.elidedText(shortName(foods.at(i).foodName), Qt::ElideRight,
                                     int(cell.width()) - amountWidth - 8));
            p.setPen(QColor(0x1f, 0x4e, 0x8c));
            p.drawText(cell, Qt::AlignRight | Qt::AlignVCenter, amount);
        }
    }

    // Totals and source.
    p.setPen(QColor(0x8a, 0x3b, 0x12));
    p.setFont(font(20, true));
    p.drawText(QRect(0, kHeight - 100, kWidth, 32), Qt::AlignCenter,
               QStringLiteral("合计约 %1 千卡，蛋白质约 %2 克")
                   .arg(qRound(energy))
                   .arg(QLocale::c().toString(std::round(protein * 10) / 10, 'f', 1)));
    p.setPen(QColor(0x66, 0x66, 0x66));
    p.setFont(font(15));
    p.drawText(QRect(0, kHeight - 64, kWidth, 24), Qt::AlignCenter,
               QStringLiteral("用量依据中国营养学会《中国居民膳食指南（2022）》儿童平衡膳食宝塔"));
    p.drawText(QRect(0, kHeight - 40, kWidth, 24), Qt::AlignCenter,
               QStringLiteral("营养素按《中国食物成分表 标准版（第6版）》计算"));
    p.end();
    return image;
}

void RenderMenuPictures(const QString &referenceDir, const QString &outDir)
{
    const QDir ref(referenceDir);
    struct Values {
        double foodish = 100, energy = 0, protein = 0;
    };
    QHash<QString, Values> foods;
    for (const char *file : {"food_composition.csv", "food_supplement.csv"}) {
        const CsvTable t = ReadCsvFile(ref.filePath(QString::fromUtf8(file)));
        const int id = t.column(QStringLiteral("foodid")), ish = t.column(QStringLiteral("foodish"));
        const int en = t.column(QStringLiteral("energy")), pr = t.column(QStringLiteral("protein"));
        for (const QStringList &row : t.rows)
            foods.insert(row.at(id).trimmed(), {number(row.at(ish)), number(row.at(en)), number(row.at(pr))});
    }
    const CsvTable menu = ReadCsvFile(ref.filePath(QStringLiteral("menu_template.csv")));
    const int name = menu.column(QStringLiteral("Name")), id = menu.column(QStringLiteral("foodid"));
    const int foodName = menu.column(QStringLiteral("foodName")), gross = menu.column(QStringLiteral("foodgross"));
    QDir().mkpath(outDir);
    for (const AgeGroup &group : AgeGroups()) {
        QList<MenuPictureItem> items;
        for (const QStringList &row : menu.rows) {
            if (row.at(name).trimmed() != group.name)
                continue;
            MenuPictureItem item;
            item.foodId = row.at(id).trimmed();
            item.foodName = row.at(foodName).trimmed();
            item.grams = number(row.at(gross)) * 1000;
            const Values v = foods.value(item.foodId);
            // value × edible share × grams / 100
            item.energy = v.energy * v.foodish / 100 * item.grams / 100;
            item.protein = v.protein * v.foodish / 100 * item.grams / 100;
            items << item;
        }
        const QString path = QDir(outDir).filePath(group.pictureFile);
        if (!RenderMenuPicture(group.name, items).save(path, "JPG", 92))
            throw std::runtime_error(QStringLiteral("无法写入 %1").arg(path).toStdString());
    }
}
