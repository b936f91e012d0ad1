// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The learnt half of care: a fastText classifier trained on the care corpus (corpus/care/,
// tools/train-care-model.sh) that scores a sentence for what it calls for. The phrases catch
// what must never be missed; the model hears cries nobody wrote a phrase for, tells acting now
// from risk, and distress short of risk.

#include "common/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <array>
#include <memory>
#include <vector>

namespace fasttext {
class FastText;
}

class CareModel
{
public:
    // The corpus's labels, in the order the scores hold them.
    enum Label
    {
        Now,
        Self,
        Helper,
        Distress,
        LookAlike,
        Chat,
        LabelCount
    };
    using Scores = std::array<float, LabelCount>; // probabilities, summing to 1

    // Reads a model as the trainer saved it (quantised or not). Anything else gives the reason.
    static Result<CareModel> load(const QByteArray &bytes);

    // The scores of one sentence, read as the trainer read the corpus.
    Scores scoresOf(QStringView sentence, const std::vector<char16_t> &simplified) const;

    // How the model reads a text, in training and here alike: traditional characters as their
    // simplified ones, compatibility forms (full-width letters) as plain ones, in lower case,
    // every other character a token of its own and Latin words and pinyin whole, so that the
    // model's word pairs are pairs of characters.
    static QString reading(QStringView text, const std::vector<char16_t> &simplified);

private:
    std::shared_ptr<const fasttext::FastText> m_model;
};
