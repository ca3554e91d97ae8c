// The About window's content.
#include "platform/linux/ui/AboutWidget.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "app/AboutMetrics.h"
#include "app/AboutView.h"
#include "app/Brand.h"
#include "platform/linux/ui/QtFont.h"
#include "platform/linux/ui/QtImage.h"
#include "platform/linux/ui/ViewPalette.h"

namespace A = AboutMetrics;

namespace {

QString css(const SrgbColor& srgb) {
  const QColor color = ViewPalette::color(srgb);
  return QStringLiteral("rgba(%1,%2,%3,%4)")
      .arg(color.red())
      .arg(color.green())
      .arg(color.blue())
      .arg(color.alphaF(), 0, 'f', 3);
}

QLabel* styledLabel(const TextStyle& style, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setFont(QtFont::font(style, QtFont::screenDpi()));
  label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(css(style.color)));
  label->setAlignment(Qt::AlignHCenter);
  return label;
}

/// The wordmark as a Qt image: the bundle's own when it is one of ours,
/// otherwise the compiled-in asset of the same name.
QImage wordmarkImage(const std::shared_ptr<Image>& image) {
  if (auto qtImage = std::dynamic_pointer_cast<QtImage>(image))
    return qtImage->image();
  return QImage(QStringLiteral(":/brand/") + QString::fromUtf8(AboutView::wordmarkAsset) +
                QStringLiteral(".png"));
}

}  // namespace

AboutWidget::AboutWidget(AboutView& view, QWidget* parent) : QWidget(parent), view_(view) {
  setFixedSize(static_cast<int>(A::windowSize.width), static_cast<int>(A::windowSize.height));

  auto* stack = new QVBoxLayout(this);
  const int padding = static_cast<int>(A::padding);
  stack->setContentsMargins(padding, padding, padding, padding);
  stack->setSpacing(static_cast<int>(A::stackSpacing));
  stack->addStretch(1);

  wordmark_ = styledLabel(A::wordmarkFallbackStyle, this);
  // The wordmark is a picture of the maker's name.
  wordmark_->setAccessibleName(QtFont::toQString(Brand::company));
  stack->addWidget(wordmark_, 0, Qt::AlignHCenter);

  auto* nameBlock = new QVBoxLayout();
  nameBlock->setSpacing(static_cast<int>(A::nameStackSpacing));
  name_ = styledLabel(A::nameStyle, this);
  version_ = styledLabel(A::versionStyle, this);
  nameBlock->addWidget(name_, 0, Qt::AlignHCenter);
  nameBlock->addWidget(version_, 0, Qt::AlignHCenter);
  stack->addLayout(nameBlock);

  tagline_ = styledLabel(A::taglineStyle, this);
  tagline_->setWordWrap(true);
  tagline_->setContentsMargins(static_cast<int>(A::taglineHorizontalPadding), 0,
                               static_cast<int>(A::taglineHorizontalPadding), 0);
  stack->addWidget(tagline_);

  websiteButton_ = new QPushButton(this);
  websiteButton_->setFont(QtFont::font(A::buttonLabelStyle, QtFont::screenDpi()));
  websiteButton_->setCursor(Qt::PointingHandCursor);
  websiteButton_->setFocusPolicy(Qt::TabFocus);
  websiteButton_->setStyleSheet(
      QStringLiteral("QPushButton { color: %1; background: %2; border: none; border-radius: %3px; "
                     "padding: %4px %5px; }")
          .arg(css(A::buttonLabelStyle.color), css(A::buttonBackground))
          .arg(static_cast<int>(A::buttonCornerRadius))
          .arg(static_cast<int>(A::buttonVerticalPadding))
          .arg(static_cast<int>(A::buttonHorizontalPadding)));
  connect(websiteButton_, &QPushButton::clicked, this, [this] { view_.visitWebsite(); });
  stack->addWidget(websiteButton_, 0, Qt::AlignHCenter);

  rights_ = styledLabel(A::rightsStyle, this);
  stack->addWidget(rights_, 0, Qt::AlignHCenter);
  stack->addStretch(1);
  refresh();
}

void AboutWidget::refresh() {
  const AboutContent content = view_.content();
  const QImage image = content.wordmarkImage ? wordmarkImage(content.wordmarkImage) : QImage();
  if (!image.isNull()) {
    const QSize box(static_cast<int>(A::wordmarkMaxSize.width),
                    static_cast<int>(A::wordmarkMaxSize.height));
    const qreal ratio = devicePixelRatioF();
    QImage scaled = image.deviceIndependentSize().width() <= box.width() &&
                            image.deviceIndependentSize().height() <= box.height()
                        ? image
                        : image.scaled(box * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (scaled.devicePixelRatio() == 1.0 && scaled.size() != image.size())
      scaled.setDevicePixelRatio(ratio);
    wordmark_->setPixmap(QPixmap::fromImage(scaled));
  } else {
    wordmark_->setPixmap(QPixmap());
    wordmark_->setText(QString::fromStdString(content.wordmarkText));
  }
  name_->setText(QString::fromStdString(content.name));
  version_->setText(QString::fromStdString(content.versionLine));
  tagline_->setText(QString::fromStdString(content.tagline));
  websiteButton_->setText(QString::fromStdString(content.buttonLabel));
  rights_->setText(QString::fromStdString(content.rightsNotice));
}

void AboutWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  QLinearGradient background(QPointF(0, 0), QPointF(0, height()));
  background.setColorAt(0, ViewPalette::color(A::backgroundTop));
  background.setColorAt(1, ViewPalette::color(A::backgroundBottom));
  painter.fillRect(rect(), background);
}
