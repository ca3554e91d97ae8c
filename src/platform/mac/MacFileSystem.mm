// Foundation's view of the user's folders and the backup mark; everything
// else is the shared POSIX implementation. Also the real file system of the
// macOS build.
#include "platform/mac/MacFileSystem.h"

#import <Foundation/Foundation.h>

#import "platform/mac/MacStrings.h"

std::optional<std::string> MacFileSystem::applicationSupportDirectory() const {
  NSArray<NSURL*>* folders =
      [[NSFileManager defaultManager] URLsForDirectory:NSApplicationSupportDirectory
                                             inDomains:NSUserDomainMask];
  NSString* path = folders.firstObject.path;
  if (path.length == 0) return std::nullopt;
  return MacStrings::toStdString(path);
}

std::string MacFileSystem::homeDirectory() const {
  NSString* home = NSHomeDirectory();
  if (home == nil) return {};
  return MacStrings::toStdString(home);
}

FileResult MacFileSystem::excludeFromBackup(const std::string& path) {
  NSString* string = MacStrings::toNSString(path);
  if (string.length == 0) return FileResult::failure("not a valid folder path");
  NSURL* url = [NSURL fileURLWithPath:string isDirectory:YES];
  NSError* error = nil;
  if ([url setResourceValue:@YES forKey:NSURLIsExcludedFromBackupKey error:&error])
    return FileResult::success();
  if (error == nil) return FileResult::failure("the backup exclusion could not be set");
  return FileResult::failure(MacStrings::toStdString(error.localizedDescription));
}

std::unique_ptr<FileSystem> FileSystem::createReal() { return std::make_unique<MacFileSystem>(); }
