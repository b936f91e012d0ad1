// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Recognises a message from someone who may be thinking of ending their life or hurting
// themselves, and holds the caring lines the robot answers such a message with.

#include <QString>
#include <QStringList>

namespace CrisisCare {

// True when the message, normalised as the robot compares messages (spaces removed, lower
// case), speaks of suicide or self-harm, in plain words, in the internet's ("紫砂") or in the
// indirect ones people use: wanting it all to end, not waking up, vanishing without a trace,
// being a burden, nobody noticing one gone, death as the end of the pain, means put aside,
// looked up or waiting for a time alone, standing at an edge or by the water, being too tired
// to go on, no reason left to live, wanting to rest for ever, putting one's affairs in order,
// goodbye for good, cutting oneself and the scars it leaves, an old person wanting to follow a
// husband or wife. Everyday expressions such as "想死你了", "笑死我了", "原地去世" or
// "游戏结束了" do not count, nor a story, a film, a game or the news telling of someone else.
bool concerns(const QString &normalisedMessage);

// Whom such words are about: the user, or someone the user is worried about and asks how to
// help ("朋友说想死，我该怎么劝"); the caring lines ask the user whether they are safe, which
// answers nobody there.
enum class Concern
{
    None,
    Self,
    SomeoneElse,
};
Concern concernOf(const QString &normalisedMessage);

// Whether the message is answered with care, for the user or for someone the user would help.
bool asksForCare(const QString &normalisedMessage);

// The lines the robot may answer such a message with, each one whole (no placeholders).
const QStringList &caringLines();

// The lines for a user worried about someone else: how to stand by them and where help is.
const QStringList &linesForAHelper();

} // namespace CrisisCare
