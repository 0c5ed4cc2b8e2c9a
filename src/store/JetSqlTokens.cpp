#include "JetSqlTokens.h"

#include <QDate>
#include <QRegularExpression>

namespace store::JetSql {

namespace {

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// Length of the quoted text starting at `from`; a doubled quote stays inside.
// An unterminated quote runs to the end.
qsizetype quotedLength(const QString& sql, qsizetype from) {
    const QChar quote = sql[from];
    qsizetype i = from + 1;
    while (i < sql.size()) {
        if (sql[i] == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                i += 2;
                continue;
            }
            return i + 1 - from;
        }
        ++i;
    }
    return sql.size() - from;
}

bool isDate(QStringView text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    return m.hasMatch() &&
           QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()).isValid();
}

// Length of the token of `kind` that closes with `close` at `from`, or 0 when none.
qsizetype delimitedLength(const QString& sql, qsizetype from, QChar close, TokenKind kind) {
    const qsizetype end = sql.indexOf(close, from + 1);
    if (end < 0) {
        return 0;
    }
    if (kind == TokenKind::DateLiteral &&
        !isDate(QStringView(sql).sliced(from + 1, end - from - 1))) {
        return 0;
    }
    return end + 1 - from;
}

} // namespace

QList<Token> tokenize(const QString& sql) {
    QList<Token> tokens;
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        TokenKind kind = TokenKind::Symbol;
        qsizetype length = 1;
        if (c.isSpace()) {
            kind = TokenKind::Space;
            while (i + length < sql.size() && sql[i + length].isSpace()) {
                ++length;
            }
        } else if (isWordChar(c)) {
            kind = TokenKind::Word;
            while (i + length < sql.size() && isWordChar(sql[i + length])) {
                ++length;
            }
        } else if (c == u'\'' || c == u'"' || c == u'`') {
            kind = TokenKind::Quoted;
            length = quotedLength(sql, i);
        } else if (c == u'[' || c == u'#') {
            const TokenKind delimited = c == u'[' ? TokenKind::Bracketed : TokenKind::DateLiteral;
            if (const qsizetype n = delimitedLength(sql, i, c == u'[' ? u']' : u'#', delimited)) {
                kind = delimited;
                length = n;
            }
        }
        tokens.append({kind, sql.sliced(i, length)});
        i += length;
    }
    return tokens;
}

} // namespace store::JetSql
