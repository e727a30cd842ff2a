// The binary contract between Tarvel, the host program that loads it and the five sibling
// libraries that Tarvel loads by name. A host or a sibling written by someone else needs nothing
// but this header.
//
// Conventions that hold for everything below:
// - Texts are single-byte Windows-1251 strings (std::string holding CP1251 bytes, or a
//   NUL-terminated const char* across the C entries). Nothing here is UTF-8.
// - Integers are 32-bit signed. Booleans returned through the exports are -1 (all bits set) for
//   true and 0 for false.
// - Everything is called on the host's user-interface thread; nothing here is thread-safe.
// - Host, plug-in and siblings are built with the same C++ compiler and standard library: the
//   abstract classes below cross library boundaries by their virtual tables, std::string and
//   std::function by value, and an error is reported by throwing an exception derived from
//   std::exception whose what() is a Windows-1251 text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#define TARVEL_EXPORT __attribute__((visibility("default")))

namespace tarvel {

// The host's self-describing value: what Command answers and what StartExchange and
// AutoSendInetFromOffice take.
struct HostVariant {
  enum class Kind { Empty, Null, Integer, Text };

  Kind kind = Kind::Empty;
  int32_t integer = 0;
  std::string text;  // Windows-1251

  static HostVariant empty() { return {}; }
  static HostVariant null() { return {Kind::Null, 0, {}}; }
  static HostVariant fromInteger(int32_t value) { return {Kind::Integer, value, {}}; }
  static HostVariant fromText(std::string value) { return {Kind::Text, 0, std::move(value)}; }
};

// The codes of HostCallback::Command that the plug-in uses; the argument is always 0. The
// parameter stays a 32-bit integer: a host may be asked for other codes and answer Empty.
struct HostCommand {
  enum : int32_t {
    ShiftNumber = 25,         // the station's current shift number (convertible to an integer)
    InstallationKind = 46,    // 3: office with auto-query; 0: the station may be renamed
    DatabaseConnection = 69,  // the host's own database connection text
  };
};

// The kinds of HostCallback::ReportMessage.
struct MessageKind {
  enum : int32_t {
    Progress = 1,
    ErrorOrWarning = 2,
    MissingLibrary = 4,
  };
};

// One item of the host's main menu. The host creates every item (HostCallback::NewMenuItem) and
// owns it; the plug-in fills it in and never frees it. An item whose caption is "-" is a
// separator.
class HostMenuItem {
 public:
  using ClickHandler = std::function<void()>;

  virtual ~HostMenuItem() = default;

  virtual std::string caption() const = 0;  // with its "&" accelerator markers
  virtual void setCaption(const std::string& caption) = 0;
  virtual void setHint(const std::string& hint) = 0;
  virtual void setHelpContext(int32_t helpContext) = 0;
  virtual void setShortCut(int32_t shortCut) = 0;  // 0: none
  // The host calls the handler when the item is clicked. An empty handler makes the item inert:
  // the plug-in clears its handlers this way before it is unloaded, so that no click can reach
  // code that is gone.
  virtual void setOnClick(ClickHandler handler) = 0;

  virtual int32_t count() const = 0;                    // number of child items
  virtual HostMenuItem* item(int32_t index) const = 0;  // child by index, 0 .. count() - 1
};

// The host's call-back object, handed to Load. The host owns it; the plug-in keeps the pointer
// until UnLoad and never frees it. The operations are declared in the order of the host's table.
class HostCallback {
 public:
  virtual ~HostCallback() = default;

  // The call-back's version: 5 or more lets the office start a station query, 7 or more lets it
  // use the IP transport's AutoSendInetFromOffice.
  virtual int32_t GetVersion() = 0;
  // The station's current name.
  virtual std::string GetStationName() = 0;
  // A message for the operator, of a MessageKind.
  virtual void ReportMessage(int32_t kind, const std::string& text) = 0;
  // The root of the host's main menu; its children are the top-level menus.
  virtual HostMenuItem* GetMainMenu() = 0;
  // A new item, already a child of parent; position -1 appends it after the existing children.
  virtual HostMenuItem* NewMenuItem(HostMenuItem* parent, int32_t position) = 0;
  // A host command (HostCommand); argument is always 0.
  virtual HostVariant Command(int32_t code, int32_t argument) = 0;
  // Starts the host's data exchange with a station. parameter is always Null.
  virtual void StartExchange(const std::string& stationName, int32_t connectionType,
                             HostVariant parameter) = 0;
  // The host's record of a station, or nullptr. The plug-in reads only the 32-bit value at byte
  // offset 28 of the record (see HostStationRecord) and never frees it.
  virtual const void* FindStation(const std::string& stationName) = 0;
};

// A record layout hosts may use to answer FindStation: it puts the value the plug-in reads at
// byte offset 28.
struct HostStationRecord {
  unsigned char hostData[28] = {};
  int32_t exchangeValue = 0;
};
static_assert(offsetof(HostStationRecord, exchangeValue) == 28);

// Byte offset of the value FindStation's record carries for AutoSendInetFromOffice.
inline constexpr std::size_t kStationRecordValueOffset = 28;

namespace sibling {

// The entries the plug-in binds by exported name in the five sibling libraries. Every entry is
// optional; the plug-in tests each one before calling it. An entry reports an error by throwing.
//
//   Orvaly.dll   direct IP connection service   Load, UnLoad
//   Kestrin.dll  IP transport                   Load, AutoSendInet, AutoSendInetFromOffice, UnLoad
//   Pellow.dll   e-mail transport               Load, AutoSendMail, UnLoad
//   Dravik.dll   modem transport                Load, AutoSendModem, UnLoad
//   Zumbra.dll   data preparation               PrepareDataZumbra

// "Load" and "PrepareDataZumbra": the three values the host passed to the plug-in's own Load.
// The result is not examined.
using LoadEntry = int32_t (*)(intptr_t hostContext, uint8_t mode, HostCallback* hostCallback);
// "UnLoad": called just before the library is released.
using UnLoadEntry = int32_t (*)();
// "AutoSendModem", "AutoSendMail", "AutoSendInet": send the station's reports; return when the
// send has finished. The result is not examined.
using AutoSendEntry = int32_t (*)();
// "AutoSendInetFromOffice": the office queries a station over direct IP. stationValue is the
// 32-bit value at offset 28 of FindStation's record (0 when the host knows no such station);
// parameter is always Null. The result is not examined.
using AutoSendInetFromOfficeEntry = int32_t (*)(const char* stationName, int32_t stationValue,
                                                HostVariant* parameter);

}  // namespace sibling
}  // namespace tarvel

// The plug-in's exports, with C linkage.
extern "C" {
// Sets the whole plug-in up; mode 0 is a station, 1 the office, any other value reads no
// settings and adds no menus. hostContext is passed on unchanged to the siblings. The host keeps
// hostCallback alive until UnLoad has returned. Returns 0 when every step ran, 1 when a step
// failed.
TARVEL_EXPORT int32_t Load(intptr_t hostContext, uint8_t mode, tarvel::HostCallback* hostCallback);
// Takes everything Load made down again; call it once, last. Returns 0 or 1 like Load.
TARVEL_EXPORT int32_t UnLoad();
// Adds the plug-in's commands to the host menu. Load calls it itself.
TARVEL_EXPORT void AddMenus();
// -1 when automatic sending of reports is ticked in the station's auto-send window, 0 otherwise
// (also before Load and after UnLoad).
TARVEL_EXPORT int32_t getAutoSend();
}
