// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "care/CareRules.h"

#include "common/GbkCodec.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace {

const QStringList FileNames = {QStringLiteral("marks.txt"),      QStringLiteral("phrases.txt"),
                               QStringLiteral("lookalikes.txt"), QStringLiteral("families.txt"),
                               QStringLiteral("distress.txt"),   QStringLiteral("lines.txt")};

// Why a line the robot says may not be used, or nothing: it goes into the window, the console
// and the user's GBK world as it stands.
QString faultOfLine(const QString &line)
{
    if (line.contains(u'|') || line.contains(u'\\'))
        return QStringLiteral("回复里不能有“|”或“\\”。");
    static const QRegularExpression halfWidth(
        QStringLiteral("[\\p{Han}“”（）][,:?;!]|[,:?;!][\\p{Han}“”]|\\p{Han}\\.(?!\\.)"));
    if (const QRegularExpressionMatch slip = halfWidth.match(line); slip.hasMatch())
        return QStringLiteral("中文句子要用全角标点：“%1”。").arg(slip.captured());
    if (!GbkCodec::encode(line))
        return QStringLiteral("GBK 存不下这句话里的字。");
    return {};
}

} // namespace

Result<CareRules> CareRules::read(const QList<std::pair<QString, QString>> &files)
{
    CareRules rules;
    QSet<QString> names;
    for (const auto &[file, text] : files) {
        Family *family = nullptr;
        const QStringList lines = text.split(u'\n');
        for (qsizetype n = 0; n < lines.size(); ++n) {
            const QString line = lines.at(n).trimmed();
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            const QString where = QStringLiteral("%1 第 %2 行").arg(file).arg(n + 1);
            const auto refuse = [&](const QString &why) {
                return Result<CareRules>::failure(where + QStringLiteral("：") + why);
            };
            const qsizetype space = line.indexOf(u' ');
            const QString keyword = line.left(space);
            const QString value = space < 0 ? QString() : line.mid(space + 1);
            if (value.isEmpty())
                return refuse(QStringLiteral("“%1”后面缺少内容。").arg(keyword));
            const QStringList words = value.split(u' ', Qt::SkipEmptyParts);

            if (keyword == u"family") {
                if (names.contains(value))
                    return refuse(QStringLiteral("已经有一组叫“%1”了。").arg(value));
                names.insert(value);
                rules.families.push_back({value, where, {}, {}, {}, {}, {}, {}, {}, {}});
                family = &rules.families.back();
                continue;
            }
            // Outside a family, an example is the phrases' or the common look-alikes'.
            if ((keyword == u"cry" || keyword == u"alike") && !family) {
                (keyword == u"cry" ? rules.cries : rules.alikes).append(value);
                continue;
            }
            const QHash<QString, QStringList Family::*> familyLists = {
                {QStringLiteral("anchors"), &Family::anchors},
                {QStringLiteral("needs"), &Family::needs},
                {QStringLiteral("wording"), &Family::wordings},
                {QStringLiteral("context"), &Family::context},
                {QStringLiteral("unless"), &Family::unless},
                {QStringLiteral("spare"), &Family::spare},
                {QStringLiteral("cry"), &Family::cries},
                {QStringLiteral("alike"), &Family::alikes},
            };
            if (const auto list = familyLists.constFind(keyword); list != familyLists.cend()) {
                if (!family)
                    return refuse(QStringLiteral("“%1”要写在某一组（family）里面。").arg(keyword));
                const bool listOfWords = keyword == u"anchors" || keyword == u"needs";
                (family->*list.value()) += listOfWords ? words : QStringList{value};
                continue;
            }
            if (keyword == u"mark") {
                if (words.size() < 2)
                    return refuse(QStringLiteral("“mark”要写名字和表达式。"));
                rules.marks.append({words.constFirst(), value.mid(words.constFirst().size() + 1)});
            } else if (keyword == u"phrase") {
                rules.phrases += words;
            } else if (keyword == u"shadow") {
                rules.shadows += words;
            } else if (keyword == u"traditional") {
                for (const QString &pair : words) {
                    if (pair.size() != 2)
                        return refuse(QStringLiteral("“%1”不是一个繁体字加一个简体字。").arg(pair));
                    rules.traditional += pair;
                }
            } else if (keyword == u"cantonese") {
                rules.cantonese += words.join(QString());
            } else if (keyword == u"lookalike") {
                rules.lookAlikes.append(value);
            } else if (keyword == u"others") {
                rules.others.append(value);
            } else if (keyword == u"asks") {
                rules.asks.append(value);
            } else if (keyword == u"low") {
                rules.distress.append(value);
            } else if (keyword == u"cue") {
                rules.distressCues += words;
            } else if (keyword == u"upset" || keyword == u"fine") {
                (keyword == u"upset" ? rules.upset : rules.fine).append(value);
            } else if (QStringList *lines = keyword == u"self"       ? &rules.selfLines
                                            : keyword == u"helper"   ? &rules.helperLines
                                            : keyword == u"now"      ? &rules.nowLines
                                            : keyword == u"now-hktw" ? &rules.nowLinesHongKongTaiwan
                                            : keyword == u"distress" ? &rules.distressLines
                                                                     : nullptr) {
                if (const QString fault = faultOfLine(value); !fault.isEmpty())
                    return refuse(fault);
                lines->append(value);
            } else {
                return refuse(QStringLiteral("不认识“%1”。").arg(keyword));
            }
        }
    }
    for (const Family &family : rules.families) {
        if (family.anchors.isEmpty() || family.wordings.isEmpty()) {
            return Result<CareRules>::failure(
                family.where +
                QStringLiteral("：“%1”这一组缺少 anchors 或 wording。").arg(family.name));
        }
    }
    if (rules.selfLines.isEmpty() || rules.helperLines.isEmpty() || rules.nowLines.isEmpty() ||
        rules.nowLinesHongKongTaiwan.isEmpty() || rules.distressLines.isEmpty()) {
        return Result<CareRules>::failure(
            QStringLiteral("缺少 self、helper、now、now-hktw 或 distress 的回复。"));
    }
    return rules;
}

std::vector<char16_t> CareRules::simplifiedTable() const
{
    std::vector<char16_t> table(0x10000);
    for (size_t c = 0; c < table.size(); ++c)
        table[c] = char16_t(c);
    for (qsizetype i = 0; i + 1 < traditional.size(); i += 2)
        table[traditional[i].unicode()] = traditional[i + 1].unicode();
    return table;
}

Result<CareRules> CareRules::builtIn()
{
    QList<std::pair<QString, QString>> files;
    for (const QString &name : FileNames) {
        QFile file(QStringLiteral(":/care/") + name);
        if (!file.open(QIODevice::ReadOnly))
            return Result<CareRules>::failure(QStringLiteral("读不到 %1。").arg(name));
        files.append({name, QString::fromUtf8(file.readAll())});
    }
    return read(files);
}
