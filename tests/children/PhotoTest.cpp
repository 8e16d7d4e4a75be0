#include "children/ChildPhoto.h"
#include "data/Guard.h"
#include "support/FakeContext.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString writePicture(const QTemporaryDir &dir, const char *name, const char *format, QSize size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(QColor(40, 120, 200));
    for (int x = 0; x < size.width() / 4; ++x)  // a transparent strip on the left
        for (int y = 0; y < size.height(); ++y)
            image.setPixelColor(x, y, Qt::transparent);
    const QString path = dir.filePath(QString::fromUtf8(name));
    EXPECT_TRUE(image.save(path, format));
    return path;
}

TEST(Photo, JpegAndPngBecomeJpegOfAtMost1024PixelsOnTheLongSide)
{
    FakeContext fake;
    QTemporaryDir dir;
    const struct {
        const char *name, *format;
        QSize size, stored;
    } cases[] = {
        {"big.jpg", "JPEG", {2000, 1500}, {1024, 768}},
        {"small.jpeg", "JPEG", {320, 240}, {320, 240}},
        {"tall.png", "PNG", {800, 2400}, {341, 1024}},
        {"png-named.jpg", "PNG", {300, 200}, {300, 200}},
    };
    for (const auto &c : cases) {
        const QByteArray bytes = ReadPhotoFile(writePicture(dir, c.name, c.format, c.size));
        EXPECT_TRUE(bytes.startsWith("\xFF\xD8\xFF")) << c.name;
        const QImage stored = DecodePhoto(bytes);
        EXPECT_EQ(stored.size(), c.stored) << c.name;
        if (QByteArray(c.format) == "PNG")  // transparency is flattened onto white
            EXPECT_GT(qGray(stored.pixel(2, stored.height() / 2)), 240) << c.name;
        EXPECT_LT(qGray(stored.pixel(stored.width() - 3, stored.height() / 2)), 160) << c.name;
    }
    EXPECT_TRUE(fake.messages->texts().isEmpty());
}

TEST(Photo, AFileThatIsNoJpegOrPngIsRefused)
{
    FakeContext fake;
    QTemporaryDir dir;
    QFile text(dir.filePath("note.jpg"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture at all");
    text.close();
    const QStringList paths{text.fileName(), writePicture(dir, "picture.bmp", "BMP", {60, 40}),
                            dir.filePath("missing.jpg")};
    for (const QString &path : paths) {
        fake.messages->clear();
        bool read = false;
        RunGuarded([&] {
            ReadPhotoFile(path);
            read = true;
        });
        EXPECT_FALSE(read) << path.toStdString();
        EXPECT_EQ(fake.messages->texts(), QStringList{QString::fromUtf8(kNotAPhotoText)});
    }
    EXPECT_TRUE(DecodePhoto(QByteArray()).isNull());
}

}  // namespace
