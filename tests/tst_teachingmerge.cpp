// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// A save after another program changed Data.ait: this session's commits made again on the file
// as it is now, and what the user is told about it.

#include "knowledge/KnowledgeBase.h"
#include "teaching/TeachingList.h"
#include "teaching/TeachingMerge.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestTeachingMerge : public QObject
{
    Q_OBJECT

private slots:
    void commitsMadeOnTheChangedFile_data();
    void commitsMadeOnTheChangedFile();
};

namespace {

KeywordTable table(const QStringList &rows)
{
    QStringList entries;
    for (const QString &row : rows)
        entries += row + u"\r\n"_s;
    return KeywordTable::fromEntries(entries);
}

} // namespace

void TestTeachingMerge::commitsMadeOnTheChangedFile_data()
{
    QTest::addColumn<QStringList>("base");
    QTest::addColumn<QStringList>("current");
    QTest::addColumn<QStringList>("commits");
    QTest::addColumn<QStringList>("merged"); // in list order
    QTest::addColumn<QString>("report");

    const QString intro = u"调教期间，数据文件 Data.ait 被别的程序改动过。\r"_s;
    QTest::newRow("an entry added elsewhere is kept beside a new key")
        << QStringList{u"a\\1\\"_s, u"c\\3\\"_s}
        << QStringList{u"a\\1\\"_s, u"c\\3\\"_s, u"d\\4\\"_s} << QStringList{u"b\\2\\"_s}
        << QStringList{u"a\\1\\"_s, u"b\\2\\"_s, u"c\\3\\"_s, u"d\\4\\"_s}
        << intro + u"保存时，文件里其他的 3 条数据原样保留，并加入了这次调教的内容。"_s;
    QTest::newRow("both changed a key: the commit wins and is named")
        << QStringList{u"a\\1\\"_s, u"b\\2\\"_s} << QStringList{u"a\\elsewhere\\"_s, u"b\\2\\"_s}
        << QStringList{u"a\\mine\\"_s} << QStringList{u"a\\mine\\"_s, u"b\\2\\"_s}
        << intro + u"保存时，文件里其他的 1 条数据原样保留，并加入了这次调教的内容。\r"
                   u"下面这些关键字，别的程序和这次调教都改过，保存的是这次调教的内容：\ra"_s;
    QTest::newRow("commits in their order: the last one of a key stands")
        << QStringList{u"a\\1\\"_s} << QStringList{u"a\\1\\"_s, u"z\\9\\"_s}
        << QStringList{u"b\\first\\"_s, u"a\\changed\\"_s, u"b\\second\\"_s}
        << QStringList{u"a\\changed\\"_s, u"b\\second\\"_s, u"z\\9\\"_s}
        << intro + u"保存时，文件里其他的 1 条数据原样保留，并加入了这次调教的内容。"_s;
    QTest::newRow("an entry removed elsewhere stays removed; a key it had is both changed")
        << QStringList{u"a\\1\\"_s, u"b\\2\\"_s} << QStringList{u"b\\2\\"_s}
        << QStringList{u"c\\3\\"_s, u"a\\again\\"_s}
        << QStringList{u"a\\again\\"_s, u"b\\2\\"_s, u"c\\3\\"_s}
        << intro + u"保存时，文件里其他的 1 条数据原样保留，并加入了这次调教的内容。\r"
                   u"下面这些关键字，别的程序和这次调教都改过，保存的是这次调教的内容：\ra"_s;
    QTest::newRow("a file with a key twice: only its first is replaced")
        << QStringList{u"a\\1\\"_s} << QStringList{u"a\\1\\"_s, u"a\\copy\\"_s}
        << QStringList{u"a\\mine\\"_s} << QStringList{u"a\\mine\\"_s, u"a\\copy\\"_s}
        << intro + u"保存时，文件里其他的 1 条数据原样保留，并加入了这次调教的内容。"_s;
    QTest::newRow("a second row added elsewhere for a key: the row the user saw goes")
        << QStringList{u"a\\m\\"_s} << QStringList{u"a\\m\\"_s, u"a\\b\\"_s}
        << QStringList{u"a\\mine\\"_s} << QStringList{u"a\\b\\"_s, u"a\\mine\\"_s}
        << intro + u"保存时，文件里其他的 1 条数据原样保留，并加入了这次调教的内容。"_s;
    QTest::newRow("the row the user saw changed elsewhere: the key's first row in the file goes")
        << QStringList{u"a\\m\\"_s} << QStringList{u"a\\z\\"_s, u"a\\b\\"_s}
        << QStringList{u"a\\mine\\"_s} << QStringList{u"a\\b\\"_s, u"a\\mine\\"_s}
        << intro + u"保存时，文件里其他的 1 条数据原样保留，并加入了这次调教的内容。\r"
                   u"下面这些关键字，别的程序和这次调教都改过，保存的是这次调教的内容：\ra"_s;
    QTest::newRow("the same new key added on both sides")
        << QStringList{u"a\\1\\"_s} << QStringList{u"a\\1\\"_s, u"n\\theirs\\"_s}
        << QStringList{u"n\\mine\\"_s} << QStringList{u"a\\1\\"_s, u"n\\mine\\"_s}
        << intro + u"保存时，文件里其他的 1 条数据原样保留，并加入了这次调教的内容。\r"
                   u"下面这些关键字，别的程序和这次调教都改过，保存的是这次调教的内容：\rn"_s;
}

void TestTeachingMerge::commitsMadeOnTheChangedFile()
{
    QFETCH(QStringList, base);
    QFETCH(QStringList, current);
    QFETCH(QStringList, commits);
    QFETCH(QStringList, merged);
    QFETCH(QString, report);

    // The commits as the user made them, each replacing what the list showed for its key.
    TeachingList seen;
    seen.setEntries(table(base));
    QList<TeachingMerge::Commit> committed;
    for (const QString &commit : std::as_const(commits)) {
        const QString entry = commit + u"\r\n"_s;
        const int row = seen.findKey(TeachingList::keyOf(entry));
        committed.append({entry, seen.entryAt(row)});
        if (row >= 0)
            seen.replaceEntry(row, entry);
        else
            seen.insertEntry(entry);
    }
    const TeachingMerge::Merged result =
        TeachingMerge::onto(table(current), committed, KeyCollator());
    QStringList rows;
    for (qsizetype row = 0; row < result.entries.size(); ++row)
        rows += KnowledgeEntry::withoutLineEnd(result.entries.at(row)).toString();
    QCOMPARE(rows, merged);
    QCOMPARE(TeachingMerge::report(result), report);
}

QTEST_GUILESS_MAIN(TestTeachingMerge)
#include "tst_teachingmerge.moc"
