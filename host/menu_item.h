// The host's menu items as the plug-in sees them: each QtMenuItem wraps one QAction of the
// window's menu bar (the root wraps the menu bar itself). Items are made first and filled in
// afterwards, and a plain item may receive children at any time, so an item turns into a submenu
// when it gets its first child.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "tarvel/contract.h"

namespace tarvel::host {

class QtMenuItem final : public HostMenuItem {
 public:
  // The root: its children are the top-level menus of menuBar (not owned).
  explicit QtMenuItem(QMenuBar* menuBar);
  ~QtMenuItem() override;
  QtMenuItem(const QtMenuItem&) = delete;
  QtMenuItem& operator=(const QtMenuItem&) = delete;

  std::string caption() const override;
  // "&" marks the accelerator as it does in Qt; a caption without one is shown with an Alt key
  // that no other item of its menu uses (menu_mnemonics.h). "-" makes the item a separator.
  void setCaption(const std::string& caption) override;
  void setHint(const std::string& hint) override;
  void setHelpContext(int32_t helpContext) override;
  // Kept as given; the plug-in passes 0 (none), so no key is bound.
  void setShortCut(int32_t shortCut) override;
  void setOnClick(ClickHandler handler) override;
  int32_t count() const override;
  HostMenuItem* item(int32_t index) const override;

  // A new empty child at position (-1 or out of range: after the last child). The item owns it.
  QtMenuItem* insertChild(int32_t position);
  // A new child with this caption after the last one.
  QtMenuItem* appendChild(const std::string& caption);

  // What a click does: runs the handler through the error guard; an item without a handler
  // does nothing. The QAction's triggered signal lands here.
  void click();
  // Drops the click handlers of this item and all below it: called after the plug-in is
  // unloaded and before its code is unmapped, so no handler of it is run or destroyed later.
  void clearClickHandlers();

  bool hasClickHandler() const { return static_cast<bool>(onClick_); }
  const std::string& hint() const { return hint_; }
  int32_t helpContext() const { return helpContext_; }
  int32_t shortCut() const { return shortCut_; }
  // The QAction shown for this item; nullptr for the root.
  QAction* action() const { return action_; }
  // The submenu, once the item has children; nullptr before, and for the root.
  QMenu* submenu() const { return submenu_; }

 private:
  QtMenuItem(QtMenuItem* parent, QAction* action);
  // The widget the children's actions are shown in: the menu bar, or the submenu made on demand.
  QWidget* childContainer();

  QtMenuItem* parent_ = nullptr;
  QPointer<QMenuBar> menuBar_;
  QPointer<QAction> action_;
  QPointer<QMenu> submenu_;
  std::string caption_;
  std::string hint_;
  int32_t helpContext_ = 0;
  int32_t shortCut_ = 0;
  ClickHandler onClick_;
  std::vector<std::unique_ptr<QtMenuItem>> children_;
};

}  // namespace tarvel::host
