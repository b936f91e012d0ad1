// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "console/Interactive.h"

#include "console/ConsoleChat.h"
#include "console/ConsoleInput.h"

#include <QByteArray>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>
#include <readline/history.h>
#include <readline/readline.h>
#include <unistd.h>

namespace Interactive {

namespace {

const char *const Prompt = "你：";

void print(const QString &text)
{
    // Lines the robot says end in CR LF where the window shows line breaks.
    const QByteArray bytes =
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Line editing counts characters by the locale: under a plain "C" locale a Chinese character
// would be three characters to erase.
void useUtf8Characters()
{
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
}

} // namespace

int run(ConsoleChat &chat)
{
    useUtf8Characters();
    rl_readline_name = "miaoyutong-console";
    // There is nothing to complete: a tab is a tab, not a list of file names.
    rl_bind_key('\t', rl_insert);
    using_history();

    print(
        QStringLiteral("妙语通（终端）：和阿木聊天。输入 /help 查看命令，/exit 或 Ctrl+D 结束。"));
    if (const std::optional<QString> greeting = chat.greeting())
        print(QStringLiteral("阿木：") + *greeting);

    for (qint64 number = 1;; ++number) {
        char *typed = readline(Prompt);
        if (!typed) {
            std::fputc('\n', stdout);
            break;
        }
        const QString message = ConsoleInput::decode(QByteArrayView(typed), stderr, number);
        if (*typed != '\0')
            add_history(typed);
        std::free(typed);

        const ConsoleAnswer answer = chat.answer(message);
        if (answer.command == ChatCommand::Exit)
            break;
        if (answer.command == ChatCommand::Clear) {
            if (isatty(STDOUT_FILENO))
                std::fputs("\033[H\033[2J", stdout);
            continue;
        }
        // The warning about a blank message and the length notice are the window's, not
        // lines 阿木 says.
        if (answer.route == u"blank" || answer.route == u"too-long")
            print(answer.reply);
        else if (!answer.reply.isEmpty())
            print(QStringLiteral("阿木：") + answer.reply);
    }
    clear_history();
    return 0;
}

} // namespace Interactive
