// The popup's scrolling list: section titles and rows as HistoryView presents
// them, drawn in one widget (a history holds at most a few hundred rows). It
// follows the pointer for hover, turns clicks into the row's actions, shows
// the buttons' tooltips and centres the selected row.
#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/Clock.h"
#include "platform/linux/ui/AccessibleListSource.h"
#include "views/AccessibleRow.h"
#include "views/ClipRow.h"
#include "views/HistoryLayout.h"

class HistoryView;
class QPainter;
class QPropertyAnimation;
class QScrollArea;
struct ShortcutTexts;

class HistoryListWidget : public QWidget, public AccessibleListSource {
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
  ~HistoryListWidget() override;

  /// Reads the rows and section titles again and lays them out, at the width
  /// the list will have once the scroll area has placed it.
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

  /// Tells assistive technology, when it reads the list, that the selection
  /// moved onto the row of `id`.
  void selectionMoved(const Uuid& id);
  /// Tells it that the focus is on the selected row of `id`.
  void focusRow(const Uuid& id);
  /// Tells it that the row of `id` now says something else.
  void rowRenamed(const Uuid& id);
  void setSpokenTexts(HistoryLayout::Spoken spoken) { spoken_ = std::move(spoken); }
  /// Whether the selection, moved by a key in the search field, takes the
  /// focus there; typing gives it back to the field.
  void setSelectionFocused(bool focused) { selectionFocused_ = focused; }

  // What the list's accessible interface reads of it.
  QWidget& widget() override { return *this; }
  std::vector<Key> keys() const override;
  std::optional<QString> headingTitle(const Uuid& id) const override;
  bool isListed(const Uuid& id) const override { return rowFor(id) != nullptr; }
  AccessibleRow accessibleRow(const Uuid& id) override;
  bool isSelected(const Uuid& id) const override;
  QRect screenRect(const Key& key) const override;
  bool isShown(const Key& key) const override;
  bool selectionHasFocus() const override;
  QString listName() const override;
  QString listDescription() const override;
  void perform(const Uuid& id, Action action) override;
  void setObserver(AccessibleListObserver* observer) override { observer_ = observer; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;

 private:
  /// A title's lines at one text width.
  struct TitleLayout {
    double width = 0;
    QStringList lines;
  };

  /// Lays the rows out `listWidth` wide. Stops early and returns false when
  /// `overflowAbove` is given and the rows grow taller than it.
  bool layOut(double listWidth, std::optional<double> overflowAbove);
  const RowGeometry* rowAt(QPointF point) const;
  void hoverAt(std::optional<QPointF> point);
  /// The title lines of `row` at `width`, shaped once per entry and width.
  const QStringList& titleLines(const ClipRow& row, double width);
  void forgetRemovedTitles();
  double trailingWidth(const ClipRow& row) const;
  void layOutTrailing(RowGeometry& geometry) const;
  void paintRow(QPainter& painter, const RowGeometry& geometry);
  void paintChip(QPainter& painter, const ClipRow& row, const QRectF& rect);
  QImage thumbnail(const std::string& path);
  /// The stored image's size, read from its header.
  std::optional<AccessibleRow::PixelSize> imageSize(const std::string& path);
  /// Drops the images kept for a history that has changed since.
  void forgetImagesOfOldHistory();
  /// `rect`, in the list's coordinates, on the screen.
  QRect onScreen(const QRectF& rect) const;

  HistoryView& view_;
  const Clock& clock_;
  const ShortcutTexts& shortcuts_;
  QScrollArea& scrollArea_;
  QPropertyAnimation* scrollAnimation_;
  std::vector<std::optional<std::string_view>> sectionTitles_;
  std::vector<RowGeometry> rows_;
  double contentHeight_ = 0;
  /// The width the rows were laid out for; the widget may still be on its
  /// way there.
  double laidOutWidth_ = -1;
  // Shaping titles is most of a layout's cost, and an entry's title never
  // changes: each is shaped once for each width it is drawn at (the row's
  // trailing controls and the scroll bar change it).
  std::unordered_map<Uuid, std::vector<TitleLayout>> titles_;
  std::optional<std::uint64_t> titlesRevision_;
  // Thumbnails as drawn, dropped whenever the history changes.
  QHash<QString, QImage> thumbnails_;
  QHash<QString, QSize> imageSizes_;
  std::optional<std::uint64_t> imagesRevision_;
  HistoryLayout::Spoken spoken_;
  /// The list's accessible interface, once assistive technology has read
  /// the list; until then nobody is told anything.
  AccessibleListObserver* observer_ = nullptr;
  bool selectionFocused_ = false;
};
