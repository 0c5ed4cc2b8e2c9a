#include "ImportFixture.h"

#include <QFile>

namespace {

using readings::DateOrder;
using readings::ImportStatus;

struct FileCase {
    const char* name;
    QByteArray bytes;
    QStringList stored = {};
    QStringList rejected = {}; // line:key:text
    ImportStatus status = ImportStatus::Done;
    const char* problem = "";
    const char* locale = "en_US";
    std::optional<DateOrder> order = {};
    int skipped = 0;
};

class ImportFileTest : public ImportFixture {
protected:
    void expectCase(const FileCase& c) {
        db.execute(QStringLiteral("delete * from bp_record"));
        readings::ImportOptions chosen = options(c.locale);
        chosen.dateOrder = c.order;
        const readings::ImportResult result = import(c.bytes, chosen);
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_EQ(result.problem ? result.problem->key : QString(), QString::fromLatin1(c.problem))
            << c.name;
        EXPECT_EQ(stored(), c.stored) << c.name;
        EXPECT_EQ(rejections(result), c.rejected) << c.name;
        EXPECT_EQ(result.summary.stored, c.stored.size()) << c.name;
        EXPECT_EQ(result.summary.skipped, c.skipped) << c.name;
        EXPECT_EQ(result.summary.rejectedCount, c.rejected.size()) << c.name;
    }
};

TEST_F(ImportFileTest, EachEncodingDelimiterAndDateForm) {
    const FileCase cases[] = {
        {.name = "UTF-8, comma, ISO with T and seconds, units in the titles",
         .bytes = "Date/Time,Systolic (mmHg),Diastolic (mmHg),Pulse (1/min)\n"
                  "2024-05-01T08:15:30,120,80,70\n2024-05-02T21:05:00,131,85,\n",
         .stored = {"2024-05-01 08:15:30|120|80|70|0|05/01|08:15",
                    "2024-05-02 21:05:00|131|85||0|05/02|21:05"}},
        {.name = "UTF-8 with mark, semicolon, decimal commas, no seconds",
         .bytes = "\xEF\xBB\xBFTimestamp;SYS;DIA;HR\r\n2024-05-01 08:15;120,0;80,00;\"70,0\"\r\n",
         .stored = {"2024-05-01 08:15:00|120|80|70|0|05/01|08:15"}},
        {.name = "UTF-16 LE, tab, UTC",
         .bytes = encoded("Zeitpunkt\tSystole\tDiastole\tPuls\n2024-05-01T06:15:00Z\t120\t80\t70\n",
                          QStringConverter::Utf16LE, true),
         .stored = {"2024-05-01 08:15:00|120|80|70|0|05/01|08:15"}},
        {.name = "UTF-16 BE, an offset",
         .bytes = encoded("Timestamp,SYS,DIA\r\n2024-01-10T12:00+05:30,120,80\r\n",
                          QStringConverter::Utf16BE, true),
         .stored = {"2024-01-10 07:30:00|120|80||0|01/10|07:30"}},
        {.name = "a German spreadsheet in Windows-1252",
         .bytes = windows1252(QStringLiteral("Datum;Uhrzeit;Systole;Diastole;Puls;Notiz\r\n"
                                             "05.03.2024;07:45;135;85;66;müde\r\n"
                                             "06.03.24;19:02;128;82;70;nach dem Kaffee\r\n")),
         .stored = {"2024-03-05 07:45:00|135|85|66|0|03/05|07:45",
                    "2024-03-06 19:02:00|128|82|70|0|03/06|19:02"},
         .locale = "de_DE"},
        {.name = "a US file: the 15th shows month first",
         .bytes = "Date,Time,SYS,DIA,Pulse\n3/5/2024,7:45 AM,135,85,66\n"
                  "3/15/2024,12:05 PM,128,82,70\n3/16/2024,12:10 AM,122,79,64\n",
         .stored = {"2024-03-05 07:45:00|135|85|66|0|03/05|07:45",
                    "2024-03-15 12:05:00|128|82|70|0|03/15|12:05",
                    "2024-03-16 00:10:00|122|79|64|0|03/16|00:10"}},
        {.name = "day first from a later line, whatever the caller chose",
         .bytes = "Date,Time,Sys,Dia\n05/03/2024,08:00,120,80\n13/03/2024,09:00,121,81\n",
         .stored = {"2024-03-05 08:00:00|120|80||0|03/05|08:00",
                    "2024-03-13 09:00:00|121|81||0|03/13|09:00"},
         .order = DateOrder::MonthFirst},
        {.name = "ambiguous: asks",
         .bytes = "Date,Systolic,Diastolic\n3/5/2024 08:00,120,80\n4/5/2024 08:00,121,81\n",
         .status = ImportStatus::NeedsDateOrder,
         .problem = "import_dates_ambiguous"},
        {.name = "ambiguous: day first chosen",
         .bytes = "Date,Systolic,Diastolic\n3/5/2024 08:00,120,80\n4/5/2024 08:00,121,81\n",
         .stored = {"2024-05-03 08:00:00|120|80||0|05/03|08:00",
                    "2024-05-04 08:00:00|121|81||0|05/04|08:00"},
         .order = DateOrder::DayFirst},
        {.name = "ambiguous: month first chosen",
         .bytes = "Date,Systolic,Diastolic\n3/5/2024 08:00,120,80\n4/5/2024 08:00,121,81\n",
         .stored = {"2024-03-05 08:00:00|120|80||0|03/05|08:00",
                    "2024-04-05 08:00:00|121|81||0|04/05|08:00"},
         .order = DateOrder::MonthFirst},
        {.name = "Unix milliseconds",
         .bytes = "Timestamp,Systolic,Diastolic,Pulse\n1709618880000,120,80,70\n"
                  "1709622480000,118,78,\n",
         .stored = {"2024-03-05 07:08:00|120|80|70|0|03/05|07:08",
                    "2024-03-05 08:08:00|118|78||0|03/05|08:08"}},
        {.name = "Unix seconds",
         .bytes = "Date,SYS,DIA\n1709618880,120,80\n",
         .stored = {"2024-03-05 07:08:00|120|80||0|03/05|07:08"}},
        {.name = "year first with slashes",
         .bytes = "Date and time;Systolic;Diastolic\n2024/05/01 08:15;120;80\n",
         .stored = {"2024-05-01 08:15:00|120|80||0|05/01|08:15"}},
        {.name = "the locale's short date",
         .bytes = "Date,Time,SYS,DIA\n01-05-2024,08:15,120,80\n",
         .stored = {"2024-05-01 08:15:00|120|80||0|05/01|08:15"},
         .locale = "nl_NL"},
        {.name = "quoted fields, extra columns, marks",
         .bytes = "Note,Date and time,Systolic,Diastolic,Pulse,Mark\n"
                  "\"a, \"\"b\"\"\nc\",2024-05-01 08:15,120,80,,True\n"
                  "x,2024-05-01 09:15,121,81,60,0\n",
         .stored = {"2024-05-01 08:15:00|120|80||-1|05/01|08:15",
                    "2024-05-01 09:15:00|121|81|60|0|05/01|09:15"}},
        {.name = "the same minute twice in the file",
         .bytes = "Date,Sys,Dia\n2024-05-01 08:15:10,120,80\n2024-05-01 08:15:50,125,85\n",
         .stored = {"2024-05-01 08:15:10|120|80||0|05/01|08:15"},
         .skipped = 1},
    };
    for (const FileCase& c : cases)
        expectCase(c);
}

TEST_F(ImportFileTest, RejectsLinesWholeWithLineAndReason) {
    const FileCase cases[] = {
        {.name = "one date and time column",
         .bytes = "Date,Systolic,Diastolic,Pulse,Mark\n"
                  "2024-05-01 08:00,abc,80,70,\n"
                  "2024-05-01 09:00,120,80,70,maybe\n"
                  "2024-05-01 10:00,120,80\n"
                  "2024-05-01 11:00,120,130,70,\n"
                  "2024-06-02 12:01,120,80,70,\n"
                  "2024-05-01 12:00,120.5,80,70,\n"
                  "xx,120,80,70,\n"
                  "2024-05-01 13:00,120,80,x7,\n"
                  "2024-05-01 14:00,120,,70,\n"
                  "2024-05-01 15:00,350,80,70,\n"
                  "2024-05-01 16:00,120,80,300,\n"
                  "2024-05-01 17:00,120,80,70,0\n",
         .stored = {"2024-05-01 17:00:00|120|80|70|0|05/01|17:00"},
         .rejected = {"2:import_systolic_unreadable:abc", "3:import_mark_unreadable:maybe",
                      "4:import_fields_missing:3", "5:reading_diastolic_not_lower:130",
                      "6:reading_moment_future:2024-06-02 12:01",
                      "7:import_systolic_unreadable:120.5", "8:import_date_unreadable:xx",
                      "9:import_pulse_unreadable:x7", "10:import_diastolic_unreadable:",
                      "11:reading_systolic_range:350", "12:reading_pulse_range:300"}},
        {.name = "date and time apart",
         .bytes = "Datum;Uhrzeit;Sys;Dia\n05.03.2024;7 Uhr;120;80\n5.3.;07:00;120;80\n"
                  "05.03.2024;07:00;120;80\n",
         .stored = {"2024-03-05 07:00:00|120|80||0|03/05|07:00"},
         .rejected = {"2:import_time_unreadable:7 Uhr", "3:import_date_unreadable:5.3."},
         .locale = "de_DE"},
    };
    for (const FileCase& c : cases)
        expectCase(c);
}

TEST_F(ImportFileTest, BadFilesStoreNothing) {
    const FileCase cases[] = {
        {.name = "empty",
         .bytes = "",
         .status = ImportStatus::Failed,
         .problem = "import_file_empty"},
        {.name = "blank lines",
         .bytes = "\xEF\xBB\xBF\r\n\r\n",
         .status = ImportStatus::Failed,
         .problem = "import_file_empty"},
        {.name = "titles alone",
         .bytes = "Date,Systolic,Diastolic\r\n,,\r\n",
         .status = ImportStatus::Failed,
         .problem = "import_file_no_rows"},
        {.name = "a picture",
         .bytes = QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16),
         .status = ImportStatus::Failed,
         .problem = "import_file_binary"},
        {.name = "binary after good lines",
         .bytes = "Date,Systolic,Diastolic\n2024-05-01 08:00,120,80\n\x02\x03",
         .status = ImportStatus::Failed,
         .problem = "import_file_binary"},
        {.name = "unknown columns",
         .bytes = "Foo;Bar\n1;2\n",
         .status = ImportStatus::NeedsColumns,
         .problem = "import_columns_missing"},
        {.name = "a line too long after good lines",
         .bytes = "Date,Systolic,Diastolic\n2024-05-01 08:00,120,80\n" + QByteArray(70000, '1') +
                  ",120,80\n",
         .status = ImportStatus::Failed,
         .problem = "import_line_too_long"},
    };
    for (const FileCase& c : cases)
        expectCase(c);
}

TEST_F(ImportFileTest, MissingColumnsNameTheTitlesAndShowTheFirstRows) {
    const readings::ImportResult result =
        import("Wann;Oben;Unten\n05.03.2024 07:00;120;80\n06.03.2024 07:00;121;81\n", options());
    ASSERT_EQ(result.status, ImportStatus::NeedsColumns);
    EXPECT_EQ(result.problem->args, QStringList{"Wann, Oben, Unten"});
    ASSERT_TRUE(result.survey);
    EXPECT_EQ(result.survey->firstRows, (QVector<QStringList>{{"05.03.2024 07:00", "120", "80"},
                                                              {"06.03.2024 07:00", "121", "81"}}));

    // The mapping a dialog would return.
    readings::ImportOptions chosen = options("de_DE");
    chosen.mapping = readings::ColumnMapping();
    chosen.mapping->set(readings::Field::DateTime, 0);
    chosen.mapping->set(readings::Field::Systolic, 1);
    chosen.mapping->set(readings::Field::Diastolic, 2);
    EXPECT_EQ(import("Wann;Oben;Unten\n05.03.2024 07:00;120;80\n", chosen).status,
              ImportStatus::Done);
    EXPECT_EQ(stored(), QStringList{"2024-03-05 07:00:00|120|80||0|03/05|07:00"});
}

TEST_F(ImportFileTest, TheListOfRejectionsIsBounded) {
    QByteArray bytes = "Date,Systolic,Diastolic\n";
    for (int line = 0; line < readings::kListedRejections + 5; ++line)
        bytes += "2024-05-01 08:00,1,80\n";
    const readings::ImportResult result = import(bytes, options());
    EXPECT_EQ(result.summary.rejectedCount, readings::kListedRejections + 5);
    EXPECT_EQ(result.summary.rejected.size(), readings::kListedRejections);
    EXPECT_EQ(result.summary.rejected.last().line, readings::kListedRejections + 1);
}

TEST_F(ImportFileTest, AGigabyteFileIsRefusedBeforeReading) {
    const QString path = dir.file("huge.csv");
    QFile huge(path);
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(1LL << 30)); // sparse: no gigabyte is written
    huge.close();
    readings::CsvFile file(path);
    const readings::ImportResult result =
        readings::importReadings(db, QStringLiteral("Müller"), file, options());
    EXPECT_EQ(result.status, ImportStatus::Failed);
    EXPECT_EQ(result.problem, (readings::Problem{"import_file_too_large", {"1024", "200"}}));
}

TEST_F(ImportFileTest, AFileThatIsGoneIsReported) {
    readings::CsvFile file(dir.file("gone.csv"));
    const readings::ImportResult result =
        readings::importReadings(db, QStringLiteral("Müller"), file, options());
    EXPECT_EQ(result.status, ImportStatus::Failed);
    EXPECT_EQ(result.problem->key, "import_file_unreadable");
}

TEST_F(ImportFileTest, AnUnknownPersonIsRefused) {
    const readings::ImportResult result =
        import("Date,Sys,Dia\n2024-05-01 08:00,120,80\n", options(), QStringLiteral("Nobody"));
    EXPECT_EQ(result.problem, (readings::Problem{"import_person_unknown", {"Nobody"}}));
    EXPECT_TRUE(stored().isEmpty());
}

} // namespace
