// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "voice/QtSpeechEngine.h"

#include <QTextToSpeech>
#include <QVoice>

#include <optional>

namespace {
// espeak-ng's plain Mandarin voice reads most characters out as pinyin letters and tone
// digits; this variant of it speaks them.
constexpr auto PinyinVoice = QLatin1StringView("Chinese (Mandarin, latin as Pinyin)");

bool isChineseChina(const QLocale &locale)
{
    return locale.language() == QLocale::Chinese && locale.territory() == QLocale::China;
}
} // namespace

QtSpeechEngine::~QtSpeechEngine()
{
    delete m_engine;
}

std::optional<QString> QtSpeechEngine::start()
{
    m_engine = QTextToSpeech::availableEngines().contains(QStringLiteral("speechd"))
                   ? new QTextToSpeech(QStringLiteral("speechd"))
                   : new QTextToSpeech();
    // An error state alone proves nothing (a failed default locale sets it); an engine
    // without a plug-in or without a single locale cannot speak.
    const QList<QLocale> locales =
        m_engine->engine().isEmpty() ? QList<QLocale>() : m_engine->availableLocales();
    if (locales.isEmpty()) {
        delete m_engine;
        m_engine = nullptr;
        return std::nullopt;
    }
    return chooseVoice(locales);
}

void QtSpeechEngine::stop()
{
    if (m_engine)
        m_engine->stop();
}

void QtSpeechEngine::say(const QString &text)
{
    if (m_engine)
        m_engine->say(text);
}

QString QtSpeechEngine::chooseVoice(const QList<QLocale> &locales)
{
    const QLocale defaultLocale = m_engine->locale();
    const QVoice defaultVoice = m_engine->voice();
    // availableVoices() lists only the current locale's voices, and speech-dispatcher files
    // Mandarin ("cmn") under QLocale::C, so every locale has to be visited.
    std::optional<QVoice> mandarin;
    for (const QLocale &locale : locales) {
        m_engine->setLocale(locale);
        const QList<QVoice> voices = m_engine->availableVoices();
        for (const QVoice &voice : voices) {
            if (isChineseChina(voice.locale())) {
                m_engine->setVoice(voice);
                return voice.name();
            }
            if (voice.name() == PinyinVoice ||
                (!mandarin &&
                 voice.name().contains(QLatin1StringView("Mandarin"), Qt::CaseInsensitive)))
                mandarin = voice;
        }
    }
    if (mandarin) {
        m_engine->setVoice(*mandarin);
        return mandarin->name();
    }
    m_engine->setLocale(defaultLocale);
    m_engine->setVoice(defaultVoice);
    return defaultVoice.name();
}
