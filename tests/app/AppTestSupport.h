#pragma once

#include <memory>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>

#include "app/Configuration.h"
#include "app/InfoPanel.h"
#include "app/MainWindow.h"
#include "app/MessagePresenter.h"
#include "app/OptionsPanel.h"
#include "browser/ShownFile.h"

// Records messages instead of opening dialogs.
class RecordingPresenter : public MessagePresenter {
public:
    struct Message {
        Icon icon;
        QString caption;
        QString text;
    };
    void showMessage(Icon icon, const QString& caption, const QString& text) override
    {
        messages.push_back({icon, caption, text});
    }
    std::vector<Message> messages;
};

// A main window over an ies.ini in a temporary folder.
class WindowFixture {
public:
    QTemporaryDir dir;
    RecordingPresenter presenter;
    ShownFile shown;
    std::unique_ptr<Configuration> config;
    std::unique_ptr<TMainWindow> window;

    QString iniPath() const { return dir.filePath(QStringLiteral("ies.ini")); }

    void writeIni(const QByteArray& text) const
    {
        QFile file(iniPath());
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
    }
    QByteArray readIni() const
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    TMainWindow& open(const QString& path = QString())
    {
        return open(Configuration::Location{path.isEmpty() ? iniPath() : path, false});
    }
    TMainWindow& open(const Configuration::Location& location)
    {
        config = std::make_unique<Configuration>(location);
        window = std::make_unique<TMainWindow>(*config, presenter, shown);
        return *window;
    }
    OptionsPanel& options() const { return *window->areas().optionsPanel; }
    // A control by its objectName, which is its configuration key.
    template <class T>
    T* control(const char* name) const
    {
        T* found = options().content()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    bool ticked(const char* name) const
    {
        const auto* box = control<QCheckBox>(name);
        return box && box->isChecked();
    }
    bool chosen(const char* name) const
    {
        const auto* radio = control<QRadioButton>(name);
        return radio && radio->isChecked();
    }
    void closeWindow() const { window->close(); }
};
