#include "PngEncoding.h"

#include <png.h>

#include <zlib.h>

#include <csetjmp>

namespace {

void Append(png_structp png, png_bytep data, png_size_t length)
{
    auto* bytes = static_cast<QByteArray*>(png_get_io_ptr(png));
    bytes->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}

void Flush(png_structp) {}

// Writes the rows of `picture` (RGB32) into `bytes`; false on any libpng
// error, which returns here through longjmp, so nothing with a destructor
// may live in this frame.
bool WriteRows(png_structp png, png_infop info, const QImage& picture, QByteArray* bytes)
{
    if (setjmp(png_jmpbuf(png)) != 0)
        return false;
    png_set_write_fn(png, bytes, Append, Flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width()), static_cast<png_uint_32>(picture.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Flat areas and thin lines: run-length matching is as small as a full
    // search at a fraction of its time, and row filters gain nothing.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 1);
    png_set_compression_strategy(png, Z_RLE);
    png_write_info(png, info);
    // RGB32 holds 0xffRRGGBB words: B, G, R, 0xff in memory on a little-endian
    // machine, R, G, B after the swap; the filler byte is dropped.
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    } else {
        png_set_filler(png, 0, PNG_FILLER_BEFORE);
    }
    for (int y = 0; y < picture.height(); ++y)
        png_write_row(png, picture.constScanLine(y));
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

QByteArray EncodePng(const QImage& picture)
{
    if (picture.isNull())
        return {};
    const QImage rgb32 = picture.convertToFormat(QImage::Format_RGB32);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr)
        return {};
    png_infop info = png_create_info_struct(png);
    QByteArray bytes;
    const bool written = info != nullptr && WriteRows(png, info, rgb32, &bytes);
    png_destroy_write_struct(&png, &info);
    return written ? bytes : QByteArray();
}
