// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "care/Care.h"

#include <QFile>
#include <QRegularExpressionMatch>
#include <algorithm>
#include <bit>

namespace {

// How far a family's wording can reach from the end of one of its words, either way. Every
// wording holds one of its family's words, and the longest is 85 characters even with each
// word that may repeat written ten times, with a look ahead of at most 10 past its end: so a
// wording is found within this reach of a word, and the expression is asked of those stretches
// alone, not of a whole run-on sentence. A stretch starts where the text does, so that a look
// behind and "^" see what they would see in the whole text.
constexpr qsizetype Reach = 96;

// The alternatives as one expression, the marks written out, compiled now rather than at the
// first message that needs it. Empty alternatives give an empty expression, which is never asked.
Result<QRegularExpression> compile(const QStringList &alternatives,
                                   const QList<std::pair<QString, QString>> &marks,
                                   const QString &whose)
{
    if (alternatives.isEmpty())
        return QRegularExpression();
    QString pattern = alternatives.join(u'|');
    // A mark may use the marks listed after it.
    for (const auto &[name, expression] : marks)
        pattern.replace(u'<' + name + u'>', expression);
    static const QRegularExpression unknownMark(QStringLiteral("(?<![?(])<[a-z]+>"));
    if (const QRegularExpressionMatch mark = unknownMark.match(pattern); mark.hasMatch()) {
        return Result<QRegularExpression>::failure(
            QStringLiteral("%1：没有“%2”这个记号。").arg(whose, mark.captured()));
    }
    QRegularExpression expression(pattern);
    if (!expression.isValid()) {
        return Result<QRegularExpression>::failure(
            QStringLiteral("%1：表达式有错（%2，在第 %3 个字符）：%4")
                .arg(whose, expression.errorString())
                .arg(expression.patternErrorOffset())
                .arg(pattern));
    }
    expression.optimize();
    return expression;
}

// The part of a sentence from so many clauses before a stretch to as many after it.
QStringView clausesAround(QStringView sentence, qsizetype start, qsizetype end, int clauses)
{
    const auto isBreak = [](QChar c) { return c == u'，' || c == u',' || c == u'；' || c == u';'; };
    for (int breaks = 0; start > 0; --start) {
        if (isBreak(sentence[start - 1]) && ++breaks > clauses)
            break;
    }
    for (int breaks = 0; end < sentence.size(); ++end) {
        if (isBreak(sentence[end]) && ++breaks > clauses)
            break;
    }
    return sentence.sliced(start, end - start);
}

// The message's sentences, each with the mark that ends it.
std::vector<QStringView> sentencesOf(QStringView message)
{
    std::vector<QStringView> sentences;
    qsizetype start = 0;
    for (qsizetype i = 0; i < message.size(); ++i) {
        if (message[i] == u'。' || message[i] == u'！' || message[i] == u'？' ||
            message[i] == u'\n') {
            sentences.push_back(message.sliced(start, i + 1 - start));
            start = i + 1;
        }
    }
    if (start < message.size())
        sentences.push_back(message.sliced(start));
    return sentences;
}

// What the model's score for acting now must reach, among the cries the phrases heard: chosen on
// the care corpus's validation split (corpus/care/README.md), where 14 of the 15 people acting
// now reached it and none of the 77 at risk but not acting.
constexpr float ActingNow = 0.6f;
// How much of a message the model reads, from its end: a cry told in a chat message, however
// long, is within it (the corpus's longest message is 433 characters), and a pasted megabyte
// that holds one costs what 2,000 characters cost (0.6 ms for a kilobyte), not seconds.
constexpr qsizetype ModelReach = 2000;

} // namespace

Result<Care> Care::build(const CareRules &rules, std::optional<CareModel> model)
{
    Care care;
    care.m_model = std::move(model);
    // The phrases are group 0 and family n's anchors group n + 1; the words a family also needs
    // come after those, a group for each family that has them.
    std::vector<QStringList> groups{rules.phrases};
    for (const CareRules::Family &family : rules.families)
        groups.push_back(family.anchors);
    // Each group is a bit of a 64-bit word: a family past the last bit would be found in every
    // sentence or in none.
    const auto overflow = [](const CareRules::Family &family) {
        return Result<Care>::failure(
            QStringLiteral("%1（%2）：这一组放不下了，关键字的组最多 %3 个；请把它并入另一组。")
                .arg(family.where, family.name)
                .arg(KeyGroups::MostGroups));
    };
    if (groups.size() > KeyGroups::MostGroups)
        return overflow(rules.families[KeyGroups::MostGroups - 1]);
    care.m_found =
        groups.size() == KeyGroups::MostGroups ? ~quint64(0) : (quint64(1) << groups.size()) - 1;
    for (const CareRules::Family &family : rules.families) {
        const QString whose = family.where + QStringLiteral("（%1）").arg(family.name);
        Family compiled;
        if (!family.needs.isEmpty()) {
            if (groups.size() >= KeyGroups::MostGroups)
                return overflow(family);
            compiled.needs = quint64(1) << groups.size();
            groups.push_back(family.needs);
        }
        const auto expression = [&](const QStringList &alternatives, QRegularExpression &into) {
            Result<QRegularExpression> made = compile(alternatives, rules.marks, whose);
            if (made)
                into = *made;
            return made.ok() ? QString() : made.reason();
        };
        for (const QString &fault : {expression(family.wordings, compiled.expression),
                                     expression(family.context, compiled.context),
                                     expression(family.unless, compiled.unless),
                                     expression(family.spare, compiled.spare)}) {
            if (!fault.isEmpty())
                return Result<Care>::failure(fault);
        }
        care.m_families.push_back(std::move(compiled));
    }
    for (const auto &[alternatives, into, whose] :
         {std::tuple{&rules.lookAlikes, &care.m_lookAlikes, QStringLiteral("lookalike")},
          std::tuple{&rules.others, &care.m_others, QStringLiteral("others")},
          std::tuple{&rules.asks, &care.m_asks, QStringLiteral("asks")},
          std::tuple{&rules.distress, &care.m_distress, QStringLiteral("low")}}) {
        Result<QRegularExpression> made = compile(*alternatives, rules.marks, whose);
        if (!made)
            return Result<Care>::failure(made.reason());
        *into = *made;
    }

    care.m_simplified = rules.simplifiedTable();
    QList<std::pair<char16_t, char16_t>> variants; // simplified, traditional
    for (qsizetype i = 0; i + 1 < rules.traditional.size(); i += 2)
        variants.append({rules.traditional[i + 1].unicode(), rules.traditional[i].unicode()});
    care.m_keys = KeyGroups(groups, rules.shadows, variants);
    care.m_distressCues = KeyGroups({rules.distressCues}, {}, variants);
    care.m_cantonese = rules.cantonese;
    care.m_nowLines = rules.nowLines;
    care.m_nowLinesHongKongTaiwan = rules.nowLinesHongKongTaiwan;
    care.m_selfLines = rules.selfLines;
    care.m_helperLines = rules.helperLines;
    care.m_distressLines = rules.distressLines;
    return care;
}

const Care &Care::builtIn()
{
    static const Care care = [] {
        Result<CareRules> rules = CareRules::builtIn();
        QFile file(QStringLiteral(":/care/model.ftz"));
        Result<CareModel> model = file.open(QIODevice::ReadOnly)
                                      ? CareModel::load(file.readAll())
                                      : Result<CareModel>::failure(file.errorString());
        if (!model)
            qFatal("Care's model cannot be used: %s", qPrintable(model.reason()));
        Result<Care> built =
            rules ? build(*rules, *std::move(model)) : Result<Care>::failure(rules.reason());
        if (!built)
            qFatal("Care's rules cannot be used: %s", qPrintable(built.reason()));
        return *std::move(built);
    }();
    return care;
}

const QStringList &Care::linesFor(Concern concern, QStringView message) const
{
    switch (concern) {
    case Concern::Now: {
        const bool fromHongKongOrTaiwan =
            std::any_of(message.cbegin(), message.cend(), [this](QChar c) {
                return m_simplified[c.unicode()] != c.unicode() || m_cantonese.contains(c);
            });
        return fromHongKongOrTaiwan ? m_nowLinesHongKongTaiwan : m_nowLines;
    }
    case Concern::SomeoneElse:
        return m_helperLines;
    case Concern::Distress:
        return m_distressLines;
    case Concern::None:
    case Concern::Self:
        break;
    }
    return m_selfLines;
}

Care::Concern Care::concernOf(QStringView normalised, QStringView typed) const
{
    const Concern heard = phrasesConcern(normalised);
    if (heard == Concern::None)
        return soundsUpset(normalised) ? Concern::Distress : Concern::None;
    return m_model ? modelConcern(typed.isEmpty() ? normalised : typed, heard) : heard;
}

// Distress short of risk: read from the end of the message, as far as the model reads, so a
// pasted megabyte costs no more than a long message. The wordings, many and slow, are asked only
// of a message that holds one of their cue words, which one pass finds. The look-alikes are cut
// only from a message that sounds upset, and it must sound so still ("累死了" is not).
bool Care::soundsUpset(QStringView normalised) const
{
    const QStringView tail = normalised.last(std::min(normalised.size(), ModelReach));
    if (m_distress.pattern().isEmpty() || !m_distressCues.any(tail, 1))
        return false;
    QString simplified;
    const QStringView read = inSimplified(tail, simplified);
    if (!m_distress.match(read).hasMatch())
        return false;
    QString cut = read.toString();
    cut.remove(m_lookAlikes);
    return m_distress.match(cut).hasMatch();
}

Care::Concern Care::phrasesConcern(QStringView normalised) const
{
    if (!m_keys.any(normalised, m_found))
        return Concern::None;
    // A sentence at a time: no phrase or family reaches past the end of its sentence, so a
    // sentence is searched alone, and most hold nothing worth a second look. Only when one
    // does are the look-alikes cut out, which costs more than all the other searches together,
    // and they are cut from the sentence and the one after it: the look-alike that runs on
    // ("撑不住了。先睡了") runs into the next one only. They are cut to spare what was found,
    // never to find more, so a pasted megabyte costs a pass and a few short searches. A
    // family's setting is looked for in the sentences either side as well: a husband who died
    // three years ago is often told of in the sentence before the wish to follow him.
    const std::vector<QStringView> sentences = sentencesOf(normalised);
    bool aboutSomeoneElse = false;
    for (size_t i = 0; i < sentences.size(); ++i) {
        const QStringView first = i > 0 ? sentences[i - 1] : sentences[i];
        const QStringView last = i + 1 < sentences.size() ? sentences[i + 1] : sentences[i];
        const QStringView around(first.data(), last.data() + last.size());
        const Neighbours neighbours{i > 0 ? sentences[i - 1] : QStringView(),
                                    i + 1 < sentences.size() ? sentences[i + 1] : QStringView()};
        if (!holdsCrisisWords(sentences[i], neighbours))
            continue;
        QString stretch = QStringView(sentences[i].data(), last.data() + last.size()).toString();
        toSimplified(stretch);
        stretch.remove(m_lookAlikes);
        if (!holdsCrisisWords(stretch, neighbours))
            continue;
        QString simplified;
        if (!m_asks.match(inSimplified(around, simplified)).hasMatch() ||
            holdsCrisisWords(stretch.remove(m_others), neighbours))
            return Concern::Self;
        // Someone else's words; a later sentence may still be the user's own.
        aboutSomeoneElse = true;
    }
    return aboutSomeoneElse ? Concern::SomeoneElse : Concern::None;
}

// Among the cries the phrases heard, the model tells who is acting now (at the place, means in
// hand, already hurt, saying goodbye), to be told the emergency step first. It decides nothing
// else. It was tried as a second ear, for the cries no phrase was written for, and for helpers
// and distress: on its own corpus's validation split it heard 84 % of indirect cries, but on the
// phrases' examples, written by other people, it read "我想自杀" as a look-alike and
// "今天出太阳了，心情不错" as distress and "会议到此结束，大家辛苦了" as a cry, each with a
// score near 1.0: its scores do not say when it is out of its depth.
Care::Concern Care::modelConcern(QStringView message, Concern heard) const
{
    if (heard != Concern::Self)
        return heard;
    const QStringView read = message.last(std::min(message.size(), ModelReach));
    return m_model->scoresOf(read, m_simplified)[CareModel::Now] >= ActingNow ? Concern::Now
                                                                              : Concern::Self;
}

// Whether a text holds a crisis phrase or a family's wording. One pass finds the groups and where
// their words are.
bool Care::holdsCrisisWords(QStringView text, const Neighbours &neighbours) const
{
    std::vector<KeyGroups::Hit> hits;
    const quint64 groups = m_keys.in(text, hits);
    if (groups & 1)
        return true;
    quint64 rest = (groups & m_found) >> 1;
    if (rest == 0)
        return false;
    // The wordings are written in simplified characters.
    QString simplified;
    text = inSimplified(text, simplified);
    for (; rest != 0; rest &= rest - 1) {
        const auto index = size_t(std::countr_zero(rest));
        const Family &family = m_families[index];
        if ((groups & family.needs) == family.needs &&
            matches(family, text, hits, quint64(2) << index, neighbours))
            return true;
    }
    return false;
}

// Whether the family's wording is in the text and its setting, if it has one, around it. The
// hits are the text's, the family's words among them marked by its group.
bool Care::matches(const Family &family, QStringView text, const std::vector<KeyGroups::Hit> &hits,
                   quint64 group, const Neighbours &neighbours) const
{
    QRegularExpressionMatch found;
    for (size_t i = 0; i < hits.size() && !found.hasMatch();) {
        if ((hits[i].groups & group) == 0) {
            ++i;
            continue;
        }
        // Words whose reaches overlap make one stretch.
        const qsizetype from = std::max<qsizetype>(0, hits[i].end - Reach);
        qsizetype to = hits[i].end + Reach;
        for (++i; i < hits.size() && hits[i].end - Reach <= to; ++i) {
            if ((hits[i].groups & group) != 0)
                to = hits[i].end + Reach;
        }
        found = family.expression.match(text.first(std::min(to, text.size())), from);
    }
    if (!found.hasMatch())
        return false;
    if (!family.spare.pattern().isEmpty() &&
        !family.expression.match(text.toString().remove(family.spare)).hasMatch())
        return false;
    if (family.context.pattern().isEmpty() && family.unless.pattern().isEmpty())
        return true;
    // The setting is told in the sentences either side and in the clauses near the words: in a
    // run-on message of many clauses, a cup of coffee at the start is not the setting of a cry
    // at the end. A setting the words need may be two clauses away ("老伴走了三年了，一个人过没
    // 意思，不如早点去找他"); one that spares them must be next to them.
    const auto around = [&](QStringView middle) {
        QString surroundings = neighbours.before.toString();
        surroundings += middle;
        surroundings += neighbours.after;
        toSimplified(surroundings);
        return surroundings;
    };
    const qsizetype start = found.capturedStart();
    const qsizetype end = found.capturedEnd();
    if (!family.context.pattern().isEmpty() &&
        !family.context.match(around(clausesAround(text, start, end, 2))).hasMatch())
        return false;
    return family.unless.pattern().isEmpty() ||
           !family.unless.match(around(clausesAround(text, start, end, 1))).hasMatch();
}

// The text in simplified characters: itself when it holds no traditional one, else a copy kept
// in storage. The length stays, so does every index.
QStringView Care::inSimplified(QStringView text, QString &storage) const
{
    const auto traditional = std::find_if(text.cbegin(), text.cend(), [this](QChar c) {
        return m_simplified[c.unicode()] != c.unicode();
    });
    if (traditional == text.cend())
        return text;
    storage = text.toString();
    toSimplified(storage, traditional - text.cbegin());
    return storage;
}

void Care::toSimplified(QString &text, qsizetype from) const
{
    for (qsizetype i = std::max<qsizetype>(from, 0); i < text.size(); ++i)
        text[i] = QChar(m_simplified[text[i].unicode()]);
}
