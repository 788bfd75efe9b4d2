#include "app/IniDocument.h"

namespace {

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r');
}

QString TrimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin).toString();
}

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

IniDocument::Line IniDocument::classify(const QString& text)
{
    Line line;
    line.text = text;
    const QString trimmed = TrimBlanks(text);
    if (trimmed.startsWith(QLatin1Char('['))) {
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        line.kind = Kind::Section;
        line.name = TrimBlanks(QStringView(trimmed).mid(1, close < 0 ? -1 : close - 1));
        return line;
    }
    if (trimmed.startsWith(QLatin1Char(';')))
        return line;
    const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return line;
    line.kind = Kind::Key;
    line.name = TrimBlanks(QStringView(trimmed).left(eq));
    line.value = TrimBlanks(QStringView(trimmed).mid(eq + 1));
    if (line.name.isEmpty())
        line.kind = Kind::Other;
    return line;
}

IniDocument IniDocument::Parse(QByteArrayView bytes)
{
    IniDocument doc;
    const QString text = QString::fromUtf8(bytes);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        QStringView raw = QStringView(text).mid(start, end - start);
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        doc.lines_.append(classify(raw.toString()));
        start = end + 1;
    }
    return doc;
}

int IniDocument::findSection(const QString& section) const
{
    for (int i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Kind::Section && SameName(lines_[i].name, section))
            return i;
    return -1;
}

int IniDocument::sectionEnd(int start) const
{
    int i = start + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section)
        ++i;
    return i;
}

bool IniDocument::hasSection(const QString& section) const
{
    return findSection(section) >= 0;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    const int start = findSection(section);
    if (start < 0)
        return std::nullopt;
    const int end = sectionEnd(start);
    for (int i = start + 1; i < end; ++i)
        if (lines_[i].kind == Kind::Key && SameName(lines_[i].name, key))
            return lines_[i].value;
    return std::nullopt;
}

QString IniDocument::value(const QString& section, const QString& key, const QString& fallback) const
{
    return value(section, key).value_or(fallback);
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    QString clean = value;
    clean.replace(QLatin1Char('\r'), QLatin1Char(' '));
    clean.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const Line line = classify(key + QLatin1Char('=') + clean);

    const int start = findSection(section);
    if (start < 0) {
        lines_.append(classify(QLatin1Char('[') + section + QLatin1Char(']')));
        lines_.append(line);
        return;
    }
    const int end = sectionEnd(start);
    for (int i = start + 1; i < end; ++i) {
        if (lines_[i].kind == Kind::Key && SameName(lines_[i].name, key)) {
            lines_[i] = line;
            return;
        }
    }
    // After the section's last non-blank line, so blank separators stay between sections.
    int insertAt = end;
    while (insertAt > start + 1 && TrimBlanks(lines_[insertAt - 1].text).isEmpty())
        --insertAt;
    lines_.insert(insertAt, line);
}

void IniDocument::eraseSection(const QString& section)
{
    for (int start = findSection(section); start >= 0; start = findSection(section))
        lines_.remove(start, sectionEnd(start) - start);
}

QByteArray IniDocument::serialize() const
{
    QByteArray out;
    for (const Line& line : lines_) {
        out += line.text.toUtf8();
        out += "\r\n";
    }
    return out;
}
