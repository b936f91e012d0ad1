// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Long work of the window (reading the knowledge file, sorting the teaching list, saving) on a
// worker thread. The caller waits in an event loop of its own, so the window keeps painting and
// its timers keep running, and the work still reads as one step with the same result as done
// in place. Meanwhile the controls that could start conflicting work are disabled, the status
// line says what is going on, and a progress bar shows once the work passes a second.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <type_traits>
#include <vector>

class QTimer;
struct FrmMainUi;

class BackgroundTask : public QObject
{
    Q_OBJECT

public:
    // Work that takes longer than this shows the progress bar.
    static constexpr int SlowMilliseconds = 1000;

    BackgroundTask(const FrmMainUi &ui, QObject *parent);
    // Waits for what is still being freed.
    ~BackgroundTask() override;

    // Runs work on a worker thread and returns once it is done, handling events meanwhile.
    // what is shown in the status line until then.
    void run(const QString &what, const std::function<void()> &work);
    // The same for work that gives a value.
    template <typename Work> std::invoke_result_t<Work> result(const QString &what, Work work)
    {
        std::optional<std::invoke_result_t<Work>> value;
        run(what, [&] { value.emplace(work()); });
        return *std::move(value);
    }

    // Frees value on a worker without waiting: a million strings take longer to free than the
    // window may stand still.
    template <typename T> void dispose(T value)
    {
        joinDisposals();
        m_disposals.emplace_back(
            [held = std::make_shared<T>(std::move(value))]() mutable { held.reset(); });
    }

    bool busy() const { return m_depth > 0; }
    // Closes the window once the work that runs now is done: leaving it half way could lose
    // what is being saved.
    void closeWhenDone() { m_closeWhenDone = true; }

    // The tick once the work has taken SlowMilliseconds: the progress bar appears. Called by
    // the timer (and directly by tests).
    void slowTick();

    // Called on the worker before each piece of work (tests hold the work there to look at the
    // window meanwhile).
    std::function<void()> beforeWork;

private:
    void begin(const QString &what);
    void end();
    void joinDisposals();

    const FrmMainUi &m_ui;
    QTimer *m_slowTimer = nullptr;
    int m_depth = 0;
    bool m_closeWhenDone = false;
    // What the controls showed before the work, given back after it.
    bool m_teachWasEnabled = false;
    QString m_status;
    std::vector<std::thread> m_disposals;
};
