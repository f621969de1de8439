#pragma once
#include <QUrl>
#include <functional>

// Opens a file or a web address with the desktop's default program (the manual, Readme and the
// maker's web pages). The program keeps the default, QDesktopServices; tests install an opener that
// records what it was given.
using UrlOpener = std::function<bool(const QUrl&)>;

// Hands the address to the installed opener; false when it could not be opened.
bool ShellOpen(const QUrl& url);
// Installs an opener (empty restores the default); returns the one installed before.
UrlOpener SetUrlOpener(UrlOpener opener);
