#pragma once

#include <string>
#include <vector>

#include "browser/DesktopOpen.h"

// Records what would have been handed to the desktop.
class RecordingDesktop : public DesktopPort {
public:
    struct Started {
        QString program;
        std::vector<std::string> arguments;
    };
    struct Call {
        QString method;
        QList<QByteArray> urls;
    };
    bool OpenUrl(const QByteArray& url, Ended whenEnded) override
    {
        opened.push_back(url);
        ended.push_back(std::move(whenEnded));
        return opens;
    }
    [[nodiscard]] bool HasProgram(const QString& name) const override { return programs.contains(name); }
    bool Start(const QString& program, const std::vector<std::string>& arguments, Ended whenEnded) override
    {
        started.push_back({program, arguments});
        ended.push_back(std::move(whenEnded));
        return true;
    }
    bool CallFileManager(const QString& method, const QList<QByteArray>& urls) override
    {
        calls.push_back({method, urls});
        return fileManagerAnswers;
    }

    QStringList programs;
    bool fileManagerAnswers = true;
    bool opens = true;  // what OpenUrl answers
    // Each hand-over's report of its program's end, in order; a test calls it.
    std::vector<Ended> ended;
    std::vector<QByteArray> opened;
    std::vector<Started> started;
    std::vector<Call> calls;
};
