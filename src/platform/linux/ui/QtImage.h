// An Image the Qt front end can draw: a QImage with the drawing hints the
// core sets (template rendering, size in points).
#pragma once

#include <QImage>
#include <memory>
#include <string>

#include "platform/Image.h"

class QtImage : public Image {
 public:
  explicit QtImage(QImage image);

  /// Null when the file cannot be read as an image (also for Qt resource
  /// paths such as ":/brand/PellimoreMark.png").
  static std::shared_ptr<QtImage> fromFile(const std::string& path);

  void setTemplate(bool isTemplate) override { template_ = isTemplate; }
  void setSize(Size2D size) override { size_ = size; }

  const QImage& image() const { return image_; }
  bool isTemplate() const { return template_; }
  /// The size set by the core, or the image's own size in device-independent
  /// pixels when none was set.
  Size2D size() const;
  /// The image drawn in `color` where it is opaque, for template images.
  QImage tinted(const QColor& color) const;
  /// The opaque shape in `fill` inside a rim of `rim`, about one pixel per
  /// fifteen of the shorter side, so that it stands out on any background.
  /// Larger than the image by the rim on every side.
  QImage outlined(const QColor& fill, const QColor& rim) const;

 private:
  QImage image_;
  bool template_ = false;
  Size2D size_;
};
