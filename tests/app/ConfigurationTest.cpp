#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QListWidget>
#include <QSlider>

#include "AppTestSupport.h"
#include "app/AppTexts.h"
#include "app/DiagramBox.h"
#include "app/DiagramPanel.h"
#include "app/LensProfileBox.h"
#include "app/GroupBoxEx.h"
#include "app/IniDocument.h"

namespace {

class ConfigurationTest : public ::testing::Test, public WindowFixture {
protected:
    IniDocument written() const { return IniDocument::Parse(readIni()); }
    QString writtenValue(const char* section, const char* key) const
    {
        return written().value(QString::fromLatin1(section), QString::fromLatin1(key)).value_or(QStringLiteral("<none>"));
    }
    QSlider* slider(const char* name) const { return control<QSlider>(name); }
    TGroupBoxEx* box(const char* name) const { return control<TGroupBoxEx>(name); }
};

TEST_F(ConfigurationTest, NoFileGivesFreshDefaults)
{
    TMainWindow& w = open();
    EXPECT_TRUE(presenter.messages.empty());
    EXPECT_EQ(w.normalSize(), QSize(800, 600));
    const QSize screen = w.screenSize();
    EXPECT_EQ(w.normalPosition(), QPoint((screen.width() - 800) / 2, (screen.height() - 600) / 2));
    EXPECT_TRUE(w.panelVisible());
    EXPECT_TRUE(ticked("CheckBoxAlways"));
    EXPECT_FALSE(options().controls().CheckBoxHide->isEnabled()) << "AutoHide disabled";
    EXPECT_TRUE(chosen("RadioButtonList"));
    EXPECT_TRUE(chosen("RadioButtonXP"));
    EXPECT_TRUE(ticked("CheckBoxHotTrack") && ticked("CheckBoxExpand") && !ticked("CheckBoxLines"));
    EXPECT_TRUE(chosen("RadioButtonLXP"));
    EXPECT_TRUE(ticked("CheckBoxHandPont") && ticked("CheckBoxUnderlineHot"));
    EXPECT_FALSE(ticked("CheckBoxUnderlineCold") || ticked("CheckBoxLHotTrack"));
    EXPECT_TRUE(w.ortho());
    EXPECT_FALSE(w.fit());
    EXPECT_EQ(w.windowTitle(), AppTexts::MainTitle());

    w.show();
    EXPECT_EQ(w.areas().panelLeftAll->width(), 330);
    EXPECT_EQ(w.areas().diagramPanel->height(), 362);
    EXPECT_EQ(w.areas().panelInfo->height(), 101);
}

TEST_F(ConfigurationTest, CloseCreatesFileWithSectionsInOrder)
{
    open().show();
    closeWindow();
    const QByteArray text = readIni();
    QStringList sections;
    for (const QByteArray& line : text.split('\n'))
        if (line.startsWith('['))
            sections << QString::fromLatin1(line.trimmed());
    EXPECT_EQ(sections, QStringList({QStringLiteral("[Kandora]"), QStringLiteral("[Options]"),
                                     QStringLiteral("[GroupBoxExOptions]"), QStringLiteral("[GroupBoxExView]"),
                                     QStringLiteral("[GroupBoxExTree]"), QStringLiteral("[GroupBoxExList]"),
                                     QStringLiteral("[GroupBoxExEye]"), QStringLiteral("[GroupBoxExFavorites]"),
                                     QStringLiteral("[GroupBoxExOther]"), QStringLiteral("[Details]")}));
    EXPECT_FALSE(text.contains("\n\n")) << "every line ends with CR LF";
    EXPECT_EQ(text.count("\r\n"), text.count('\n'));
    EXPECT_EQ(writtenValue("GroupBoxExView", "RB"), QStringLiteral("RadioButtonList"));
    EXPECT_EQ(writtenValue("Kandora", "Right"), QStringLiteral("330"));
    EXPECT_EQ(writtenValue("Kandora", "Info"), QStringLiteral("101"));
}

TEST_F(ConfigurationTest, StoredValuesComeBackAndForeignKeysStay)
{
    writeIni("; mine\r\n[Kandora]\r\nWidth=760\r\nHeight=560\r\nLeft=10\r\nTop=20\r\nFit=1\r\nOrtho=0\r\n"
             "Tree=200\r\nRight=300\r\nInfo=67\r\nMyKey=kept\r\n[Elsewhere]\r\na=b\r\n"
             "[GroupBoxExOther]\r\nCheckBoxMethod=0\r\n");
    TMainWindow& w = open();
    w.show();
    EXPECT_TRUE(w.fit());
    EXPECT_FALSE(w.ortho());
    EXPECT_EQ(w.areas().panelLeftAll->width(), 300);
    EXPECT_EQ(w.areas().diagramPanel->height(), 200);
    EXPECT_EQ(w.areas().panelInfo->height(), 67);
    EXPECT_FALSE(ticked("CheckBoxMethod"));
    closeWindow();
    EXPECT_EQ(writtenValue("Kandora", "Width"), QStringLiteral("760"));
    EXPECT_EQ(writtenValue("Kandora", "Left"), QStringLiteral("10"));
    EXPECT_EQ(writtenValue("Kandora", "Top"), QStringLiteral("20"));
    EXPECT_EQ(writtenValue("Kandora", "MyKey"), QStringLiteral("kept"));
    EXPECT_EQ(writtenValue("Elsewhere", "a"), QStringLiteral("b"));
    EXPECT_TRUE(readIni().startsWith("; mine\r\n[Kandora]\r\n"));
}

// The magnifier's controls come back as they were left, and the lens and its
// profile picture follow what was read.
TEST_F(ConfigurationTest, MagnifierControlsSurviveSaveAndLoad)
{
    open().show();
    const OptionControls& c = options().controls();
    c.CheckBoxOn->setChecked(false);
    c.CheckBoxPlus->setChecked(true);
    c.TrackBarAlpha->setValue(7);
    c.TrackBarR->setValue(50);
    c.TrackBarK->setValue(3);
    closeWindow();
    EXPECT_EQ(writtenValue("GroupBoxExEye", "TrackBarR"), QStringLiteral("50"));
    EXPECT_EQ(writtenValue("Options", "K"), QStringLiteral("3"));
    window.reset();

    open().show();
    EXPECT_FALSE(ticked("CheckBoxOn"));
    EXPECT_TRUE(ticked("CheckBoxPlus"));
    EXPECT_EQ(slider("TrackBarAlpha")->value(), 7);
    EXPECT_EQ(slider("TrackBarR")->value(), 50);
    EXPECT_EQ(slider("TrackBarK")->value(), 3);
    EXPECT_FALSE(slider("TrackBarR")->isEnabled()) << "the lens is off";
    EXPECT_TRUE(options().controls().PaintBoxArc->magnify());
    const LensSettings lens = window->areas().diagramPanel->paintBox()->lensOptions();
    EXPECT_TRUE(!lens.on && lens.magnify && lens.opacity == 7 && lens.radius == 50 && lens.refraction == 3);
}

// The details view's columns come back moved, resized, hidden and sorted as
// they were left; a hand-edited section with unknown names still reads.
TEST_F(ConfigurationTest, DetailsColumnsSurviveSaveAndLoad)
{
    TMainWindow& w = open();
    w.show();
    DetailsLayout layout = DefaultDetailsLayout();
    std::swap(layout.order[1], layout.order[6]);
    layout.widths[static_cast<std::size_t>(DetailColumn::Flux)] = 123;
    layout.hidden[static_cast<std::size_t>(DetailColumn::Lamp)] = true;
    layout.sortColumn = DetailColumn::Efficacy;
    layout.descending = true;
    w.setDetailsLayout(layout);
    closeWindow();
    EXPECT_EQ(writtenValue("Details", "Sort"), QStringLiteral("efficacy"));
    EXPECT_EQ(writtenValue("Details", "Hidden"), QStringLiteral("lamp"));
    window.reset();

    EXPECT_EQ(open().detailsLayout(), layout);
    window.reset();
    writeIni("[Details]\r\nColumns=lor,nonsense,caption\r\nWidths=40,x,300\r\nSort=bogus\r\n[Mine]\r\nk=v\r\n");
    const DetailsLayout read = open().detailsLayout();
    EXPECT_EQ(read.order[0], DetailColumn::Lor);
    EXPECT_EQ(read.order[1], DetailColumn::Caption);
    EXPECT_EQ(read.order.size(), static_cast<std::size_t>(kDetailColumnCount)) << "the rest follow in designed order";
    EXPECT_EQ(read.widths[static_cast<std::size_t>(DetailColumn::Caption)], 300);
    EXPECT_FALSE(read.sortColumn.has_value());
    closeWindow();
    EXPECT_EQ(writtenValue("Mine", "k"), QStringLiteral("v"));
}

TEST_F(ConfigurationTest, LeftMissingCentresWithStoredWidth)
{
    writeIni("[Kandora]\r\nWidth=700\r\nTop=5\r\n");
    TMainWindow& w = open();
    EXPECT_EQ(w.normalPosition().x(), (w.screenSize().width() - w.normalSize().width()) / 2);
    EXPECT_EQ(w.normalSize().width(), 700);
    EXPECT_EQ(w.normalPosition().y(), 5);
}

TEST_F(ConfigurationTest, MaximisedStateKeepsStoredRestoredGeometry)
{
    writeIni("[Kandora]\r\nWidth=700\r\nHeight=500\r\nLeft=30\r\nTop=40\r\nState=2\r\n");
    TMainWindow& w = open();
    EXPECT_EQ(w.windowStateCode(), 2);
    w.show();
    closeWindow();
    EXPECT_EQ(writtenValue("Kandora", "State"), QStringLiteral("2"));
    EXPECT_EQ(writtenValue("Kandora", "Width"), QStringLiteral("700"));
    EXPECT_EQ(writtenValue("Kandora", "Height"), QStringLiteral("500"));
    EXPECT_EQ(writtenValue("Kandora", "Left"), QStringLiteral("30"));
}

TEST_F(ConfigurationTest, OtherStateValuesLeaveStateAndValuesAreClampedByControls)
{
    writeIni("[Kandora]\r\nState=7\r\nHeight=100\r\n[GroupBoxExEye]\r\nTrackBarR=200\r\n"
             "[GroupBoxExView]\r\nComboBoxCaption=9\r\n");
    TMainWindow& w = open();
    EXPECT_EQ(w.windowStateCode(), 0);
    EXPECT_EQ(w.normalSize().height(), 300) << "the window keeps its minimum height";
    EXPECT_EQ(slider("TrackBarR")->value(), 64);
    EXPECT_EQ(options().controls().ComboBoxCaption->currentIndex(), -1);
}

TEST_F(ConfigurationTest, HugeStoredSizeIsCutToTheScreen)
{
    writeIni("[Kandora]\r\nWidth=2000000000\r\nHeight=900000\r\nLeft=-70000\r\n");
    TMainWindow& w = open();
    w.show();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(area.contains(w.frameGeometry()));
    EXPECT_GE(w.normalSize().height(), TMainWindow::kMinHeight);
}

struct MagnifierCase {
    const char* ini;
    int expectedK;
};

class MagnifierK : public ConfigurationTest, public ::testing::WithParamInterface<MagnifierCase> {};

TEST_P(MagnifierK, GroupBoxSectionDecides)
{
    writeIni(GetParam().ini);
    open();
    EXPECT_EQ(slider("TrackBarK")->value(), GetParam().expectedK);
}

INSTANTIATE_TEST_SUITE_P(
    OptionsAndEye, MagnifierK,
    ::testing::Values(MagnifierCase{"[Options]\r\nK=10\r\n[GroupBoxExEye]\r\nTrackBarK=50\r\n", 50},
                      MagnifierCase{"[Options]\r\nK=10\r\n", 10}, MagnifierCase{"", 80}));

TEST_F(ConfigurationTest, UnknownRadioNameChoosesNoneAndIsKeptAtClose)
{
    writeIni("[GroupBoxExView]\r\nRB=RadioButtonNowhere\r\n");
    open().show();
    EXPECT_FALSE(chosen("RadioButtonList") || chosen("RadioButtonIcons") || chosen("RadioButtonThumbnails"));
    closeWindow();
    EXPECT_EQ(writtenValue("GroupBoxExView", "RB"), QStringLiteral("RadioButtonNowhere"));
}

TEST_F(ConfigurationTest, RadioPresetReadAfterCheckBoxesOverridesThem)
{
    writeIni("[GroupBoxExTree]\r\nCheckBoxLines=0\r\nCheckBoxExpand=1\r\nCheckBoxHotTrack=0\r\nRB=RadioButton9X\r\n");
    open();
    EXPECT_TRUE(chosen("RadioButton9X"));
    EXPECT_TRUE(ticked("CheckBoxLines"));
    EXPECT_FALSE(ticked("CheckBoxExpand") || ticked("CheckBoxHotTrack"));
}

TEST_F(ConfigurationTest, MixedTreeOptionsShowCustom)
{
    writeIni("[GroupBoxExTree]\r\nCheckBoxLines=1\r\nCheckBoxExpand=1\r\nRB=RadioButtonCustom\r\n");
    open();
    EXPECT_TRUE(chosen("RadioButtonCustom"));
    EXPECT_FALSE(chosen("RadioButton9X") || chosen("RadioButtonXP"));
}

TEST_F(ConfigurationTest, BadWidthStopsReadingWithOneMessage)
{
    writeIni("[Kandora]\r\nPath=a/\r\nWidth=abc\r\nHeight=480\r\n[Options]\r\nPanel=0\r\n"
             "[GroupBoxExView]\r\nCollapsed=1\r\nCheckBoxSort=1\r\n");
    TMainWindow& w = open();
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].caption, QStringLiteral("Error!"));
    EXPECT_EQ(presenter.messages[0].text, AppTexts::ReadErrorText());
    EXPECT_EQ(presenter.messages[0].icon, MessagePresenter::Icon::Error);
    EXPECT_EQ(w.storedPath(), QStringLiteral("a/")) << "read before the bad value";
    EXPECT_EQ(w.normalSize(), QSize(800, 600)) << "designed size";
    EXPECT_TRUE(w.panelVisible());
    EXPECT_FALSE(box("GroupBoxExView")->collapsed()) << "designed: expanded";
    EXPECT_TRUE(box("GroupBoxExTree")->collapsed()) << "designed: collapsed";
    EXPECT_FALSE(ticked("CheckBoxSort"));
    EXPECT_TRUE(chosen("RadioButton9X") && chosen("RadioButtonL9X"));
    EXPECT_FALSE(chosen("RadioButtonList"));
}

TEST_F(ConfigurationTest, UnwritableFileReportsExactlyOnceForBothWriters)
{
    const QString path = dir.filePath(QStringLiteral("missing-folder/ies.ini"));
    TMainWindow& w = open(path);
    w.show();
    closeWindow();
    config->WriteRenderSettings(RenderSettings{});
    EXPECT_TRUE(config->ConfigWriteFailed());
    EXPECT_TRUE(presenter.messages.empty()) << "nothing is shown at the moment of the failure";
    w.FormDestroy();
    w.FormDestroy();
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].caption, AppTexts::MainTitle());
    EXPECT_EQ(presenter.messages[0].icon, MessagePresenter::Icon::None);
    EXPECT_EQ(presenter.messages[0].text, QStringLiteral("Unable to write configuration data.\rIt is possible file '")
                                              + dir.filePath(QStringLiteral("missing-folder"))
                                              + QStringLiteral("/ies.ini' is read only."));
}

// An ies.ini beside the program wins; otherwise the user's configuration
// folder holds it, and the first close makes the missing folders.
TEST_F(ConfigurationTest, SettingsLiveBesideTheProgramOnlyWhenAFileIsThere)
{
    const QString program = dir.filePath(QStringLiteral("bin"));
    const QString configHome = dir.filePath(QStringLiteral("config home"));
    ASSERT_TRUE(QDir().mkpath(program));

    Configuration::Location location = Configuration::ChooseLocation(program, configHome);
    EXPECT_EQ(location.path, configHome + QStringLiteral("/kandora/ies.ini"));
    EXPECT_TRUE(location.createFolder);

    QFile portable(program + QStringLiteral("/ies.ini"));
    ASSERT_TRUE(portable.open(QIODevice::WriteOnly));
    portable.close();
    location = Configuration::ChooseLocation(program, configHome);
    EXPECT_EQ(location.path, program + QStringLiteral("/ies.ini"));
    EXPECT_FALSE(location.createFolder);

    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", configHome.toUtf8());
    const QString chosen = Configuration::DefaultLocation().path;
    qputenv("XDG_CONFIG_HOME", saved);
    EXPECT_EQ(chosen, configHome + QStringLiteral("/kandora/ies.ini")) << "no ies.ini beside the test program";

    // A relative XDG_CONFIG_HOME is invalid and ignored, as is an empty one.
    const QString home = QStringLiteral("/home/someone");
    EXPECT_EQ(Configuration::ConfigFolder(QStringLiteral("relative/config"), home), QStringLiteral("/home/someone/.config"));
    EXPECT_EQ(Configuration::ConfigFolder(QString(), home), QStringLiteral("/home/someone/.config"));
    EXPECT_EQ(Configuration::ConfigFolder(configHome, home), configHome);
}

TEST_F(ConfigurationTest, FirstCloseCreatesTheConfigurationFolder)
{
    const QString path = dir.filePath(QStringLiteral("config home/kandora/ies.ini"));
    open(Configuration::Location{path, true});
    window->show();
    closeWindow();
    config->WriteRenderSettings(RenderSettings{});
    window->FormDestroy();
    EXPECT_FALSE(config->ConfigWriteFailed());
    EXPECT_TRUE(presenter.messages.empty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const IniDocument ini = IniDocument::Parse(file.readAll());
    // The designed 800, or less where the screen leaves no room for the frame too.
    EXPECT_EQ(ini.value(QStringLiteral("Kandora"), QStringLiteral("Width")),
              QString::number(window->normalSize().width()));
    EXPECT_EQ(ini.value(QStringLiteral("Render"), QStringLiteral("Zoom")), QStringLiteral("500"));
}

TEST_F(ConfigurationTest, UnmakeableConfigurationFolderReportsTheUsualFailure)
{
    // A plain file where the folder should be.
    QFile blocker(dir.filePath(QStringLiteral("kandora")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = dir.filePath(QStringLiteral("kandora/ies.ini"));
    open(Configuration::Location{path, true});
    window->show();
    closeWindow();
    window->FormDestroy();
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].text, QStringLiteral("Unable to write configuration data.\rIt is possible file '")
                                              + dir.filePath(QStringLiteral("kandora"))
                                              + QStringLiteral("/ies.ini' is read only."));
}

class FavoritesTest : public ConfigurationTest {
protected:
    QString folder(const char* name) const
    {
        QDir(dir.path()).mkpath(QString::fromLatin1(name));
        return dir.filePath(QString::fromLatin1(name));
    }
    QStringList favoriteNames() const
    {
        QStringList names;
        auto* list = options().controls().ListBoxFavorites;
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        return names;
    }
    QByteArray favoritesIni(const QList<QPair<int, QString>>& entries) const
    {
        QByteArray text("[Favorites]\r\n");
        for (const auto& [n, value] : entries)
            text += "folder" + QByteArray::number(n) + "=" + value.toUtf8() + "\r\n";
        return text;
    }
};

TEST_F(FavoritesTest, KeyZeroMissingReadsNone)
{
    writeIni(favoritesIni({{1, QStringLiteral("25") + folder("b")}}));
    open();
    EXPECT_TRUE(favoriteNames().isEmpty());
}

TEST_F(FavoritesTest, VanishedFolderIsSkippedAndTheRestRead)
{
    writeIni(favoritesIni({{0, QStringLiteral("00") + folder("a")},
                           {1, QStringLiteral("10") + folder("b")},
                           {2, QStringLiteral("21") + folder("c")},
                           {3, QStringLiteral("25") + dir.filePath(QStringLiteral("gone"))},
                           {4, QStringLiteral("2A") + folder("e")}}));
    open();
    EXPECT_EQ(favoriteNames(), QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                            QStringLiteral("e")}));
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(FavoritesTest, CloseRewritesSectionWithoutOlderKeys)
{
    QList<QPair<int, QString>> entries;
    const char* names[] = {"e", "d", "c", "b", "a"};
    for (int n = 0; n < 5; ++n)
        entries.append({n, QStringLiteral("2") + QString::number(n) + folder(names[n])});
    entries.append({5, QStringLiteral("25") + dir.filePath(QStringLiteral("gone"))});
    entries.append({9, QStringLiteral("25") + folder("z")});
    writeIni(favoritesIni(entries));
    open().show();
    closeWindow();
    EXPECT_EQ(writtenValue("Favorites", "folder0"), QStringLiteral("24") + folder("a")) << "sorted by name";
    EXPECT_EQ(writtenValue("Favorites", "folder4"), QStringLiteral("20") + folder("e"));
    EXPECT_EQ(writtenValue("Favorites", "folder5"), QStringLiteral("<none>"));
    EXPECT_EQ(writtenValue("Favorites", "folder9"), QStringLiteral("<none>"));
}

TEST_F(FavoritesTest, NoFavoritesRemovesSection)
{
    writeIni(favoritesIni({{0, QStringLiteral("25") + dir.filePath(QStringLiteral("gone"))}}));
    open().show();
    closeWindow();
    EXPECT_FALSE(written().hasSection(QStringLiteral("Favorites")));
}

TEST_F(FavoritesTest, BadHexStopsReadingWithMessage)
{
    writeIni(favoritesIni({{0, QStringLiteral("2") + folder("a")}}) + "[GroupBoxExView]\r\nCheckBoxSort=1\r\n");
    open();
    EXPECT_EQ(presenter.messages.size(), 1u);
    EXPECT_FALSE(ticked("CheckBoxSort")) << "group boxes keep their designed state";
}

TEST(ConfigurationValues, ParseInteger)
{
    EXPECT_EQ(Configuration::ParseInteger(QStringLiteral("-12")), -12);
    EXPECT_EQ(Configuration::ParseInteger(QStringLiteral("+7")), 7);
    EXPECT_EQ(Configuration::ParseInteger(QStringLiteral("2147483647")), 2147483647);
    for (const char* bad : {"abc", "12a", "", "-", "+", "1 2", "2147483648", "0x10", "1.5", "٣"})
        EXPECT_FALSE(Configuration::ParseInteger(QString::fromUtf8(bad)).has_value()) << bad;
}

TEST(ConfigurationValues, FavoriteLineIsTwoUpperHexDigitsAndPath)
{
    EXPECT_EQ(Configuration::FavoriteLine(0x2a, QStringLiteral("/home/x")), QStringLiteral("2A/home/x"));
    EXPECT_EQ(Configuration::FavoriteLine(5, QStringLiteral("/")), QStringLiteral("05/"));
}

class RenderSettingsTest : public ::testing::Test, public WindowFixture {};

TEST_F(RenderSettingsTest, DefaultsCentreAndBadValueStopsWithConversionText)
{
    Configuration fresh(iniPath());
    RenderSettings settings;
    settings.brightness = 15;
    EXPECT_FALSE(fresh.ReadRenderSettings(settings, QSize(1000, 800), QSize(366, 410)).has_value());
    EXPECT_EQ(settings.left, (1000 - 366) / 2);
    EXPECT_EQ(settings.top, (800 - 410) / 2);
    EXPECT_EQ(settings.brightness, 40);
    EXPECT_EQ(settings.zoom, 500);

    writeIni("[Render]\r\nLeft=3\r\nTop=4\r\nBrightness=x7\r\nZoom=9\r\n");
    RenderSettings stopped;
    stopped.brightness = 15;
    EXPECT_EQ(fresh.ReadRenderSettings(stopped, QSize(1000, 800), QSize(366, 410)),
              QStringLiteral("'x7' is not a valid integer value"));
    EXPECT_EQ(stopped.top, 4);
    EXPECT_EQ(stopped.brightness, 15) << "the window keeps what it had";
    EXPECT_EQ(stopped.zoom, 500);
}

TEST_F(RenderSettingsTest, WrittenInOrderBesideMainSettings)
{
    writeIni("[Kandora]\r\nWidth=900\r\n");
    Configuration config2(iniPath());
    config2.WriteRenderSettings(RenderSettings{1, 2, 3, 4, false, true});
    EXPECT_EQ(readIni(), QByteArray("[Kandora]\r\nWidth=900\r\n[Render]\r\nLeft=1\r\nTop=2\r\nBrightness=3\r\n"
                                    "Zoom=4\r\nRadiocity=0\r\nAutoR=1\r\n"));
    EXPECT_FALSE(config2.ConfigWriteFailed());
}

}  // namespace
