// The text of a profile (INI) file held as lines, with the reads and edits of the Windows
// profile functions: sections and keys found without regard to case (Cyrillic folded), the
// first match winning, every line the edits do not touch kept byte for byte. Sections and keys
// are indexed by their folded names, so each read or write costs about the same in a file of
// any size, and the edited text is assembled once, when it is asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarvel::platform {

class ProfileDocument {
 public:
  // Parses bytes of Windows-1251 text; lines may end with CR LF, LF or a lone CR.
  explicit ProfileDocument(std::string bytes = {});

  // The value of key in section: blanks trimmed, one pair of matching outer quotes removed.
  // std::nullopt when the section or key is absent (a line without "=" is no key).
  std::optional<std::string> value(std::string_view section, std::string_view key) const;

  bool hasSection(std::string_view section) const;

  // Sets key in section: an existing key line is rewritten in place (keeping the key's
  // spelling); a new key follows the section's last key line; a new section goes at the end.
  // CR and LF in any of the three texts become spaces, so a write never adds lines of its own.
  void setValue(std::string_view section, std::string_view key, std::string_view value);

  // True once setValue was called.
  bool modified() const { return modified_; }
  // The bytes the document was made from.
  const std::string& originalText() const { return bytes_; }

  // The whole text with the edits: untouched lines byte for byte, written lines ending CR LF.
  std::string text() const;

 private:
  enum class LineKind : uint8_t { Blank, Comment, Section, Key, Other };
  struct Line {
    std::size_t offset = 0;
    std::size_t length = 0;  // without the line break
    uint8_t breakLength = 0;
    LineKind kind = LineKind::Blank;
  };
  // Where a key's current value lives: a line of the file or a key added by an edit.
  struct KeyPlace {
    bool added = false;
    std::size_t index = 0;
  };
  struct AddedKey {
    std::string name;
    std::string value;
  };
  struct Section {
    std::string name;  // for sections added by an edit
    std::size_t headerLine = kNoLine;
    std::size_t endLine = 0;     // one past the section's last line
    std::size_t anchorLine = 0;  // new keys go after this line
    std::vector<AddedKey> addedKeys;
    // Built on the first look into the section.
    mutable bool keysIndexed = false;
    mutable std::unordered_map<std::string, KeyPlace> keys;
  };
  static constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

  void parse();
  std::string_view lineText(std::size_t line) const;
  const Section* findSection(std::string_view name) const;
  void indexKeys(const Section& section) const;
  std::string_view rawValueAt(const Section& section, KeyPlace place) const;

  std::string bytes_;
  std::vector<Line> lines_;
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> sectionsByName_;  // first of each folded name
  std::unordered_map<std::size_t, std::string> replacedValues_;  // by line
  bool modified_ = false;
};

}  // namespace tarvel::platform
