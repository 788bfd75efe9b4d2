#pragma once

#include <optional>

#include <QSize>
#include <QString>

#include "render/RenderSettings.h"

class ConfigurationHost;
class IniDocument;
class IniFile;
class TGroupBoxEx;

// The persistent settings in `ies.ini`: which sections and keys, their
// defaults, and the order in which they are read and written.
class Configuration : public RenderSettingsStore {
public:
    // Where the settings live, and whether the first write makes the folder.
    struct Location {
        QString path;
        bool createFolder = false;
    };

    // `iniPath` is the file; with `createFolder` a missing folder is made
    // when the file is first written.
    explicit Configuration(QString iniPath, bool createFolder = false);
    explicit Configuration(const Location& location);

    // An ies.ini beside the executable when one is there (a portable copy),
    // else "kandora/ies.ini" in the user's configuration folder.
    [[nodiscard]] static Location DefaultLocation();
    // The same choice for a given program folder and configuration folder.
    [[nodiscard]] static Location ChooseLocation(const QString& programFolder, const QString& configFolder);
    // The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute
    // path, else HOME/.config; empty without either.
    [[nodiscard]] static QString ConfigFolder(const QString& xdgConfigHome, const QString& home);
    [[nodiscard]] const QString& path() const { return path_; }

    // Reads "Kandora", "Options", "Favorites" and the option group boxes into
    // the host. Returns false when a bad value stopped the reading there; what
    // was applied stays, the rest keeps its designed state.
    [[nodiscard]] bool ReadConfiguration(ConfigurationHost& host) const;
    // Writes the main settings; a failed write sets ConfigWriteFailed().
    void WriteConfiguration(ConfigurationHost& host);

    // Reads "Render" over `settings` (which holds the window's current values).
    // Returns the conversion error of the first bad value, which stops the reading.
    [[nodiscard]] std::optional<QString> ReadRenderSettings(RenderSettings& settings, QSize screen,
                                                            QSize window) const override;
    // A failed write sets ConfigWriteFailed(), shared with the main settings.
    void WriteRenderSettings(const RenderSettings& settings) override;

    [[nodiscard]] bool ConfigWriteFailed() const { return writeFailed_; }
    // The message shown once at the end when a write failed ("\r" breaks lines).
    [[nodiscard]] QString writeFailureMessage() const;

    // The generic rule for one group box; the section is the box's objectName.
    // Returns false when a bad value stopped the reading.
    [[nodiscard]] static bool ReadGroupBoxSettings(const IniDocument& ini, TGroupBoxEx* groupBox,
                                                   bool collapsedDefault, bool checkBoxDefault);
    static void WriteGroupBoxSettings(IniDocument& ini, const TGroupBoxEx* groupBox);
    // Takes back the stored favourites whose folder still exists.
    [[nodiscard]] static bool ReadFavorites(const IniDocument& ini, ConfigurationHost& host);

    // A signed decimal integer (an optional sign, then digits, in range).
    [[nodiscard]] static std::optional<int> ParseInteger(const QString& text);
    // A favourite's stored line: the view byte as two upper-case hex digits, then the path.
    [[nodiscard]] static QString FavoriteLine(int viewByte, const QString& path);

private:
    [[nodiscard]] bool Save(const IniFile& file) const;

    QString path_;
    bool createFolder_ = false;
    bool writeFailed_ = false;
};
