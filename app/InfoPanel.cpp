#include "app/InfoPanel.h"

#include <QVBoxLayout>

#include "app/ElidingLabel.h"
#include "browser/ShellNamespace.h"
#include "browser/ShownFile.h"
#include "diagram/BoundedText.h"
#include "photometry/Keywords.h"

namespace {

// "Filename: " and the name.
QString FileLine(const EntryTexts& texts)
{
    return QStringLiteral("Filename: ") + NameToText(texts.fileName);
}

// The keyword lines as one block, empty when the file names none.
QString KeywordBlock(const EntryTexts& texts)
{
    EntryTexts fronts;
    for (const CaptionKind& kind : CaptionKinds())
        fronts.*kind.field = std::string(ShownBytes(texts.*kind.field));
    QString keywords = NameToText(KeywordText(fronts, KeywordForm::Labels));
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
    // Kept when empty: the file line has always ended in a line break.
    lines << KeywordBlock(file.Texts());
    return lines;
}

QString InfoText(const ShownFile& file)
{
    return BoundedLines(InfoLines(file).join(QLatin1Char('\n')), kShownTextLimit, kInfoPanelLines);
}

InfoPanel::InfoPanel(QWidget* parent) : QWidget(parent), label_(new ElidingLabel(this))
{
    setObjectName(QStringLiteral("PanelInfo"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(11, 2, 2, 0);
    label_->setObjectName(QStringLiteral("LabelInfo"));
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
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
    label_->setText(InfoText(file));
}
