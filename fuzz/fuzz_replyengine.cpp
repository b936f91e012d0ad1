// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Any message, against the default knowledge with extra entries from the input: the reply
// engine must answer without crashing, whatever the entries and the message hold.
// Input: entries, one per line, then a NUL, then the message; random draws come from a hash.

#include "FuzzCheck.h"
#include "conversation/Randomness.h"
#include "conversation/ReplyEngine.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"

using namespace Qt::StringLiterals;

namespace {

class HashRandom final : public RandomSource
{
public:
    explicit HashRandom(size_t seed) : m_state(seed | 1) {}
    double next() override
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return double(m_state % 1000003) / 1000003.0;
    }

private:
    quint64 m_state;
};

const KnowledgeBase &defaultKnowledge()
{
    static const KnowledgeBase kb =
        *KnowledgeBase::parse(*KnowledgeFile::firstRunBytes(QStringLiteral("fuzz")));
    return kb;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const qsizetype split = bytes.indexOf('\0');
    KnowledgeBase kb = defaultKnowledge();
    QString message = QString::fromUtf8(bytes);
    if (split >= 0) {
        QStringList taught;
        for (const QString &line : QString::fromUtf8(bytes.left(split)).split(u'\n'))
            taught.prepend(KnowledgeEntry::withLineEnd(line));
        kb.keywordTable = KeywordTable::fromEntries(taught + kb.keywordTable.toList());
        message = QString::fromUtf8(bytes.mid(split + 1));
    }
    HashRandom random(qHash(bytes));
    // A matched entry without replies says nothing, so there is no answer to require: the
    // sanitizers and libFuzzer's limits are the checks here.
    const Reply reply = ReplyEngine::respond(message, kb, QStringLiteral("阿木"), random);
    require(!reply.text || !reply.text->contains(u"[AI_Dat]"_s) ||
                message.contains(u"[AI_Dat]"_s) ||
                kb.keywordTable.size() > defaultKnowledge().keywordTable.size(),
            "the robot never says the file's section marker unless it was taught or told it");
    return 0;
}
