// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// What the speech thread asks of a text-to-speech engine. Made, used and deleted on that thread
// only; the program's is QtSpeechEngine, tests give one that starts no process.

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class SpeechEngine
{
public:
    virtual ~SpeechEngine() = default;
    // Sets the engine up and chooses its voice; may take seconds, or never return. The voice's
    // name, or nothing when the engine cannot speak.
    virtual std::optional<QString> start() = 0;
    // Cuts off what is being spoken; may hang with a wedged daemon.
    virtual void stop() = 0;
    virtual void say(const QString &text) = 0;
};

// Called on the speech thread to make the engine.
using SpeechEngineFactory = std::function<std::unique_ptr<SpeechEngine>()>;
