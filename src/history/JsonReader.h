// A strict reader of JSON text (RFC 8259) that goes through it once, front to
// back, from memory or from a file a piece at a time.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class FileReader;

/// The caller walks the structure it expects; every method says whether what
/// came next was well-formed and of the kind asked for. After a false the
/// reader is spent. A file is read through a window of bounded size, so a
/// large file is never held whole.
class JsonReader {
 public:
  /// Where strings are decoded; keep one for its capacity.
  class Text {
   public:
    std::string_view view() const { return {data_.get(), size_}; }

   private:
    friend class JsonReader;
    /// Room for `size` bytes, keeping the contents.
    void reserve(std::size_t size);
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
  };

  /// Reads `text`, which must outlive the reader.
  explicit JsonReader(std::string_view text);
  /// Reads `file`, holding a window of it in `window`, which the caller may
  /// keep for its capacity.
  JsonReader(FileReader& file, std::string& window);

  /// Whether the text has no bytes at all (a failed read aside); ask first.
  bool empty();
  /// Takes `c` (after any white space) when it comes next.
  bool take(char c);
  /// Takes a null literal when one comes next.
  bool takeNull();
  /// A string, decoded into `out` (whose contents are replaced): escapes
  /// resolved, ill-formed UTF-8 and raw control characters refused. With
  /// `json`, also its JSON form between the quotation marks, as read.
  bool readString(Text& out, Text* json = nullptr);
  /// The same for a string that is likely `head` + `tail` (well-formed
  /// UTF-8): compared where it stands and copied into `out` only from the
  /// first difference on. `same` says whether it was exactly that; when it
  /// was, `out` is left unspecified. When the string is written as `head`
  /// (bytes that need no escape) + `tailJson`, the JSON form in which `tail`
  /// was read, the bytes alone are compared.
  bool readStringComparing(std::string_view head, std::string_view tail, std::string_view tailJson,
                           Text& out, bool& same);
  bool readBool(bool& out);
  /// Any value, checked and dropped.
  bool skipValue();
  /// Whether nothing but white space is left.
  bool atEnd();
  /// Whether reading the file failed, as opposed to its text being malformed.
  bool readFailed() const { return readFailed_; }

 private:
  /// Skips white space; the next byte, or '\0' at the end.
  char peek();
  /// Makes at least `count` bytes available from the cursor, if the text
  /// has them. May move the window.
  bool fill(std::size_t count);
  /// Decodes the escape at the cursor into `to` (room for four bytes);
  /// its length, or 0 when it is malformed.
  std::size_t escape(char* to);
  /// Decodes the rest of a string, after the opening quotation mark, onto
  /// the end of `out`.
  bool readRest(Text& out);
  /// Brings the whole string that starts at the cursor into the window: its
  /// length with both quotation marks, or 0 when the text ends first.
  std::size_t wholeString();
  bool hexQuad(char32_t& value);
  bool literal(std::string_view word);
  bool number();
  bool skipValue(int depth);

  const char* cursor_;
  const char* end_;
  FileReader* file_ = nullptr;
  std::string* window_ = nullptr;
  bool endOfFile_ = false;
  bool readFailed_ = false;
  /// Strings that are skipped land here.
  Text skipped_;
};
