// A small X11 client the end-to-end test drives next to the app:
//   target FILE        a window with a text field that writes what it holds
//                      to FILE on every change (where the app pastes into);
//   copy [--hint] TEXT puts TEXT on the clipboard, with the KDE password
//                      hint when asked, and serves it until another client
//                      takes the clipboard over;
//   hostile MODE TEXT  takes the clipboard as a badly behaved owner would:
//                      "silent" never answers, "slow" sends TEXT by INCR a
//                      byte every 100 ms, "liar" offers image/png and answers
//                      every target with TEXT.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTimer>
#include <cstdio>

// After Qt: Xlib's macros break Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

namespace {

/// Waits for the event that `matches` accepts, dropping others.
template <typename Matches>
void waitFor(Display* display, XEvent& event, Matches matches) {
  do {
    XNextEvent(display, &event);
  } while (!matches(event));
}

int serveBadly(const QString& mode, const QByteArray& text) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    return 1;
  }
  // A requestor that gave up destroys its window under a slow transfer;
  // carry on as such an owner would.
  XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  const Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
  const Atom targets = XInternAtom(display, "TARGETS", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  const Atom png = XInternAtom(display, "image/png", False);
  const Atom incr = XInternAtom(display, "INCR", False);
  XSetSelectionOwner(display, clipboard, window, CurrentTime);
  if (XGetSelectionOwner(display, clipboard) != window) {
    return 1;
  }
  (void)std::puts("serving");
  (void)std::fflush(stdout);
  if (mode == QLatin1String("silent")) {
    sleep(60);
    return 0;
  }
  for (XEvent event;;) {
    waitFor(display, event,
            [](const XEvent& e) { return e.type == SelectionRequest || e.type == SelectionClear; });
    if (event.type == SelectionClear) {
      return 0;
    }
    const XSelectionRequestEvent request = event.xselectionrequest;
    XSelectionEvent reply{SelectionNotify,
                          0,
                          True,
                          display,
                          request.requestor,
                          request.selection,
                          request.target,
                          request.property,
                          request.time};
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.constData());
    const bool slow = mode == QLatin1String("slow") && request.target == utf8;
    if (request.target == targets) {
      const Atom offered[] = {targets, mode == QLatin1String("liar") ? png : utf8, utf8};
      XChangeProperty(display, request.requestor, request.property, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(offered), 3);
    } else if (slow) {
      const long size = text.size();
      XSelectInput(display, request.requestor, PropertyChangeMask);
      XChangeProperty(display, request.requestor, request.property, incr, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(&size), 1);
    } else {
      XChangeProperty(display, request.requestor, request.property, request.target, 8,
                      PropModeReplace, bytes, static_cast<int>(text.size()));
    }
    XSendEvent(display, request.requestor, False, 0, reinterpret_cast<XEvent*>(&reply));
    XFlush(display);
    // Then one byte for each deletion of the property, and an empty part.
    for (qsizetype sent = 0; slow && sent <= text.size(); ++sent) {
      waitFor(display, event, [&](const XEvent& e) {
        return e.type == PropertyNotify && e.xproperty.window == request.requestor &&
               e.xproperty.state == PropertyDelete;
      });
      usleep(100'000);
      XChangeProperty(display, request.requestor, request.property, utf8, 8, PropModeReplace,
                      bytes + sent, sent < text.size() ? 1 : 0);
      XFlush(display);
    }
  }
}

}  // namespace

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
  if (args.size() == 4 && args[1] == QLatin1String("hostile")) {
    return serveBadly(args[2], args[3].toUtf8());
  }
  const bool hint = args.size() == 4 && args[2] == QLatin1String("--hint");
  if ((args.size() != 3 && !hint) || args[1] != QLatin1String("copy")) {
    (void)std::fputs(
        "usage: pellimore_e2e_helper target FILE | copy [--hint] TEXT | hostile MODE TEXT\n",
        stderr);
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
  (void)std::fflush(stdout);
  return QApplication::exec();
}
