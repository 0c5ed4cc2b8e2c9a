#pragma once

#include "lang/Messages.h"

#include <QtGlobal>

namespace bench {

// Shows nothing and answers every question with yes; an error ends the run, as its
// figures would not count.
class NoMessages : public lang::Messages {
public:
    void inform(const QString&) override {}
    void fail(const QString&) override {}
    bool ask(const QString&) override { return true; }
    bool askToDelete(const QString&, const QStringList&) override { return true; }
    void showError(const QString& text) override { qFatal("%s", qPrintable(text)); }
};

} // namespace bench
