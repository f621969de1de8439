#pragma once
#include <QStringList>
#include <string>

// The updater program that may lie beside ours. It is started with the product code (and, from
// the Help menu, "FromUser 1" for the update check or "FromUser 0" for the notices) and waited
// for; its exit code is not used. When it is not there nothing is shown.
namespace upvane {

inline constexpr int kStartUp = -1;

// The updater's path beside the program, "" when there is no executable file of that name.
std::string Path(const std::string& programFolder);
// The arguments: the product code, then "FromUser" and 1 or 0 unless fromUser is kStartUp.
QStringList Arguments(int fromUser);
// Starts the updater in the current directory and waits for its end, handling window events
// meanwhile (user input only when allowUserInput). False when it could not be started.
bool Run(const std::string& programFolder, int fromUser, bool allowUserInput);

}  // namespace upvane
