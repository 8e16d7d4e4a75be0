#pragma once
// Opens files with the desktop's default application through xdg-open.
#include "data/AppContext.h"

#include <QString>

class DesktopOpener : public IExternalOpener {
public:
    // program: the launcher; waitMs: how long to wait for it to report a failure.
    explicit DesktopOpener(QString program = QStringLiteral("xdg-open"), int waitMs = 3000);
    // Throws std::runtime_error with the platform's message when the launcher cannot
    // start, or ends with an error within waitMs. A launcher still running after
    // waitMs is left to run on its own.
    void open(const QString &path) override;

private:
    QString program_;
    int waitMs_;
};
