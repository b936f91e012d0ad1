// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// A teaching save while another program works on Data.ait between each of its steps (after the
// lock, after the merge, after the temporary file is written, after the last check): it appends
// rows in place, renames a new file over the name, or swaps the name for a link to another of the
// user's files and back. Whatever it does, the other file is never written, nothing the other
// program added is lost, a save that succeeds holds every commit, one that fails leaves the file
// as the other program made it, and no temporary file stays behind. Runs on a RAM file system
// where there is one.

#include "FuzzCheck.h"
#include "knowledge/CheckedReplace.h"
#include "knowledge/KnowledgeFile.h"
#include "teaching/TeachingList.h"
#include "teaching/TeachingSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes, QIODevice::OpenMode mode)
{
    QFile file(path);
    require(file.open(mode) && file.write(bytes) == bytes.size(), "the other program writes");
}

// A small knowledge file: a header, six lists of one item, and rows.
QByteArray fileWith(const QStringList &rows)
{
    QByteArray bytes = "|zu|\r\n";
    for (int i = 0; i < 6; ++i)
        bytes += "[AI_Dat]\r\nt\r\n|a|\r\n";
    bytes += "[AI_Dat]\r\n";
    for (const QString &row : rows)
        bytes += '|' + row.toLatin1() + "\r\n";
    return bytes;
}

struct Other
{
    QString dir;
    QString path;
    QString victim;
    QString aside;     // the real file while the name is a link
    QStringList added; // rows the other program added
    const uint8_t *data = nullptr;
    size_t size = 0;
    size_t at = 0;
    int acts = 0;

    uint8_t next() { return at < size ? data[at++] : 0; }
    bool linked() const { return QFileInfo(path).isSymLink(); }

    void act()
    {
        // Bounded, so that a save that retries meets a quiet file in the end.
        if (++acts > 12)
            return;
        const QByteArray row = "o" + QByteArray::number(added.size()) + "\\x\\";
        switch (next() % 6) {
        case 1: // appends a row in place
            if (linked())
                return;
            writeAll(path, '|' + row + "\r\n", QIODevice::Append);
            added += QString::fromLatin1(row);
            return;
        case 2: { // writes a new file and renames it over the name
            if (linked())
                return;
            const QString fresh = dir + QStringLiteral("/fresh");
            writeAll(fresh, readAll(path) + '|' + row + "\r\n", QIODevice::WriteOnly);
            require(std::rename(QFile::encodeName(fresh).constData(),
                                QFile::encodeName(path).constData()) == 0,
                    "the other program renames");
            added += QString::fromLatin1(row);
            return;
        }
        case 3: { // swaps the name for a link to the user's other file
            if (linked())
                return;
            const QString link = dir + QStringLiteral("/link");
            require(std::rename(QFile::encodeName(path).constData(),
                                QFile::encodeName(aside).constData()) == 0 &&
                        ::symlink(QFile::encodeName(victim).constData(),
                                  QFile::encodeName(link).constData()) == 0 &&
                        std::rename(QFile::encodeName(link).constData(),
                                    QFile::encodeName(path).constData()) == 0,
                    "the other program swaps in a link");
            return;
        }
        case 4: // and back
            if (!linked())
                return;
            require(std::rename(QFile::encodeName(aside).constData(),
                                QFile::encodeName(path).constData()) == 0,
                    "the other program swaps the file back");
            return;
        default:
            return;
        }
    }
};

QString scratchRoot()
{
    return QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm")
                                                              : QDir::tempPath();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const KeyCollator collator;
    QTemporaryDir dir(scratchRoot() + QStringLiteral("/fuzz_save-XXXXXX"));
    Other other;
    other.dir = dir.path();
    other.path = dir.filePath(KnowledgeFile::FileName);
    other.victim = dir.filePath(QStringLiteral("victim.txt"));
    other.aside = dir.filePath(QStringLiteral("aside"));
    other.data = data;
    other.size = size;

    QStringList base;
    for (int n = other.next() % 5; n > 0; --n)
        base += QStringLiteral("k%1\\r%2\\").arg(other.next() % 4).arg(other.next() % 3);
    writeAll(other.path, fileWith(base), QIODevice::WriteOnly);
    const QByteArray victimBytes = "the user's other file\n";
    writeAll(other.victim, victimBytes, QIODevice::WriteOnly);

    const KnowledgeFile::Loaded loaded = KnowledgeFile::load(other.path);
    require(bool(loaded.knowledge), "the file reads");
    TeachingList list;
    list.adopt(TeachingList::prepare(loaded.knowledge->keywordTable, collator));
    TeachingSession session(*loaded.knowledge, other.path);
    QStringList commits;
    // The row the user saw of each key before changing it (the file may hold a key twice): the
    // save replaces that one and leaves the other copies.
    QHash<QString, QString> seen;
    for (int n = 1 + other.next() % 3; n > 0; --n) {
        const QString entry = QStringLiteral("k%1\\c%2\\\r\n").arg(other.next() % 4).arg(n);
        const int row = list.findKey(TeachingList::keyOf(entry));
        if (!seen.contains(TeachingList::keyOf(entry)))
            seen.insert(TeachingList::keyOf(entry),
                        row >= 0 ? KnowledgeEntry::withoutLineEnd(list.entryAt(row)).toString()
                                 : QString());
        session.committed(entry, list.entryAt(row));
        if (row >= 0)
            list.replaceEntry(row, entry);
        else
            list.insertEntry(entry);
        commits += entry;
    }
    session.setMeanwhile([&other](CheckedReplace::Step) { other.act(); });

    const TeachingSession::Outcome outcome =
        session.save(list, TeachingSession::After::GoingOn).run();

    require(readAll(other.victim) == victimBytes, "the user's other file is never written");
    const QStringList leftovers = QDir(other.dir).entryList(
        {KnowledgeFile::FileName + QStringLiteral(".??????")}, QDir::Files | QDir::System);
    require(leftovers.isEmpty(), "no temporary file stays");
    const QString real = other.linked() ? other.aside : other.path;
    const Result<KnowledgeBase> now = KnowledgeBase::parse(readAll(real));
    require(bool(now), "the file stays readable");
    const QStringList rows = entryRows(now->keywordTable);
    for (const QString &row : std::as_const(other.added))
        require(rows.contains(row), "nothing the other program added is lost");
    if (outcome.written) {
        require(!other.linked(), "a save succeeds only on the file itself");
        // The newest commit of each key.
        QHash<QString, QString> newest;
        for (const QString &commit : std::as_const(commits))
            newest.insert(TeachingList::keyOf(commit),
                          KnowledgeEntry::withoutLineEnd(commit).toString());
        const QStringList before = entryRows(loaded.knowledge->keywordTable);
        for (auto key = newest.cbegin(); key != newest.cend(); ++key) {
            const auto ofKey = [&key](const QStringList &from) {
                QStringList found;
                for (const QString &row : from) {
                    if (TeachingList::keyOf(row) == key.key())
                        found += row;
                }
                found.sort();
                return found;
            };
            QStringList expected = ofKey(before);
            expected.removeOne(seen.value(key.key()));
            expected += key.value();
            expected.sort();
            require(ofKey(rows) == expected,
                    "a save that succeeds holds every commit, in place of the row the user saw");
        }
    } else {
        for (const QString &commit : std::as_const(commits)) {
            require(!rows.contains(KnowledgeEntry::withoutLineEnd(commit).toString()),
                    "a save that fails writes nothing");
        }
        require(!outcome.unwritten.isEmpty(), "a failed save hands its work back");
    }
    return 0;
}
