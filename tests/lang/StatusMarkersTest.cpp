#include "lang/StatusMarkers.h"

#include "LanguageDb.h"

#include <gtest/gtest.h>

namespace {

// Each condition of the status word by its short marker, in bit order, joined.
TEST(StatusMarkers, NameEachSetBitInBothLanguages) {
    struct Case {
        QVariant stored;
        const char* english;
        const char* german;
    };
    const Case cases[] = {
        {QVariant(), "", ""},
        {0, "", ""},
        {0x01, "body movement", "Körperbewegung"},
        {0x02, "cuff too loose", "Manschette zu locker"},
        {0x04, "irregular pulse", "unregelmäßiger Puls"},
        {0x08, "pulse above range", "Puls über dem Messbereich"},
        {0x10, "pulse below range", "Puls unter dem Messbereich"},
        {0x18, "", ""}, // the reserved pulse range
        {0x20, "improper position", "falsche Haltung"},
        {0x2D, "body movement, irregular pulse, pulse above range, improper position",
         "Körperbewegung, unregelmäßiger Puls, Puls über dem Messbereich, falsche Haltung"},
        {0xFFC0, "", ""}, // bits the monitor's service leaves unused
    };
    LanguageDb db;
    for (const char* language : {"english", "german"}) {
        db.select(language);
        for (const Case& c : cases)
            EXPECT_EQ(lang::statusMarkers(db.language, c.stored),
                      QString::fromUtf8(language[0] == 'e' ? c.english : c.german))
                << language << ' ' << c.stored.toInt();
    }
}

} // namespace
