#include <QApplication>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <memory>
#include <optional>

#include "linking/codepage.h"
// moc cannot read the boxes' names; the test class needs nothing from here in its declaration.
#ifndef Q_MOC_RUN
#include "window/main_window.h"
#endif

using pagelink::Box;
using pagelink::Text;

namespace {

constexpr int kMbYesNo = 0x4;
constexpr int kMbOkCancel = 0x1;
constexpr int kMbAbortRetryIgnore = 0x2;
constexpr int kMbYesNoCancel = 0x3;
constexpr int kMbIconError = 0x10;
constexpr int kMbIconWarning = 0x30;
constexpr int kMbDefButton2 = 0x100;

Text Gbk(const char* utf8) { return pagelink::Utf8ToGbk(utf8); }
Text AsText(const QByteArray& bytes) { return Text(bytes.constData(), bytes.size()); }
QByteArray AsBytes(const Text& text) { return QByteArray(text.data(), text.size()); }

// Bytes of every kind a page brings along: 936 characters, GB18030 four-byte codes, the
// three kinds of line end, and bytes that decode to nothing.
QByteArray MixedBytes(std::size_t size) {
  const QByteArray piece = AsBytes(Gbk("中文标题")) + "\r\nab\ncd\r" +
                           QByteArray("\x81\x30\x81\x30\x80\xFF\xA1 <p>", 11);
  QByteArray bytes;
  while (static_cast<std::size_t>(bytes.size()) < size) bytes += piece;
  return bytes.left(static_cast<qsizetype>(size));
}

QWidget* Form() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->windowTitle() == QStringLiteral("循环SEO上下篇") && widget->isVisible()) {
      return widget;
    }
  }
  return nullptr;
}

template <typename Control = QWidget>
Control* ControlNamed(const QString& name) {
  return Form()->findChild<Control*>(name);
}

void Type(QWidget* control, const QString& text) {
  QInputMethodEvent typing;
  typing.setCommitString(text);
  QApplication::sendEvent(control, &typing);
}

void MoveToEnd(QWidget* control) {
  if (qobject_cast<QLineEdit*>(control) != nullptr) {
    QTest::keyClick(control, Qt::Key_End);
  } else {
    QTest::keyClick(control, Qt::Key_End, Qt::ControlModifier);
  }
}

// A click that waits in the queue until events are next processed.
void PostClick(QWidget* control) {
  const QPointF at = control->rect().center();
  const QPointF global = control->mapToGlobal(at);
  QCoreApplication::postEvent(
      control, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                               Qt::NoModifier));
  QCoreApplication::postEvent(
      control, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                               Qt::NoModifier));
}

// A click as the window system delivers it, so that modal blocking applies.
void ClickThroughWindowSystem(QWidget* control) {
  QWindow* window = Form()->windowHandle();
  const QPoint at = control->mapTo(Form(), control->rect().center());
  QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = pagelink::MakeMainWindow();
    QVERIFY(QTest::qWaitForWindowActive(Form()));
  }

  void cleanup() {
    window_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void comesUpCentredWithAFixedFrame() {
    QWidget* form = Form();
    QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1024, 768));
    QCOMPARE(form->frameGeometry(), QRect(125, 171, 774, 425));
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(form->windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!form->windowIcon().isNull());
  }

  void controlsStartWithTheirPlacesAndTexts_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("multi_line");
    QTest::addColumn<QByteArray>("initial");
    QTest::newRow("编辑框1") << 0 << QRect(168, 80, 400, 192) << true << true << QByteArray();
    QTest::newRow("编辑框2") << 1 << QRect(72, 208, 32, 48) << true << false << QByteArray("2");
    QTest::newRow("编辑框3") << 2 << QRect(24, 104, 120, 40) << true << false << QByteArray();
    QTest::newRow("编辑框4") << 3 << QRect(24, 160, 120, 40) << true << false << QByteArray();
    QTest::newRow("编辑框5") << 4 << QRect(16, 288, 152, 88) << false << true << QByteArray();
    QTest::newRow("编辑框6") << 5 << QRect(184, 296, 248, 72) << false << true << QByteArray();
  }

  void controlsStartWithTheirPlacesAndTexts() {
    QFETCH(int, box);
    QFETCH(QRect, place);
    QFETCH(bool, visible);
    QFETCH(bool, multi_line);
    QFETCH(QByteArray, initial);
    QWidget* control = ControlNamed(QString::fromUtf8(QTest::currentDataTag()));
    QVERIFY(control != nullptr);
    QCOMPARE(control->geometry(), place);
    QCOMPARE(control->isVisible(), visible);
    QCOMPARE(qobject_cast<QPlainTextEdit*>(control) != nullptr, multi_line);
    QVERIFY(control->isEnabled());
    QVERIFY(control->focusPolicy() & Qt::TabFocus);
    QCOMPARE(AsBytes(window_->GetControlText(static_cast<Box>(box))), initial);
  }

  void buttonIsAPlainPushButton() {
    auto* button = ControlNamed<QPushButton>(QStringLiteral("按钮1"));
    QVERIFY(button != nullptr);
    QCOMPARE(button->geometry(), QRect(592, 112, 136, 112));
    QCOMPARE(button->text(), QStringLiteral("执行"));
    QVERIFY(!button->isDefault());
    QVERIFY(!button->autoDefault());
  }

  void boxesGiveBackExactlyTheBytesPutIn_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("100 000 bytes into 编辑框1 past its typing limit") << 0 << MixedBytes(100000);
    QTest::newRow("100 000 bytes into the hidden 编辑框5") << 4 << MixedBytes(100000);
    QTest::newRow("line ends and 936 characters, single-line 编辑框2") << 1 << MixedBytes(60);
    QTest::newRow("line ends and 936 characters, single-line 编辑框4") << 3 << MixedBytes(60);
    QTest::newRow("line ends and 936 characters, multi-line 编辑框6") << 5 << MixedBytes(60);
    QTest::newRow("one stray lead byte, 编辑框3") << 2 << QByteArray("\xA1");
  }

  void boxesGiveBackExactlyTheBytesPutIn() {
    QFETCH(int, box);
    QFETCH(QByteArray, bytes);
    window_->SetControlText(static_cast<Box>(box), AsText(bytes));
    QCOMPARE(AsBytes(window_->GetControlText(static_cast<Box>(box))), bytes);
    // Drawing the new text must not feed back into the content.
    window_->ProcessEvents();
    QCOMPARE(AsBytes(window_->GetControlText(static_cast<Box>(box))), bytes);
    window_->SetControlText(static_cast<Box>(box), Text());
    QCOMPARE(AsBytes(window_->GetControlText(static_cast<Box>(box))), QByteArray());
  }

  void visibleBoxesShowTheContentDecoded() {
    window_->SetControlText(Box::编辑框3, Gbk("上一篇：中文标题"));
    window_->SetControlText(Box::编辑框1, Gbk("第一行\r\n第二行"));
    QCOMPARE(ControlNamed<QLineEdit>(QStringLiteral("编辑框3"))->text(),
             QStringLiteral("上一篇：中文标题"));
    QCOMPARE(ControlNamed<QPlainTextEdit>(QStringLiteral("编辑框1"))->toPlainText(),
             QStringLiteral("第一行\n第二行"));
  }

  void typingReplacesTheContent_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("a page number into 编辑框2")
        << 1 << QByteArray("2") << QStringLiteral("7") << QByteArray("27");
    QTest::newRow("Chinese into 编辑框3 becomes 936")
        << 2 << AsBytes(Gbk("标题")) << QStringLiteral("页") << AsBytes(Gbk("标题页"));
    QTest::newRow("a character 936 lacks becomes a four-byte code")
        << 2 << QByteArray("a") << QStringLiteral("©") << QByteArray("a\x81\x30\x84\x38");
    QTest::newRow("a line break follows the content's LF")
        << 0 << QByteArray("a\nb") << QStringLiteral("\n") << QByteArray("a\nb\n");
    QTest::newRow("a line break follows the content's CR LF")
        << 0 << QByteArray("a\r\nb") << QStringLiteral("\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("a line break into a box without one is CR LF")
        << 0 << QByteArray("ab") << QStringLiteral("\n") << QByteArray("ab\r\n");
  }

  void typingReplacesTheContent() {
    QFETCH(int, box);
    QFETCH(QByteArray, before);
    QFETCH(QString, typed);
    QFETCH(QByteArray, after);
    window_->SetControlText(static_cast<Box>(box), AsText(before));
    const QString name = QStringLiteral("编辑框%1").arg(box + 1);
    QWidget* control = ControlNamed(name);
    control->setFocus();
    MoveToEnd(control);
    if (typed == QStringLiteral("\n")) {
      QTest::keyClick(control, Qt::Key_Return);
    } else {
      Type(control, typed);
    }
    QCOMPARE(AsBytes(window_->GetControlText(static_cast<Box>(box))), after);
  }

  void typingLimitBoundsOnlyTheUser() {
    QWidget* control = ControlNamed(QStringLiteral("编辑框1"));
    control->setFocus();
    window_->SetControlText(Box::编辑框1, Text(9998, 'a'));
    MoveToEnd(control);
    Type(control, QStringLiteral("b"));
    Type(control, QStringLiteral("c"));
    QCOMPARE(window_->GetControlText(Box::编辑框1), Text(9998, 'a') + "b");
    // Text put in past the limit stays whole; the user can shorten it but not lengthen it.
    window_->SetControlText(Box::编辑框1, Text(100000, 'a'));
    MoveToEnd(control);
    Type(control, QStringLiteral("x"));
    QCOMPARE(window_->GetControlText(Box::编辑框1), Text(100000, 'a'));
    window_->ProcessEvents();
    QTest::keyClick(control, Qt::Key_Backspace);
    QCOMPARE(window_->GetControlText(Box::编辑框1), Text(99999, 'a'));
  }

  void escapeClosesTheWindowFromAnyControl_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Esc in 编辑框1") << QStringLiteral("编辑框1") << 0 << true;
    QTest::newRow("Esc in 编辑框2") << QStringLiteral("编辑框2") << 0 << true;
    QTest::newRow("Esc on 按钮1") << QStringLiteral("按钮1") << 0 << true;
    QTest::newRow("Ctrl+Esc") << QStringLiteral("编辑框1") << int(Qt::ControlModifier) << false;
    QTest::newRow("Shift+Esc") << QStringLiteral("编辑框1") << int(Qt::ShiftModifier) << false;
    QTest::newRow("Alt+Esc") << QStringLiteral("编辑框2") << int(Qt::AltModifier) << false;
  }

  void escapeClosesTheWindowFromAnyControl() {
    QFETCH(QString, control);
    QFETCH(int, modifiers);
    QFETCH(bool, closes);
    QPointer<QWidget> form = Form();
    QTest::keyClick(ControlNamed(control), Qt::Key_Escape,
                    Qt::KeyboardModifiers::fromInt(modifiers));
    QCOMPARE(!form->isVisible(), closes);
  }

  void enterNeitherClicksNorMovesTheFocus_data() {
    QTest::addColumn<QString>("control");
    QTest::newRow("编辑框2") << QStringLiteral("编辑框2");
    QTest::newRow("按钮1 with the focus") << QStringLiteral("按钮1");
  }

  void enterNeitherClicksNorMovesTheFocus() {
    QFETCH(QString, control);
    int clicks = 0;
    window_->BindClick([&clicks] { ++clicks; });
    QWidget* focused = ControlNamed(control);
    focused->setFocus();
    QTest::keyClick(focused, Qt::Key_Return);
    QTest::keyClick(focused, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(clicks, 0);
    QCOMPARE(QApplication::focusWidget(), focused);
    QCOMPARE(window_->GetControlText(Box::编辑框2), Text("2"));
  }

  void tabMovesTheFocusAmongVisibleControls() {
    ControlNamed(QStringLiteral("编辑框1"))->setFocus();
    QStringList forward;
    for (int i = 0; i < 5; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      forward << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(forward, QStringList({"编辑框2", "编辑框3", "编辑框4", "按钮1", "编辑框1"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("按钮1"));
  }

  void processEventsNeverWaits() {
    bool fired = false;
    QTimer::singleShot(60000, [&fired] { fired = true; });
    QElapsedTimer clock;
    clock.start();
    window_->ProcessEvents();
    QVERIFY2(clock.elapsed() < 2000, "ProcessEvents waited");
    QVERIFY(!fired);
  }

  void processEventsDeliversTypingAndRunsAClickNested() {
    auto* button = ControlNamed<QPushButton>(QStringLiteral("按钮1"));
    QStringList steps;
    int depth = 0;
    window_->BindClick([&] {
      ++depth;
      steps << QStringLiteral("begin %1").arg(depth);
      if (depth == 1) {
        Type(ControlNamed(QStringLiteral("编辑框2")), QStringLiteral("9"));  // before the "2"
        PostClick(button);
        steps << QStringLiteral("page %1").arg(
            QString::fromStdString(window_->GetControlText(Box::编辑框2)));
        window_->ProcessEvents();
      }
      steps << QStringLiteral("end %1").arg(depth);
      --depth;
    });
    ClickThroughWindowSystem(button);
    QCOMPARE(steps, QStringList({"begin 1", "page 92", "begin 2", "end 2", "end 1"}));
  }

  void showMessageIsATaskModalBoxWithoutOwner_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<std::optional<Text>>("caption");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<int>("result");
    QTest::newRow("the end message")
        << 0 << std::optional<Text>() << QStringLiteral("确定") << QStringLiteral("信息：")
        << int(QMessageBox::NoIcon) << QStringList({"确定"}) << 0;
    QTest::newRow("yes/no with the error icon, No")
        << (kMbYesNo | kMbIconError) << std::optional<Text>(Gbk("标题")) << QStringLiteral("否")
        << QStringLiteral("标题") << int(QMessageBox::Critical) << QStringList({"是", "否"}) << 6;
    QTest::newRow("abort/retry/ignore, Ignore")
        << (kMbAbortRetryIgnore | kMbIconWarning) << std::optional<Text>() << QStringLiteral("忽略")
        << QStringLiteral("信息：") << int(QMessageBox::Warning)
        << QStringList({"中止", "重试", "忽略"}) << 4;
    QTest::newRow("ok/cancel, Enter takes the second as default")
        << (kMbOkCancel | kMbDefButton2) << std::optional<Text>() << QStringLiteral("<Enter>")
        << QStringLiteral("信息：") << int(QMessageBox::NoIcon) << QStringList({"确定", "取消"})
        << 1;
    QTest::newRow("yes/no/cancel, Esc is Cancel")
        << kMbYesNoCancel << std::optional<Text>() << QStringLiteral("<Esc>")
        << QStringLiteral("信息：") << int(QMessageBox::NoIcon) << QStringList({"是", "否", "取消"})
        << 1;
  }

  void showMessageIsATaskModalBoxWithoutOwner() {
    QFETCH(int, style);
    QFETCH(std::optional<Text>, caption);
    QFETCH(QString, answer);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(QStringList, buttons);
    QFETCH(int, result);
    int clicks = 0;
    window_->BindClick([&clicks] { ++clicks; });
    struct Seen {
      QString title, text;
      int icon = -1;
      QStringList buttons;
      bool owned = true;
      Qt::WindowModality modality = Qt::NonModal;
    } seen;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      seen = {
          box->windowTitle(),   box->text(), int(box->icon()), {}, box->parentWidget() != nullptr,
          box->windowModality()};
      for (QAbstractButton* button : box->buttons()) seen.buttons << button->text();
      ClickThroughWindowSystem(ControlNamed(QStringLiteral("按钮1")));
      if (answer == QStringLiteral("<Enter>")) {
        QTest::keyClick(box, Qt::Key_Return);
      } else if (answer == QStringLiteral("<Esc>")) {
        QTest::keyClick(box, Qt::Key_Escape);
      } else {
        for (QAbstractButton* button : box->buttons()) {
          if (button->text() == answer) button->click();
        }
      }
    });
    QCOMPARE(window_->ShowMessage(Gbk("已经循环完毕"), style, caption), result);
    QCOMPARE(seen.title, title);
    QCOMPARE(seen.text, QStringLiteral("已经循环完毕"));
    QCOMPARE(seen.icon, icon);
    QCOMPARE(seen.buttons, buttons);
    QVERIFY(!seen.owned);
    QCOMPARE(seen.modality, Qt::ApplicationModal);
    QCOMPARE(clicks, 0);
    QVERIFY(Form()->isVisible());
  }

  // Run as a child process: the program's start-up with a scripted user.
  void processEndsWithItsExitCode_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("exit_code");
    QTest::addColumn<QString>("error_box");
    QTest::newRow("closed while idle") << QStringLiteral("close-when-idle") << 0 << QString();
    QTest::newRow("closed by Esc while a run is inside ProcessEvents")
        << QStringLiteral("close-during-run") << 255
        << QStringLiteral("错误|窗口已关闭，无法继续：编辑框1|critical|确定|no owner");
    QTest::newRow("out of memory in a run")
        << QStringLiteral("out-of-memory") << 255
        << QStringLiteral("错误|内存不足，无法继续。|critical|确定|no owner");
  }

  void processEndsWithItsExitCode() {
    QFETCH(QString, script);
    QFETCH(int, exit_code);
    QFETCH(QString, error_box);
    QProcess program;
    program.start(QStringLiteral(PAGELINK_START_UP_DRIVER), {script});
    QVERIFY(program.waitForFinished(60000));
    const QString output = QString::fromUtf8(program.readAllStandardOutput()).trimmed();
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(output, error_box);
    QCOMPARE(program.exitCode(), exit_code);
  }

 private:
  std::unique_ptr<pagelink::Window> window_;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_qt_test.moc"
