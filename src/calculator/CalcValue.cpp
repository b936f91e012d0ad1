// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "calculator/CalcValue.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

using namespace CalcOps;

namespace {

using Type = CalcValue::Type;

bool fitsInteger(qint64 value)
{
    return value >= std::numeric_limits<qint16>::min() &&
           value <= std::numeric_limits<qint16>::max();
}

bool fitsLong(qint64 value)
{
    return value >= std::numeric_limits<qint32>::min() &&
           value <= std::numeric_limits<qint32>::max();
}

// ASCII only: full-width digits are not numbers to VBScript.
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int hexDigitValue(QChar c)
{
    if (isDigit(c))
        return c.unicode() - u'0';
    const char16_t lower = c.toLower().unicode();
    if (lower >= u'a' && lower <= u'f')
        return lower - u'a' + 10;
    return -1;
}

// VBScript makes whole numbers from fractions by rounding half to even: 2.5 is 2, 3.5 is 4.
double roundHalfEven(double x)
{
    const double below = std::floor(x);
    const double fraction = x - below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0))
        return below + 1;
    return below;
}

// CLng: a number as a 32-bit whole number, or nothing when it does not fit.
std::optional<qint32> toLong(const CalcValue &number)
{
    if (number.isWhole())
        return number.wholeValue();
    const double rounded = roundHalfEven(number.toDouble());
    if (!(rounded >= std::numeric_limits<qint32>::min() &&
          rounded <= std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return static_cast<qint32>(rounded);
}

// An operand as a number: text converts like CDbl (spaces around, an optional sign, a literal);
// every other type already is one.
CalcResult numeric(const CalcValue &operand)
{
    if (operand.type() != Type::String)
        return operand;
    QStringView text = QStringView(operand.stringValue()).trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.sliced(1);
    }
    const NumberLiteral literal = readNumberLiteral(text);
    if (literal.length == 0 || literal.length != text.size())
        return CalcError::TypeMismatch;
    if (!literal.value.ok())
        return literal.value;
    const double value = literal.value.value.toDouble();
    return CalcValue::number(negative ? -value : value);
}

// Both operands as numbers, or the error of the first that is not one.
struct Operands
{
    CalcValue left;
    CalcValue right;
    CalcError error = CalcError::None;
};

Operands numericOperands(const CalcValue &left, const CalcValue &right)
{
    CalcResult a = numeric(left);
    if (!a.ok())
        return {{}, {}, a.error};
    CalcResult b = numeric(right);
    if (!b.ok())
        return {{}, {}, b.error};
    return {std::move(a.value), std::move(b.value)};
}

CalcResult doubleResult(double value)
{
    if (!std::isfinite(value))
        return CalcError::Overflow;
    return CalcValue::number(value);
}

// + - and * keep whole numbers whole, widening Integer to Long to Double instead of overflowing.
template <typename Operation>
CalcResult arithmetic(const CalcValue &left, const CalcValue &right, Operation operation)
{
    const Operands n = numericOperands(left, right);
    if (n.error != CalcError::None)
        return n.error;
    if (n.left.isWhole() && n.right.isWhole()) {
        const qint64 result = operation(qint64{n.left.wholeValue()}, qint64{n.right.wholeValue()});
        return CalcValue::whole(result, n.left.isNarrow() && n.right.isNarrow());
    }
    return doubleResult(operation(n.left.toDouble(), n.right.toDouble()));
}

// \ and Mod: both operands become 32-bit whole numbers first.
template <typename Operation>
CalcResult wholeDivision(const CalcValue &left, const CalcValue &right, Operation operation)
{
    const Operands n = numericOperands(left, right);
    if (n.error != CalcError::None)
        return n.error;
    const std::optional<qint32> dividend = toLong(n.left);
    const std::optional<qint32> divisor = toLong(n.right);
    if (!dividend || !divisor)
        return CalcError::Overflow;
    if (*divisor == 0)
        return CalcError::DivisionByZero;
    // In 64 bits, so that the one quotient beyond 32 bits (-2147483648 \ -1) is caught.
    const qint64 result = operation(qint64{*dividend}, qint64{*divisor});
    if (!fitsLong(result))
        return CalcError::Overflow;
    return CalcValue::whole(result, n.left.isNarrow() && n.right.isNarrow());
}

// CStr of a Double: 15 significant digits without trailing zeros, written in fixed notation
// unless the number reaches 1E+15 or would need more than 15 decimals.
QString doubleText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    std::array<char, 32> buffer{};
    const auto printed = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                       std::fabs(value), std::chars_format::scientific, 14);
    // buffer now holds d.dddddddddddddde+XX, correctly rounded.
    const std::string_view scientific(buffer.data(), printed.ptr - buffer.data());
    const std::size_t exponentAt = scientific.find('e');
    std::string digits(1, scientific[0]);
    digits += scientific.substr(2, exponentAt - 2);
    digits.erase(digits.find_last_not_of('0') + 1);

    std::string_view exponentText = scientific.substr(exponentAt + 1);
    if (exponentText.front() == '+')
        exponentText.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

    const int digitCount = static_cast<int>(digits.size());
    std::string text = value < 0 ? "-" : "";
    if (exponent >= 15 || digitCount - 1 - exponent > 15) {
        text += digits[0];
        if (digitCount > 1)
            text += '.' + digits.substr(1);
        const std::string magnitude = std::to_string(std::abs(exponent));
        text += exponent < 0 ? "E-" : "E+";
        text += magnitude.size() < 2 ? '0' + magnitude : magnitude;
    } else if (exponent < 0) {
        text += "0." + std::string(-exponent - 1, '0') + digits;
    } else {
        digits.resize(std::max(digitCount, exponent + 1), '0');
        text += digits.substr(0, exponent + 1);
        if (digitCount > exponent + 1)
            text += '.' + digits.substr(exponent + 1);
    }
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

NumberLiteral readRadixLiteral(QStringView text, int radix)
{
    constexpr quint64 largest = std::numeric_limits<quint32>::max();
    quint64 value = 0;
    qsizetype end = 2; // after "&H" or "&O"
    for (; end < text.size(); ++end) {
        const int digit = hexDigitValue(text[end]);
        if (digit < 0 || digit >= radix)
            break;
        if (value <= largest)
            value = value * radix + digit;
    }
    if (end == 2)
        return {};
    // A trailing & marks a Long literal: its bits are read as 32 bits, so &HFFFF& is 65535.
    const bool longSuffix = end < text.size() && text[end] == u'&';
    NumberLiteral literal;
    literal.length = longSuffix ? end + 1 : end;
    const auto bits = static_cast<qint32>(static_cast<quint32>(value));
    // The bits stand as written: &HFFFF is the Integer -1, &HFFFFFFFF the Long -1. A Long
    // literal still becomes an Integer when its value fits one (&HFFFFFFFF& is the Integer -1).
    if (value > largest)
        literal.value = CalcError::Overflow;
    else if (longSuffix)
        literal.value = CalcValue::whole(bits, true);
    else if (value <= std::numeric_limits<quint16>::max())
        literal.value = CalcValue::integer(static_cast<qint16>(static_cast<quint16>(value)));
    else
        literal.value = CalcValue::longInteger(bits);
    return literal;
}

qsizetype skipDigits(QStringView text, qsizetype from)
{
    while (from < text.size() && isDigit(text[from]))
        ++from;
    return from;
}

NumberLiteral readDecimalLiteral(QStringView text)
{
    qsizetype end = skipDigits(text, 0);
    const bool hasIntegerDigits = end > 0;
    bool isWholeLiteral = true;
    if (end < text.size() && text[end] == u'.') {
        const qsizetype afterFraction = skipDigits(text, end + 1);
        if (!hasIntegerDigits && afterFraction == end + 1)
            return {};
        end = afterFraction;
        isWholeLiteral = false;
    }
    if (end == 0)
        return {};
    // An exponent counts only with digits after it: "7e" is the number 7 and the name e.
    if (end < text.size() && (text[end] == u'e' || text[end] == u'E')) {
        qsizetype digitsFrom = end + 1;
        if (digitsFrom < text.size() && (text[digitsFrom] == u'+' || text[digitsFrom] == u'-'))
            ++digitsFrom;
        const qsizetype afterExponent = skipDigits(text, digitsFrom);
        if (afterExponent > digitsFrom) {
            end = afterExponent;
            isWholeLiteral = false;
        }
    }
    NumberLiteral literal;
    literal.length = end;
    // Too small a number reads as 0; too large is an overflow.
    const double value = text.first(end).toDouble();
    if (std::isinf(value))
        literal.value = CalcError::Overflow;
    else if (isWholeLiteral && value <= std::numeric_limits<qint32>::max())
        literal.value = CalcValue::whole(static_cast<qint64>(value), true);
    else
        literal.value = CalcValue::number(value);
    return literal;
}

CalcResult absFunction(const CalcValue &number)
{
    if (number.isWhole())
        return CalcValue::whole(std::abs(qint64{number.wholeValue()}), number.isNarrow());
    return CalcValue::number(std::fabs(number.toDouble()));
}

CalcResult sgnFunction(const CalcValue &number)
{
    const double value = number.toDouble();
    return CalcValue::integer(static_cast<qint16>(value > 0 ? 1 : (value < 0 ? -1 : 0)));
}

CalcResult intFunction(const CalcValue &number)
{
    if (number.isWhole())
        return CalcValue::whole(number.wholeValue(), number.isNarrow());
    return CalcValue::number(std::floor(number.toDouble()));
}

CalcResult fixFunction(const CalcValue &number)
{
    if (number.isWhole())
        return CalcValue::whole(number.wholeValue(), number.isNarrow());
    return CalcValue::number(std::trunc(number.toDouble()));
}

CalcResult logFunction(const CalcValue &number)
{
    if (number.toDouble() <= 0)
        return CalcError::InvalidArgument;
    return CalcValue::number(std::log(number.toDouble()));
}

CalcResult sqrFunction(const CalcValue &number)
{
    if (number.toDouble() < 0)
        return CalcError::InvalidArgument;
    return CalcValue::number(std::sqrt(number.toDouble()));
}

CalcResult atnFunction(const CalcValue &number)
{
    return CalcValue::number(std::atan(number.toDouble()));
}

CalcResult cosFunction(const CalcValue &number)
{
    return CalcValue::number(std::cos(number.toDouble()));
}

CalcResult sinFunction(const CalcValue &number)
{
    return CalcValue::number(std::sin(number.toDouble()));
}

CalcResult tanFunction(const CalcValue &number)
{
    return doubleResult(std::tan(number.toDouble()));
}

CalcResult expFunction(const CalcValue &number)
{
    return doubleResult(std::exp(number.toDouble()));
}

// Round(number[, digits]): half to even at the given decimal place.
CalcResult roundFunction(const CalcValue &number, const CalcValue *digitsArgument)
{
    qint32 digits = 0;
    if (digitsArgument) {
        const CalcResult converted = numeric(*digitsArgument);
        if (!converted.ok())
            return converted;
        const std::optional<qint32> whole = toLong(converted.value);
        if (!whole)
            return CalcError::Overflow;
        if (*whole < 0)
            return CalcError::InvalidArgument;
        digits = *whole;
    }
    // A truth value is already whole and keeps its type: Round(True) is True.
    if (number.type() == Type::Boolean)
        return number;
    if (number.isWhole())
        return CalcValue::whole(number.wholeValue(), number.isNarrow());
    const double value = number.toDouble();
    const double scale = std::pow(10.0, digits);
    const double scaled = value * scale;
    // From 2^52 on a Double holds no fraction, so there is nothing left to round.
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0)
        return CalcValue::number(value);
    return CalcValue::number(roundHalfEven(scaled) / scale);
}

struct BuiltinFunction
{
    QStringView name;
    CalcResult (*call)(const CalcValue &);
};

// Round is the one function with an optional argument and is handled apart.
constexpr std::array<BuiltinFunction, 11> oneArgumentFunctions{{
    {u"abs", absFunction},
    {u"atn", atnFunction},
    {u"cos", cosFunction},
    {u"exp", expFunction},
    {u"fix", fixFunction},
    {u"int", intFunction},
    {u"log", logFunction},
    {u"sgn", sgnFunction},
    {u"sin", sinFunction},
    {u"sqr", sqrFunction},
    {u"tan", tanFunction},
}};

const BuiltinFunction *findFunction(QStringView name)
{
    const auto found = std::find_if(oneArgumentFunctions.begin(), oneArgumentFunctions.end(),
                                    [name](const BuiltinFunction &f) { return f.name == name; });
    return found == oneArgumentFunctions.end() ? nullptr : &*found;
}

} // namespace

CalcValue CalcValue::boolean(bool value)
{
    CalcValue result;
    result.m_type = Type::Boolean;
    result.m_whole = value ? -1 : 0;
    return result;
}

CalcValue CalcValue::integer(qint16 value)
{
    CalcValue result;
    result.m_type = Type::Integer;
    result.m_whole = value;
    return result;
}

CalcValue CalcValue::longInteger(qint32 value)
{
    CalcValue result;
    result.m_type = Type::Long;
    result.m_whole = value;
    return result;
}

CalcValue CalcValue::number(double value)
{
    CalcValue result;
    result.m_type = Type::Double;
    result.m_number = value;
    return result;
}

CalcValue CalcValue::string(QString value)
{
    CalcValue result;
    result.m_type = Type::String;
    result.m_text = std::move(value);
    return result;
}

CalcValue CalcValue::whole(qint64 value, bool mayBeInteger)
{
    if (mayBeInteger && fitsInteger(value))
        return integer(static_cast<qint16>(value));
    if (fitsLong(value))
        return longInteger(static_cast<qint32>(value));
    return number(static_cast<double>(value));
}

bool CalcValue::isWhole() const
{
    return m_type == Type::Empty || m_type == Type::Boolean || m_type == Type::Integer ||
           m_type == Type::Long;
}

bool CalcValue::isNarrow() const
{
    return m_type == Type::Empty || m_type == Type::Boolean || m_type == Type::Integer;
}

double CalcValue::toDouble() const
{
    return m_type == Type::Double ? m_number : m_whole;
}

QString CalcValue::text() const &
{
    switch (m_type) {
    case Type::Empty:
        return {};
    case Type::Boolean:
        return m_whole ? QStringLiteral("True") : QStringLiteral("False");
    case Type::Integer:
    case Type::Long:
        return QString::number(m_whole);
    case Type::Double:
        return doubleText(m_number);
    case Type::String:
        return m_text;
    }
    return {};
}

QString CalcValue::text() &&
{
    if (m_type == Type::String)
        return std::move(m_text);
    return std::as_const(*this).text();
}

namespace CalcOps {

NumberLiteral readNumberLiteral(QStringView text)
{
    if (text.size() >= 3 && text[0] == u'&') {
        const char16_t marker = text[1].toLower().unicode();
        if (marker == u'h')
            return readRadixLiteral(text, 16);
        if (marker == u'o')
            return readRadixLiteral(text, 8);
        return {};
    }
    return readDecimalLiteral(text);
}

CalcResult add(const CalcValue &left, const CalcValue &right)
{
    // + joins two texts, and Empty added to a text leaves the text.
    const bool leftText = left.type() == Type::String;
    const bool rightText = right.type() == Type::String;
    if ((leftText && (rightText || right.type() == Type::Empty)) ||
        (rightText && left.type() == Type::Empty))
        return CalcValue::string(left.stringValue() + right.stringValue());
    return arithmetic(left, right, std::plus<>());
}

CalcResult subtract(const CalcValue &left, const CalcValue &right)
{
    return arithmetic(left, right, std::minus<>());
}

CalcResult multiply(const CalcValue &left, const CalcValue &right)
{
    return arithmetic(left, right, std::multiplies<>());
}

CalcResult divide(const CalcValue &left, const CalcValue &right)
{
    const Operands n = numericOperands(left, right);
    if (n.error != CalcError::None)
        return n.error;
    const double dividend = n.left.toDouble();
    const double divisor = n.right.toDouble();
    // VBScript reports 0/0 as an overflow and only other numbers over 0 as division by zero.
    if (divisor == 0)
        return dividend == 0 ? CalcError::Overflow : CalcError::DivisionByZero;
    return doubleResult(dividend / divisor);
}

CalcResult integerDivide(const CalcValue &left, const CalcValue &right)
{
    return wholeDivision(left, right, std::divides<>());
}

CalcResult modulo(const CalcValue &left, const CalcValue &right)
{
    return wholeDivision(left, right, std::modulus<>());
}

CalcResult power(const CalcValue &base, const CalcValue &exponent)
{
    const Operands n = numericOperands(base, exponent);
    if (n.error != CalcError::None)
        return n.error;
    const double x = n.left.toDouble();
    const double y = n.right.toDouble();
    if (x < 0 && y != std::floor(y))
        return CalcError::InvalidArgument;
    if (x == 0 && y < 0)
        return CalcError::DivisionByZero;
    return doubleResult(std::pow(x, y));
}

CalcResult concatenate(CalcValue left, const CalcValue &right)
{
    QString text = std::move(left).text();
    text += right.text();
    return CalcValue::string(std::move(text));
}

int order(const CalcValue &left, const CalcValue &right)
{
    const bool leftText = left.type() == Type::String;
    const bool rightText = right.type() == Type::String;
    if (leftText || rightText) {
        // Texts compare by character codes and Empty counts as the empty text there; a number
        // is less than any text.
        const bool leftAsText = leftText || left.type() == Type::Empty;
        const bool rightAsText = rightText || right.type() == Type::Empty;
        if (leftAsText && rightAsText)
            return QString::compare(left.stringValue(), right.stringValue());
        return leftText ? 1 : -1;
    }
    const double a = left.toDouble();
    const double b = right.toDouble();
    return a < b ? -1 : (a > b ? 1 : 0);
}

CalcResult bitwise(const CalcValue &left, const CalcValue &right, qint32 (*combine)(qint32, qint32))
{
    const Operands n = numericOperands(left, right);
    if (n.error != CalcError::None)
        return n.error;
    const std::optional<qint32> x = toLong(n.left);
    const std::optional<qint32> y = toLong(n.right);
    if (!x || !y)
        return CalcError::Overflow;
    const qint32 bits = combine(*x, *y);
    // Two truth values give a truth value (True is all bits set, so the bits stay -1 or 0).
    if (left.type() == Type::Boolean && right.type() == Type::Boolean)
        return CalcValue::boolean(bits != 0);
    return CalcValue::whole(bits, n.left.isNarrow() && n.right.isNarrow());
}

CalcResult negate(const CalcValue &operand)
{
    const CalcResult a = numeric(operand);
    if (!a.ok())
        return a;
    if (a.value.isWhole())
        return CalcValue::whole(-qint64{a.value.wholeValue()}, a.value.isNarrow());
    return CalcValue::number(-a.value.toDouble());
}

CalcResult logicalNot(const CalcValue &operand)
{
    if (operand.type() == Type::Boolean)
        return CalcValue::boolean(operand.wholeValue() == 0);
    const CalcResult a = numeric(operand);
    if (!a.ok())
        return a;
    const std::optional<qint32> bits = toLong(a.value);
    if (!bits)
        return CalcError::Overflow;
    return CalcValue::whole(~*bits, a.value.isNarrow());
}

bool isBuiltinFunction(QStringView name)
{
    return name == u"round" || findFunction(name);
}

CalcResult callFunction(QStringView name, const QList<CalcValue> &arguments)
{
    const BuiltinFunction *function = findFunction(name);
    if (!function && name != u"round")
        return CalcError::UnknownFunction;
    const qsizetype maxArguments = function ? 1 : 2;
    if (arguments.isEmpty() || arguments.size() > maxArguments)
        return CalcError::WrongArgumentCount;
    const CalcResult number = numeric(arguments.front());
    if (!number.ok())
        return number;
    if (function)
        return function->call(number.value);
    return roundFunction(number.value, arguments.size() == 2 ? &arguments[1] : nullptr);
}

} // namespace CalcOps
