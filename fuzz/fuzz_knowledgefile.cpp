// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Any bytes as Data.ait: read in pieces of any sizes, they read as they do in one piece, and
// look like UTF-8 exactly when Qt finds them valid UTF-8 with a multi-byte character. Every file
// that loads must save, and the save must load back to the same knowledge, with the header and
// lists byte for byte as they were (their bare LFs turned into CR LF, the only change a save
// makes to them).

#include "FuzzCheck.h"
#include "common/GbkCodec.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"

#include <algorithm>

namespace {

bool sameLists(const KnowledgeBase &a, const KnowledgeBase &b)
{
    return a.userName == b.userName && a.filterWords == b.filterWords &&
           a.dirtyReplies == b.dirtyReplies && a.randomQuestions == b.randomQuestions &&
           a.randomAnswers == b.randomAnswers && a.noAnswerReplies == b.noAnswerReplies &&
           a.welcomeMessages == b.welcomeMessages;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    // A file is read in pieces that may split a character; it must read as it does at once.
    QString inPieces;
    GbkCodec::Decoder decoder;
    for (qsizetype at = 0; at < bytes.size(); at += 3)
        decoder.decode(QByteArrayView(bytes).sliced(at, std::min<qsizetype>(3, bytes.size() - at)),
                       false, inPieces);
    decoder.decode({}, true, inPieces);
    require(inPieces == GbkCodec::decode(bytes),
            "decoding in pieces reads what decoding at once does");

    // Piece sizes from 1 to 23 in a sequence the first byte picks.
    KnowledgeBase::Reader reader;
    qsizetype piece = bytes.isEmpty() ? 1 : 1 + uchar(bytes.at(0)) % 23;
    for (qsizetype at = 0; at < bytes.size(); at += piece, piece = 1 + (piece * 7 + 3) % 23)
        reader.add(QByteArrayView(bytes).sliced(at, std::min(piece, bytes.size() - at)));
    const Result<KnowledgeBase> read = reader.finish();
    const bool multiByte =
        std::any_of(bytes.cbegin(), bytes.cend(), [](char c) { return uchar(c) >= 0x80; });
    require(reader.looksUtf8() == (multiByte && QByteArrayView(bytes).isValidUtf8()),
            "the bytes look like UTF-8 when they are valid UTF-8 with a multi-byte character");

    const Result<KnowledgeBase> loaded = KnowledgeBase::parse(bytes);
    require(read.ok() == loaded.ok() && read.reason() == loaded.reason(),
            "pieces are refused as one piece is, for the same reason");
    if (!loaded)
        return 0;
    require(sameLists(*read, *loaded) && read->headBytes == loaded->headBytes &&
                entryRows(read->keywordTable) == entryRows(loaded->keywordTable),
            "pieces read what one piece reads");
    require(loaded->headBytes == bytes.left(loaded->headBytes.size()),
            "what comes before the table is kept exactly as it was read");
    const Result<KnowledgeBase> expected = KnowledgeBase::parse(KnowledgeFile::withCrLf(bytes));
    require(bool(expected), "a file with its line ends made CR LF still loads");

    const Result<QByteArray> saved =
        KnowledgeFile::teachingSaveBytes(*loaded, loaded->keywordTable);
    require(bool(saved), "every file that loads can be saved");
    const Result<KnowledgeBase> reloaded = KnowledgeBase::parse(*saved);
    require(bool(reloaded), "the save loads");

    require(saved->left(reloaded->headBytes.size()) == KnowledgeFile::withCrLf(loaded->headBytes),
            "the save keeps the header and lists byte for byte");
    require(sameLists(*reloaded, *expected), "the save keeps the name and the lists");
    require(entryRows(reloaded->keywordTable) == entryRows(expected->keywordTable),
            "the save keeps every entry, in order");

    const Result<QByteArray> again =
        KnowledgeFile::teachingSaveBytes(*reloaded, reloaded->keywordTable);
    require(again && *again == *saved, "saving what was saved changes nothing");
    return 0;
}
