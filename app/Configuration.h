#pragma once

#include <optional>

#include <QSize>
#include <QString>

#include "render/RenderSettings.h"

class ConfigurationHost;
class IniDocument;
class TGroupBoxEx;

// The persistent settings in `ies.ini`: which sections and keys, their
// defaults, and the order in which they are read and written.
class Configuration : public RenderSettingsStore {
public:
    // `iniPath` is the file; normally DefaultPath().
    explicit Configuration(QString iniPath);

    // The executable's folder joined with "ies.ini".
    [[nodiscard]] static QString DefaultPath();
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
    // The display name of an existing folder, nothing when it is not one.
    [[nodiscard]] static std::optional<QString> ParseFolder(const QString& path);

private:
    QString path_;
    bool writeFailed_ = false;
};
