#pragma once

#include "lang/Messages.h"

#include <QStringList>
#include <deque>

// Records the keys of the message boxes that would be shown and answers questions
// from a script (Yes when the script is empty unless defaultAnswer says otherwise).
class FakeMessages : public lang::Messages {
public:
    void inform(const QString& key) override { shown << "inform:" + key; }
    // Recorded with the arguments in brackets.
    void fail(const QString& key, const QStringList& arguments = {}) override {
        shown << "fail:" + key + bracketed(arguments);
    }
    bool ask(const QString& key, const QStringList& arguments = {}) override {
        shown << "ask:" + key + bracketed(arguments);
        if (answers.empty())
            return defaultAnswer;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showError(const QString& text) override { shown << "error:" + text; }

    QStringList shown;
    std::deque<bool> answers;
    bool defaultAnswer = true;

private:
    static QString bracketed(const QStringList& arguments) {
        return arguments.isEmpty() ? QString() : "[" + arguments.join('|') + "]";
    }
};
