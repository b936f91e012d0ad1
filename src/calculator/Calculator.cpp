// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// How a calculation runs. JS passes the expression to evaluate, which turns away texts longer
// than MaxExpressionLength. The Lexer cuts the rest into tokens on demand: literals become values
// at once, operator words such as Mod become symbols, other words stay names. The Parser reads the
// tokens by precedence climbing and computes as it goes: each operator is applied, through the
// operations of CalcValue, as soon as both its operands are known, so no syntax tree is built.
// Parentheses, argument lists and prefix operators count towards MaxNestingDepth, which keeps the
// recursion shallow whatever the input. The first error (bad syntax, too deep, division by zero,
// overflow...) ends the evaluation; JS writes a value as VBScript's CStr would and an error as
// the empty text.

#include "calculator/Calculator.h"

#include <algorithm>
#include <functional>
#include <new>

namespace {

constexpr qsizetype MaxExpressionLength = 64 * 1024;
constexpr int MaxNestingDepth = 200;

enum class Symbol
{
    Plus,
    Minus,
    Times,
    Divide,
    IntegerDivide,
    Power,
    Concatenate,
    Open,
    Close,
    Comma,
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    Mod,
    Not,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
};

// Binding strength, loosest first. Not and the signs are prefix operators: Not takes everything
// from the comparisons up as its operand, a sign only a power, so -2^2 is -4.
enum Precedence : int
{
    ImpLevel = 1,
    EqvLevel,
    XorLevel,
    OrLevel,
    AndLevel,
    NotLevel,
    ComparisonLevel,
    ConcatenationLevel,
    AdditionLevel,
    ModLevel,
    IntegerDivisionLevel,
    MultiplicationLevel,
    SignLevel,
    PowerLevel,
};

using CalcOps::NumberLiteral;

// The binary operators: how tightly each binds and what it computes. Symbols missing here are
// not binary operators.
struct BinaryOperator
{
    Symbol symbol;
    int precedence;
    CalcResult (*apply)(CalcValue left, const CalcValue &right);
};

template <typename Test> CalcResult comparison(CalcValue left, const CalcValue &right)
{
    return CalcValue::boolean(Test()(CalcOps::order(left, right), 0));
}

template <qint32 (*combine)(qint32, qint32)>
CalcResult bitwise(CalcValue left, const CalcValue &right)
{
    return CalcOps::bitwise(left, right, combine);
}

template <CalcResult (*operation)(const CalcValue &, const CalcValue &)>
CalcResult arithmetic(CalcValue left, const CalcValue &right)
{
    return operation(left, right);
}

// Eqv and Imp as VBScript defines them on bits.
constexpr qint32 bitsAnd(qint32 x, qint32 y)
{
    return x & y;
}
constexpr qint32 bitsOr(qint32 x, qint32 y)
{
    return x | y;
}
constexpr qint32 bitsXor(qint32 x, qint32 y)
{
    return x ^ y;
}
constexpr qint32 bitsEqv(qint32 x, qint32 y)
{
    return ~(x ^ y);
}
constexpr qint32 bitsImp(qint32 x, qint32 y)
{
    return ~x | y;
}

constexpr BinaryOperator binaryOperators[] = {
    {Symbol::Imp, ImpLevel, bitwise<bitsImp>},
    {Symbol::Eqv, EqvLevel, bitwise<bitsEqv>},
    {Symbol::Xor, XorLevel, bitwise<bitsXor>},
    {Symbol::Or, OrLevel, bitwise<bitsOr>},
    {Symbol::And, AndLevel, bitwise<bitsAnd>},
    {Symbol::Equal, ComparisonLevel, comparison<std::equal_to<>>},
    {Symbol::NotEqual, ComparisonLevel, comparison<std::not_equal_to<>>},
    {Symbol::Less, ComparisonLevel, comparison<std::less<>>},
    {Symbol::Greater, ComparisonLevel, comparison<std::greater<>>},
    {Symbol::LessEqual, ComparisonLevel, comparison<std::less_equal<>>},
    {Symbol::GreaterEqual, ComparisonLevel, comparison<std::greater_equal<>>},
    {Symbol::Concatenate, ConcatenationLevel, CalcOps::concatenate},
    {Symbol::Plus, AdditionLevel, arithmetic<CalcOps::add>},
    {Symbol::Minus, AdditionLevel, arithmetic<CalcOps::subtract>},
    {Symbol::Mod, ModLevel, arithmetic<CalcOps::modulo>},
    {Symbol::IntegerDivide, IntegerDivisionLevel, arithmetic<CalcOps::integerDivide>},
    {Symbol::Times, MultiplicationLevel, arithmetic<CalcOps::multiply>},
    {Symbol::Divide, MultiplicationLevel, arithmetic<CalcOps::divide>},
    {Symbol::Power, PowerLevel, arithmetic<CalcOps::power>},
};

// How an operator is written: a word (Mod, And...) or punctuation.
struct Spelling
{
    QStringView text;
    Symbol symbol;
};

constexpr Spelling operatorWords[] = {
    {u"mod", Symbol::Mod}, {u"not", Symbol::Not}, {u"and", Symbol::And}, {u"or", Symbol::Or},
    {u"xor", Symbol::Xor}, {u"eqv", Symbol::Eqv}, {u"imp", Symbol::Imp},
};

// Two-character spellings first, so that <= is not read as < followed by =. VBScript also
// takes =<, => and >< for <=, >= and <>.
constexpr Spelling operatorSpellings[] = {
    {u"<=", Symbol::LessEqual},  {u">=", Symbol::GreaterEqual},  {u"<>", Symbol::NotEqual},
    {u"=<", Symbol::LessEqual},  {u"=>", Symbol::GreaterEqual},  {u"><", Symbol::NotEqual},
    {u"+", Symbol::Plus},        {u"-", Symbol::Minus},          {u"*", Symbol::Times},
    {u"/", Symbol::Divide},      {u"\\", Symbol::IntegerDivide}, {u"^", Symbol::Power},
    {u"&", Symbol::Concatenate}, {u"(", Symbol::Open},           {u")", Symbol::Close},
    {u",", Symbol::Comma},       {u"=", Symbol::Equal},          {u"<", Symbol::Less},
    {u">", Symbol::Greater},
};

// The first entry of a table that matches, or nullptr.
template <typename Entry, std::size_t N, typename Matches>
const Entry *findEntry(const Entry (&table)[N], Matches matches)
{
    const auto found = std::find_if(std::begin(table), std::end(table), matches);
    return found == std::end(table) ? nullptr : found;
}

const BinaryOperator *binaryOperator(Symbol symbol)
{
    return findEntry(binaryOperators,
                     [symbol](const BinaryOperator &op) { return op.symbol == symbol; });
}

struct Token
{
    enum class Kind
    {
        End,
        Literal,
        Name,
        Symbol,
        Invalid, // a character or literal that cannot be read; error says why
    };

    Kind kind = Kind::End;
    Symbol symbol = Symbol::Plus;
    CalcValue literal;
    QString name; // lower case
    CalcError error = CalcError::None;
};

bool isLetter(QChar c)
{
    const char16_t lower = c.toLower().unicode();
    return lower >= u'a' && lower <= u'z';
}

bool isNameCharacter(QChar c)
{
    return isLetter(c) || (c >= u'0' && c <= u'9') || c == u'_';
}

class Lexer
{
public:
    explicit Lexer(QStringView text) : m_text(text) {}

    Token next()
    {
        while (m_position < m_text.size() &&
               (m_text[m_position] == u' ' || m_text[m_position] == u'\t'))
            ++m_position;
        if (m_position == m_text.size())
            return {};
        const QStringView rest = m_text.sliced(m_position);
        const NumberLiteral number = CalcOps::readNumberLiteral(rest);
        if (number.length > 0) {
            m_position += number.length;
            return number.value.ok() ? literal(number.value.value) : invalid(number.value.error);
        }
        if (isLetter(rest.front()))
            return word();
        if (rest.front() == u'"')
            return stringLiteral();
        return symbol(rest);
    }

private:
    static Token literal(CalcValue value)
    {
        Token token;
        token.kind = Token::Kind::Literal;
        token.literal = std::move(value);
        return token;
    }

    static Token invalid(CalcError error)
    {
        Token token;
        token.kind = Token::Kind::Invalid;
        token.error = error;
        return token;
    }

    static Token symbolToken(Symbol symbol)
    {
        Token token;
        token.kind = Token::Kind::Symbol;
        token.symbol = symbol;
        return token;
    }

    // A name: letters, digits and _ from a letter on, so in 7mod3 the name is mod3.
    Token word()
    {
        qsizetype end = m_position;
        while (end < m_text.size() && isNameCharacter(m_text[end]))
            ++end;
        const QString name = m_text.sliced(m_position, end - m_position).toString().toLower();
        m_position = end;

        if (const Spelling *keyword = findEntry(
                operatorWords, [&name](const Spelling &word) { return name == word.text; }))
            return symbolToken(keyword->symbol);
        if (name == u"true" || name == u"false")
            return literal(CalcValue::boolean(name == u"true"));
        if (name == u"empty")
            return literal(CalcValue());

        Token token;
        token.kind = Token::Kind::Name;
        token.name = name;
        return token;
    }

    // "text", with "" standing for one quotation mark.
    Token stringLiteral()
    {
        QString text;
        qsizetype position = m_position + 1;
        while (position < m_text.size()) {
            if (m_text[position] == u'"') {
                if (position + 1 < m_text.size() && m_text[position + 1] == u'"') {
                    text += u'"';
                    position += 2;
                    continue;
                }
                m_position = position + 1;
                return literal(CalcValue::string(std::move(text)));
            }
            text += m_text[position];
            ++position;
        }
        m_position = position;
        return invalid(CalcError::Syntax);
    }

    Token symbol(QStringView rest)
    {
        const Spelling *spelling = findEntry(
            operatorSpellings, [rest](const Spelling &s) { return rest.startsWith(s.text); });
        if (!spelling)
            return invalid(CalcError::Syntax);
        m_position += spelling->text.size();
        return symbolToken(spelling->symbol);
    }

    QStringView m_text;
    qsizetype m_position = 0;
};

class Parser
{
public:
    explicit Parser(QStringView expression) : m_lexer(expression) { advance(); }

    CalcResult run()
    {
        CalcResult value = binary(ImpLevel);
        if (value.ok() && m_token.kind != Token::Kind::End)
            return unexpected();
        return value;
    }

private:
    void advance() { m_token = m_lexer.next(); }

    bool isSymbol(Symbol symbol) const
    {
        return m_token.kind == Token::Kind::Symbol && m_token.symbol == symbol;
    }

    bool accept(Symbol symbol)
    {
        if (!isSymbol(symbol))
            return false;
        advance();
        return true;
    }

    // The error for a token that does not fit where it stands.
    CalcResult unexpected() const
    {
        return m_token.kind == Token::Kind::Invalid ? m_token.error : CalcError::Syntax;
    }

    // Operators binding at least as tightly as minPrecedence, all left-associative.
    CalcResult binary(int minPrecedence)
    {
        CalcResult left = operand(minPrecedence);
        while (left.ok() && m_token.kind == Token::Kind::Symbol) {
            const BinaryOperator *op = binaryOperator(m_token.symbol);
            if (!op || op->precedence < minPrecedence)
                break;
            advance();
            const CalcResult right = binary(op->precedence + 1);
            if (!right.ok())
                return right;
            left = op->apply(std::move(left.value), right.value);
        }
        return left;
    }

    CalcResult operand(int minPrecedence)
    {
        if (isSymbol(Symbol::Not) || isSymbol(Symbol::Minus) || isSymbol(Symbol::Plus)) {
            const Symbol prefix = m_token.symbol;
            advance();
            const int operandLevel = prefix == Symbol::Not ? ComparisonLevel : PowerLevel;
            const CalcResult value = nested(std::max(operandLevel, minPrecedence));
            if (!value.ok())
                return value;
            if (prefix == Symbol::Not)
                return CalcOps::logicalNot(value.value);
            return prefix == Symbol::Minus ? CalcOps::negate(value.value) : value;
        }
        return primary();
    }

    CalcResult nested(int minPrecedence)
    {
        if (m_depth == MaxNestingDepth)
            return CalcError::TooDeep;
        ++m_depth;
        CalcResult value = binary(minPrecedence);
        --m_depth;
        return value;
    }

    CalcResult primary()
    {
        if (m_token.kind == Token::Kind::Literal) {
            CalcValue value = std::move(m_token.literal);
            advance();
            return value;
        }
        if (m_token.kind == Token::Kind::Name) {
            const QString name = m_token.name;
            advance();
            return named(name);
        }
        if (accept(Symbol::Open)) {
            const CalcResult value = nested(ImpLevel);
            if (value.ok() && !accept(Symbol::Close))
                return unexpected();
            return value;
        }
        return unexpected();
    }

    CalcResult named(const QString &name)
    {
        if (accept(Symbol::Open))
            return call(name);
        if (name == u"null" || name == u"nothing")
            return CalcError::Unsupported;
        if (CalcOps::isBuiltinFunction(name))
            return CalcError::WrongArgumentCount;
        // A name the engine does not know holds Empty.
        return CalcValue();
    }

    // After the opening parenthesis of an argument list.
    CalcResult call(const QString &name)
    {
        QList<CalcValue> arguments;
        if (!accept(Symbol::Close)) {
            do {
                CalcResult argument = nested(ImpLevel);
                if (!argument.ok())
                    return argument;
                arguments.append(std::move(argument.value));
            } while (accept(Symbol::Comma));
            if (!accept(Symbol::Close))
                return unexpected();
        }
        return CalcOps::callFunction(name, arguments);
    }

    Lexer m_lexer;
    Token m_token;
    int m_depth = 0;
};

// How people ask for the value after an expression, once "等于" has become "=": 1+2等于多少,
// 1+2等于几, 3*4是多少.
constexpr QStringView QuestionEndings[] = {u"=多少", u"=几", u"是多少"};

// Where a number literal or a closing parenthesis ends, if one starts at position; else -1.
qsizetype operandEnd(QStringView text, qsizetype position)
{
    if (text[position] == u')')
        return position + 1;
    const qsizetype length = CalcOps::readNumberLiteral(text.sliced(position)).length;
    return length > 0 ? position + length : -1;
}

// A message loses its spaces before it is calculated, so "9 mod 6" arrives as 9mod6, where
// mod6 would read as one name. After a number or ")", "mod" followed by a digit gets back the
// space it needs; before "(", a sign or "." the word already ends without one. Names (a9mod6)
// and texts in quotes stay as they are.
QString withModSpaced(QString text)
{
    // Longer texts are refused whole, and a space only lengthens them.
    if (text.size() > MaxExpressionLength)
        return text;
    QString spaced;
    qsizetype copied = 0;
    qsizetype position = 0;
    while (position < text.size()) {
        const QChar c = text[position];
        if (c == u'"') {
            const qsizetype closing = text.indexOf(u'"', position + 1);
            position = closing < 0 ? text.size() : closing + 1;
            continue;
        }
        if (isLetter(c)) {
            while (position < text.size() && isNameCharacter(text[position]))
                ++position;
            continue;
        }
        const qsizetype end = operandEnd(text, position);
        if (end < 0) {
            ++position;
            continue;
        }
        position = end;
        const QStringView rest = QStringView(text).sliced(position);
        if (rest.size() > 3 && rest.startsWith(u"mod", Qt::CaseInsensitive) && rest[3] >= u'0' &&
            rest[3] <= u'9') {
            position += 3;
            spaced += QStringView(text).sliced(copied, position - copied);
            spaced += u' ';
            copied = position;
        }
    }
    if (copied == 0)
        return text;
    spaced += QStringView(text).sliced(copied);
    return spaced;
}

} // namespace

CalcResult Calculator::evaluate(QStringView expression)
{
    if (expression.size() > MaxExpressionLength)
        return CalcError::TooLong;
    return Parser(expression).run();
}

QString Calculator::requestedExpression(QString message)
{
    message.remove(QStringLiteral("计算"));
    message.remove(u'？');
    // Inside an expression "等于" is the equals sign; around it, like "=", it only asks for the
    // value, so both are dropped at either end (1+2=, =1+2) and kept between operands (1+2=3).
    message.replace(QStringLiteral("等于"), QStringLiteral("="));
    for (bool trimmed = true; trimmed;) {
        trimmed = false;
        for (const QStringView ending : QuestionEndings) {
            if (message.endsWith(ending)) {
                message.chop(ending.size());
                trimmed = true;
            }
        }
        while (message.endsWith(u'=')) {
            message.chop(1);
            trimmed = true;
        }
    }
    qsizetype start = 0;
    while (start < message.size() && message[start] == u'=')
        ++start;
    message.remove(0, start);
    return withModSpaced(std::move(message));
}

QString JS(const QString &expressions)
{
    // Running out of memory is the one exception that can arise here; like every other
    // failure of an evaluation it gives the empty text.
    try {
        CalcResult result = Calculator::evaluate(expressions);
        return result.ok() ? std::move(result.value).text() : QString();
    } catch (const std::bad_alloc &) {
        return {};
    }
}
