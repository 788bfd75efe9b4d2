#include "app/InfoPanel.h"

#include <QLocale>
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

QString Number(double value)
{
    return QLocale().toString(value, 'g', 6);
}

// A text item as shown: only its front, UTF-8 as the reader made it.
QString Item(const std::string& text)
{
    return QString::fromUtf8(ShownBytes(text));
}

QString TypeText(int ityp)
{
    switch (ityp) {
    case 1: return QStringLiteral(" (point source, vertical axis)");
    case 2: return QStringLiteral(" (linear)");
    case 3: return QStringLiteral(" (point source)");
    default: return QString();
    }
}

QString SymmetryText(int isym)
{
    switch (isym) {
    case 0: return QStringLiteral(" (none)");
    case 1: return QStringLiteral(" (vertical axis)");
    case 2: return QStringLiteral(" (C0-C180 plane)");
    case 3: return QStringLiteral(" (C90-C270 plane)");
    case 4: return QStringLiteral(" (C0-C180 and C90-C270 planes)");
    default: return QString();
    }
}

QString LampSetLine(std::size_t index, const EulumdatLampSet& set)
{
    QStringList parts;
    const int count = set.Count < 0 ? -set.Count : set.Count;
    QString lamps = QStringLiteral("%1 %2").arg(count).arg(count == 1 ? QStringLiteral("lamp") : QStringLiteral("lamps"));
    if (!set.Type.empty())
        lamps += QLatin1Char(' ') + Item(set.Type);
    parts << lamps << Number(set.Flux) + QStringLiteral(" lm");
    if (!set.ColourTemperature.empty())
        parts << Item(set.ColourTemperature);
    if (!set.ColourRendering.empty())
        parts << QStringLiteral("colour rendering ") + Item(set.ColourRendering);
    parts << Number(set.Watts) + QStringLiteral(" W");
    if (set.Count < 0)
        parts << QStringLiteral("absolute photometry");
    return QStringLiteral("Lamp set %1: ").arg(index + 1) + parts.join(QStringLiteral(", "));
}

}  // namespace

QStringList EulumdatInfoLines(const EulumdatStated& stated)
{
    QStringList lines;
    // One line for the indicators and the stated ratios: the panel holds few lines.
    lines << QStringLiteral("EULUMDAT Ityp %1%2, Isym %3%4; stated LORL %5 %, downward flux %6 %")
                 .arg(stated.Ityp)
                 .arg(TypeText(stated.Ityp))
                 .arg(stated.Isym)
                 .arg(SymmetryText(stated.Isym), Number(stated.Lorl), Number(stated.DownwardFlux));
    const std::size_t shown = std::min(stated.LampSets.size(), kInfoLampSets);
    for (std::size_t i = 0; i < shown; ++i)
        lines << LampSetLine(i, stated.LampSets[i]);
    if (stated.LampSets.size() > shown)
        lines << QStringLiteral("%1 more lamp sets").arg(stated.LampSets.size() - shown);
    return lines;
}

QStringList InfoLines(const ShownFile& file)
{
    if (!file.HasFile())
        return {};
    QStringList lines;
    lines << FileLine(file.Texts());
    // Kept when empty: the file line has always ended in a line break.
    lines << KeywordBlock(file.Texts());
    if (file.Eulumdat())
        lines << EulumdatInfoLines(*file.Eulumdat());
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
