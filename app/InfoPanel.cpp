#include "app/InfoPanel.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

#include "app/ElidingLabel.h"
#include "browser/ShellNamespace.h"
#include "browser/ShownFile.h"
#include "diagram/BoundedText.h"
#include "diagram/FormatValue.h"
#include "diagram/SheetDrawing.h"
#include "photometry/Keywords.h"
#include "photometry/PhotometricSummary.h"

namespace {

using datasheet::Angle;
using datasheet::Fixed;
using datasheet::kDash;
using datasheet::kDegree;
using datasheet::Optional;
using datasheet::Rounded;

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

bool TypeC(const tIES& ies)
{
    return ies.PhotometricType == 1;
}

QString SpreadLine(const QString& pair, const BeamField& spread)
{
    return pair + QStringLiteral(": beam ") + Optional(spread.beam_deg, 1, kDegree) + QStringLiteral(", field ") +
           Optional(spread.field_deg, 1, kDegree);
}

QString CieLine(const std::optional<CieFluxCode>& code)
{
    QString line = QStringLiteral("CIE flux code: ");
    if (!code)
        return line + kDash;
    QStringList parts{Fixed(code->n1, 0), Fixed(code->n2, 0), Fixed(code->n3, 0)};
    if (code->n4)
        parts << Fixed(*code->n4, 0);
    if (code->n5)
        parts << Fixed(*code->n5, 0);
    return line + parts.join(QLatin1Char(' '));
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
    case 2: return QStringLiteral(" (C0–C180)");
    case 3: return QStringLiteral(" (C90–C270)");
    case 4: return QStringLiteral(" (C0–C180 and C90–C270)");
    default: return QString();
    }
}

// A text item as shown: only its front, UTF-8 as the reader made it.
QString Item(const std::string& text)
{
    return QString::fromUtf8(ShownBytes(text));
}

QString LampSetLine(std::size_t index, const EulumdatLampSet& set)
{
    const int count = set.Count < 0 ? -set.Count : set.Count;
    QString lamps = QString::number(count) + QLatin1Char(' ');
    lamps += count == 1 ? QStringLiteral("lamp") : QStringLiteral("lamps");
    if (!set.Type.empty())
        lamps += QLatin1Char(' ') + Item(set.Type);
    QStringList parts{lamps, Fixed(set.Flux, 0) + QStringLiteral(" lm")};
    if (!set.ColourTemperature.empty())
        parts << Item(set.ColourTemperature);
    if (!set.ColourRendering.empty())
        parts << QStringLiteral("CRI ") + Item(set.ColourRendering);
    parts << Rounded(set.Watts, 1, QStringLiteral(" W"));
    if (set.Count < 0)
        parts << QStringLiteral("absolute");
    return QStringLiteral("Lamp set %1: ").arg(index + 1) + parts.join(QStringLiteral(", "));
}

}  // namespace

QStringList EulumdatInfoLines(const EulumdatStated& stated)
{
    QStringList lines;
    lines << QStringLiteral("EULUMDAT Ityp %1%2, Isym %3%4")
                 .arg(stated.Ityp)
                 .arg(TypeText(stated.Ityp))
                 .arg(stated.Isym)
                 .arg(SymmetryText(stated.Isym));
    lines << QStringLiteral("Stated: LORL ") + Fixed(stated.Lorl, 1) + QStringLiteral(" %, downward flux ") +
                 Fixed(stated.DownwardFlux, 1) + QStringLiteral(" %");
    // Every set when they fit the column, else one line fewer and a count of the rest.
    const auto room = static_cast<std::size_t>(kInfoPanelLines) - 2;
    const std::size_t sets = stated.LampSets.size();
    const std::size_t shown = sets <= room ? sets : room - 1;
    for (std::size_t i = 0; i < shown; ++i)
        lines << LampSetLine(i, stated.LampSets[i]);
    if (sets > shown)
        lines << QStringLiteral("%1 more lamp sets").arg(sets - shown);
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
    return lines;
}

QString InfoText(const ShownFile& file)
{
    return BoundedLines(InfoLines(file).join(QLatin1Char('\n')), kShownTextLimit, kInfoPanelLines);
}

QStringList SummaryLines(const tIES& ies, const PhotometricSummary& s)
{
    QStringList lines;
    lines << QStringLiteral("Flux: ") + Optional(s.flux_lm, 0, QStringLiteral(" lm"));
    if (s.lamp_flux_lm) {
        lines << QStringLiteral("Lamps: ") + Fixed(*s.lamp_flux_lm, 0) + QStringLiteral(" lm, LOR ") +
                     (s.lor ? Optional(*s.lor * 100, 1, QStringLiteral(" %")) : kDash);
    } else {
        lines << QStringLiteral("Lamps: ") + kDash + QStringLiteral(" (absolute photometry)");
    }
    lines << QStringLiteral("Power: ") + Rounded(s.input_watts, 1, QStringLiteral(" W")) + QStringLiteral(", ") +
                 Optional(s.efficacy_lm_per_w, 1, QStringLiteral(" lm/W"));
    // Small maxima keep a decimal, as the datasheet writes them.
    const int maxDecimals = s.max_cd && std::fabs(*s.max_cd) < 100 ? 1 : 0;
    QString maximum = QStringLiteral("Imax: ") + Optional(s.max_cd, maxDecimals, QStringLiteral(" cd"));
    if (s.max_at) {
        maximum += TypeC(ies) ? QStringLiteral(" at C ") + Angle(s.max_at->c) + QStringLiteral(", γ ")
                              : QStringLiteral(" at H ") + Angle(s.max_at->c) + QStringLiteral(", V ");
        maximum += Angle(s.max_at->gamma);
    }
    lines << maximum;
    // Types A and B measure across their principal plane and profile.
    const bool c = TypeC(ies);
    lines << SpreadLine(c ? QStringLiteral("C0–C180") : QStringLiteral("H 0°"), s.c0_c180);
    lines << SpreadLine(c ? QStringLiteral("C90–C270") : QStringLiteral("V 0°"), s.c90_c270);
    lines << CieLine(s.cie_flux_code);
    return lines;
}

QStringList ZonalLines(const PhotometricSummary& s)
{
    if (!s.zonal_lm)
        return {};
    QStringList lines{QStringLiteral("Zonal lumens:")};
    for (std::size_t i = 0; i < kZonalBands.size(); ++i) {
        const ZonalBand& band = kZonalBands[i];
        lines << GeneralDecimal(band.from) + QStringLiteral("–") + GeneralDecimal(band.to) + kDegree +
                     QStringLiteral(": ") + Fixed((*s.zonal_lm)[i], 0) + QStringLiteral(" lm");
    }
    return lines;
}

std::vector<QStringList> InfoValueColumns(const ShownFile& file)
{
    if (!file.HasFile())
        return {};
    const tIES& ies = file.CurrentIes();
    const PhotometricSummary summary = SummarizePhotometry(ies);
    // A file that could not be read has no values to tell.
    if (!summary.max_cd)
        return {};
    std::vector<QStringList> columns{SummaryLines(ies, summary)};
    // What a EULUMDAT file states, beside what is worked out from its record.
    if (file.Eulumdat())
        columns.push_back(EulumdatInfoLines(*file.Eulumdat()));
    if (QStringList zones = ZonalLines(summary); !zones.isEmpty())
        columns.push_back(std::move(zones));
    for (QStringList& column : columns)
        column = column.mid(0, kInfoPanelLines);
    return columns;
}

InfoPanel::InfoPanel(QWidget* parent) : QWidget(parent), label_(new ElidingLabel(this))
{
    setObjectName(QStringLiteral("PanelInfo"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(11, 2, 2, 0);
    layout->setSpacing(14);
    label_->setObjectName(QStringLiteral("LabelInfo"));
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    layout->addWidget(label_, 1);
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

QStringList InfoPanel::valueTexts() const
{
    QStringList texts;
    for (const ElidingLabel* column : values_)
        if (column->isVisibleTo(this))
            texts << column->text();
    return texts;
}

void InfoPanel::showLines(const ShownFile& file)
{
    label_->setText(InfoText(file));
    const std::vector<QStringList> columns = InfoValueColumns(file);
    while (values_.size() < columns.size()) {
        // Each value column asks for its lines' width and gives way, eliding,
        // only when the panel is narrower; the keywords take what is left. A
        // least width of one pixel keeps the window's own minimum as it was.
        auto* column = new ElidingLabel(this);
        column->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        column->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
        column->setMinimumWidth(1);
        column->setTextFormat(Qt::PlainText);
        layout()->addWidget(column);
        values_.push_back(column);
    }
    for (std::size_t i = 0; i < values_.size(); ++i)
        values_[i]->setText(i < columns.size() ? columns[i].join(QLatin1Char('\n')) : QString());
    used_ = columns.size();
    fitColumns();
}

void InfoPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitColumns();
}

void InfoPanel::fitColumns()
{
    const QMargins margins = layout()->contentsMargins();
    const int spacing = layout()->spacing();
    // About twenty characters keep "Manufacturer: " and a name's start legible.
    const int keywords = std::min(label_->sizeHint().width(), fontMetrics().averageCharWidth() * 24);
    int left = width() - margins.left() - margins.right() - keywords;
    QStringList hidden;
    for (std::size_t i = 0; i < values_.size(); ++i) {
        ElidingLabel* column = values_[i];
        if (i >= used_) {
            column->setVisible(false);
            continue;
        }
        const int needed = spacing + column->sizeHint().width();
        // The computed values always show, cut if they must.
        const bool fits = i == 0 || needed <= left;
        if (fits)
            left -= needed;
        else
            hidden << column->text();
        column->setVisible(fits);
    }
    setToolTip(hidden.join(QStringLiteral("\n\n")));
}
