#pragma once

#include <QAnyStringView>
#include <QList>
#include <QString>

namespace store::JetSql {

enum class TokenKind {
    Space,
    Word,        // letters, digits and underscores
    Quoted,      // '...', "..." or `...`, the closing quote included
    Bracketed,   // [name]
    DateLiteral, // #y-m-d# holding a valid date
    Symbol,      // any other single character
};

struct Token {
    TokenKind kind;
    QString text;

    bool isWord(QAnyStringView word) const {
        return kind == TokenKind::Word &&
               QAnyStringView::compare(text, word, Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(QChar c) const { return kind == TokenKind::Symbol && text == c; }
    bool isSignificant() const { return kind != TokenKind::Space; }
};

// Splits a statement into tokens whose texts, joined, give the statement back.
// Quoted texts are single tokens, so nothing inside them is ever rewritten.
QList<Token> tokenize(const QString& sql);

} // namespace store::JetSql
