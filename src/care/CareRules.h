// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Care's rules as people write them: the text files of assets/care/, read and checked. The
// files are a line each of "keyword value"; "#" starts a comment. What each keyword means is
// told at the top of the file that uses it.

#include "common/Result.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

struct CareRules
{
    // A family of wordings and what it asks beyond them; with the examples it must hear (cries)
    // and must not (alikes).
    struct Family
    {
        QString name;
        QString where; // file and line, for the reasons a check gives
        QStringList anchors;
        QStringList needs;
        QStringList wordings;
        QStringList context;
        QStringList unless;
        QStringList spare;
        QStringList cries;
        QStringList alikes;
    };

    QList<std::pair<QString, QString>> marks; // name (without "<>") and expression
    QStringList phrases;
    QStringList shadows;
    QString traditional; // pairs of a traditional character and its simplified one
    QStringList lookAlikes;
    QStringList others; // how a user tells of someone else's words
    QStringList asks;   // how a user asks how to help
    std::vector<Family> families;
    QStringList cries;  // messages the phrases alone must hear
    QStringList alikes; // everyday messages no family owns that must not be heard as cries
    // Distress short of risk (sleeplessness, loneliness, a breakup, a failure): its wordings,
    // with messages that must get its lines and everyday ones that must not.
    QStringList distress;
    QStringList distressCues; // a message must hold one before the wordings are asked
    QStringList upset;
    QStringList fine;
    QStringList selfLines;
    QStringList helperLines;
    // Acting now, in the mainland or in Hong Kong and Taiwan.
    QStringList nowLines;
    QStringList nowLinesHongKongTaiwan;
    QStringList distressLines;

    // The simplified form of every UTF-16 code unit, from the pairs in traditional.
    std::vector<char16_t> simplifiedTable() const;
    // Words only written Cantonese uses ("嘅", "咗"): a message that holds one, or a traditional
    // character, may come from Hong Kong or Taiwan.
    QString cantonese;

    // Reads the files, given as name and text, in order. A line that does not follow the rules
    // gives the reason, with its file and line.
    static Result<CareRules> read(const QList<std::pair<QString, QString>> &files);
    // The rules built into the program.
    static Result<CareRules> builtIn();
};
