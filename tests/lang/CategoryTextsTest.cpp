#include "LanguageDb.h"
#include "readings/Category.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// Every category of both schemes has a name in English and German, and the names of one
// scheme differ from each other.
TEST(CategoryTexts, EveryCategoryIsNamedInBothLanguages) {
    using readings::Category;
    const QList<QList<Category>> schemes = {
        {Category::EshOptimal, Category::EshNormal, Category::EshHighNormal, Category::EshGrade1,
         Category::EshGrade2, Category::EshGrade3, Category::EshIsolatedSystolic},
        {Category::AccNormal, Category::AccElevated, Category::AccStage1, Category::AccStage2,
         Category::AccCrisis},
    };
    LanguageDb db;
    for (const char* language : {"english", "german"}) {
        db.select(language);
        for (const QList<Category>& scheme : schemes) {
            QSet<QString> names;
            for (Category category : scheme) {
                const QString name = db.language.GetHintText(readings::categoryKey(category));
                EXPECT_FALSE(name.isEmpty()) << language << ' ' << static_cast<int>(category);
                names.insert(name);
            }
            EXPECT_EQ(names.size(), scheme.size()) << language;
        }
    }
    EXPECT_EQ(db.language.GetHintText(readings::categoryKey(Category::EshGrade1)),
              "Hypertonie Grad 1");
}

} // namespace
