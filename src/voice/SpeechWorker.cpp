// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "voice/SpeechWorker.h"

#include <QMutexLocker>
#include <QTextToSpeech>
#include <QVoice>

#include <utility>

namespace {
// espeak-ng's plain Mandarin voice reads most characters out as pinyin letters and tone
// digits; this variant of it speaks them.
constexpr auto PinyinVoice = QLatin1StringView("Chinese (Mandarin, latin as Pinyin)");

bool isChineseChina(const QLocale &locale)
{
    return locale.language() == QLocale::Chinese && locale.territory() == QLocale::China;
}
} // namespace

bool SpeechWorker::Mailbox::post(const QString &text)
{
    const QMutexLocker lock(&m_mutex);
    const bool wasEmpty = !m_hasLine;
    m_line = text;
    m_hasLine = true;
    return wasEmpty;
}

std::optional<QString> SpeechWorker::Mailbox::take()
{
    const QMutexLocker lock(&m_mutex);
    if (!m_hasLine || m_closed)
        return std::nullopt;
    m_hasLine = false;
    return std::exchange(m_line, QString());
}

void SpeechWorker::Mailbox::close()
{
    const QMutexLocker lock(&m_mutex);
    m_closed = true;
}

bool SpeechWorker::Mailbox::isClosed() const
{
    const QMutexLocker lock(&m_mutex);
    return m_closed;
}

void SpeechWorker::Mailbox::abandon()
{
    const QMutexLocker lock(&m_mutex);
    m_abandoned = true;
}

bool SpeechWorker::Mailbox::isAbandoned() const
{
    const QMutexLocker lock(&m_mutex);
    return m_abandoned;
}

SpeechWorker::SpeechWorker(std::shared_ptr<Mailbox> mailbox) : m_mailbox(std::move(mailbox)) {}

void SpeechWorker::start()
{
    // speech-dispatcher is where the Mandarin voices are on Linux; elsewhere the platform's
    // own engine.
    m_engine = QTextToSpeech::availableEngines().contains(QStringLiteral("speechd"))
                   ? new QTextToSpeech(QStringLiteral("speechd"), this)
                   : new QTextToSpeech(this);
    // Starting the engine takes over a second; the speaker may be gone by now.
    if (m_mailbox->isClosed())
        return;
    // An error state alone proves nothing (a failed default locale sets it); an engine
    // without a plug-in or without a single locale cannot speak.
    const QList<QLocale> locales =
        m_engine->engine().isEmpty() ? QList<QLocale>() : m_engine->availableLocales();
    QString voiceName;
    if (locales.isEmpty()) {
        delete m_engine;
        m_engine = nullptr;
    } else {
        voiceName = chooseVoice(locales);
    }
    emit ready(voiceName);
    speakNewest();
}

void SpeechWorker::speakNewest()
{
    const std::optional<QString> line = m_mailbox->take();
    if (!line || !m_engine)
        return;
    // Without the stop a line said during another one would queue behind it.
    m_engine->stop();
    // stop() hangs on a wedged daemon; when it comes back the speaker may be gone.
    if (m_mailbox->isClosed())
        return;
    m_engine->say(*line);
}

void SpeechWorker::releaseEngine()
{
    // Once abandoned, the process may already be tearing down: better to leak the engine than
    // run its teardown against half-destroyed globals.
    if (m_mailbox->isAbandoned())
        return;
    delete m_engine;
    m_engine = nullptr;
}

QString SpeechWorker::chooseVoice(const QList<QLocale> &locales)
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
