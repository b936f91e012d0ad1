// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "care/CareModel.h"

#include <QList>
#include <fasttext/fasttext.h>

#include <cstring>
#include <sstream>
#include <stdexcept>

namespace {

// What a fastText model file starts with: its format's mark and version. The library reads
// whatever follows as a model, so anything else is refused before it is handed over.
constexpr qint32 FastTextMagic = 793712314;
constexpr qint32 FastTextVersion = 12;

constexpr std::array<const char *, CareModel::LabelCount> LabelNames = {
    "__label__now",      "__label__self",      "__label__helper",
    "__label__distress", "__label__lookalike", "__label__chat"};

bool isWordCharacter(char32_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'\'';
}

} // namespace

Result<CareModel> CareModel::load(const QByteArray &bytes)
{
    const auto refuse = [](const QString &why) {
        return Result<CareModel>::failure(QStringLiteral("关心模型读不了：%1").arg(why));
    };
    qint32 head[2] = {};
    if (bytes.size() < qsizetype(sizeof head))
        return refuse(QStringLiteral("文件太短。"));
    std::memcpy(head, bytes.constData(), sizeof head);
    if (head[0] != FastTextMagic || head[1] != FastTextVersion)
        return refuse(QStringLiteral("不是 fastText 0.9 的模型。"));
    auto model = std::make_shared<fasttext::FastText>();
    try {
        std::istringstream in(
            std::string(bytes.constData() + sizeof head, size_t(bytes.size()) - sizeof head));
        model->loadModel(in);
    } catch (const std::exception &error) {
        return refuse(QString::fromLocal8Bit(error.what()));
    }
    const std::shared_ptr<const fasttext::Dictionary> dictionary = model->getDictionary();
    for (const char *name : LabelNames) {
        bool known = false;
        for (int32_t i = 0; i < dictionary->nlabels() && !known; ++i)
            known = dictionary->getLabel(i) == name;
        if (!known)
            return refuse(QStringLiteral("缺少标签 %1。").arg(QLatin1StringView(name)));
    }
    CareModel loaded;
    loaded.m_model = std::move(model);
    return loaded;
}

CareModel::Scores CareModel::scoresOf(QStringView sentence,
                                      const std::vector<char16_t> &simplified) const
{
    Scores scores{};
    // The trainer reads a line at a time, its end a token of its own; so is the sentence here.
    std::istringstream in((reading(sentence, simplified) + u'\n').toStdString());
    std::vector<std::pair<fasttext::real, std::string>> predictions;
    if (!m_model->predictLine(in, predictions, -1, 0.0))
        return scores;
    for (const auto &[probability, name] : predictions) {
        for (int label = 0; label < LabelCount; ++label) {
            if (name == LabelNames[label])
                scores[label] = probability;
        }
    }
    return scores;
}

QString CareModel::reading(QStringView text, const std::vector<char16_t> &simplified)
{
    QString plain(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        plain[i] = QChar(simplified[text[i].unicode()]);
    plain = plain.normalized(QString::NormalizationForm_KC).toLower();
    QString out;
    out.reserve(plain.size() * 2);
    bool inWord = false;
    for (const char32_t c : plain.toUcs4()) {
        if (isWordCharacter(c)) {
            if (!inWord && !out.isEmpty())
                out += u' ';
            out += QChar(char16_t(c));
            inWord = true;
            continue;
        }
        inWord = false;
        if (QChar::isSpace(c))
            continue;
        if (!out.isEmpty())
            out += u' ';
        out += QString::fromUcs4(&c, 1);
    }
    return out;
}
