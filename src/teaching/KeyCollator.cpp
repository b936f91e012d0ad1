// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "teaching/KeyCollator.h"

#include <QtGlobal>

#include <unicode/ucol.h>
#include <unicode/uiter.h>
#include <unicode/uscript.h>

#include <memory>
#include <string>

namespace {

const UChar *uchars(QStringView text)
{
    return reinterpret_cast<const UChar *>(text.utf16());
}

int32_t ulength(QStringView text)
{
    return static_cast<int32_t>(text.size());
}

// zh's pinyin order reads a few characters by another pinyin than the order our users know
// (the Windows zh-CN order, in which the default keyword table is sorted): there 行 is háng,
// 嗯 èn, 觉 jiào, 谁 shuí, 为 wéi and 只 zhī. The same order puts "." right after "!" and "-"
// right after "^" among the punctuation. Each is a primary difference, as between any two
// other characters, so case-insensitivity leaves these places alone.
constexpr char16_t Tailoring[] = u"&杭<行 &恩<嗯 &叫<觉 &帅<谁 &忘<为 &真<只 &'!'<'.' &'^'<'-'";

struct CollatorDeleter
{
    void operator()(UCollator *collator) const { ucol_close(collator); }
};

UCollator *buildTailored()
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UCollator, CollatorDeleter> zh(ucol_open("zh", &status));
    if (U_FAILURE(status))
        qFatal("KeyCollator: no ICU collation for zh: %s", u_errorName(status));
    int32_t zhLength = 0;
    const UChar *zhRules = ucol_getRules(zh.get(), &zhLength);
    std::u16string rules(reinterpret_cast<const char16_t *>(zhRules), zhLength);
    rules += Tailoring;

    UParseError parseError{};
    UCollator *collator = ucol_openRules(reinterpret_cast<const UChar *>(rules.data()),
                                         static_cast<int32_t>(rules.size()), UCOL_DEFAULT,
                                         UCOL_SECONDARY, &parseError, &status);
    if (U_FAILURE(status))
        qFatal("KeyCollator: tailoring rejected at offset %d: %s", parseError.offset,
               u_errorName(status));
    // zh puts Han first; our users expect Latin letters before Chinese, the punctuation,
    // symbols and digits staying in front of both.
    const int32_t order[] = {USCRIPT_LATIN, USCRIPT_HAN};
    ucol_setReorderCodes(collator, order, 2, &status);
    if (U_FAILURE(status))
        qFatal("KeyCollator: cannot reorder scripts: %s", u_errorName(status));
    return collator;
}

// Parsing zh's rules with the tailoring takes a tenth of a second, so it happens once, by the
// first thread that compares; every KeyCollator is a cheap clone of this one.
const UCollator *tailoredTemplate()
{
    static const std::unique_ptr<UCollator, CollatorDeleter> collator(buildTailored());
    return collator.get();
}

UCollator *cloneOf(const UCollator *collator)
{
    UErrorCode status = U_ZERO_ERROR;
    UCollator *clone = ucol_clone(collator, &status);
    if (U_FAILURE(status))
        qFatal("KeyCollator: cannot clone the collator: %s", u_errorName(status));
    return clone;
}

} // namespace

KeyCollator::~KeyCollator()
{
    ucol_close(m_collator);
}

const UCollator *KeyCollator::ready() const
{
    if (!m_collator)
        m_collator = cloneOf(tailoredTemplate());
    return m_collator;
}

int KeyCollator::compare(QStringView a, QStringView b) const
{
    return ucol_strcoll(ready(), uchars(a), ulength(a), uchars(b), ulength(b));
}

KeyCollator::KeyStart KeyCollator::sortKeyStart(QStringView text) const
{
    UCharIterator characters;
    uiter_setString(&characters, uchars(text), ulength(text));
    uint32_t state[2] = {0, 0};
    // A key shorter than this is padded with zeros, which no key holds but at its very end.
    uint8_t bytes[16] = {};
    UErrorCode status = U_ZERO_ERROR;
    ucol_nextSortKeyPart(ready(), &characters, state, bytes, int32_t(sizeof bytes), &status);
    if (U_FAILURE(status))
        return {}; // equal to every other such start: compare() decides
    KeyStart start;
    for (int i = 0; i < 8; ++i) {
        start.high = (start.high << 8) | bytes[i];
        start.low = (start.low << 8) | bytes[8 + i];
    }
    return start;
}
