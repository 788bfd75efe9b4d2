#pragma once

#include "browser/DesktopOpen.h"

// The running desktop: xdg-open, programs started detached, the session bus.
class SystemDesktop : public DesktopPort {
public:
    bool OpenUrl(const QByteArray& url, Ended ended) override;
    [[nodiscard]] bool HasProgram(const QString& name) const override;
    bool Start(const QString& program, const std::vector<std::string>& arguments, Ended ended) override;
    bool CallFileManager(const QString& method, const QList<QByteArray>& urls) override;
};

// The process-wide one.
[[nodiscard]] DesktopPort& TheSystemDesktop();
