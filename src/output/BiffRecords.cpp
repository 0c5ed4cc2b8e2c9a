#include "output/BiffRecords.h"

#include <QtEndian>
#include <cstring>

namespace output {

namespace {

constexpr uint16_t sstId = 0x00FC;
constexpr uint16_t continueId = 0x003C;
constexpr int maxChars = 32767; // the longest text a cell holds

} // namespace

void BiffRecords::begin(uint16_t id) {
    u16(id);
    recordStart_ = size();
    u16(0);
}

void BiffRecords::end() {
    const int length = size() - recordStart_ - 2;
    qToLittleEndian<uint16_t>(uint16_t(length), &bytes_[recordStart_]);
    recordStart_ = -1;
}

void BiffRecords::u16(uint16_t value) {
    char raw[2];
    qToLittleEndian(value, raw);
    bytes_.append(raw, 2);
}

void BiffRecords::u32(uint32_t value) {
    char raw[4];
    qToLittleEndian(value, raw);
    bytes_.append(raw, 4);
}

void BiffRecords::f64(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    char raw[8];
    qToLittleEndian(bits, raw);
    bytes_.append(raw, 8);
}

void BiffRecords::unicodeString(const QString& text, bool longCount) {
    const int count = qMin(int(text.size()), longCount ? maxChars : 255);
    if (longCount)
        u16(uint16_t(count));
    else
        u8(uint8_t(count));
    u8(0x01); // characters in UTF-16
    for (int index = 0; index < count; ++index)
        u16(text[index].unicode());
}

void BiffRecords::patchU32(int position, uint32_t value) {
    qToLittleEndian(value, &bytes_[position]);
}

uint32_t SharedStrings::indexOf(const QString& text) {
    ++uses_;
    const auto found = indexes_.constFind(text);
    if (found != indexes_.constEnd())
        return *found;
    const uint32_t index = uint32_t(strings_.size());
    indexes_.insert(text, index);
    strings_.append(text);
    return index;
}

void SharedStrings::write(BiffRecords& out) const {
    out.begin(sstId);
    out.u32(uses_);
    out.u32(uint32_t(strings_.size()));
    int used = 8;
    const auto startContinue = [&] {
        out.end();
        out.begin(continueId);
        used = 0;
    };
    for (const QString& text : strings_) {
        const int count = qMin(int(text.size()), maxChars);
        if (used + 5 > BiffRecords::maxPayload) // header and one character
            startContinue();
        out.u16(uint16_t(count));
        out.u8(0x01);
        used += 3;
        int written = 0;
        while (written < count) {
            const int fits = qMin(count - written, (BiffRecords::maxPayload - used) / 2);
            for (int index = written; index < written + fits; ++index)
                out.u16(text[index].unicode());
            written += fits;
            used += 2 * fits;
            if (written < count) {
                startContinue();
                out.u8(0x01); // the rest goes on in UTF-16
                used = 1;
            }
        }
    }
    out.end();
}

} // namespace output
