// The popup's card, drawn from the view's presentation.
#include "platform/linux/ui/HistoryCardWidget.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "history/ClipboardStore.h"
#include "platform/linux/ui/AccessibleFactory.h"
#include "platform/linux/ui/HistoryListWidget.h"
#include "platform/linux/ui/QtFont.h"
#include "platform/linux/ui/SymbolIcon.h"
#include "platform/linux/ui/ViewPalette.h"
#include "views/HistoryView.h"
#include "views/ShortcutTexts.h"
#include "views/ViewMetrics.h"

namespace M = ViewMetrics;

namespace {

QString css(const QColor& color) {
  return QStringLiteral("rgba(%1,%2,%3,%4)")
      .arg(color.red())
      .arg(color.green())
      .arg(color.blue())
      .arg(color.alphaF(), 0, 'f', 3);
}

int ceilInt(double value) {
  return static_cast<int>(std::ceil(value));
}

QWidget* divider(QWidget* parent) {
  auto* line = new QWidget(parent);
  line->setFixedHeight(1);
  return line;
}

/// Text-only buttons in the plain style: no frame, no fill. A click leaves
/// the focus in the search field; Tab reaches them.
QPushButton* plainButton(const QString& title, const QFont& font, QWidget* parent) {
  auto* button = new QPushButton(title, parent);
  button->setFont(font);
  button->setFlat(true);
  button->setFocusPolicy(Qt::TabFocus);
  button->setCursor(Qt::PointingHandCursor);
  return button;
}

/// A plain button's style: text of `color`, and a ring that shows only
/// while the button has the keyboard focus.
QString plainButtonStyle(const QColor& color) {
  return QStringLiteral(
             "QPushButton { border: %1px solid transparent; border-radius: %4px; "
             "background: transparent; padding: 0 2px; color: %2; }"
             "QPushButton:focus { border-color: %3; }")
      .arg(static_cast<int>(M::focusRingWidth))
      .arg(css(color), css(ViewPalette::color(ViewColor::primary)))
      .arg(static_cast<int>(M::plainButtonFocusRadius));
}

void setName(QWidget& widget, const std::string& name) {
  const QString text = QString::fromStdString(name);
  if (widget.accessibleName() != text)
    widget.setAccessibleName(text);
}

void setDescription(QWidget& widget, const std::string& description) {
  const QString text = QString::fromStdString(description);
  if (widget.accessibleDescription() != text)
    widget.setAccessibleDescription(text);
}

/// The brand image of `asset`, at the screen's pixel ratio when a 2x file
/// exists; null when the resource is missing.
QImage brandImage(std::string_view asset, qreal ratio) {
  const QString base = QStringLiteral(":/brand/") + QtFont::toQString(asset);
  if (ratio > 1.0) {
    QImage large(base + QStringLiteral("@2x.png"));
    if (!large.isNull()) {
      large.setDevicePixelRatio(2.0);
      return large;
    }
  }
  return QImage(base + QStringLiteral(".png"));
}

/// `image` scaled to fit `box` (aspect kept), centred in it.
QRectF fitted(const QImage& image, const QRectF& box) {
  const QSizeF size = image.deviceIndependentSize().scaled(box.size(), Qt::KeepAspectRatio);
  return {box.center().x() - size.width() / 2, box.center().y() - size.height() / 2, size.width(),
          size.height()};
}

}  // namespace

HistoryCardWidget::HistoryCardWidget(HistoryView& view, const Clock& clock, QWidget* parent)
    : QWidget(parent), view_(view), clock_(clock), shortcuts_(ShortcutTexts::linuxX11()) {
  setFixedSize(static_cast<int>(M::cardWidth), static_cast<int>(M::cardHeight));
  setAttribute(Qt::WA_TranslucentBackground);
  mark_ = brandImage(layout_.header.markAsset, devicePixelRatioF());

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  header_ = new QWidget(this);
  const double nameHeight = QFontMetricsF(QtFont::screenFont(M::headerNameFont)).height();
  header_->setFixedHeight(ceilInt(M::headerInsets.top + std::max(M::headerMarkHeight, nameHeight) +
                                  M::headerInsets.bottom));
  column->addWidget(header_);
  topDivider_ = divider(this);
  column->addWidget(topDivider_);

  buildSearchBar();
  column->addWidget(searchBar_);

  scrollArea_ = new QScrollArea(this);
  scrollArea_->setFrameShape(QFrame::NoFrame);
  scrollArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scrollArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  scrollArea_->setWidgetResizable(true);
  scrollArea_->setFocusPolicy(Qt::NoFocus);
  scrollArea_->setStyleSheet(
      QStringLiteral(
          "QScrollArea { background: transparent; border: none; }"
          "QScrollBar:vertical { background: transparent; width: 7px; margin: 4px 1px 4px 0; }"
          "QScrollBar::handle:vertical { background: %1; border-radius: 3px; min-height: 24px; }"
          "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
          "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }")
          .arg(css(ViewPalette::color(ViewColor::primary, 0.28))));
  scrollArea_->viewport()->setAutoFillBackground(false);
  list_ = new HistoryListWidget(view_, clock_, shortcuts_, *scrollArea_);
  list_->installEventFilter(this);
  scrollArea_->setWidget(list_);
  // setWidget turns background filling on; the card's material must show
  // through the list.
  list_->setAutoFillBackground(false);
  column->addWidget(scrollArea_, 1);
  connect(scrollArea_->verticalScrollBar(), &QScrollBar::valueChanged, this,
          [this] { list_->updateHoverFromCursor(); });

  emptyArea_ = new QWidget(this);
  column->addWidget(emptyArea_, 1);
  // Hidden, so that the popup's showing does not announce it empty.
  status_ = new QWidget(this);
  status_->hide();
  AccessibleFactory::setRole(*status_, QAccessible::Notification);

  bottomDivider_ = divider(this);
  column->addWidget(bottomDivider_);
  buildFooter();

  view_.setOnChange([this] { refresh(); });
  view_.setOnScrollTo([this](const Uuid& id) {
    // The selection moves before the list is laid out anew; scroll after.
    pendingScroll_ = id;
    QTimer::singleShot(0, this, [this] {
      if (!pendingScroll_)
        return;
      list_->centreRow(*pendingScroll_, /*animated=*/true);
      list_->selectionMoved(*pendingScroll_);
      pendingScroll_.reset();
    });
  });
  refresh();
}

HistoryCardWidget::~HistoryCardWidget() {
  view_.setOnChange(nullptr);
  view_.setOnScrollTo(nullptr);
}

void HistoryCardWidget::buildSearchBar() {
  searchBar_ = new QWidget(this);
  auto* row = new QHBoxLayout(searchBar_);
  row->setContentsMargins(ceilInt(M::searchOuterInsets.leading + M::searchInnerInsets.leading),
                          ceilInt(M::searchOuterInsets.top + M::searchInnerInsets.top),
                          ceilInt(M::searchOuterInsets.trailing + M::searchInnerInsets.trailing),
                          ceilInt(M::searchOuterInsets.bottom + M::searchInnerInsets.bottom));
  row->setSpacing(static_cast<int>(M::searchSpacing));

  const qreal ratio = devicePixelRatioF();
  searchIcon_ = new QLabel(searchBar_);
  searchIcon_->setPixmap(SymbolIcon::pixmap(layout_.searchBar.icon,
                                            ViewPalette::color(ViewColor::secondary),
                                            SymbolIcon::side(M::searchIconFont.size), ratio));
  row->addWidget(searchIcon_);

  searchField_ = new QLineEdit(searchBar_);
  searchField_->setFont(QtFont::screenFont(M::searchFieldFont));
  searchField_->setFrame(false);
  searchField_->setPlaceholderText(QtFont::toQString(layout_.searchBar.placeholder));
  searchField_->setStyleSheet(
      QStringLiteral("QLineEdit { background: transparent; border: none; padding: 0; color: %1; "
                     "selection-background-color: %2; }")
          .arg(css(ViewPalette::color(ViewColor::primary)),
               css(ViewPalette::color(ViewColor::green, 0.35))));
  QPalette palette = searchField_->palette();
  palette.setColor(QPalette::PlaceholderText, ViewPalette::color(ViewColor::tertiary));
  searchField_->setPalette(palette);
  searchField_->installEventFilter(this);
  searchField_->setAccessibleName(QtFont::toQString(layout_.searchBar.placeholder));
  row->addWidget(searchField_, 1);
  // textChanged, not textEdited: a screen reader may set the text too.
  connect(searchField_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (searchField_->hasFocus())
      giveFocusBackToSearch();
    view_.setSearch(text.toStdString());
  });

  clearSearchButton_ = new QToolButton(searchBar_);
  clearSearchButton_->setAutoRaise(true);
  clearSearchButton_->setFocusPolicy(Qt::NoFocus);
  clearSearchButton_->setAccessibleName(QtFont::toQString(layout_.spoken.clearSearchName));
  clearSearchButton_->setCursor(Qt::ArrowCursor);
  clearSearchButton_->setStyleSheet(
      QStringLiteral("QToolButton { border: none; background: transparent; padding: 0; }"));
  const int clearSide = SymbolIcon::side(M::searchFieldFont.size);
  clearSearchButton_->setIcon(QIcon(SymbolIcon::pixmap(
      layout_.searchBar.clearSymbol, ViewPalette::color(ViewColor::secondary), clearSide, ratio)));
  clearSearchButton_->setIconSize(QSize(clearSide, clearSide));
  row->addWidget(clearSearchButton_);
  connect(clearSearchButton_, &QToolButton::clicked, this, [this] {
    view_.clearSearch();
    searchField_->setFocus();
  });
}

void HistoryCardWidget::buildFooter() {
  auto* footer = new QWidget(this);
  auto* stack = new QVBoxLayout(footer);
  stack->setContentsMargins(ceilInt(M::footerInsets.leading), ceilInt(M::footerInsets.top),
                            ceilInt(M::footerInsets.trailing), ceilInt(M::footerInsets.bottom));
  stack->setSpacing(0);

  normalFooter_ = new QWidget(footer);
  auto* normal = new QHBoxLayout(normalFooter_);
  normal->setContentsMargins(0, 0, 0, 0);
  normal->setSpacing(static_cast<int>(M::footerSpacing));
  hintLabel_ = new QLabel(normalFooter_);
  // Not a label to a screen reader: one related to nothing is read out
  // with the popup's name, before every announcement; the search field
  // tells the same keys.
  AccessibleFactory::setRole(*hintLabel_, QAccessible::Footer);
  hintLabel_->setFont(QtFont::screenFont(M::footerHintFont));
  hintLabel_->setStyleSheet(
      QStringLiteral("color: %1;").arg(css(ViewPalette::color(ViewColor::secondary))));
  normal->addWidget(hintLabel_);
  normal->addStretch(1);
  clearAllButton_ = plainButton(QtFont::toQString(layout_.footer.clearTitle),
                                QtFont::screenFont(M::clearAllFont), normalFooter_);
  const int trashSide = SymbolIcon::side(M::clearAllFont.size);
  clearAllButton_->setIconSize(QSize(trashSide, trashSide));
  clearAllButton_->setAccessibleDescription(QtFont::toQString(layout_.spoken.clearAllDescription));
  normal->addWidget(clearAllButton_);
  connect(clearAllButton_, &QPushButton::clicked, this, [this] { view_.requestClear(); });
  stack->addWidget(normalFooter_);

  confirmFooter_ = new QWidget(footer);
  auto* confirm = new QHBoxLayout(confirmFooter_);
  confirm->setContentsMargins(0, 0, 0, 0);
  confirm->setSpacing(static_cast<int>(M::confirmSpacing));
  questionLabel_ = new QLabel(confirmFooter_);
  AccessibleFactory::setRole(*questionLabel_, QAccessible::AlertMessage);
  questionLabel_->setFont(QtFont::screenFont(M::confirmQuestionFont));
  questionLabel_->setStyleSheet(
      QStringLiteral("color: %1;").arg(css(ViewPalette::color(ViewColor::primary))));
  confirm->addWidget(questionLabel_);
  confirm->addStretch(1);
  cancelButton_ = plainButton(QtFont::toQString(layout_.footer.cancelTitle),
                              QtFont::screenFont(M::cancelFont), confirmFooter_);
  cancelButton_->setStyleSheet(plainButtonStyle(ViewPalette::color(ViewColor::secondary)));
  confirm->addWidget(cancelButton_);
  cancelButton_->setAccessibleDescription(QtFont::toQString(layout_.spoken.cancelDescription));
  connect(cancelButton_, &QPushButton::clicked, this, [this] { view_.cancelClear(); });
  const QFont confirmFont = QtFont::screenFont(M::confirmButtonFont);
  confirmButton_ =
      plainButton(QtFont::toQString(layout_.footer.confirmTitle), confirmFont, confirmFooter_);
  const double capsuleHeight = QFontMetricsF(confirmFont).height() + M::confirmButtonInsets.top +
                               M::confirmButtonInsets.bottom;
  confirmButton_->setStyleSheet(
      QStringLiteral("QPushButton { border: %6px solid transparent; color: %1; background: %2; "
                     "border-radius: %3px; padding: %4px %5px; }"
                     "QPushButton:focus { border-color: %7; }")
          .arg(css(ViewPalette::color(layout_.footer.confirmColor)),
               css(ViewPalette::color(layout_.footer.confirmFill)))
          .arg(static_cast<int>(capsuleHeight / 2))
          .arg(static_cast<int>(M::confirmButtonInsets.top - M::focusRingWidth))
          .arg(static_cast<int>(M::confirmButtonInsets.leading - M::focusRingWidth))
          .arg(static_cast<int>(M::focusRingWidth))
          // Opaque: the ring lies on the red, where primary's translucency
          // would leave it barely 3:1.
          .arg(css(ViewPalette::color(ViewColor::white))));
  confirm->addWidget(confirmButton_);
  connect(confirmButton_, &QPushButton::clicked, this, [this] { view_.confirmClear(); });
  stack->addWidget(confirmFooter_);

  static_cast<QVBoxLayout*>(QWidget::layout())->addWidget(footer);
}

void HistoryCardWidget::applyFooter() {
  const HistoryLayout::Footer& footer = layout_.footer;
  // A keyboard in the footer stays there as it changes form: on Cancel when
  // the question appears, back on Clear all (or in the field, when nothing
  // is left to clear) when it goes.
  QWidget* focused = focusWidget();
  const bool footerHadFocus =
      focused == clearAllButton_ || focused == cancelButton_ || focused == confirmButton_;
  const bool changesForm = normalFooter_->isHidden() != footer.confirming;
  // Written and renamed while it shows only: a change to a hidden alert is
  // nobody's business.
  if (footer.confirming) {
    questionLabel_->setText(QString::fromStdString(footer.question));
    setName(*questionLabel_, footer.question);
  }
  if (changesForm && footer.confirming)
    describeAnswers();
  // The new form shows, takes the focus, and only then the old one hides:
  // hiding the focused button first would pass the focus to the field.
  QWidget* shown = footer.confirming ? confirmFooter_ : normalFooter_;
  QWidget* hidden = footer.confirming ? normalFooter_ : confirmFooter_;
  shown->setVisible(true);
  if (footerHadFocus && changesForm) {
    QWidget* next = footer.confirming     ? static_cast<QWidget*>(cancelButton_)
                    : footer.clearEnabled ? static_cast<QWidget*>(clearAllButton_)
                                          : static_cast<QWidget*>(searchField_);
    next->setFocus(Qt::TabFocusReason);
  }
  hidden->setVisible(false);
  hintLabel_->setText(QString::fromStdString(footer.hint));
  setName(*hintLabel_, footer.hint);
  const QColor clearColor = ViewPalette::color(ViewColor::secondary, footer.clearOpacity);
  const int trashSide = SymbolIcon::side(M::clearAllFont.size);
  clearAllButton_->setIcon(
      QIcon(SymbolIcon::pixmap(footer.clearSymbol, clearColor, trashSide, devicePixelRatioF())));
  clearAllButton_->setStyleSheet(plainButtonStyle(clearColor));
  clearAllButton_->setEnabled(footer.clearEnabled);
}

void HistoryCardWidget::describeAnswers() {
  // The question is an alert, spoken by Qt as it shows, and both answers
  // are described by it: whichever has the focus says what it answers.
  const std::string question = questionLabel_->text().toStdString();
  setDescription(*cancelButton_, question + " " + std::string(layout_.spoken.cancelDescription));
  setDescription(*confirmButton_, question + " " + layout_.spoken.confirmDescription);
}

void HistoryCardWidget::announceOpening() {
  // Said as the popup opens: how many clips there are and which is
  // selected. Not the popup's description, which a screen reader repeats
  // with every announcement.
  const std::optional<Uuid> selected = selectedId();
  const std::string said = ListAnnouncer::opening(
      view_.store().items().size(), selected ? list_->accessibleRow(*selected).name : "");
  if (!said.empty())
    announce(said);
}

std::optional<Uuid> HistoryCardWidget::selectedId() const {
  const std::vector<const ClipboardItem*>& rows = view_.filtered();
  const int selected = view_.selectedIndex();
  if (selected < 0 || static_cast<std::size_t>(selected) >= rows.size())
    return std::nullopt;
  return rows[static_cast<std::size_t>(selected)]->id;
}

void HistoryCardWidget::refresh() {
  layout_ = HistoryLayout::make(view_, shortcuts_);
  const QString search = QString::fromStdString(view_.search());
  if (searchField_->text() != search)
    searchField_->setText(search);
  clearSearchButton_->setVisible(layout_.searchBar.showsClearButton);

  // Qt tells listeners of every change; these change seldom, if ever.
  setDescription(*searchField_, layout_.spoken.searchDescription);

  const bool empty = layout_.emptyState.has_value();
  scrollArea_->setVisible(!empty);
  announceListChange();
  list_->setSpokenTexts(layout_.spoken);
  list_->rebuild(layout_.sectionTitles);
  applyFooter();
  update();
}

void HistoryCardWidget::announceListChange() {
  emptyArea_->setVisible(layout_.emptyState.has_value());
  if (!isVisible())
    return;
  const std::optional<std::string> said = announcer_.afterChange(
      layout_.emptyState, view_.filtered().size(), !view_.search().empty(), [this] {
        const std::optional<Uuid> selected = selectedId();
        return selected ? list_->accessibleRow(*selected).name : std::string();
      });
  if (said)
    announce(*said);
}

void HistoryCardWidget::announce(const std::string& text) {
  status_->setAccessibleName(QString::fromStdString(text));
  if (QAccessible::isActive()) {
    QAccessibleEvent shown(status_, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
  }
}

void HistoryCardWidget::giveFocusBackToSearch() {
  if (!list_->selectionHasFocus() || list_->hasFocus())
    return;
  list_->setSelectionFocused(false);
  // Typing follows a move of the selection: a screen reader's focus comes
  // back to the field, so that what is typed and deleted is echoed.
  if (QAccessible::isActive()) {
    QAccessibleEvent focus(searchField_, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
  }
}

void HistoryCardWidget::shown() {
  // Each opening says again why nothing is listed.
  announcer_.shown();
  view_.shown();
  pendingScroll_.reset();
  list_->setSelectionFocused(false);
  refresh();
  // A question left open is asked again; otherwise the search kept from the
  // last time is selected whole, so the first key replaces it.
  if (view_.confirmingClear()) {
    describeAnswers();
    cancelButton_->setFocus(Qt::ActiveWindowFocusReason);
  } else {
    searchField_->setFocus(Qt::ActiveWindowFocusReason);
    searchField_->selectAll();
    announceOpening();
  }
  if (const std::optional<Uuid> selected = selectedId())
    list_->centreRow(*selected, /*animated=*/false);
}

bool HistoryCardWidget::handleKey(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers =
      event.modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
  if (modifiers == Qt::ControlModifier && event.key() >= Qt::Key_1 && event.key() <= Qt::Key_9)
    return view_.quickPaste(event.key() - Qt::Key_0);
  // Keys that act on the selected row take a screen reader's focus there.
  if (modifiers == Qt::ControlModifier && event.key() == Qt::Key_P) {
    list_->setSelectionFocused(true);
    const std::optional<Uuid> pinned = selectedId();
    view_.togglePinSelected();
    // The row, focused, says it is pinned or not; it may stay where it is.
    // A screen reader reads a focused row's new name only as it comes back
    // to it, so what changed is said too.
    if (pinned) {
      list_->focusRow(*pinned);
      list_->rowRenamed(*pinned);
      const auto& items = view_.store().items();
      const auto entry = std::find_if(items.begin(), items.end(), [&](const ClipboardItem& item) {
        return item.id == *pinned;
      });
      if (entry != items.end()) {
        announce(std::string(entry->pinned ? layout_.spoken.pinnedAnnouncement
                                           : layout_.spoken.unpinnedAnnouncement));
      }
    }
    return true;
  }
  if (modifiers == Qt::ShiftModifier && event.key() == Qt::Key_Delete) {
    list_->setSelectionFocused(true);
    return view_.deleteSelected();
  }
  if (modifiers != Qt::NoModifier)
    return false;
  bool handled = false;
  switch (event.key()) {
    case Qt::Key_Down:
      list_->setSelectionFocused(true);
      handled = view_.keyDown();
      break;
    case Qt::Key_Up:
      list_->setSelectionFocused(true);
      handled = view_.keyUp();
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      handled = view_.keyReturn();
      break;
    case Qt::Key_Escape:
      handled = view_.keyEscape();
      break;
    default:
      return false;
  }
  // Moving the selection does not count as a change of the list; redraw here.
  refresh();
  return handled;
}

void HistoryCardWidget::keyPressEvent(QKeyEvent* event) {
  // Return on a footer button presses it, as Space does; it does not paste.
  auto* button = qobject_cast<QPushButton*>(focusWidget());
  if (button && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    button->click();
    return;
  }
  if (handleKey(*event))
    return;
  QWidget::keyPressEvent(event);
}

bool HistoryCardWidget::eventFilter(QObject* watched, QEvent* event) {
  // The field's focus ring is drawn by the card.
  if (watched == searchField_ &&
      (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
    update();
  if (watched == searchField_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (handleKey(*key))
      return true;
    // Before a key that edits the field, so that the edit is echoed (a
    // modifier pressed on its way to Ctrl+P types nothing).
    if (!key->text().isEmpty() && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab)
      giveFocusBackToSearch();
    return false;
  }
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (handleKey(*key))
      return true;
    // Typing in the list goes on in the search field.
    if (!key->text().isEmpty() && key->text().at(0).isPrint()) {
      list_->setSelectionFocused(false);
      searchField_->setFocus(Qt::OtherFocusReason);
      QCoreApplication::sendEvent(searchField_, event);
      return true;
    }
    return false;
  }
  // Ctrl+digit must reach us before the field's own shortcuts claim it.
  if (watched == searchField_ && event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & Qt::ControlModifier) && key->key() >= Qt::Key_1 &&
        key->key() <= Qt::Key_9) {
      event->accept();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void HistoryCardWidget::paintDivider(QPainter& painter, const QWidget& line) {
  painter.fillRect(line.geometry(), [] {
    QColor color = ViewPalette::separator();
    color.setAlphaF(static_cast<float>(color.alphaF() * M::dividerOpacity));
    return color;
  }());
}

void HistoryCardWidget::paintHeader(QPainter& painter) {
  const QRectF area = QRectF(header_->geometry())
                          .adjusted(M::headerInsets.leading, M::headerInsets.top,
                                    -M::headerInsets.trailing, -M::headerInsets.bottom);
  double x = area.left();
  const double middle = area.center().y();
  if (!mark_.isNull()) {
    const QRectF box(x, middle - M::headerMarkHeight / 2, M::headerMarkWidth, M::headerMarkHeight);
    painter.drawImage(fitted(mark_, box), mark_);
    x = box.right() + M::headerSpacing;
  }
  for (const auto& [text, fontSpec, role] :
       {std::tuple{layout_.header.name, M::headerNameFont, ViewColor::primary},
        std::tuple{layout_.header.product, M::headerProductFont, ViewColor::secondary}}) {
    const QFont font = QtFont::screenFont(fontSpec);
    const QFontMetricsF metrics(font);
    const QString label = QtFont::toQString(text);
    painter.setFont(font);
    painter.setPen(ViewPalette::color(role));
    painter.drawText(QPointF(x, middle - metrics.height() / 2 + metrics.ascent()), label);
    x += metrics.horizontalAdvance(label) + M::headerSpacing;
  }
  if (!layout_.header.badge)
    return;
  const QFont font = QtFont::screenFont(M::badgeFont);
  const QFontMetricsF metrics(font);
  const QString badge = QString::fromStdString(*layout_.header.badge);
  const double width =
      metrics.horizontalAdvance(badge) + M::badgeInsets.leading + M::badgeInsets.trailing;
  const double height = metrics.height() + M::badgeInsets.top + M::badgeInsets.bottom;
  const QRectF capsule(area.right() - width, middle - height / 2, width, height);
  QPainterPath path;
  path.addRoundedRect(capsule, height / 2, height / 2);
  painter.fillPath(path, ViewPalette::color(ViewColor::primary, M::badgeFillOpacity));
  painter.setFont(font);
  painter.setPen(ViewPalette::color(ViewColor::secondary));
  painter.drawText(capsule, Qt::AlignCenter, badge);
}

void HistoryCardWidget::paintSearchField(QPainter& painter) {
  const QRectF field = QRectF(searchBar_->geometry())
                           .adjusted(M::searchOuterInsets.leading, M::searchOuterInsets.top,
                                     -M::searchOuterInsets.trailing, -M::searchOuterInsets.bottom);
  QPainterPath path;
  path.addRoundedRect(field, M::searchCornerRadius, M::searchCornerRadius);
  painter.fillPath(path, ViewPalette::color(ViewColor::primary, M::searchFillOpacity));
  if (!searchField_->hasFocus())
    return;
  const double inset = M::focusRingWidth / 2;
  painter.setPen(QPen(ViewPalette::color(ViewColor::primary), M::focusRingWidth));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(field.adjusted(inset, inset, -inset, -inset),
                          M::searchCornerRadius - inset, M::searchCornerRadius - inset);
}

void HistoryCardWidget::paintEmptyState(QPainter& painter) {
  const HistoryLayout::EmptyState& state = *layout_.emptyState;
  const QRectF area = emptyArea_->geometry();
  const QFont titleFont = QtFont::screenFont(state.titleFont);
  const QFont messageFont = QtFont::screenFont(M::emptyMessageFont);
  const QFontMetricsF titleMetrics(titleFont);
  const QFontMetricsF messageMetrics(messageFont);
  const QString message = QString::fromStdString(state.message);
  const QRectF messageBounds =
      messageMetrics.boundingRect(QRectF(area.left() + 16, 0, area.width() - 32, 10000),
                                  Qt::AlignHCenter | Qt::TextWordWrap, message);

  // The mark, or the symbol, then the title and the message, as one centred
  // stack.
  const bool hasMark = state.markAsset && !mark_.isNull();
  const int symbolSide = SymbolIcon::side(M::noMatchesIconFont.size);
  double topHeight = 0;
  if (hasMark) {
    topHeight = M::emptyMarkHeight;
  } else if (state.symbol) {
    topHeight = symbolSide;
  }
  const double total = (topHeight > 0 ? topHeight + M::emptyStateSpacing : 0) +
                       titleMetrics.height() + M::emptyStateSpacing + messageBounds.height();
  double y = area.center().y() - total / 2;
  if (hasMark) {
    const QRectF box(area.center().x() - M::emptyMarkWidth / 2, y, M::emptyMarkWidth,
                     M::emptyMarkHeight);
    painter.setOpacity(M::emptyMarkOpacity);
    painter.drawImage(fitted(mark_, box), mark_);
    painter.setOpacity(1.0);
    y += topHeight + M::emptyStateSpacing;
  } else if (state.symbol) {
    painter.drawPixmap(QPointF(area.center().x() - symbolSide / 2.0, y),
                       SymbolIcon::pixmap(*state.symbol, ViewPalette::color(ViewColor::tertiary),
                                          symbolSide, devicePixelRatioF()));
    y += topHeight + M::emptyStateSpacing;
  }
  painter.setFont(titleFont);
  painter.setPen(ViewPalette::color(ViewColor::primary));
  painter.drawText(QRectF(area.left(), y, area.width(), titleMetrics.height()), Qt::AlignCenter,
                   QString::fromStdString(state.title));
  y += titleMetrics.height() + M::emptyStateSpacing;
  painter.setFont(messageFont);
  painter.setPen(ViewPalette::color(ViewColor::secondary));
  painter.drawText(QRectF(area.left() + 16, y, area.width() - 32, messageBounds.height()),
                   Qt::AlignHCenter | Qt::TextWordWrap, message);
}

void HistoryCardWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);

  const QRectF card = QRectF(rect());
  QPainterPath shape;
  shape.addRoundedRect(card, M::cardCornerRadius, M::cardCornerRadius);
  QLinearGradient material(card.topLeft(), card.bottomLeft());
  material.setColorAt(0, ViewPalette::materialTop());
  material.setColorAt(1, ViewPalette::materialBottom());
  painter.fillPath(shape, material);
  painter.setClipPath(shape);

  paintHeader(painter);
  paintDivider(painter, *topDivider_);
  paintSearchField(painter);
  if (layout_.emptyState)
    paintEmptyState(painter);
  paintDivider(painter, *bottomDivider_);

  // The hairline border, inside the card's edge.
  painter.setClipping(false);
  const double inset = M::cardBorderWidth / 2;
  painter.setPen(
      QPen(ViewPalette::color(ViewColor::primary, M::cardBorderOpacity), M::cardBorderWidth));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(card.adjusted(inset, inset, -inset, -inset), M::cardCornerRadius - inset,
                          M::cardCornerRadius - inset);
}
