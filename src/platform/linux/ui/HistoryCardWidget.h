// The popup's card: header, search field, the list or an empty state, and
// the footer with its clear confirmation, drawn from HistoryLayout and the
// shared metrics. Every key and click goes to the HistoryView; the card
// redraws whenever the view reports a change.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <optional>

#include "history/Uuid.h"
#include "platform/Clock.h"
#include "views/HistoryLayout.h"
#include "views/ListAnnouncer.h"

class HistoryListWidget;
class HistoryView;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QToolButton;
struct ShortcutTexts;

class HistoryCardWidget : public QWidget {
 public:
  /// `view` and `clock` must outlive the card.
  HistoryCardWidget(HistoryView& view, const Clock& clock, QWidget* parent = nullptr);
  ~HistoryCardWidget() override;

  /// The card came on screen: tells the view, focuses the search field and
  /// brings the selected row into the middle.
  void shown();
  /// Reads the view's presentation again and redraws.
  void refresh();

  /// Routes the popup's keys to the view: Up, Down, Return, Escape and
  /// Ctrl+1 to Ctrl+9. Returns whether the key was taken.
  bool handleKey(const QKeyEvent& event);

  QLineEdit& searchField() { return *searchField_; }
  HistoryListWidget& list() { return *list_; }
  const HistoryLayout& presentation() const { return layout_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildSearchBar();
  void buildFooter();
  void applyFooter();
  /// Has both answers to the clear question say what they answer.
  void describeAnswers();
  /// Says how many clips there are and which one is selected.
  void announceOpening();
  /// A screen reader's focus goes back from the selected row to the field.
  void giveFocusBackToSearch();
  std::optional<Uuid> selectedId() const;
  /// Shows the empty state when there is one, and has a screen reader told
  /// when it appears or rows come back.
  void announceListChange();
  /// Has a screen reader say `text` now, which nothing focused would say.
  void announce(const std::string& text);
  void paintHeader(QPainter& painter);
  void paintSearchField(QPainter& painter);
  void paintEmptyState(QPainter& painter);
  void paintDivider(QPainter& painter, const QWidget& divider);

  HistoryView& view_;
  const Clock& clock_;
  const ShortcutTexts& shortcuts_;
  HistoryLayout layout_;
  QImage mark_;

  QWidget* header_ = nullptr;
  QWidget* topDivider_ = nullptr;
  QWidget* searchBar_ = nullptr;
  QLabel* searchIcon_ = nullptr;
  QLineEdit* searchField_ = nullptr;
  QToolButton* clearSearchButton_ = nullptr;
  QScrollArea* scrollArea_ = nullptr;
  HistoryListWidget* list_ = nullptr;
  QWidget* emptyArea_ = nullptr;
  /// Says what the list's changes leave unsaid; never drawn.
  QWidget* status_ = nullptr;
  QWidget* bottomDivider_ = nullptr;
  QWidget* normalFooter_ = nullptr;
  QLabel* hintLabel_ = nullptr;
  QPushButton* clearAllButton_ = nullptr;
  QWidget* confirmFooter_ = nullptr;
  QLabel* questionLabel_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QPushButton* confirmButton_ = nullptr;
  std::optional<Uuid> pendingScroll_;
  ListAnnouncer announcer_;
};
