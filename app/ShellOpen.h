#pragma once
#include <QUrl>
#include <functional>
#include <string>

// Opens a file or a web address with the desktop's default program (the manual, Readme and the
// maker's web pages) through xdg-open, Qt's own way to the desktop standing in where there is no
// xdg-open. xdg-open may wait until the viewer it started is closed, so its answer is read from the
// event loop and the window goes on meanwhile: onFailure runs later when the desktop could not open
// the address (no program for it, or the opener failed).
void ShellOpen(const QUrl& url, std::function<void()> onFailure);

// A file (the manual, Readme): a missing one is named in a message; so is one the desktop has no
// program for.
void ShellOpenFile(const std::string& path);
// A web page in the desktop's browser; the user is told when there is none to open it.
void ShellOpenPage(const char* address);

// The object name of the process that awaits the desktop's answer (it goes once answered).
inline constexpr const char* kShellOpenProcessName = "desktopOpener";
