// The popup's scrolling list: section titles and rows as HistoryView presents
// them, drawn in one widget (a history holds at most a few hundred rows). It
// follows the pointer for hover, turns clicks into the row's actions, shows
// the buttons' tooltips and centres the selected row.
#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "platform/Clock.h"
#include "views/ClipRow.h"

class HistoryView;
class QPainter;
class QPropertyAnimation;
class QScrollArea;
struct ShortcutTexts;

class HistoryListWidget : public QWidget {
 public:
  /// Where one entry of the list sits, in the widget's coordinates.
  struct RowGeometry {
    std::optional<QString> sectionTitle;
    /// The section title's band above the row; empty without a title.
    QRectF titleRect;
    /// The row's rounded background, which is also its hit area.
    QRectF rowRect;
    /// Its kind label is read when the row is first drawn: counting the
    /// characters of every long text would hold up the list.
    ClipRow row;
    /// The title, at most two lines, the last one elided at the tail.
    QStringList titleLines;
    QRectF pinRect;
    QRectF deleteRect;
  };

  HistoryListWidget(HistoryView& view, const Clock& clock, const ShortcutTexts& shortcuts,
                    QScrollArea& scrollArea);

  /// Reads the rows and section titles again and lays them out.
  void rebuild(const std::vector<std::optional<std::string_view>>& sectionTitles);
  const std::vector<RowGeometry>& rows() const { return rows_; }
  /// The row of `id`, or nothing when it is not listed.
  const RowGeometry* rowFor(const Uuid& id) const;
  /// Scrolls so the row of `id` is centred, clamped to the list's ends;
  /// animated ease-out over the shared scroll time unless `animated` is false.
  void centreRow(const Uuid& id, bool animated);
  /// Hover follows the pointer also when the list scrolls under it.
  void updateHoverFromCursor();

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  const RowGeometry* rowAt(QPointF point) const;
  void hoverAt(std::optional<QPointF> point);
  QStringList titleLines(const std::string& title, double width) const;
  double trailingWidth(const ClipRow& row) const;
  void layOutTrailing(RowGeometry& geometry) const;
  void paintRow(QPainter& painter, const RowGeometry& geometry);
  void paintChip(QPainter& painter, const ClipRow& row, const QRectF& rect);
  QImage thumbnail(const std::string& path);

  HistoryView& view_;
  const Clock& clock_;
  const ShortcutTexts& shortcuts_;
  QScrollArea& scrollArea_;
  QPropertyAnimation* scrollAnimation_;
  std::vector<std::optional<std::string_view>> sectionTitles_;
  std::vector<RowGeometry> rows_;
  double contentHeight_ = 0;
  // Thumbnails as drawn, dropped whenever the history changes.
  QHash<QString, QImage> thumbnails_;
  std::optional<std::uint64_t> thumbnailRevision_;
};
