#include "ToolsFixture.h"
#include "tools/FindMatch.h"
#include "tools/Tfrmfind.h"
#include "ui/RadioGroup.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

class FindDialog : public ToolsFixture {
protected:
    // One search from the current record; true when the dialog closed.
    bool find(const QString& entry, const QString& field,
              tools::MatchType match = tools::MatchType::Beginning,
              tools::Tfrmfind::Direction direction = tools::Tfrmfind::Down) {
        tools::Tfrmfind dialog(context);
        dialog.setGrid(grid);
        dialog.entry()->setText(entry);
        dialog.fieldList()->setCurrentIndex(dialog.fieldList()->findText(field));
        dialog.matchList()->setCurrentIndex(int(match));
        dialog.direction()->setItemIndex(direction);
        dialog.btnOkClick();
        return dialog.result() == QDialog::Accepted;
    }

    void threePersons() {
        person(1, "Smith");
        person(2, "Jones", "1971-03-04 00:00:00", true);
        person(3, "Smith");
        open();
    }
};

TEST_F(FindDialog, OffersTheVisibleColumnsByFieldNameInColumnOrder) {
    open();
    tools::Tfrmfind dialog(context);
    dialog.setGrid(grid);
    QStringList offered;
    for (int index = 0; index < dialog.fieldList()->count(); ++index)
        offered << dialog.fieldList()->itemText(index);
    EXPECT_EQ(offered, QStringList({"id", "lastname", "birthday", "smoker", "height"}));
    EXPECT_EQ(dialog.matchList()->currentIndex(), 0);
    EXPECT_EQ(dialog.direction()->itemIndex(), tools::Tfrmfind::Down);
}

TEST_F(FindDialog, TheStartingRecordCountsAndTheSearchNeverWraps) {
    threePersons();
    rows.setRecNo(2);
    EXPECT_TRUE(find("Jones", "lastname", tools::MatchType::WholeField));
    EXPECT_EQ(rows.recNo(), 2);
    EXPECT_TRUE(find("smi", "lastname"));
    EXPECT_EQ(rows.recNo(), 3);
    EXPECT_TRUE(messages.shown.isEmpty());

    EXPECT_TRUE(find("jon", "lastname"));
    EXPECT_EQ(rows.recNo(), 3) << "the last record tested stays current";
    EXPECT_EQ(messages.shown, QStringList{"inform:find_not_found"});

    EXPECT_TRUE(find("xyz", "lastname", tools::MatchType::Beginning, tools::Tfrmfind::Up));
    EXPECT_EQ(rows.recNo(), 1);
    rows.setRecNo(2);
    EXPECT_TRUE(find("smith", "lastname", tools::MatchType::WholeField, tools::Tfrmfind::Up));
    EXPECT_EQ(rows.recNo(), 1);
}

TEST_F(FindDialog, AnEmptyListFindsNothing) {
    open();
    EXPECT_TRUE(find("a", "lastname"));
    EXPECT_EQ(messages.shown, QStringList{"inform:find_not_found"});
}

TEST_F(FindDialog, TextMatchesWithoutRegardToCaseByMatchType) {
    person(1, "Smith");
    person(2, "Müller");
    open();
    const auto matches = [this](const QString& entry, tools::MatchType match) {
        return tools::recordMatches(rows, {"lastname", "string"}, entry, match);
    };
    EXPECT_TRUE(matches("mit", tools::MatchType::AnywhereIn));
    EXPECT_TRUE(matches("smi", tools::MatchType::Beginning));
    EXPECT_TRUE(matches("SMITH", tools::MatchType::WholeField));
    EXPECT_TRUE(matches(" Smith  ", tools::MatchType::WholeField)) << "blanks around are trimmed";
    EXPECT_TRUE(matches("\tsmi ", tools::MatchType::Beginning));
    EXPECT_FALSE(matches("smi", tools::MatchType::WholeField));
    EXPECT_FALSE(matches("mit", tools::MatchType::Beginning));

    rows.first();
    EXPECT_TRUE(find("mül", "lastname", tools::MatchType::AnywhereIn));
    EXPECT_EQ(rows.asString("lastname"), "Müller");
    rows.first();
    EXPECT_TRUE(find("MÜL", "lastname", tools::MatchType::AnywhereIn));
    EXPECT_EQ(rows.recNo(), 2);
}

TEST_F(FindDialog, BooleanEntriesAreOneOrZero) {
    threePersons();
    EXPECT_TRUE(find("1", "smoker"));
    EXPECT_EQ(rows.recNo(), 2);
    EXPECT_TRUE(find("0", "smoker"));
    EXPECT_EQ(rows.recNo(), 3);

    rows.first();
    EXPECT_FALSE(find("yes", "smoker"));
    EXPECT_EQ(messages.shown, QStringList{"inform:boolean_Content_error"});
    EXPECT_EQ(rows.recNo(), 1);
}

TEST_F(FindDialog, IntegerEntriesAreWholeNumbers) {
    person(7, "Smith");
    person(12, "Jones");
    open();
    EXPECT_FALSE(find("12a", "id"));
    EXPECT_EQ(messages.shown, QStringList{"inform:integer_Content_error"});
    EXPECT_EQ(rows.recNo(), 1);
    EXPECT_TRUE(find("12", "id"));
    EXPECT_EQ(rows.recNo(), 2);
}

TEST_F(FindDialog, DateEntriesAreShortDatesAndMatchTheWholeValue) {
    threePersons();
    EXPECT_FALSE(find("31.02.1971", "birthday"));
    EXPECT_FALSE(find("morgen", "birthday"));
    EXPECT_EQ(messages.shown,
              QStringList({"inform:date_Content_error", "inform:date_Content_error"}));
    EXPECT_TRUE(find("04.03.1971", "birthday"));
    EXPECT_EQ(rows.recNo(), 2);
    EXPECT_EQ(messages.shown.size(), 2);
}

TEST_F(FindDialog, MissingInputIsRefusedInOrderAndKeepsTheDialogOpen) {
    threePersons();
    rows.setRecNo(2);
    EXPECT_FALSE(find("   ", ""));
    EXPECT_FALSE(find("Smith", ""));
    EXPECT_EQ(messages.shown, QStringList({"inform:find_Content_null", "inform:find_field_null"}));
    EXPECT_EQ(rows.recNo(), 2);
}

TEST_F(FindDialog, FloatsCompareAsNumbersWithTheLocalesDecimalSeparator) {
    dm1.adocom1.execute("create table weights (kilo REAL)");
    dm1.adocom1.execute("insert into weights values (72.5)");
    store::Dataset& weights = dm1.adoquery;
    weights.setCommandText("select * from weights");
    weights.open();
    const tools::TfindOp kilo{"kilo", tools::FieldTypeName(weights.fieldType(0))};
    ASSERT_EQ(kilo.datatype, "float");
    EXPECT_TRUE(tools::recordMatches(weights, kilo, "72,50", tools::MatchType::Beginning));
    EXPECT_FALSE(tools::recordMatches(weights, kilo, "72.5", tools::MatchType::Beginning));
    EXPECT_FALSE(tools::recordMatches(weights, kilo, "72", tools::MatchType::Beginning));
}

TEST_F(FindDialog, TheFieldTypeNamesAndTheirEntryChecks) {
    EXPECT_EQ(tools::FieldTypeName(store::FieldType::Text), "string");
    EXPECT_EQ(tools::FieldTypeName(store::FieldType::Float), "float");
    EXPECT_EQ(tools::FieldTypeName(store::FieldType::Unknown), "ftUnknown");
    EXPECT_EQ(tools::entryError("boolean", " 1 "), "");
    EXPECT_EQ(tools::entryError("string", "12a"), "");
    EXPECT_EQ(tools::entryError("float", "x"), "");
}

} // namespace
