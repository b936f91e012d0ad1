// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The one shape of "a value, or the reason in words why there is none" that the program's
// operations return. The reason is written for the user: callers show it as it stands.

#include <QString>
#include <optional>
#include <utility>
#include <variant>

template <typename T> class [[nodiscard]] Result
{
public:
    Result(T value) : m_value(std::move(value)) {}

    static Result failure(QString reason)
    {
        Result result;
        result.m_reason = std::move(reason);
        return result;
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }

    const T &operator*() const & { return *m_value; }
    T &operator*() & { return *m_value; }
    T &&operator*() && { return std::move(*m_value); }
    const T *operator->() const { return &*m_value; }
    T *operator->() { return &*m_value; }

    // Why there is no value; empty when there is one.
    const QString &reason() const { return m_reason; }

private:
    Result() = default;

    std::optional<T> m_value;
    QString m_reason;
};

// For operations that give nothing back but can fail.
using Status = Result<std::monostate>;

inline Status success()
{
    return Status(std::monostate{});
}
