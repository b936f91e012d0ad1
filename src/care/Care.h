// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Care for a person at risk: recognises a message from someone who may be thinking of ending
// their life or hurting themselves, or who is acting on it now, or from someone asking how to
// help such a person, and holds the lines the robot answers them with. The words it listens for
// are data (assets/care/), read and compiled once; a learnt model (CareModel) tells, among the
// cries they hear, who is acting now. Only the reply engine asks it.
//
// Why this is built in: a user in crisis once typed "我想死" and the keyword table answered
// "想就去做吧". Words like these must never reach the table or a joke, whatever file the user
// has, so they live with the program rather than in Data.ait.

#include "care/CareModel.h"
#include "care/CareRules.h"
#include "care/KeyGroups.h"
#include "common/Result.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

class Care
{
public:
    // Whom a message's words are about: the user, or someone the user is worried about and asks
    // how to help ("朋友说想死，我该怎么劝"), whom lines asking the user whether they are safe
    // would not answer.
    // Acting now: at the place, means in hand, already hurt, saying goodbye. Distress is
    // distress short of risk (sleeplessness, loneliness, a breakup, a failure), heard only where
    // no cry is.
    enum class Concern
    {
        None,
        Now,
        Self,
        SomeoneElse,
        Distress,
    };

    // Compiles the rules; a pattern that does not compile, a mark no one defined or more
    // families than the matcher holds gives the reason, naming the family. Without a model no
    // one is told apart as acting now.
    static Result<Care> build(const CareRules &rules, std::optional<CareModel> model = {});
    // The program's own rules, compiled on first use; safe to call from any thread. Rules that
    // do not compile stop the program with the reason: the tests read the same rules.
    static const Care &builtIn();

    // The normalised message is what the robot compares (spaces removed, lower case); the
    // message as typed keeps the spaces between Latin words, which the model reads as words.
    Concern concernOf(QStringView normalised, QStringView typed = {}) const;

    // The lines for each concern, each one whole (no placeholders). Acting now is answered with
    // the emergency numbers of where the message was likely written.
    const QStringList &linesFor(Concern concern, QStringView message = {}) const;

private:
    struct Family
    {
        QRegularExpression expression;
        QRegularExpression context;
        QRegularExpression unless;
        QRegularExpression spare;
        quint64 needs = 0; // the bit of the words it also needs, or 0
    };

    // The sentences either side of the one being read, where its setting may be told.
    struct Neighbours
    {
        QStringView before;
        QStringView after;
    };

    Care() = default;
    Concern phrasesConcern(QStringView normalised) const;
    Concern modelConcern(QStringView message, Concern heard) const;
    bool soundsUpset(QStringView normalised) const;
    bool holdsCrisisWords(QStringView text, const Neighbours &neighbours) const;
    bool matches(const Family &family, QStringView text, const std::vector<KeyGroups::Hit> &hits,
                 quint64 group, const Neighbours &neighbours) const;
    QStringView inSimplified(QStringView text, QString &storage) const;
    void toSimplified(QString &text, qsizetype from = 0) const;

    KeyGroups m_keys;
    quint64 m_found = 0; // the groups whose keys alone are worth a look
    std::vector<Family> m_families;
    QRegularExpression m_lookAlikes;
    QRegularExpression m_others;
    QRegularExpression m_asks;
    QRegularExpression m_distress;
    KeyGroups m_distressCues;
    std::vector<char16_t> m_simplified; // the simplified form of every code unit
    std::optional<CareModel> m_model;
    QString m_cantonese;
    QStringList m_nowLines;
    QStringList m_nowLinesHongKongTaiwan;
    QStringList m_selfLines;
    QStringList m_helperLines;
    QStringList m_distressLines;
};
