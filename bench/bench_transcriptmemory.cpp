// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Memory after a long conversation through the real window: 100,000 sends of a 20-character
// message, each answered. Prints the resident memory at the start and its growth, as MB and as
// a ratio to the memory of the started window measured in the same process. Runs offscreen.

#include "support/WindowHarness.h"

#include <QApplication>
#include <QFile>
#include <cstdio>

namespace {

constexpr int Sends = 100'000;

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int sends = argc > 1 ? QByteArray(argv[1]).toInt() : Sends;
    WindowHarness h;
    if (!h.startWith({QStringLiteral("你好\\你好呀，很高兴见到你\\")}))
        return 1;
    const QString message = QStringLiteral("你好，今天天气真不错，我们一起出去走走吧"); // 20
    QCoreApplication::processEvents();
    const double start = residentMb();
    for (int i = 0; i < sends; ++i) {
        h.send(message);
        h.window->replyTick();
        if (i % 1000 == 0)
            QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    const double end = residentMb();
    std::printf("%d sends of %lld characters, each answered (%lld lines spoken): resident %.1f MB "
                "at the start, %.1f MB after; growth %.1f MB, %.2f times the started window\n",
                sends, qlonglong(message.size()), qlonglong(h.speaker.lines.size()), start, end,
                end - start, (end - start) / start);
    return 0;
}
