// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Thirty pastes of 9,999 characters with no break opportunity into one input box: each paste,
// with the layout it causes, should cost about what the first did, however long the unbroken
// line has grown. Prints the 30th paste's time as a ratio to the first's in the same run, the
// median over several runs. Runs offscreen.

#include "Median.h"
#include "window/ChatTextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Pastes = 30;
constexpr int Runs = 5;

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString chunk(9999, QChar(u'a'));
    QGuiApplication::clipboard()->setText(chunk);

    std::vector<double> ratios;
    std::vector<double> firsts;
    for (int run = 0; run < Runs; ++run) {
        ChatTextBox box;
        box.splitLongParagraphs(); // as the window's input box does
        box.resize(400, 120);
        box.show();
        std::vector<double> times;
        for (int i = 0; i < Pastes; ++i) {
            QElapsedTimer timer;
            timer.start();
            box.paste();
            box.repaint(); // lays the text out and draws it, as the screen would
            QCoreApplication::processEvents();
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        firsts.push_back(times.front());
        ratios.push_back(times.back() / times.front());
    }
    std::printf("first paste: median %.2f ms; 30th paste / first paste: median ratio %.2f "
                "(goal: at most 2)\n",
                median(firsts), median(ratios));
    return 0;
}
