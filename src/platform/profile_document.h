// The text of a profile (INI) file, with the reads and edits of the Windows profile functions:
// sections and keys found without regard to case (Cyrillic folded), the first match winning,
// every line the edits do not touch kept byte for byte.
//
// The document is the file's bytes in one buffer plus a compact index: one small record per
// distinct section name (where its name and its lines lie) in an open-addressing table of
// 32-bit slots. Lines themselves get no record, so a file of millions of blank lines or of
// repeated "[]" headers costs little more than its bytes, and parsing is one linear pass. The
// first search in a section indexes that section's key lines (one 32-bit slot per distinct key
// name, in a table of the same kind), so reading or writing every key of a section of thousands
// of keys costs one pass over it rather than one per key. The edits are kept apart, keys added
// to a section indexed by their folded name, and merged into the text once, when it is asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarvel::platform {

class ProfileDocument {
 public:
  // The largest text a document holds: its offsets are 32 bits.
  static constexpr std::size_t kMaximumSize = 0xFFFF'FFFEu;

  // Parses bytes of Windows-1251 text; lines may end with CR LF, LF or a lone CR. A UTF-8
  // byte-order mark at the start is skipped (text() keeps it). Throws std::length_error for a
  // text above kMaximumSize.
  explicit ProfileDocument(std::string bytes = {});

  // The value of key in section: blanks trimmed, one pair of matching outer quotes removed.
  // std::nullopt when the section or key is absent (a line without "=" is no key).
  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  // The same value as it stands after "=", blanks and quotes kept: what a reader of the file
  // sees before value() tidies it.
  std::optional<std::string> rawValue(std::string_view section, std::string_view key) const;

  bool hasSection(std::string_view section) const;

  // Sets key in section: an existing key line is rewritten in place (keeping the key's
  // spelling); a new key follows the section's last key line; a new section goes at the end.
  // CR and LF in any of the three texts become spaces, so a write never adds lines of its own.
  // A value that the reading rule would change (blanks at an end, a pair of matching outer
  // quotes) is written inside one more pair of double quotes, so it reads back unchanged.
  void setValue(std::string_view section, std::string_view key, std::string_view value);

  // True once setValue was called.
  bool modified() const { return modified_; }
  // The bytes the document was made from.
  const std::string& originalText() const { return bytes_; }

  // The whole text with the edits: untouched lines byte for byte, written lines ending CR LF.
  std::string text() const;

 private:
  // A section's first header in the file, or a section added by an edit (bodyOffset kAdded).
  struct Section {
    uint32_t nameOffset = 0;  // in bytes_; for an added section, the index in addedNames_
    uint32_t nameLength = 0;
    uint32_t bodyOffset = 0;  // the first byte after the header line
    uint32_t endOffset = 0;   // the next header's first byte, or the end of the text
  };
  struct AddedKey {
    std::string name;
    std::string value;
  };
  // The keys added to one section, in the order written, and where each stands by folded name.
  struct AddedKeys {
    std::vector<AddedKey> keys;
    std::unordered_map<std::string, std::size_t> positionByFoldedName;
  };
  static constexpr uint32_t kAdded = 0xFFFF'FFFFu;
  static constexpr uint32_t kNone = 0xFFFF'FFFFu;

  void parse();
  std::string_view sectionName(const Section& section) const;
  uint32_t findSection(std::string_view name) const;  // kNone when absent
  uint32_t addSection(const Section& section);
  void growIndex();
  // The offset of the section's first line holding key, or kNone.
  uint32_t findKeyLine(uint32_t sectionNumber, std::string_view key) const;
  // The open-addressing table of a section's key lines (0 empty, else line offset + 1), made on
  // the section's first search.
  const std::vector<uint32_t>& keyLineIndex(uint32_t sectionNumber) const;
  // The key name of a key line starting at offset.
  std::string_view keyNameAt(uint32_t keyLine) const;
  // Where keys added to a section of the file go: after its last key (or other) line.
  uint32_t anchorOffset(const Section& section) const;

  std::string bytes_;
  std::vector<Section> sections_;
  std::vector<uint32_t> index_;  // open addressing: 0 empty, else section number + 1
  std::vector<std::string> addedNames_;
  // By section number; a section's stays empty until its first search.
  mutable std::vector<std::vector<uint32_t>> keyLineIndexes_;
  std::unordered_map<uint32_t, AddedKeys> addedKeys_;  // by section number
  std::map<uint32_t, std::string> replacedValues_;     // by key line offset
  bool modified_ = false;
  // The last section findSection found, by the name it was asked for.
  mutable std::string lastSectionAsked_;
  mutable uint32_t lastSectionFound_ = kNone;
};

}  // namespace tarvel::platform
