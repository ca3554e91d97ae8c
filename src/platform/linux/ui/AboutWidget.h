// The About window's content on Linux, drawn from AboutView's content and the
// About metrics: gradient, wordmark (or its text), name, version, tagline, the
// website button and the rights notice.
#pragma once

#include <QWidget>

class AboutView;
class QLabel;
class QPushButton;

class AboutWidget : public QWidget {
 public:
  /// `view` must outlive the widget.
  explicit AboutWidget(AboutView& view, QWidget* parent = nullptr);

  /// Reads the content again (the version follows the bundle as read now).
  void refresh();

  QLabel& wordmark() { return *wordmark_; }
  QLabel& tagline() { return *tagline_; }
  QPushButton& websiteButton() { return *websiteButton_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  AboutView& view_;
  QLabel* wordmark_;
  QLabel* name_;
  QLabel* version_;
  QLabel* tagline_;
  QPushButton* websiteButton_;
  QLabel* rights_;
};
