#include "app/Configuration.h"

#include <charconv>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include "app/ConfigurationHost.h"
#include "app/GroupBoxEx.h"
#include "app/IniFile.h"

namespace {

// Thrown by the readers at the first bad value; caught where reading stops.
struct BadValue {
    QString text;
};

const QString kMain = QStringLiteral("Kandora");
const QString kOptions = QStringLiteral("Options");
const QString kFavorites = QStringLiteral("Favorites");
const QString kRender = QStringLiteral("Render");
const QString kDetails = QStringLiteral("Details");

QString FromStd(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToStd(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
const QString kNoFavorite = QStringLiteral("***");

struct GroupDefaults {
    const char* name;
    bool collapsed;
    bool checkBox;
};
// Reading and writing order of the option group boxes.
constexpr GroupDefaults kGroups[] = {
    {"GroupBoxExOptions", false, true}, {"GroupBoxExView", true, false},  {"GroupBoxExTree", true, false},
    {"GroupBoxExList", true, true},     {"GroupBoxExEye", true, true},    {"GroupBoxExFavorites", true, true},
    {"GroupBoxExOther", false, true},
};

int ReadInt(const IniDocument& ini, const QString& section, const QString& key, int fallback)
{
    const std::optional<QString> text = ini.value(section, key);
    if (!text || text->isEmpty())
        return fallback;
    const std::optional<int> value = Configuration::ParseInteger(*text);
    if (!value)
        throw BadValue{*text};
    return *value;
}

bool ReadFlag(const IniDocument& ini, const QString& section, const QString& key, bool fallback)
{
    return ReadInt(ini, section, key, fallback ? 1 : 0) != 0;
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

QString Flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

bool CheckBoxDefault(const QString& name, bool groupDefault)
{
    static const QStringList alwaysOn = {QStringLiteral("CheckBoxButton"), QStringLiteral("CheckBoxWarning"),
                                         QStringLiteral("CheckBoxSort"), QStringLiteral("CheckBoxTitleBar")};
    return alwaysOn.contains(name) || groupDefault;
}

QString RadioDefault(const QString& groupName)
{
    if (groupName == QLatin1String("GroupBoxExView"))
        return QStringLiteral("RadioButtonList");
    if (groupName == QLatin1String("GroupBoxExTree"))
        return QStringLiteral("RadioButtonXP");
    if (groupName == QLatin1String("GroupBoxExList"))
        return QStringLiteral("RadioButtonLXP");
    return QString();
}

// The stored child controls of a group box, in control (creation) order.
QList<QWidget*> StoredControls(const TGroupBoxEx* groupBox)
{
    QList<QWidget*> controls;
    for (QWidget* child : groupBox->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QCheckBox*>(child) || qobject_cast<QRadioButton*>(child) || qobject_cast<QSlider*>(child)
            || qobject_cast<QComboBox*>(child) || qobject_cast<QLineEdit*>(child))
            controls.append(child);
    }
    return controls;
}

void ReadGroupBox(const IniDocument& ini, TGroupBoxEx* box, bool collapsedDefault, bool checkDefault)
{
    const QString section = box->objectName();
    box->setCollapsed(ReadFlag(ini, section, QStringLiteral("Collapsed"), collapsedDefault));
    for (QWidget* control : StoredControls(box)) {
        const QString key = control->objectName();
        if (auto* slider = qobject_cast<QSlider*>(control)) {
            slider->setValue(ReadInt(ini, section, key, slider->value()));
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            const int fallback = key == QLatin1String("ComboBoxUp") ? 2 : 0;
            const int index = ReadInt(ini, section, key, fallback);
            combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            edit->setText(ini.value(section, key, QStringLiteral("-1")));
        } else if (auto* radio = qobject_cast<QRadioButton*>(control)) {
            const QString chosen = ini.value(section, QStringLiteral("RB"), RadioDefault(section));
            radio->setChecked(chosen.compare(key, Qt::CaseInsensitive) == 0);
        } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
            check->setChecked(ReadFlag(ini, section, key, CheckBoxDefault(key, checkDefault)));
        }
    }
}

}  // namespace

Configuration::Configuration(QString iniPath, bool createFolder)
    : path_(std::move(iniPath)), createFolder_(createFolder)
{
}

Configuration::Configuration(const Location& location) : Configuration(location.path, location.createFolder) {}

Configuration::Location Configuration::DefaultLocation()
{
    return ChooseLocation(QCoreApplication::applicationDirPath(),
                          ConfigFolder(qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath()));
}

QString Configuration::ConfigFolder(const QString& xdgConfigHome, const QString& home)
{
    // The base-directory rules: a relative path in the variable is invalid and ignored.
    if (!xdgConfigHome.isEmpty() && QDir::isAbsolutePath(xdgConfigHome))
        return xdgConfigHome;
    return home.isEmpty() ? QString() : QDir(home).filePath(QStringLiteral(".config"));
}

Configuration::Location Configuration::ChooseLocation(const QString& programFolder, const QString& configFolder)
{
    const QString beside = QDir(programFolder).filePath(QStringLiteral("ies.ini"));
    // An installed program's folder is not writable; only a file put there
    // on purpose (a portable copy) keeps the settings beside the program.
    if (QFileInfo::exists(beside) || configFolder.isEmpty())
        return {beside, false};
    return {QDir(configFolder).filePath(QStringLiteral("kandora/ies.ini")), true};
}

bool Configuration::Save(const IniFile& file) const
{
    if (createFolder_ && !QDir().mkpath(QFileInfo(path_).absolutePath()))
        return false;
    return file.save();
}

std::optional<int> Configuration::ParseInteger(const QString& text)
{
    QByteArray bytes = text.toLatin1();
    if (text.size() != bytes.size())
        return std::nullopt;
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    if (first != last && *first == '+')
        ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last)
        return std::nullopt;
    return value;
}

QString Configuration::FavoriteLine(int viewByte, const QString& path)
{
    return QStringLiteral("%1").arg(viewByte & 0xFF, 2, 16, QLatin1Char('0')).toUpper() + path;
}

bool Configuration::ReadGroupBoxSettings(const IniDocument& ini, TGroupBoxEx* groupBox, bool collapsedDefault,
                                         bool checkBoxDefault)
{
    try {
        ReadGroupBox(ini, groupBox, collapsedDefault, checkBoxDefault);
        return true;
    } catch (const BadValue&) {
        return false;
    }
}

void Configuration::WriteGroupBoxSettings(IniDocument& ini, const TGroupBoxEx* groupBox)
{
    const QString section = groupBox->objectName();
    ini.setValue(section, QStringLiteral("Collapsed"), Flag(groupBox->collapsed()));
    for (QWidget* control : StoredControls(groupBox)) {
        const QString key = control->objectName();
        if (auto* slider = qobject_cast<QSlider*>(control))
            ini.setValue(section, key, QString::number(slider->value()));
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            ini.setValue(section, key, QString::number(combo->currentIndex()));
        else if (auto* edit = qobject_cast<QLineEdit*>(control))
            ini.setValue(section, key, edit->text());
        else if (auto* radio = qobject_cast<QRadioButton*>(control)) {
            if (radio->isChecked())
                ini.setValue(section, QStringLiteral("RB"), key);
        } else if (auto* check = qobject_cast<QCheckBox*>(control))
            ini.setValue(section, key, Flag(check->isChecked()));
    }
}

bool Configuration::ReadFavorites(const IniDocument& ini, ConfigurationHost& host)
{
    for (int n = 0;; ++n) {
        const QString line = ini.value(kFavorites, QStringLiteral("folder%1").arg(n), kNoFavorite);
        if (line == kNoFavorite)
            return true;
        if (line.size() < 2 || HexDigit(line[0]) < 0 || HexDigit(line[1]) < 0)
            return false;
        const int viewByte = HexDigit(line[0]) * 16 + HexDigit(line[1]);
        host.addFavorite(line.mid(2), viewByte);
    }
}

bool Configuration::ReadConfiguration(ConfigurationHost& host) const
{
    IniFile file(path_);
    file.load();
    const IniDocument& ini = file.document();
    try {
        host.setStoredPath(ini.value(kMain, QStringLiteral("Path"), QString()));
        host.setNormalWidth(ReadInt(ini, kMain, QStringLiteral("Width"), 800));
        host.setNormalHeight(ReadInt(ini, kMain, QStringLiteral("Height"), 600));
        const QSize screen = host.screenSize();
        const QSize size = host.normalSize();
        host.setNormalLeft(ReadInt(ini, kMain, QStringLiteral("Left"), (screen.width() - size.width()) / 2));
        host.setNormalTop(ReadInt(ini, kMain, QStringLiteral("Top"), (screen.height() - size.height()) / 2));
        host.setOrtho(ReadFlag(ini, kMain, QStringLiteral("Ortho"), true));
        host.setFit(ReadFlag(ini, kMain, QStringLiteral("Fit"), false));
        const int state = ReadInt(ini, kMain, QStringLiteral("State"), 0);
        if (state >= 0 && state <= 2)
            host.setWindowStateCode(state);
        host.setTreeHeight(ReadInt(ini, kMain, QStringLiteral("Tree"), 362));
        host.setColumnWidth(ReadInt(ini, kMain, QStringLiteral("Right"), 330));
        host.setInfoHeight(ReadInt(ini, kMain, QStringLiteral("Info"), 101));

        host.setPanelVisible(ReadFlag(ini, kOptions, QStringLiteral("Panel"), true));
        host.trackBarK()->setValue(ReadInt(ini, kOptions, QStringLiteral("K"), 80));
        host.trackBarR()->setValue(ReadInt(ini, kOptions, QStringLiteral("R"), 32));

        if (!ReadFavorites(ini, host))
            return false;

        // Read whole or not at all: a missing section keeps the designed columns.
        if (ini.value(kDetails, QStringLiteral("Columns")).has_value()) {
            DetailsLayoutText details;
            details.columns = ToStd(ini.value(kDetails, QStringLiteral("Columns"), QString()));
            details.widths = ToStd(ini.value(kDetails, QStringLiteral("Widths"), QString()));
            details.hidden = ToStd(ini.value(kDetails, QStringLiteral("Hidden"), QString()));
            details.sort = ToStd(ini.value(kDetails, QStringLiteral("Sort"), QString()));
            details.descending = ToStd(ini.value(kDetails, QStringLiteral("Descending"), QString()));
            host.setDetailsLayout(DetailsLayoutFromText(details));
        }

        const QList<TGroupBoxEx*> boxes = host.optionGroupBoxes();
        for (const GroupDefaults& group : kGroups) {
            for (TGroupBoxEx* box : boxes)
                if (box->objectName() == QLatin1String(group.name))
                    ReadGroupBox(ini, box, group.collapsed, group.checkBox);
        }
        return true;
    } catch (const BadValue&) {
        return false;
    }
}

void Configuration::WriteConfiguration(ConfigurationHost& host)
{
    IniFile file(path_);
    file.load();
    IniDocument& ini = file.document();

    ini.setValue(kMain, QStringLiteral("State"), QString::number(host.windowStateCode()));
    host.restoreNormalState();
    const QSize size = host.normalSize();
    const QPoint position = host.normalPosition();
    ini.setValue(kMain, QStringLiteral("Width"), QString::number(size.width()));
    ini.setValue(kMain, QStringLiteral("Height"), QString::number(size.height()));
    ini.setValue(kMain, QStringLiteral("Left"), QString::number(position.x()));
    ini.setValue(kMain, QStringLiteral("Top"), QString::number(position.y()));
    ini.setValue(kMain, QStringLiteral("Fit"), Flag(host.fit()));
    ini.setValue(kMain, QStringLiteral("Ortho"), Flag(host.ortho()));
    ini.setValue(kMain, QStringLiteral("Tree"), QString::number(host.treeHeight()));
    ini.setValue(kMain, QStringLiteral("Right"), QString::number(host.columnWidth()));
    ini.setValue(kMain, QStringLiteral("Info"), QString::number(host.infoHeight()));
    ini.setValue(kMain, QStringLiteral("Path"), host.folderDisplayPath());

    ini.setValue(kOptions, QStringLiteral("K"), QString::number(host.trackBarK()->value()));
    ini.setValue(kOptions, QStringLiteral("R"), QString::number(host.trackBarR()->value()));
    ini.setValue(kOptions, QStringLiteral("Panel"), Flag(host.panelVisible()));

    const QList<TGroupBoxEx*> boxes = host.optionGroupBoxes();
    for (const GroupDefaults& group : kGroups) {
        for (const TGroupBoxEx* box : boxes)
            if (box->objectName() == QLatin1String(group.name))
                WriteGroupBoxSettings(ini, box);
    }

    const DetailsLayoutText details = DetailsLayoutToText(host.detailsLayout());
    ini.setValue(kDetails, QStringLiteral("Columns"), FromStd(details.columns));
    ini.setValue(kDetails, QStringLiteral("Widths"), FromStd(details.widths));
    ini.setValue(kDetails, QStringLiteral("Hidden"), FromStd(details.hidden));
    ini.setValue(kDetails, QStringLiteral("Sort"), FromStd(details.sort));
    ini.setValue(kDetails, QStringLiteral("Descending"), FromStd(details.descending));

    const QStringList favorites = host.CollectFavorites();
    ini.eraseSection(kFavorites);
    for (int n = 0; n < favorites.size(); ++n)
        ini.setValue(kFavorites, QStringLiteral("folder%1").arg(n), favorites[n]);

    if (!Save(file))
        writeFailed_ = true;
}

std::optional<QString> Configuration::ReadRenderSettings(RenderSettings& settings, QSize screen, QSize window) const
{
    IniFile file(path_);
    file.load();
    const IniDocument& ini = file.document();
    try {
        settings.left = ReadInt(ini, kRender, QStringLiteral("Left"), (screen.width() - window.width()) / 2);
        settings.top = ReadInt(ini, kRender, QStringLiteral("Top"), (screen.height() - window.height()) / 2);
        settings.brightness = ReadInt(ini, kRender, QStringLiteral("Brightness"), 40);
        settings.zoom = ReadInt(ini, kRender, QStringLiteral("Zoom"), 500);
        settings.radiosity = ReadFlag(ini, kRender, QStringLiteral("Radiocity"), true);
        settings.autoUpdate = ReadFlag(ini, kRender, QStringLiteral("AutoR"), true);
        return std::nullopt;
    } catch (const BadValue& bad) {
        return QStringLiteral("'%1' is not a valid integer value").arg(bad.text);
    }
}

void Configuration::WriteRenderSettings(const RenderSettings& settings)
{
    IniFile file(path_);
    file.load();
    IniDocument& ini = file.document();
    ini.setValue(kRender, QStringLiteral("Left"), QString::number(settings.left));
    ini.setValue(kRender, QStringLiteral("Top"), QString::number(settings.top));
    ini.setValue(kRender, QStringLiteral("Brightness"), QString::number(settings.brightness));
    ini.setValue(kRender, QStringLiteral("Zoom"), QString::number(settings.zoom));
    ini.setValue(kRender, QStringLiteral("Radiocity"), Flag(settings.radiosity));
    ini.setValue(kRender, QStringLiteral("AutoR"), Flag(settings.autoUpdate));
    if (!Save(file))
        writeFailed_ = true;
}

QString Configuration::writeFailureMessage() const
{
    const QString folder = QFileInfo(path_).absolutePath();
    return QStringLiteral("Unable to write configuration data.\rIt is possible file '") + folder
           + QStringLiteral("/ies.ini' is read only.");
}
