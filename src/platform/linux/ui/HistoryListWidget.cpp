// Drawing and pointer handling of the history list.
#include "platform/linux/ui/HistoryListWidget.h"

#include <QEasingCurve>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextLayout>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "history/ClipboardStore.h"
#include "platform/linux/ui/AccessibleListObserver.h"
#include "platform/linux/ui/QtFont.h"
#include "platform/linux/ui/SymbolIcon.h"
#include "platform/linux/ui/ViewPalette.h"
#include "views/HistoryView.h"
#include "views/ViewMetrics.h"

namespace M = ViewMetrics;

namespace {

// Hit areas of the trailing buttons reach a little beyond their symbols.
constexpr double buttonSlop = 3;

}  // namespace

HistoryListWidget::HistoryListWidget(HistoryView& view, const Clock& clock,
                                     const ShortcutTexts& shortcuts, QScrollArea& scrollArea)
    : view_(view),
      clock_(clock),
      shortcuts_(shortcuts),
      scrollArea_(scrollArea),
      scrollAnimation_(new QPropertyAnimation(scrollArea.verticalScrollBar(), "value", this)) {
  setMouseTracking(true);
  // Reached with Tab from the search field; the keys are the card's.
  setFocusPolicy(Qt::TabFocus);
  setAttribute(Qt::WA_Hover);
  scrollAnimation_->setDuration(static_cast<int>(M::scrollAnimationSeconds * 1000));
  scrollAnimation_->setEasingCurve(QEasingCurve::OutCubic);
}

HistoryListWidget::~HistoryListWidget() {
  if (observer_)
    observer_->sourceDestroyed();
}

QSize HistoryListWidget::sizeHint() const {
  return {static_cast<int>(M::cardWidth), static_cast<int>(std::ceil(contentHeight_))};
}

namespace {

// Lays `text` out in at most the title's lines, the last one elided at the
// tail; `whole` tells whether they show all of it.
QStringList layOutTitle(QString text, const QFont& font, double width, bool& whole) {
  text.replace(QLatin1Char('\n'), QChar::LineSeparator);
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  QStringList lines;
  whole = true;
  layout.beginLayout();
  for (int i = 0; i < M::rowTitleMaxLines; ++i) {
    QTextLine line = layout.createLine();
    if (!line.isValid())
      break;
    line.setLineWidth(width);
    const bool last = i == M::rowTitleMaxLines - 1;
    const int end = line.textStart() + line.textLength();
    if (last && end < text.size()) {
      // More text follows: the last line takes the rest, cut at the tail.
      QString rest = text.mid(line.textStart());
      rest.replace(QChar::LineSeparator, QLatin1Char(' '));
      lines << QFontMetricsF(font).elidedText(rest, Qt::ElideRight, width);
      whole = lines.last() == rest;
      break;
    }
    QString piece = text.mid(line.textStart(), line.textLength());
    piece.remove(QChar::LineSeparator);
    lines << piece.trimmed();
  }
  layout.endLayout();
  if (lines.isEmpty())
    lines << QString();
  return lines;
}

}  // namespace

const QStringList& HistoryListWidget::titleLines(const ClipRow& row, double width) {
  std::vector<TitleLayout>& layouts = titles_[row.id];
  for (const TitleLayout& layout : layouts) {
    if (layout.width == width)
      return layout.lines;
  }
  // A row has a few widths at most (with or without its shortcut label or
  // pin, beside the scroll bar or not); more would mean the list keeps
  // changing width, and then the oldest are the least likely to come back.
  constexpr std::size_t widthsKept = 6;
  if (layouts.size() == widthsKept)
    layouts.erase(layouts.begin());

  const QFont font = QtFont::screenFont(M::rowTitleFont);
  const QString text = QString::fromStdString(row.title);
  // Two lines show a few hundred characters at most, and shaping all of a
  // long title for its elision would cost more than the rest of the list.
  // Only when its start fits the lines whole does the full title decide.
  constexpr qsizetype shaped = 256;
  bool whole = true;
  QStringList lines;
  if (text.size() > shaped)
    lines = layOutTitle(text.left(shaped), font, width, whole);
  if (whole)
    lines = layOutTitle(text, font, width, whole);
  layouts.push_back({width, std::move(lines)});
  return layouts.back().lines;
}

void HistoryListWidget::forgetRemovedTitles() {
  if (titlesRevision_ == view_.store().revision())
    return;
  titlesRevision_ = view_.store().revision();
  std::unordered_set<Uuid> present;
  for (const ClipboardItem& item : view_.store().items())
    present.insert(item.id);
  std::erase_if(titles_, [&present](const auto& entry) { return !present.count(entry.first); });
}

double HistoryListWidget::trailingWidth(const ClipRow& row) const {
  std::vector<double> widths;
  if (row.quickPasteLabel) {
    widths.push_back(QFontMetricsF(QtFont::screenFont(M::quickPasteFont))
                         .horizontalAdvance(QString::fromStdString(*row.quickPasteLabel)));
  }
  if (row.pinButton)
    widths.push_back(SymbolIcon::side(M::pinFont.size));
  if (row.deleteButton)
    widths.push_back(SymbolIcon::side(M::deleteFont.size));
  double total = 0;
  for (double width : widths)
    total += width;
  if (!widths.empty())
    total += M::trailingSpacing * static_cast<double>(widths.size() - 1);
  return total;
}

void HistoryListWidget::layOutTrailing(RowGeometry& geometry) const {
  const QRectF content = geometry.rowRect.adjusted(M::rowInsets.leading, M::rowInsets.top,
                                                   -M::rowInsets.trailing, -M::rowInsets.bottom);
  double right = content.right();
  const double middle = content.center().y();
  if (geometry.row.deleteButton) {
    const double side = SymbolIcon::side(M::deleteFont.size);
    geometry.deleteRect = QRectF(right - side, middle - side / 2, side, side);
    right -= side + M::trailingSpacing;
  }
  if (geometry.row.pinButton) {
    const double side = SymbolIcon::side(M::pinFont.size);
    geometry.pinRect = QRectF(right - side, middle - side / 2, side, side);
  }
}

void HistoryListWidget::rebuild(const std::vector<std::optional<std::string_view>>& sectionTitles) {
  sectionTitles_ = sectionTitles;
  forgetRemovedTitles();
  // Rows that overflow the viewport make the scroll bar appear, and it
  // narrows the list. Rather than lay every row out at this width and again
  // at that one, lay them out narrower at once when even rows of the least
  // height overflow, and otherwise give up as soon as they do. Whether the
  // bar is there shows in the list's width: a hidden scroll area widens the
  // list when its rows shrink, but leaves its bar as it was.
  const QSize viewport = scrollArea_.maximumViewportSize();
  const double narrower = viewport.width() - scrollArea_.verticalScrollBar()->sizeHint().width();
  const auto rows = static_cast<double>(view_.filtered().size());
  const double leastHeight = M::listInsets.top +
                             rows * (M::rowInsets.top + M::chipSize + M::rowInsets.bottom) +
                             std::max(0.0, rows - 1) * M::listSpacing + M::listInsets.bottom;
  if (width() < viewport.width()) {
    layOut(width(), std::nullopt);
  } else if (std::ceil(leastHeight) > viewport.height() || !layOut(width(), viewport.height())) {
    layOut(narrower, std::nullopt);
  }
  setMinimumHeight(static_cast<int>(std::ceil(contentHeight_)));
  updateGeometry();
  update();
  if (observer_)
    observer_->rowsChanged();
}

bool HistoryListWidget::layOut(double listWidth, std::optional<double> overflowAbove) {
  rows_.clear();
  laidOutWidth_ = listWidth;
  const std::vector<const ClipboardItem*>& items = view_.filtered();
  const TimePoint now = clock_.now();
  const double rowWidth = listWidth - M::listInsets.leading - M::listInsets.trailing;
  const QFontMetricsF titleMetrics(QtFont::screenFont(M::rowTitleFont));
  const QFontMetricsF metaMetrics(QtFont::screenFont(M::metadataFont));
  const QFontMetricsF sectionMetrics(QtFont::screenFont(M::sectionHeaderFont));

  double y = M::listInsets.top;
  rows_.reserve(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (overflowAbove && std::ceil(y + M::listInsets.bottom) > *overflowAbove)
      return false;
    RowGeometry geometry;
    if (i < sectionTitles_.size() && sectionTitles_[i]) {
      geometry.sectionTitle = QtFont::toQString(*sectionTitles_[i]);
      const double height =
          M::sectionHeaderInsets.top + sectionMetrics.height() + M::sectionHeaderInsets.bottom;
      geometry.titleRect = QRectF(M::listInsets.leading, y, rowWidth, height);
      y += height + M::listSpacing;
    }
    geometry.row = view_.row(i, now, shortcuts_, /*withKindLabel=*/false);
    // Chip, gap, text, gap, the spacer's minimum, gap, trailing controls.
    const double textWidth =
        std::max(40.0, rowWidth - M::rowInsets.leading - M::rowInsets.trailing - M::chipSize -
                           3 * M::rowSpacing - M::rowSpacerMinLength - trailingWidth(geometry.row));
    geometry.titleLines = titleLines(geometry.row, textWidth);
    const double textHeight =
        titleMetrics.lineSpacing() * static_cast<double>(geometry.titleLines.size()) +
        M::rowTextSpacing + metaMetrics.height();
    const double height =
        M::rowInsets.top + std::max(M::chipSize, textHeight) + M::rowInsets.bottom;
    geometry.rowRect = QRectF(M::listInsets.leading, y, rowWidth, height);
    layOutTrailing(geometry);
    y += height + M::listSpacing;
    rows_.push_back(std::move(geometry));
  }
  if (!rows_.empty())
    y -= M::listSpacing;
  contentHeight_ = y + M::listInsets.bottom;
  return !overflowAbove || std::ceil(contentHeight_) <= *overflowAbove;
}

const HistoryListWidget::RowGeometry* HistoryListWidget::rowFor(const Uuid& id) const {
  for (const RowGeometry& geometry : rows_) {
    if (geometry.row.id == id)
      return &geometry;
  }
  return nullptr;
}

const HistoryListWidget::RowGeometry* HistoryListWidget::rowAt(QPointF point) const {
  for (const RowGeometry& geometry : rows_) {
    if (geometry.rowRect.contains(point))
      return &geometry;
  }
  return nullptr;
}

void HistoryListWidget::centreRow(const Uuid& id, bool animated) {
  const RowGeometry* geometry = rowFor(id);
  if (!geometry)
    return;
  QScrollBar* bar = scrollArea_.verticalScrollBar();
  const double viewport = scrollArea_.viewport()->height();
  const int target =
      std::clamp(static_cast<int>(std::lround(geometry->rowRect.center().y() - viewport / 2)),
                 bar->minimum(), bar->maximum());
  scrollAnimation_->stop();
  if (!animated || target == bar->value()) {
    bar->setValue(target);
    return;
  }
  scrollAnimation_->setStartValue(bar->value());
  scrollAnimation_->setEndValue(target);
  scrollAnimation_->start();
}

void HistoryListWidget::hoverAt(std::optional<QPointF> point) {
  const RowGeometry* geometry = point ? rowAt(*point) : nullptr;
  if (geometry) {
    if (view_.hovered() != geometry->row.id)
      view_.setHovered(geometry->row.id, true);
    return;
  }
  if (const std::optional<Uuid> hovered = view_.hovered())
    view_.setHovered(*hovered, false);
}

void HistoryListWidget::updateHoverFromCursor() {
  const QPoint local = mapFromGlobal(QCursor::pos());
  if (!isVisible() || !scrollArea_.viewport()->rect().contains(
                          scrollArea_.viewport()->mapFromGlobal(QCursor::pos()))) {
    hoverAt(std::nullopt);
    return;
  }
  hoverAt(QPointF(local));
}

void HistoryListWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Titles wrap to the new width, unless the rows were laid out for it
  // already; the titles themselves are string literals of the view, so the
  // kept views stay valid.
  if (width() != laidOutWidth_)
    rebuild(std::vector<std::optional<std::string_view>>(sectionTitles_));
}

void HistoryListWidget::mouseMoveEvent(QMouseEvent* event) {
  hoverAt(event->position());
}

void HistoryListWidget::leaveEvent(QEvent* /*event*/) {
  hoverAt(std::nullopt);
}

void HistoryListWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton)
    return;
  const QPointF point = event->position();
  const RowGeometry* geometry = rowAt(point);
  if (!geometry)
    return;
  // Copy before acting: every action changes the list under us.
  const Uuid id = geometry->row.id;
  if (geometry->row.deleteButton &&
      geometry->deleteRect.adjusted(-buttonSlop, -buttonSlop, buttonSlop, buttonSlop)
          .contains(point)) {
    view_.deleteItem(id);
    return;
  }
  if (geometry->row.pinButton &&
      geometry->pinRect.adjusted(-buttonSlop, -buttonSlop, buttonSlop, buttonSlop)
          .contains(point)) {
    view_.togglePin(id);
    return;
  }
  view_.clickRow(id);
}

bool HistoryListWidget::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip)
    return QWidget::event(event);
  auto* help = static_cast<QHelpEvent*>(event);
  const QPointF point = help->pos();
  const RowGeometry* geometry = rowAt(point);
  std::optional<std::string_view> tip;
  if (geometry && geometry->row.pinButton &&
      geometry->pinRect.adjusted(-buttonSlop, -buttonSlop, buttonSlop, buttonSlop).contains(point))
    tip = geometry->row.pinButton->tooltip;
  if (geometry && geometry->row.deleteButton &&
      geometry->deleteRect.adjusted(-buttonSlop, -buttonSlop, buttonSlop, buttonSlop)
          .contains(point))
    tip = geometry->row.deleteButton->tooltip;
  if (tip) {
    QToolTip::showText(help->globalPos(), QtFont::toQString(*tip), this);
  } else {
    QToolTip::hideText();
    event->ignore();
  }
  return true;
}

void HistoryListWidget::forgetImagesOfOldHistory() {
  if (imagesRevision_ == view_.store().revision())
    return;
  thumbnails_.clear();
  imageSizes_.clear();
  imagesRevision_ = view_.store().revision();
}

std::optional<AccessibleRow::PixelSize> HistoryListWidget::imageSize(const std::string& path) {
  forgetImagesOfOldHistory();
  const QString key = QString::fromStdString(path);
  auto found = imageSizes_.constFind(key);
  if (found == imageSizes_.constEnd())
    found = imageSizes_.insert(key, QImageReader(key, "PNG").size());
  if (!found->isValid())
    return std::nullopt;
  return AccessibleRow::PixelSize{found->width(), found->height()};
}

AccessibleRow HistoryListWidget::accessibleRow(const Uuid& id) {
  const std::vector<const ClipboardItem*>& items = view_.filtered();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i]->id != id)
      continue;
    std::optional<AccessibleRow::PixelSize> size;
    if (const std::optional<std::string> path = view_.store().imageURL(*items[i]))
      size = imageSize(*path);
    return view_.accessibleRow(i, clock_.now(), shortcuts_, size);
  }
  return {};
}

QRect HistoryListWidget::onScreen(const QRectF& rect) const {
  const QRect local = rect.toAlignedRect();
  return {mapToGlobal(local.topLeft()), local.size()};
}

std::vector<AccessibleListSource::Key> HistoryListWidget::keys() const {
  std::vector<Key> keys;
  keys.reserve(rows_.size());
  for (const RowGeometry& geometry : rows_) {
    if (geometry.sectionTitle)
      keys.push_back({geometry.row.id, /*heading=*/true});
    keys.push_back({geometry.row.id, /*heading=*/false});
  }
  return keys;
}

std::optional<QString> HistoryListWidget::headingTitle(const Uuid& id) const {
  const RowGeometry* geometry = rowFor(id);
  return geometry ? geometry->sectionTitle : std::nullopt;
}

bool HistoryListWidget::isSelected(const Uuid& id) const {
  const RowGeometry* geometry = rowFor(id);
  return geometry && geometry->row.state.selected;
}

QRect HistoryListWidget::screenRect(const Key& key) const {
  const RowGeometry* geometry = rowFor(key.id);
  if (!geometry)
    return {};
  return onScreen(key.heading ? geometry->titleRect : geometry->rowRect);
}

bool HistoryListWidget::isShown(const Key& key) const {
  const QWidget* viewport = scrollArea_.viewport();
  const QRect shown(viewport->mapToGlobal(QPoint(0, 0)), viewport->size());
  return isVisible() && shown.intersects(screenRect(key));
}

bool HistoryListWidget::selectionHasFocus() const {
  return window()->isActiveWindow() && (hasFocus() || selectionFocused_);
}

QString HistoryListWidget::listName() const {
  return QtFont::toQString(spoken_.listName);
}

QString HistoryListWidget::listDescription() const {
  return QString::fromStdString(spoken_.listDescription);
}

void HistoryListWidget::perform(const Uuid& id, Action action) {
  switch (action) {
    case Action::paste:
      view_.clickRow(id);
      break;
    case Action::togglePin:
      view_.togglePin(id);
      break;
    case Action::remove:
      view_.deleteItem(id);
      break;
  }
}

void HistoryListWidget::selectionMoved(const Uuid& id) {
  if (observer_)
    observer_->selectionMoved(id);
}

void HistoryListWidget::focusRow(const Uuid& id) {
  if (observer_)
    observer_->focusMoved(id);
}

void HistoryListWidget::rowRenamed(const Uuid& id) {
  if (observer_)
    observer_->rowRenamed(id);
}

void HistoryListWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

void HistoryListWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
  // Qt tells of the list's own focus after this; the row's focus, told
  // later, is what a screen reader keeps and speaks.
  QTimer::singleShot(0, this, [this] {
    const std::vector<const ClipboardItem*>& items = view_.filtered();
    const int selected = view_.selectedIndex();
    if (observer_ && hasFocus() && selected >= 0 &&
        static_cast<std::size_t>(selected) < items.size())
      observer_->focusMoved(items[static_cast<std::size_t>(selected)]->id);
  });
}

QImage HistoryListWidget::thumbnail(const std::string& path) {
  forgetImagesOfOldHistory();
  const QString key = QString::fromStdString(path);
  if (auto found = thumbnails_.constFind(key); found != thumbnails_.constEnd())
    return *found;
  const qreal ratio = devicePixelRatioF();
  const int side = static_cast<int>(std::ceil(M::chipSize * ratio));
  // Read as PNG only: an image entry's file that holds anything else shows
  // the kind's tile, as a missing one does.
  QImage image(key, "PNG");
  if (!image.isNull()) {
    // Fill the square keeping the aspect, then cut the overflow evenly.
    image = image.scaled(side, side, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    image = image.copy((image.width() - side) / 2, (image.height() - side) / 2, side, side);
    image.setDevicePixelRatio(ratio);
  }
  thumbnails_.insert(key, image);
  return image;
}

void HistoryListWidget::paintChip(QPainter& painter, const ClipRow& row, const QRectF& rect) {
  QPainterPath shape;
  shape.addRoundedRect(rect, M::chipCornerRadius, M::chipCornerRadius);
  if (row.chip.thumbnailPath) {
    const QImage image = thumbnail(*row.chip.thumbnailPath);
    if (!image.isNull()) {
      painter.save();
      painter.setClipPath(shape);
      painter.drawImage(rect, image);
      painter.restore();
      // A hairline inside the edge keeps light images apart from the card.
      const double inset = M::thumbnailBorderWidth / 2;
      painter.setPen(QPen(ViewPalette::color(ViewColor::black, M::thumbnailBorderOpacity),
                          M::thumbnailBorderWidth));
      painter.setBrush(Qt::NoBrush);
      painter.drawRoundedRect(rect.adjusted(inset, inset, -inset, -inset),
                              M::chipCornerRadius - inset, M::chipCornerRadius - inset);
      return;
    }
  }
  painter.fillPath(shape, ViewPalette::color(row.chip.tile.color, M::chipFillOpacity));
  const int side = SymbolIcon::side(M::chipSymbolFont.size);
  const QPixmap symbol = SymbolIcon::pixmap(
      row.chip.tile.symbol, ViewPalette::color(row.chip.tile.color), side, devicePixelRatioF());
  painter.drawPixmap(QPointF(rect.center().x() - side / 2.0, rect.center().y() - side / 2.0),
                     symbol);
}

void HistoryListWidget::paintRow(QPainter& painter, const RowGeometry& geometry) {
  const ClipRow& row = geometry.row;
  if (geometry.sectionTitle) {
    painter.setFont(QtFont::screenFont(M::sectionHeaderFont));
    painter.setPen(ViewPalette::color(ViewColor::secondary));
    const QRectF text = geometry.titleRect.adjusted(
        M::sectionHeaderInsets.leading, M::sectionHeaderInsets.top,
        -M::sectionHeaderInsets.trailing, -M::sectionHeaderInsets.bottom);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, *geometry.sectionTitle);
  }

  if (row.background.color != ViewColor::clear && row.background.opacity > 0) {
    QPainterPath background;
    background.addRoundedRect(geometry.rowRect, M::rowCornerRadius, M::rowCornerRadius);
    painter.fillPath(background, ViewPalette::color(row.background.color, row.background.opacity));
  }
  if (row.state.selected && hasFocus()) {
    const double inset = M::focusRingWidth / 2;
    painter.setPen(QPen(ViewPalette::color(ViewColor::primary), M::focusRingWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(geometry.rowRect.adjusted(inset, inset, -inset, -inset),
                            M::rowCornerRadius - inset, M::rowCornerRadius - inset);
  }

  const QRectF content = geometry.rowRect.adjusted(M::rowInsets.leading, M::rowInsets.top,
                                                   -M::rowInsets.trailing, -M::rowInsets.bottom);
  const QRectF chip(content.left(), content.center().y() - M::chipSize / 2, M::chipSize,
                    M::chipSize);
  paintChip(painter, row, chip);

  // Title and metadata, centred together beside the chip.
  const QFont titleFont = QtFont::screenFont(M::rowTitleFont);
  const QFont metaFont = QtFont::screenFont(M::metadataFont);
  const QFontMetricsF titleMetrics(titleFont);
  const QFontMetricsF metaMetrics(metaFont);
  const double textHeight =
      titleMetrics.lineSpacing() * static_cast<double>(geometry.titleLines.size()) +
      M::rowTextSpacing + metaMetrics.height();
  const double textLeft = chip.right() + M::rowSpacing;
  double y = content.center().y() - textHeight / 2;
  painter.setFont(titleFont);
  painter.setPen(ViewPalette::color(ViewColor::primary));
  for (const QString& line : geometry.titleLines) {
    QtFont::drawText(painter, QPointF(textLeft, y + titleMetrics.ascent()), line);
    y += titleMetrics.lineSpacing();
  }
  y += M::rowTextSpacing;
  painter.setFont(metaFont);
  painter.setPen(ViewPalette::color(ViewColor::secondary));
  double x = textLeft;
  for (const QString& part : {QString::fromStdString(row.kindLabel),
                              QtFont::toQString(row.separator), QString::fromStdString(row.age)}) {
    painter.drawText(QPointF(x, y + metaMetrics.ascent()), part);
    x += metaMetrics.horizontalAdvance(part) + M::metadataSpacing;
  }

  // Trailing controls, right-aligned.
  const qreal ratio = devicePixelRatioF();
  if (row.deleteButton) {
    painter.drawPixmap(
        geometry.deleteRect.topLeft(),
        SymbolIcon::pixmap(row.deleteButton->symbol, ViewPalette::color(row.deleteButton->color),
                           static_cast<int>(geometry.deleteRect.width()), ratio));
  }
  if (row.pinButton) {
    painter.drawPixmap(
        geometry.pinRect.topLeft(),
        SymbolIcon::pixmap(row.pinButton->symbol, ViewPalette::color(row.pinButton->color),
                           static_cast<int>(geometry.pinRect.width()), ratio));
  }
  if (row.quickPasteLabel) {
    const QFont font = QtFont::screenFont(M::quickPasteFont);
    const QString label = QString::fromStdString(*row.quickPasteLabel);
    const QFontMetricsF metrics(font);
    double right = content.right();
    if (row.pinButton)
      right = geometry.pinRect.left() - M::trailingSpacing;
    painter.setFont(font);
    painter.setPen(ViewPalette::color(ViewColor::tertiary));
    painter.drawText(QPointF(right - metrics.horizontalAdvance(label),
                             content.center().y() - metrics.height() / 2 + metrics.ascent()),
                     label);
  }
}

void HistoryListWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const QRectF exposed = event->rect();
  for (RowGeometry& geometry : rows_) {
    const QRectF band = geometry.titleRect.isEmpty() ? geometry.rowRect
                                                     : geometry.titleRect.united(geometry.rowRect);
    if (band.bottom() < exposed.top() || band.top() > exposed.bottom())
      continue;
    if (geometry.row.kindLabel.empty())
      geometry.row.kindLabel = view_.kindLabel(geometry.row.id);
    paintRow(painter, geometry);
  }
}
