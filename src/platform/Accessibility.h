// The Accessibility permission that posting synthetic keystrokes needs. On
// Linux "trusted" means the XTest extension is present.
#pragma once

class Accessibility {
 public:
  virtual ~Accessibility() = default;
  /// Whether the process may post synthetic keystrokes; never prompts.
  virtual bool isProcessTrusted() = 0;
  /// Asks the system to show its permission prompt when not trusted.
  virtual bool isProcessTrustedWithPrompt() = 0;
  /// Whether the system has such a prompt at all.
  virtual bool hasPrompt() const = 0;
  /// Whether the answer to a prompt comes later, from a dialog of the
  /// desktop's, and is logged by this object when it comes.
  virtual bool answersLater() const { return false; }
};
