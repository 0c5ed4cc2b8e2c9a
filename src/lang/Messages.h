#pragma once

#include <QStringList>

class QWidget;

namespace lang {

class LanguageStore;

// Message boxes by key: text from GetHintText, caption TitleText.
class Messages {
public:
    virtual ~Messages() = default;
    virtual void inform(const QString& key) = 0; // information icon, OK
    // Error icon, OK; the arguments fill %1, %2, ... as for ask.
    virtual void fail(const QString& key, const QStringList& arguments = {}) = 0;
    // Information icon, Yes/No, true on Yes; %1, %2, ... of the text are replaced by the
    // arguments. Every question deletes, replaces or ends something, so Enter answers No.
    virtual bool ask(const QString& key, const QStringList& arguments = {}) = 0;
    // A platform or database error text shown as it stands, error icon.
    virtual void showError(const QString& text) = 0;
};

class MessageBoxes : public Messages {
public:
    MessageBoxes(const LanguageStore& language, QWidget* parent);
    void inform(const QString& key) override;
    void fail(const QString& key, const QStringList& arguments = {}) override;
    bool ask(const QString& key, const QStringList& arguments = {}) override;
    void showError(const QString& text) override;
    // The window the boxes are centred on.
    void setParentWindow(QWidget* parent) { parent_ = parent; }

private:
    const LanguageStore& language_;
    QWidget* parent_;
};

} // namespace lang
