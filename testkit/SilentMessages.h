#pragma once

#include "lang/Messages.h"

#include <QtGlobal>

namespace testkit {

// Message boxes that show nothing: every question gets the same answer, and an error
// text is dropped or ends the run.
class SilentMessages : public lang::Messages {
public:
    enum class Answer { No, Yes };
    enum class OnError { Ignore, EndRun };

    explicit SilentMessages(Answer answer, OnError onError = OnError::Ignore)
        : answer_(answer == Answer::Yes), endOnError_(onError == OnError::EndRun) {}

    void inform(const QString&) override {}
    void fail(const QString&, const QStringList& = {}) override {}
    bool ask(const QString&, const QStringList& = {}) override { return answer_; }
    void showError(const QString& text) override {
        if (endOnError_)
            qFatal("%s", qPrintable(text));
    }

private:
    bool answer_;
    bool endOnError_;
};

} // namespace testkit
