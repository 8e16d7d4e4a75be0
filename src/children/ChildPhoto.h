#pragma once
// Children's photos: stored as JPEG bytes, at most kPhotoMaxSide pixels on the long side.
#include <QByteArray>
#include <QImage>
#include <QString>

inline constexpr int kPhotoMaxSide = 1024;
inline const char *kNotAPhotoText = "所选文件不是JPEG或PNG格式的图片，照片未载入！";

// Reads a JPEG or PNG file (recognised by its content) and returns it re-encoded as JPEG.
// Any other file stops with kNotAPhotoText.
QByteArray ReadPhotoFile(const QString &path);
// Scales down to the size limit (never up), flattens transparency onto white, encodes JPEG.
QByteArray EncodePhoto(const QImage &image);
// The stored photo as an image; a null image for empty or undecodable bytes.
QImage DecodePhoto(const QByteArray &bytes);
