// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "console/BatchRun.h"

#include "console/ConsoleChat.h"
#include "console/ConsoleInput.h"

#include <QByteArray>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace BatchRun {

namespace {

// Output goes out in pieces of this size: few writes, and little held back from a reader.
constexpr qsizetype FlushAt = 64 * 1024;

bool writeOut(FILE *out, QByteArray &pending)
{
    const bool written =
        std::fwrite(pending.constData(), 1, size_t(pending.size()), out) == size_t(pending.size());
    pending.clear();
    return written;
}

} // namespace

QString unescape(QStringView line)
{
    if (!line.contains(u'\\'))
        return line.toString();
    QString text;
    text.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == u'\\' && i + 1 < line.size()) {
            const QChar next = line.at(i + 1);
            const QChar meant = next == u'n' ? QChar(u'\n') : next == u't' ? QChar(u'\t') : next;
            if (next == u'n' || next == u't' || next == u'\\') {
                text.append(meant);
                ++i;
                continue;
            }
        }
        text.append(c);
    }
    return text;
}

QString escape(QStringView text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            escaped.append(QStringLiteral("\\\\"));
            break;
        case u'\t':
            escaped.append(QStringLiteral("\\t"));
            break;
        case u'\r':
            escaped.append(QStringLiteral("\\r"));
            break;
        case u'\n':
            escaped.append(QStringLiteral("\\n"));
            break;
        default:
            escaped.append(c);
        }
    }
    return escaped;
}

int run(FILE *in, FILE *out, FILE *err, ConsoleChat &chat, const Options &options)
{
    QByteArray pending;
    if (options.header) {
        pending += options.allReplies ? "n\troute\tkey\trow\treply\tall-replies\n"
                                      : "n\troute\tkey\trow\treply\n";
    }
    ConsoleInput::LineReader reader(in);
    qint64 number = 0;
    while (const std::optional<QString> line = reader.next(err, ++number)) {
        const ConsoleAnswer answer = chat.answer(unescape(*line), options.allReplies);
        QString row = QString::number(number) + u'\t' + answer.route + u'\t' + escape(answer.key) +
                      u'\t' + (answer.row > 0 ? QString::number(answer.row) : QString()) + u'\t' +
                      escape(answer.reply);
        if (options.allReplies) {
            QStringList lines;
            lines.reserve(answer.lines.size());
            for (const QString &said : answer.lines)
                lines.append(escape(said));
            row += u'\t' + lines.join(QStringLiteral(" ‖ "));
        }
        row += u'\n';
        pending += row.toUtf8();
        if (pending.size() >= FlushAt && !writeOut(out, pending))
            break;
    }
    if (!pending.isEmpty())
        writeOut(out, pending);
    if (std::fflush(out) != 0 || std::ferror(out)) {
        std::fprintf(err, "miaoyutong-console：无法写出回答：%s\n", std::strerror(errno));
        return 1;
    }
    return 0;
}

} // namespace BatchRun
