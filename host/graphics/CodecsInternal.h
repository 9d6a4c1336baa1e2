#pragma once

// Pieces of the codec registry shared between its files; not part of the host's exported surface.

#include <QByteArray>
#include <QImage>
#include <QString>

class QFile;

#define VELTO_CODECS_INTERNAL __attribute__((visibility("hidden")))

VELTO_CODECS_INTERNAL bool ImageSizeAllowed(qint64 width, qint64 height);
VELTO_CODECS_INTERNAL QString ImageSizeLimitReason(qint64 width, qint64 height);

// GIF file contents for the picture, or an empty array with the reason set.
VELTO_CODECS_INTERNAL QByteArray EncodeGif(const QImage& image, QString* reason);

// Qt's readers turn some truncated files into a partly grey or partly empty picture without an
// error; this finds those cases from the file's structure. Empty when the data looks complete.
// Leaves the file position unchanged.
VELTO_CODECS_INTERNAL QString CheckComplete(const QByteArray& format, QFile& file);

// An 8-bit RGBA TIFF with unassociated alpha, read without premultiplying. A null image with an
// empty reason when the file is of another kind (Qt's reader takes it); with the reason when it is
// of this kind and cannot be read.
VELTO_CODECS_INTERNAL QImage ReadStraightAlphaTiff(const QString& fileName, QString* reason);
