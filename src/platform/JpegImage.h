#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>

// JPEG pictures decoded with libjpeg. A picture that is not a JPEG, is truncated or
// has corrupt data gives a null image: a bad picture must never end the program.
QImage decodeJpeg(const QByteArray& bytes);
// Reads a file (or a compiled-in resource, ":/...") and decodes it; null when the
// file is missing or the picture is bad.
QImage readJpeg(const QString& path);
