// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The robot's voice through Qt TextToSpeech: speech-dispatcher where it is (the Mandarin voices
// on Linux), else the platform's own engine.

#include "voice/SpeechEngine.h"

#include <QList>
#include <QLocale>

class QTextToSpeech;

class QtSpeechEngine final : public SpeechEngine
{
public:
    QtSpeechEngine() = default;
    ~QtSpeechEngine() override;
    QtSpeechEngine(const QtSpeechEngine &) = delete;
    QtSpeechEngine &operator=(const QtSpeechEngine &) = delete;

    std::optional<QString> start() override;
    void stop() override;
    void say(const QString &text) override;

private:
    QString chooseVoice(const QList<QLocale> &locales);

    QTextToSpeech *m_engine = nullptr;
};
