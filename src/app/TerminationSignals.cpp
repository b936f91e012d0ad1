// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "app/TerminationSignals.h"

#include <QCoreApplication>
#include <QObject>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace TerminationSignals {

#ifdef Q_OS_UNIX
namespace {

// A handler may only do async-signal-safe things: it writes one byte to a socket, and the
// event loop, woken by it, does the rest.
int g_wakeFds[2] = {-1, -1};
volatile std::sig_atomic_t g_received = 0;

void onSignal(int)
{
    g_received = 1;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_wakeFds[0], &byte, 1);
}

} // namespace

void quitApplicationOnThem(QObject *application)
{
    if (g_wakeFds[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_wakeFds) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_wakeFds[1], QSocketNotifier::Read, application);
    QObject::connect(notifier, &QSocketNotifier::activated, application, [notifier] {
        char byte = 0;
        [[maybe_unused]] const auto read = ::read(g_wakeFds[1], &byte, 1);
        notifier->setEnabled(false);
        // Asked once; a second signal ends the program the ordinary way.
        for (const int signal : {SIGTERM, SIGINT, SIGHUP})
            ::signal(signal, SIG_DFL);
        // Not quit(): that closes the windows first, and a window with unsaved work would ask.
        QCoreApplication::exit(0);
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

bool received()
{
    return g_received != 0;
}
#else
void quitApplicationOnThem(QObject *) {}
bool received()
{
    return false;
}
#endif

} // namespace TerminationSignals
