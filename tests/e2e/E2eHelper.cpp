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
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() == 3 && args[1] == QLatin1String("target")) {
    QPlainTextEdit editor;
    editor.setWindowTitle(QStringLiteral("Pellimore E2E Target"));
    editor.setGeometry(40, 40, 320, 120);
    QObject::connect(&editor, &QPlainTextEdit::textChanged, [&editor, path = args[2]] {
      QSaveFile file(path);
      if (file.open(QIODevice::WriteOnly)) {
        file.write(editor.toPlainText().toUtf8());
        file.commit();
      }
    });
    editor.show();
    return QApplication::exec();
  }
  const bool hint = args.size() == 4 && args[2] == QLatin1String("--hint");
  if ((args.size() != 3 && !hint) || args[1] != QLatin1String("copy")) {
    (void)std::fputs("usage: pellimore_e2e_helper target FILE | copy [--hint] TEXT\n", stderr);
    return 2;
  }
  auto* mime = new QMimeData;
  mime->setText(args.last());
  if (hint) {
    mime->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArray("secret"));
  }
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setMimeData(mime, QClipboard::Clipboard);
  QObject::connect(clipboard, &QClipboard::dataChanged, [clipboard] {
    if (!clipboard->ownsClipboard()) {
      QApplication::quit();
    }
  });
  QTimer::singleShot(60000, &application, &QApplication::quit);
  (void)std::puts("serving");
  std::fflush(stdout);
  return QApplication::exec();
}
