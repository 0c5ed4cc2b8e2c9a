#include "Tdm1.h"

#include <QDir>

namespace store {

Tdm1::Tdm1(const QString& appDir) : appDir_(appDir) {}

QString Tdm1::GetDBLinkStr() const {
    return QDir(appDir_).filePath(QStringLiteral("tonvi.mdb"));
}

void Tdm1::DataModuleCreate() {
    ADOConnection1.open(GetDBLinkStr());

    adocom1.execute(QStringLiteral("delete * from bp_record_user1"));
    adocom1.execute(QStringLiteral("delete * from bp_record_user2"));

    ado_rc1.close();
    ado_rc1.setCommandText(QStringLiteral("select * from bp_record_user1 "));
    ado_rc1.open();

    ado_rc2.close();
    ado_rc2.setCommandText(QStringLiteral("select * from bp_record_user2 "));
    ado_rc2.open();

    ado_user.close();
    ado_user.setCommandText(QStringLiteral("select * from bp_userinfo "));
    ado_user.open();

    openTexts();
}

void Tdm1::OpenForCommand() {
    ADOConnection1.open(GetDBLinkStr());
    openTexts();
}

void Tdm1::openTexts() {
    ado_cfg.close();
    ado_cfg.setCommandText(QStringLiteral("select * from bp_language   where  [group] = ") +
                           quoted(QStringLiteral("hint")) + QStringLiteral(" or [group] = ") +
                           quoted(QStringLiteral("title")));
    ado_cfg.open();

    ado_option.close();
    ado_option.setCommandText(QStringLiteral("select * from bp_option"));
    ado_option.open();
}

} // namespace store
