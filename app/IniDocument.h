#pragma once

#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QList>

// The text of a profile (INI) file held as its lines, so that writing a key
// changes one line and leaves every other line, comment and section as it was.
// Section and key names match without regard to case; values are read without
// leading and trailing blanks, tabs and carriage returns.
class IniDocument {
public:
    // Pure: builds a document from a file's bytes (UTF-8). Never fails; lines
    // that are neither a section header nor "key=value" are kept and ignored.
    [[nodiscard]] static IniDocument Parse(QByteArrayView bytes);

    // The value of `key` in the first section named `section`; nothing when the
    // section or the key is missing.
    [[nodiscard]] std::optional<QString> value(const QString& section, const QString& key) const;
    [[nodiscard]] QString value(const QString& section, const QString& key, const QString& fallback) const;
    [[nodiscard]] bool hasSection(const QString& section) const;

    // Replaces the key's line in place, or appends it after the last line of its
    // section, or appends the section at the end of the file. Line breaks in the
    // value are turned into blanks so a value can never inject lines.
    void setValue(const QString& section, const QString& key, const QString& value);

    // Removes the section's header and all its lines (every section of that name).
    void eraseSection(const QString& section);

    // The file's bytes: every line ends with CR LF.
    [[nodiscard]] QByteArray serialize() const;

    [[nodiscard]] int lineCount() const { return static_cast<int>(lines_.size()); }

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        Kind kind = Kind::Other;
        QString text;   // the line as read or written, without its line end
        QString name;   // section or key name, trimmed
        QString value;  // key lines: the trimmed value
    };
    static Line classify(const QString& text);
    // Index of the first section header named `section`, or -1.
    [[nodiscard]] int findSection(const QString& section) const;
    // One past the last line of the section that starts at header `start`.
    [[nodiscard]] int sectionEnd(int start) const;

    QList<Line> lines_;
};
