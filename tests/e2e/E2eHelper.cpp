// A small X11 client the end-to-end test drives next to the app:
//   target FILE        a window with a text field that writes what it holds
//                      to FILE on every change (where the app pastes into);
//   copy [--hint] TEXT puts TEXT on the clipboard, with the KDE password
//                      hint when asked, and serves it until another client
//                      takes the clipboard over.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QString>
#include <QTimer>
#include <cstdio>

namespace {

constexpr int copyLifetimeMs = 60000;

int runTarget(const QString& outputPath) {
  QPlainTextEdit editor;
  editor.setWindowTitle(QStringLiteral("Pellimore E2E Target"));
  editor.resize(320, 120);
  editor.move(40, 40);
  QObject::connect(&editor, &QPlainTextEdit::textChanged, [&editor, outputPath] {
    QSaveFile file(outputPath);
    if (file.open(QIODevice::WriteOnly)) {
      file.write(editor.toPlainText().toUtf8());
      file.commit();
    }
  });
  editor.show();
  return QApplication::exec();
}

int runCopy(QApplication& application, const QString& text, bool passwordHint) {
  auto* mime = new QMimeData;
  mime->setText(text);
  if (passwordHint) {
    mime->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArray("secret"));
  }
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setMimeData(mime, QClipboard::Clipboard);
  QObject::connect(clipboard, &QClipboard::dataChanged, [clipboard] {
    if (!clipboard->ownsClipboard()) {
      QApplication::quit();
    }
  });
  QTimer::singleShot(copyLifetimeMs, &application, &QApplication::quit);
  std::puts("serving");
  std::fflush(stdout);
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() == 3 && args[1] == QLatin1String("target")) {
    return runTarget(args[2]);
  }
  if (args.size() == 3 && args[1] == QLatin1String("copy")) {
    return runCopy(application, args[2], false);
  }
  if (args.size() == 4 && args[1] == QLatin1String("copy") && args[2] == QLatin1String("--hint")) {
    return runCopy(application, args[3], true);
  }
  std::fputs("usage: pellimore_e2e_helper target FILE | copy [--hint] TEXT\n", stderr);
  return 2;
}
