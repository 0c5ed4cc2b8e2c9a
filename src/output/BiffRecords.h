#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>

namespace output {

// BIFF8 records appended to a byte stream, little-endian.
class BiffRecords {
public:
    // The largest payload of one record; longer data continues in CONTINUE records.
    static constexpr int maxPayload = 8224;

    const std::string& bytes() const { return bytes_; }
    int size() const { return int(bytes_.size()); }
    void reserve(qsizetype bytes) { bytes_.reserve(size_t(bytes)); }

    // Starts a record; its length is filled in by end().
    void begin(uint16_t id);
    void end();
    void u8(uint8_t value) { bytes_.push_back(char(value)); }
    void u16(uint16_t value);
    void u32(uint32_t value);
    void f64(double value);
    // A string with a 16-bit (long) or 8-bit (short) character count, in UTF-16.
    void unicodeString(const QString& text, bool longCount = true);
    // Writes a 32-bit value at an earlier position.
    void patchU32(int position, uint32_t value);

private:
    std::string bytes_;
    int recordStart_ = -1;
};

// The shared string table: each distinct text once, in order of first use.
class SharedStrings {
public:
    uint32_t indexOf(const QString& text);
    // SST with its CONTINUE records; a string may be split between records, its header
    // never is.
    void write(BiffRecords& out) const;

private:
    QHash<QString, uint32_t> indexes_;
    QStringList strings_;
    uint32_t uses_ = 0;
};

} // namespace output
