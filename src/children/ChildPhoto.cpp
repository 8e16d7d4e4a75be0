#include "ChildPhoto.h"

#include "data/Messages.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

QByteArray ReadPhotoFile(const QString &path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QByteArray format = reader.format();
    if (format != "jpeg" && format != "png")
        StopWith(QString::fromUtf8(kNotAPhotoText));
    const QImage image = reader.read();
    if (image.isNull())
        StopWith(QString::fromUtf8(kNotAPhotoText));
    return EncodePhoto(image);
}

QByteArray EncodePhoto(const QImage &image)
{
    QImage scaled = image;
    if (std::max(image.width(), image.height()) > kPhotoMaxSide)
        scaled = image.scaled(kPhotoMaxSide, kPhotoMaxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage flat(scaled.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter p(&flat);
        p.drawImage(0, 0, scaled);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    if (!writer.write(flat))
        throw std::runtime_error(writer.errorString().toStdString());
    return bytes;
}

QImage DecodePhoto(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QImage();
    QImage image;
    image.loadFromData(bytes);
    return image;
}
