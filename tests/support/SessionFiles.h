// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// A knowledge file of its own for a test of the teaching save: a first-run Data.ait in a
// temporary folder, loaded, with a working copy and a session on it, and reading its rows back.

#include "knowledge/KnowledgeFile.h"
#include "teaching/TeachingList.h"
#include "teaching/TeachingSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeAll(const QString &path, const QByteArray &bytes, QIODevice::OpenMode mode)
{
    QFile file(path);
    QVERIFY(file.open(mode));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A first-run Data.ait in its own folder, loaded, and a working copy of its table.
struct Session
{
    QTemporaryDir dir;
    QString path = dir.filePath(KnowledgeFile::FileName);
    KnowledgeBase loaded;
    TeachingList list;
    std::unique_ptr<TeachingSession> session;

    explicit Session(KnowledgeFile::WriteFault fault = {})
    {
        if (!KnowledgeFile::write(path, *KnowledgeFile::firstRunBytes(QStringLiteral("zu"))))
            qFatal("cannot write %s", qPrintable(path));
        loaded = *KnowledgeFile::load(path).knowledge;
        list.adopt(TeachingList::prepare(loaded.keywordTable, list.collator()));
        session = std::make_unique<TeachingSession>(loaded, path, std::move(fault));
    }

    void commit(const QString &entry)
    {
        const QString withEnd = entry + QStringLiteral("\r\n");
        const int row = list.findKey(TeachingList::keyOf(withEnd));
        session->committed(withEnd, list.entryAt(row));
        if (row >= 0)
            list.replaceEntry(row, withEnd);
        else
            list.insertEntry(withEnd);
    }
};

inline QStringList rowsOf(const QString &path)
{
    const Result<KnowledgeBase> knowledge = KnowledgeBase::parse(readAll(path));
    return knowledge ? knowledge->keywordTable.toList() : QStringList();
}

inline QStringList temporaryFiles(const QString &dataPath)
{
    const QFileInfo data(dataPath);
    return data.dir().entryList({data.fileName() + QStringLiteral(".??????")},
                                QDir::Files | QDir::System);
}
