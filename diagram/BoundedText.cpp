#include "BoundedText.h"

#include <algorithm>

#include <QList>

namespace {

const QChar kEllipsis(0x2026);

}  // namespace

QString BoundedText(QStringView text, qsizetype limit)
{
    if (text.size() <= limit)
        return text.toString();
    if (limit <= 0)
        return QString();
    qsizetype keep = limit - 1;
    if (keep > 0 && text.at(keep - 1).isHighSurrogate())
        --keep;
    return text.first(keep).toString() + kEllipsis;
}

QString BoundedLines(QStringView text, qsizetype lineLimit, qsizetype maxLines)
{
    if (maxLines <= 0)
        return QString();
    QList<QStringView> lines;
    for (QStringView line : text.tokenize(u'\n')) {
        lines.append(line);
        if (lines.size() > maxLines)
            break;
    }
    const bool more = lines.size() > maxLines;
    lines.resize(std::min(lines.size(), maxLines));
    QString bounded;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            bounded += u'\n';
        bounded += more && i + 1 == lines.size() ? QString(kEllipsis) : BoundedText(lines.at(i), lineLimit);
    }
    return bounded;
}

QString BrokenLines(QStringView text, qsizetype width)
{
    if (width <= 0)
        return text.toString();
    QString broken;
    while (text.size() > width) {
        qsizetype cut = text.first(width + 1).lastIndexOf(u' ');
        const bool atBlank = cut > 0;
        if (!atBlank)
            cut = text.at(width - 1).isHighSurrogate() && width > 1 ? width - 1 : width;
        broken += text.first(cut);
        broken += u'\n';
        text = text.sliced(atBlank ? cut + 1 : cut);
    }
    broken += text;
    return broken;
}

std::string_view ShownBytes(std::string_view bytes, qsizetype limit)
{
    // A UTF-8 character takes at most 4 bytes: this many hold more than `limit`
    // characters even after stepping back over a cut sequence.
    const std::size_t keep = static_cast<std::size_t>(limit < 0 ? 0 : limit) * 4 + 8;
    if (bytes.size() <= keep)
        return bytes;
    std::size_t end = keep;
    for (int back = 0; back < 3 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80; ++back)
        --end;
    return bytes.substr(0, end);
}
