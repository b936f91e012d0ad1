// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "calculator/Calculator.h"
#include "common/TextRules.h"
#include "conversation/ReplyEngine.h"
#include "support/Fakes.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString errorName(CalcError error)
{
    switch (error) {
    case CalcError::None:
        return u"None"_s;
    case CalcError::Syntax:
        return u"Syntax"_s;
    case CalcError::TooLong:
        return u"TooLong"_s;
    case CalcError::TooDeep:
        return u"TooDeep"_s;
    case CalcError::DivisionByZero:
        return u"DivisionByZero"_s;
    case CalcError::Overflow:
        return u"Overflow"_s;
    case CalcError::InvalidArgument:
        return u"InvalidArgument"_s;
    case CalcError::TypeMismatch:
        return u"TypeMismatch"_s;
    case CalcError::UnknownFunction:
        return u"UnknownFunction"_s;
    case CalcError::WrongArgumentCount:
        return u"WrongArgumentCount"_s;
    case CalcError::Unsupported:
        return u"Unsupported"_s;
    }
    return u"?"_s;
}

QString typeName(CalcValue::Type type)
{
    switch (type) {
    case CalcValue::Type::Empty:
        return u"Empty"_s;
    case CalcValue::Type::Boolean:
        return u"Boolean"_s;
    case CalcValue::Type::Integer:
        return u"Integer"_s;
    case CalcValue::Type::Long:
        return u"Long"_s;
    case CalcValue::Type::Double:
        return u"Double"_s;
    case CalcValue::Type::String:
        return u"String"_s;
    }
    return u"?"_s;
}

void addRow(const char *group, const QString &expression, const QString &expected)
{
    QTest::addRow("%s: %s", group, qPrintable(expression)) << expression << expected;
}

// The answer to a message as the robot gives it, with the third template drawn.
QString answerTo(const QString &message)
{
    ScriptedRandom random;
    random.setFallback(0.5);
    QString pending = TextRules::normalise(message);
    return ReplyEngine::calculate(pending, random);
}

const QString TooHard = u"太难了，把[rob]都算晕了还算不出来~换一个吧"_s;
const QString NothingToCalculate = u"拜托，您得先告诉[rob]要算啥啊！"_s;

} // namespace

class TestCalculator : public QObject
{
    Q_OBJECT

private slots:
    void values_data();
    void values();
    void types_data();
    void types();
    void failures_data();
    void failures();
    void longConcatenationKeepsEveryCharacter();
    void requests_data();
    void requests();
    void wineAssertions_data();
    void wineAssertions();
};

// What JS answers. Expected texts follow VBScript's rules for Eval and CStr.
void TestCalculator::values_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("expected");

    const char *group = "operators";
    addRow(group, u"1+1"_s, u"2"_s);
    addRow(group, u"10-4"_s, u"6"_s);
    addRow(group, u"6*7"_s, u"42"_s);
    addRow(group, u"10/4"_s, u"2.5"_s);
    addRow(group, u"6/3"_s, u"2"_s);
    addRow(group, u"2^10"_s, u"1024"_s);
    addRow(group, u"7\\2"_s, u"3"_s);
    addRow(group, u"7 mod 3"_s, u"1"_s);
    addRow(group, u"1&2"_s, u"12"_s);
    addRow(group, u"1.5&2"_s, u"1.52"_s);
    addRow(group, u"2*-3"_s, u"-6"_s);
    addRow(group, u"2--3"_s, u"5"_s);
    addRow(group, u"+5"_s, u"5"_s);
    addRow(group, u"--5"_s, u"5"_s);
    addRow(group, u"0.1+0.2"_s, u"0.3"_s);
    addRow(group, u" 2 + 3 * 4 "_s, u"14"_s);

    group = "precedence";
    addRow(group, u"2+3*4"_s, u"14"_s);
    addRow(group, u"(1+2)*3"_s, u"9"_s);
    // A sign binds more loosely than ^, as in VB6.
    addRow(group, u"-2^2"_s, u"-4"_s);
    addRow(group, u"(-2)^2"_s, u"4"_s);
    addRow(group, u"2^-2"_s, u"0.25"_s);
    addRow(group, u"2*-2^2"_s, u"-8"_s);
    addRow(group, u"2*3^2"_s, u"18"_s);
    addRow(group, u"7\\2*2"_s, u"1"_s);
    addRow(group, u"9 mod 5\\2"_s, u"1"_s);
    addRow(group, u"8\\3 mod 2"_s, u"0"_s);
    addRow(group, u"2+3 mod 4"_s, u"5"_s);
    addRow(group, u"1-2&3"_s, u"-13"_s);
    addRow(group, u"1+2&3+4"_s, u"37"_s);
    addRow(group, u"1+2=3"_s, u"True"_s);
    addRow(group, u"2+3>4"_s, u"True"_s);
    addRow(group, u"not 1=2"_s, u"True"_s);
    addRow(group, u"not 1+1"_s, u"-3"_s);
    addRow(group, u"not 0 and 5"_s, u"5"_s);
    addRow(group, u"1 or 2 and 4"_s, u"1"_s);
    addRow(group, u"1 xor 3 or 4"_s, u"6"_s);
    addRow(group, u"5 eqv 3 xor 1"_s, u"-8"_s);
    addRow(group, u"0 imp 1 eqv 1"_s, u"-1"_s);

    group = "associativity";
    addRow(group, u"2^3^2"_s, u"64"_s);
    addRow(group, u"2^-3^2"_s, u"0.015625"_s);
    addRow(group, u"2-3-4"_s, u"-5"_s);
    addRow(group, u"8/4/2"_s, u"1"_s);
    addRow(group, u"100\\10\\3"_s, u"3"_s);
    addRow(group, u"100 mod 7 mod 3"_s, u"2"_s);
    addRow(group, u"1<2<3"_s, u"True"_s);
    addRow(group, u"3>2>1"_s, u"False"_s);

    group = "\\ and Mod rounding";
    addRow(group, u"8.5\\1"_s, u"8"_s);
    addRow(group, u"7.5\\1"_s, u"8"_s);
    addRow(group, u"-8.5\\1"_s, u"-8"_s);
    addRow(group, u"0.5\\1"_s, u"0"_s);
    addRow(group, u"1.5\\1"_s, u"2"_s);
    addRow(group, u"9.5\\2"_s, u"5"_s);
    addRow(group, u"10\\2.5"_s, u"5"_s);
    addRow(group, u"10\\3.5"_s, u"2"_s);
    addRow(group, u"-7\\2"_s, u"-3"_s);
    addRow(group, u"8.5 mod 3"_s, u"2"_s);
    addRow(group, u"7.5 mod 3"_s, u"2"_s);
    addRow(group, u"5.5 mod 2.5"_s, u"0"_s);
    addRow(group, u"-7 mod 3"_s, u"-1"_s);
    addRow(group, u"7 mod -3"_s, u"1"_s);
    addRow(group, u"-7 mod -3"_s, u"-1"_s);
    addRow(group, u"2147483647\\1"_s, u"2147483647"_s);

    group = "integer overflow promotion";
    addRow(group, u"32767+1"_s, u"32768"_s);
    addRow(group, u"-32768-1"_s, u"-32769"_s);
    addRow(group, u"32767*2"_s, u"65534"_s);
    addRow(group, u"2147483647+1"_s, u"2147483648"_s);
    addRow(group, u"-2147483647-2"_s, u"-2147483649"_s);
    addRow(group, u"65536*65536"_s, u"4294967296"_s);
    addRow(group, u"123456789*987654321"_s, u"1.21932631112635E+17"_s);
    addRow(group, u"1000000*1000000000"_s, u"1E+15"_s);
    addRow(group, u"&h8000-1"_s, u"-32769"_s);
    addRow(group, u"-&h8000"_s, u"32768"_s);
    addRow(group, u"abs(&h8000)"_s, u"32768"_s);

    group = "number formatting";
    addRow(group, u"10/3"_s, u"3.33333333333333"_s);
    addRow(group, u"1/3"_s, u"0.333333333333333"_s);
    addRow(group, u"2/3"_s, u"0.666666666666667"_s);
    addRow(group, u"1/30"_s, u"3.33333333333333E-02"_s);
    addRow(group, u"1/3000000"_s, u"3.33333333333333E-07"_s);
    addRow(group, u"1e15"_s, u"1E+15"_s);
    addRow(group, u"-1E15"_s, u"-1E+15"_s);
    addRow(group, u"1.5e15"_s, u"1.5E+15"_s);
    addRow(group, u"1e14"_s, u"100000000000000"_s);
    addRow(group, u"1e15-1"_s, u"999999999999999"_s);
    addRow(group, u"123456789012345678"_s, u"1.23456789012346E+17"_s);
    addRow(group, u"2/3*1e20"_s, u"6.66666666666667E+19"_s);
    addRow(group, u"1e100"_s, u"1E+100"_s);
    addRow(group, u"1.79769313486231e308"_s, u"1.79769313486231E+308"_s);
    addRow(group, u"1e-5"_s, u"0.00001"_s);
    addRow(group, u"0.00001"_s, u"0.00001"_s);
    addRow(group, u"1e-15"_s, u"0.000000000000001"_s);
    addRow(group, u"1e-16"_s, u"1E-16"_s);
    addRow(group, u"1.5e-15"_s, u"1.5E-15"_s);
    addRow(group, u"1e-100"_s, u"1E-100"_s);
    addRow(group, u"0.5"_s, u"0.5"_s);
    addRow(group, u".5"_s, u"0.5"_s);
    addRow(group, u"5."_s, u"5"_s);
    addRow(group, u"-0.5"_s, u"-0.5"_s);
    addRow(group, u"123456.789"_s, u"123456.789"_s);
    addRow(group, u"1-0.9"_s, u"0.1"_s);
    addRow(group, u"2^0.5"_s, u"1.4142135623731"_s);
    addRow(group, u"0*-1.5"_s, u"0"_s);
    addRow(group, u"-32768"_s, u"-32768"_s);

    group = "functions";
    addRow(group, u"abs(-3)"_s, u"3"_s);
    addRow(group, u"Abs(-2.5)"_s, u"2.5"_s);
    addRow(group, u"atn(1)*4"_s, u"3.14159265358979"_s);
    addRow(group, u"cos(0)"_s, u"1"_s);
    addRow(group, u"sin(0)"_s, u"0"_s);
    addRow(group, u"tan(0)"_s, u"0"_s);
    addRow(group, u"exp(1)"_s, u"2.71828182845905"_s);
    addRow(group, u"log(1)"_s, u"0"_s);
    addRow(group, u"log(exp(2))"_s, u"2"_s);
    addRow(group, u"sqr(16)"_s, u"4"_s);
    addRow(group, u"SQR(2)"_s, u"1.4142135623731"_s);
    addRow(group, u"fix(-2.5)"_s, u"-2"_s);
    addRow(group, u"int(-2.5)"_s, u"-3"_s);
    addRow(group, u"int(2.7)"_s, u"2"_s);
    addRow(group, u"fix(2.7)"_s, u"2"_s);
    addRow(group, u"round(2.5)"_s, u"2"_s);
    addRow(group, u"round(3.5)"_s, u"4"_s);
    addRow(group, u"round(-2.5)"_s, u"-2"_s);
    addRow(group, u"round(1.5,0)"_s, u"2"_s);
    addRow(group, u"round(0.125,2)"_s, u"0.12"_s);
    addRow(group, u"round(0.375,2)"_s, u"0.38"_s);
    addRow(group, u"round(1234.5678,2)"_s, u"1234.57"_s);
    addRow(group, u"round(7)"_s, u"7"_s);
    addRow(group, u"sgn(-5)"_s, u"-1"_s);
    addRow(group, u"sgn(0)"_s, u"0"_s);
    addRow(group, u"sgn(0.1)"_s, u"1"_s);
    addRow(group, u"sqr(16)+abs(-1)"_s, u"5"_s);
    addRow(group, u"abs(abc)"_s, u"0"_s);

    group = "comparisons and booleans";
    addRow(group, u"1<2"_s, u"True"_s);
    addRow(group, u"2<1"_s, u"False"_s);
    addRow(group, u"1=1"_s, u"True"_s);
    addRow(group, u"1<>1"_s, u"False"_s);
    addRow(group, u"1<=1"_s, u"True"_s);
    addRow(group, u"2>=3"_s, u"False"_s);
    addRow(group, u"1.5=1.5"_s, u"True"_s);
    addRow(group, u"true"_s, u"True"_s);
    addRow(group, u"False"_s, u"False"_s);
    addRow(group, u"true+true"_s, u"-2"_s);
    addRow(group, u"not true"_s, u"False"_s);
    addRow(group, u"not 0"_s, u"-1"_s);
    addRow(group, u"not 5"_s, u"-6"_s);
    addRow(group, u"not not 5"_s, u"5"_s);
    addRow(group, u"5 and 3"_s, u"1"_s);
    addRow(group, u"5 or 3"_s, u"7"_s);
    addRow(group, u"5 xor 3"_s, u"6"_s);
    addRow(group, u"5 eqv 3"_s, u"-7"_s);
    addRow(group, u"5 imp 3"_s, u"-5"_s);
    addRow(group, u"5.5 and 7"_s, u"6"_s);
    addRow(group, u"true and false"_s, u"False"_s);
    addRow(group, u"true or false"_s, u"True"_s);
    addRow(group, u"false imp false"_s, u"True"_s);
    addRow(group, u"(1<2) and 5"_s, u"5"_s);
    addRow(group, u"abc=0"_s, u"True"_s);
    // A number is less than any text, whatever the text says.
    addRow(group, u"(1&0)<30"_s, u"False"_s);
    addRow(group, u"\"b\">\"a\""_s, u"True"_s);

    group = "texts";
    addRow(group, u"\"a\"&\"b\""_s, u"ab"_s);
    addRow(group, u"\"\"\"\""_s, u"\""_s);
    addRow(group, u"(1&2)+(3&4)"_s, u"1234"_s);
    addRow(group, u"(1&2)+1"_s, u"13"_s);
    addRow(group, u"(1&2)*2"_s, u"24"_s);
    addRow(group, u"\" 12 \"*2"_s, u"24"_s);
    addRow(group, u"\"&h10\"+0"_s, u"16"_s);
    addRow(group, u"true&1"_s, u"True1"_s);

    group = "hex and octal";
    addRow(group, u"&hff"_s, u"255"_s);
    addRow(group, u"&HFF"_s, u"255"_s);
    addRow(group, u"&h7fff"_s, u"32767"_s);
    addRow(group, u"&h8000"_s, u"-32768"_s);
    addRow(group, u"&hffff"_s, u"-1"_s);
    addRow(group, u"&h0ffff"_s, u"-1"_s);
    addRow(group, u"&h10000"_s, u"65536"_s);
    addRow(group, u"&h7fffffff"_s, u"2147483647"_s);
    addRow(group, u"&h80000000"_s, u"-2147483648"_s);
    addRow(group, u"&hffffffff"_s, u"-1"_s);
    addRow(group, u"&hffff+1"_s, u"0"_s);
    addRow(group, u"&h10*2"_s, u"32"_s);
    addRow(group, u"&o17"_s, u"15"_s);
    addRow(group, u"&o177777"_s, u"-1"_s);
    addRow(group, u"&o200000"_s, u"65536"_s);

    group = "names";
    addRow(group, u"7mod(3)"_s, u"1"_s);
    addRow(group, u"(7)mod(3)"_s, u"1"_s);
    addRow(group, u"7 MOD 3"_s, u"1"_s);
    addRow(group, u"7eqv(7)"_s, u"-1"_s);
    addRow(group, u"2e3"_s, u"2000"_s);
    addRow(group, u"abc"_s, QString());
    addRow(group, u"abc+1"_s, u"1"_s);
    addRow(group, u"abc*5"_s, u"0"_s);
    addRow(group, u"-abc"_s, u"0"_s);
    addRow(group, u"a_1+2"_s, u"2"_s);
    addRow(group, u"abc&1"_s, u"1"_s);
    addRow(group, u"empty"_s, QString());
    addRow(group, u"1+empty"_s, u"1"_s);

    group = "limits";
    const QString deepest = QString(200, u'(') + u'1' + QString(200, u')');
    QTest::newRow("limits: 200 nested parentheses") << deepest << u"1"_s;
    QTest::newRow("limits: 200 signs") << QString(200, u'-') + u'1' << u"1"_s;
    // 65535 characters, just under the length limit.
    QTest::newRow("limits: longest expression") << u"1+"_s.repeated(32767) + u'1' << u"32768"_s;
}

void TestCalculator::values()
{
    QFETCH(QString, expression);
    QFETCH(QString, expected);
    const CalcResult result = Calculator::evaluate(expression);
    QCOMPARE(errorName(result.error), u"None"_s);
    QCOMPARE(JS(expression), expected);
}

// The type decides how later operations widen or round; JS alone cannot show it.
void TestCalculator::types_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("type");

    const char *group = "literals";
    addRow(group, u"1"_s, u"Integer"_s);
    addRow(group, u"32767"_s, u"Integer"_s);
    addRow(group, u"32768"_s, u"Long"_s);
    addRow(group, u"2147483648"_s, u"Double"_s);
    addRow(group, u"1.0"_s, u"Double"_s);
    addRow(group, u"1e2"_s, u"Double"_s);
    addRow(group, u"&hffff"_s, u"Integer"_s);
    addRow(group, u"&h10000"_s, u"Long"_s);
    addRow(group, u"-32768"_s, u"Long"_s);
    addRow(group, u"abc"_s, u"Empty"_s);
    addRow(group, u"\"x\""_s, u"String"_s);
    // A Long literal still narrows to Integer when it fits (Wine's lang.vbs, lines 108-114).
    addRow(group, u"&h10&"_s, u"Integer"_s);
    addRow(group, u"&h10000&"_s, u"Long"_s);
    addRow(group, u"&hffFFffFF&"_s, u"Integer"_s);
    addRow(group, u"&hffFF&"_s, u"Long"_s);

    group = "operations";
    addRow(group, u"32766+1"_s, u"Integer"_s);
    addRow(group, u"32767+1"_s, u"Long"_s);
    addRow(group, u"2147483647+1"_s, u"Double"_s);
    addRow(group, u"200*200"_s, u"Long"_s);
    addRow(group, u"-&h8000"_s, u"Long"_s);
    addRow(group, u"4/2"_s, u"Double"_s);
    addRow(group, u"2^2"_s, u"Double"_s);
    addRow(group, u"7\\2"_s, u"Integer"_s);
    addRow(group, u"70000\\2"_s, u"Long"_s);
    addRow(group, u"7.5\\2"_s, u"Long"_s);
    addRow(group, u"7 mod 2"_s, u"Integer"_s);
    addRow(group, u"true+true"_s, u"Integer"_s);
    addRow(group, u"abc+abc"_s, u"Integer"_s);
    addRow(group, u"1<2"_s, u"Boolean"_s);
    addRow(group, u"5 and 3"_s, u"Integer"_s);
    addRow(group, u"5.5 and 3"_s, u"Long"_s);
    addRow(group, u"true and true"_s, u"Boolean"_s);
    addRow(group, u"not true"_s, u"Boolean"_s);
    addRow(group, u"not 0"_s, u"Integer"_s);
    addRow(group, u"1&1"_s, u"String"_s);
    addRow(group, u"(1&2)+1"_s, u"Double"_s);
    addRow(group, u"int(2.5)"_s, u"Double"_s);
    addRow(group, u"int(7)"_s, u"Integer"_s);
    addRow(group, u"sgn(2.5)"_s, u"Integer"_s);
    addRow(group, u"round(true,2)"_s, u"Boolean"_s);
}

void TestCalculator::types()
{
    QFETCH(QString, expression);
    QFETCH(QString, type);
    const CalcResult result = Calculator::evaluate(expression);
    QCOMPARE(errorName(result.error), u"None"_s);
    QCOMPARE(typeName(result.value.type()), type);
}

// Everything the calculator cannot evaluate gives the empty answer; the reason is checked too,
// so that an expression does not fail for the wrong one.
void TestCalculator::failures_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("error");

    const char *group = "syntax";
    addRow(group, QString(), u"Syntax"_s);
    addRow(group, u"1+"_s, u"Syntax"_s);
    addRow(group, u"(1+2"_s, u"Syntax"_s);
    addRow(group, u"1+2)"_s, u"Syntax"_s);
    addRow(group, u"2(3)"_s, u"Syntax"_s);
    addRow(group, u"1 2"_s, u"Syntax"_s);
    addRow(group, u"1.5.2"_s, u"Syntax"_s);
    addRow(group, u"1,2"_s, u"Syntax"_s);
    addRow(group, u"7mod3"_s, u"Syntax"_s);
    addRow(group, u"2e"_s, u"Syntax"_s);
    addRow(group, u"_a"_s, u"Syntax"_s);
    addRow(group, u"mod"_s, u"Syntax"_s);
    addRow(group, u"&hg"_s, u"Syntax"_s);
    addRow(group, u"1&hff"_s, u"Syntax"_s);
    addRow(group, u"\"abc"_s, u"Syntax"_s);
    addRow(group, u"1==1"_s, u"Syntax"_s);
    addRow(group, u"１+１"_s, u"Syntax"_s);
    addRow(group, u"1＋1"_s, u"Syntax"_s);
    addRow(group, u"2×3"_s, u"Syntax"_s);
    addRow(group, u"1+1\n"_s, u"Syntax"_s);
    // The & after a hex literal is its Long suffix, so no & is left to join with.
    addRow(group, u"&h10&2"_s, u"Syntax"_s);

    group = "arithmetic";
    addRow(group, u"1/0"_s, u"DivisionByZero"_s);
    addRow(group, u"1/abc"_s, u"DivisionByZero"_s);
    addRow(group, u"0/0"_s, u"Overflow"_s);
    addRow(group, u"7\\0"_s, u"DivisionByZero"_s);
    addRow(group, u"7\\0.4"_s, u"DivisionByZero"_s);
    addRow(group, u"7 mod 0"_s, u"DivisionByZero"_s);
    addRow(group, u"2147483648\\1"_s, u"Overflow"_s);
    addRow(group, u"1\\2147483647.5"_s, u"Overflow"_s);
    addRow(group, u"(-2147483647-1)\\-1"_s, u"Overflow"_s);
    addRow(group, u"2147483647.5 and 1"_s, u"Overflow"_s);
    addRow(group, u"not 2147483647.5"_s, u"Overflow"_s);
    addRow(group, u"1e308*10"_s, u"Overflow"_s);
    addRow(group, u"9^9^9^9"_s, u"Overflow"_s);
    addRow(group, u"1e400"_s, u"Overflow"_s);
    addRow(group, u"&h100000000"_s, u"Overflow"_s);
    addRow(group, u"(-8)^(1/3)"_s, u"InvalidArgument"_s);
    addRow(group, u"0^-1"_s, u"DivisionByZero"_s);
    addRow(group, u"\"a\"+1"_s, u"TypeMismatch"_s);
    addRow(group, u"-\"a\""_s, u"TypeMismatch"_s);

    group = "functions";
    addRow(group, u"sqr(-1)"_s, u"InvalidArgument"_s);
    addRow(group, u"log(0)"_s, u"InvalidArgument"_s);
    addRow(group, u"exp(1000)"_s, u"Overflow"_s);
    addRow(group, u"round(1.5,-1)"_s, u"InvalidArgument"_s);
    addRow(group, u"abs"_s, u"WrongArgumentCount"_s);
    addRow(group, u"abs()"_s, u"WrongArgumentCount"_s);
    addRow(group, u"abs(1,2)"_s, u"WrongArgumentCount"_s);
    addRow(group, u"round(1,2,3)"_s, u"WrongArgumentCount"_s);
    addRow(group, u"abc(1)"_s, u"UnknownFunction"_s);
    addRow(group, u"rnd(1)"_s, u"UnknownFunction"_s);
    addRow(group, u"null"_s, u"Unsupported"_s);
    addRow(group, u"1+nothing"_s, u"Unsupported"_s);

    group = "limits";
    QTest::newRow("limits: 201 nested parentheses")
        << QString(201, u'(') + u'1' + QString(201, u')') << u"TooDeep"_s;
    QTest::newRow("limits: 201 nested calls")
        << u"abs("_s.repeated(201) + u'1' + QString(201, u')') << u"TooDeep"_s;
    QTest::newRow("limits: 201 signs") << QString(201, u'-') + u'1' << u"TooDeep"_s;
    QTest::newRow("limits: 60000 open parentheses") << QString(60000, u'(') << u"TooDeep"_s;
    QTest::newRow("limits: just too long") << u"1+"_s.repeated(32768) + u'1' << u"TooLong"_s;
    QTest::newRow("limits: one megabyte") << u"1+"_s.repeated(512 * 1024) << u"TooLong"_s;
}

void TestCalculator::failures()
{
    QFETCH(QString, expression);
    QFETCH(QString, error);
    QCOMPARE(errorName(Calculator::evaluate(expression).error), error);
    QCOMPARE(JS(expression), QString());
}

void TestCalculator::longConcatenationKeepsEveryCharacter()
{
    const QString expression = u"12&"_s.repeated(20000) + u"3"_s;
    QCOMPARE(JS(expression), u"12"_s.repeated(20000) + u"3"_s);
}

// What a message starting with "计算" is read as, and the value it is answered with. An empty
// expression asks for something to calculate; an empty value is the calculator giving up.
void TestCalculator::requests_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("value");

    QTest::newRow("= at the end") << u"计算1+2="_s << u"1+2"_s << u"3"_s;
    QTest::newRow("=？ at the end") << u"计算2+3*4=？"_s << u"2+3*4"_s << u"14"_s;
    QTest::newRow("= at the start") << u"计算=1+2"_s << u"1+2"_s << u"3"_s;
    QTest::newRow("repeated at both ends") << u"计算==1+2=等于？"_s << u"1+2"_s << u"3"_s;
    QTest::newRow(">=") << u"计算2>=2"_s << u"2>=2"_s << u"True"_s;
    QTest::newRow("<= with spaces") << u"计算 2 <= 1"_s << u"2<=1"_s << u"False"_s;
    QTest::newRow("= compares") << u"计算1=1"_s << u"1=1"_s << u"True"_s;
    QTest::newRow("= compares a sum") << u"计算1+2=3"_s << u"1+2=3"_s << u"True"_s;
    QTest::newRow("= compares, then asked") << u"计算1=2=？"_s << u"1=2"_s << u"False"_s;
    QTest::newRow("等于 compares") << u"计算1+2等于3"_s << u"1+2=3"_s << u"True"_s;
    QTest::newRow("等于 at the end") << u"计算1+2等于"_s << u"1+2"_s << u"3"_s;
    QTest::newRow("等于多少") << u"计算1+2等于多少"_s << u"1+2"_s << u"3"_s;
    QTest::newRow("等于几？") << u"计算1+2等于几？"_s << u"1+2"_s << u"3"_s;
    QTest::newRow("是多少？") << u"计算3*4是多少？"_s << u"3*4"_s << u"12"_s;
    QTest::newRow("only the words") << u"计算等于？"_s << QString() << QString();
    QTest::newRow("only a question") << u"计算是多少？"_s << QString() << QString();
    QTest::newRow("mod with spaces") << u"计算9 mod 6"_s << u"9mod 6"_s << u"3"_s;
    QTest::newRow("mod without spaces") << u"计算9mod6"_s << u"9mod 6"_s << u"3"_s;
    QTest::newRow("Mod in capitals") << u"计算9 MOD 6"_s << u"9mod 6"_s << u"3"_s;
    QTest::newRow("mod after )") << u"计算(9)mod6"_s << u"(9)mod 6"_s << u"3"_s;
    QTest::newRow("mod between parentheses") << u"计算(9)mod(6)"_s << u"(9)mod(6)"_s << u"3"_s;
    QTest::newRow("mod after a fraction") << u"计算7.5mod2"_s << u"7.5mod 2"_s << u"0"_s;
    QTest::newRow("mod after hex") << u"计算&hff mod 6"_s << u"&hffmod 6"_s << u"3"_s;
    QTest::newRow("mod before a sign") << u"计算9 mod -6"_s << u"9mod-6"_s << u"3"_s;
    QTest::newRow("mod twice") << u"计算100 mod 7 mod 3"_s << u"100mod 7mod 3"_s << u"2"_s;
    QTest::newRow("mod ending a name") << u"计算a9mod6"_s << u"a9mod6"_s << QString();
    QTest::newRow("mod starting a name") << u"计算9model"_s << u"9model"_s << QString();
    QTest::newRow("mod in a text") << u"计算\"9mod6\""_s << u"\"9mod6\""_s << u"9mod6"_s;
    QTest::newRow("sign before ^") << u"计算-2^2"_s << u"-2^2"_s << u"-4"_s;
    QTest::newRow("full-width digits") << u"计算１+１"_s << u"１+１"_s << QString();
}

void TestCalculator::requests()
{
    QFETCH(QString, message);
    QFETCH(QString, expression);
    QFETCH(QString, value);
    QCOMPARE(Calculator::requestedExpression(TextRules::normalise(message)), expression);
    const QString expected = expression.isEmpty() ? NothingToCalculate
                             : value.isEmpty()    ? TooHard
                                                  : u"我没算错的话,结果应该是"_s + value;
    QCOMPARE(answerTo(message), expected);
}

// Assertions of Wine's VBScript tests, evaluated as written and sent as messages.
void TestCalculator::wineAssertions_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("expected");

    QFile file(QStringLiteral(MIAOYU_TEST_DATA "/calculator_wine.tsv"));
    if (!file.open(QIODevice::ReadOnly)) {
        QTest::newRow("calculator_wine.tsv cannot be read") << QString() << u"a table"_s;
        return;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (const QString &line : lines.sliced(1)) {
        const QStringList columns = line.split(u'\t');
        if (line.startsWith(u'#') || columns.size() != 3 || columns.at(0) == u"expression")
            continue;
        QTest::addRow("%s: %s", qPrintable(columns.at(2)), qPrintable(columns.at(0)))
            << columns.at(0) << columns.at(1);
    }
}

void TestCalculator::wineAssertions()
{
    QFETCH(QString, expression);
    QFETCH(QString, expected);
    QCOMPARE(errorName(Calculator::evaluate(expression).error), u"None"_s);
    QCOMPARE(JS(expression), expected);
    QCOMPARE(answerTo(u"计算"_s + expression), u"我没算错的话,结果应该是"_s + expected);
}

QTEST_GUILESS_MAIN(TestCalculator)
#include "tst_calculator.moc"
