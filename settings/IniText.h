// The text of an INI file, read the way the platform's profile calls read
// it and edited without touching a unit of it that the edit does not change:
// other sections, other keys, comments, blank lines and lines that mean
// nothing to us stay exactly as they were. Unit is char for a file of code
// page 936 bytes and wchar_t for a UTF-16 file.
//
// Reading: "[name]" starts a section; "key=value" lines belong to the
// section above them; lines starting with ";" are comments. Section and key
// names match without regard to case, white space around keys and values
// does not count, a value in matching quotes loses them, and the first
// matching section and key win.
#pragma once

#include <string>

template <typename Unit>
class CIniText {
 public:
  using Text = std::basic_string<Unit>;

  explicit CIniText(Text text) : m_text(std::move(text)) {}

  const Text& GetText() const { return m_text; }

  // False when the section or the key is not there.
  bool Find(const Text& section, const Text& key, Text* value) const;
  // Replaces the value of the key where it stands, keeping the key's
  // spelling; a missing key is added after its section's last key, a missing
  // section at the end. New lines end as the text's first line does (CR LF
  // when it has none).
  void Set(const Text& section, const Text& key, Text value);

 private:
  // Where a line's text is, its end left out.
  struct CLine {
    size_t begin;
    size_t end;
    size_t next;
  };
  // Where a key of the section stands; the section's header when it has no
  // key, and nothing when there is no such section.
  struct CKeyPlace {
    bool sectionFound = false;
    bool keyFound = false;
    CLine line{0, 0, 0};
    size_t valueBegin = 0;
  };

  CLine LineAt(size_t begin) const;
  CKeyPlace Locate(const Text& section, const Text& key) const;
  Text LineEnd() const;

  Text m_text;
};

extern template class CIniText<char>;
extern template class CIniText<wchar_t>;
