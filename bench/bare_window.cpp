// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The floor bench_startup measures the program against: a plain Qt Widgets window of the chat
// window's size that shows what the chat window's first frame shows of pictures and fonts (the
// backdrop, the portrait and the icon from the same resources; labels in the same family and
// sizes, with Chinese text) and nothing else: no knowledge, no controls, no work after show().
// SIGTERM ends it as a plain Qt program ends: the event loop returns and everything is torn
// down, the application object last.

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The families the program looks for, in its order: Qt takes the first one installed.
QFont chatFont(qreal points)
{
    QFont font;
    font.setFamilies({QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    font.setPointSizeF(points);
    return font;
}

class BareWindow : public QWidget
{
public:
    BareWindow()
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
          m_backdrop(QStringLiteral(":/pictures/backdrop.jpg"))
    {
        setWindowTitle(QStringLiteral("妙语通"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(602, 488);
        setFont(chatFont(9));

        auto *portrait = new QLabel(this);
        portrait->setGeometry(8, 8, 49, 49);
        portrait->setPixmap(QPixmap(QStringLiteral(":/pictures/portrait.jpg")));
        portrait->setScaledContents(true);

        auto *name = new QLabel(QStringLiteral("阿木"), this);
        name->setFont(chatFont(12));
        name->move(64, 15);
        auto *online = new QLabel(QStringLiteral("[在线]"), this);
        online->move(64, 39);
        const QString profile[] = {QStringLiteral("性别：公的,帅哥"),
                                   QStringLiteral("生日：08年8月诞生"),
                                   QStringLiteral("来自：地球村,中国"),
                                   QStringLiteral("作者：lanke42"), QStringLiteral("数据：？")};
        int top = 72;
        for (const QString &line : profile) {
            (new QLabel(line, this))->move(424, top);
            top += 30;
        }
        auto *typing = new QLabel(QStringLiteral("发送(Send)"), this);
        typing->setFont(chatFont(10.5));
        typing->move(320, 462);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0xC0, 0xC0, 0xC0));
        painter.drawPixmap(-1, -1, m_backdrop);
    }

private:
    QPixmap m_backdrop;
};

int g_wake[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_wake[0], &byte, 1);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));
    BareWindow window;
    if (const QScreen *screen = window.screen())
        window.move(0, (screen->geometry().height() - window.height()) / 2);
    window.show();
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_wake) == 0) {
        auto *notifier = new QSocketNotifier(g_wake[1], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app,
                         [] { QCoreApplication::exit(0); });
        std::signal(SIGTERM, onSignal);
    }
    return app.exec();
}
