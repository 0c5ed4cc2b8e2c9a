#include "SelectShape.h"

#include "JetSqlTokens.h"

namespace store::SelectShape {

namespace {

using JetSql::Token;
using JetSql::TokenKind;

// The significant tokens outside parentheses; a parenthesised part stays as its "(".
QList<Token> topLevel(const QString& sql) {
    QList<Token> tokens;
    int depth = 0;
    for (const Token& token : JetSql::tokenize(sql)) {
        if (!token.isSignificant())
            continue;
        if (token.isSymbol(u'(') && depth++ == 0)
            tokens << token;
        else if (token.isSymbol(u')'))
            --depth;
        else if (depth == 0)
            tokens << token;
    }
    return tokens;
}

bool isName(const Token& token) {
    return token.kind == TokenKind::Word || token.kind == TokenKind::Bracketed ||
           (token.kind == TokenKind::Quoted && token.text.startsWith(u'"'));
}

QString unquoted(const Token& token) {
    return token.kind == TokenKind::Word ? token.text : token.text.mid(1, token.text.size() - 2);
}

bool endsFromClause(const Token& token) {
    return token.isWord(QLatin1StringView("where")) || token.isWord(QLatin1StringView("order")) ||
           token.isWord(QLatin1StringView("limit")) || token.isSymbol(u';');
}

} // namespace

QString baseTable(const QString& sql) {
    const QList<Token> tokens = topLevel(sql);
    if (tokens.size() < 4 || !tokens[0].isWord(QLatin1StringView("select")) ||
        tokens[1].isWord(QLatin1StringView("distinct")))
        return {};
    static const QLatin1StringView refused[] = {
        QLatin1StringView("group"),     QLatin1StringView("having"), QLatin1StringView("union"),
        QLatin1StringView("intersect"), QLatin1StringView("except"), QLatin1StringView("join"),
        QLatin1StringView("window")};
    qsizetype from = -1;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        for (const QLatin1StringView word : refused) {
            if (tokens[i].isWord(word))
                return {};
        }
        if (from < 0 && tokens[i].isWord(QLatin1StringView("from")))
            from = i;
    }
    if (from < 0 || from + 1 >= tokens.size() || !isName(tokens[from + 1]))
        return {};
    // After the table at most an alias, with or without "as".
    qsizetype end = from + 2;
    while (end < tokens.size() && !endsFromClause(tokens[end]))
        ++end;
    const qsizetype extra = end - (from + 2);
    const bool aliasOk = extra == 0 || (extra == 1 && isName(tokens[from + 2])) ||
                         (extra == 2 && tokens[from + 2].isWord(QLatin1StringView("as")) &&
                          isName(tokens[from + 3]));
    return aliasOk ? unquoted(tokens[from + 1]) : QString();
}

QString withRowid(const QString& sql, const QString& hiddenName) {
    QString result;
    bool inserted = false;
    for (const Token& token : JetSql::tokenize(sql)) {
        result += token.text;
        if (!inserted && token.isWord(QLatin1StringView("select"))) {
            result += QStringLiteral(" rowid AS %1,").arg(hiddenName);
            inserted = true;
        }
    }
    return result;
}

} // namespace store::SelectShape
