#include "host/menu_item.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <stdexcept>

#include "host/menu_mnemonics.h"
#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"

namespace tarvel::host {
namespace {

constexpr const char* kSeparatorCaption = "-";

}  // namespace

QtMenuItem::QtMenuItem(QMenuBar* menuBar) : menuBar_(menuBar) {}

QtMenuItem::QtMenuItem(QtMenuItem* parent, QAction* action) : parent_(parent), action_(action) {
  QObject::connect(action, &QAction::triggered, action,
                   platform::guardedHandler([this](bool) { click(); }));
}

QtMenuItem::~QtMenuItem() {
  // Children first: their actions live in this item's submenu.
  children_.clear();
  delete action_.data();
  delete submenu_.data();
}

std::string QtMenuItem::caption() const { return caption_; }

void QtMenuItem::setCaption(const std::string& caption) {
  caption_ = caption;
  if (action_ == nullptr) return;
  const bool separator = caption == kSeparatorCaption;
  // A separator with a text is drawn as a titled section; the host's separators carry none.
  QList<QChar> taken;
  for (const auto& sibling : parent_->children_) {
    if (sibling.get() != this && sibling->action_ != nullptr) {
      taken.append(mnemonicOf(sibling->action_->text()));
    }
  }
  action_->setText(separator ? QString() : withMnemonic(platform::toUnicode(caption), taken));
  action_->setSeparator(separator);
}

void QtMenuItem::setHint(const std::string& hint) {
  hint_ = hint;
  if (action_ == nullptr) return;
  action_->setStatusTip(platform::toUnicode(hint));
  action_->setToolTip(platform::toUnicode(hint));
}

void QtMenuItem::setHelpContext(int32_t helpContext) { helpContext_ = helpContext; }

void QtMenuItem::setShortCut(int32_t shortCut) { shortCut_ = shortCut; }

void QtMenuItem::setOnClick(ClickHandler handler) { onClick_ = std::move(handler); }

int32_t QtMenuItem::count() const { return static_cast<int32_t>(children_.size()); }

HostMenuItem* QtMenuItem::item(int32_t index) const {
  if (index < 0 || index >= count()) {
    throw std::out_of_range("menu item index " + std::to_string(index) + " out of range");
  }
  return children_[static_cast<std::size_t>(index)].get();
}

QtMenuItem* QtMenuItem::insertChild(int32_t position) {
  QWidget* container = childContainer();
  auto* action = new QAction(container);
  const bool appending = position < 0 || position >= count();
  QAction* before = appending ? nullptr : children_[static_cast<std::size_t>(position)]->action_;
  container->insertAction(before, action);
  std::unique_ptr<QtMenuItem> child(new QtMenuItem(this, action));
  QtMenuItem* added = child.get();
  children_.insert(appending ? children_.end() : children_.begin() + position, std::move(child));
  return added;
}

QtMenuItem* QtMenuItem::appendChild(const std::string& caption) {
  QtMenuItem* child = insertChild(-1);
  child->setCaption(caption);
  return child;
}

void QtMenuItem::click() {
  platform::guarded([this] {
    // A handler may replace itself while it runs; the copy keeps the running one alive.
    const ClickHandler handler = onClick_;
    if (handler) handler();
  });
}

void QtMenuItem::clearClickHandlers() {
  onClick_ = nullptr;
  for (const auto& child : children_) child->clearClickHandlers();
}

QWidget* QtMenuItem::childContainer() {
  if (parent_ == nullptr) {
    if (menuBar_ == nullptr) throw std::logic_error("the menu bar is gone");
    return menuBar_;
  }
  if (submenu_ == nullptr) {
    // First child: the plain item becomes a submenu, which its own action now opens.
    QWidget* owner = parent_->childContainer();
    submenu_ = new QMenu(owner);
    action_->setMenu(submenu_.data());
  }
  return submenu_;
}

}  // namespace tarvel::host
