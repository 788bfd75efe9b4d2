#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QRegularExpression>
#include <QLocale>

#include <utility>

#include "AppTestSupport.h"
#include "app/MainLayout.h"
#include "diagram/SheetDrawing.h"
#include "photometry/EntryLoader.h"
#include "photometry/PhotometricSummary.h"

namespace {

const std::string kSamples = KANDORA_SOURCE_DIR "/samples/";

TiesData Sample(const char* name)
{
    TiesData entry = UnreadEntry(name);
    EXPECT_EQ(LoadEntry(entry, kSamples).kind, LoadResult::Kind::Loaded) << name;
    return entry;
}

struct PanelCase {
    const char* file;
    bool absolute;
    bool zones;  // type C: zonal lumens and a CIE code
};

class InfoPanelValues : public ::testing::TestWithParam<PanelCase> {};

// The panel tells the shown file's own summary: its flux, a dash and no
// "nan" where a value is missing, a unit after every number.
TEST_P(InfoPanelValues, ShowTheShownFilesSummary)
{
    const PanelCase& c = GetParam();
    ShownFile shown;
    shown.ShowFile(Sample(c.file), kSamples);
    const PhotometricSummary summary = SummarizePhotometry(shown.CurrentIes());
    const std::vector<QStringList> columns = InfoValueColumns(shown);
    ASSERT_EQ(columns.size(), c.zones ? 2U : 1U);
    const QStringList& values = columns[0];
    EXPECT_EQ(values[0], QStringLiteral("Flux: ") + datasheet::Fixed(*summary.flux_lm, 0) + QStringLiteral(" lm"));
    EXPECT_EQ(values[1].endsWith(QStringLiteral("(absolute photometry)")), c.absolute) << values[1].toStdString();
    EXPECT_EQ(values.last().endsWith(datasheet::kDash), !c.zones) << values.last().toStdString();
    for (const QStringList& column : columns) {
        EXPECT_LE(column.size(), kInfoPanelLines);
        for (const QString& line : column)
            EXPECT_FALSE(line.contains(QRegularExpression(QStringLiteral("nan|inf"), QRegularExpression::CaseInsensitiveOption)))
                << line.toStdString();
    }
    if (c.zones) {
        EXPECT_EQ(columns[1].last(), QStringLiteral("0–180°: ") + datasheet::Fixed((*summary.zonal_lm)[5], 0) +
                                         QStringLiteral(" lm"));
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, InfoPanelValues,
                         ::testing::Values(PanelCase{"downlight-halogen-narrow-spot.ies", false, true},
                                           PanelCase{"street-light-led-type-ii.ies", true, true},
                                           PanelCase{"vehicle-fog-lamp.ies", false, false}));

TEST(InfoPanelTest, NoValuesWithoutARecordAndTheUsersDecimalSeparator)
{
    ShownFile shown;
    shown.ShowFile(UnreadEntry("unread.ies"), kSamples);
    EXPECT_TRUE(InfoValueColumns(shown).empty());

    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    shown.ShowFile(Sample("downlight-halogen-narrow-spot.ies"), kSamples);
    const QStringList values = InfoValueColumns(shown).front();
    QLocale::setDefault(before);
    EXPECT_TRUE(values[1].contains(QRegularExpression(QStringLiteral("LOR \\d+,\\d %$")))) << values[1].toStdString();
}

class InfoPanelWindowTest : public ::testing::Test, public WindowFixture {};

// At the window's default size the value columns shown are shown whole,
// within the panel's default height, and leave the keywords about twenty
// characters; a column that does not fit gives way whole to the tooltip.
// The cobra head shows its two columns, the EULUMDAT file (three) not all.
TEST_F(InfoPanelWindowTest, ValuesFitTheDefaultPanel)
{
    TMainWindow& w = open();
    w.show();
    InfoPanel* panel = w.areas().panelInfo;
    const QFontMetrics metrics(panel->font());
    for (const auto& [file, columns] : {std::pair{"street-light-hps-cobra-head.ies", 2}, std::pair{"eulumdat-wall-pack.ldt", 3}}) {
        shown.ShowFile(Sample(file), kSamples);
        QApplication::processEvents();
        const QStringList texts = panel->valueTexts();
        ASSERT_FALSE(texts.isEmpty()) << file;
        int shownLines = 0;
        for (const QLabel* label : panel->findChildren<QLabel*>()) {
            if (label->objectName() == QStringLiteral("LabelInfo")) {
                EXPECT_GE(label->width(), metrics.averageCharWidth() * 20) << file;
                continue;
            }
            if (!texts.contains(label->text()))
                continue;
            ++shownLines;
            for (const QString& line : label->text().split(QLatin1Char('\n')))
                EXPECT_LE(metrics.horizontalAdvance(line), label->contentsRect().width()) << line.toStdString();
            EXPECT_LE(label->text().count(QLatin1Char('\n')) + 1, kInfoPanelLines);
        }
        EXPECT_EQ(shownLines, texts.size());
        const std::vector<QStringList> all = InfoValueColumns(shown);
        ASSERT_EQ(all.size(), static_cast<std::size_t>(columns)) << file;
        for (const QStringList& column : all) {
            const QString text = column.join(QLatin1Char('\n'));
            EXPECT_TRUE(texts.contains(text) != panel->toolTip().contains(text)) << "shown or in the tooltip: " << file;
        }
    }
    EXPECT_LE(kInfoPanelLines * metrics.lineSpacing(), panel->height() + metrics.descent());
}

}  // namespace
