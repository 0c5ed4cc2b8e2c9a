#include "JetSqlNames.h"

#include "NameKeys.h"

namespace store::JetSql {

namespace {

enum class Clause { Other, Select, From, Condition, Grouping, Set };

struct Frame {
    Clause clause;
    bool derivedTable; // a select in parentheses in a FROM list
};

class KeyRewriter {
public:
    explicit KeyRewriter(const QList<Token>& in) : in_(in) {}

    QList<Token> run() {
        while (at_ < in_.size()) {
            const Token& token = in_[at_];
            if (!token.isSignificant())
                copy();
            else if (token.isSymbol(u'('))
                open();
            else if (token.isSymbol(u')'))
                close();
            else if (token.kind == TokenKind::Word && enterClause(token))
                copy();
            else if (isNameColumn(at_))
                name();
            else
                copy();
        }
        return out_;
    }

private:
    qsizetype next(qsizetype from) const {
        while (from < in_.size() && !in_[from].isSignificant())
            ++from;
        return from;
    }
    bool nextIs(qsizetype from, QChar symbol) const {
        const qsizetype n = next(from);
        return n < in_.size() && in_[n].isSymbol(symbol);
    }
    bool nextIsWord(qsizetype from, QAnyStringView word) const {
        const qsizetype n = next(from);
        return n < in_.size() && in_[n].isWord(word);
    }
    // A word naming a name column, not a function of that name.
    bool isNameColumn(qsizetype i) const {
        return i < in_.size() && in_[i].kind == TokenKind::Word && NameKeys::isKeyed(in_[i].text) &&
               !nextIs(i + 1, u'(');
    }
    Clause& clause() { return stack_.last().clause; }

    void copy() { out_ << in_[at_++]; }
    void copyThrough(qsizetype end) {
        while (at_ < end)
            copy();
    }
    void put(TokenKind kind, const QString& text) { out_ << Token{kind, text}; }
    void putKey() { put(TokenKind::Word, NameKeys::keyOf(in_[at_++].text)); }

    void open() {
        const bool select = nextIsWord(at_ + 1, u"select");
        stack_ << Frame{select ? Clause::Select : clause(), select && clause() == Clause::From};
        copy();
    }
    void close() {
        if (stack_.size() > 1)
            stack_.removeLast();
        copy();
    }

    bool enterClause(const Token& word) {
        static const QList<std::pair<const char*, Clause>> keywords{
            {"select", Clause::Select}, {"from", Clause::From},        {"where", Clause::Condition},
            {"on", Clause::Condition},  {"having", Clause::Condition}, {"set", Clause::Set},
            {"values", Clause::Other},  {"into", Clause::Other},       {"update", Clause::Other},
            {"delete", Clause::Other},  {"insert", Clause::Other}};
        for (const auto& [keyword, entered] : keywords) {
            if (word.isWord(keyword)) {
                clause() = entered;
                return true;
            }
        }
        if ((word.isWord(u"group") || word.isWord(u"order")) && nextIsWord(at_ + 1, u"by")) {
            clause() = Clause::Grouping;
            return true;
        }
        return false;
    }

    void name() {
        switch (clause()) {
        case Clause::Grouping:
            return putKey();
        case Clause::Condition:
            return comparison();
        case Clause::Select:
            if (stack_.last().derivedTable &&
                (nextIs(at_ + 1, u',') || nextIsWord(at_ + 1, u"from")))
                return selectWithKey();
            return copy();
        default:
            return copy();
        }
    }

    // "a.personal" in a derived table's list becomes "a.personal,a.personal_key".
    void selectWithKey() {
        QString qualifier;
        const qsizetype n = out_.size();
        if (n >= 2 && out_[n - 1].isSymbol(u'.') && out_[n - 2].kind == TokenKind::Word)
            qualifier = out_[n - 2].text + QLatin1Char('.');
        const QString key = NameKeys::keyOf(in_[at_].text);
        copy();
        put(TokenKind::Symbol, QStringLiteral(","));
        put(TokenKind::Word, qualifier + key);
    }

    // The end of a comparison operator that starts at i, or -1.
    qsizetype operatorEnd(qsizetype i) const {
        if (i >= in_.size() || in_[i].kind != TokenKind::Symbol)
            return -1;
        const QChar first = in_[i].text[0];
        const bool pairs =
            i + 1 < in_.size() && in_[i + 1].kind == TokenKind::Symbol &&
            ((first == u'<' && (in_[i + 1].text == u">" || in_[i + 1].text == u"=")) ||
             ((first == u'>' || first == u'!') && in_[i + 1].text == u"="));
        if (pairs)
            return i + 2;
        return first == u'=' || first == u'<' || first == u'>' ? i + 1 : -1;
    }

    // The end of a literal or a parameter that starts at i, or -1.
    qsizetype valueEnd(qsizetype i) const {
        if (i >= in_.size())
            return -1;
        const Token& token = in_[i];
        if (token.kind == TokenKind::Quoted && token.text.startsWith(u'\''))
            return i + 1;
        if (token.isSymbol(u'?'))
            return i + 1;
        if ((token.isSymbol(u':') || token.isSymbol(u'@') || token.isSymbol(u'$')) &&
            i + 1 < in_.size() && in_[i + 1].kind == TokenKind::Word)
            return i + 2;
        return -1;
    }

    // The name column of "x.name" or "name" that starts at i, or -1.
    qsizetype nameColumnAt(qsizetype i) const {
        if (isNameColumn(i))
            return i;
        if (i + 2 < in_.size() && in_[i].kind == TokenKind::Word && in_[i + 1].isSymbol(u'.') &&
            isNameColumn(i + 2))
            return i + 2;
        return -1;
    }

    void comparison() {
        const qsizetype op = next(at_ + 1);
        const qsizetype opEnd = operatorEnd(op);
        const qsizetype operand = opEnd < 0 ? -1 : next(opEnd);
        const qsizetype otherName = operand < 0 ? -1 : nameColumnAt(operand);
        const qsizetype value = operand < 0 || otherName >= 0 ? -1 : valueEnd(operand);
        if (otherName < 0 && value < 0)
            return copy();
        putKey();
        if (otherName >= 0) {
            copyThrough(otherName);
            return putKey();
        }
        copyThrough(operand);
        put(TokenKind::Word, QString::fromLatin1(NameKeys::kFoldFunction));
        put(TokenKind::Symbol, QStringLiteral("("));
        copyThrough(value);
        put(TokenKind::Symbol, QStringLiteral(")"));
    }

    const QList<Token>& in_;
    qsizetype at_ = 0;
    QList<Token> out_;
    QList<Frame> stack_{{Clause::Other, false}};
};

} // namespace

void compareNamesByKey(QList<Token>& tokens) {
    tokens = KeyRewriter(tokens).run();
}

} // namespace store::JetSql
