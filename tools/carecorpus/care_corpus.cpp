// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Splits the care corpus (lines of "message<TAB>label") into training, validation and test by a
// hash of each message, so a line stays in its split whatever is added around it, and writes one
// split either as fastText's trainer reads it ("__label__self 我 不 想 ...", in the program's own
// reading, CareModel::reading) or as it was written.
//
//   care-corpus fasttext|messages train|valid|test|any FILE...

#include "care/CareModel.h"
#include "care/CareRules.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QList>
#include <cstdio>

namespace {

QString splitOf(const QString &message)
{
    const auto first =
        quint8(QCryptographicHash::hash(message.toUtf8(), QCryptographicHash::Sha1).at(0));
    return first < 179   ? QStringLiteral("train")
           : first < 217 ? QStringLiteral("valid")
                         : QStringLiteral("test");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QStringList labels = {QStringLiteral("now"),       QStringLiteral("self"),
                                QStringLiteral("helper"),    QStringLiteral("distress"),
                                QStringLiteral("lookalike"), QStringLiteral("chat")};
    if (arguments.size() < 4 ||
        !QStringList{QStringLiteral("fasttext"), QStringLiteral("messages")}.contains(
            arguments[1]) ||
        !QStringList{QStringLiteral("train"), QStringLiteral("valid"), QStringLiteral("test"),
                     QStringLiteral("any")}
             .contains(arguments[2])) {
        std::fputs("usage: care-corpus fasttext|messages train|valid|test|any FILE...\n", stderr);
        return 2;
    }
    const bool forTrainer = arguments[1] == u"fasttext";
    const Result<CareRules> rules = CareRules::builtIn();
    if (!rules) {
        std::fprintf(stderr, "care-corpus: %s\n", qPrintable(rules.reason()));
        return 1;
    }
    const std::vector<char16_t> simplified = rules->simplifiedTable();
    for (const QString &path : arguments.mid(3)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "care-corpus: cannot read %s\n", qPrintable(path));
            return 1;
        }
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        for (qsizetype n = 1; n < lines.size(); ++n) { // the first line names the columns
            if (lines[n].trimmed().isEmpty())
                continue;
            const QStringList columns = lines[n].split(u'\t');
            if (columns.size() != 2 || !labels.contains(columns[1].trimmed())) {
                std::fprintf(stderr, "care-corpus: %s:%lld is not \"message<TAB>label\"\n",
                             qPrintable(path), qlonglong(n + 1));
                return 1;
            }
            if (arguments[2] != u"any" && splitOf(columns[0]) != arguments[2])
                continue;
            const QString out = forTrainer ? QStringLiteral("__label__") + columns[1].trimmed() +
                                                 u' ' + CareModel::reading(columns[0], simplified)
                                           : columns[0] + u'\t' + columns[1].trimmed();
            std::puts(out.toUtf8().constData());
        }
    }
    return 0;
}
