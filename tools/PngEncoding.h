#pragma once

#include <QByteArray>
#include <QImage>

// `picture` as the bytes of an 8-bit RGB PNG file, made for speed rather than
// size (no row filters, light compression): a thumbnailer's picture is read
// once by the file manager, which stores its own copy. Empty when the picture
// is null or cannot be encoded.
[[nodiscard]] QByteArray EncodePng(const QImage& picture);
