#pragma once
// The chat window: owns the knowledge, the conversation's state, the voice and every
// control, and wires the controls' events to the plain logic of the other folders.

#include "conversation/ChatCommands.h"
#include "conversation/IdlePrompter.h"
#include "conversation/RobotText.h"
#include "knowledge/KnowledgeBase.h"

#include <QMessageBox>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class Backdrop;
class ChatTextBox;
class Clock;
class Decoration;
class GlyphLabel;
class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class RandomSource;
class Speaker;
class TeachingList;

// Everything the window asks of the world, so tests can answer in its place.
struct FrmMainSeams
{
    Clock *clock = nullptr;
    RandomSource *random = nullptr;
    Speaker *speaker = nullptr; // none: the window makes its own voice
    // Asks for a line of text; nothing when the user cancels.
    std::function<std::optional<QString>(const QString &title, const QString &prompt,
                                         const QString &defaultText)>
        askText;
    // Shows a message box and returns the button pressed.
    std::function<QMessageBox::StandardButton(QMessageBox::Icon, const QString &title,
                                              const QString &prompt, QMessageBox::StandardButtons)>
        showMessage;
    std::function<void(const QUrl &)> openUrl;
};

class FrmMain : public QWidget
{
    Q_OBJECT

public:
    explicit FrmMain(const QString &dataDirectory, FrmMainSeams seams = {},
                     QWidget *parent = nullptr);
    ~FrmMain() override;

    // The start-up sequence: first-run seeding, loading, greeting, window set-up. False when
    // the program cannot go on (the user has been told why).
    bool start();

    const KnowledgeBase &knowledge() const { return m_knowledge; }
    QString dataPath() const { return m_dataPath; }
    QString pendingMessage() const { return m_pendingMessage; }
    QString lastReply() const { return m_lastReply; }
    qint64 sentCount() const { return m_sentCount; }
    int idleTicks() const { return m_idlePrompter.ticks(); }
    bool teachingMode() const;
    const TeachingList &teachingList() const { return *m_teachingList; }

    // Timer ticks, called by the timers (and directly by tests).
    void replyTick();
    void idleTick();

    // The one way the robot says anything.
    void robotSay(const QString &text, RobotText::ReplyKind kind);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildTeachingPanel();
    void applyFonts();
    void setStackingAndTabOrder();
    void setUpWindow();
    void fillProfileLabels();

    bool seedKnowledgeFile();
    std::optional<QString> askUserName();
    bool initialize();
    void reportUnreadable(const QString &reason);

    void send();
    void runCommand(ChatCommand command);
    void enterTeaching();
    void leaveTeaching();
    void commitEntry();
    void showList();
    void lookUpKeyword();
    void pickEntry(const QModelIndex &index);

    void setLabelText(QLabel *label, const QString &text);
    void appendTranscript(const QString &text);
    void setTeachPanelTop(int twips);
    QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString &title,
                                        const QString &prompt,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);

    // The world
    FrmMainSeams m_seams;
    std::unique_ptr<Clock> m_ownClock;
    std::unique_ptr<RandomSource> m_ownRandom;
    std::unique_ptr<Speaker> m_ownSpeaker;

    // Fixed texts and the conversation's state
    QStringList m_robotProfile;
    QStringList m_statusTexts;
    QString m_dataPath;
    KnowledgeBase m_knowledge;
    QString m_pendingMessage;
    QString m_lastReply;
    qint64 m_sentCount = 0;
    IdlePrompter m_idlePrompter;
    TeachingList *m_teachingList = nullptr;

    // Controls
    Backdrop *m_picTalk = nullptr;
    QListView *m_listDate = nullptr;
    QWidget *m_picTeach = nullptr;
    QPushButton *m_cmdSend = nullptr;
    QPushButton *m_cmdTeach = nullptr;
    ChatTextBox *m_txtSend = nullptr;
    ChatTextBox *m_txtTalk = nullptr;
    QLabel *m_labRevise = nullptr;
    Decoration *m_shapeHead = nullptr;
    Decoration *m_glyphLines = nullptr;
    GlyphLabel *m_labClose = nullptr;
    GlyphLabel *m_labMin = nullptr;
    QLabel *m_imgPortrait = nullptr;
    QLabel *m_labRemark = nullptr;
    QLabel *m_labRemarks = nullptr;
    QLabel *m_labSmartWord = nullptr;
    QLabel *m_labAuthor = nullptr;
    QLabel *m_labFrom = nullptr;
    QLabel *m_labBirth = nullptr;
    QLabel *m_labSex = nullptr;
    QLabel *m_labRTip = nullptr;
    QLabel *m_labRName = nullptr;
    QLabel *m_labStatus = nullptr;
    QPushButton *m_cmdEdit[4] = {}; // 1 commit, 2 leave, 3 show the list
    QLineEdit *m_txtTeach[3] = {};  // 1 keyword, 2 replies
    QLabel *m_labTip = nullptr;
    QLabel *m_labTip1 = nullptr;
    QLabel *m_labTip2 = nullptr;
    QTimer *m_timerActive = nullptr;
    QTimer *m_timerRevert = nullptr;
};
