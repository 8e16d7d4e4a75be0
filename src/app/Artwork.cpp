#include "Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

void drawFruit(QPainter &p, QPointF centre, qreal r, QColor colour)
{
    QRadialGradient g(centre - QPointF(r / 3, r / 3), r * 1.4);
    g.setColorAt(0, colour.lighter(150));
    g.setColorAt(1, colour);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, r, r);
    p.setBrush(QColor(60, 140, 60));
    QPainterPath leaf;
    leaf.moveTo(centre + QPointF(0, -r));
    leaf.quadTo(centre + QPointF(r * 0.6, -r * 1.6), centre + QPointF(r * 0.9, -r * 1.1));
    leaf.quadTo(centre + QPointF(r * 0.4, -r * 0.9), centre + QPointF(0, -r));
    p.drawPath(leaf);
}

void paintScene(QPainter &p, const QSize &size, bool withTitle, const QString &subtitle = QString())
{
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(255, 248, 225));
    sky.setColorAt(1, QColor(200, 232, 190));
    p.fillRect(QRect(QPoint(0, 0), size), sky);

    const qreal w = size.width(), h = size.height();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 205, 140));
    QPainterPath hill;
    hill.moveTo(0, h * 0.78);
    hill.cubicTo(w * 0.3, h * 0.65, w * 0.6, h * 0.9, w, h * 0.72);
    hill.lineTo(w, h);
    hill.lineTo(0, h);
    p.drawPath(hill);

    const qreal r = h * 0.06;
    drawFruit(p, QPointF(w * 0.78, h * 0.70), r, QColor(220, 60, 50));
    drawFruit(p, QPointF(w * 0.86, h * 0.74), r * 0.9, QColor(245, 160, 40));
    drawFruit(p, QPointF(w * 0.70, h * 0.76), r * 0.8, QColor(240, 210, 60));

    if (!withTitle)
        return;
    QFont title(QStringLiteral("Noto Sans CJK SC"));
    title.setPixelSize(int(h * 0.095));
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(70, 110, 40));
    p.drawText(QRectF(0, h * 0.18, w, h * 0.16), Qt::AlignCenter, QStringLiteral("朗禾幼儿园膳食营养分析系统"));
    QFont sub(QStringLiteral("Noto Sans CJK SC"));
    sub.setPixelSize(int(h * 0.055));
    p.setFont(sub);
    p.setPen(QColor(110, 130, 90));
    p.drawText(QRectF(0, h * 0.36, w, h * 0.1), Qt::AlignCenter, subtitle);
}

}  // namespace

QPixmap SplashPicture(const QString &subtitle)
{
    QPixmap pm(432, 286);
    QPainter p(&pm);
    paintScene(p, pm.size(), true, subtitle);
    p.setPen(QColor(120, 160, 90));
    p.setBrush(Qt::NoBrush);
    p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    return pm;
}

QPixmap BackgroundPicture()
{
    QPixmap pm(800, 560);
    QPainter p(&pm);
    paintScene(p, pm.size(), false);
    return pm;
}
