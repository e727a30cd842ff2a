// The unattended script of the command line, played in the host's event loop after Load: its steps
// open menu items (--open), click widgets or their rows (--click), type into fields (--type), check
// what widgets show (--expect) and picture the windows (--screenshot-now) in the order given; then
// the windows are pictured at once or when a named window shows (--screenshot, --screenshot-when),
// and the run ends after a while (--quit-after).
#pragma once

#include <QDeadlineTimer>
#include <QTimer>
#include <chrono>
#include <cstddef>
#include <functional>

#include "host/host_options.h"

namespace tarvel::host {

class HostWindow;

class UnattendedScript {
 public:
  // The script of options, played in window; requestShutdown ends the host's run. All three must
  // outlive the script.
  UnattendedScript(const HostOptions& options, HostWindow& window,
                   std::function<void()> requestShutdown);

  // Plays the steps one after the other, a step's time apart; while a window shows the wait
  // cursor, a step waits (up to half a minute) unless it opens a menu item or acts on a control
  // that is usable; then the pictures, also once nothing is busy. Each step is armed before the one
  // before it runs: a step that opens a modal dialog blocks in it, and the later steps then fire
  // inside the dialog's event loop.
  void start();
  // Stops watching for a window; call it once the event loop is over.
  void stop();

  // 0, or 1 once an --open path named no item, a --click, --type or --expect no visible widget
  // (or row), an --expect found another text, the window of --screenshot-when did not show in
  // time, or the screenshots could not be saved. Any of these ends the run at once.
  int exitCode() const { return exitCode_; }

 private:
  void play(const ScriptStep& step);
  // Step next (the pictures when it is past the last) after delay, once nothing is busy.
  void playWhenIdle(size_t next, std::chrono::milliseconds delay);
  // After the last step: the pictures, at once or when their window shows.
  void finishSteps();
  // A visible window shows the wait cursor (it is reading what it shows).
  static bool busy();
  // Step next (or the pictures) must wait for a busy window.
  bool mustWait(size_t next) const;
  bool openMenuItem(const QString& path);
  // The visible widget the step names, or nullptr after failing the run.
  QWidget* stepWidget(const ScriptStep& step);
  void click(const ScriptStep& step);
  void type(const ScriptStep& step);
  void expect(const ScriptStep& step);
  // Pictures the visible windows into folder; false after failing the run.
  bool saveScreenshots(const QString& folder);
  void takeScreenshots();
  void watchForWindow();
  void fail(const QString& message);

  const HostOptions& options_;
  HostWindow& window_;
  std::function<void()> requestShutdown_;
  int exitCode_ = 0;
  // --screenshot-when looks for its window a few times a second, up to a deadline.
  QTimer windowWatch_;
  QDeadlineTimer watchDeadline_;
  // How long the step in turn may still wait for a busy window.
  QDeadlineTimer busyDeadline_{QDeadlineTimer::Forever};
};

}  // namespace tarvel::host
