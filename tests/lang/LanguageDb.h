#pragma once

#include "lang/LanguageStore.h"
#include "store/Database.h"
#include "store/Tdm1.h"
#include "support/TempAppDir.h"
#include "testkit/ChosenLanguage.h"

// A fresh seeded database with the language store on top; tests add their own rows.
struct LanguageDb {
    struct Row {
        QString formname = QStringLiteral("dm1");
        QString group = QStringLiteral("hint");
        QString component;
        int index = 0;
        QString showtext;
        QString german;
        int width = 0;
        QString field;
        bool show = false;
    };

    LanguageDb() { dm.DataModuleCreate(); }

    void add(const Row& r) {
        using store::quoted;
        dm.adocom1.execute(
            "insert into bp_language (formname,[group],component,component_index,showtext,"
            "show_english,show_german,show_width,fieldname,show) values (" +
            QStringList{quoted(r.formname), quoted(r.group), quoted(r.component),
                        QString::number(r.index), quoted(r.showtext), quoted(r.showtext),
                        quoted(r.german), QString::number(r.width), quoted(r.field),
                        QString::number(r.show ? 1 : 0)}
                .join(',') +
            ")");
    }

    // Chooses the language as the next start-up would, with the rows added so far.
    void select(const QString& languageDef) { testkit::chooseLanguage(dm, language, languageDef); }

    TempAppDir dir;
    store::Tdm1 dm{dir.path()};
    lang::LanguageStore language{dm};
};
