// Every measure of the popup's content, written once for both front ends:
// sizes, paddings and corner radii in points, font sizes in points, weights,
// opacities and animation times. Front ends read these and decide nothing.
#pragma once

enum class FontWeight { regular, medium, semibold, bold };

/// A font of the system family; `rounded` asks for its rounded design.
struct FontSpec {
  double size;
  FontWeight weight;
  bool rounded = false;
};

/// Space around a view, per side.
struct Insets {
  double top;
  double leading;
  double bottom;
  double trailing;
};

constexpr Insets symmetricInsets(double horizontal, double vertical) {
  return {vertical, horizontal, vertical, horizontal};
}

namespace ViewMetrics {

// The card.
inline constexpr double cardWidth = 440;
inline constexpr double cardHeight = 560;
inline constexpr double cardCornerRadius = 16;
inline constexpr double cardBorderWidth = 1;
inline constexpr double cardBorderOpacity = 0.08;  // of primary
inline constexpr double dividerOpacity = 0.5;
// The keyboard focus: a ring around the focused control (the search field,
// the list's selected row, a footer button), which keeps at least 3:1
// against the card and against the clear button's red in either appearance.
inline constexpr double focusRingWidth = 2;
/// The corner radius of the ring around a text-only footer button.
inline constexpr double plainButtonFocusRadius = 5;

// Header.
inline constexpr double headerSpacing = 9;
inline constexpr double headerMarkWidth = 22;
inline constexpr double headerMarkHeight = 17;
inline constexpr FontSpec headerNameFont{15, FontWeight::bold};
inline constexpr FontSpec headerProductFont{15, FontWeight::regular};
inline constexpr Insets headerInsets{14, 16, 11, 16};
inline constexpr FontSpec badgeFont{11, FontWeight::semibold, true};
inline constexpr Insets badgeInsets = symmetricInsets(8, 3);
inline constexpr double badgeFillOpacity = 0.07;  // of primary, on a capsule

// Search bar.
inline constexpr double searchSpacing = 8;
inline constexpr FontSpec searchIconFont{13, FontWeight::medium};
inline constexpr FontSpec searchFieldFont{13, FontWeight::regular};
inline constexpr Insets searchInnerInsets = symmetricInsets(11, 8);
inline constexpr double searchCornerRadius = 9;
inline constexpr double searchFillOpacity = 0.06;  // of primary
inline constexpr Insets searchOuterInsets = symmetricInsets(12, 10);

// List.
inline constexpr double listSpacing = 2;
inline constexpr Insets listInsets = symmetricInsets(8, 4);
inline constexpr double scrollAnimationSeconds = 0.12;  // ease-out, row centred
inline constexpr FontSpec sectionHeaderFont{11, FontWeight::semibold};
inline constexpr Insets sectionHeaderInsets{8, 10, 3, 10};

// Empty states.
inline constexpr double emptyStateSpacing = 12;
inline constexpr double emptyMarkWidth = 46;
inline constexpr double emptyMarkHeight = 36;
inline constexpr double emptyMarkOpacity = 0.25;
inline constexpr FontSpec noClipsTitleFont{15, FontWeight::semibold};
inline constexpr FontSpec noMatchesIconFont{28, FontWeight::regular};
inline constexpr FontSpec noMatchesTitleFont{14, FontWeight::semibold};
inline constexpr FontSpec emptyMessageFont{12, FontWeight::regular};

// Footer.
inline constexpr Insets footerInsets = symmetricInsets(14, 9);
inline constexpr double footerSpacing = 0;
inline constexpr double confirmSpacing = 10;
inline constexpr FontSpec footerHintFont{11, FontWeight::regular};
inline constexpr FontSpec clearAllFont{11, FontWeight::medium};
inline constexpr double clearAllDisabledOpacity = 0.4;
inline constexpr FontSpec confirmQuestionFont{12, FontWeight::medium};
inline constexpr FontSpec cancelFont{12, FontWeight::regular};
inline constexpr FontSpec confirmButtonFont{12, FontWeight::semibold};
inline constexpr Insets confirmButtonInsets = symmetricInsets(12, 5);

// Clip row.
inline constexpr double rowSpacing = 11;
inline constexpr double rowTextSpacing = 2;
inline constexpr double rowSpacerMinLength = 6;
inline constexpr Insets rowInsets = symmetricInsets(10, 8);
inline constexpr double rowCornerRadius = 10;
inline constexpr double rowSelectedOpacity = 0.22;  // of the brand green
inline constexpr double rowHoverOpacity = 0.10;     // of the brand green
inline constexpr double rowSelectionAnimationSeconds = 0.12;
inline constexpr double rowHoverAnimationSeconds = 0.10;
inline constexpr FontSpec rowTitleFont{13, FontWeight::medium};
inline constexpr int rowTitleMaxLines = 2;
inline constexpr double metadataSpacing = 5;
inline constexpr FontSpec metadataFont{10.5, FontWeight::regular};

// Chip.
inline constexpr double chipSize = 32;
inline constexpr double chipCornerRadius = 8;
inline constexpr double chipFillOpacity = 0.15;  // of the kind's colour
inline constexpr FontSpec chipSymbolFont{13, FontWeight::medium};
inline constexpr double thumbnailBorderWidth = 1;
inline constexpr double thumbnailBorderOpacity = 0.08;  // of black

// Trailing controls.
inline constexpr double trailingSpacing = 6;
inline constexpr FontSpec quickPasteFont{10, FontWeight::medium, true};
inline constexpr FontSpec pinFont{11, FontWeight::regular};
inline constexpr FontSpec deleteFont{12, FontWeight::regular};

}  // namespace ViewMetrics
