// Feeds arbitrary bytes to the settings file reader and checks that what it
// keeps survives writing and reading back, and that a value set is read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QByteArray>
#include <QString>

#include "app/IniDocument.h"

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

QString WithoutOuterBlanks(QString text)
{
    while (!text.isEmpty() && (text.front() == QLatin1Char(' ') || text.front() == QLatin1Char('\t')))
        text.remove(0, 1);
    while (!text.isEmpty() && (text.back() == QLatin1Char(' ') || text.back() == QLatin1Char('\t')))
        text.chop(1);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    IniDocument doc = IniDocument::Parse(bytes);

    // Once written, a document reads back to the same bytes.
    const QByteArray written = doc.serialize();
    Require(IniDocument::Parse(written).serialize() == written);

    // A value taken from the input is stored and read back, blanks trimmed
    // and line breaks turned into spaces, also after a write and a read.
    const QByteArrayView tail = bytes.sliced(size / 2);
    QString value = QString::fromUtf8(tail);
    const QString section = QStringLiteral("Main");
    const QString key = QStringLiteral("Folder");
    doc.setValue(section, key, value);
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString expected = WithoutOuterBlanks(value);
    Require(doc.value(section, key) == expected);
    const IniDocument reread = IniDocument::Parse(doc.serialize());
    Require(reread.value(section, key) == expected);

    doc.eraseSection(section);
    Require(!doc.hasSection(section));
    Require(!doc.value(section, key).has_value());
    return 0;
}
