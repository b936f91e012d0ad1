// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Thirty pastes of 9,999 characters with no break opportunity into one box: each paste, with the
// layout it causes, should cost about what the first did, however long the unbroken line has
// grown. Prints, for the input box and for the plain boxes it is measured against in the same
// run, the 30th paste's time as a ratio to the first's, the median over several runs. Runs
// offscreen. (A plain box wrapping at word boundaries is left out: its 30th paste takes seconds.)

#include "Median.h"
#include "window/ChatTextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int Pastes = 30;
constexpr int Runs = 5;

struct Box
{
    const char *name;
    std::function<QPlainTextEdit *()> make;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QGuiApplication::clipboard()->setText(QString(9999, QChar(u'a')));

    const Box boxes[] = {
        {"plain QPlainTextEdit, WrapAnywhere (baseline)",
         [] {
             auto *box = new QPlainTextEdit;
             box->setWordWrapMode(QTextOption::WrapAnywhere);
             return box;
         }},
        {"ChatTextBox, paragraphs whole", [] { return new ChatTextBox; }},
        {"ChatTextBox, the input box",
         [] {
             auto *box = new ChatTextBox;
             box->splitLongParagraphs(); // as the window's input box does
             return box;
         }},
    };
    std::printf("| box | first paste (median) | 30th paste (median) | 30th / first (median of %d) "
                "| goal |\n|---|---|---|---|---|\n",
                Runs);
    for (const Box &kind : boxes) {
        std::vector<double> firsts;
        std::vector<double> lasts;
        std::vector<double> ratios;
        for (int run = 0; run < Runs; ++run) {
            const std::unique_ptr<QPlainTextEdit> box(kind.make());
            box->resize(400, 120);
            box->show();
            std::vector<double> times;
            for (int i = 0; i < Pastes; ++i) {
                QElapsedTimer timer;
                timer.start();
                box->paste();
                box->repaint(); // lays the text out and draws it, as the screen would
                QCoreApplication::processEvents();
                times.push_back(double(timer.nsecsElapsed()) / 1e6);
            }
            firsts.push_back(times.front());
            lasts.push_back(times.back());
            ratios.push_back(times.back() / times.front());
        }
        std::printf("| %s | %.2f ms | %.2f ms | %.2f | at most 2 for the input box |\n", kind.name,
                    median(firsts), median(lasts), median(ratios));
    }
    return 0;
}
