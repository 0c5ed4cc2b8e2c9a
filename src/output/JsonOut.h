#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstring>
#include <memory>

class QIODevice;

namespace output {

// JSON text gathered in a block that goes to the device whenever it is full, so that a long
// document is written in large pieces without being held whole. Fragments are copied without
// a call per fragment. A failed write throws ExportError with the device's reason.
class JsonOut {
public:
    explicit JsonOut(QIODevice& device);

    template <std::size_t N> JsonOut& operator<<(const char (&fragment)[N]) {
        return put(fragment, N - 1);
    }
    JsonOut& operator<<(QByteArrayView fragment) { return put(fragment.data(), fragment.size()); }
    JsonOut& operator<<(char c) { return put(&c, 1); }
    JsonOut& operator<<(int number);
    // A JSON string literal in quotes, in UTF-8.
    void string(const QString& text);

    // Writes what is left; the text is complete.
    void finish();

private:
    JsonOut& put(const char* data, qsizetype size) {
        if (end_ - at_ < size)
            return putPiecewise(data, size);
        std::memcpy(at_, data, size);
        at_ += size;
        return *this;
    }
    JsonOut& putPiecewise(const char* data, qsizetype size);
    void flush();

    QIODevice& device_;
    std::unique_ptr<char[]> block_;
    char* at_;
    char* end_;
};

} // namespace output
