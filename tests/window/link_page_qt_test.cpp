// The whole job through the Qt window: a click on 执行 links the sample site, and the end
// message is answered as a user would.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "linking/codepage.h"
#include "primitives/files.h"
// moc cannot read the boxes' names; the test class needs nothing from here in its declaration.
#ifndef Q_MOC_RUN
#include "linking/link_page.h"
#include "window/main_window.h"
#endif

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

}  // namespace

class LinkPageQtTest : public QObject {
  Q_OBJECT

 private slots:
  void aClickLinksTheSampleSite() {
    const QString fixtures = QStringLiteral(PAGELINK_FIXTURES);
    QTemporaryDir site;
    QVERIFY(site.isValid());
    for (const QString& page : QDir(fixtures + "/site").entryList(QDir::Files)) {
      QVERIFY(QFile::copy(fixtures + "/site/" + page, site.filePath(page)));
    }
    pagelink::FixRunDirectory(pagelink::Utf8ToGbk(site.path().toStdString()));
    const std::unique_ptr<pagelink::Window> window = pagelink::MakeMainWindow();
    window->BindClick([&window] { pagelink::LinkPage(*window); });

    // The end message is open while the click is being handled; answer it from the loop.
    QString seen;
    QTimer answer;
    connect(&answer, &QTimer::timeout, [&seen] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      seen = box->windowTitle() + "|" + box->text();
      box->buttons().first()->click();
    });
    answer.start(10);
    QPushButton* button = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (button == nullptr) button = top->findChild<QPushButton*>(QStringLiteral("按钮1"));
    }
    QVERIFY(button != nullptr);
    QTest::mouseClick(button, Qt::LeftButton);

    QCOMPARE(seen, QStringLiteral("信息：|已经循环完毕"));
    for (const char* page : {"2.html", "3.html", "4.html"}) {
      QCOMPARE(ReadAll(site.filePath(page)), ReadAll(fixtures + "/linked/" + page));
    }
    for (const char* page : {"1.html", "5.html"}) {
      QCOMPARE(ReadAll(site.filePath(page)), ReadAll(fixtures + "/site/" + page));
    }
    QCOMPARE(QString::fromStdString(window->GetControlText(pagelink::Box::编辑框2)),
             QStringLiteral("5"));
  }
};

QTEST_MAIN(LinkPageQtTest)
#include "link_page_qt_test.moc"
