#pragma once

#include <memory>

#include <QCheckBox>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>

#include "app/Configuration.h"
#include "app/MainWindow.h"
#include "app/MessagePresenter.h"
#include "app/OptionsPanel.h"

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
        config = std::make_unique<Configuration>(path.isEmpty() ? iniPath() : path);
        window = std::make_unique<TMainWindow>(*config, presenter);
        return *window;
    }
    OptionsPanel& options() const { return *window->areas().panelMain; }
    bool ticked(const char* name) const { return options().ticked(QString::fromLatin1(name)); }
    bool chosen(const char* name) const
    {
        return options().control<QRadioButton>(QString::fromLatin1(name))->isChecked();
    }
    void closeWindow() const { window->close(); }
};
