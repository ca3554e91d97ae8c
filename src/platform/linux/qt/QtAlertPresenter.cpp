// QMessageBox, brought to the front since the app has no window of its own.
#include "platform/linux/qt/QtAlertPresenter.h"

#include <QMessageBox>

void QtAlertPresenter::runModal(const std::string& messageText,
                                const std::string& informativeText) {
  QMessageBox box;
  box.setIcon(QMessageBox::Information);
  box.setText(QString::fromStdString(messageText));
  box.setInformativeText(QString::fromStdString(informativeText));
  box.setStandardButtons(QMessageBox::Ok);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.activateWindow();
  box.exec();
}
