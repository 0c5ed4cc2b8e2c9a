#include "JetSql.h"

#include "JetSqlNames.h"
#include "JetSqlTokens.h"

namespace store::JetSql {

namespace {

QString joined(const QList<Token>& tokens, qsizetype from, qsizetype to) {
    QString text;
    for (qsizetype i = from; i < to; ++i) {
        text += tokens[i].text;
    }
    return text;
}

QString doubleQuoted(QStringView name) {
    QString inner = name.toString();
    inner.replace(u'"', QStringLiteral("\"\""));
    return u'"' + inner + u'"';
}

// A date literal means midnight of that day; in the stored text form it compares
// with the date/time texts as the original engine compares the values.
QString storedDate(QStringView literal) {
    const QList<QStringView> parts = literal.sliced(1, literal.size() - 2).split(u'-');
    return QStringLiteral("'%1-%2-%3 00:00:00'")
        .arg(parts[0].toString(), parts[1].toString().rightJustified(2, u'0'),
             parts[2].toString().rightJustified(2, u'0'));
}

qsizetype nextSignificant(const QList<Token>& tokens, qsizetype from) {
    while (from < tokens.size() && !tokens[from].isSignificant()) {
        ++from;
    }
    return from;
}

// Date literals, bracketed names, the literals true and false, and a "group" that does
// not open GROUP BY, which can only be the column of that name.
void translateTokens(QList<Token>& tokens) {
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        Token& token = tokens[i];
        if (token.kind == TokenKind::DateLiteral) {
            token = {TokenKind::Quoted, storedDate(token.text)};
        } else if (token.kind == TokenKind::Bracketed) {
            token = {TokenKind::Quoted, doubleQuoted(QStringView(token.text).sliced(1).chopped(1))};
        } else if (token.isWord(u"true")) {
            token.text = QStringLiteral("(-1)"); // the stored value of true
        } else if (token.isWord(u"false")) {
            token.text = QStringLiteral("0");
        } else if (token.isWord(u"group")) {
            const qsizetype next = nextSignificant(tokens, i + 1);
            if (next == tokens.size() || !tokens[next].isWord(u"by")) {
                token = {TokenKind::Quoted, doubleQuoted(token.text)};
            }
        }
    }
}

// "delete A.* from T A,S B where C", S a table or a parenthesised select, deletes the
// rows of T that have a partner in S under C:
// -> "delete from T as A where exists (select 1 from S B where C)".
// Returns an empty text for any other statement.
QString joinedDelete(const QList<Token>& tokens) {
    QList<qsizetype> at; // positions of the significant tokens
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens[i].isSignificant()) {
            at.append(i);
        }
    }
    const auto sig = [&](qsizetype n) -> const Token& {
        static const Token none{TokenKind::Space, {}};
        return n < at.size() ? tokens[at[n]] : none;
    };
    const Token& alias = sig(1);
    if (!sig(0).isWord(u"delete") || alias.kind != TokenKind::Word || !sig(2).isSymbol(u'.') ||
        !sig(3).isSymbol(u'*') || !sig(4).isWord(u"from") || sig(5).kind != TokenKind::Word ||
        !sig(6).isWord(alias.text) || !sig(7).isSymbol(u',')) {
        return {};
    }
    qsizetype sourceEnd = 8; // the last significant token of S
    if (sig(8).isSymbol(u'(')) {
        for (int depth = 0; sourceEnd < at.size(); ++sourceEnd) {
            depth += sig(sourceEnd).isSymbol(u'(') ? 1 : sig(sourceEnd).isSymbol(u')') ? -1 : 0;
            if (depth == 0) {
                break;
            }
        }
    } else if (sig(8).kind != TokenKind::Word) {
        return {};
    }
    const Token& partner = sig(sourceEnd + 1);
    if (partner.kind != TokenKind::Word || !sig(sourceEnd + 2).isWord(u"where")) {
        return {};
    }
    return QStringLiteral("delete from %1 as %2 where exists (select 1 from %3 %4 where %5)")
        .arg(sig(5).text, alias.text, joined(tokens, at[8], at[sourceEnd] + 1), partner.text,
             joined(tokens, at[sourceEnd + 2] + 1, tokens.size()).trimmed());
}

// "delete * from T ..." -> "delete from T ...".
void dropDeleteStar(QList<Token>& tokens) {
    const qsizetype verb = nextSignificant(tokens, 0);
    const qsizetype star = nextSignificant(tokens, verb + 1);
    const qsizetype from = nextSignificant(tokens, star + 1);
    if (from < tokens.size() && tokens[verb].isWord(u"delete") && tokens[star].isSymbol(u'*') &&
        tokens[from].isWord(u"from")) {
        tokens.remove(verb + 1, star - verb);
    }
}

} // namespace

QString rewrite(const QString& dialectSql) {
    QList<Token> tokens = tokenize(dialectSql);
    translateTokens(tokens);
    compareNamesByKey(tokens);
    if (QString sql = joinedDelete(tokens); !sql.isEmpty()) {
        return sql;
    }
    dropDeleteStar(tokens);
    return joined(tokens, 0, tokens.size());
}

} // namespace store::JetSql
