// How much of the processors a thread of the app's own may take. On a
// machine of two cores, a thread encoding hundreds of megabytes would
// otherwise take turns with the main thread and hold up what the user sees.
#pragma once

class ThreadPriority {
 public:
  virtual ~ThreadPriority() = default;

  /// Gives the calling thread less of the processors than the main thread
  /// whenever both want them; it still runs on an idle core. Failure is
  /// ignored: the thread then runs as before.
  virtual void lowerCurrentThread() = 0;

  /// The platform's.
  static ThreadPriority& system();
};
