// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The values of the calculator's expressions and the operations on them, with VBScript's types,
// arithmetic and way of turning a value into text.

#include <QList>
#include <QString>
#include <QStringView>
#include <utility>

// Why an expression has no value. Each one makes the calculator's answer empty.
enum class CalcError
{
    None,
    Syntax,
    TooLong,
    TooDeep,
    DivisionByZero,
    Overflow,
    InvalidArgument, // a function or ^ outside its domain
    TypeMismatch,    // text that is not a number used as one
    UnknownFunction,
    WrongArgumentCount,
    Unsupported, // Null and Nothing, which this evaluator does not model
};

class CalcValue
{
public:
    // Integer is 16-bit and Long 32-bit, as in VBScript; Boolean counts as the Integer -1 or 0.
    enum class Type
    {
        Empty,
        Boolean,
        Integer,
        Long,
        Double,
        String,
    };

    CalcValue() = default;
    static CalcValue boolean(bool value);
    static CalcValue integer(qint16 value);
    static CalcValue longInteger(qint32 value);
    static CalcValue number(double value);
    static CalcValue string(QString value);
    // The whole number as Integer when mayBeInteger and it fits, else Long, else Double: how a
    // whole-number result widens instead of overflowing.
    static CalcValue whole(qint64 value, bool mayBeInteger);

    Type type() const { return m_type; }
    bool isWhole() const; // Empty, Boolean, Integer or Long
    // Empty, Boolean or Integer: operands that keep an Integer result Integer.
    bool isNarrow() const;
    // The value of a whole-number type (Empty is 0, True is -1).
    qint32 wholeValue() const { return m_whole; }
    // The value of any type but String.
    double toDouble() const;
    const QString &stringValue() const { return m_text; }

    // The value as VBScript's CStr writes it; Empty gives the empty text. The second form hands
    // over a text's storage, so a long chain of & appends instead of copying.
    QString text() const &;
    QString text() &&;

private:
    Type m_type = Type::Empty;
    qint32 m_whole = 0;
    double m_number = 0;
    QString m_text;
};

// The outcome of an operation: a value, or the error that stopped it.
struct CalcResult
{
    CalcResult(CalcValue value) : value(std::move(value)) {}
    CalcResult(CalcError error) : error(error) {}
    bool ok() const { return error == CalcError::None; }

    CalcValue value;
    CalcError error = CalcError::None;
};

namespace CalcOps {

// A number literal read from the start of a text. length is 0 when the text does not start with
// one; value may then be ignored.
struct NumberLiteral
{
    CalcResult value = CalcValue();
    qsizetype length = 0;
};

// Reads a decimal literal (digits with an optional '.' and exponent: 12, .5, 1E15) or a hex (&H)
// or octal (&O) one, with or without the Long suffix &, typed as VBScript types literals.
NumberLiteral readNumberLiteral(QStringView text);

CalcResult add(const CalcValue &left, const CalcValue &right);
CalcResult subtract(const CalcValue &left, const CalcValue &right);
CalcResult multiply(const CalcValue &left, const CalcValue &right);
CalcResult divide(const CalcValue &left, const CalcValue &right);
CalcResult integerDivide(const CalcValue &left, const CalcValue &right);
CalcResult modulo(const CalcValue &left, const CalcValue &right);
CalcResult power(const CalcValue &base, const CalcValue &exponent);
CalcResult concatenate(CalcValue left, const CalcValue &right);
// How left compares with right the way VBScript orders values: negative, zero or positive.
int order(const CalcValue &left, const CalcValue &right);
// Combines the operands' bits as Longs; two truth values give a truth value.
CalcResult bitwise(const CalcValue &left, const CalcValue &right,
                   qint32 (*combine)(qint32, qint32));
CalcResult negate(const CalcValue &operand);
CalcResult logicalNot(const CalcValue &operand);

// True for the names of the built-in functions (lower case).
bool isBuiltinFunction(QStringView name);
// Calls a built-in function by its lower-case name.
CalcResult callFunction(QStringView name, const QList<CalcValue> &arguments);

} // namespace CalcOps
