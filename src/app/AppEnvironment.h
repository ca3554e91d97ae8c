// Every platform service the application delegate and the objects it owns
// work through, handed in by the front end. All must outlive the delegate.
#pragma once

#include "platform/DesktopConventions.h"

class Accessibility;
class AlertPresenter;
class Application;
class Clock;
class FileSystem;
class HotKeyRegistrar;
class ImageConverter;
class KeyboardLayout;
class KeyEventPoster;
class LoginItem;
class MainLoop;
class PanelFactory;
class Pasteboard;
class ProcessActivity;
class ResourceBundle;
class RtfConverter;
class Screens;
class StatusBar;
class SystemLog;
class ThreadPriority;
class WindowFactory;
class Workspace;

struct AppEnvironment {
  // The history store.
  FileSystem& fileSystem;
  Clock& clock;
  Pasteboard& pasteboard;
  ThreadPriority& threadPriority;
  // The clipboard monitor.
  ImageConverter& imageConverter;
  RtfConverter& rtfConverter;
  MainLoop& mainLoop;
  ProcessActivity& processActivity;
  // The popup, the paste flow and the hot key.
  Workspace& workspace;
  Application& application;
  Screens& screens;
  PanelFactory& panelFactory;
  Accessibility& accessibility;
  KeyEventPoster& keyEventPoster;
  HotKeyRegistrar& hotKeyRegistrar;
  KeyboardLayout& keyboardLayout;
  // The status menu and the About window.
  StatusBar& statusBar;
  ResourceBundle& resourceBundle;
  LoginItem& loginItem;
  AlertPresenter& alertPresenter;
  SystemLog& systemLog;
  WindowFactory& windowFactory;
  DesktopConventions conventions;
};
