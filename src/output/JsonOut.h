#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstring>

namespace output {

// JSON text written into one buffer that is reserved ahead for the whole document; fragments
// are copied without a call per fragment.
class JsonOut {
public:
    explicit JsonOut(qsizetype expectedSize);

    template <std::size_t N> JsonOut& operator<<(const char (&fragment)[N]) {
        return put(fragment, N - 1);
    }
    JsonOut& operator<<(QByteArrayView fragment) { return put(fragment.data(), fragment.size()); }
    JsonOut& operator<<(char c) { return put(&c, 1); }
    JsonOut& operator<<(int number);
    // A JSON string literal in quotes, in UTF-8.
    void string(const QString& text);

    QByteArray take();

private:
    JsonOut& put(const char* data, qsizetype size) {
        if (end_ - at_ < size)
            grow(size);
        std::memcpy(at_, data, size);
        at_ += size;
        return *this;
    }
    void grow(qsizetype size);

    QByteArray bytes_;
    char* at_ = nullptr;
    char* end_ = nullptr;
};

} // namespace output
