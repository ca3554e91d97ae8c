// Fonts, colours, symbols and labels for the AppKit front end.
#import "platform/mac/MacViewStyle.h"

#include <cmath>

#import "platform/mac/MacStrings.h"

namespace MacViewStyle {
namespace {

NSFontWeight nativeWeight(FontWeight weight) {
  switch (weight) {
    case FontWeight::regular:
      return NSFontWeightRegular;
    case FontWeight::medium:
      return NSFontWeightMedium;
    case FontWeight::semibold:
      return NSFontWeightSemibold;
    case FontWeight::bold:
      return NSFontWeightBold;
  }
  return NSFontWeightRegular;
}

}  // namespace

NSFont* _Nonnull font(const FontSpec& fontSpec) {
  NSFont* base = [NSFont systemFontOfSize:fontSpec.size weight:nativeWeight(fontSpec.weight)];
  if (!fontSpec.rounded) return base;
  NSFontDescriptor* rounded =
      [base.fontDescriptor fontDescriptorWithDesign:NSFontDescriptorSystemDesignRounded];
  if (rounded == nil) return base;
  NSFont* result = [NSFont fontWithDescriptor:rounded size:fontSpec.size];
  return result != nil ? result : base;
}

NSColor* _Nonnull color(ViewColor role, double opacity) {
  NSColor* base = nil;
  switch (role) {
    case ViewColor::primary:
      base = NSColor.labelColor;
      break;
    case ViewColor::secondary:
      base = NSColor.secondaryLabelColor;
      break;
    case ViewColor::tertiary:
      base = NSColor.tertiaryLabelColor;
      break;
    case ViewColor::purple:
      base = NSColor.systemPurpleColor;
      break;
    case ViewColor::green:
      base = brandGreen();
      break;
    case ViewColor::orange:
      base = NSColor.systemOrangeColor;
      break;
    case ViewColor::red:
      base = NSColor.systemRedColor;
      break;
    case ViewColor::white:
      base = NSColor.whiteColor;
      break;
    case ViewColor::black:
      base = NSColor.blackColor;
      break;
    case ViewColor::clear:
      return NSColor.clearColor;
  }
  if (opacity >= 1.0) return base;
  // Dynamic colours keep resolving per appearance with the new alpha.
  return [base colorWithAlphaComponent:opacity];
}

NSColor* _Nonnull color(const SrgbColor& srgb) {
  return [NSColor colorWithSRGBRed:srgb.red green:srgb.green blue:srgb.blue alpha:srgb.opacity];
}

NSColor* _Nonnull brandGreen(double opacity) {
  return [NSColor colorWithSRGBRed:BrandGreen::red
                             green:BrandGreen::green
                              blue:BrandGreen::blue
                             alpha:BrandGreen::alpha * opacity];
}

NSColor* _Nonnull focusRing() {
  static NSColor* ring = [NSColor
        colorWithName:@"PellimoreFocusRing"
      dynamicProvider:^NSColor*(NSAppearance* appearance) {
        NSAppearanceName match = [appearance
            bestMatchFromAppearancesWithNames:@[ NSAppearanceNameAqua, NSAppearanceNameDarkAqua ]];
        return [match isEqualToString:NSAppearanceNameDarkAqua]
                   ? NSColor.whiteColor
                   : [NSColor.blackColor colorWithAlphaComponent:0.85];
      }];
  return ring;
}

NSString* _Nonnull string(std::string_view text) {
  NSString* result = MacStrings::toNSString(std::string(text));
  return result != nil ? result : @"";
}

NSImage* _Nullable symbol(std::string_view name, const FontSpec& fontSpec) {
  NSImage* image = [NSImage imageWithSystemSymbolName:string(name) accessibilityDescription:nil];
  if (image == nil) return nil;
  NSImageSymbolConfiguration* configuration =
      [NSImageSymbolConfiguration configurationWithPointSize:fontSpec.size
                                                      weight:nativeWeight(fontSpec.weight)];
  NSImage* configured = [image imageWithSymbolConfiguration:configuration];
  return configured != nil ? configured : image;
}

NSTextField* _Nonnull label(std::string_view text, NSFont* _Nonnull font,
                            NSColor* _Nonnull textColor) {
  NSTextField* field = [NSTextField labelWithString:string(text)];
  field.font = font;
  field.textColor = textColor;
  field.lineBreakMode = NSLineBreakByTruncatingTail;
  field.maximumNumberOfLines = 1;
  return field;
}

CGFloat lineHeight(NSFont* _Nonnull font) {
  NSLayoutManager* layout = [[NSLayoutManager alloc] init];
  return std::ceil([layout defaultLineHeightForFont:font]);
}

NSSize fittingSize(NSTextField* _Nonnull label) {
  NSSize size = [label.cell cellSizeForBounds:NSMakeRect(0, 0, CGFLOAT_MAX, CGFLOAT_MAX)];
  return NSMakeSize(std::ceil(size.width), std::ceil(size.height));
}

NSEdgeInsets edgeInsets(const Insets& insets) {
  return NSEdgeInsetsMake(insets.top, insets.leading, insets.bottom, insets.trailing);
}

}  // namespace MacViewStyle
