// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "knowledge/DefaultKnowledge.h"

#include "common/GbkCodec.h"

#include <QFile>

namespace DefaultKnowledge {

QByteArray bytes()
{
    // Kept in the repository as UTF-8 with LF so people can read and review it.
    QFile source(QStringLiteral(":/knowledge/default_knowledge.txt"));
    if (!source.open(QIODevice::ReadOnly))
        qFatal("The default knowledge is missing from the executable's resources");
    QString text = QString::fromUtf8(source.readAll());
    text.remove(u'\r');
    text.replace(u'\n', QStringLiteral("\r\n"));
    const auto gbk = GbkCodec::encode(text);
    if (!gbk)
        qFatal("The default knowledge holds text that GBK cannot represent");
    return *gbk;
}

} // namespace DefaultKnowledge
