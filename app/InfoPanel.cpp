#include "app/InfoPanel.h"

#include <QLabel>
#include <QVBoxLayout>

#include "browser/ShellNamespace.h"
#include "browser/ShownFile.h"
#include "photometry/Keywords.h"

namespace {

// "Filename: " and the name.
QString FileLine(const EntryTexts& texts)
{
    return QStringLiteral("Filename: ") + NameToText(texts.fileName);
}

// The keyword lines as one block ("Test: ...", "Manufacturer: ..."), empty
// when the file names none.
QString KeywordBlock(const EntryTexts& texts)
{
    QString keywords = NameToText(KeywordText(texts, KeywordForm::Labels));
    keywords.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return keywords;
}

}  // namespace

QStringList InfoLines(const ShownFile& file)
{
    if (!file.HasFile())
        return {};
    QStringList lines;
    lines << FileLine(file.Texts());
    // Kept even when empty: the label has always ended in a line break then.
    lines << KeywordBlock(file.Texts());
    return lines;
}

InfoPanel::InfoPanel(QWidget* parent) : QWidget(parent), label_(new QLabel(this))
{
    setObjectName(QStringLiteral("PanelInfo"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(11, 2, 2, 0);
    label_->setObjectName(QStringLiteral("LabelInfo"));
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(label_);
}

void InfoPanel::followShownFile(const ShownFile& file)
{
    connect(&file, &ShownFile::fileChanged, this, [this, &file] { showLines(file); });
    showLines(file);
}

QString InfoPanel::text() const
{
    return label_->text();
}

void InfoPanel::showLines(const ShownFile& file)
{
    label_->setText(InfoLines(file).join(QLatin1Char('\n')));
}
