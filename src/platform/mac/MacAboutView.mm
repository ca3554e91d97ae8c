// The About content laid out in plain frames on a flipped view, centred
// vertically in the whole window (its content runs under the transparent
// title bar).
#import "platform/mac/MacAboutView.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "app/AboutMetrics.h"
#include "app/AboutView.h"
#include "app/Brand.h"
#import "platform/mac/AppKitImageNative.h"
#import "platform/mac/MacActionTarget.h"
#include "platform/mac/MacImage.h"
#import "platform/mac/MacRoundedView.h"
#import "platform/mac/MacViewStyle.h"

namespace {

namespace A = AboutMetrics;

NSFontTextStyle textStyle(TextStyle::Font font) {
  switch (font) {
    case TextStyle::Font::title2:
      return NSFontTextStyleTitle2;
    case TextStyle::Font::callout:
      return NSFontTextStyleCallout;
    case TextStyle::Font::caption:
      return NSFontTextStyleCaption1;
    case TextStyle::Font::caption2:
      return NSFontTextStyleCaption2;
    case TextStyle::Font::system:
      break;
  }
  return NSFontTextStyleBody;
}

NSFontWeight weight(TextStyle::Weight value) {
  switch (value) {
    case TextStyle::Weight::regular:
      return NSFontWeightRegular;
    case TextStyle::Weight::semibold:
      return NSFontWeightSemibold;
    case TextStyle::Weight::bold:
      return NSFontWeightBold;
  }
  return NSFontWeightRegular;
}

NSFont* font(const TextStyle& style) {
  CGFloat size = style.pointSize;
  if (style.font != TextStyle::Font::system)
    size = [NSFont preferredFontForTextStyle:textStyle(style.font) options:@{}].pointSize;
  if (size <= 0) size = NSFont.systemFontSize;
  NSFont* base = [NSFont systemFontOfSize:size weight:weight(style.weight)];
  if (!style.italic) return base;
  NSFontDescriptor* italic =
      [base.fontDescriptor fontDescriptorWithSymbolicTraits:base.fontDescriptor.symbolicTraits |
                                                            NSFontDescriptorTraitItalic];
  NSFont* result = [NSFont fontWithDescriptor:italic size:size];
  return result != nil ? result : base;
}

NSTextField* label(const std::string& text, const TextStyle& style) {
  NSTextField* field = MacViewStyle::label(text, font(style), MacViewStyle::color(style.color));
  field.alignment = NSTextAlignmentCenter;
  return field;
}

NSSize fittedSize(NSImage* image, NSSize box) {
  NSSize size = image.size;
  if (size.width <= 0 || size.height <= 0) return box;
  CGFloat scale = std::min(box.width / size.width, box.height / size.height);
  return NSMakeSize(std::round(size.width * scale), std::round(size.height * scale));
}

}  // namespace

@implementation PellimoreAboutView {
  AboutView* _view;
  NSView* _wordmark;
  NSSize _wordmarkSize;
  NSTextField* _name;
  NSTextField* _version;
  NSTextField* _tagline;
  PellimoreRoundedView* _buttonFill;
  NSButton* _button;
  PellimoreActionTarget* _buttonTarget;
  NSTextField* _rights;
}

- (instancetype)initWithAboutView:(AboutView*)view frame:(NSRect)frame {
  self = [super initWithFrame:frame];
  if (self == nil) return nil;
  _view = view;
  const AboutContent content = view->content();

  auto* image = dynamic_cast<MacImage*>(content.wordmarkImage.get());
  NSImage* wordmark = image != nullptr ? image->appKitImage().native().image : nil;
  if (wordmark != nil) {
    NSImageView* imageView = [NSImageView imageViewWithImage:wordmark];
    imageView.imageScaling = NSImageScaleProportionallyUpOrDown;
    // The wordmark is a picture of the maker's name.
    imageView.accessibilityLabel = MacViewStyle::string(Brand::company);
    _wordmark = imageView;
    _wordmarkSize =
        fittedSize(wordmark, NSMakeSize(A::wordmarkMaxSize.width, A::wordmarkMaxSize.height));
  } else {
    NSTextField* text = label(content.wordmarkText, A::wordmarkFallbackStyle);
    _wordmark = text;
    _wordmarkSize = MacViewStyle::fittingSize(text);
  }
  [self addSubview:_wordmark];

  _name = label(content.name, A::nameStyle);
  _version = label(content.versionLine, A::versionStyle);
  _tagline = label(content.tagline, A::taglineStyle);
  _tagline.maximumNumberOfLines = 0;
  _tagline.cell.wraps = YES;
  _tagline.lineBreakMode = NSLineBreakByWordWrapping;
  _rights = label(content.rightsNotice, A::rightsStyle);
  for (NSView* part in @[ _name, _version, _tagline, _rights ]) [self addSubview:part];

  _buttonFill = [[PellimoreRoundedView alloc] initWithFrame:NSZeroRect];
  _buttonFill.cornerRadius = A::buttonCornerRadius;
  _buttonFill.fillColor = MacViewStyle::color(A::buttonBackground);
  _buttonFill.ignoresMouse = YES;
  [self addSubview:_buttonFill];
  _button = [NSButton buttonWithTitle:@"" target:nil action:nil];
  _button.bordered = NO;
  _button.focusRingType = NSFocusRingTypeNone;
  _button.attributedTitle = [[NSAttributedString alloc]
      initWithString:MacViewStyle::string(content.buttonLabel)
          attributes:@{
            NSFontAttributeName : font(A::buttonLabelStyle),
            NSForegroundColorAttributeName : MacViewStyle::color(A::buttonLabelStyle.color)
          }];
  AboutView* about = view;
  _buttonTarget = [[PellimoreActionTarget alloc] initWithAction:^{
    about->visitWebsite();
  }];
  [_buttonTarget attachTo:_button];
  [self addSubview:_button];

  [self layoutContent];
  return self;
}

- (BOOL)isFlipped {
  return YES;
}

- (void)drawRect:(NSRect)dirtyRect {
  NSGradient* gradient =
      [[NSGradient alloc] initWithStartingColor:MacViewStyle::color(A::backgroundTop)
                                    endingColor:MacViewStyle::color(A::backgroundBottom)];
  // Points in the flipped view's own coordinates: minY is the top edge.
  const NSRect bounds = self.bounds;
  [gradient
      drawFromPoint:NSMakePoint(NSMinX(bounds), NSMinY(bounds))
            toPoint:NSMakePoint(NSMinX(bounds), NSMaxY(bounds))
            options:NSGradientDrawsBeforeStartingLocation | NSGradientDrawsAfterEndingLocation];
}

- (void)layoutContent {
  const NSRect bounds = self.bounds;
  const CGFloat innerWidth = std::max<CGFloat>(0, bounds.size.width - 2 * A::padding);
  const CGFloat taglineWidth = std::max<CGFloat>(0, innerWidth - 2 * A::taglineHorizontalPadding);

  NSSize name = MacViewStyle::fittingSize(_name);
  NSSize version = MacViewStyle::fittingSize(_version);
  NSSize tagline = [_tagline.cell cellSizeForBounds:NSMakeRect(0, 0, taglineWidth, CGFLOAT_MAX)];
  tagline = NSMakeSize(std::ceil(tagline.width), std::ceil(tagline.height));
  [_button sizeToFit];
  NSSize title = _button.frame.size;
  NSSize button = NSMakeSize(std::ceil(title.width + 2 * A::buttonHorizontalPadding),
                             std::ceil(title.height + 2 * A::buttonVerticalPadding));
  NSSize rights = MacViewStyle::fittingSize(_rights);

  const CGFloat nameBlock = name.height + A::nameStackSpacing + version.height;
  const CGFloat total = _wordmarkSize.height + nameBlock + tagline.height + button.height +
                        rights.height + 4 * A::stackSpacing;
  CGFloat y = std::max<CGFloat>(A::padding, std::round((bounds.size.height - total) / 2));
  auto place = [&](NSView* view, NSSize size) {
    CGFloat width = std::min(size.width, innerWidth);
    view.frame = NSMakeRect(std::round(NSMidX(bounds) - width / 2), y, width, size.height);
    y += size.height;
  };
  place(_wordmark, _wordmarkSize);
  y += A::stackSpacing;
  place(_name, name);
  y += A::nameStackSpacing;
  place(_version, version);
  y += A::stackSpacing;
  place(_tagline, NSMakeSize(taglineWidth, tagline.height));
  y += A::stackSpacing;
  place(_buttonFill, button);
  _button.frame = _buttonFill.frame;
  y += A::stackSpacing;
  place(_rights, rights);
}

@end
