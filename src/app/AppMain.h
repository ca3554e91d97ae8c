// The start-up order both front ends share: their main functions only build
// an AppPlatform and call runApp.
#pragma once

class AppPlatform;

/// Installs the crash recorder before anything else, gets the application
/// object, and leaves at once with SingleInstance's status when another
/// instance runs. Otherwise builds the delegate and keeps it alive for the
/// whole run, lets later starts open its popup, makes it the application's
/// delegate, switches to the accessory activation policy (no Dock icon) and
/// runs the event loop. Returns the loop's exit status.
int runApp(AppPlatform& platform);
